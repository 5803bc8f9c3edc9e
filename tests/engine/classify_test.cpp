#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EquationLine.h"

namespace {

template <typename Code>
std::string Codes(const std::vector<Code>& codes, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            out += ' ';
        out += std::to_string(ToInt(codes[i]));
    }
    return out;
}

struct Arrow {
    std::string above;
    std::string below;
};
struct Pair {
    std::string top;
    std::string bottom;
};

struct Row {
    const char* input;
    const char* classes;
    const char* display; // nullptr: not checked by this row
    std::vector<Arrow> arrows;
    std::vector<Pair> pairs;
};

void PrintTo(const Row& row, std::ostream* os) { *os << '"' << row.input << '"'; }

void ExpectRow(const CEquationLine& line, const Row& row)
{
    const std::size_t n = line.text.size();
    EXPECT_EQ(Codes(line.classes, n), row.classes);
    if (row.display) {
        EXPECT_EQ(Codes(line.display, n), row.display);
    }
    ASSERT_EQ(line.arrowCount, static_cast<int>(row.arrows.size()));
    for (std::size_t k = 0; k < row.arrows.size(); ++k) {
        EXPECT_EQ(line.arrowAbove[k], row.arrows[k].above) << "arrow " << k;
        EXPECT_EQ(line.arrowBelow[k], row.arrows[k].below) << "arrow " << k;
    }
    ASSERT_EQ(line.stackCount, static_cast<int>(row.pairs.size()));
    for (std::size_t k = 0; k < row.pairs.size(); ++k) {
        EXPECT_EQ(line.stackTop[k], row.pairs[k].top) << "pair " << k;
        EXPECT_EQ(line.stackBottom[k], row.pairs[k].bottom) << "pair " << k;
    }
}

class ClassifyTable : public ::testing::TestWithParam<Row> {};

TEST_P(ClassifyTable, ClassesDisplayAndCollectedTexts)
{
    CEquationLine line;
    line.SetText(GetParam().input);
    std::string expected = std::string(GetParam().input) + " ";
    for (char& c : expected)
        if (c == '`')
            c = '\xB0';
    ASSERT_EQ(line.text, expected);
    ExpectRow(line, GetParam());
}

