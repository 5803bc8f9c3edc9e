// Arbitrary equation text and option values through classification, measuring and
// drawing on the fake device context. Whatever the input, a pass must not crash, must
// delete everything it created, leave the stock objects selected and the entry
// alignment in force, and measure what it draws.
//
// Input: byte 0 the equilibrium style (signed), byte 1 flags (bit 0 MM_HIMETRIC,
// bits 1-2 horizontal and bits 3-4 vertical alignment, bit 5 failing fonts, bit 6
// failing pens, bit 7 italic states), bytes 2-10 the nine real options (each an index
// into a table of ordinary and hostile values), bytes 11-12 the font height; the rest
// is the text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LogRecords.h"
#include "tests/support/FakeDC.h"

namespace {

constexpr std::size_t kHeader = 13;

double RealFor(std::uint8_t b)
{
    static const double values[16] = {
        0.5, 0.0, 1.0, -1.0, 3.0, 1e16, -1e17, 1e300,
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), 0.25, 2.0, -0.5, 100.0, 1e-300,
    };
    return values[b % 16];
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t h[kHeader] = {};
    for (std::size_t i = 0; i < kHeader && i < size; ++i)
        h[i] = data[i];
    const std::size_t textSize = size > kHeader ? size - kHeader : 0;
    const std::string text(reinterpret_cast<const char*>(data) + (size > kHeader ? kHeader : size), textSize);

    CEquationOptions options;
    options.equilibriumArrow.Set(static_cast<std::int8_t>(h[0]));
    options.italicPhase.Set((h[1] & 0x80) != 0);
    DoubleOption* reals[9] = {&options.arrowWidth, &options.levelArrow, &options.levelSuper,
                              &options.levelSub,   &options.levelPhase, &options.textArrow,
                              &options.textSuper,  &options.textSub,    &options.textPhase};
    for (int i = 0; i < 9; ++i)
        reals[i]->Set(RealFor(h[2 + i]));

    KVEquationFont font;
    font.lf.lfHeight = static_cast<std::int16_t>(h[11] | (h[12] << 8));
    font.himetricHeight = font.lf.lfHeight * 25;

    CFakeDC dc;
    if (h[1] & 0x01)
        dc.SetMapMode(MM_HIMETRIC);
    static const unsigned horizontal[4] = {TA_LEFT, TA_CENTER, TA_RIGHT, TA_LEFT};
    static const unsigned vertical[4] = {TA_TOP, TA_BOTTOM, TA_BASELINE, TA_TOP};
    const unsigned align = horizontal[(h[1] >> 1) & 3] | vertical[(h[1] >> 3) & 3];
    dc.SetTextAlign(align);
    dc.SetFailFonts((h[1] & 0x20) != 0);
    dc.SetFailPens((h[1] & 0x40) != 0);

    CEquationLine line;
    line.SetText(text);
    const LineExtent measured = line.MeasureLine(dc, options, font);
    dc.SetTextAlign(TA_TOP | TA_LEFT);
    const LineExtent drawn = line.DrawLine(dc, 5, 5, options, font);
    dc.SetTextAlign(align);
    const LineExtent again = line.DrawLine(dc, 100, 100, options, font);

    Check(dc.LiveObjects() == 0);
    Check(dc.FailedDeletes() == 0);
    Check(dc.SelectedFont() == StockHandle(SYSTEM_FONT));
    Check(dc.SelectedPen() == StockHandle(BLACK_PEN));
    Check(dc.SelectedBrush() == StockHandle(NULL_BRUSH));
    Check(dc.TextAlign() == align);
    Check(line.arrowCount >= 0 && line.stackCount >= 0);
    if (!text.empty()) {
        Check(measured == drawn);
        Check(again == drawn);
    }
    return 0;
}
