// The StarMath form: goldens, the style option, and balanced output for odd lines
// (an unbalanced brace or quote makes LibreOffice Math show error marks).
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/ChemStarMath.h"
#include "engine/EquationLine.h"

namespace {

std::string SourcePath(const std::string& relative)
{
    if (const char* dir = std::getenv("MOLVEX_SOURCE_DIR"))
        return std::string(dir) + "/" + relative;
    return relative;
}

// Braces balance outside strings, and every string is closed.
bool Balanced(const std::string& s)
{
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (quoted) {
            if (s[i] == '\\')
                ++i;
            else if (s[i] == '"')
                quoted = false;
        } else if (s[i] == '"') {
            quoted = true;
        } else if (s[i] == '{' || s[i] == '}') {
            depth += s[i] == '{' ? 1 : -1;
            if (depth < 0)
                return false;
        }
    }
    return depth == 0 && !quoted;
}

} // namespace

// Blocks of "line:" and "starmath:" (the second equilibrium style when "starmath2:").
TEST(ChemStarMath, Goldens)
{
    std::ifstream in(SourcePath("tests/engine/starmath_goldens.txt"));
    ASSERT_TRUE(in) << "starmath_goldens.txt not found (MOLVEX_SOURCE_DIR)";
    std::string row, input;
    int checked = 0;
    while (std::getline(in, row)) {
        const std::size_t colon = row.find(": ");
        if (colon == std::string::npos || row[0] == '#')
            continue;
        const std::string key = row.substr(0, colon), value = row.substr(colon + 2);
        if (key == "line") {
            input = value;
            continue;
        }
        const chem::ChemLine line = chem::ReadText(input);
        EXPECT_EQ(chem::StarMathText(line, key == "starmath2" ? 2 : 1), value) << input;
        EXPECT_TRUE(Balanced(value)) << value;
        ++checked;
    }
    EXPECT_GE(checked, 15);
}

TEST(ChemStarMath, OddLinesStayBalanced)
{
    std::string allBytes;
    for (int c = 1; c < 256; ++c)
        allBytes += static_cast<char>(c);
    for (const std::string& text : {std::string("=a=b=c>>>"), std::string(998, '('), std::string(998, '{'),
                                    std::string("{1,2}{3,4}{5,6}"), std::string("\"a\\\"b{\" => \"}\""),
                                    std::string("+ + + =>"), allBytes, std::string("{,}n"), std::string("e- => e-")}) {
        const chem::ChemLine line = chem::ReadText(text);
        const std::string out = chem::StarMathText(std::vector<chem::ChemLine>{line, line});
        EXPECT_TRUE(Balanced(out)) << text << " -> " << out;
        for (char c : out)
            EXPECT_FALSE(c > 0 && c < 0x20 && c != '\t' && c != '\n' && c != '\r') << text;
    }
}
