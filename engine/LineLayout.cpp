// Layout of one equation line into a LineBox, and drawing of a box. Layout measures
// with the fonts selected on the context's attribute side and draws nothing; drawing
// replays the box with the calls a GDI drawing pass makes, in its order (fonts made
// and deleted around every position), so recorded metafiles keep their records.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LineBox.h"
#include "engine/LogRecords.h"
#include "engine/SelectedFont.h"

namespace {

using i64 = std::int64_t;

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

// A fraction n/k of a height, applied before a size option scales it.
struct HeightRatio {
    int n;
    int k;
};
// Raised, lowered and arrow texts: at the default size option 0.5, 60 percent of the
// base height, small enough to stack two above and below a line.
constexpr HeightRatio kScriptHeight{6, 5};
// State symbols, (aq) and the like: at 0.5, 80 percent, readable beside full-size text.
constexpr HeightRatio kStateHeight{8, 5};

// trunc(v * trunc(n * h / k)).
std::int32_t ScaleHeight(std::int32_t h, double v, HeightRatio r)
{
    const i64 inner = static_cast<i64>(r.n) * h / r.k;
    return static_cast<std::int32_t>(Trunc(v * static_cast<double>(inner)));
}

KVEquationFont Scaled(const KVEquationFont& base, double v, HeightRatio r)
{
    KVEquationFont f = base;
    f.lf.lfHeight = ScaleHeight(base.lf.lfHeight, v, r);
    if (f.lf.lfHeight == 0)
        f.lf.lfHeight = -1; // the smallest nonzero height; 0 would mean "default size"
    f.himetricHeight = ScaleHeight(base.himetricHeight, v, r);
    return f;
}

// Line breaks and other control bytes that reach a line (pasted text beyond the last
// line) are not characters of the equation: never drawn, no room taken.
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

std::string WithoutControls(const std::string& s)
{
    if (std::none_of(s.begin(), s.end(), IsControl))
        return s;
    std::string out;
    std::copy_if(s.begin(), s.end(), std::back_inserter(out), [](char c) { return !IsControl(c); });
    return out;
}

DisplayCode DisplayAt(const CEquationLine& line, std::size_t i)
{
    return i < line.display.size() ? line.display[i] : DisplayCode::Normal;
}

const std::string& SlotText(const std::vector<std::string>& v, i64 k)
{
    static const std::string empty;
    return k >= 0 && static_cast<std::size_t>(k) < v.size() ? v[static_cast<std::size_t>(k)] : empty;
}

// The font set: the base font and its scaled copies.
std::array<KVEquationFont, kFontRoles> FontSet(const KVEquationFont& base, const CEquationOptions& options)
{
    std::array<KVEquationFont, kFontRoles> f;
    f[static_cast<std::size_t>(FontRole::Base)] = base;
    KVEquationFont symbol = base;
    symbol.lf.SetFaceName("Symbol");
    f[static_cast<std::size_t>(FontRole::Symbol)] = symbol;
    f[static_cast<std::size_t>(FontRole::Raised)] = Scaled(base, options.textSuper.Get(), kScriptHeight);
    f[static_cast<std::size_t>(FontRole::Lowered)] = Scaled(base, options.textSub.Get(), kScriptHeight);
    KVEquationFont state = Scaled(base, options.textPhase.Get(), kStateHeight);
    state.lf.lfItalic = options.italicPhase.Get() ? 1 : 0;
    f[static_cast<std::size_t>(FontRole::State)] = state;
    f[static_cast<std::size_t>(FontRole::ArrowText)] = Scaled(base, options.textArrow.Get(), kScriptHeight);
    return f;
}

// Unit and direction of the context: HIMETRIC units are small and y grows upwards.
struct DeviceFactors {
    bool himetric = false;
    i64 unit = 1;      // logical units per pixel of spacing: 8 under MM_HIMETRIC
    i64 direction = 1; // sign of "down": -1 under MM_HIMETRIC
};

// The fonts of a line created once on the attribute context, each selected when
// something is measured in it; widths of single characters are remembered.
class Measurer {
public:
    Measurer(CDC& attr, const std::array<KVEquationFont, kFontRoles>& fonts, bool himetric) : m_dc(attr)
    {
        for (std::size_t r = 0; r < kFontRoles; ++r)
            m_lf[r] = CSelectedFont::DeviceLogFont(fonts[r], himetric);
    }
    ~Measurer()
    {
        if (m_previous)
            m_dc.SelectObject(m_previous);
        for (HGDIOBJ f : m_created)
            if (f)
                m_dc.DeleteObject(f);
    }
    Measurer(const Measurer&) = delete;
    Measurer& operator=(const Measurer&) = delete;

