#include "document/MetafileDC.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// The metafile holds 16-bit coordinates; saturating keeps an overflow from wrapping
// round into the picture.
std::uint16_t Word(int v)
{
    v = std::clamp(v, -32768, 32767);
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
}

std::uint16_t Low(std::uint32_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
std::uint16_t High(std::uint32_t v) { return static_cast<std::uint16_t>(v >> 16); }

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, Low(v));
    Put16(out, High(v));
}

// Bytes packed into words, low byte first, padded with a zero byte to a whole word.
void PutBytes(std::vector<std::uint16_t>& params, const std::uint8_t* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; i += 2) {
        std::uint16_t w = bytes[i];
        if (i + 1 < count)
            w = static_cast<std::uint16_t>(w | (bytes[i + 1] << 8));
        params.push_back(w);
    }
}

std::vector<std::uint16_t> PenParams(int style, int width, COLORREF color)
{
    // LOGPEN16: style, width as a POINTS (x used, y 0), colour.
    return {static_cast<std::uint16_t>(style), Word(width), 0, Low(color), High(color)};
}

std::vector<std::uint16_t> BrushParams(std::uint16_t style, COLORREF color)
{
    // LOGBRUSH16: style, colour, hatch.
    return {style, Low(color), High(color), 0};
}

std::vector<std::uint16_t> FontParams(const LOGFONTA& lf)
{
    std::vector<std::uint16_t> p{Word(lf.lfHeight), Word(lf.lfWidth), Word(lf.lfEscapement),
                                 Word(lf.lfOrientation), Word(lf.lfWeight)};
    const std::uint8_t flags[8] = {lf.lfItalic,       lf.lfUnderline,     lf.lfStrikeOut, lf.lfCharSet,
                                   lf.lfOutPrecision, lf.lfClipPrecision, lf.lfQuality,   lf.lfPitchAndFamily};
    PutBytes(p, flags, sizeof flags);
    // The face field is written at its full 32 bytes, always terminated.
    std::uint8_t face[LF_FACESIZE] = {};
    for (int i = 0; i < LF_FACESIZE - 1 && lf.lfFaceName[i]; ++i)
        face[i] = static_cast<std::uint8_t>(lf.lfFaceName[i]);
    PutBytes(p, face, sizeof face);
    return p;
}

// What the attribute context had before the recorder first changed it.
template <class T>
void KeepFirst(std::optional<T>& saved, const T& previous)
{
    if (!saved)
        saved = previous;
}

} // namespace

CMetafileDC::CMetafileDC(CDC& attribute) : m_attr(attribute) {}

CMetafileDC::~CMetafileDC()
{
    if (!m_closed)
        RestoreAttribute();
}

void CMetafileDC::Record(std::uint16_t function, const std::vector<std::uint16_t>& params)
{
    if (m_closed)
        return;
    const std::uint32_t words = 3 + static_cast<std::uint32_t>(params.size());
    m_maxRecordWords = std::max(m_maxRecordWords, words);
    Put32(m_records, words);
    Put16(m_records, function);
    for (std::uint16_t p : params)
        Put16(m_records, p);
}

int CMetafileDC::AllocateSlot()
{
    // The object table is filled lowest index first, as playback expects.
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (!m_slots[i]) {
            m_slots[i] = true;
            return static_cast<int>(i);
        }
    m_slots.push_back(true);
    return static_cast<int>(m_slots.size() - 1);
}

int CMetafileDC::Realise(Object& object)
{
    if (object.slot < 0) {
        object.slot = AllocateSlot();
        Record(object.createFunction, object.create);
    }
    return object.slot;
}

