#include "platform/QtDeviceContext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <QFontDatabase>
#include <QFontInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QGlyphRun>
#include <QRawFont>

#include "engine/Cp1252.h"

namespace {

// Device pixel sizes beyond this are clamped: a damaged font record must not make Qt
// rasterise glyphs of arbitrary size.
constexpr int kMaxPixelSize = 2048;
constexpr std::size_t kMaxCachedFonts = 256;
// GDI's default character height when a LOGFONT asks for height 0.
constexpr int kDefaultEmHeight = 12;

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

bool IsSymbolFaceName(const char* face)
{
    return qstricmp(face, "Symbol") == 0;
}


void AppendCodePoint(QString& s, char32_t cp)
{
    if (cp > 0xFFFF) {
        s.append(QChar::highSurrogate(cp));
        s.append(QChar::lowSurrogate(cp));
    } else {
        s.append(QChar(static_cast<char16_t>(cp)));
    }
}

} // namespace

// A QFont realised at one device pixel size, with its metrics in device pixels and the
// advance of every byte, filled as the bytes are met.
struct CQtDC::Realised {
    QFont font;
    QFontMetrics metrics;
    // How text bytes become characters for this font.
    enum class Encoding { Cp1252, SymbolBytes, SymbolToUnicode } encoding = Encoding::Cp1252;
    int emHeight = 0;
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 400;
    bool italic = false;
    std::uint8_t charSet = 0;
    std::array<int, 256> advance;
    std::array<QString, 256> chars; // one-character strings, made when first drawn
    // For raster output: the glyph of each byte, drawn without shaping (a null run when
    // the face lacks it and Qt's fallback fonts must draw it).
    QRawFont raw;
    bool rawMade = false;
    std::array<std::unique_ptr<QGlyphRun>, 256> runs;
    std::array<bool, 256> runMade{};
    // Where each byte's glyph leaves ink, from its origin (y down), made when first asked.
    std::array<QRectF, 256> inks;
    std::array<bool, 256> inkMade{};

    explicit Realised(const QFont& f) : font(f), metrics(f) { advance.fill(-1); }
};

// ---------------------------------------------------------------------------------------
// Construction

CQtDC::CQtDC(QPaintDevice* device) : m_device(device)
{
    if (device) {
        m_ownPainter = std::make_unique<QPainter>();
        if (m_ownPainter->begin(device))
            m_painter = m_ownPainter.get();
        else
            m_ownPainter.reset();
    }
    Init();
}

CQtDC::CQtDC(QPainter* painter) : m_painter(painter && painter->isActive() ? painter : nullptr)
{
    m_device = m_painter ? m_painter->device() : nullptr;
    Init();
}

CQtDC::CQtDC(int dpiX, int dpiY)
{
    m_dpiX = dpiX > 0 ? dpiX : 96;
    m_dpiY = dpiY > 0 ? dpiY : 96;
    Init();
}

CQtDC::~CQtDC()
{
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
}

void CQtDC::Init()
{
    if (m_device) {
        m_dpiX = m_device->logicalDpiX() > 0 ? m_device->logicalDpiX() : 96;
        m_dpiY = m_device->logicalDpiY() > 0 ? m_device->logicalDpiY() : 96;
        // Ask an active painter for its engine: a widget's own paintEngine() is not
        // meant to be called and warns on every paint.
        QPaintEngine* engine = nullptr;
        if (m_painter && m_painter->isActive())
            engine = m_painter->paintEngine();
        else if (m_device->devType() != QInternal::Widget)
            engine = m_device->paintEngine();
        m_svg = engine && engine->type() == QPaintEngine::SVG;
        m_raster = engine && engine->type() == QPaintEngine::Raster;
    }
    m_forceUnicodeSymbols = m_svg;
    // The system font: a bold sans face with a 16-unit cell.
    m_stockFont.lf.lfHeight = 16;
    m_stockFont.lf.lfWeight = 700;
    m_stockFont.lf.SetFaceName("Arial");
    SetAntialiasing(false);
}