    TEXTMETRICA Metrics(FontRole role)
    {
        TEXTMETRICA tm;
        Use(role);
        m_dc.GetTextMetricsA(tm);
        return tm;
    }
    SIZE Extent(FontRole role, const std::string& s)
    {
        Use(role);
        return m_dc.GetTextExtentPoint32A(s.data(), static_cast<int>(s.size()));
    }
    SIZE CharExtent(FontRole role, char c)
    {
        if (m_widths.empty())
            m_widths.assign(kFontRoles * 256, SIZE{-1, -1});
        SIZE& w = m_widths[static_cast<std::size_t>(role) * 256 + static_cast<unsigned char>(c)];
        if (w.cx < 0) {
            Use(role);
            w = m_dc.GetTextExtentPoint32A(&c, 1);
        }
        return w;
    }

private:
    void Use(FontRole role)
    {
        const auto r = static_cast<std::size_t>(role);
        if (m_current == static_cast<int>(r))
            return;
        if (!m_created[r])
            m_created[r] = m_dc.CreateFontIndirectA(m_lf[r]);
        const HGDIOBJ previous = m_dc.SelectObject(m_created[r]);
        if (m_current < 0)
            m_previous = previous;
        m_current = static_cast<int>(r);
    }

    CDC& m_dc;
    std::array<LOGFONTA, kFontRoles> m_lf;
    std::array<HGDIOBJ, kFontRoles> m_created{};
    HGDIOBJ m_previous = 0;
    int m_current = -1;
    std::vector<SIZE> m_widths;
};

// What the line's fonts measure. A cap height is the ascent less the internal
// leading: the height of a capital letter above the baseline.
struct LineMetrics {
    i64 charHeight = 0;    // character height the base font is made with
    i64 mWidth = 0;        // width of "m" in the base font, the unit of the arrow width option
    i64 baseCap = 0;
    i64 baseDescent = 0;
    i64 raisedCap = 0;
    i64 raisedDescent = 0;
    i64 loweredCap = 0;
    i64 stateCap = 0;
    i64 stateDescent = 0;
    i64 arrowLeading = 0;  // internal leading of the arrow-text font: the gap to an arrow

    static LineMetrics Measure(Measurer& m, const KVEquationFont& base, bool himetric)
    {
        auto cap = [](const TEXTMETRICA& tm) { return static_cast<i64>(tm.tmAscent) - tm.tmInternalLeading; };
        LineMetrics lm;
        const LOGFONTA lf = CSelectedFont::DeviceLogFont(base, himetric);
        lm.charHeight = lf.lfHeight < 0 ? -static_cast<i64>(lf.lfHeight) : lf.lfHeight;
        lm.charHeight = std::min<i64>(lm.charHeight, std::numeric_limits<int>::max());
        lm.mWidth = m.Extent(FontRole::Base, "m").cx;
        TEXTMETRICA tm = m.Metrics(FontRole::Base);
        lm.baseCap = cap(tm);
        lm.baseDescent = tm.tmDescent;
        tm = m.Metrics(FontRole::Raised);
        lm.raisedCap = cap(tm);
        lm.raisedDescent = tm.tmDescent;
        lm.loweredCap = cap(m.Metrics(FontRole::Lowered));
        tm = m.Metrics(FontRole::State);
        lm.stateCap = cap(tm);
        lm.stateDescent = tm.tmDescent;
        lm.arrowLeading = m.Metrics(FontRole::ArrowText).tmInternalLeading;
        return lm;
    }
};

// The level options move a baseline down from its place by that fraction of the cap
// height. Raised text starts higher than the others, so that at the default level 0.5
// its baseline is 0.7 of a cap height up, clear of a subscript below it.
constexpr double kRaisedPlace = 1.2;
// The arrow axis and lowered text start one cap height from the baseline, state text
// half of one: at 0.5 the axis is at half a capital's height, like a plus sign.
constexpr double kArrowPlace = 1.0;
constexpr double kLoweredPlace = 1.0;
constexpr double kStatePlace = 0.5;
// The lines of a double arrow stand a tenth of the character height (half heads) or a
// seventh (full heads, which spread further) either side of the axis.
constexpr i64 kHalfHeadsGapDivisor = 10;
constexpr i64 kFullHeadsGapDivisor = 7;

// Heights above the baseline (positive is up), from the levels and the cap height.
struct BaselineOffsets {
    i64 arrowAxis = 0;
    i64 raised = 0;
    i64 lowered = 0;   // negative below the baseline
    i64 state = 0;
    i64 doubleGap = 0; // half the distance between the lines of a double arrow