// A 16-bit metafile cannot refer to stock objects: GDI has no record for them. So
// the first time a stock pen, brush or font is selected, an equivalent object is
// created in the table; it keeps its slot for the rest of the recording (stock
// objects are never deleted) and later selections reuse it. Selecting the font,
// pen and brush that a playback context starts with records nothing until
// something else has been selected, since playback already has them.
std::optional<CMetafileDC::Object> CMetafileDC::StockObject(HGDIOBJ handle) const
{
    if (!IsStockHandle(handle))
        return std::nullopt;
    Object o;
    o.attribute = handle;
    switch (StockIndex(handle)) {
    case WHITE_BRUSH: o.kind = ObjectKind::Brush; o.create = BrushParams(wmf::BS_SOLID, RGB(255, 255, 255)); break;
    case 1: o.kind = ObjectKind::Brush; o.create = BrushParams(wmf::BS_SOLID, RGB(192, 192, 192)); break;
    case 2: o.kind = ObjectKind::Brush; o.create = BrushParams(wmf::BS_SOLID, RGB(128, 128, 128)); break;
    case 3: o.kind = ObjectKind::Brush; o.create = BrushParams(wmf::BS_SOLID, RGB(64, 64, 64)); break;
    case BLACK_BRUSH: o.kind = ObjectKind::Brush; o.create = BrushParams(wmf::BS_SOLID, 0); break;
    case NULL_BRUSH: o.kind = ObjectKind::Brush; o.create = BrushParams(wmf::BS_NULL, 0); break;
    case WHITE_PEN: o.kind = ObjectKind::Pen; o.create = PenParams(PS_SOLID, 0, RGB(255, 255, 255)); break;
    case BLACK_PEN: o.kind = ObjectKind::Pen; o.create = PenParams(PS_SOLID, 0, 0); break;
    case NULL_PEN: o.kind = ObjectKind::Pen; o.create = PenParams(PS_NULL, 0, 0); break;
    case SYSTEM_FONT: {
        // The system font as Windows describes it.
        LOGFONTA lf;
        lf.lfHeight = 16;
        lf.lfWidth = 7;
        lf.lfWeight = 700;
        lf.lfPitchAndFamily = 0x22; // variable pitch, Swiss
        lf.SetFaceName("System");
        o.kind = ObjectKind::Font;
        o.create = FontParams(lf);
        break;
    }
    default:
        return std::nullopt;
    }
    o.createFunction = o.kind == ObjectKind::Pen    ? wmf::META_CREATEPENINDIRECT
                       : o.kind == ObjectKind::Font ? wmf::META_CREATEFONTINDIRECT
                                                    : wmf::META_CREATEBRUSHINDIRECT;
    return o;
}

CMetafileDC::Object* CMetafileDC::Find(HGDIOBJ handle)
{
    auto it = m_objects.find(handle);
    return it == m_objects.end() ? nullptr : &it->second;
}

HGDIOBJ CMetafileDC::CreatePen(int style, int width, COLORREF color)
{
    if (m_closed || m_nextHandle >= kStockHandleBase)
        return 0;
    const HGDIOBJ twin = m_attr.CreatePen(style, width, color);
    if (!twin)
        return 0;
    Object o;
    o.kind = ObjectKind::Pen;
    o.attribute = twin;
    o.createFunction = wmf::META_CREATEPENINDIRECT;
    o.create = PenParams(style, width, color);
    const HGDIOBJ h = m_nextHandle++;
    m_objects.emplace(h, std::move(o));
    return h;
}

HGDIOBJ CMetafileDC::CreateFontIndirectA(const LOGFONTA& font)
{
    if (m_closed || m_nextHandle >= kStockHandleBase)
        return 0;
    // A font the attribute context cannot realise would measure as something else
    // than it is recorded as, so it fails here too.
    const HGDIOBJ twin = m_attr.CreateFontIndirectA(font);
    if (!twin)
        return 0;
    Object o;
    o.kind = ObjectKind::Font;
    o.attribute = twin;
    o.createFunction = wmf::META_CREATEFONTINDIRECT;
    o.create = FontParams(font);
    const HGDIOBJ h = m_nextHandle++;
    m_objects.emplace(h, std::move(o));
    return h;
}

ObjectKind CMetafileDC::KindOf(HGDIOBJ handle)
{
    if (m_closed || handle == 0)
        return ObjectKind::None;
    if (!IsStockHandle(handle))
        return CreatedKind(handle);
    auto it = m_stock.find(handle);
    if (it == m_stock.end()) {
        auto stock = StockObject(handle);
        if (!stock)
            return ObjectKind::None;
        it = m_stock.emplace(handle, std::move(*stock)).first;
    }
    return it->second.kind;
}

ObjectKind CMetafileDC::CreatedKind(HGDIOBJ handle)
{
    const Object* object = Find(handle);
    return object ? object->kind : ObjectKind::None;
}

void CMetafileDC::Selected(ObjectKind kind, HGDIOBJ handle, HGDIOBJ previous)
{
    Object& object = IsStockHandle(handle) ? m_stock.at(handle) : *Find(handle);
    const HGDIOBJ previousOnAttr = m_attr.SelectObject(object.attribute);
    HGDIOBJ& attrSelected = m_attrSelected[static_cast<std::size_t>(kind)];
    if (!attrSelected)
        attrSelected = previousOnAttr;
    if (previous != handle)
        Record(wmf::META_SELECTOBJECT, {static_cast<std::uint16_t>(Realise(object))});
}

