// Layout and drawing on the Qt raster context: what every keystroke costs in the
// editor, where each line is measured and then drawn into the view's image.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LogRecords.h"
#include "platform/QtDeviceContext.h"

#include "tests/support/SampleLines.h"

namespace {

using testlines::kSample;
using testlines::TwentyLines;

QImage& Canvas()
{
    static QImage image(800, 800, QImage::Format_ARGB32_Premultiplied);
    return image;
}

void BM_QtMeasureDrawSample(benchmark::State& state)
{
    QImage& image = Canvas();
    image.fill(Qt::white);
    CQtDC dc(&image);
    CEquationOptions options;
    options.Define();
    KVEquationFont font;
    CEquationLine line;
    line.SetText(kSample);
    for (auto _ : state) {
        dc.SetTextAlign(TA_TOP | TA_LEFT);
        const LineExtent m = line.MeasureLine(dc, options, font);
        const LineExtent d = line.DrawLine(dc, 10, 10, options, font);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_QtMeasureDrawSample)->Unit(benchmark::kMicrosecond);

void BM_QtMeasureDrawTwentyLines(benchmark::State& state)
{
    QImage& image = Canvas();
    image.fill(Qt::white);
    CQtDC dc(&image);
    CEquationOptions options;
    options.Define();
    KVEquationFont font;
    std::vector<CEquationLine> lines(TwentyLines().size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i].SetText(TwentyLines()[i]);
    for (auto _ : state) {
        std::vector<int> tops;
        int y = 0;
        for (auto& line : lines) {
            tops.push_back(y);
            y += line.MeasureLine(dc, options, font).height + 15;
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            dc.SetTextAlign(TA_TOP | TA_LEFT);
            lines[i].DrawLine(dc, 10, 10 + tops[i], options, font);
        }
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_QtMeasureDrawTwentyLines)->Unit(benchmark::kMicrosecond);

std::string TwentyLineText(const std::string& lineFive)
{
    std::string text;
    for (std::size_t i = 0; i < TwentyLines().size(); ++i)
        text += (i ? "\r\n" : "") + (i == 5 ? lineFive : TwentyLines()[i]);
    return text;
}

// A keystroke in the view: one line of twenty changes, the document measures and
// draws the whole equation.
void BM_QtDocumentKeystroke(benchmark::State& state)
{
    QImage& image = Canvas();
    image.fill(Qt::white);
    CQtDC dc(&image);
    MolvexAppState app;
    CMolvexDoc doc(app);
    const std::string texts[2] = {TwentyLineText(TwentyLines()[5]), TwentyLineText(TwentyLines()[5] + "x")};
    int k = 0;
    for (auto _ : state) {
        doc.SetEquationText(texts[k ^= 1]);
        const EquationBox m = doc.MeasureEquation(dc);
        doc.DrawEquation(dc, 10, 10);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_QtDocumentKeystroke)->Unit(benchmark::kMicrosecond);

// Repainting an unchanged equation (an expose, a scroll).
void BM_QtDocumentRedraw(benchmark::State& state)
{
    QImage& image = Canvas();
    image.fill(Qt::white);
    CQtDC dc(&image);
    MolvexAppState app;
    CMolvexDoc doc(app);
    doc.SetEquationText(TwentyLineText(TwentyLines()[5]));
    for (auto _ : state) {
        const EquationBox m = doc.MeasureEquation(dc);
        doc.DrawEquation(dc, 10, 10);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_QtDocumentRedraw)->Unit(benchmark::kMicrosecond);

// Measuring alone, as the screen context does for pictures and the container.
void BM_QtMeasureTwentyLines(benchmark::State& state)
{
    CQtDC dc(96, 96);
    CEquationOptions options;
    options.Define();
    KVEquationFont font;
    std::vector<CEquationLine> lines(TwentyLines().size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i].SetText(TwentyLines()[i]);
    for (auto _ : state) {
        int y = 0;
        for (auto& line : lines)
            y += line.MeasureLine(dc, options, font).height;
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_QtMeasureTwentyLines)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