    static BaselineOffsets Of(const LineMetrics& m, const CEquationOptions& options)
    {
        const double cap = static_cast<double>(m.baseCap);
        BaselineOffsets o;
        o.arrowAxis = Trunc((kArrowPlace - options.levelArrow.Get()) * cap);
        o.raised = Trunc((kRaisedPlace - options.levelSuper.Get()) * cap);
        o.lowered = Trunc((kLoweredPlace - options.levelSub.Get()) * -cap);
        o.state = Trunc((kStatePlace - options.levelPhase.Get()) * cap);
        switch (options.EquilibriumArrowStyle()) {
        case EquilibriumStyle::DoubleHalfHeads: o.doubleGap = m.charHeight / kHalfHeadsGapDivisor; break;
        case EquilibriumStyle::DoubleFullHeads: o.doubleGap = m.charHeight / kFullHeadsGapDivisor; break;
        default: o.doubleGap = 0; break;
        }
        return o;
    }
};

// Arrowheads: how far a barb reaches back along its line and how far it spreads from
// it. Both come from a size of two thirds of the character height, truncated as 6/9.
struct ArrowHead {
    i64 reach = 0;        // half the size
    i64 spreadSteep = 0;  // a third: reaction arrows and the single-line styles
    i64 spreadFlat = 0;   // a fifth: the full heads of two-line arrows, which would touch
    static constexpr i64 kSizeNumerator = 6;
    static constexpr i64 kSizeDenominator = 9;