// Reaction lines: coefficients, subscripts, charges, state groups, arrows, pairs.
INSTANTIATE_TEST_SUITE_P(Markup, ClassifyTable, ::testing::Values(
    Row{"2H2 + O2 => 2H2O", "1 10 9 14 11 14 10 9 14 15 17 14 1 10 9 10 14",
        "0 0 3 0 0 0 0 3 0 7 9 0 0 0 3 0 0", {{"", ""}}, {}},
    Row{"Na+ + Cl- => NaCl(s)", "10 10 3 14 11 14 10 10 13 14 15 17 14 10 10 10 10 8 8 8 14",
        "0 0 2 0 0 0 0 0 2 0 7 9 0 0 0 0 0 4 4 4 0", {{"", ""}}, {}},
    Row{"fe3+ + 3oh- => fe(oh)3", "12 10 3 3 14 11 14 1 12 12 13 14 15 17 14 12 10 6 12 12 7 9 14",
        "5 0 2 2 0 0 0 0 5 5 2 0 7 9 0 5 0 0 5 5 0 3 0", {{"", ""}}, {}},
    Row{"SO42- + Ba2+ => BaSO4(s)", "10 10 2 3 13 14 11 14 10 10 3 3 14 15 17 14 10 10 10 10 2 8 8 8 14",
        "0 0 3 2 2 0 0 0 0 0 2 2 0 7 9 0 0 0 0 0 3 4 4 4 0", {{"", ""}}, {}},
    Row{"[Fe(CN)6]3-", "6 10 10 6 10 10 7 2 19 3 13 14", "0 0 0 0 0 0 0 3 0 2 2 0", {}, {}},
    Row{"co32-(aq)<>{238,92}U=ABOVE,BELOW>",
        "12 12 2 3 13 8 8 8 8 16 17 22 24 24 24 18 25 25 17 10 15 4 4 4 4 4 18 5 5 5 5 5 17 14",
        "5 5 3 2 2 4 4 4 4 8 9 10 6 6 6 6 6 6 9 0 7 6 6 6 6 6 6 6 6 6 6 6 9 0",
        {{"", ""}, {"ABOVE", "BELOW"}}, {{"238", "92"}}},
    Row{"N2 =heat,cat.> 2N", "10 9 14 15 4 4 4 4 18 5 5 5 5 17 14 1 10 14",
        "0 3 0 7 6 6 6 6 6 6 6 6 6 9 0 0 0 0", {{"heat", "cat."}}, {}},
    Row{"{1,0}n + {235,92}U", "22 24 18 25 17 10 14 11 14 22 24 24 24 18 25 25 17 10 14",
        "10 6 6 6 9 0 0 0 0 10 6 6 6 6 6 6 9 0 0", {}, {{"1", "0"}, {"235", "92"}}},
    Row{"CuSO4.5H2O", "10 10 10 10 9 10 1 10 9 10 14", "0 0 0 0 3 0 0 0 3 0 0", {}, {}},
    Row{"H2+", "10 9 3 14", "0 3 2 0", {}, {}},
    Row{"Ca(OH)2 (s)", "10 10 6 10 10 7 9 14 8 8 8 14", "0 0 0 0 0 0 3 0 4 4 4 0", {}, {}},
    Row{"\"Heat\" 25`C", "20 26 26 26 26 21 14 1 1 10 10 14", "6 0 0 0 0 6 0 0 0 1 0 0", {}, {}},
    Row{"Na+", "10 10 3 14", "0 0 2 0", {}, {}},
    Row{"2 H2", "1 10 10 9 14", "0 0 0 3 0", {}, {}},
    Row{"(aq)+", "8 8 8 8 3 14", "4 4 4 4 2 0", {}, {}},
    Row{"(aq)-", "6 10 10 7 10 14", "0 0 0 0 0 0", {}, {}},
    Row{"   ", "14 14 14 14", "0 0 0 0", {}, {}},
    Row{"=x=y>z>", "15 4 4 4 4 4 17 14", "7 6 6 6 6 6 9 0", {{"x=y>z", ""}}, {}},
    Row{"=a,b=c>d>", "15 4 18 5 5 5 5 5 17 14", nullptr, {{"a", "b=c>d"}}, {}},
    Row{"=a,=b>c>", "15 4 18 4 4 4 4 17 14", nullptr, {{"a=b>c", ""}}, {}},
    Row{"{}{,}", "22 17 22 18 17 14", "10 9 10 6 9 0", {}, {{"", ""}, {"", ""}}},
    Row{"=25`C>", "15 4 4 4 4 17 14", "7 6 6 6 6 9 0", {{"25\xB0" "C", ""}}, {}}));

// Unclosed constructs run to the end of the line and are never counted.
INSTANTIATE_TEST_SUITE_P(Unclosed, ClassifyTable, ::testing::Values(
    Row{"A =x", "10 14 15 4 4", "0 0 7 6 6", {}, {}},
    Row{"=> =heat,cat", "15 17 14 15 4 4 4 4 18 5 5 5 5", nullptr, {{"", ""}}, {}},
    Row{"\"open", "20 26 26 26 26 26", "6 0 0 0 0 0", {}, {}},
    Row{"{238,92", "22 24 24 24 18 25 25 25", "10 6 6 6 6 6 6 6", {}, {}}));

// Bracket groups closed by a blank, '+', '=' or '<' are state groups, nested or not.
INSTANTIATE_TEST_SUITE_P(StateGroups, ClassifyTable, ::testing::Values(
    Row{"((a)+b)+", "8 8 8 8 8 8 8 3 14", nullptr, {}, {}},
    Row{"a)+b)+", "8 8 8 8 8 3 14", nullptr, {}, {}},
    Row{"(a) (b)+c)+", "8 8 8 8 8 8 8 8 8 8 3 14", nullptr, {}, {}},
    Row{"Fe(s)=>", "10 10 8 8 8 15 17 14", nullptr, {{"", ""}}, {}},
    Row{"X(g)<>", "10 8 8 8 16 17 14", nullptr, {{"", ""}}, {}}));

