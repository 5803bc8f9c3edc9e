#pragma once
// A chemical reading in LibreOffice Math's formula language (StarMath), for a
// formula object that LibreOffice saves into Word documents as Word's own
// equation markup. UTF-8.
#include <string>
#include <vector>

#include "engine/ChemModel.h"

namespace chem {

// Element symbols, states and text are quoted strings (upright, as chemistry
// sets them); counts are subscripts, charges superscripts, nuclide numbers left
// scripts, arrow texts centred above and below the arrow. The equilibrium arrow
// follows the drawing's style option as in UnicodeText.
std::string StarMathText(const ChemLine& line, int equilibriumStyle = 1);
// Lines joined by "newline".
std::string StarMathText(const std::vector<ChemLine>& lines, int equilibriumStyle = 1);

} // namespace chem
