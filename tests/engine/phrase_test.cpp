// Sentences as templates and arguments: the English writing the command line prints, and
// the same phrase written through a translation, as the editor does.
#include <gtest/gtest.h>

#include <map>

#include "engine/ChemModel.h"
#include "engine/ChemPhrase.h"
#include "engine/EquationLine.h"

namespace {

TEST(Phrase, FillsEachPlaceOnceAndLeavesTheRest)
{
    struct Case {
        const char* pattern;
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {"%1 is read as %2", {"nh", "N H"}, "nh is read as N H"},
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"typed %1", {"%2 and %1"}, "typed %2 and %1"}, // user text is never read again
        {"100% of %1, %3", {"x"}, "100% of x, %3"},     // no argument for a place: kept
        {"ends with %", {}, "ends with %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chem::FillPattern(c.pattern, c.args), c.expected) << c.pattern;
}

TEST(Phrase, ListsJoinAsIfFilledOnePlaceAtATime)
{
    using chem::PlainText;
    const std::vector<chem::Phrase> items = {PlainText("a"), PlainText("b"), PlainText("c")};
    EXPECT_EQ(chem::English(chem::JoinPhrases("%1; %2", items)), "a; b; c");
    EXPECT_EQ(chem::English(chem::JoinPhrases("[%1|%2]", items)), "[[a|b]|c]");
    EXPECT_EQ(chem::English(chem::JoinPhrases("%2, %1", items)), "c, b, a");
    EXPECT_EQ(chem::English(chem::JoinPhrases("%1; %2", {PlainText("alone")})), "alone");
    // A long list is written in one pass.
    const std::vector<chem::Phrase> many(50000, PlainText("x"));
    EXPECT_EQ(chem::English(chem::JoinPhrases("%1;%2", many)).size(), 2 * many.size() - 1);
}

TEST(Phrase, BalanceAndHintsTranslateTemplateByTemplate)
{
    const std::map<std::string, std::string> german = {
        {"not balanced: %1", "nicht ausgeglichen: %1"},
        {"%1; %2", "%1; %2"},
        {"charge %1 → %2", "Ladung %1 → %2"},
        {"%1 %2 → %3", "%1 %2 → %3"},
        {"“%1”", "„%1“"},
        {"%1 is read as %2 (%3): type a capital letter to keep your own case",
         "%1 wird als %2 (%3) gelesen"},
        {"%1, %2", "%1, %2"},
        {"carbon", "Kohlenstoff"},
        {"oxygen", "Sauerstoff"},
        {"above arrow %1: %2", "über Pfeil %1: %2"},
    };
    const chem::TranslateFn translate = [&](const char* pattern) {
        const auto it = german.find(pattern);
        return it == german.end() ? std::string(pattern) : it->second;
    };
    const auto balance = chem::CheckBalance(chem::ReadText("Fe + O2 => Fe2O3-"));
    EXPECT_EQ(chem::DescribeBalance(balance), "not balanced: Fe 1 → 2; O 2 → 3; charge 0 → -1");
    EXPECT_EQ(chem::Write(chem::BalancePhrase(balance), translate),
              "nicht ausgeglichen: Fe 1 → 2; O 2 → 3; Ladung 0 → -1");

    CEquationLine line;
    line.SetText("N2 =co> 2N");
    const auto hints = chem::ReadingHintPhrases(line);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(chem::English(hints[0]),
              "above arrow 1: \xE2\x80\x9C" "co\xE2\x80\x9D is read as C O (carbon, oxygen): type a capital letter "
              "to keep your own case");
    EXPECT_EQ(chem::Write(hints[0], translate), "über Pfeil 1: „co“ wird als C O (Kohlenstoff, Sauerstoff) gelesen");
}

} // namespace
