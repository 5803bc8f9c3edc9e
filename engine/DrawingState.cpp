#include "engine/DrawingState.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Hundredths and thousandths of an inch (0.1 mm and 0.01 mm) per inch.
constexpr int kLoMetricPerInch = 254;
constexpr int kHiMetricPerInch = 2540;

} // namespace

int RoundToInt(double v)
{
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(std::lround(v));
}

int DrawingState::SetMapMode(int mode, int dpiX, int dpiY)
{
    const int previous = mapMode;
    switch (mode) {
    case MM_TEXT:
        windowExt = {1, 1};
        viewportExt = {1, 1};
        break;
    case MM_LOMETRIC:
        windowExt = {kLoMetricPerInch, kLoMetricPerInch};
        viewportExt = {dpiX, -dpiY};
        break;
    case MM_HIMETRIC:
        windowExt = {kHiMetricPerInch, kHiMetricPerInch};
        viewportExt = {dpiX, -dpiY};
        break;
    case MM_ANISOTROPIC:
        // Keeps the scale of the mode it comes from, as GDI does.
        break;
    default:
        return 0;
    }
    mapMode = mode;
    return previous;
}

SIZE DrawingState::SetExtent(SIZE& extent, int cx, int cy)
{
    const SIZE previous = extent;
    if (mapMode == MM_ANISOTROPIC && cx != 0 && cy != 0)
        extent = {cx, cy};
    return previous;
}

int DrawingState::SetBkMode(int mode)
{
    const int previous = bkMode;
    if (mode == TRANSPARENT || mode == OPAQUE)
        bkMode = mode;
    return previous;
}

DevicePoint DrawingState::ToDevice(int x, int y) const
{
    if (mapMode == MM_TEXT)
        return {static_cast<double>(x) - windowOrg.x + viewportOrg.x, static_cast<double>(y) - windowOrg.y + viewportOrg.y};
    return {std::round((static_cast<double>(x) - windowOrg.x) * ScaleX()) + viewportOrg.x,
            std::round((static_cast<double>(y) - windowOrg.y) * ScaleY()) + viewportOrg.y};
}

int DrawingState::ToLogicalX(int device) const
{
    return mapMode == MM_TEXT ? device : RoundToInt(device / std::fabs(ScaleX()));
}

int DrawingState::ToLogicalY(int device) const
{
    return mapMode == MM_TEXT ? device : RoundToInt(device / std::fabs(ScaleY()));
}

TEXTINK DrawingState::ToLogical(const DeviceInk& ink) const
{
    if (!ink.any)
        return {};
    // A hair of slack, so that a whole number divided and multiplied back stays whole.
    constexpr double kSlack = 1e-9;
    const double sx = mapMode == MM_TEXT ? 1.0 : std::fabs(ScaleX());
    const double sy = mapMode == MM_TEXT ? 1.0 : std::fabs(ScaleY());
    const auto down = [](double v) { return RoundToInt(std::floor(v + kSlack)); };
    const auto up = [](double v) { return RoundToInt(std::ceil(v - kSlack)); };
    return TEXTINK{down(ink.left / sx), up(ink.right / sx), up(-ink.top / sy), up(ink.bottom / sy)};
}

TextPlacement DrawingState::PlaceText(int x, int y, const DeviceTextSize& size)
{
    const bool updateCp = (textAlign & TA_UPDATECP) != 0;
    const DevicePoint p = updateCp ? ToDevice(current.x, current.y) : ToDevice(x, y);
    TextPlacement placed{p.x, p.y};
    const unsigned horizontal = textAlign & TA_HORZ_MASK;
    if (horizontal == TA_RIGHT)
        placed.left -= size.advance;
    else if (horizontal == TA_CENTER)
        placed.left -= size.halfAdvance;
    switch (textAlign & TA_VERT_MASK) {
    case TA_BASELINE:
        break;
    case TA_BOTTOM:
        placed.baseline -= size.descent;
        break;
    default:
        placed.baseline += size.ascent;
        break;
    }
    if (updateCp) {
        if (horizontal == TA_LEFT)
            current.x += size.logicalAdvance;
        else if (horizontal == TA_RIGHT)
            current.x -= size.logicalAdvance;
    }
    return placed;
}

// ---------------------------------------------------------------------------------------

ObjectKind CStateDC::KindOf(HGDIOBJ object)
{
    if (IsStockFont(object))
        return ObjectKind::Font;
    if (IsStockPen(object))
        return ObjectKind::Pen;
    if (IsStockBrush(object))
        return ObjectKind::Brush;
    if (object == 0 || IsStockHandle(object))
        return ObjectKind::None;
    return CreatedKind(object);
}

HGDIOBJ CStateDC::SelectObject(HGDIOBJ object)
{
    const ObjectKind kind = KindOf(object);
    if (kind == ObjectKind::None)
        return 0;
    const HGDIOBJ previous = std::exchange(m_state.selected[static_cast<std::size_t>(kind)], object);
    Selected(kind, object, previous);
    return previous;
}

int CStateDC::SetBkMode(int mode)
{
    return m_state.SetBkMode(mode);
}

unsigned CStateDC::SetTextAlign(unsigned align)
{
    return std::exchange(m_state.textAlign, align);
}

COLORREF CStateDC::SetTextColor(COLORREF color)
{
    return std::exchange(m_state.textColor, color);
}

int CStateDC::SetMapMode(int mode)
{
    SIZE inch;
    if (mode == MM_LOMETRIC || mode == MM_HIMETRIC)
        inch = LogicalInch();
    return m_state.SetMapMode(mode, inch.cx, inch.cy);
}

POINT CStateDC::SetWindowOrg(int x, int y)
{
    return std::exchange(m_state.windowOrg, POINT{x, y});
}

SIZE CStateDC::SetWindowExt(int cx, int cy)
{
    return m_state.SetWindowExt(cx, cy);
}

POINT CStateDC::SetViewportOrg(int x, int y)
{
    return std::exchange(m_state.viewportOrg, POINT{x, y});
}

SIZE CStateDC::SetViewportExt(int cx, int cy)
{
    return m_state.SetViewportExt(cx, cy);
}

POINT CStateDC::MoveTo(int x, int y)
{
    return std::exchange(m_state.current, POINT{x, y});
}

bool CStateDC::LineTo(int x, int y)
{
    const POINT from = std::exchange(m_state.current, POINT{x, y});
    return DrawLine(from, POINT{x, y});
}