// Element initials and ion charges.
INSTANTIATE_TEST_SUITE_P(Tables, ClassifyTable, ::testing::Values(
    Row{"nacl", "12 10 12 10 14", "5 0 5 0 0", {}, {}},
    Row{"co2", "12 12 9 14", "5 5 3 0", {}, {}},
    Row{"cacl2", "12 10 12 10 9 14", nullptr, {}, {}},
    Row{"hno3", "12 12 12 9 14", nullptr, {}, {}},
    Row{"kmno4", "12 12 10 12 9 14", nullptr, {}, {}},
    Row{"sio2", "12 12 12 9 14", nullptr, {}, {}},
    Row{"al2(so4)3", "12 10 2 6 12 12 2 7 9 14", nullptr, {}, {}},
    Row{"ZnCl2", "10 10 10 10 9 14", nullptr, {}, {}},
    Row{"Mg2+", "10 10 3 3 14", "0 0 2 2 0", {}, {}},
    Row{"mg2+", "12 10 3 3 14", "5 0 2 2 0", {}, {}},
    Row{"o2-", "12 3 13 14", "5 2 2 0", {}, {}},
    Row{"2Fe3+", "1 10 10 3 3 14", nullptr, {}, {}},
    Row{"[Fe3+]", "6 10 10 3 3 19 14", nullptr, {}, {}},
    Row{"xFe3+", "10 10 10 9 3 14", nullptr, {}, {}},
    Row{"Cu2+ + 2e-", "10 10 3 3 14 11 14 1 10 13 14", nullptr, {}, {}},
    Row{"Fe(SCN)2+", "10 10 6 10 10 10 7 3 3 14", nullptr, {}, {}},
    Row{"=>Fe3+", "15 17 10 10 3 3 14", nullptr, {{"", ""}}, {}},
    Row{"{1,1}p + p", "22 24 18 25 17 10 14 11 14 12 14", nullptr, {}, {{"1", "1"}}},
    // Letter case is that of Windows-1252: an accented capital leaves the word alone,
    // an accented small letter or a sign without case does not.
    Row{"u\xC9", "10 10 14", "0 0 0", {}, {}},
    Row{"n\x8A" "o", "10 10 10 14", nullptr, {}, {}},
    Row{"o\x9F", "10 10 14", nullptr, {}, {}},
    Row{"u\xE9", "12 10 14", "5 0 0", {}, {}},
    Row{"n\xFF" "o", "12 10 12 14", nullptr, {}, {}},
    Row{"u\xD7" "o", "12 10 12 14", nullptr, {}, {}},
    Row{"u\xDF", "12 10 14", nullptr, {}, {}}));

// Greek forms are recognised anywhere, quoted text and words included.
INSTANTIATE_TEST_SUITE_P(Greek, ClassifyTable, ::testing::Values(
    Row{"nu", "27 27 14", "1 6 0", {}, {}},
    Row{"nu_", "27 27 27 14", "11 6 6 0", {}, {}},
    Row{"minute", "10 12 27 27 12 10 14", "0 5 1 6 5 0 0", {}, {}},
    Row{"\"nu\"", "20 27 27 21 14", "6 1 6 6 0", {}, {}},
    Row{"\"`\"", "20 26 21 14", "6 0 6 0", {}, {}},
    // Inside arrow texts and pair fields they are left to the text's own line, so the
    // outer line keeps them hidden and its text unchanged.
    Row{"2O3 =hnu> 3O2", "1 10 9 14 15 4 4 4 17 14 1 10 9 14", "0 0 3 0 7 6 6 6 9 0 0 0 3 0",
        {{"hnu", ""}}, {}},
    Row{"A =deh> B", "10 14 15 4 4 4 17 14 10 14", "0 0 7 6 6 6 9 0 0 0", {{"deh", ""}}, {}},
    Row{"=x,nu_>", "15 4 18 5 5 5 17 14", "7 6 6 6 6 6 9 0", {{"x", "nu_"}}, {}},
    Row{"=a=nu>b>", "15 4 4 4 4 4 4 17 14", "7 6 6 6 6 6 6 9 0", {{"a=nu>b", ""}}, {}},
    Row{"{nu,deh}X", "22 24 24 18 25 25 25 17 10 14", "10 6 6 6 6 6 6 9 0 0", {}, {{"nu", "deh"}}}));

