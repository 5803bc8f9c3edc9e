#include "shell/FontCommand.h"

#include "shell/QtApplication.h"
#include "shell/Translations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "engine/Cp1252.h"

namespace {

constexpr int kSymbolCharset = 2;

struct NamedColor {
    const char* name;
    COLORREF color;
};

// The colours the system font dialog offers, their names marked for translation.
const NamedColor kColors[] = {
    {QT_TRANSLATE_NOOP("CFontChooser", "Black"), RGB(0, 0, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Maroon"), RGB(128, 0, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Green"), RGB(0, 128, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Olive"), RGB(128, 128, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Navy"), RGB(0, 0, 128)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Purple"), RGB(128, 0, 128)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Teal"), RGB(0, 128, 128)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Gray"), RGB(128, 128, 128)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Silver"), RGB(192, 192, 192)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Red"), RGB(255, 0, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Lime"), RGB(0, 255, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Yellow"), RGB(255, 255, 0)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Blue"), RGB(0, 0, 255)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Fuchsia"), RGB(255, 0, 255)},
    {QT_TRANSLATE_NOOP("CFontChooser", "Aqua"), RGB(0, 255, 255)},
    {QT_TRANSLATE_NOOP("CFontChooser", "White"), RGB(255, 255, 255)},
};

int ScreenLogPixelsY()
{
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return std::max(1, qRound(s->logicalDotsPerInchY()));
    return 96;
}

// How far a style is from the wanted weight and slant; widths other than the normal
// one (Condensed, Narrow, Expanded...) come last, so the family's plain face wins.
int StyleDistance(const QString& family, const QString& style, int weight, bool italic)
{
    int d = std::abs(QFontDatabase::weight(family, style) - weight);
    if (QFontDatabase::italic(family, style) != italic)
        d += 10000;
    static const char* const kWidths[] = {"Condensed", "Narrow", "Compressed", "Expanded", "Extended", "Wide"};
    for (const char* w : kWidths)
        if (style.contains(QLatin1String(w), Qt::CaseInsensitive))
            d += 1000;
    return d;
}

} // namespace

QString StyleForRecord(const QString& family, int weight, bool italic)
{
    QString best;
    int bestDistance = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        const int d = StyleDistance(family, style, weight, italic);
        if (best.isEmpty() || d < bestDistance) {
            best = style;
            bestDistance = d;
        }
    }
    return best;
}

QFont FontFromRecord(const KVLogFont& record, int logPixelsY)
{
    const LOGFONTA& lf = record.lf;
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    QFont font(QString::fromStdString(Cp1252ToUtf8(face)));
    const int height = std::abs(lf.lfHeight);
    if (height > 0 && logPixelsY > 0)
        font.setPointSizeF(std::max(1.0, height * 72.0 / logPixelsY));
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(lf.lfWeight), 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    // The font dialog selects a style by its name: name the family's own face for this
    // weight and slant ("Book", "Regular"), or it falls back to the first in its list.
    const QString style = StyleForRecord(font.family(), lf.lfWeight > 0 ? lf.lfWeight : 400, lf.lfItalic != 0);
    if (!style.isEmpty())
        font.setStyleName(style);
    return font;
}

int PointSizeTenths(const QFont& font, int logPixelsY)
{
    if (font.pointSizeF() > 0)
        return static_cast<int>(std::lround(font.pointSizeF() * 10.0));
    if (font.pixelSize() > 0 && logPixelsY > 0)
        return static_cast<int>(std::lround(font.pixelSize() * 720.0 / logPixelsY));
    return 0;
}

KVLogFont RecordFromChoice(const KVLogFont& base, const QFont& font, COLORREF color, int logPixelsY)
{
    KVLogFont r = base;
    const int tenths = PointSizeTenths(font, logPixelsY);
    // Pixels of a character height at the screen's resolution, rounded as GDI's MulDiv.
    const long long px = (static_cast<long long>(tenths) * logPixelsY + 360) / 720;
    r.lf.lfHeight = -static_cast<std::int32_t>(px);
    r.lf.lfWidth = 0;
    r.lf.lfWeight = font.weight();
    r.lf.lfItalic = font.italic() ? 1 : 0;
    r.lf.lfUnderline = font.underline() ? 1 : 0;
    r.lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const std::string face = Utf8ToCp1252(font.family().toStdString());
    r.lf.SetFaceName(face.c_str());
    r.lf.lfCharSet = face == "Symbol" ? kSymbolCharset : 0;
    r.color = color;
    r.himetricHeight = static_cast<std::int32_t>(tenths * 3.52777777777777);
    return r;
}

CFontChooser::CFontChooser(const QFont& font, COLORREF color, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Font"));
    auto* layout = new QVBoxLayout(this);

    m_fonts = new QFontDialog(this);
    m_fonts->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setCurrentFont(font);
    m_initialFont = m_fonts->currentFont();
    m_initialColor = color;
    layout->addWidget(m_fonts);

    auto* form = new QFormLayout;
    m_colors = new QComboBox(this);
    m_colors->setObjectName(QStringLiteral("fontColor"));
    int current = -1;
    for (const NamedColor& c : kColors) {
        QPixmap swatch(16, 12);
        swatch.fill(QColor(GetRValue(c.color), GetGValue(c.color), GetBValue(c.color)));
        m_colors->addItem(QIcon(swatch), tr(c.name), static_cast<uint>(c.color));
        if (c.color == color)
            current = m_colors->count() - 1;
    }
    if (current < 0) {
        // A colour of the record that is not in the list stays choosable.
        QPixmap swatch(16, 12);
        swatch.fill(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
        m_colors->addItem(QIcon(swatch), tr("Custom"), static_cast<uint>(color));
        current = m_colors->count() - 1;
    }
    m_colors->setCurrentIndex(current);
    form->addRow(tr("&Color:"), m_colors);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QFont CFontChooser::SelectedFont() const { return m_fonts->currentFont(); }

COLORREF CFontChooser::SelectedColor() const { return static_cast<COLORREF>(m_colors->currentData().toUInt()); }

bool CFontChooser::Changed() const
{
    return SelectedFont() != m_initialFont || SelectedColor() != m_initialColor;
}

std::optional<KVLogFont> ChosenFont(const CFontChooser& chooser, const KVLogFont& current, int logPixelsY)
{
    // The dialog shows sizes and weights in its own steps; reading back an untouched
    // dialog would round them, so OK without a change keeps the record as it is.
    if (!chooser.Changed())
        return std::nullopt;
    return RecordFromChoice(current, chooser.SelectedFont(), chooser.SelectedColor(), logPixelsY);
}

void RunFontCommand(CMolvexDoc& doc, MolvexAppState& app, QWidget* parent)
{
    const int dpi = ScreenLogPixelsY();
    const KVLogFont current = app.options.font.value;
    CFontChooser chooser(FontFromRecord(current, dpi), current.color, parent);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const std::optional<KVLogFont> chosen = ChosenFont(chooser, current, dpi);
    if (!chosen)
        return;
    if (const auto error = doc.ApplyFont(*chosen))
        QMessageBox::warning(parent, SaveErrorCaption(*error), SaveErrorText(*error));
}
