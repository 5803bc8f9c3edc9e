#include "svg/SvgDC.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/Cp1252.h"

namespace {

constexpr int kMaxPixelSize = 2048;
constexpr std::size_t kMaxCachedFonts = 256;
// GDI's default character height when a LOGFONT asks for height 0.
constexpr int kDefaultEmHeight = 12;

// Coordinates with at most three decimals and no trailing zeros.
void AppendNumber(std::string& out, double v)
{
    char buf[32];
    if (std::fabs(v - std::round(v)) < 1e-9) {
        std::snprintf(buf, sizeof buf, "%.0f", std::round(v) == 0 ? 0.0 : std::round(v));
    } else {
        std::snprintf(buf, sizeof buf, "%.3f", v);
        std::size_t n = std::strlen(buf);
        while (n > 0 && buf[n - 1] == '0')
            buf[--n] = '\0';
    }
    out += buf;
}

void AppendColor(std::string& out, COLORREF c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    out += buf;
}

bool XmlAllows(char32_t cp)
{
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
           (cp >= 0x10000 && cp <= 0x10FFFF);
}

void AppendEscaped(std::string& out, char32_t cp)
{
    switch (cp) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    default: break;
    }
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The family list of a face: the name the equation asks for, then the family that has
// its metrics, then the generic family.
std::string FamilyList(const char* asked, const BuiltinFace* face)
{
    std::string family = face ? BuiltinFamily(*face) : "Liberation Sans";
    std::string list;
    auto add = [&list](const std::string& name) {
        if (!list.empty())
            list += ", ";
        const bool quote = name.find(' ') != std::string::npos;
        if (quote)
            list += '\'';
        list += name;
        if (quote)
            list += '\'';
    };
    if (asked && *asked && family != asked)
        add(asked);
    add(family);
    add(family == "Liberation Mono" ? "monospace" : family == "Liberation Serif" ? "serif" : "sans-serif");
    return list;
}

} // namespace

std::string XmlEscape(const std::string& utf8)
{
    std::string out;
    for (char c : XmlSafeUtf8(utf8)) {
        // Bytes of multi-byte characters are copied as they are.
        if (static_cast<unsigned char>(c) >= 0x80)
            out += c;
        else
            AppendEscaped(out, static_cast<unsigned char>(c));
    }
    return out;
}

CSvgDC::CSvgDC(int dpi) : m_dpi(dpi > 0 ? dpi : 96)
{
    // The system font: a bold sans face with a 16-unit cell.
    m_stockFont.lf.lfHeight = 16;
    m_stockFont.lf.lfWeight = 700;
    m_stockFont.lf.SetFaceName("Arial");
    m_stockFont.face = FindBuiltinFace(m_stockFont.lf);
    m_lastRegularFace = m_stockFont.face;
}

CSvgDC::~CSvgDC() = default;

HGDIOBJ CSvgDC::CreatePen(int style, int width, COLORREF color)
{
    return m_objects.AddPen(PenObject{style, width, color});
}

HGDIOBJ CSvgDC::CreateFontIndirectA(const LOGFONTA& font)
{
    const HGDIOBJ h = m_objects.AddFont(font);
    if (FontObject* obj = m_objects.Font(h))
        obj->face = FindBuiltinFace(obj->lf);
    return h;
}

ObjectKind CSvgDC::CreatedKind(HGDIOBJ object)
{
    return m_objects.Kind(object);
}

void CSvgDC::Selected(ObjectKind kind, HGDIOBJ object, HGDIOBJ /*previous*/)
{
    if (kind == ObjectKind::Font && !IsStockHandle(object))
        SelectedFont(); // a face selected counts as in use, as in the Qt context
}

bool CSvgDC::DeleteObject(HGDIOBJ object)
{
    return !State().IsSelected(object) && m_objects.Delete(object);
}

int CSvgDC::GetDeviceCaps(int index)
{
    return index == LOGPIXELSX || index == LOGPIXELSY ? m_dpi : 0;
}

const CSvgDC::FontObject& CSvgDC::SelectedFont()
{
    const FontObject* selected = m_objects.Font(State().Selected(ObjectKind::Font));
    const FontObject& obj = selected ? *selected : m_stockFont;
    if (!(obj.face && IsSymbolFace(*obj.face)) && obj.lf.lfFaceName[0]) {
        m_lastRegularFace = obj.face;
        m_lastRegularName = std::string(obj.lf.lfFaceName, strnlen(obj.lf.lfFaceName, LF_FACESIZE));
    }
    return obj;
}

