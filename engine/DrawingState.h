#pragma once
// GDI's drawing state, kept once for every device context: the selected objects, the
// background mode, text alignment and colour, the mapping (mode, window and viewport)
// and the pen position, with the arithmetic that follows from them.
//
// Writing a new backend: derive from CStateDC and override
//   - the object table: CreatePen, CreateFontIndirectA, DeleteObject (refuse what
//     State().IsSelected() names) and CreatedKind (what a handle of yours is);
//   - measuring: GetTextMetricsA, GetTextExtentPoint32A, GetDeviceCaps;
//   - output: TextOut (place it with State().PlaceText) and DrawLine (a stroke from
//     one point up to, not including, the other; State().ToDevice maps the points).
// Everything else (selection, alignment, colour, mapping, MoveTo/LineTo) is done here.
// A backend that must see each state call (a recorder, a test log) overrides that
// call, does its own part and then calls the one here.
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/DeviceContext.h"

// What a handle selects into.
enum class ObjectKind : std::uint8_t { Pen = 0, Brush = 1, Font = 2, None = 3 };

// A point on the device, in (fractional) device units.
struct DevicePoint {
    double x = 0;
    double y = 0;
};

// How a string of a measured size sits on the device: the left end of its baseline,
// and its box from the top of the ascent to the bottom of the descent.
struct TextPlacement {
    double left = 0;
    double baseline = 0;
};

// The size of a string as the backend measured it, in device units.
struct DeviceTextSize {
    double advance = 0;
    double halfAdvance = 0; // what TA_CENTER moves back: half the whole-unit advance, scaled
    double ascent = 0;
    double descent = 0;
    int logicalAdvance = 0; // how far TA_UPDATECP moves the pen, in logical units
};

// The union of boxes [left, right) x [top, bottom), y down; boxes with no area add
// nothing.
template <class T>
struct InkBounds {
    T left{};
    T top{};
    T right{};
    T bottom{};
    bool any = false;
    void Add(T l, T t, T r, T b)
    {
        if (r <= l || b <= t)
            return;
        left = any && left < l ? left : l;
        top = any && top < t ? top : t;
        right = any && right > r ? right : r;
        bottom = any && bottom > b ? bottom : b;
        any = true;
    }
};
// Glyph boxes in device units, from the start of a string's baseline.
using DeviceInk = InkBounds<double>;

struct DrawingState {
    // The fresh state: MM_TEXT, TA_TOP|TA_LEFT, black text, OPAQUE, and the stock black
    // pen, white brush and system font selected.
    std::array<HGDIOBJ, 3> selected{StockHandle(BLACK_PEN), StockHandle(WHITE_BRUSH), StockHandle(SYSTEM_FONT)};
    int bkMode = OPAQUE;
    unsigned textAlign = TA_TOP | TA_LEFT;
    COLORREF textColor = 0;
    int mapMode = MM_TEXT;
    POINT windowOrg;
    SIZE windowExt{1, 1};
    POINT viewportOrg;
    SIZE viewportExt{1, 1};
    POINT current;

    HGDIOBJ Selected(ObjectKind kind) const { return selected[static_cast<std::size_t>(kind)]; }
    bool IsSelected(HGDIOBJ h) const { return h == selected[0] || h == selected[1] || h == selected[2]; }

    // GDI's rules for the mapping: a fixed mode sets its own extents from the logical
    // inch (an unknown mode is refused and gives 0); extents change only under
    // MM_ANISOTROPIC and never to zero. Each returns the previous value.
    int SetMapMode(int mode, int dpiX, int dpiY);
    SIZE SetWindowExt(int cx, int cy) { return SetExtent(windowExt, cx, cy); }
    SIZE SetViewportExt(int cx, int cy) { return SetExtent(viewportExt, cx, cy); }
    // Background modes other than the two GDI knows are refused.
    int SetBkMode(int mode);

    // Device units per logical unit (negative where the axis points up).
    double ScaleX() const { return static_cast<double>(viewportExt.cx) / windowExt.cx; }
    double ScaleY() const { return static_cast<double>(viewportExt.cy) / windowExt.cy; }
    // Logical to device coordinates, rounded to whole device units as GDI does.
    DevicePoint ToDevice(int x, int y) const;
    // Device lengths to logical ones.
    int ToLogicalX(int device) const;
    int ToLogicalY(int device) const;
    // Device ink in logical units, rounded outward.
    TEXTINK ToLogical(const DeviceInk& ink) const;

    // Where TextOut at (x, y) puts a string of that size under the alignment in force;
    // under TA_UPDATECP the anchor is the pen position, which moves past the string.
    TextPlacement PlaceText(int x, int y, const DeviceTextSize& size);

private:
    SIZE SetExtent(SIZE& extent, int cx, int cy);
};