void CQtDC::SetAntialiasing(bool on)
{
    m_antialias = on;
    if (m_painter) {
        m_painter->setRenderHint(QPainter::Antialiasing, on);
        m_painter->setRenderHint(QPainter::TextAntialiasing, on);
    }
}

// ---------------------------------------------------------------------------------------
// Objects

HGDIOBJ CQtDC::CreatePen(int style, int width, COLORREF color)
{
    return m_objects.AddPen(PenObject{style, width, color});
}

HGDIOBJ CQtDC::CreateFontIndirectA(const LOGFONTA& font)
{
    const HGDIOBJ h = m_objects.AddFont(font);
    if (FontObject* obj = m_objects.Font(h))
        obj->symbolFace = IsSymbolFaceName(obj->lf.lfFaceName);
    return h;
}

ObjectKind CQtDC::CreatedKind(HGDIOBJ object)
{
    return m_objects.Kind(object);
}

void CQtDC::Selected(ObjectKind kind, HGDIOBJ object, HGDIOBJ /*previous*/)
{
    if (kind != ObjectKind::Font)
        return;
    // A face selected counts as in use even before anything is measured or drawn in
    // it: drawing a laid-out line selects fonts without measuring them.
    if (const FontObject* font = m_objects.Font(object))
        if (!font->symbolFace && font->lf.lfFaceName[0])
            std::memcpy(m_lastRegularFace, font->lf.lfFaceName, LF_FACESIZE);
}

bool CQtDC::DeleteObject(HGDIOBJ object)
{
    return !State().IsSelected(object) && m_objects.Delete(object);
}

// ---------------------------------------------------------------------------------------
// Mapping

int CQtDC::GetDeviceCaps(int index)
{
    switch (index) {
    case LOGPIXELSX:
        return m_dpiX;
    case LOGPIXELSY:
        return m_dpiY;
    case HORZRES:
        return m_device ? m_device->width() : 0;
    case VERTRES:
        return m_device ? m_device->height() : 0;
    case HORZSIZE:
        return m_device ? m_device->widthMM() : 0;
    case VERTSIZE:
        return m_device ? m_device->heightMM() : 0;
    default:
        return 0;
    }
}

std::uint64_t CQtDC::MetricsKey()
{
    // Fonts are realised from the logical inch, the mapping (unless measured at their
    // logical size) and the kind of device.
    const DrawingState& st = State();
    // The scale counts even for metrics at the logical size: glyphs drawn larger reach
    // a little differently (GetTextInk).
    const bool scaled = st.mapMode != MM_TEXT;
    const double values[] = {static_cast<double>(m_dpiX), static_cast<double>(m_dpiY), static_cast<double>(st.mapMode),
                             scaled ? st.ScaleX() : 0.0, scaled ? st.ScaleY() : 0.0, m_layoutAtLogicalSize ? 1.0 : 0.0,
                             m_svg ? 1.0 : 0.0, m_raster ? 1.0 : 0.0, m_forceUnicodeSymbols ? 1.0 : 0.0,
                             m_antialias ? 1.0 : 0.0,
                             m_device || m_painter ? 1.0 : 0.0};
    std::uint64_t key = 0x51ed270b27cd4f3dull;
    for (double v : values) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        key = (key ^ bits) * 1099511628211ull;
    }
    return key;
}

QPointF CQtDC::LogicalToDevice(int x, int y) const
{
    const DevicePoint p = State().ToDevice(x, y);
    return QPointF(p.x, p.y);
}

// ---------------------------------------------------------------------------------------
// Fonts

QString CQtDC::ResolvedFamily(const char* face)
{
    QFont f(QString::fromLatin1(face && *face ? face : "Arial"));
    f.setPixelSize(14);
    return QFontInfo(f).family();
}

