// Arbitrary bytes as one equation line: classification and its explanation must
// neither crash nor read or write out of bounds, and reclassifying a record must give
// what a fresh record gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/EquationLine.h"
#include "engine/Explain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    CEquationLine line;
    line.SetText("=a,b> {1,2}X \"quoted");
    line.SetText(text);
    const std::string reused = ExplainLine(line);

    CEquationLine fresh;
    fresh.SetText(text);
    if (!text.empty() && ExplainLine(fresh) != reused)
        std::abort();
    if (!text.empty() && (line.text.size() != text.size() + 1 || line.classes.size() < line.text.size()
                          || line.display.size() < line.text.size()))
        std::abort();
    // Arrow texts and pair fields are drawn on their own; nothing of them shows in line.
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        const CharClass c = line.classes[i];
        if ((c == CharClass::ArrowAbove || c == CharClass::ArrowBelow || c == CharClass::StackTop
             || c == CharClass::StackBottom)
            && line.display[i] != DisplayCode::Hidden)
            std::abort();
    }
    if (static_cast<std::size_t>(line.arrowCount) >= line.arrowAbove.size()
        || static_cast<std::size_t>(line.stackCount) >= line.stackTop.size())
        std::abort();
    return 0;
}
