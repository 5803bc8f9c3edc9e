// The engine's hot path: every keystroke reclassifies, measures and redraws every line
// of the equation. Runs on the fake device context with its call record off, so the
// figures are the engine's own cost plus a trivial backend.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LogRecords.h"
#include "tests/support/FakeDC.h"

#include "tests/support/SampleLines.h"

namespace {

using testlines::kSample;
using testlines::TwentyLines;

void BM_ClassifySample(benchmark::State& state)
{
    CEquationLine line;
    for (auto _ : state) {
        line.SetText(kSample);
        benchmark::DoNotOptimize(line.display.data());
    }
}
BENCHMARK(BM_ClassifySample);

void BM_MeasureDrawSample(benchmark::State& state)
{
    CFakeDC dc;
    dc.SetRecording(false);
    dc.SetReuseHandles(true);
    CEquationOptions options;
    KVLogFontTBD font;
    CEquationLine line;
    line.SetText(kSample);
    for (auto _ : state) {
        const LineExtent m = line.MeasureLine(dc, options, font);
        const LineExtent d = line.DrawLine(dc, 0, m.height, options, font);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_MeasureDrawSample);

// What the document does for a whole equation: measure every line, then draw them
// stacked.
void BM_MeasureDrawTwentyLines(benchmark::State& state)
{
    CFakeDC dc;
    dc.SetRecording(false);
    dc.SetReuseHandles(true);
    CEquationOptions options;
    KVLogFontTBD font;
    std::vector<CEquationLine> lines(TwentyLines().size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i].SetText(TwentyLines()[i]);
    for (auto _ : state) {
        int y = 0;
        for (auto& line : lines)
            y += line.MeasureLine(dc, options, font).height;
        y = 0;
        for (auto& line : lines)
            y += line.DrawLine(dc, 0, y, options, font).height;
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_MeasureDrawTwentyLines);

// The same with the reclassification a keystroke brings.
void BM_ClassifyMeasureDrawTwentyLines(benchmark::State& state)
{
    CFakeDC dc;
    dc.SetRecording(false);
    dc.SetReuseHandles(true);
    CEquationOptions options;
    KVLogFontTBD font;
    std::vector<CEquationLine> lines(TwentyLines().size());
    for (auto _ : state) {
        int y = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            lines[i].SetText(TwentyLines()[i]);
            y += lines[i].MeasureLine(dc, options, font).height;
        }
        y = 0;
        for (auto& line : lines)
            y += line.DrawLine(dc, 0, y, options, font).height;
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_ClassifyMeasureDrawTwentyLines);

} // namespace

BENCHMARK_MAIN();
