#include "engine/Explain.h"

#include "engine/Cp1252.h"

namespace {

template <typename Code>
void AppendCodes(std::string& out, const char* label, const std::vector<Code>& codes, std::size_t count)
{
    out += label;
    out += ':';
    for (std::size_t i = 0; i < count && i < codes.size(); ++i) {
        out += ' ';
        out += std::to_string(ToInt(codes[i]));
    }
    out += '\n';
}

// Slots are read defensively: layout may have rewritten the counters.
std::string Slot(const std::vector<std::string>& slots, std::int32_t k)
{
    return k >= 0 && static_cast<std::size_t>(k) < slots.size() ? Cp1252ToUtf8(slots[k]) : std::string();
}

} // namespace

std::string ExplainLine(const CEquationLine& line)
{
    std::string out;
    AppendCodes(out, "classes", line.classes, line.text.size());
    AppendCodes(out, "display", line.display, line.text.size());
    out += "arrows: " + std::to_string(line.arrowCount) + "\n";
    for (std::int32_t k = 0; k < line.arrowCount; ++k) {
        const std::string n = std::to_string(k);
        out += "arrow " + n + " above: " + Slot(line.arrowAbove, k) + "\n";
        out += "arrow " + n + " below: " + Slot(line.arrowBelow, k) + "\n";
    }
    out += "pairs: " + std::to_string(line.stackCount) + "\n";
    for (std::int32_t k = 0; k < line.stackCount; ++k)
        out += "pair " + std::to_string(k) + ": " + Slot(line.stackTop, k) + " / " + Slot(line.stackBottom, k) + "\n";
    return out;
}
