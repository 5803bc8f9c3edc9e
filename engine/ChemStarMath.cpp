#include "engine/ChemStarMath.h"

#include "engine/ChemText.h"

namespace chem {

// The StarMath form is written with the others (ChemText.cpp), construct by construct.
std::string StarMathText(const ChemLine& line, int style) { return Written(line, Form::StarMath, style); }
std::string StarMathText(const std::vector<ChemLine>& lines, int style) { return Written(lines, Form::StarMath, style); }

} // namespace chem
