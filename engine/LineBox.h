#pragma once
// A laid-out equation line: its extent and, in drawing order, everything drawing puts
// on a device context, placed relative to the start of the line's baseline. Layout
// measures on a context's attribute side and draws nothing; drawing replays the box.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/DrawingState.h"
#include "engine/EquationLine.h"
#include "engine/LogRecords.h"

class CEquationOptions;

// The fonts of a line, each a scaled copy of its base font.
enum class FontRole : std::uint8_t { Base, Symbol, Raised, Lowered, State, ArrowText };
constexpr std::size_t kFontRoles = 6;

struct LineBox;

// A point of a stroke; the first point of each stroke is where the pen is put down.
struct BoxPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool draw = false; // LineTo to here; false: MoveTo
};

// A string drawn with one TextOut.
struct BoxText {
    std::string text;
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// One placed position of the line's text.
struct BoxItem {
    enum class Kind : std::uint8_t {
        Glyph, // one character (a minus sign twice)
        Bar,   // a symbol with a stroke through it
        Pair,  // the two fields of a stacked pair
        Arrow, // strokes, then the texts above and below as lines of their own
    };
    Kind kind = Kind::Glyph;
    FontRole font = FontRole::Base;
    std::int32_t source = 0;  // position in the line's text
    std::int64_t left = 0;    // left edge and advance, for hit testing
    std::int64_t advance = 0;
    std::vector<BoxText> texts;
    std::vector<BoxPoint> strokes;
    // Arrow texts: above (drawn bottom-centre at the anchor) and below (top-centre);
    // empty when nested too deep to be drawn.
    std::vector<LineBox> arrowTexts;
    std::int64_t anchorX = 0, aboveY = 0, belowY = 0;
};

struct LineBox {
    LineExtent Measured() const { return empty ? LineExtent{} : extent; }

    LineExtent extent;        // as drawing returns it (width 3 for an empty text)
    bool empty = true;        // an empty text measures as zeros
    std::int64_t top = 0;     // above the baseline
    std::int64_t bottom = 0;  // below it (negative), without the margin
    std::int64_t direction = 1; // +1, or -1 under MM_HIMETRIC
    bool himetric = false;
    std::array<KVEquationFont, kFontRoles> fonts;
    std::vector<BoxItem> items;
    // What layout worked out on the way: the height of the tallest text above an arrow,
    // the width of each arrow slot's texts, and how many arrows and pairs were placed.
    std::int32_t tallestAbove = 0;
    std::vector<std::int32_t> arrowWidths;
    std::int32_t arrowsPlaced = 0;
    std::int32_t pairsPlaced = 0;

    const KVEquationFont& Font(FontRole role) const { return fonts[static_cast<std::size_t>(role)]; }
};

// Arrow texts nested deeper than this are left out, so a pathological text cannot
// exhaust the stack; real equations nest one or two levels.
constexpr int kMaxArrowTextDepth = 200;

// Lays the classified line out, measuring on dc.Attribute(); the line is left as it is.
LineBox LayOutLine(const CEquationLine& line, CDC& dc, const CEquationOptions& options, const KVEquationFont& baseFont);

// Draws the box with (x, y) as the anchor that the context's text alignment names;
// returns what a drawing pass returns (the extent, width 3 for an empty line).
LineExtent DrawLineBox(const LineBox& box, CDC& dc, int x, int y);

// Where a box's drawing leaves ink, relative to the start of its baseline: x along it,
// y downward whatever the mapping's direction; right and bottom exclusive.
struct LineInk : InkBounds<std::int64_t> {
    using InkBounds::Add;
    void Add(const LineInk& ink, std::int64_t dx, std::int64_t dy);
};

// How much a picture of `width` by `height` must grow on each side to hold `ink`
// (given in the picture's coordinates, y down): only where ink reaches beyond it, so
// a picture whose ink stays inside keeps its size and every pixel.
struct InkRoom {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};
InkRoom RoomForInk(const LineInk& ink, std::int64_t width, std::int64_t height);

// The ink of the box as DrawLineBox draws it, its glyphs measured on dc.Attribute()
// (which is left as it was).
LineInk InkOfLineBox(const LineBox& box, CDC& dc);

// The source position of the item under a point given relative to the start of the
// baseline, or nothing when the point is outside every placed position.
std::optional<std::int32_t> HitTestBox(const LineBox& box, std::int64_t x, std::int64_t y);