const BuiltinFont& CSvgDC::CurrentFont()
{
    const FontObject& obj = SelectedFont();
    const LOGFONTA& lf = obj.lf;
    const BuiltinFace* face = obj.face;
    if (!face) {
        // Not one of the built-in faces: measured as Liberation Sans in its style, and
        // reported, so that a caller can use the Qt context instead.
        m_allBuiltin = false;
        LOGFONTA sans = lf;
        sans.SetFaceName("Liberation Sans");
        sans.lfWeight = lf.lfWeight >= 600 ? 700 : 400;
        face = FindBuiltinFace(sans);
    }
    // The device height as the Qt context computes it; negative for a cell height.
    const double scale = std::fabs(State().ScaleY());
    int px;
    if (scale == 1.0 && lf.lfHeight < 0 && lf.lfHeight >= -kMaxPixelSize) {
        px = -lf.lfHeight;
    } else {
        const double h = lf.lfHeight == 0 ? kDefaultEmHeight * scale : std::fabs(static_cast<double>(lf.lfHeight)) * scale;
        px = std::clamp(RoundToInt(h), 1, kMaxPixelSize);
        if (lf.lfHeight > 0)
            px = -px;
    }
    const bool bold = lf.lfWeight >= 700;
    if (m_lastHit < m_cache.size() && m_cache[m_lastHit].face == face && m_cache[m_lastHit].pixelSize == px &&
        m_cache[m_lastHit].bold == bold)
        return *m_cache[m_lastHit].font;
    for (std::size_t i = 0; i < m_cache.size(); ++i)
        if (m_cache[i].face == face && m_cache[i].pixelSize == px && m_cache[i].bold == bold) {
            m_lastHit = i;
            return *m_cache[i].font;
        }
    if (m_cache.size() >= kMaxCachedFonts)
        m_cache.clear();
    LOGFONTA realised = lf;
    realised.lfWeight = bold ? 700 : 400;
    m_cache.push_back(Cached{face, px, bold, std::make_unique<BuiltinFont>(RealiseBuiltin(*face, realised, px))});
    m_lastHit = m_cache.size() - 1;
    return *m_cache.back().font;
}

int CSvgDC::Advance(const BuiltinFont& font, const char* text, int count) const
{
    long long sum = 0;
    for (int i = 0; i < count; ++i)
        sum += font.advance[static_cast<unsigned char>(text[i])];
    return static_cast<int>(std::min<long long>(sum, 0x3FFFFFFF));
}

bool CSvgDC::GetTextMetricsA(TEXTMETRICA& tm)
{
    const BuiltinFont& f = CurrentFont();
    const FontObject& obj = SelectedFont();
    tm = TEXTMETRICA{};
    tm.tmAscent = State().ToLogicalY(f.ascent);
    tm.tmDescent = State().ToLogicalY(f.descent);
    tm.tmHeight = State().ToLogicalY(f.ascent + f.descent);
    tm.tmInternalLeading = State().ToLogicalY(std::max(0, f.ascent + f.descent - f.emHeight));
    tm.tmExternalLeading = State().ToLogicalY(std::max(0, f.leading));
    tm.tmAveCharWidth = State().ToLogicalX(f.aveCharWidth);
    tm.tmMaxCharWidth = State().ToLogicalX(f.maxCharWidth);
    tm.tmWeight = obj.lf.lfWeight == 0 ? 400 : obj.lf.lfWeight;
    tm.tmItalic = obj.lf.lfItalic != 0 ? 1 : 0;
    tm.tmCharSet = obj.lf.lfCharSet;
    return true;
}

SIZE CSvgDC::GetTextExtentPoint32A(const char* text, int count)
{
    const BuiltinFont& f = CurrentFont();
    if (!text || count < 0)
        count = 0;
    return SIZE{State().ToLogicalX(Advance(f, text, count)), State().ToLogicalY(f.ascent + f.descent)};
}

TEXTINK CSvgDC::GetTextInk(const char* text, int count)
{
    if (!text || count <= 0)
        return {};
    const BuiltinFont& f = CurrentFont();
    const bool symbol = f.face && IsSymbolFace(*f.face);
    DeviceInk ink;
    long long x = 0;
    for (int i = 0; i < count; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        // Only what WriteText writes leaves ink.
        const char32_t cp = symbol ? SymbolToCodePoint(b) : Cp1252ToCodePoint(b);
        const PixelBox g = cp >= 0x20 && XmlAllows(cp) ? BuiltinInk(f, b) : PixelBox{};
        if (!g.Empty())
            ink.Add(static_cast<double>(x + g.left), g.top, static_cast<double>(x + g.right), g.bottom);
        x += f.advance[b];
    }
    return State().ToLogical(ink);
}