    static ArrowHead Of(i64 charHeight)
    {
        const i64 size = kSizeNumerator * charHeight / kSizeDenominator;
        return ArrowHead{size / 2, size / 3, size / 5};
    }
};

// A point of an arrow's strokes: the end it lies at, whether it is a barb's point
// (reach back toward the middle), the line (upper, axis, lower) and the spread of
// the barb (-1 above its line, +1 below).
struct ArrowPoint {
    std::int8_t end;    // -1 left, +1 right
    bool barb;
    std::int8_t line;   // -1 upper, 0 axis, +1 lower
    std::int8_t spread;
};
struct ArrowStyle {
    bool flat; // spreadFlat instead of spreadSteep
    std::vector<std::vector<ArrowPoint>> strokes;
};

const ArrowStyle& ReactionArrow()
{
    static const ArrowStyle s{false, {{{-1, false, 0, 0}, {1, false, 0, 0}, {1, true, 0, -1}},
                                      {{1, false, 0, 0}, {1, true, 0, 1}}}};
    return s;
}

// The strokes of each EquilibriumStyle, in its order; nothing for another number.
const ArrowStyle* EquilibriumArrow(EquilibriumStyle equilibrium)
{
    const auto style = static_cast<std::int32_t>(equilibrium);
    static const ArrowStyle styles[4] = {
        {false, {{{-1, false, 0, 0}, {1, false, 0, 0}, {1, true, 0, -1}},
                 {{1, false, 0, 0}, {-1, false, 0, 0}, {-1, true, 0, 1}}}},
        {false, {{{-1, false, 0, 0}, {1, false, 0, 0}, {1, true, 0, -1}},
                 {{1, false, 0, 0}, {1, true, 0, 1}},
                 {{1, false, 0, 0}, {-1, false, 0, 0}, {-1, true, 0, 1}},
                 {{-1, false, 0, 0}, {-1, true, 0, -1}}}},
        {false, {{{-1, false, -1, 0}, {1, false, -1, 0}, {1, true, -1, -1}},
                 {{1, false, 1, 0}, {-1, false, 1, 0}, {-1, true, 1, 1}}}},
        {true, {{{-1, false, -1, 0}, {1, false, -1, 0}, {1, true, -1, 1}},
                {{1, false, -1, 0}, {1, true, -1, -1}},
                {{1, false, 1, 0}, {-1, false, 1, 0}, {-1, true, 1, 1}},
                {{-1, false, 1, 0}, {-1, true, 1, -1}}}},
    };
    return style >= 0 && style < 4 ? &styles[style] : nullptr;
}

// The strokes of an arrow from `left` to `right` on `axis`, its lines `gap` either side;
// `down` is the sign of a downward step on the context.
void AddStrokes(std::vector<BoxPoint>& out, const ArrowStyle& style, const ArrowHead& head, i64 left, i64 right,
                i64 axis, i64 gap, i64 down)
{
    const i64 spread = style.flat ? head.spreadFlat : head.spreadSteep;
    for (const auto& stroke : style.strokes) {
        bool first = true;
        for (const ArrowPoint& p : stroke) {
            i64 x = p.end < 0 ? left : right;
            if (p.barb)
                x += p.end < 0 ? head.reach : -head.reach;
            const i64 y = axis + p.line * gap * down + p.spread * spread * down;
            out.push_back(BoxPoint{x, y, !first});
            first = false;
        }
    }
}

LineBox LayOut(const CEquationLine& line, CDC& attr, const CEquationOptions& options, const KVEquationFont& baseFont,
               int depth, const DeviceFactors& dev);

// The texts above and below every arrow slot, each laid out once as a line of its own;
// the tallest text above and each slot's width go into `box`.
std::vector<std::array<std::optional<LineBox>, 2>> LayOutArrowTexts(const CEquationLine& line, CDC& attr,
                                                                    const CEquationOptions& options,
                                                                    const KVEquationFont& arrowFont, int depth,
                                                                    const DeviceFactors& dev, LineBox& box)
{
    const std::size_t slots = std::max<std::size_t>(
        {static_cast<std::size_t>(CEquationLine::kArrows), line.arrowAbove.size(), line.arrowBelow.size()});
    box.tallestAbove = 0;
    box.arrowWidths.assign(slots, 0);
    std::vector<std::array<std::optional<LineBox>, 2>> boxes;
    if (depth >= kMaxArrowTextDepth)
        return boxes;
    boxes.resize(slots);
    std::optional<CEquationLine> temp; // one line for every text, made when first needed
    for (std::size_t k = 0; k < slots; ++k) {
        for (std::size_t side = 0; side < 2; ++side) {
            const std::string& text = SlotText(side == 0 ? line.arrowAbove : line.arrowBelow, static_cast<i64>(k));
            // An empty text measures as zeros; it gets its box when its arrow is placed.
            if (text.empty())
                continue;
            if (!temp)
                temp.emplace();
            temp->SetText(text);
            boxes[k][side] = LayOut(*temp, attr, options, arrowFont, depth + 1, dev);
        }
        const LineExtent a = boxes[k][0] ? boxes[k][0]->Measured() : LineExtent{};
        const LineExtent b = boxes[k][1] ? boxes[k][1]->Measured() : LineExtent{};
        box.tallestAbove = std::max(box.tallestAbove, a.height);
        box.arrowWidths[k] = std::max(a.width, b.width);
    }
    return boxes;
}

// Room a line takes beyond what it places, so that strokes at its edges stay inside:
// its width runs past the last advance (an empty text is this wide), its depth below
// the lowest descent and its height beyond the distance from its top to its bottom.
constexpr i64 kWidthBeyondLast = 3;
constexpr i64 kDepthBelowBottom = 2;
constexpr i64 kHeightBeyondBox = 2;
// Raised text keeps a row clear above its cap height.
constexpr i64 kRaisedHeadroom = 1;
// A charge's minus sign stands this far apart from a formula before it and closes up
// by as much on a subscript.
constexpr i64 kChargeSignShift = 2;
// A minus sign is a hyphen drawn twice, the second half a width on.
constexpr double kMinusWidths = 1.5;
// An arrow is longer than its texts (or the arrow width option) by this much, and its
// shaft stops short of either end of its slot by kArrowInset.
constexpr i64 kArrowRoom = 20;
constexpr i64 kArrowInset = 5;

// Places the positions of one line into its box, left to right: the pen position
// advances by what each position takes. Measures with the line's fonts as it goes.
class LinePlacer {
public:
    LinePlacer(const CEquationLine& line, CDC& attr, const CEquationOptions& options, const KVEquationFont& baseFont,
               int depth, const DeviceFactors& dev, Measurer& measurer, LineBox& box)
        : m_line(line), m_options(options), m_depth(depth), m_dev(dev), m_measurer(measurer), m_box(box),
          m_metrics(LineMetrics::Measure(measurer, baseFont, dev.himetric)),
          m_arrowTexts(LayOutArrowTexts(line, attr, options, box.Font(FontRole::ArrowText), depth, dev, box)),
          m_offsets(BaselineOffsets::Of(m_metrics, options)), m_head(ArrowHead::Of(m_metrics.charHeight)),
          m_axisY(-m_offsets.arrowAxis * dev.direction)
    {
    }

