// Layout and drawing of one equation line: a single left-to-right pass that places
// every position and draws it at once. Measuring is the same pass run far outside any
// visible area, so measured and drawn lines always agree.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LogRecords.h"
#include "engine/SelectedFont.h"

namespace {

using i64 = std::int64_t;

constexpr int kMeasureAnchor = -30000;

// Arrow texts are lines of their own and may hold arrows again. Every level costs
// about three passes of the level above it (measured, measured again for centring,
// drawn), so deeply nested texts are left out rather than let the cost grow without
// bound. Real equations nest one or two levels.
constexpr int kMaxArrowTextDepth = 3;

constexpr i64 kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr i64 kI32Max = std::numeric_limits<std::int32_t>::max();

i64 Clamp32(i64 v) { return std::min(std::max(v, kI32Min), kI32Max); }

// Truncation toward zero into the 32-bit range; NaN (which the range rule already
// keeps out) counts as 0.
i64 Trunc(double v)
{
    if (!(v == v))
        return 0;
    if (v <= static_cast<double>(kI32Min))
        return kI32Min;
    if (v >= static_cast<double>(kI32Max))
        return kI32Max;
    return static_cast<i64>(v);
}

int ToInt(i64 v) { return static_cast<int>(Clamp32(v)); }

// trunc(v * trunc(n * h / k)).
std::int32_t ScaleHeight(std::int32_t h, double v, int n, int k)
{
    const i64 inner = static_cast<i64>(n) * h / k;
    return static_cast<std::int32_t>(Trunc(v * static_cast<double>(inner)));
}

KVLogFontTBD Scaled(const KVLogFontTBD& base, double v, int n, int k)
{
    KVLogFontTBD f = base;
    f.lf.lfHeight = ScaleHeight(base.lf.lfHeight, v, n, k);
    if (f.lf.lfHeight == 0)
        f.lf.lfHeight = -1; // the smallest nonzero height; 0 would mean "default size"
    f.himetricHeight = ScaleHeight(base.himetricHeight, v, n, k);
    return f;
}

std::int16_t DisplayAt(const CEquationLine& line, std::size_t i)
{
    return i < line.display.size() ? line.display[i] : static_cast<std::int16_t>(DisplayCode::Normal);
}

const std::string& SlotText(const std::vector<std::string>& v, i64 k)
{
    static const std::string empty;
    return k >= 0 && static_cast<std::size_t>(k) < v.size() ? v[static_cast<std::size_t>(k)] : empty;
}

// The temporary line of a pass: made when first needed, then reused for every arrow
// text of the pass.
class TempLine {
public:
    CEquationLine& Get()
    {
        if (!m_line)
            m_line.emplace();
        return *m_line;
    }
    // An empty text is stored without classification, which would leave the arrow
    // texts of the previous text in place; clear them so that they are not measured
    // again for nothing.
    CEquationLine& Set(const std::string& text)
    {
        CEquationLine& line = Get();
        if (text.empty()) {
            for (std::string& s : line.arrowAbove)
                s.clear();
            for (std::string& s : line.arrowBelow)
                s.clear();
        }
        line.SetText(text);
        return line;
    }

private:
    std::optional<CEquationLine> m_line;
};

LineExtent Pass(CEquationLine& line, CDC& dc, int x, int y, CEquationOptions& options,
                const KVLogFontTBD& baseFont, int depth);

LineExtent Measure(CEquationLine& line, CDC& dc, CEquationOptions& options, const KVLogFontTBD& baseFont,
                   int depth)
{
    if (line.text.empty())
        return LineExtent{};
    return Pass(line, dc, kMeasureAnchor, kMeasureAnchor, options, baseFont, depth);
}

void MeasureArrowSlots(CEquationLine& line, CDC& dc, CEquationOptions& options, const KVLogFontTBD& arrowFont,
                       TempLine& temp, int depth)
{
    line.tallestAbove = 0;
    const std::size_t slots = std::max<std::size_t>(
        {static_cast<std::size_t>(CEquationLine::kArrows), line.arrowAbove.size(), line.arrowBelow.size()});
    if (line.arrowWidth.size() < slots)
        line.arrowWidth.resize(slots, 0);
    for (std::size_t k = 0; k < slots; ++k) {
        LineExtent a;
        LineExtent b;
        if (depth < kMaxArrowTextDepth) {
            // An empty text measures as zeros without a pass; no need to store it.
            const std::string& above = SlotText(line.arrowAbove, static_cast<i64>(k));
            if (!above.empty())
                a = Measure(temp.Set(above), dc, options, arrowFont, depth + 1);
            const std::string& below = SlotText(line.arrowBelow, static_cast<i64>(k));
            if (!below.empty())
                b = Measure(temp.Set(below), dc, options, arrowFont, depth + 1);
        }
        line.tallestAbove = std::max(line.tallestAbove, a.height);
        line.arrowWidth[k] = std::max(a.width, b.width);
    }
}

struct Metrics {
    i64 H = 0, M = 0, Cn = 0, Dn = 0, Cs = 0, Ds = 0, Cb = 0, Cp = 0, Dp = 0, Ia = 0;
};

LineExtent Pass(CEquationLine& line, CDC& dc, int x, int y, CEquationOptions& options,
                const KVLogFontTBD& baseFont, int depth)
{
    const unsigned entryAlign = dc.GetTextAlign();
    const HGDIOBJ pen = dc.CreatePen(PS_INSIDEFRAME, 1, baseFont.color);
    dc.SelectObject(pen);

    // The font set.
    CSelectedFont base(baseFont);
    CSelectedFont symbol(baseFont);
    symbol.font.lf.SetFaceName("Symbol");
    CSelectedFont raised(Scaled(baseFont, options.textSuper.Get(), 6, 5));
    CSelectedFont lowered(Scaled(baseFont, options.textSub.Get(), 6, 5));
    CSelectedFont state(Scaled(baseFont, options.textPhase.Get(), 8, 5));
    state.font.lf.lfItalic = options.italicPhase.Get() ? 1 : 0;
    CSelectedFont arrowText(Scaled(baseFont, options.textArrow.Get(), 6, 5));

    const bool himetric = dc.GetMapMode() == MM_HIMETRIC;
    const i64 u = himetric ? 8 : 1;
    const i64 s = himetric ? -1 : 1;

    // Metrics, each font selected in turn.
    Metrics m;
    TEXTMETRICA tm;
    m.H = base.Select(dc, himetric);
    m.M = dc.GetTextExtentPoint32A("m", 1).cx;
    dc.GetTextMetricsA(tm);
    m.Cn = static_cast<i64>(tm.tmAscent) - tm.tmInternalLeading;
    m.Dn = tm.tmDescent;
    base.Deselect(dc);
    raised.Select(dc, himetric);
    dc.GetTextMetricsA(tm);
    m.Cs = static_cast<i64>(tm.tmAscent) - tm.tmInternalLeading;
    m.Ds = tm.tmDescent;
    raised.Deselect(dc);
    lowered.Select(dc, himetric);
    dc.GetTextMetricsA(tm);
    m.Cb = static_cast<i64>(tm.tmAscent) - tm.tmInternalLeading;
    lowered.Deselect(dc);
    state.Select(dc, himetric);
    dc.GetTextMetricsA(tm);
    m.Cp = static_cast<i64>(tm.tmAscent) - tm.tmInternalLeading;
    m.Dp = tm.tmDescent;
    state.Deselect(dc);
    arrowText.Select(dc, himetric);
    dc.GetTextMetricsA(tm);
    m.Ia = tm.tmInternalLeading;
    arrowText.Deselect(dc);

    dc.SetBkMode(TRANSPARENT);

    TempLine temp;
    line.arrowCount = 0;
    line.stackCount = 0;
    MeasureArrowSlots(line, dc, options, arrowText.font, temp, depth);

    // Baseline offsets, upwards from the baseline.
    const double cn = static_cast<double>(m.Cn);
    const i64 A = Trunc((1.0 - options.levelArrow.Get()) * cn);
    const i64 S = Trunc((1.2 - options.levelSuper.Get()) * cn);
    const i64 B = Trunc((1.0 - options.levelSub.Get()) * -cn);
    const i64 P = Trunc((0.5 - options.levelPhase.Get()) * cn);
    const std::int32_t style = options.equilibriumArrow.Get();
    const i64 d = style == 2 ? m.H / 10 : style == 3 ? m.H / 7 : 0;
    const double arrowWidthOption = options.arrowWidth.Get();

    const i64 tallest = line.tallestAbove;
    const i64 top = std::max({m.Cn, P + m.Cp, B + m.Cb, S + m.Cs + 1, tallest + d + A + m.Ia});
    const i64 bottom = std::min({-m.Dn, P - m.Dp, B, S - m.Ds, A - tallest - d - m.Ia});

    // The anchor.
    dc.SetTextAlign(TA_BASELINE | TA_LEFT);
    i64 yb = y;
    if ((entryAlign & TA_VERT_MASK) == TA_TOP)
        yb = y + top * s;
    else if ((entryAlign & TA_VERT_MASK) == TA_BOTTOM)
        yb = y + bottom * s;
    i64 xb = x;
    const unsigned horizontal = entryAlign & TA_HORZ_MASK;
    if (horizontal == TA_CENTER || horizontal == TA_RIGHT) {
        const i64 W = Measure(line, dc, options, baseFont, depth).width;
        xb = horizontal == TA_CENTER ? x - W / 2 : x - W;
        // The measuring pass counted its own arrows and pairs; this pass starts afresh.
        line.arrowCount = 0;
        line.stackCount = 0;
    }

    // Arrow geometry shared by every arrow of the line.
    const i64 r = 6 * m.H / 9;
    const i64 barb = r / 2;
    const i64 k3 = r / 3;
    const i64 k5 = r / 5;
    const i64 yA = yb - A * s;

    auto moveTo = [&dc](i64 px, i64 py) { dc.MoveTo(ToInt(px), ToInt(py)); };
    auto lineTo = [&dc](i64 px, i64 py) { dc.LineTo(ToInt(px), ToInt(py)); };

    i64 a = 0;
    const std::size_t len = line.text.size();
    for (std::size_t i = 0; i + 1 < len; ++i) {
        const char* ch = &line.text[i];
        const std::int16_t code = DisplayAt(line, i);
        if (*ch == '-' && i > 0) {
            // A charge sign stands a little apart from a formula and closes up on a
            // subscript.
            const std::int16_t prev = DisplayAt(line, i - 1);
            if (prev == DisplayCode::Normal)
                a += 2 * u;
            else if (prev == DisplayCode::Lowered)
                a -= 2 * u;
        }
        const i64 left = xb + a;

        switch (code) {
        case DisplayCode::Normal:
        case DisplayCode::Capital:
        case DisplayCode::Symbol:
        case DisplayCode::Raised:
        case DisplayCode::Lowered:
        case DisplayCode::StateText: {
            CSelectedFont* font = &base;
            i64 baseline = yb;
            switch (code) {
            case DisplayCode::Symbol: font = &symbol; break;
            case DisplayCode::Raised: font = &raised; baseline = yb - S * s; break;
            case DisplayCode::Lowered: font = &lowered; baseline = yb - B * s; break;
            case DisplayCode::StateText: font = &state; baseline = yb - P * s; break;
            default: break;
            }
            const char upper = static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(*ch)));
            const char* glyph = code == DisplayCode::Capital ? &upper : ch;
            font->Select(dc, himetric);
            const i64 w = dc.GetTextExtentPoint32A(glyph, 1).cx;
            dc.TextOut(ToInt(left), ToInt(baseline), glyph, 1);
            if (*ch == '-') {
                // A second hyphen half a width on makes the minus sign long enough.
                dc.TextOut(ToInt(left + w / 2), ToInt(baseline), glyph, 1);
                a += Trunc(1.5 * static_cast<double>(w));
            } else {
                a += w;
            }
            font->Deselect(dc);
            break;
        }
        case DisplayCode::BarredSymbol: {
            symbol.Select(dc, himetric);
            const SIZE extent = dc.GetTextExtentPoint32A(ch, 1);
            dc.TextOut(ToInt(left), ToInt(yb), ch, 1);
            dc.SelectObject(pen);
            const i64 barY = yb - (extent.cy / 2) * s;
            moveTo(left, barY);
            lineTo(left + extent.cx, barY);
            a += extent.cx;
            symbol.Deselect(dc);
            break;
        }
        case DisplayCode::StackedPair: {
            const i64 k = line.stackCount++;
            const std::string& upperField = SlotText(line.stackTop, k);
            const std::string& lowerField = SlotText(line.stackBottom, k);
            raised.Select(dc, himetric);
            const i64 wT = dc.GetTextExtentPoint32A(upperField.data(), static_cast<int>(upperField.size())).cx;
            const i64 wB = dc.GetTextExtentPoint32A(lowerField.data(), static_cast<int>(lowerField.size())).cx;
            const i64 c = std::max(wT, wB);
            dc.TextOut(ToInt(left + c - wT), ToInt(yb - S * s), upperField.data(),
                       static_cast<int>(upperField.size()));
            dc.TextOut(ToInt(left + c - wB), ToInt(yb - B * s), lowerField.data(),
                       static_cast<int>(lowerField.size()));
            raised.Deselect(dc);
            a += c;
            break;
        }
        case DisplayCode::ArrowReaction:
        case DisplayCode::ArrowEquilibrium: {
            const i64 k = line.arrowCount++;
            const double measured = static_cast<double>(
                k < static_cast<i64>(line.arrowWidth.size()) ? line.arrowWidth[static_cast<std::size_t>(k)] : 0);
            const i64 L = Trunc(std::max(measured, arrowWidthOption * static_cast<double>(m.M))) + 20 * u;
            const i64 xL = left + 5 * u;
            const i64 xR = left + L - 5 * u;
            const bool reaction = code == DisplayCode::ArrowReaction;

            dc.SelectObject(pen);
            if (reaction) {
                moveTo(xL, yA);
                lineTo(xR, yA);
                lineTo(xR - barb, yA - k3 * s);
                moveTo(xR, yA);
                lineTo(xR - barb, yA + k3 * s);
            } else {
                const i64 y1 = yA - d * s;
                const i64 y2 = yA + d * s;
                switch (style) {
                case 0:
                    moveTo(xL, yA);
                    lineTo(xR, yA);
                    lineTo(xR - barb, yA - k3 * s);
                    moveTo(xR, yA);
                    lineTo(xL, yA);
                    lineTo(xL + barb, yA + k3 * s);
                    break;
                case 1:
                    moveTo(xL, yA);
                    lineTo(xR, yA);
                    lineTo(xR - barb, yA - k3 * s);
                    moveTo(xR, yA);
                    lineTo(xR - barb, yA + k3 * s);
                    moveTo(xR, yA);
                    lineTo(xL, yA);
                    lineTo(xL + barb, yA + k3 * s);
                    moveTo(xL, yA);
                    lineTo(xL + barb, yA - k3 * s);
                    break;
                case 2:
                    moveTo(xL, y1);
                    lineTo(xR, y1);
                    lineTo(xR - barb, y1 - k3 * s);
                    moveTo(xR, y2);
                    lineTo(xL, y2);
                    lineTo(xL + barb, y2 + k3 * s);
                    break;
                case 3:
                    moveTo(xL, y1);
                    lineTo(xR, y1);
                    lineTo(xR - barb, y1 + k5 * s);
                    moveTo(xR, y1);
                    lineTo(xR - barb, y1 - k5 * s);
                    moveTo(xR, y2);
                    lineTo(xL, y2);
                    lineTo(xL + barb, y2 + k5 * s);
                    moveTo(xL, y2);
                    lineTo(xL + barb, y2 - k5 * s);
                    break;
                default:
                    break; // other styles take their length and texts only
                }
            }

            arrowText.Select(dc, himetric);
            if (depth < kMaxArrowTextDepth) {
                const i64 gap = reaction ? m.Ia : d + m.Ia;
                const i64 cx = left + L / 2;
                dc.SetTextAlign(TA_BOTTOM | TA_CENTER);
                Pass(temp.Set(SlotText(line.arrowAbove, k)), dc, ToInt(cx), ToInt(yA - gap * s), options,
                     arrowText.font, depth + 1);
                dc.SetTextAlign(TA_TOP | TA_CENTER);
                Pass(temp.Set(SlotText(line.arrowBelow, k)), dc, ToInt(cx), ToInt(yA + gap * s), options,
                     arrowText.font, depth + 1);
            }
            dc.SetTextAlign(TA_BASELINE | TA_LEFT);
            arrowText.Deselect(dc);
            a += L;
            break;
        }
        default:
            break; // hidden positions take no room
        }
    }

    dc.SelectStockObject(SYSTEM_FONT);
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(NULL_BRUSH);
    if (pen)
        dc.DeleteObject(pen);
    dc.SetTextAlign(entryAlign);

    LineExtent extent;
    extent.depth = static_cast<std::int32_t>(Clamp32(2 - bottom));
    extent.width = static_cast<std::int32_t>(Clamp32(a + 3));
    extent.height = static_cast<std::int32_t>(Clamp32(top - bottom + 2));
    return extent;
}

} // namespace

LineExtent CEquationLine::DrawLine(CDC& dc, int x, int y, CEquationOptions& options, const KVLogFontTBD& baseFont)
{
    return Pass(*this, dc, x, y, options, baseFont, 0);
}

LineExtent CEquationLine::MeasureLine(CDC& dc, CEquationOptions& options, const KVLogFontTBD& baseFont)
{
    return Measure(*this, dc, options, baseFont, 0);
}

void CEquationLine::MeasureArrowTexts(CDC& dc, CEquationOptions& options, const KVLogFontTBD& arrowFont)
{
    TempLine temp;
    MeasureArrowSlots(*this, dc, options, arrowFont, temp, 0);
}