// A digit run at the end of the line settles as subscripts, as a following blank and
// character would; a digit followed by a sign keeps its charge.
INSTANTIATE_TEST_SUITE_P(LineEnd, ClassifyTable, ::testing::Values(
    Row{"C12H22O11", "10 2 2 10 2 2 10 2 2 14", "0 3 3 0 3 3 0 3 3 0", {}, {}},
    Row{"C6H12O6", "10 9 10 2 2 10 9 14", "0 3 0 3 3 0 3 0", {}, {}},
    Row{"H2O2", "10 9 10 9 14", "0 3 0 3 0", {}, {}},
    Row{"C12", "10 2 2 14", "0 3 3 0", {}, {}},
    Row{"C12 ", "10 2 2 14 14", "0 3 3 0 0", {}, {}},
    Row{"C12 x", "10 2 2 14 10 14", nullptr, {}, {}},
    Row{"C12+", "10 2 3 3 14", "0 3 2 2 0", {}, {}},
    Row{"SO42-", "10 10 2 3 13 14", "0 0 3 2 2 0", {}, {}},
    Row{"Fe3+", "10 10 3 3 14", "0 0 2 2 0", {}, {}},
    Row{"2H2 + O2 => 2H2O2", "1 10 9 14 11 14 10 9 14 15 17 14 1 10 9 10 9 14", nullptr, {{"", ""}}, {}}));

TEST(Classify, BackquoteAndDehRewriteText)
{
    CEquationLine line;
    line.SetText("25`C");
    EXPECT_EQ(line.text, "25\xB0" "C ");
    line.SetText("deh DEH");
    EXPECT_EQ(line.text, "Deh DEH ");
    EXPECT_EQ(Codes(line.classes, line.text.size()), "27 27 27 14 27 27 27 14");
    EXPECT_EQ(Codes(line.display, line.text.size()), "1 6 5 0 1 6 5 0");
}

TEST(Classify, ReclassifyingReplacesEverything)
{
    CEquationLine line;
    line.SetText("=a,b> {1,2}X \"q");
    line.SetText("H2O");
    EXPECT_EQ(line.arrowCount, 0);
    EXPECT_EQ(line.stackCount, 0);
    EXPECT_FALSE(line.inStack);
    EXPECT_TRUE(line.arrowAbove[0].empty());
    EXPECT_TRUE(line.arrowBelow[0].empty());
    EXPECT_TRUE(line.stackTop[0].empty());
    EXPECT_TRUE(line.stackBottom[0].empty());
    EXPECT_EQ(Codes(line.classes, 6), "10 9 10 14 0 0");

    // An unclosed pair leaves inStack set until the next classification.
    line.SetText("{1");
    EXPECT_TRUE(line.inStack);
    line.SetText("x");
    EXPECT_FALSE(line.inStack);
}

TEST(Classify, EmptyTextKeepsThePreviousRecord)
{
    CEquationLine line;
    line.SetText("Na+ =a>");
    line.SetText("");
    EXPECT_TRUE(line.text.empty());
    EXPECT_EQ(Codes(line.classes, 4), "10 10 3 14");
    EXPECT_EQ(line.arrowCount, 1);
    EXPECT_EQ(line.arrowAbove[0], "a");
}

TEST(Classify, FreshRecordIsEmpty)
{
    CEquationLine line;
    EXPECT_TRUE(line.text.empty());
    EXPECT_EQ(line.classes.size(), static_cast<std::size_t>(CEquationLine::kPositions));
    EXPECT_EQ(line.display.size(), static_cast<std::size_t>(CEquationLine::kPositions));
    EXPECT_EQ(line.arrowAbove.size(), static_cast<std::size_t>(CEquationLine::kArrows));
    EXPECT_EQ(line.stackTop.size(), static_cast<std::size_t>(CEquationLine::kStacks));
    EXPECT_EQ(line.stackBottom.size(), static_cast<std::size_t>(CEquationLine::kStacks));
    EXPECT_EQ(line.arrowCount, 0);
    EXPECT_EQ(line.stackCount, 0);
}

TEST(Tables, SizesAndFixedEntries)
{
    const auto& e = CEquationLine::ElementSymbols();
    ASSERT_EQ(e.size(), 105u);
    EXPECT_EQ(e[0], "zz");
    EXPECT_EQ(e[1], "cu");
    EXPECT_EQ(e[15], "cr");
    EXPECT_EQ(e[16], "h");
    EXPECT_EQ(e[22], "i");
    EXPECT_EQ(e[23], "");
    EXPECT_EQ(e[24], "fe");
    EXPECT_EQ(e[58], "r");
    EXPECT_EQ(e[104], "ac");
    const auto& ions = CEquationLine::IonCharges();
    ASSERT_EQ(ions.size(), 48u);
    EXPECT_EQ(ions[0], "Ba2+");
    EXPECT_EQ(ions[45], "Fe(SCN)2+");
    EXPECT_EQ(ions[47], "Be2+");
    for (const auto& ion : ions) {
        ASSERT_GE(ion.size(), 3u);
        EXPECT_TRUE(ion.back() == '+' || ion.back() == '-') << ion;
        EXPECT_TRUE(ion[ion.size() - 2] >= '0' && ion[ion.size() - 2] <= '9') << ion;
    }
}