    void PlaceAll()
    {
        PlaceVertically();
        const std::size_t len = m_line.text.size();
        for (std::size_t i = 0; i + 1 < len; ++i) {
            SpaceChargeSign(i);
            BoxItem item;
            item.source = static_cast<std::int32_t>(i);
            item.left = m_x;
            if (!Place(i, item))
                continue;
            item.advance = m_x - item.left;
            m_box.items.push_back(std::move(item));
        }
        m_box.extent.depth = static_cast<std::int32_t>(Clamp32(kDepthBelowBottom - m_box.bottom));
        m_box.extent.width = static_cast<std::int32_t>(Clamp32(m_x + kWidthBeyondLast));
        m_box.extent.height = static_cast<std::int32_t>(Clamp32(m_box.top - m_box.bottom + kHeightBeyondBox));
    }

private:
    // The line's top and bottom: the highest and lowest that any of its kinds of text
    // or the texts of its arrows can reach.
    void PlaceVertically()
    {
        const LineMetrics& m = m_metrics;
        const BaselineOffsets& o = m_offsets;
        const i64 tallest = m_box.tallestAbove;
        const i64 gap = o.doubleGap;
        m_box.top = std::max({m.baseCap, o.state + m.stateCap, o.lowered + m.loweredCap,
                              o.raised + m.raisedCap + kRaisedHeadroom, tallest + gap + o.arrowAxis + m.arrowLeading});
        m_box.bottom = std::min({-m.baseDescent, o.state - m.stateDescent, o.lowered, o.raised - m.raisedDescent,
                                 o.arrowAxis - tallest - gap - m.arrowLeading});
    }

    void SpaceChargeSign(std::size_t i)
    {
        if (m_line.text[i] != '-' || i == 0)
            return;
        const DisplayCode previous = DisplayAt(m_line, i - 1);
        if (previous == DisplayCode::Normal)
            m_x += kChargeSignShift * m_dev.unit;
        else if (previous == DisplayCode::Lowered)
            m_x -= kChargeSignShift * m_dev.unit;
    }

    // Places position i; false when it takes no room (hidden markup, control bytes).
    bool Place(std::size_t i, BoxItem& item)
    {
        const char ch = m_line.text[i];
        const DisplayCode code = DisplayAt(m_line, i);
        switch (code) {
        case DisplayCode::Normal:
        case DisplayCode::Capital:
        case DisplayCode::Symbol:
        case DisplayCode::Raised:
        case DisplayCode::Lowered:
        case DisplayCode::StateText:
            if (IsControl(ch))
                return false;
            PlaceGlyph(ch, code, item);
            return true;
        case DisplayCode::BarredSymbol:
            if (IsControl(ch))
                return false;
            PlaceBarredSymbol(ch, item);
            return true;
        case DisplayCode::StackedPair:
            PlacePair(item);
            return true;
        case DisplayCode::ArrowReaction:
        case DisplayCode::ArrowEquilibrium:
            PlaceArrow(code == DisplayCode::ArrowReaction, item);
            return true;
        default:
            return false;
        }
    }

