#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/ChemModel.h"
#include "engine/ChemText.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LineBox.h"
#include "tests/support/FakeDC.h"
#include "tests/support/XmlCheck.h"

namespace {

std::string Balance(const std::string& text)
{
    return chem::DescribeBalance(chem::CheckBalance(chem::ReadText(text)));
}

// The reading in one line: items separated by " | ", sides by " => ", each species as
// coefficient, formula, particle, charge, state and nuclide fields; opaque text in «».
std::string Dump(const chem::ChemLine& line)
{
    std::string out;
    for (std::size_t k = 0; k < line.sides.size(); ++k) {
        if (k > 0)
            out += line.arrows[k - 1].equilibrium ? " <> " : " => ";
        for (std::size_t i = 0; i < line.sides[k].size(); ++i) {
            const chem::Item& it = line.sides[k][i];
            if (i > 0)
                out += it.plusBefore ? " + " : " | ";
            if (!it.isSpecies) {
                out += "\xC2\xAB" + it.opaque.text + "\xC2\xBB@" + std::to_string(it.opaque.position);
                continue;
            }
            const chem::Species& s = it.species;
            out += s.coefficient + "/";
            for (const chem::FormulaPart& p : s.formula)
                out += (p.kind == chem::FormulaPart::Kind::Hydrate ? "." : p.symbol) + p.digits;
            out += "/" + s.particle + "/" + s.charge + "/" + s.state;
            if (s.nuclide)
                out += "/" + s.massNumber + "," + s.atomicNumber;
        }
    }
    return out;
}

struct Case {
    const char* input;
    const char* expected;
};

TEST(ChemBalance, Table)
{
    const Case cases[] = {
        // Molecular.
        {"2H2 + O2 => 2H2O", "balanced"},
        {"2H2 + O2 => H2O", "not balanced: H 4 \xE2\x86\x92 2; O 2 \xE2\x86\x92 1"},
        {"2 H2 + O2 => 2 H2O", "balanced"},
        {"12CO2 + 11H2O => 12O2 + C12H22O11", "balanced"}, // the final run of digits is a count
        // Ionic, spectators on both sides.
        {"Ag+(aq) + NO3-(aq) + Na+(aq) + Cl-(aq) => AgCl(s) + Na+(aq) + NO3-(aq)", "balanced"},
        {"Ag+(aq) + NO3-(aq) + Na+(aq) + Cl-(aq) => AgCl(s) + NO3-(aq)",
         "not balanced: Na 1 \xE2\x86\x92 0; charge 0 \xE2\x86\x92 -1"},
        {"SO42- + Ba2+ => BaSO4(s)", "balanced"},
        {"Fe+++ + 3e- => Fe", "balanced"},
        // Redox half-equations.
        {"MnO4- + 8H+ + 5e- => Mn2+ + 4H2O", "balanced"},
        {"MnO4- + 8H+ + 4e- => Mn2+ + 4H2O", "not balanced: charge +3 \xE2\x86\x92 +2"},
        {"Cr2O72- + 14H+ + 6e- => 2Cr3+ + 7H2O", "balanced"},
        // Hydrates and nested brackets.
        {"CuSO4.5H2O => CuSO4 + 5H2O", "balanced"},
        {"CuSO4.5H2O => CuSO4 + 4H2O", "not balanced: O 9 \xE2\x86\x92 8; H 10 \xE2\x86\x92 8"},
        {"2K4[Fe(CN)6] + Cl2 => 2K3[Fe(CN)6] + 2KCl", "balanced"},
        {"K4[Fe(CN)6] + 2Cl2 => 2K3[Fe(CN)6] + 2KCl",
         "not balanced: K 4 \xE2\x86\x92 8; Fe 1 \xE2\x86\x92 2; C 6 \xE2\x86\x92 12; N 6 \xE2\x86\x92 12; Cl 4 \xE2\x86\x92 2"},
        {"[Fe(CN)6]3- + e- => [Fe(CN)6]4-", "balanced"},
        {"Al2(SO4)3 + 3Ca(OH)2 => 2Al(OH)3 + 3CaSO4", "balanced"},
        // Lower case, capitalised by the element table.
        {"fe3+ + 3oh- => fe(oh)3", "balanced"},
        {"2h2 + o2 => 2h2o", "balanced"},
        {"2nacl => 2na + cl", "not balanced: Cl 2 \xE2\x86\x92 1"},
        // Nuclear.
        {"{1,0}n + {235,92}U => {141,56}Ba + {92,36}Kr + 3{1,0}n", "balanced"},
        {"{238,92}U => {234,90}Th + {4,2}He", "balanced"},
        {"{14,6}C => {14,7}N + e-", "balanced"},
        {"{238,92}U => {234,90}Th",
         "not balanced: mass number 238 \xE2\x86\x92 234; atomic number 92 \xE2\x86\x92 90"},
        // Equilibria with arrow texts, several arrows.
        {"N2 + 3H2 <450`C,Fe> 2NH3", "balanced"},
        {"N2 + H2 <450`C,Fe> NH3", "not balanced: N 2 \xE2\x86\x92 1; H 2 \xE2\x86\x92 3"},
        {"2H2 + O2 => 2H2O => 2H2 + O2", "balanced"},
        {"2H2 + O2 => 2H2O => H2", "not balanced: arrow 2: H 4 \xE2\x86\x92 2; O 2 \xE2\x86\x92 0"},
        // Lines that cannot be checked, and lines without an arrow.
        {"\"heat\" + CO2 => C + O2", "cannot check: \xE2\x80\x9Cheat\xE2\x80\x9D is not a species"},
        {"Heat => He + At", "cannot check: \xE2\x80\x9CHeat\xE2\x80\x9D is not a species"},
        {"H2O =>", "cannot check: nothing after the arrow"},
        {"2H2 + O2 = 2H2O", "cannot check: the arrow is not closed"},
        {"{238,92}U => Th", "cannot check: Th has no mass and atomic numbers"},
        {"H9999999999 => H", "cannot check: numbers too large"},
        {"{238,x}U => {238,x}U", "cannot check: the stacked pair {238,x} is not two numbers"},
        {"2H2O", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Balance(c.input), c.expected) << c.input;
}

TEST(ChemModel, Readings)
{
    const Case cases[] = {
        {"2H2 + O2 => 2H2O", "2/H2/// + /O2/// => 2/H2O///"},
        {"Ca(OH)2 (s) + 2 H2", "/Ca(OH)2///s + 2/H2///"},
        {"[Fe(CN)6]3-", "/[Fe(CN)6]//3-/"},
        {"co32-(aq)<>{238,92}U=ABOVE,BELOW>", "/CO3//2-/aq <> /U////238,92 => "},
        {"Cu2+ + 2e-", "/Cu//2+/ + 2//e/-/"},
        {"CuSO4.5H2O", "/CuSO4.5H2O///"},
        {"\"heat\" + 25`C hnu", "\xC2\xABheat\xC2\xBB@0 + \xC2\xAB" "25\xC2\xB0" "C\xC2\xBB@9 | \xC2\xABH\xCE\xBD\xC2\xBB@14"},
        {"{1,0}n + 3{1,1}p", "//n///1,0 + 3//p///1,1"},
        {"2H2 = 2H2O", "2/H2/// => "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dump(chem::ReadText(c.input)), c.expected) << c.input;
}

TEST(ChemModel, ArrowTextsAreLines)
{
    const chem::ChemLine line = chem::ReadText("N2 + 3H2 <450`C,Fe> 2NH3 =hnu> X");
    ASSERT_EQ(line.arrows.size(), 2u);
    EXPECT_TRUE(line.arrows[0].equilibrium);
    EXPECT_EQ(line.arrows[0].above, "450\xC2\xB0" "C");
    ASSERT_TRUE(line.arrows[0].belowLine);
    EXPECT_EQ(Dump(*line.arrows[0].belowLine), "/Fe///");
    EXPECT_FALSE(line.arrows[1].belowLine);
    // Never closed: the rest of the line is the above text of an uncounted arrow.
    const chem::ChemLine open = chem::ReadText("A =x");
    ASSERT_EQ(open.arrows.size(), 1u);
    EXPECT_FALSE(open.arrows[0].closed);
    EXPECT_EQ(open.arrows[0].above, "x");
}

TEST(ChemModel, ReadingALaidOutLineReadsWhatWasClassified)
{
    // Laying a line out once wrote the count of arrows placed over the count of arrows
    // closed, and the reading then looked for an unclosed arrow's texts in the wrong slot.
    for (const char* text : {"A =x", "A =p> B =x,y", "{1,2}X =a,b> Y =c"}) {
        SCOPED_TRACE(text);
        CEquationLine line;
        line.SetText(text);
        const std::string before = chem::UnicodeText({chem::ReadLine(line)});
        CFakeDC dc;
        LayOutLine(line, dc, CEquationOptions(), KVEquationFont());
        EXPECT_EQ(chem::UnicodeText({chem::ReadLine(line)}), before);
    }
}

std::string Hints(const std::string& text)
{
    CEquationLine line;
    line.SetText(text);
    std::string out;
    for (const std::string& h : chem::ReadingHints(line))
        out += h + "\n";
    return out;
}

TEST(ChemHints, Table)
{
    const std::string keep = ": type a capital letter to keep your own case\n";
    const std::string q = "\xE2\x80\x9C", p = "\xE2\x80\x9D";
    const struct {
        const char* input;
        std::string expected;
    } cases[] = {
        {"co", q + "co" + p + " is read as C O (carbon, oxygen)" + keep},
        {"heat", q + "heat" + p + " is read as He At (helium, astatine)" + keep},
        {"Heat co2 h2so4 fe3+ Fe", q + "co" + p + " is read as C O (carbon, oxygen)" + keep},
        {"H2+ + MnO4- + Fe3+",
         q + "H2+" + p + " keeps its 2 as a subscript with charge +: only the listed ions (such as Fe3+) raise a single digit\n"},
        {"SO42-", q + "SO42-" + p + " is read as SO4 with charge \xC2\xB2\xE2\x81\xBB: the last digit before a sign is the charge\n"},
        {"2H2 + O2 = 2H2O", "the arrow opened by " + q + "=" + p + " at column 10 is never closed: end it with " + q + ">" +
                                p + "\n" + q + "=" + p + " at column 10 opens a reaction arrow; for an equals sign put it in quotes: " +
                                q + "\"=\"" + p + "\n"},
        {"A <x", "the arrow opened by " + q + "<" + p + " at column 3 is never closed: end it with " + q + ">" + p + "\n"},
        {"\"abc", "the quote at column 1 is never closed: the rest of the line is drawn as typed\n"},
        {"{235,92U", "the brace at column 1 is never closed: end the pair with " + q + "}" + p + "\n"},
        {"N2 =heat> 2N", "above arrow 1: " + q + "heat" + p + " is read as He At (helium, astatine)" + keep},
        {"2H2 + O2 => 2H2O", ""},
        {"nh3 + no", ""}, // nihonium and nobelium are no likely reading
        {"si", q + "si" + p + " is read as S I (sulfur, iodine)" + keep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hints(c.input), c.expected) << c.input;
}

// A run of characters without a break is quoted only while it can be a formula: a
// hint per sign quoting the whole run grew with the square of the line.
TEST(ChemHints, LongRunsAreNotQuoted)
{
    const std::string q = "\xE2\x80\x9C", p = "\xE2\x80\x9D";
    const std::string formula40 = std::string(36, 'x') + "SO42-"; // 40 characters before the sign
    EXPECT_EQ(Hints(formula40), q + formula40 + p + " is read as " + std::string(36, 'x') +
                                    "SO4 with charge \xC2\xB2\xE2\x81\xBB: the last digit before a sign is the charge\n");
    EXPECT_EQ(Hints("x" + formula40), "");
    std::string run;
    for (int i = 0; i < 2000; ++i)
        run += "SO42-";
    EXPECT_LT(Hints(run).size(), 2000u * 160u);
}

// From MOLVEX_SOURCE_DIR, else from the folders above the working folder (the build
// trees of the presets lie inside the source tree).
std::string SourcePath(const std::string& relative)
{
    if (const char* dir = std::getenv("MOLVEX_SOURCE_DIR"))
        return std::string(dir) + "/" + relative;
    std::string up;
    for (int level = 0; level < 8; ++level, up += "../")
        if (std::ifstream(up + relative))
            return up + relative;
    return relative;
}

// Blocks of "line:", "text:", "speech:", "mathml:", "mhchem:" separated by blank lines.
TEST(ChemText, Goldens)
{
    std::ifstream in(SourcePath("tests/engine/chem_goldens.txt"));
    ASSERT_TRUE(in) << "chem_goldens.txt not found";
    std::string row, input;
    int checked = 0;
    while (std::getline(in, row)) {
        const std::size_t colon = row.find(": ");
        if (colon == std::string::npos)
            continue;
        const std::string key = row.substr(0, colon), value = row.substr(colon + 2);
        if (key == "line") {
            input = value;
            continue;
        }
        const chem::ChemLine line = chem::ReadText(input);
        const std::string actual = key == "text"     ? chem::UnicodeText(line)
                                   : key == "speech" ? chem::SpeechText(line)
                                   : key == "mathml" ? chem::MathMLDocument({line})
                                                     : chem::MhchemText(line);
        EXPECT_EQ(actual, value) << key << " of " << input;
        ++checked;
    }
    EXPECT_GE(checked, 48);
}

TEST(ChemText, EquilibriumArrowFollowsStyle)
{
    const chem::ChemLine line = chem::ReadText("2NO2 <> N2O4");
    const Case cases[] = {{"2NO\xE2\x82\x82 \xE2\x86\x94 N\xE2\x82\x82O\xE2\x82\x84", "\\ce{2NO2 <-> N2O4}"},
                          {"2NO\xE2\x82\x82 \xE2\x87\x8C N\xE2\x82\x82O\xE2\x82\x84", "\\ce{2NO2 <=> N2O4}"}};
    for (int style = 0; style < 4; ++style) {
        EXPECT_EQ(chem::UnicodeText(line, style), cases[style / 2].input) << style;
        EXPECT_EQ(chem::MhchemText(line, style), cases[style / 2].expected) << style;
    }
}

// Odd and hostile lines: every form is produced, MathML stays well-formed with its
// root and intent, and nothing hangs or crashes.
TEST(ChemText, OddLinesStayWellFormed)
{
    std::string allBytes;
    for (int c = 1; c < 256; ++c)
        allBytes += static_cast<char>(c);
    const std::vector<std::string> lines = {
        "2H2 + O2 => 2H2O", "\"a<b & c>\" => x", "=a=b=c>>>", std::string(998, '('), std::string(998, '{'),
        "{1,2}{3,4}{5,6}", "))]]3-", "..5.5", "+ + + =>", "H" + std::string(500, '9') + " => H", allBytes,
        "<&>,<&>>", "nu_ deh `", "{,}n", "e- => e-", "\"a\x01" "b\x1F\" + H2 => H2",
    };
    for (const std::string& text : lines) {
        CEquationLine record;
        record.SetText(text);
        const chem::ChemLine line = chem::ReadLine(record);
        chem::CheckBalance(line);
        chem::ReadingHints(record);
        chem::UnicodeText(line);
        chem::SpeechText(line);
        chem::MhchemText(line);
        std::string root;
        const std::string mathml = chem::MathMLDocument({line, line});
        ASSERT_TRUE(xmlcheck::WellFormed(mathml, root)) << text;
        EXPECT_EQ(root.rfind("math xmlns=\"http://www.w3.org/1998/Math/MathML\"", 0), 0u) << root;
        EXPECT_NE(root.find(" intent=\":chemical-"), std::string::npos) << root;
    }
    std::string root;
    ASSERT_TRUE(xmlcheck::WellFormed(chem::MathMLDocument({chem::ReadText("2H2O")}), root));
    EXPECT_NE(root.find("intent=\":chemical-formula\""), std::string::npos);
}

// Arrow texts are read as deep as layout draws them; a line nesting deeper is not read
// whole and cannot be checked.
TEST(ChemModel, NestingIsReadToLayoutsDepth)
{
    const auto nested = [](int arrows) {
        return "H2 " + std::string(static_cast<std::size_t>(arrows), '=') + std::string(static_cast<std::size_t>(arrows), '>') + " H2";
    };
    const std::string tooDeep = "cannot check: arrow texts are nested more than " + std::to_string(kMaxArrowTextDepth) + " deep";
    const Case cases[] = {{"2", "balanced"}, {"201", "balanced"}, {"202", tooDeep.c_str()}};
    for (const Case& c : cases)
        EXPECT_EQ(Balance(nested(std::stoi(c.input))), c.expected) << c.input;
}

// Hostile nesting ten thousand deep, in a child process whose address space may grow by
// 64 MiB only (sanitizers reserve too much to limit it) and that must end in 20 seconds:
// reading, checking, hints and every written form are linear in the line's length.
TEST(ChemModel, DeepNestingStaysSmall)
{
    const std::string lines[] = {
        std::string(10000, '='),
        std::string(10000, '<'),
        [] { std::string s; for (int k = 0; k < 5000; ++k) s += "H ="; return s + std::string(5000, '>'); }(),
        [] { std::string s; for (int k = 0; k < 3000; ++k) s += "=x,"; return s; }(),
    };
    for (const std::string& text : lines) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(20);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
            long pages = 0;
            if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(f, "%ld", &pages) != 1)
                    pages = 0;
                std::fclose(f);
            }
            const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (64u << 20);
            const rlimit rl{limit, limit};
            if (pages == 0 || setrlimit(RLIMIT_AS, &rl) != 0)
                _exit(3);
#endif
            try {
                CEquationLine record;
                record.SetText(text);
                const chem::ChemLine line = chem::ReadLine(record);
                const bool tooDeep = chem::DescribeBalance(chem::CheckBalance(line)).find("nested more than") != std::string::npos;
                chem::ReadingHints(record);
                chem::UnicodeText(line);
                chem::SpeechText(line);
                chem::MhchemText(line);
                std::string root;
                _exit(tooDeep && xmlcheck::WellFormed(chem::MathMLDocument({line}), root) ? 0 : 2);
            } catch (...) {
                _exit(4); // out of memory
            }
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << text.substr(0, 12) << "...: " << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "exit")
            << " " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
}

} // namespace
