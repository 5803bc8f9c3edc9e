// The chemical reading of a whole 20-line equation, its balance check and all four
// written-out forms: what Copy as Picture, an SVG export or the status bar costs on
// top of drawing.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/ChemModel.h"
#include "engine/ChemStarMath.h"
#include "engine/ChemText.h"
#include "engine/EquationLine.h"

#include "tests/support/SampleLines.h"

namespace {

using testlines::TwentyLines;

// From records already classified for drawing, as the document holds them.
void BM_ChemTwentyLinesClassified(benchmark::State& state)
{
    std::vector<CEquationLine> records(TwentyLines().size());
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].SetText(TwentyLines()[i]);
    for (auto _ : state) {
        std::vector<chem::ChemLine> lines;
        lines.reserve(records.size());
        std::size_t checks = 0;
        for (const CEquationLine& r : records) {
            lines.push_back(chem::ReadLine(r));
            checks += chem::CheckBalance(lines.back()).size();
        }
        benchmark::DoNotOptimize(checks);
        benchmark::DoNotOptimize(chem::UnicodeText(lines));
        benchmark::DoNotOptimize(chem::SpeechText(lines));
        benchmark::DoNotOptimize(chem::MathMLDocument(lines));
        benchmark::DoNotOptimize(chem::MhchemText(lines));
    }
}
BENCHMARK(BM_ChemTwentyLinesClassified)->Unit(benchmark::kMicrosecond);

// The same from the texts, classification included.
void BM_ChemTwentyLinesFromText(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<chem::ChemLine> lines;
        for (const std::string& text : TwentyLines())
            lines.push_back(chem::ReadText(text));
        benchmark::DoNotOptimize(chem::UnicodeText(lines));
        benchmark::DoNotOptimize(chem::SpeechText(lines));
        benchmark::DoNotOptimize(chem::MathMLDocument(lines));
        benchmark::DoNotOptimize(chem::MhchemText(lines));
    }
}
BENCHMARK(BM_ChemTwentyLinesFromText)->Unit(benchmark::kMicrosecond);

// The written-out forms alone, from readings already made: what the clipboard and the
// pictures' accessible text cost once the lines are read.
void BM_ChemTextForms(benchmark::State& state)
{
    std::vector<chem::ChemLine> lines;
    for (const std::string& text : TwentyLines())
        lines.push_back(chem::ReadText(text));
    for (auto _ : state) {
        benchmark::DoNotOptimize(chem::UnicodeText(lines));
        benchmark::DoNotOptimize(chem::SpeechText(lines));
        benchmark::DoNotOptimize(chem::MathMLDocument(lines));
        benchmark::DoNotOptimize(chem::MhchemText(lines));
        benchmark::DoNotOptimize(chem::StarMathText(lines));
    }
}
BENCHMARK(BM_ChemTextForms)->Unit(benchmark::kMicrosecond);

// The status bar's work per keystroke: one line read, checked and hinted.
void BM_ChemStatusLine(benchmark::State& state)
{
    CEquationLine line;
    for (auto _ : state) {
        line.SetText("N2 + 3H2 <450`C,Fe> 2NH3");
        benchmark::DoNotOptimize(chem::DescribeBalance(chem::CheckBalance(chem::ReadLine(line))));
        benchmark::DoNotOptimize(chem::ReadingHints(line));
    }
}
BENCHMARK(BM_ChemStatusLine)->Unit(benchmark::kMicrosecond);

} // namespace
BENCHMARK_MAIN();
