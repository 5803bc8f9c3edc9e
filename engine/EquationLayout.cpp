// Layout of a whole equation: its lines stacked top to bottom, the empty ones taking
// no room, with the options' spacing between them.
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

#include "engine/EquationBox.h"

namespace {

// What an empty equation measures like, so that its picture is never empty.
const char* const kEmptyEquationText = "3";

std::int32_t Clamp32(std::int64_t v)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

EquationBand EquationBox::Ink(int i) const
{
    if (!HasText(i) || Line(i).empty)
        return {};
    const LineBox& box = Line(i);
    // No glyph overhangs its box by more than an em of the line's largest font.
    std::int64_t em = 0;
    for (const KVEquationFont& font : box.fonts)
        em = std::max<std::int64_t>(em, std::abs(static_cast<std::int64_t>(font.lf.lfHeight)));
    const std::int64_t top = lineTops[static_cast<std::size_t>(i)];
    return {top - em, top + box.Measured().height + em};
}

namespace {

// Hands out the box of each line: the previous layout's where the text is unchanged,
// one box shared by every empty line, and a new layout of the text otherwise.
class LineBoxes {
public:
    LineBoxes(const LayoutInputs& inputs, CDC& attribute, const EquationBox* previous)
        : m_inputs(inputs), m_attribute(attribute), m_previous(previous)
    {
    }

    std::shared_ptr<const LineBox> Line(std::size_t i, const std::string& text)
    {
        if (m_previous && m_previous->texts[i] == text)
            return m_previous->lines[i];
        if (text.empty())
            return m_empty ? m_empty : (m_empty = LaidOut(CEquationLine()));
        return LaidOut(text);
    }

    std::shared_ptr<const LineBox> LaidOut(const std::string& text)
    {
        if (!m_record)
            m_record.emplace(); // one record for every line, made when first needed
        m_record->SetText(text);
        return LaidOut(*m_record);
    }

private:
    std::shared_ptr<const LineBox> LaidOut(const CEquationLine& line)
    {
        return std::make_shared<const LineBox>(LayOutLine(line, m_attribute, m_inputs.options, m_inputs.font));
    }

    const LayoutInputs& m_inputs;
    CDC& m_attribute;
    const EquationBox* m_previous;
    std::optional<CEquationLine> m_record;
    std::shared_ptr<const LineBox> m_empty;
};

} // namespace

EquationBox LayOutEquation(const EquationTexts& texts, const LayoutInputs& inputs, CDC& attribute,
                           const EquationBox* previous)
{
    LineBoxes boxes(inputs, attribute, previous);
    EquationBox equation;
    equation.texts = texts;
    // 64-bit sums: twenty lines in a huge font with a large spacing must not overflow.
    const std::int64_t spacing = inputs.options.verticalSpacing.Get();
    std::int64_t total = 0;
    std::int32_t widest = 0;
    bool anyLine = false;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        equation.lines[i] = boxes.Line(i, texts[i]);
        if (texts[i].empty())
            continue; // takes no room
        equation.lineTops[i] = Clamp32(total);
        const LineExtent extent = equation.lines[i]->Measured();
        // The first drawn line carries the base line the lowering refers to; with line 0
        // empty that is the first non-empty line.
        if (!anyLine)
            equation.firstLine = extent;
        anyLine = true;
        total += spacing + extent.height;
        widest = std::max(widest, extent.width);
    }

    // Whether any line was laid out decides, not the sum: a spacing of minus the line
    // height would otherwise make a one-line equation measure like an empty one.
    if (anyLine) {
        total -= spacing;
    } else {
        equation.firstLine = boxes.LaidOut(kEmptyEquationText)->Measured();
        total = equation.firstLine.height;
        widest = equation.firstLine.width;
    }
    // Ink beyond the stacked boxes (an italic reaching back before a line, an accent
    // above the first, a large subscript below the last) grows the picture on that side
    // only, so a picture whose ink stays inside keeps its size and every pixel. A kept
    // line keeps its ink.
    LineInk ink;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty())
            continue;
        const bool kept = previous && previous->lines[i] == equation.lines[i];
        equation.inks[i] = kept ? previous->inks[i] : InkOfLineBox(*equation.lines[i], attribute);
        ink.Add(equation.inks[i], 0, equation.lineTops[i] + equation.lines[i]->top);
    }
    const InkRoom room = RoomForInk(ink, widest, total);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty())
            equation.lineTops[i] = Clamp32(equation.lineTops[i] + room.top);
    equation.grown = room;
    equation.size = SIZE{Clamp32(widest + room.left + room.right), Clamp32(total + room.top + room.bottom)};
    equation.depth = equation.firstLine.depth;
    equation.lowering = Clamp32(total - equation.firstLine.height + equation.firstLine.depth + room.bottom);
    return equation;
}

void DrawEquationBox(const EquationBox& box, CDC& dc, int x, int y, std::optional<EquationBand> only)
{
    for (int i = 0; i < kEquationLines; ++i) {
        if (only && !box.Ink(i).Meets(*only))
            continue;
        dc.SetTextAlign(TA_TOP | TA_LEFT);
        DrawLineBox(box.Line(i), dc, Clamp32(static_cast<std::int64_t>(x) + box.grown.left),
                    Clamp32(static_cast<std::int64_t>(y) + box.lineTops[static_cast<std::size_t>(i)]));
    }
}