bool CMetafileDC::DeleteObject(HGDIOBJ handle)
{
    if (m_closed || IsStockHandle(handle))
        return false;
    Object* object = Find(handle);
    if (!object || State().Selected(object->kind) == handle)
        return false;
    if (object->slot >= 0) {
        Record(wmf::META_DELETEOBJECT, {static_cast<std::uint16_t>(object->slot)});
        m_slots[static_cast<std::size_t>(object->slot)] = false;
    }
    m_attr.DeleteObject(object->attribute);
    m_objects.erase(handle);
    return true;
}

int CMetafileDC::SetBkMode(int mode)
{
    if (m_closed)
        return 0;
    Record(wmf::META_SETBKMODE, {Word(mode)});
    KeepFirst(m_attrBkMode, m_attr.SetBkMode(mode));
    return CStateDC::SetBkMode(mode);
}

unsigned CMetafileDC::SetTextAlign(unsigned align)
{
    if (m_closed)
        return 0;
    Record(wmf::META_SETTEXTALIGN, {static_cast<std::uint16_t>(align & 0xFFFF)});
    KeepFirst(m_attrAlign, m_attr.SetTextAlign(align));
    return CStateDC::SetTextAlign(align);
}

COLORREF CMetafileDC::SetTextColor(COLORREF color)
{
    if (m_closed)
        return 0;
    Record(wmf::META_SETTEXTCOLOR, {Low(color), High(color)});
    KeepFirst(m_attrTextColor, m_attr.SetTextColor(color));
    return CStateDC::SetTextColor(color);
}

int CMetafileDC::SetMapMode(int mode)
{
    if (m_closed)
        return 0;
    Record(wmf::META_SETMAPMODE, {Word(mode)});
    KeepFirst(m_attrMapMode, m_attr.SetMapMode(mode));
    return CStateDC::SetMapMode(mode);
}

int CMetafileDC::GetMapMode() { return m_attr.GetMapMode(); }

// Points and sizes are stored y first, as GDI writes them.
POINT CMetafileDC::SetWindowOrg(int x, int y)
{
    if (m_closed)
        return {};
    Record(wmf::META_SETWINDOWORG, {Word(y), Word(x)});
    KeepFirst(m_attrWindowOrg, m_attr.SetWindowOrg(x, y));
    return CStateDC::SetWindowOrg(x, y);
}

SIZE CMetafileDC::SetWindowExt(int cx, int cy)
{
    if (m_closed)
        return {};
    Record(wmf::META_SETWINDOWEXT, {Word(cy), Word(cx)});
    m_recordedWindowExt = SIZE{cx, cy};
    KeepFirst(m_attrWindowExt, m_attr.SetWindowExt(cx, cy));
    return CStateDC::SetWindowExt(cx, cy);
}

POINT CMetafileDC::SetViewportOrg(int x, int y)
{
    if (m_closed)
        return {};
    Record(wmf::META_SETVIEWPORTORG, {Word(y), Word(x)});
    KeepFirst(m_attrViewportOrg, m_attr.SetViewportOrg(x, y));
    return CStateDC::SetViewportOrg(x, y);
}

SIZE CMetafileDC::SetViewportExt(int cx, int cy)
{
    if (m_closed)
        return {};
    Record(wmf::META_SETVIEWPORTEXT, {Word(cy), Word(cx)});
    KeepFirst(m_attrViewportExt, m_attr.SetViewportExt(cx, cy));
    return CStateDC::SetViewportExt(cx, cy);
}

int CMetafileDC::GetDeviceCaps(int index) { return m_attr.GetDeviceCaps(index); }

bool CMetafileDC::GetTextMetricsA(TEXTMETRICA& metrics) { return m_attr.GetTextMetricsA(metrics); }

SIZE CMetafileDC::GetTextExtentPoint32A(const char* text, int count)
{
    return m_attr.GetTextExtentPoint32A(text, count);
}

bool CMetafileDC::TextOut(int x, int y, const char* text, int count)
{
    if (m_closed || count < 0 || (count > 0 && !text))
        return false;
    if (count == 0)
        return true;
    // The record counts its bytes in 16 bits; longer strings are cut there.
    count = std::min(count, 32767);
    std::vector<std::uint16_t> params;
    params.reserve(3 + static_cast<std::size_t>(count + 1) / 2);
    params.push_back(static_cast<std::uint16_t>(count));
    PutBytes(params, reinterpret_cast<const std::uint8_t*>(text), static_cast<std::size_t>(count));
    params.push_back(Word(y));
    params.push_back(Word(x));
    Record(wmf::META_TEXTOUT, params);
    return true;
}

