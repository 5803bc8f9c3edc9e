// The engine's hot path: every keystroke reclassifies, measures and redraws every line
// of the equation. Runs on the fake device context with its call record off, so the
// figures are the engine's own cost plus a trivial backend.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <string>
#include <vector>

#include "config/IniStore.h"
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
    KVEquationFont font;
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
    KVEquationFont font;
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
    KVEquationFont font;
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

// Loading a configuration file of 50,000 sections, or 50,000 entries in one section
// (about half a megabyte): lookups by name keep it linear.
static void BM_IniLoadLarge(benchmark::State& state)
{
    const bool sections = state.range(0) != 0;
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "molvex-bench-large.ini";
    {
        std::ofstream out(path, std::ios::binary);
        if (!sections)
            out << "[Options]\n";
        for (int i = 0; i < 50000; ++i) {
            if (sections)
                out << "[S" << i << "]\n";
            out << "Key" << i << "=" << i << "\n";
        }
    }
    for (auto _ : state) {
        CIniStore store;
        store.SetLocation(-1);
        store.SetPath(path.string());
        benchmark::DoNotOptimize(store.Load());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_IniLoadLarge)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
