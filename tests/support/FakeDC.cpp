#include "tests/support/FakeDC.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int CFakeDC::Units(unsigned char c)
{
    switch (c) {
    case 'm': case 'M': case 'w': case 'W':
        return 9;
    case 'i': case 'j': case 'l': case 'I': case '.': case ',': case ':': case ';':
    case '\'': case '!': case '|': case ' ':
        return 3;
    case '(': case ')': case '[': case ']': case '{': case '}': case '-':
        return 4;
    default:
        break;
    }
    if (c >= 'A' && c <= 'Z')
        return 7;
    return 6;
}

int CFakeDC::CharHeightOf(const LOGFONTA& font)
{
    if (font.lfHeight == 0)
        return 16;
    // Wide enough for INT_MIN without overflow; clamp to keep products in range.
    std::int64_t h = font.lfHeight < 0 ? -static_cast<std::int64_t>(font.lfHeight) : font.lfHeight;
    if (h > 1000000)
        h = 1000000;
    return static_cast<int>(h);
}

int CFakeDC::Width(const std::string& s, int h)
{
    int w = 0;
    for (unsigned char c : s)
        w += Advance(c, h);
    return w;
}

TEXTMETRICA CFakeDC::MetricsFor(int h)
{
    TEXTMETRICA tm;
    tm.tmInternalLeading = h / 5;
    tm.tmDescent = h / 4;
    tm.tmAscent = h + h / 5 - h / 4;
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = Advance('x', h);
    tm.tmMaxCharWidth = Advance('m', h);
    tm.tmWeight = 400;
    return tm;
}

void CFakeDC::Record(const char* name, std::initializer_list<std::int64_t> args, const char* text, int count)
{
    if (!m_recording)
        return;
    Call call;
    call.name = name;
    call.args = args;
    if (text && count > 0)
        call.text.assign(text, static_cast<std::size_t>(count));
    m_calls.push_back(std::move(call));
}

const CFakeDC::Object* CFakeDC::Find(HGDIOBJ h) const
{
    if (h == 0 || IsStockHandle(h) || h > m_objects.size())
        return nullptr;
    return &m_objects[h - 1];
}

HGDIOBJ CFakeDC::Add(const Object& o)
{
    if (m_reuseHandles && !m_free.empty()) {
        const auto lowest = std::min_element(m_free.begin(), m_free.end());
        const HGDIOBJ h = *lowest;
        m_free.erase(lowest);
        m_objects[h - 1] = o;
        return h;
    }
    m_objects.push_back(o);
    return static_cast<HGDIOBJ>(m_objects.size());
}

HGDIOBJ CFakeDC::CreatePen(int style, int width, COLORREF color)
{
    Record("CreatePen", {style, width, color});
    if (m_failPens)
        return 0;
    Object o;
    o.kind = Object::Pen;
    o.penStyle = style;
    o.penWidth = width;
    o.penColor = color;
    ++m_pensCreated;
    return Add(o);
}

HGDIOBJ CFakeDC::CreateFontIndirectA(const LOGFONTA& font)
{
    if (m_recording)
        Record("CreateFontIndirectA", {font.lfHeight, font.lfWeight, font.lfItalic}, font.lfFaceName,
               static_cast<int>(strnlen(font.lfFaceName, LF_FACESIZE)));
    if (m_failFonts)
        return 0;
    Object o;
    o.kind = Object::Font;
    o.font = font;
    o.font.lfFaceName[LF_FACESIZE - 1] = 0;
    ++m_fontsCreated;
    return Add(o);
}

ObjectKind CFakeDC::CreatedKind(HGDIOBJ object)
{
    const Object* o = Find(object);
    if (!o || o->deleted)
        return ObjectKind::None;
    return o->kind == Object::Font ? ObjectKind::Font : ObjectKind::Pen;
}

HGDIOBJ CFakeDC::SelectObject(HGDIOBJ object)
{
    Record("SelectObject", {object});
    return CStateDC::SelectObject(object);
}

bool CFakeDC::DeleteObject(HGDIOBJ object)
{
    Record("DeleteObject", {object});
    const Object* found = Find(object);
    if (!found || found->deleted || State().IsSelected(object)) {
        ++m_failedDeletes;
        return false;
    }
    Object& o = m_objects[object - 1];
    o.deleted = true;
    if (m_reuseHandles)
        m_free.push_back(object);
    if (o.kind == Object::Font)
        ++m_fontsDeleted;
    else
        ++m_pensDeleted;
    return true;
}

int CFakeDC::LiveObjects() const
{
    int n = 0;
    for (const Object& o : m_objects)
        n += o.deleted ? 0 : 1;
    return n;
}

int CFakeDC::SetBkMode(int mode)
{
    Record("SetBkMode", {mode});
    return CStateDC::SetBkMode(mode);
}

unsigned CFakeDC::SetTextAlign(unsigned align)
{
    Record("SetTextAlign", {align});
    return CStateDC::SetTextAlign(align);
}

unsigned CFakeDC::GetTextAlign()
{
    Record("GetTextAlign", {});
    return CStateDC::GetTextAlign();
}

COLORREF CFakeDC::SetTextColor(COLORREF color)
{
    Record("SetTextColor", {color});
    return CStateDC::SetTextColor(color);
}

COLORREF CFakeDC::GetTextColor()
{
    Record("GetTextColor", {});
    return CStateDC::GetTextColor();
}

int CFakeDC::SetMapMode(int mode)
{
    Record("SetMapMode", {mode});
    return CStateDC::SetMapMode(mode);
}

int CFakeDC::GetMapMode()
{
    Record("GetMapMode", {});
    return CStateDC::GetMapMode();
}