    void PlaceGlyph(char ch, DisplayCode code, BoxItem& item)
    {
        const i64 down = m_dev.direction;
        i64 baseline = 0;
        switch (code) {
        case DisplayCode::Symbol: item.font = FontRole::Symbol; break;
        case DisplayCode::Raised: item.font = FontRole::Raised; baseline = -m_offsets.raised * down; break;
        case DisplayCode::Lowered: item.font = FontRole::Lowered; baseline = -m_offsets.lowered * down; break;
        case DisplayCode::StateText: item.font = FontRole::State; baseline = -m_offsets.state * down; break;
        default: break;
        }
        const char glyph = code == DisplayCode::Capital ? static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(ch))) : ch;
        const i64 w = m_measurer.CharExtent(item.font, glyph).cx;
        item.texts.push_back(BoxText{std::string(1, glyph), m_x, baseline});
        if (ch == '-') {
            // A second hyphen half a width on makes the minus sign long enough.
            item.texts.push_back(BoxText{std::string(1, glyph), m_x + w / 2, baseline});
            m_x += Trunc(kMinusWidths * static_cast<double>(w));
        } else {
            m_x += w;
        }
    }

    // A symbol with a stroke through its middle.
    void PlaceBarredSymbol(char ch, BoxItem& item)
    {
        item.kind = BoxItem::Kind::Bar;
        item.font = FontRole::Symbol;
        const SIZE extent = m_measurer.CharExtent(FontRole::Symbol, ch);
        item.texts.push_back(BoxText{std::string(1, ch), m_x, 0});
        const i64 barY = -(extent.cy / 2) * m_dev.direction;
        item.strokes = {BoxPoint{m_x, barY, false}, BoxPoint{m_x + extent.cx, barY, true}};
        m_x += extent.cx;
    }

    // The two fields of the next pair, right-aligned, at the raised and lowered levels.
    void PlacePair(BoxItem& item)
    {
        const i64 down = m_dev.direction;
        item.kind = BoxItem::Kind::Pair;
        item.font = FontRole::Raised;
        const i64 k = m_box.pairsPlaced++;
        const std::string upper = WithoutControls(SlotText(m_line.stackTop, k));
        const std::string lower = WithoutControls(SlotText(m_line.stackBottom, k));
        const i64 upperWidth = m_measurer.Extent(FontRole::Raised, upper).cx;
        const i64 lowerWidth = m_measurer.Extent(FontRole::Raised, lower).cx;
        const i64 width = std::max(upperWidth, lowerWidth);
        item.texts.push_back(BoxText{upper, m_x + width - upperWidth, -m_offsets.raised * down});
        item.texts.push_back(BoxText{lower, m_x + width - lowerWidth, -m_offsets.lowered * down});
        m_x += width;
    }

    // The next arrow: as long as its wider text or the arrow width option, with its
    // texts centred above and below.
    void PlaceArrow(bool reaction, BoxItem& item)
    {
        const i64 unit = m_dev.unit;
        const i64 down = m_dev.direction;
        item.kind = BoxItem::Kind::Arrow;
        item.font = FontRole::ArrowText;
        const i64 k = m_box.arrowsPlaced++;
        const double textWidth = static_cast<double>(
            k < static_cast<i64>(m_box.arrowWidths.size()) ? m_box.arrowWidths[static_cast<std::size_t>(k)] : 0);
        const double optionWidth = m_options.arrowWidth.Get() * static_cast<double>(m_metrics.mWidth);
        const i64 length = Trunc(std::max(textWidth, optionWidth)) + kArrowRoom * unit;
        const ArrowStyle* arrow = reaction ? &ReactionArrow() : EquilibriumArrow(m_options.EquilibriumArrowStyle());
        if (arrow) // other styles take their length and texts only
            AddStrokes(item.strokes, *arrow, m_head, m_x + kArrowInset * unit, m_x + length - kArrowInset * unit,
                       m_axisY, m_offsets.doubleGap, down);
        if (m_depth < kMaxArrowTextDepth)
            PlaceArrowTexts(k, reaction, length, item);
        m_x += length;
    }

    void PlaceArrowTexts(i64 k, bool reaction, i64 length, BoxItem& item)
    {
        const i64 down = m_dev.direction;
        const i64 gap = reaction ? m_metrics.arrowLeading : m_offsets.doubleGap + m_metrics.arrowLeading;
        item.anchorX = m_x + length / 2;
        item.aboveY = m_axisY - gap * down;
        item.belowY = m_axisY + gap * down;
        item.arrowTexts.resize(2);
        if (static_cast<std::size_t>(k) < m_arrowTexts.size()) {
            auto& texts = m_arrowTexts[static_cast<std::size_t>(k)];
            for (std::size_t side = 0; side < 2; ++side)
                if (texts[side])
                    item.arrowTexts[side] = std::move(*texts[side]);
        }
        // An empty text is still drawn as a line: its fonts and pen come and go.
        for (LineBox& t : item.arrowTexts)
            if (t.empty) {
                t.fonts = FontSet(m_box.Font(FontRole::ArrowText), m_options);
                t.himetric = m_dev.himetric;
                t.direction = down;
            }
    }

    const CEquationLine& m_line;
    const CEquationOptions& m_options;
    const int m_depth;
    const DeviceFactors& m_dev;
    Measurer& m_measurer;
    LineBox& m_box;
    const LineMetrics m_metrics;
    std::vector<std::array<std::optional<LineBox>, 2>> m_arrowTexts;
    const BaselineOffsets m_offsets;
    const ArrowHead m_head;
    const i64 m_axisY;
    i64 m_x = 0; // the pen position
};

LineBox LayOut(const CEquationLine& line, CDC& attr, const CEquationOptions& options, const KVEquationFont& baseFont,
               int depth, const DeviceFactors& dev)
{
    LineBox box;
    box.fonts = FontSet(baseFont, options);
    box.himetric = dev.himetric;
    box.direction = dev.direction;
    box.empty = line.text.empty();
    // A nested empty text draws nothing and its extent is never used.
    if (box.empty && depth > 0)
        return box;
    Measurer measurer(attr, box.fonts, dev.himetric);
    LinePlacer(line, attr, options, baseFont, depth, dev, measurer, box).PlaceAll();
    return box;
}