bool CQtDC::IsSymbolEncoded(const QString& resolvedFamily)
{
    // A face that lists the symbol writing system, or that lacks the Greek the symbol
    // encoding stands for, draws the encoding's bytes.
    if (QFontDatabase::writingSystems(resolvedFamily).contains(QFontDatabase::Symbol))
        return true;
    QFont f(resolvedFamily);
    f.setPixelSize(14);
    f.setStyleStrategy(QFont::NoFontMerging);
    QRawFont raw = QRawFont::fromFont(f);
    return raw.isValid() && raw.supportsCharacter(QChar('n')) && !raw.supportsCharacter(QChar(0x03BD));
}

char32_t CQtDC::SymbolToUnicode(unsigned char c)
{
    return SymbolToCodePoint(c);
}

int CQtDC::DeviceFontHeight(const LOGFONTA& lf, double scale) const
{
    if (scale == 1.0 && lf.lfHeight < 0 && lf.lfHeight >= -kMaxPixelSize)
        return -lf.lfHeight;
    double h = lf.lfHeight == 0 ? kDefaultEmHeight * scale : std::fabs(static_cast<double>(lf.lfHeight)) * scale;
    int px = RoundToInt(h);
    // A positive height is the cell; mark it so Realise can take off the leading.
    px = std::clamp(px, 1, kMaxPixelSize);
    return lf.lfHeight > 0 ? -px : px;
}

CQtDC::Realised& CQtDC::Realise(const LOGFONTA& lf, bool symbolFace, int deviceHeight)
{
    // The encoding the face gets on this device.
    Realised::Encoding encoding = Realised::Encoding::Cp1252;
    QString family;
    if (symbolFace) {
        // Fonts do not change while the program runs: detect once.
        static const QString symbolFamily = ResolvedFamily("Symbol");
        static const bool symbolEncoded = IsSymbolEncoded(symbolFamily);
        if (symbolEncoded && !m_forceUnicodeSymbols) {
            encoding = Realised::Encoding::SymbolBytes;
            family = symbolFamily;
        } else {
            encoding = Realised::Encoding::SymbolToUnicode;
            family = QString::fromLatin1(m_lastRegularFace);
        }
    } else {
        family = QString::fromLatin1(lf.lfFaceName[0] ? lf.lfFaceName : "Arial");
    }

    FontKey key;
    key.lf = lf;
    if (encoding == Realised::Encoding::SymbolToUnicode)
        std::memcpy(key.regularFace, m_lastRegularFace, LF_FACESIZE);
    key.deviceHeight = deviceHeight;
    key.encoding = static_cast<int>(encoding);
    auto same = [&key](const FontKey& k) {
        return k.deviceHeight == key.deviceHeight && k.encoding == key.encoding &&
               std::memcmp(&k.lf, &key.lf, sizeof key.lf) == 0 &&
               std::memcmp(k.regularFace, key.regularFace, LF_FACESIZE) == 0;
    };
    // Layout asks for the same few fonts over and over: try the last one first.
    if (m_lastHit < m_cache.size() && same(m_cache[m_lastHit].first))
        return *m_cache[m_lastHit].second;
    for (std::size_t i = 0; i < m_cache.size(); ++i)
        if (same(m_cache[i].first)) {
            m_lastHit = i;
            return *m_cache[i].second;
        }

    if (m_cache.size() >= kMaxCachedFonts) {
        m_cache.clear();
        m_objects.ForEachFont([](FontObject& font) { font.realised = font.metricRealised = nullptr; });
        m_stockFont.realised = m_stockFont.metricRealised = nullptr;
    }

    QFont f(family);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(lf.lfWeight == 0 ? 400 : lf.lfWeight, 1, 1000)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    int px = deviceHeight;
    if (px < 0) {
        // A cell height: the character height is the cell less the internal leading,
        // taken in the proportions of the face at the cell size.
        int cell = -px;
        f.setPixelSize(cell);
        QFontMetrics probe(f);
        int full = probe.ascent() + probe.descent();
        px = full > 0 ? std::max(1, RoundToInt(static_cast<double>(cell) * cell / full)) : cell;
    }
    f.setPixelSize(px);

    auto realised = std::make_unique<Realised>(f);
    Realised& r = *realised;
    r.encoding = encoding;
    r.emHeight = px;
    r.ascent = r.metrics.ascent();
    r.descent = r.metrics.descent();
    r.externalLeading = std::max(0, r.metrics.leading());
    r.aveCharWidth = r.metrics.averageCharWidth();
    r.maxCharWidth = r.metrics.maxWidth();
    r.weight = lf.lfWeight == 0 ? 400 : lf.lfWeight;
    r.italic = lf.lfItalic != 0;
    r.charSet = lf.lfCharSet;
    m_lastHit = m_cache.size();
    m_cache.emplace_back(key, std::move(realised));
    return r;
}

