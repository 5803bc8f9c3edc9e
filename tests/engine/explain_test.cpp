#include <gtest/gtest.h>

#include "engine/EquationLine.h"
#include "engine/Explain.h"

namespace {

std::string Explain(const std::string& text)
{
    CEquationLine line;
    line.SetText(text);
    return ExplainLine(line);
}

TEST(Explain, SampleLine)
{
    EXPECT_EQ(Explain("co32-(aq)<>{238,92}U=ABOVE,BELOW>"),
              "classes: 12 12 2 3 13 8 8 8 8 16 17 22 24 24 24 18 25 25 17 10 15 4 4 4 4 4 18 5 5 5 5 5 17 14\n"
              "display: 5 5 3 2 2 4 4 4 4 8 9 10 6 6 6 6 6 6 9 0 7 6 6 6 6 6 6 6 6 6 6 6 9 0\n"
              "arrows: 2\n"
              "arrow 0 above: \n"
              "arrow 0 below: \n"
              "arrow 1 above: ABOVE\n"
              "arrow 1 below: BELOW\n"
              "pairs: 1\n"
              "pair 0: 238 / 92\n");
}

TEST(Explain, CollectedTextsAreUtf8)
{
    // A backquote arrives as the degree sign; 0x80 is the euro sign in Windows-1252.
    EXPECT_EQ(Explain("=25`C,\x80> {\xE9,x}"),
              "classes: 15 4 4 4 4 18 5 17 14 22 24 18 25 17 14\n"
              "display: 7 6 6 6 6 6 6 9 0 10 6 6 6 9 0\n"
              "arrows: 1\n"
              "arrow 0 above: 25\xC2\xB0" "C\n"
              "arrow 0 below: \xE2\x82\xAC\n"
              "pairs: 1\n"
              "pair 0: \xC3\xA9 / x\n");
}

TEST(Explain, OnlyClosedArrowsAndPairsAreListed)
{
    EXPECT_EQ(Explain("=> =a,b {1,2"),
              "classes: 15 17 14 15 4 18 5 5 5 5 5 5 5\n"
              "display: 7 9 0 7 6 6 6 6 6 6 6 6 6\n"
              "arrows: 1\n"
              "arrow 0 above: \n"
              "arrow 0 below: \n"
              "pairs: 0\n");
}

TEST(Explain, EmptyRecord)
{
    CEquationLine line;
    EXPECT_EQ(ExplainLine(line), "classes:\ndisplay:\narrows: 0\npairs: 0\n");
}

} // namespace

TEST(Explain, PositionsInWords)
{
    CEquationLine line;
    line.SetText("Fe3+");
    EXPECT_EQ(ExplainPositions(line), "0 \"F\": ordinary (10), normal (0)\n"
                                      "1 \"e\": ordinary (10), normal (0)\n"
                                      "2 \"3\": charge (3), raised (2)\n"
                                      "3 \"+\": charge (3), raised (2)\n");
    line.SetText("\"x\"");
    EXPECT_EQ(ExplainPositions(line), "0 \"\"\": opening quote (20), hidden (6)\n"
                                      "1 \"x\": quoted (26), normal (0)\n"
                                      "2 \"\"\": closing quote (21), hidden (6)\n");
    // Numbers no code has (only a damaged record holds them) still read as something.
    EXPECT_STREQ(CharClassName(static_cast<CharClass>(23)), "unknown");
    EXPECT_STREQ(DisplayCodeName(static_cast<DisplayCode>(-1)), "unknown");
}