bool CSvgDC::TextOut(int x, int y, const char* text, int count)
{
    if (!text || count <= 0)
        return count == 0;
    const BuiltinFont& f = CurrentFont();
    const FontObject& obj = SelectedFont();
    const int advance = Advance(f, text, count);

    const TextPlacement placed = MutableState().PlaceText(
        x, y, DeviceTextSize{static_cast<double>(advance), static_cast<double>(advance / 2), static_cast<double>(f.ascent),
                             static_cast<double>(f.descent), State().ToLogicalX(advance)});
    const double left = placed.left;
    const double baseline = placed.baseline;
    if (State().bkMode == OPAQUE) {
        m_out += "<rect x=\"";
        AppendNumber(m_out, left);
        m_out += "\" y=\"";
        AppendNumber(m_out, baseline - f.ascent);
        m_out += "\" width=\"";
        AppendNumber(m_out, advance);
        m_out += "\" height=\"";
        AppendNumber(m_out, f.ascent + f.descent);
        m_out += "\" fill=\"#ffffff\"/>\n";
    }
    WriteText(f, obj, left, baseline, text, count);
    return true;
}

void CSvgDC::WriteText(const BuiltinFont& font, const FontObject& object, double left, double baseline,
                       const char* text, int count)
{
    const bool symbol = font.face && IsSymbolFace(*font.face);
    // Every character where the advances put it, so a viewer's own metrics cannot move
    // it; characters XML cannot carry are left out, their room kept.
    std::string xs, chars;
    double x = left;
    for (int i = 0; i < count; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const char32_t cp = symbol ? SymbolToCodePoint(b) : Cp1252ToCodePoint(b);
        if (cp >= 0x20 && XmlAllows(cp)) {
            if (!xs.empty())
                xs += ' ';
            AppendNumber(xs, x);
            AppendEscaped(chars, cp);
        }
        x += font.advance[b];
    }
    if (chars.empty())
        return;
    // A Symbol face is written as Unicode in the regular face last in use.
    const std::string asked = symbol ? m_lastRegularName
                                     : std::string(object.lf.lfFaceName, strnlen(object.lf.lfFaceName, LF_FACESIZE));
    const BuiltinFace* face = symbol ? m_lastRegularFace : font.face;
    m_out += "<text x=\"" + xs + "\" y=\"";
    AppendNumber(m_out, baseline);
    m_out += "\" font-family=\"" + XmlEscape(FamilyList(asked.c_str(), face && !IsSymbolFace(*face) ? face : nullptr)) +
             "\" font-size=\"";
    AppendNumber(m_out, font.emHeight);
    m_out += '"';
    if (object.lf.lfWeight >= 700)
        m_out += " font-weight=\"bold\"";
    if (object.lf.lfItalic)
        m_out += " font-style=\"italic\"";
    if (object.lf.lfUnderline || object.lf.lfStrikeOut) {
        m_out += " text-decoration=\"";
        m_out += object.lf.lfUnderline ? (object.lf.lfStrikeOut ? "underline line-through" : "underline") : "line-through";
        m_out += '"';
    }
    if (State().textColor != 0) {
        m_out += " fill=\"";
        AppendColor(m_out, State().textColor);
        m_out += '"';
    }
    m_out += '>' + chars + "</text>\n";
}

bool CSvgDC::DrawLine(POINT from, POINT to)
{
    const std::optional<PenObject> pen = m_objects.StrokePen(State().Selected(ObjectKind::Pen));
    if (!pen)
        return true;
    const COLORREF color = pen->color;
    const int width = pen->width;
    const DevicePoint a = State().ToDevice(from.x, from.y);
    const DevicePoint b = State().ToDevice(to.x, to.y);
    const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    if (ax == bx && ay == by)
        return true;
    // GDI's pixel model, as the Qt context draws it: a point names the pixel to its
    // lower right, and the stroke runs through pixel centres from the first point up
    // to, not including, the last, w pixels thick across its minor axis.
    const double w = std::clamp(RoundToInt(std::max(1, width) * std::fabs(State().ScaleX())), 1, kMaxPixelSize);
    const double dx = bx - ax, dy = by - ay;
    const double major = std::max(std::fabs(dx), std::fabs(dy));
    const double sx = dx / major * (w / 2), sy = dy / major * (w / 2);
    m_out += "<path d=\"M";
    AppendNumber(m_out, ax + w / 2 - sx);
    m_out += ' ';
    AppendNumber(m_out, ay + w / 2 - sy);
    m_out += 'L';
    AppendNumber(m_out, bx + w / 2 - sx);
    m_out += ' ';
    AppendNumber(m_out, by + w / 2 - sy);
    m_out += "\" stroke=\"";
    AppendColor(m_out, color);
    m_out += "\" stroke-width=\"";
    AppendNumber(m_out, w);
    m_out += "\" fill=\"none\"/>\n";
    return true;
}
