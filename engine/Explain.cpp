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

// Indexed by code; gaps are codes no character takes.
constexpr const char* kClassNames[] = {
    "unset", "coefficient", "fixed subscript", "charge", "text above an arrow", "text below an arrow",
    "open bracket", "close bracket", "state group", "subscript", "ordinary", "plus operator",
    "element initial", "minus charge", "blank", "reaction arrow start", "equilibrium arrow start",
    "closer", "separator", "close square bracket", "opening quote", "closing quote", "pair opening",
    nullptr, "pair top", "pair bottom", "quoted", "Greek form",
};
constexpr const char* kDisplayNames[] = {
    "normal", "symbol", "raised", "lowered", "state text", "capital",
    "hidden", "reaction arrow", "equilibrium arrow", "hidden closer", "stacked pair", "barred symbol",
};

template <std::size_t N>
const char* NameOf(const char* const (&names)[N], int code)
{
    const char* name = code >= 0 && static_cast<std::size_t>(code) < N ? names[code] : nullptr;
    return name ? name : "unknown";
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

const char* CharClassName(CharClass c) { return NameOf(kClassNames, ToInt(c)); }
const char* DisplayCodeName(DisplayCode d) { return NameOf(kDisplayNames, ToInt(d)); }

std::string ExplainPositions(const CEquationLine& line)
{
    std::string out;
    const std::size_t count = line.text.empty() ? 0 : line.text.size() - 1;
    for (std::size_t i = 0; i < count && i < line.classes.size() && i < line.display.size(); ++i) {
        out += std::to_string(i) + " \"" + Cp1252ToUtf8(line.text.substr(i, 1)) + "\": ";
        out += std::string(CharClassName(line.classes[i])) + " (" + std::to_string(ToInt(line.classes[i])) + "), ";
        out += std::string(DisplayCodeName(line.display[i])) + " (" + std::to_string(ToInt(line.display[i])) + ")\n";
    }
    return out;
}
