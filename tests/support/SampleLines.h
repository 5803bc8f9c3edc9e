#pragma once
// Equation lines shared by the benchmarks and tests: the sample line and a 20-line
// equation made of it and the classification examples.
#include <string>
#include <vector>

namespace testlines {

inline const std::string kSample = "co32-(aq)<>{238,92}U=ABOVE,BELOW>";

// The sample line and the inputs of the classification tables: a 20-line equation.
inline const std::vector<std::string>& TwentyLines()
{
    static const std::vector<std::string> lines = {
        kSample,
        "2H2 + O2 => 2H2O",
        "Na+ + Cl- => NaCl(s)",
        "fe3+ + 3oh- => fe(oh)3",
        "SO42- + Ba2+ => BaSO4(s)",
        "[Fe(CN)6]3-",
        "N2 =heat,cat.> 2N",
        "{1,0}n + {235,92}U",
        "CuSO4.5H2O",
        "H2+",
        "Ca(OH)2 (s)",
        "\"Heat\" 25`C",
        "Na+",
        "2 H2",
        "(aq)-",
        "   ",
        "=x=y>z>",
        "C12H22O11",
        "h2so4 + 2naoh => na2so4 + 2h2o",
        "deh nu nu_",
    };
    return lines;
}

} // namespace testlines
