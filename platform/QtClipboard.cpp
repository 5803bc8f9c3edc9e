// Kept apart from the engine's line header: QGuiApplication brings in the X11
// Display typedef, which clashes with the engine's Display codes.
#include "platform/QtClipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include "document/MetafileDC.h"
#include "engine/Cp1252.h"
#include "platform/Render.h"

namespace {

QByteArray ToBytes(const std::vector<std::uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// An <img> of the SVG that lines up with the text it is pasted into: lowered by the
// distance from its bottom to the first line's base line.
QByteArray HtmlImage(const QByteArray& svg, const MetafilePicture& picture)
{
    const QString alt = QString::fromStdString(XmlSafeUtf8(picture.speech)).toHtmlEscaped();
    return QStringLiteral("<img src=\"data:image/svg+xml;base64,%1\" alt=\"%2\" width=\"%3\" height=\"%4\" "
                          "style=\"vertical-align:%5px\">")
        .arg(QString::fromLatin1(svg.toBase64()), alt)
        .arg(picture.logicalSize.cx)
        .arg(picture.logicalSize.cy)
        .arg(-picture.lowering)
        .toUtf8();
}

} // namespace

CQtClipboard::CQtClipboard(QClipboard* clipboard) : m_clipboard(clipboard)
{
    if (!m_clipboard && qGuiApp)
        m_clipboard = QGuiApplication::clipboard();
}

bool CQtClipboard::Open()
{
    // Qt's clipboard needs no opening; it is there or it is not.
    m_open = m_clipboard != nullptr;
    return m_open;
}

bool CQtClipboard::Empty()
{
    if (!m_open)
        return false;
    m_clipboard->clear(QClipboard::Clipboard);
    return true;
}

std::unique_ptr<QMimeData> CQtClipboard::PictureMimeData(const MetafilePicture& picture, std::string* error)
{
    if (picture.metafile.empty()) {
        if (error)
            *error = "the picture has no metafile";
        return nullptr;
    }
    auto data = std::make_unique<QMimeData>();
    Drawing drawing;
    QByteArray svg;
    if (picture.draw) {
        const SIZE size = picture.logicalSize;
        drawing.measure = [size](CDC&) { return size; };
        const auto draw = picture.draw;
        drawing.draw = [draw](CDC& dc, int, int) { draw(dc); };
        drawing.title = picture.text;
        drawing.description = picture.speech;

        // Vector forms first, for programs that take the first form they know.
        // These are extras: a picture too large for them is still a metafile.
        svg = RenderSvg(drawing, RenderSettings{});
        if (!svg.isEmpty())
            data->setData(QString::fromLatin1(kSvgMime), svg);
        const QByteArray pdf = RenderPdf(drawing, RenderSettings{});
        if (!pdf.isEmpty())
            data->setData(QString::fromLatin1(kPdfMime), pdf);
    }
    // The box in the metafile's own pixels with the inch they were recorded at:
    // readers map the window onto the box and size it by the inch, as on Windows.
    data->setData(QString::fromLatin1(kWmfMime), ToBytes(PlaceableMetafile(picture)));

    if (picture.draw) {
        RenderSettings png;
        png.scale = kPngScale;
        QByteArray image = RenderPng(drawing, png);
        if (image.isEmpty())
            image = RenderPng(drawing, RenderSettings{});
        if (!image.isEmpty())
            data->setData(QString::fromLatin1(kPngMime), image);
    }
    if (!picture.native.empty())
        data->setData(QString::fromLatin1(kNativeMime), ToBytes(picture.native));
    // The written-out forms last: the picture comes first for those that take both.
    if (!svg.isEmpty())
        data->setData(QString::fromLatin1(kHtmlMime), HtmlImage(svg, picture));
    if (!picture.text.empty()) {
        data->setData(QString::fromLatin1(kTextMime), QByteArray::fromStdString(picture.text));
        data->setText(QString::fromStdString(picture.text));
    }
    if (!picture.mathml.empty())
        data->setData(QString::fromLatin1(kMathMLMime), QByteArray::fromStdString(picture.mathml));
    return data;
}

bool CQtClipboard::SetPicture(const MetafilePicture& picture)
{
    if (!m_open)
        return false;
    std::unique_ptr<QMimeData> data = PictureMimeData(picture);
    if (!data)
        return false;
    // A new QMimeData replaces every earlier format; the clipboard takes ownership.
    m_clipboard->setMimeData(data.release(), QClipboard::Clipboard);
    return true;
}

void CQtClipboard::Close() { m_open = false; }
