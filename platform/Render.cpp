#include "platform/Render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QFileInfo>
#include <QSvgGenerator>

#include "config/SafeWrite.h"
#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "document/AppState.h"
#include "document/EquationText.h"
#include "document/InputLimits.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "engine/EquationOptions.h"
#include "platform/QtDeviceContext.h"

namespace {

constexpr int kLogicalDpi = 96;

void SetError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

// Maps one logical unit to `scale` device pixels. A whole scale keeps exact integer
// coordinates; the extents are kept small so the mapping multiplies without overflow.
void ApplyScale(CDC& dc, double scale)
{
    if (scale == 1.0)
        return;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowExt(1000, 1000);
    const int v = static_cast<int>(std::lround(scale * 1000));
    dc.SetViewportExt(v, v);
}

bool ValidSettings(const RenderSettings& s, std::string* error)
{
    if (!(s.scale > 0) || s.scale > kMaxScale) {
        SetError(error, "scale out of range");
        return false;
    }
    if (s.margin < 0 || s.margin > kMaxPicturePixels) {
        SetError(error, "margin out of range");
        return false;
    }
    return true;
}

// The picture's device size at `scale`, or nothing when it is empty or too large.
std::optional<QSize> DeviceSize(SIZE logical, double scale, std::string* error)
{
    if (logical.cx <= 0 || logical.cy <= 0) {
        SetError(error, "the picture is empty");
        return std::nullopt;
    }
    const double w = std::ceil(logical.cx * scale);
    const double h = std::ceil(logical.cy * scale);
    if (w > kMaxPicturePixels || h > kMaxPicturePixels) {
        SetError(error, "the picture is too large");
        return std::nullopt;
    }
    return QSize(static_cast<int>(w), static_cast<int>(h));
}

SIZE MeasureScaled(const Drawing& drawing, const RenderSettings& settings)
{
    CQtDC measuring(kLogicalDpi, kLogicalDpi);
    ApplyScale(measuring, settings.scale);
    SIZE size = drawing.measure(measuring);
    const std::int64_t w = static_cast<std::int64_t>(size.cx) + 2 * static_cast<std::int64_t>(settings.margin);
    const std::int64_t h = static_cast<std::int64_t>(size.cy) + 2 * static_cast<std::int64_t>(settings.margin);
    return SIZE{static_cast<std::int32_t>(std::clamp<std::int64_t>(w, 0, INT32_MAX)),
                static_cast<std::int32_t>(std::clamp<std::int64_t>(h, 0, INT32_MAX))};
}

} // namespace

Drawing EquationDrawing(CMolvexDoc& doc)
{
    Drawing d;
    d.measure = [&doc](CDC& dc) { return doc.Layout(dc)->size; };
    d.draw = [&doc](CDC& dc, int x, int y) { doc.DrawEquation(dc, x, y); };
    d.title = EquationUnicodeText(doc, doc.App().options.equilibriumArrow.Get());
    d.description = EquationSpeech(doc);
    return d;
}

SIZE PictureSize(const Drawing& drawing, const RenderSettings& settings)
{
    return MeasureScaled(drawing, RenderSettings{1.0, settings.margin, settings.antialias, settings.transparent});
}