CQtDC::FontObject& CQtDC::SelectedFont()
{
    FontObject* selected = m_objects.Font(State().Selected(ObjectKind::Font));
    FontObject& obj = selected ? *selected : m_stockFont;
    // A translated symbol face is drawn in the regular face last in use.
    if (!obj.symbolFace && obj.lf.lfFaceName[0])
        std::memcpy(m_lastRegularFace, obj.lf.lfFaceName, LF_FACESIZE);
    return obj;
}

CQtDC::Realised& CQtDC::CurrentFont()
{
    FontObject& obj = SelectedFont();
    int height = DeviceFontHeight(obj.lf, std::fabs(State().ScaleY()));
    // Symbol faces follow the regular face they stand in for, so are looked up each
    // time.
    if (!obj.realised || obj.deviceHeight != height || obj.symbolFace) {
        obj.realised = &Realise(obj.lf, obj.symbolFace, height);
        obj.deviceHeight = height;
    }
    return *obj.realised;
}

CQtDC::Realised& CQtDC::MetricFont()
{
    if (!LogicalMetrics())
        return CurrentFont();
    FontObject& obj = SelectedFont();
    int height = DeviceFontHeight(obj.lf, 1.0);
    if (!obj.metricRealised || obj.metricHeight != height || obj.symbolFace) {
        obj.metricRealised = &Realise(obj.lf, obj.symbolFace, height);
        obj.metricHeight = height;
    }
    return *obj.metricRealised;
}

QString CQtDC::TextFor(const Realised& font, const char* text, int count) const
{
    QString s;
    s.reserve(count);
    for (int i = 0; i < count; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        switch (font.encoding) {
        case Realised::Encoding::SymbolBytes:
            s.append(QChar(static_cast<char16_t>(c)));
            break;
        case Realised::Encoding::SymbolToUnicode:
            AppendCodePoint(s, SymbolToUnicode(c));
            break;
        case Realised::Encoding::Cp1252:
            AppendCodePoint(s, Cp1252ToCodePoint(c));
            break;
        }
    }
    return s;
}

const QString& CQtDC::CharText(Realised& font, char c) const
{
    QString& s = font.chars[static_cast<unsigned char>(c)];
    if (s.isNull())
        s = TextFor(font, &c, 1);
    return s;
}

void CQtDC::DrawChar(Realised& font, char c, const QPointF& origin)
{
    const auto b = static_cast<unsigned char>(c);
    if (m_raster) {
        // Laying out one character needs no shaping: its glyph is drawn directly, which
        // makes drawing several times faster than drawText.
        if (!font.runMade[b]) {
            font.runMade[b] = true;
            if (!font.rawMade) {
                font.rawMade = true;
                font.raw = QRawFont::fromFont(font.font);
            }
            if (font.raw.isValid()) {
                QList<quint32> glyphs = font.raw.glyphIndexesForString(CharText(font, c));
                if (glyphs.size() == 1 && glyphs[0] != 0) {
                    auto run = std::make_unique<QGlyphRun>();
                    run->setRawFont(font.raw);
                    run->setGlyphIndexes(glyphs);
                    run->setPositions({QPointF(0, 0)});
                    run->setUnderline(font.font.underline());
                    run->setStrikeOut(font.font.strikeOut());
                    font.runs[b] = std::move(run);
                }
            }
        }
        if (font.runs[b]) {
            m_painter->drawGlyphRun(origin, *font.runs[b]);
            return;
        }
    }
    // Only text that Qt shapes needs the painter's font; setting it is not cheap.
    m_painter->setFont(font.font);
    m_painter->drawText(origin, CharText(font, c));
}

