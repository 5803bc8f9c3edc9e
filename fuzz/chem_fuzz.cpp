// Arbitrary bytes as an equation (Windows-1252, lines split at line feeds) through the
// chemical reading, its check and hints, and every form written from it. Whatever the
// input, nothing may crash; the MathML must be well-formed XML; and no form may grow
// faster than the input: each is held to a fixed multiple of its length, which is what
// keeps time and memory linear (run with -timeout and -rss_limit_mb for the rest).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/ChemModel.h"
#include "engine/ChemStarMath.h"
#include "engine/ChemText.h"
#include "engine/EquationLine.h"
#include "tests/support/XmlCheck.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Bytes written per byte of input, at most, with a little for the frame. Hints look
// into arrow texts a few levels deep and repeat their place with each, so they get more.
constexpr std::size_t kPerByte = 200;
constexpr std::size_t kHintsPerByte = 4000;
constexpr std::size_t kFrame = 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const int style = size > 0 ? data[0] % 4 : 1;
    std::vector<chem::ChemLine> lines;
    std::size_t hintBytes = 0;
    for (std::size_t start = 0; start <= input.size() && lines.size() < 20;) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        CEquationLine record;
        record.SetText(input.substr(start, end - start));
        lines.push_back(chem::ReadLine(record));
        for (const std::string& hint : chem::ReadingHints(record))
            hintBytes += hint.size();
        // Reading the text afresh gives the same reading.
        Check(chem::UnicodeText(chem::ReadText(input.substr(start, end - start)), style) ==
              chem::UnicodeText(lines.back(), style));
        const auto checks = chem::CheckBalance(lines.back());
        Check(checks.size() == lines.back().arrows.size());
        chem::DescribeBalance(checks);
        start = end + 1;
    }
    const std::size_t bound = kPerByte * size + kFrame;
    Check(hintBytes <= kHintsPerByte * size + kFrame);
    Check(chem::UnicodeText(lines, style).size() <= bound);
    Check(chem::SpeechText(lines).size() <= bound);
    Check(chem::MhchemText(lines, style).size() <= bound);
    Check(chem::StarMathText(lines, style).size() <= bound);
    const std::string mathml = chem::MathMLDocument(lines, style);
    Check(mathml.size() <= bound);
    std::string root;
    Check(xmlcheck::WellFormed(mathml, root));
    return 0;
}