// A pen as created.
struct PenObject {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

// The objects a backend created: fonts (a FontData per font, which has the LOGFONT as
// `lf`, plus whatever the backend keeps with it) and pens. They live in slots that are
// reused, as GDI reuses handles, so the per-character create/delete of layout allocates
// nothing once warm. Handle = slot index + 1.
template <class FontData>
class ObjectSlots {
public:
    // 0 when the table is full: a caller that never deletes runs out, as on Windows,
    // instead of growing without bound.
    HGDIOBJ AddPen(const PenObject& pen)
    {
        const HGDIOBJ h = NewSlot(Slot::Kind::Pen);
        if (h)
            m_slots[h - 1].pen = pen;
        return h;
    }
    // The face name is zero-padded, so equal fonts compare equal byte for byte.
    HGDIOBJ AddFont(const LOGFONTA& lf)
    {
        const HGDIOBJ h = NewSlot(Slot::Kind::Font);
        if (!h)
            return 0;
        LOGFONTA& copy = m_slots[h - 1].font.lf;
        copy = lf;
        const std::size_t len = strnlen(lf.lfFaceName, LF_FACESIZE - 1);
        std::memset(copy.lfFaceName + len, 0, LF_FACESIZE - len);
        return h;
    }
    FontData* Font(HGDIOBJ h) { return Find(h, Slot::Kind::Font) ? &m_slots[h - 1].font : nullptr; }
    const PenObject* Pen(HGDIOBJ h) const { return Find(h, Slot::Kind::Pen) ? &m_slots[h - 1].pen : nullptr; }
    ObjectKind Kind(HGDIOBJ h) const
    {
        return Find(h, Slot::Kind::Font) ? ObjectKind::Font : Find(h, Slot::Kind::Pen) ? ObjectKind::Pen : ObjectKind::None;
    }
    // Frees a created object; the caller refuses selected ones first.
    bool Delete(HGDIOBJ h)
    {
        if (Kind(h) == ObjectKind::None)
            return false;
        m_slots[h - 1].kind = Slot::Kind::Free;
        m_free.push_back(static_cast<std::uint32_t>(h - 1));
        return true;
    }
    template <class F>
    void ForEachFont(F f)
    {
        for (Slot& slot : m_slots)
            f(slot.font);
    }
    // The pen a stroke is drawn with when `selected` is: nothing for a null pen.
    std::optional<PenObject> StrokePen(HGDIOBJ selected) const
    {
        if (selected == StockHandle(NULL_PEN))
            return std::nullopt;
        if (selected == StockHandle(WHITE_PEN))
            return PenObject{PS_SOLID, 1, RGB(255, 255, 255)};
        if (IsStockHandle(selected))
            return PenObject{};
        const PenObject* pen = Pen(selected);
        if (!pen || pen->style == PS_NULL)
            return std::nullopt;
        return *pen;
    }

private:
    static constexpr std::size_t kMaxObjects = 65536;
    struct Slot {
        enum class Kind : std::uint8_t { Free, Font, Pen } kind = Kind::Free;
        FontData font;
        PenObject pen;
    };
    HGDIOBJ NewSlot(typename Slot::Kind kind)
    {
        std::uint32_t index;
        if (!m_free.empty()) {
            index = m_free.back();
            m_free.pop_back();
        } else {
            if (m_slots.size() >= kMaxObjects)
                return 0;
            index = static_cast<std::uint32_t>(m_slots.size());
            m_slots.emplace_back();
        }
        m_slots[index] = Slot{};
        m_slots[index].kind = kind;
        return index + 1;
    }
    bool Find(HGDIOBJ h, typename Slot::Kind kind) const
    {
        return h != 0 && !IsStockHandle(h) && h <= m_slots.size() && m_slots[h - 1].kind == kind;
    }
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_free;
};

// Rounds to the nearest int, halves away from zero, saturating: a huge scale must not
// wrap a length round.
int RoundToInt(double v);

// A device context that keeps its drawing state in a DrawingState (see the top of
// this file for what a backend adds).
class CStateDC : public CDC {
public:
    HGDIOBJ SelectObject(HGDIOBJ object) override;

    int SetBkMode(int mode) override;
    unsigned SetTextAlign(unsigned align) override;
    unsigned GetTextAlign() override { return m_state.textAlign; }
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF GetTextColor() override { return m_state.textColor; }

    int SetMapMode(int mode) override;
    int GetMapMode() override { return m_state.mapMode; }
    POINT SetWindowOrg(int x, int y) override;
    SIZE SetWindowExt(int cx, int cy) override;
    POINT SetViewportOrg(int x, int y) override;
    SIZE SetViewportExt(int cx, int cy) override;

    POINT MoveTo(int x, int y) override;
    bool LineTo(int x, int y) override;

    const DrawingState& State() const { return m_state; }

protected:
    DrawingState& MutableState() { return m_state; }
    // The kind of an object this backend created, None for a handle it does not know.
    virtual ObjectKind CreatedKind(HGDIOBJ object) = 0;
    // The kind of any handle: stock objects by their index, the rest by CreatedKind.
    virtual ObjectKind KindOf(HGDIOBJ object);
    // Told after an object is selected (previous is what was selected before).
    virtual void Selected(ObjectKind /*kind*/, HGDIOBJ /*object*/, HGDIOBJ /*previous*/) {}
    // The logical inch the fixed mapping modes are worked out from.
    virtual SIZE LogicalInch() { return SIZE{GetDeviceCaps(LOGPIXELSX), GetDeviceCaps(LOGPIXELSY)}; }
    // Draws a stroke with the selected pen from `from` up to, not including, `to`.
    virtual bool DrawLine(POINT from, POINT to) = 0;

private:
    DrawingState m_state;
};