POINT CFakeDC::SetWindowOrg(int x, int y)
{
    Record("SetWindowOrg", {x, y});
    return CStateDC::SetWindowOrg(x, y);
}

SIZE CFakeDC::SetWindowExt(int cx, int cy)
{
    Record("SetWindowExt", {cx, cy});
    return CStateDC::SetWindowExt(cx, cy);
}

POINT CFakeDC::SetViewportOrg(int x, int y)
{
    Record("SetViewportOrg", {x, y});
    return CStateDC::SetViewportOrg(x, y);
}

SIZE CFakeDC::SetViewportExt(int cx, int cy)
{
    Record("SetViewportExt", {cx, cy});
    return CStateDC::SetViewportExt(cx, cy);
}

int CFakeDC::GetDeviceCaps(int index)
{
    Record("GetDeviceCaps", {index});
    switch (index) {
    case LOGPIXELSX:
        return m_logPixelsX;
    case LOGPIXELSY:
        return m_logPixelsY;
    case HORZRES:
        return 1920;
    case VERTRES:
        return 1080;
    case HORZSIZE:
        return 1920 * 254 / (m_logPixelsX > 0 ? m_logPixelsX : 96) / 10;
    case VERTSIZE:
        return 1080 * 254 / (m_logPixelsY > 0 ? m_logPixelsY : 96) / 10;
    default:
        return 0;
    }
}

LOGFONTA CFakeDC::SelectedLogFont() const
{
    const Object* o = Find(SelectedFont());
    return o ? o->font : LOGFONTA{};
}

int CFakeDC::SelectedHeight() const
{
    const Object* o = Find(SelectedFont());
    return o ? CharHeightOf(o->font) : CharHeightOf(LOGFONTA{});
}

bool CFakeDC::GetTextMetricsA(TEXTMETRICA& metrics)
{
    Record("GetTextMetricsA", {});
    metrics = MetricsFor(SelectedHeight());
    return true;
}

SIZE CFakeDC::GetTextExtentPoint32A(const char* text, int count)
{
    Record("GetTextExtentPoint32A", {count}, text, count);
    int h = SelectedHeight();
    SIZE s;
    std::int64_t w = 0;
    for (int i = 0; text && i < count; ++i)
        w += Advance(static_cast<unsigned char>(text[i]), h);
    s.cx = static_cast<std::int32_t>(w > 0x7FFFFFFF ? 0x7FFFFFFF : w);
    s.cy = MetricsFor(h).tmHeight;
    return s;
}

TEXTINK CFakeDC::GetTextInk(const char* text, int count)
{
    const int h = SelectedHeight();
    const TEXTMETRICA tm = MetricsFor(h);
    const LOGFONTA lf = SelectedLogFont();
    TEXTINK ink;
    bool any = false;
    std::int64_t x = 0;
    for (int i = 0; text && i < count; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::int64_t advance = Advance(c, h);
        if (c != ' ' && c != 0xA0) {
            const bool descender = std::strchr("gjpqy", c) != nullptr && c != 0;
            TEXTINK g{static_cast<std::int32_t>(x - (c == 'j' ? h / 10 : 0)),
                      static_cast<std::int32_t>(x + advance + (lf.lfItalic ? h / 5 : 0)),
                      c >= 0xC0 && c <= 0xDF ? tm.tmAscent + h / 5 : h - h / 4, descender ? tm.tmDescent : 0};
            ink = any ? TEXTINK{std::min(ink.left, g.left), std::max(ink.right, g.right), std::max(ink.ascent, g.ascent),
                                std::max(ink.descent, g.descent)}
                      : g;
            any = true;
        }
        x += advance;
    }
    return ink;
}

bool CFakeDC::TextOut(int x, int y, const char* text, int count)
{
    Record("TextOut", {x, y, count}, text, count);
    if (m_recording) {
        TextOutCall t;
        t.x = x;
        t.y = y;
        if (text && count > 0)
            t.text.assign(text, static_cast<std::size_t>(count));
        t.font = SelectedFont();
        LOGFONTA lf = SelectedLogFont();
        t.fontHeight = lf.lfHeight;
        t.face = lf.lfFaceName;
        t.color = State().textColor;
        t.align = State().textAlign;
        m_textOuts.push_back(std::move(t));
    }
    return true;
}

POINT CFakeDC::MoveTo(int x, int y)
{
    Record("MoveTo", {x, y});
    return CStateDC::MoveTo(x, y);
}

bool CFakeDC::LineTo(int x, int y)
{
    Record("LineTo", {x, y});
    return CStateDC::LineTo(x, y);
}

bool CFakeDC::DrawLine(POINT from, POINT to)
{
    if (m_recording) {
        Stroke s;
        s.from = from;
        s.to = to;
        s.pen = SelectedPen();
        if (const Object* o = Find(s.pen))
            s.color = o->penColor;
        else
            s.color = s.pen == StockHandle(WHITE_PEN) ? RGB(255, 255, 255) : 0;
        m_strokes.push_back(s);
    }
    return true;
}

std::vector<std::string> CFakeDC::CallNames() const
{
    std::vector<std::string> names;
    names.reserve(m_calls.size());
    for (const Call& c : m_calls)
        names.push_back(c.name);
    return names;
}

int CFakeDC::CountCalls(const std::string& name) const
{
    int n = 0;
    for (const Call& c : m_calls)
        n += c.name == name ? 1 : 0;
    return n;
}

std::string CFakeDC::DrawnText() const
{
    std::string s;
    for (const TextOutCall& t : m_textOuts)
        s += t.text;
    return s;
}