int CQtDC::DeviceAdvance(Realised& font, const char* text, int count)
{
    long long sum = 0;
    for (int i = 0; i < count; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        int& adv = font.advance[c];
        if (adv < 0)
            adv = font.metrics.horizontalAdvance(CharText(font, text[i]));
        sum += adv;
    }
    return static_cast<int>(std::min<long long>(sum, 0x3FFFFFFF));
}

bool CQtDC::GetTextMetricsA(TEXTMETRICA& tm)
{
    Realised& f = MetricFont();
    // Metrics of a font measured at its logical height are logical already.
    const bool logical = LogicalMetrics();
    auto ly = [&](int v) { return logical ? v : State().ToLogicalY(v); };
    auto lx = [&](int v) { return logical ? v : State().ToLogicalX(v); };
    tm = TEXTMETRICA{};
    tm.tmAscent = ly(f.ascent);
    tm.tmDescent = ly(f.descent);
    tm.tmHeight = ly(f.ascent + f.descent);
    tm.tmInternalLeading = ly(std::max(0, f.ascent + f.descent - f.emHeight));
    tm.tmExternalLeading = ly(f.externalLeading);
    tm.tmAveCharWidth = lx(f.aveCharWidth);
    tm.tmMaxCharWidth = lx(f.maxCharWidth);
    tm.tmWeight = f.weight;
    tm.tmItalic = f.italic ? 1 : 0;
    tm.tmCharSet = f.charSet;
    return true;
}

SIZE CQtDC::GetTextExtentPoint32A(const char* text, int count)
{
    Realised& f = MetricFont();
    if (!text || count < 0)
        count = 0;
    const int advance = DeviceAdvance(f, text, count);
    if (LogicalMetrics())
        return SIZE{advance, f.ascent + f.descent};
    return SIZE{State().ToLogicalX(advance), State().ToLogicalY(f.ascent + f.descent)};
}

const QRectF& CQtDC::GlyphInk(Realised& font, char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (font.inkMade[b])
        return font.inks[b];
    font.inkMade[b] = true;
    // The pixels the glyph really covers: it is drawn as DrawChar draws it (hinted,
    // antialiased or not) on a scratch image well larger than Qt's bounding box, and
    // the pixels it inked are found there. Outline boxes are a pixel or two larger than
    // the ink and would widen pictures that clip nothing.
    const QRect bound = font.metrics.boundingRect(CharText(font, c));
    if (bound.isEmpty())
        return font.inks[b];
    const int pad = 2 + font.emHeight / 2;
    QImage scratch(bound.width() + 2 * pad, bound.height() + 2 * pad, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::white);
    const QPoint origin(pad - bound.left(), pad - bound.top());
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, m_antialias);
        painter.setRenderHint(QPainter::TextAntialiasing, m_antialias);
        painter.setPen(Qt::black);
        QPainter* const target = std::exchange(m_painter, &painter);
        const bool raster = std::exchange(m_raster, true);
        DrawChar(font, c, QPointF(origin));
        m_raster = raster;
        m_painter = target;
    }
    int left = scratch.width(), top = scratch.height(), right = -1, bottom = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right >= 0)
        font.inks[b] = QRectF(left - origin.x(), top - origin.y(), right + 1 - left, bottom + 1 - top);
    return font.inks[b];
}

TEXTINK CQtDC::GetTextInk(const char* text, int count)
{
    if (!text || count <= 0)
        return {};
    Realised& f = CurrentFont();
    Realised& m = MetricFont();
    // Characters stand where TextOut puts them: at the measured advances, scaled to the
    // device when the metrics are logical.
    const double kx = LogicalMetrics() ? std::fabs(State().ScaleX()) : 1.0;
    DeviceInk ink;
    long long offset = 0;
    for (int i = 0; i < count; ++i) {
        const QRectF& g = GlyphInk(f, text[i]);
        if (!g.isEmpty()) {
            const double x = static_cast<double>(offset) * kx;
            ink.Add(x + g.left(), g.top(), x + g.right(), g.bottom());
        }
        offset += DeviceAdvance(m, text + i, 1);
    }
    return State().ToLogical(ink);
}

