#pragma once
// A laid-out equation: the box of each of its lines, where each line stands, and the
// size, depth and lowering of the whole. Measuring, drawing, hit testing and every
// picture read the same value, laid out once for a context's metrics.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LineBox.h"

// Rows of the equation, from its top, in logical units: [top, bottom).
struct EquationBand {
    std::int64_t top = 0;
    std::int64_t bottom = 0;
    bool Empty() const { return bottom <= top; }
    bool Meets(const EquationBand& o) const { return !Empty() && !o.Empty() && top < o.bottom && o.top < bottom; }
    friend bool operator==(const EquationBand& a, const EquationBand& b) { return a.top == b.top && a.bottom == b.bottom; }
    friend bool operator!=(const EquationBand& a, const EquationBand& b) { return !(a == b); }
};

using LineTops = std::array<std::int32_t, kEquationLines>;
using EquationTexts = std::array<std::string, kEquationLines>;

struct EquationBox {
    // Every line's box, an empty line's too (drawing it still makes its pen and fonts).
    // Shared: a line whose text and inputs are unchanged keeps the very box it had, so
    // comparing two layouts' pointers tells which lines were laid out again.
    std::array<std::shared_ptr<const LineBox>, kEquationLines> lines;
    EquationTexts texts;  // what each line was laid out from
    LineTops lineTops{};  // top of each line from the top of the equation; 0 for an empty line
    // The widest line by the stacked height, grown on each side where ink reaches
    // beyond them (`grown`, already counted in lineTops and the lowering; every line is
    // drawn grown.left right of the equation's left edge).
    SIZE size{0, 0};
    InkRoom grown;
    std::array<LineInk, kEquationLines> inks; // each line's ink, from its baseline's start
    LineExtent firstLine; // the first drawn line (the digit of an empty equation)
    std::int32_t depth = 0;    // the first line's depth: its base line above its bottom edge
    std::int32_t lowering = 0; // bottom edge up to the first line's baseline

    const LineBox& Line(int i) const { return *lines[static_cast<std::size_t>(i)]; }
    bool HasText(int i) const { return !texts[static_cast<std::size_t>(i)].empty(); }
    // The rows line i may ink: its box with an em of its largest font either side, for
    // glyphs that reach beyond it; empty for an empty line. A repaint of part of the
    // equation draws the lines whose ink meets it.
    EquationBand Ink(int i) const;
};

// Lays out the equation's lines (Windows-1252, without line breaks), the lines of
// equal text in `previous` (laid out with the same inputs) kept as they are. Measures
// on `attribute`; draws nothing.
EquationBox LayOutEquation(const EquationTexts& texts, const LayoutInputs& inputs, CDC& attribute,
                           const EquationBox* previous = nullptr);

// Draws every line with the equation's top-left corner at (x, y); with `only`, just
// the lines whose ink meets those rows.
void DrawEquationBox(const EquationBox& box, CDC& dc, int x, int y, std::optional<EquationBand> only = std::nullopt);