// Puts a box on a context with the calls a GDI drawing pass makes, in its order, so
// that a recorded metafile keeps its records: one pen for the line's strokes; each font
// of the line made, selected and given back once before anything is drawn, as
// measuring did; every position drawn in its own font, made before and deleted after
// it; and at the end the stock objects and the caller's alignment back in place.
class LinePainter {
public:
    LinePainter(const LineBox& box, CDC& dc, int x, int y)
        : m_box(box), m_dc(dc), m_entryAlign(dc.GetTextAlign())
    {
        m_pen = dc.CreatePen(PS_INSIDEFRAME, 1, box.Font(FontRole::Base).color);
        dc.SelectObject(m_pen);
        for (std::size_t r = 0; r < kFontRoles; ++r)
            m_fonts[r].font = box.fonts[r];
        for (FontRole role : {FontRole::Base, FontRole::Raised, FontRole::Lowered, FontRole::State, FontRole::ArrowText}) {
            Font(role).Select(dc, box.himetric);
            Font(role).Deselect(dc);
        }
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_BASELINE | TA_LEFT);
        PlaceBaseline(x, y);
    }

    ~LinePainter()
    {
        m_dc.SelectStockObject(SYSTEM_FONT);
        m_dc.SelectStockObject(BLACK_PEN);
        m_dc.SelectStockObject(NULL_BRUSH);
        if (m_pen)
            m_dc.DeleteObject(m_pen);
        m_dc.SetTextAlign(m_entryAlign);
    }

    LinePainter(const LinePainter&) = delete;
    LinePainter& operator=(const LinePainter&) = delete;

    // Runs `draw` with the font of `role` made and selected.
    template <class Draw>
    void InFont(FontRole role, Draw&& draw)
    {
        Font(role).Select(m_dc, m_box.himetric);
        draw();
        Font(role).Deselect(m_dc);
    }

    void Texts(const BoxItem& item)
    {
        for (const BoxText& t : item.texts)
            m_dc.TextOut(ToInt(m_baseX + t.x), ToInt(m_baseY + t.y), t.text.data(), static_cast<int>(t.text.size()));
    }

    // The item's strokes with the line's pen.
    void Strokes(const BoxItem& item)
    {
        m_dc.SelectObject(m_pen);
        for (const BoxPoint& p : item.strokes) {
            if (p.draw)
                m_dc.LineTo(ToInt(m_baseX + p.x), ToInt(m_baseY + p.y));
            else
                m_dc.MoveTo(ToInt(m_baseX + p.x), ToInt(m_baseY + p.y));
        }
    }

    // The texts above (bottom-centred on the anchor) and below (top-centred) an arrow.
    void ArrowTexts(const BoxItem& item)
    {
        if (item.arrowTexts.size() == 2) {
            m_dc.SetTextAlign(TA_BOTTOM | TA_CENTER);
            DrawLineBox(item.arrowTexts[0], m_dc, ToInt(m_baseX + item.anchorX), ToInt(m_baseY + item.aboveY));
            m_dc.SetTextAlign(TA_TOP | TA_CENTER);
            DrawLineBox(item.arrowTexts[1], m_dc, ToInt(m_baseX + item.anchorX), ToInt(m_baseY + item.belowY));
        }
        m_dc.SetTextAlign(TA_BASELINE | TA_LEFT);
    }

private:
    CSelectedFont& Font(FontRole role) { return m_fonts[static_cast<std::size_t>(role)]; }

    // The start of the baseline, from (x, y) as the caller's alignment names it.
    void PlaceBaseline(int x, int y)
    {
        const i64 down = m_box.direction;
        m_baseY = y;
        if ((m_entryAlign & TA_VERT_MASK) == TA_TOP)
            m_baseY = y + m_box.top * down;
        else if ((m_entryAlign & TA_VERT_MASK) == TA_BOTTOM)
            m_baseY = y + m_box.bottom * down;
        m_baseX = x;
        const unsigned horizontal = m_entryAlign & TA_HORZ_MASK;
        if (horizontal == TA_CENTER || horizontal == TA_RIGHT) {
            const i64 width = m_box.Measured().width;
            m_baseX = horizontal == TA_CENTER ? x - width / 2 : x - width;
        }
    }

    const LineBox& m_box;
    CDC& m_dc;
    const unsigned m_entryAlign;
    HGDIOBJ m_pen = 0;
    std::array<CSelectedFont, kFontRoles> m_fonts;
    i64 m_baseX = 0;
    i64 m_baseY = 0;
};