POINT CMetafileDC::MoveTo(int x, int y)
{
    if (m_closed)
        return State().current;
    Record(wmf::META_MOVETO, {Word(y), Word(x)});
    return CStateDC::MoveTo(x, y);
}

bool CMetafileDC::DrawLine(POINT /*from*/, POINT to)
{
    if (m_closed)
        return false;
    Record(wmf::META_LINETO, {Word(to.y), Word(to.x)});
    return true;
}

void CMetafileDC::RestoreAttribute()
{
    for (HGDIOBJ h : m_attrSelected)
        if (h)
            m_attr.SelectObject(h);
    for (auto& entry : m_objects)
        m_attr.DeleteObject(entry.second.attribute);
    m_objects.clear();
    if (m_attrMapMode)
        m_attr.SetMapMode(*m_attrMapMode);
    if (m_attrWindowOrg)
        m_attr.SetWindowOrg(m_attrWindowOrg->x, m_attrWindowOrg->y);
    if (m_attrWindowExt)
        m_attr.SetWindowExt(m_attrWindowExt->cx, m_attrWindowExt->cy);
    if (m_attrViewportOrg)
        m_attr.SetViewportOrg(m_attrViewportOrg->x, m_attrViewportOrg->y);
    if (m_attrViewportExt)
        m_attr.SetViewportExt(m_attrViewportExt->cx, m_attrViewportExt->cy);
    if (m_attrAlign)
        m_attr.SetTextAlign(*m_attrAlign);
    if (m_attrTextColor)
        m_attr.SetTextColor(*m_attrTextColor);
    if (m_attrBkMode)
        m_attr.SetBkMode(*m_attrBkMode);
}

std::vector<std::uint8_t> CMetafileDC::Close()
{
    if (m_closed)
        return m_result;
    if (m_recordedWindowExt) {
        const POINT org = State().windowOrg;
        SelectStockObject(NULL_PEN);
        MoveTo(org.x, org.y);
        LineTo(org.x + m_recordedWindowExt->cx, org.y + m_recordedWindowExt->cy);
    }
    Record(wmf::META_EOF, {});
    RestoreAttribute();
    m_closed = true;

    const std::vector<std::uint8_t>& records = m_records;
    const std::uint32_t maxRecordWords = m_maxRecordWords;
    const std::uint32_t totalWords = wmf::kHeaderWords + static_cast<std::uint32_t>(records.size() / 2);
    std::vector<std::uint8_t> out;
    out.reserve(records.size() + 2 * wmf::kHeaderWords);
    Put16(out, wmf::kMemoryMetafile);
    Put16(out, wmf::kHeaderWords);
    Put16(out, wmf::kVersion);
    Put32(out, totalWords);
    Put16(out, static_cast<std::uint16_t>(std::min<std::size_t>(m_slots.size(), 0xFFFF)));
    Put32(out, maxRecordWords);
    Put16(out, 0); // NumberOfMembers
    out.insert(out.end(), records.begin(), records.end());
    m_records.clear();
    m_records.shrink_to_fit();
    m_result = out;
    return out;
}

std::vector<std::uint8_t> WithPlaceableHeader(const std::vector<std::uint8_t>& wmf, int left, int top,
                                              int right, int bottom, int unitsPerInch)
{
    std::vector<std::uint8_t> out;
    out.reserve(wmf::kPlaceableHeaderBytes + wmf.size());
    Put32(out, wmf::kPlaceableKey);
    Put16(out, 0); // hmf
    Put16(out, Word(left));
    Put16(out, Word(top));
    Put16(out, Word(right));
    Put16(out, Word(bottom));
    Put16(out, static_cast<std::uint16_t>(std::clamp(unitsPerInch, 1, 0xFFFF)));
    Put32(out, 0); // reserved
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    Put16(out, checksum);
    out.insert(out.end(), wmf.begin(), wmf.end());
    return out;
}

int PictureUnitsPerInch(const MetafilePicture& picture)
{
    // xExt was rounded from width × 2540 / inch; for any picture at least a digit
    // wide that rounding moves the recovered inch by well under one.
    if (picture.xExt <= 0 || picture.logicalSize.cx <= 0)
        return 96;
    const double inch = picture.logicalSize.cx * 2540.0 / picture.xExt;
    if (!(inch >= 1.0 && inch <= 65535.0))
        return 96;
    return static_cast<int>(std::lround(inch));
}

std::vector<std::uint8_t> PlaceableMetafile(const MetafilePicture& picture)
{
    return WithPlaceableHeader(picture.metafile, 0, 0, picture.logicalSize.cx, picture.logicalSize.cy,
                               PictureUnitsPerInch(picture));
}