// Beyond the starting capacity the arrays grow; nothing is dropped and the lines that
// fit give the same results as in a record that never grew.
TEST(Capacity, LongLineIsClassifiedThroughout)
{
    const std::string unit = "2H2 + O2 => 2H2O ";
    std::string text;
    while (text.size() < 1500)
        text += unit;
    CEquationLine line;
    line.SetText(text);
    ASSERT_EQ(line.text.size(), text.size() + 1);
    ASSERT_GE(line.classes.size(), line.text.size());
    ASSERT_GE(line.display.size(), line.text.size());
    const std::string unitClasses = "1 10 9 14 11 14 10 9 14 15 17 14 1 10 9 10 14";
    const std::size_t units = text.size() / unit.size();
    for (std::size_t u = 0; u < units; ++u) {
        std::vector<CharClass> part(line.classes.begin() + u * unit.size(),
                                       line.classes.begin() + (u + 1) * unit.size());
        ASSERT_EQ(Codes(part, part.size()), unitClasses) << "unit " << u;
    }
    EXPECT_EQ(line.arrowCount, static_cast<int>(units));
}

TEST(Capacity, ArrowsAndPairsBeyondTheStartingCapacity)
{
    std::string text;
    for (int k = 0; k < 12; ++k)
        text += "=a" + std::to_string(k) + ",b" + std::to_string(k) + "> ";
    for (int k = 0; k < 60; ++k)
        text += "{" + std::to_string(k) + "," + std::to_string(k + 100) + "}X ";
    CEquationLine line;
    line.SetText(text);
    ASSERT_EQ(line.arrowCount, 12);
    ASSERT_EQ(line.stackCount, 60);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(line.arrowAbove[k], "a" + std::to_string(k));
        EXPECT_EQ(line.arrowBelow[k], "b" + std::to_string(k));
    }
    for (int k = 0; k < 60; ++k) {
        EXPECT_EQ(line.stackTop[k], std::to_string(k));
        EXPECT_EQ(line.stackBottom[k], std::to_string(k + 100));
    }

    // Reusing the grown record for a line within capacity changes nothing.
    const std::string small = "co32-(aq)<>{238,92}U=ABOVE,BELOW>";
    CEquationLine fresh;
    fresh.SetText(small);
    line.SetText(small);
    EXPECT_EQ(Codes(line.classes, fresh.classes.size()), Codes(fresh.classes, fresh.classes.size()));
    EXPECT_EQ(Codes(line.display, line.text.size()), Codes(fresh.display, fresh.text.size()));
    EXPECT_EQ(line.arrowCount, 2);
    EXPECT_EQ(line.stackCount, 1);
    for (std::size_t k = 2; k < line.arrowAbove.size(); ++k)
        EXPECT_TRUE(line.arrowAbove[k].empty() && line.arrowBelow[k].empty());
    for (std::size_t k = 1; k < line.stackTop.size(); ++k)
        EXPECT_TRUE(line.stackTop[k].empty() && line.stackBottom[k].empty());
}

TEST(Capacity, UnclosedArrowAfterTheTenthKeepsItsText)
{
    std::string text;
    for (int k = 0; k < 10; ++k)
        text += "=> ";
    text += "=tail";
    CEquationLine line;
    line.SetText(text);
    EXPECT_EQ(line.arrowCount, 10);
    ASSERT_GT(line.arrowAbove.size(), 10u);
    EXPECT_EQ(line.arrowAbove[10], "tail ");
}

// Nested state groups are rewritten in one pass: a long line of them stays quick and
// matches the short form.
TEST(Capacity, DeeplyNestedStateGroups)
{
    std::string text;
    for (int k = 0; k < 3000; ++k)
        text += "(x";
    for (int k = 0; k < 3000; ++k)
        text += "a)+";
    CEquationLine line;
    line.SetText(text);
    for (std::size_t i = 0; i + 2 < line.text.size(); ++i)
        ASSERT_EQ(line.classes[i], CharClass::StateGroup) << i;
    EXPECT_EQ(line.classes[line.text.size() - 2], CharClass::Charge);
}

} // namespace