DeviceFactors FactorsOf(CDC& attr)
{
    return attr.GetMapMode() == MM_HIMETRIC ? DeviceFactors{true, 8, -1} : DeviceFactors{};
}

} // namespace

LineBox LayOutLine(const CEquationLine& line, CDC& dc, const CEquationOptions& options, const KVEquationFont& baseFont)
{
    CDC& attr = dc.Attribute();
    return LayOut(line, attr, options, baseFont, 0, FactorsOf(attr));
}

LineExtent DrawLineBox(const LineBox& box, CDC& dc, int x, int y)
{
    LinePainter painter(box, dc, x, y);
    for (const BoxItem& item : box.items) {
        switch (item.kind) {
        case BoxItem::Kind::Glyph:
        case BoxItem::Kind::Pair:
            painter.InFont(item.font, [&] { painter.Texts(item); });
            break;
        case BoxItem::Kind::Bar:
            painter.InFont(item.font, [&] {
                painter.Texts(item);
                painter.Strokes(item);
            });
            break;
        case BoxItem::Kind::Arrow:
            painter.Strokes(item);
            painter.InFont(item.font, [&] { painter.ArrowTexts(item); });
            break;
        }
    }
    return box.extent;
}

void LineInk::Add(const LineInk& ink, i64 dx, i64 dy)
{
    if (ink.any)
        Add(ink.left + dx, ink.top + dy, ink.right + dx, ink.bottom + dy);
}

namespace {

LineInk InkOf(const LineBox& box, CDC& attr, int depth)
{
    LineInk ink;
    const i64 s = box.direction;
    for (const BoxItem& item : box.items) {
        // A stroke covers one unit below and to the right of the points it joins.
        for (std::size_t k = 1; k < item.strokes.size(); ++k) {
            const BoxPoint& a = item.strokes[k - 1];
            const BoxPoint& b = item.strokes[k];
            if (b.draw)
                ink.Add(std::min(a.x, b.x), std::min(a.y * s, b.y * s), std::max(a.x, b.x) + 1,
                        std::max(a.y * s, b.y * s) + 1);
        }
        if (!item.texts.empty()) {
            CSelectedFont font(box.Font(item.font));
            font.Select(attr, box.himetric);
            for (const BoxText& t : item.texts) {
                const TEXTINK g = attr.GetTextInk(t.text.data(), static_cast<int>(t.text.size()));
                if (!g.Empty())
                    ink.Add(t.x + g.left, t.y * s - g.ascent, t.x + g.right, t.y * s + g.descent);
            }
            font.Deselect(attr);
        }
        if (item.arrowTexts.size() == 2 && depth < kMaxArrowTextDepth) {
            // Drawn centred on the anchor, the upper text by its bottom, the lower by its top.
            const LineBox& above = item.arrowTexts[0];
            const LineBox& below = item.arrowTexts[1];
            ink.Add(InkOf(above, attr, depth + 1), item.anchorX - above.Measured().width / 2,
                    item.aboveY * s + above.bottom);
            ink.Add(InkOf(below, attr, depth + 1), item.anchorX - below.Measured().width / 2,
                    item.belowY * s + below.top);
        }
    }
    return ink;
}

} // namespace

InkRoom RoomForInk(const LineInk& ink, i64 width, i64 height)
{
    if (!ink.any)
        return {};
    return {std::max<i64>(0, -ink.left), std::max<i64>(0, -ink.top), std::max<i64>(0, ink.right - width),
            std::max<i64>(0, ink.bottom - height)};
}

LineInk InkOfLineBox(const LineBox& box, CDC& dc)
{
    return InkOf(box, dc.Attribute(), 0);
}

std::optional<std::int32_t> HitTestBox(const LineBox& box, std::int64_t x, std::int64_t y)
{
    if (box.empty)
        return std::nullopt;
    const i64 y0 = -box.top * box.direction;
    const i64 y1 = (2 - box.bottom) * box.direction;
    if (y < std::min(y0, y1) || y > std::max(y0, y1))
        return std::nullopt;
    for (const BoxItem& item : box.items)
        if (x >= item.left && x < item.left + item.advance)
            return item.source;
    return std::nullopt;
}

LineExtent CEquationLine::DrawLine(CDC& dc, int x, int y, const CEquationOptions& options, const KVEquationFont& baseFont)
{
    return DrawLineBox(LayOutLine(*this, dc, options, baseFont), dc, x, y);
}

LineExtent CEquationLine::MeasureLine(CDC& dc, const CEquationOptions& options, const KVEquationFont& baseFont)
{
    if (text.empty())
        return LineExtent{};
    return LayOutLine(*this, dc, options, baseFont).Measured();
}