QImage RenderImage(const Drawing& drawing, const RenderSettings& settings, std::string* error)
{
    if (!ValidSettings(settings, error))
        return {};
    // Laid out as on an unscaled context (the image context measures its fonts at
    // their logical size too), so every scale shows the same picture.
    const SIZE logical = MeasureScaled(drawing, RenderSettings{1.0, settings.margin, false, false});
    const auto size = DeviceSize(logical, settings.scale, error);
    if (!size)
        return {};
    QImage image(*size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        SetError(error, "not enough memory for the picture");
        return {};
    }
    image.fill(settings.transparent ? Qt::transparent : Qt::white);
    // The physical size stays that of the 96-dpi picture.
    const int dpm = static_cast<int>(std::lround(kLogicalDpi * settings.scale / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    {
        CQtDC dc(&image);
        dc.SetAntialiasing(settings.antialias);
        dc.SetLayoutAtLogicalSize(true);
        ApplyScale(dc, settings.scale);
        drawing.draw(dc, settings.margin, settings.margin);
    }
    return image;
}

QByteArray RenderPng(const Drawing& drawing, const RenderSettings& settings, std::string* error)
{
    QImage image = RenderImage(drawing, settings, error);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        SetError(error, "PNG encoding failed");
        return {};
    }
    return bytes;
}

QByteArray RenderSvg(const Drawing& drawing, const RenderSettings& settings, std::string* error)
{
    if (!ValidSettings(settings, error))
        return {};
    const SIZE logical = MeasureScaled(drawing, RenderSettings{1.0, settings.margin, false, false});
    const auto size = DeviceSize(logical, 1.0, error);
    if (!size)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(*size);
    svg.setViewBox(QRect(QPoint(0, 0), *size));
    svg.setResolution(kLogicalDpi);
    // The generator writes title and description as they stand: quoted text such as
    // "a < b & c", or a control character, would otherwise make the file unreadable XML.
    const auto xmlText = [](const std::string& s) { return QString::fromStdString(XmlSafeUtf8(s)).toHtmlEscaped(); };
    svg.setTitle(drawing.title.empty() ? QStringLiteral("Equation") : xmlText(drawing.title));
    if (!drawing.description.empty())
        svg.setDescription(xmlText(drawing.description));
    {
        CQtDC dc(&svg);
        if (!dc.Painter()) {
            SetError(error, "SVG output could not be started");
            return {};
        }
        if (!settings.transparent)
            dc.Painter()->fillRect(QRect(QPoint(0, 0), *size), Qt::white);
        drawing.draw(dc, settings.margin, settings.margin);
    }
    // Marked as one image, so screen readers read its title rather than its paths.
    const int svgTag = bytes.indexOf("<svg");
    if (svgTag >= 0)
        bytes.insert(svgTag + 4, " role=\"img\"");
    return bytes;
}

QByteArray RenderPdf(const Drawing& drawing, const RenderSettings& settings, std::string* error)
{
    if (!ValidSettings(settings, error))
        return {};
    const SIZE logical = MeasureScaled(drawing, RenderSettings{1.0, settings.margin, false, false});
    const auto size = DeviceSize(logical, 1.0, error);
    if (!size)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        // 96 dots per inch, so logical units carry over as pixels do on the screen.
        pdf.setResolution(kLogicalDpi);
        pdf.setPageSize(QPageSize(QSizeF(size->width() * 72.0 / kLogicalDpi, size->height() * 72.0 / kLogicalDpi),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("Molvex 2"));
        CQtDC dc(&pdf);
        if (!dc.Painter()) {
            SetError(error, "PDF output could not be started");
            return {};
        }
        drawing.draw(dc, settings.margin, settings.margin);
    }
    return bytes;
}

std::optional<std::string> WriteFileAtomically(const std::string& path, const QByteArray& bytes)
{
    // QSaveFile reports a flush that fails for want of room only as it commits, and
    // renames all the same; the shared writer checks every step first.
    return WriteFileSafely(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (auto reason = WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes))
        return QString::fromLocal8Bit(reason->c_str());
    return std::nullopt;
}

std::optional<PictureFormat> PictureFormatOfPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    if (suffix == QLatin1String("wmf"))
        return PictureFormat::Wmf;
    return std::nullopt;
}

QByteArray EquationPictureFile(CMolvexDoc& doc, PictureFormat format, const RenderSettings& settings,
                               std::string* error)
{
    switch (format) {
    case PictureFormat::Png: return RenderPng(EquationDrawing(doc), settings, error);
    case PictureFormat::Svg: return RenderSvg(EquationDrawing(doc), settings, error);
    case PictureFormat::Pdf: return RenderPdf(EquationDrawing(doc), settings, error);
    case PictureFormat::Wmf: break;
    }
    const std::unique_ptr<CQtDC> screen = CreateScreenDC();
    const std::optional<RecordedPicture> picture = RecordEquationPicture(doc, *screen);
    if (!picture) {
        if (error)
            *error = kPictureTooLarge;
        return QByteArray();
    }
    const std::vector<std::uint8_t> wmf = PlaceableMetafile(*picture);
    if (wmf.empty() && error)
        *error = "the metafile could not be recorded";
    return QByteArray(reinterpret_cast<const char*>(wmf.data()), static_cast<qsizetype>(wmf.size()));
}