// ---------------------------------------------------------------------------------------
// Output

bool CQtDC::TextOut(int x, int y, const char* text, int count)
{
    if (!text || count <= 0)
        return count == 0;
    Realised& f = CurrentFont();
    Realised& m = MetricFont();
    // Placement follows the measured font; with metrics at the logical size they are
    // scaled to the device.
    const bool logical = LogicalMetrics();
    const double kx = logical ? std::fabs(State().ScaleX()) : 1.0;
    const double ky = logical ? std::fabs(State().ScaleY()) : 1.0;
    const int measured = DeviceAdvance(m, text, count);
    const double advance = measured * kx;
    const double ascent = m.ascent * ky;
    const double descent = m.descent * ky;
    const TextPlacement placed = MutableState().PlaceText(
        x, y, DeviceTextSize{advance, (measured / 2) * kx, ascent, descent, logical ? measured : State().ToLogicalX(measured)});
    const double left = placed.left;
    const double baseline = placed.baseline;

    if (!m_painter)
        return true;
    QRectF box(left, baseline - ascent, advance, ascent + descent);
    if (State().bkMode == OPAQUE)
        m_painter->fillRect(box, Qt::white);
    m_painter->setPen(ToQColor(State().textColor));
    if (count == 1) {
        DrawChar(f, text[0], QPointF(left, baseline));
        return true;
    }
    if (!logical) {
        m_painter->setFont(f.font);
        m_painter->drawText(QPointF(left, baseline), TextFor(f, text, count));
        return true;
    }
    // Each character where the measured advances put it, so a scaled string keeps
    // the unscaled layout.
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        DrawChar(f, text[i], QPointF(left + offset * kx, baseline));
        offset += DeviceAdvance(m, text + i, 1);
    }
    return true;
}

bool CQtDC::DrawLine(POINT from, POINT to)
{
    const std::optional<PenObject> pen = m_objects.StrokePen(State().Selected(ObjectKind::Pen));
    if (!pen)
        return true;
    const COLORREF color = pen->color;
    const int width = pen->width;

    QPointF a = LogicalToDevice(from.x, from.y);
    QPointF b = LogicalToDevice(to.x, to.y);
    if (a == b)
        return true;
    // GDI pens: width in logical units, at least one pixel.
    const double w = std::clamp(RoundToInt(std::max(1, width) * std::fabs(State().ScaleX())), 1, kMaxPixelSize);
    if (!m_painter)
        return true;

    // GDI's pixel model: a point names the pixel to its lower right, and the line runs
    // through pixel centres from the first point up to, not including, the last. The
    // stroke is w pixels thick across its minor axis, as a scaled thin line would be.
    QPointF half(w / 2, w / 2);
    QPointF ca = a + half;
    QPointF cb = b + half;
    QPointF d = cb - ca;
    double major = std::max(std::fabs(d.x()), std::fabs(d.y()));
    QPointF shift = d / major * (w / 2);
    QPointF start = ca - shift;
    QPointF end = cb - shift;
    QColor qcolor = ToQColor(color);
    QPaintEngine* engine = m_painter->paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster) {
        QPointF n = std::fabs(d.x()) >= std::fabs(d.y()) ? QPointF(0, w / 2) : QPointF(w / 2, 0);
        const QPointF quad[4] = {start - n, end - n, end + n, start + n};
        m_painter->setPen(Qt::NoPen);
        m_painter->setBrush(qcolor);
        m_painter->drawConvexPolygon(quad, 4);
        m_painter->setBrush(Qt::NoBrush);
    } else {
        QPen pen(qcolor);
        pen.setWidthF(w);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        m_painter->setPen(pen);
        m_painter->drawLine(start, end);
    }
    return true;
}
