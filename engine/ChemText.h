#pragma once
// A chemical reading written out for other readers: plain Unicode text, speech for
// screen readers, MathML and mhchem source. All are UTF-8.
#include <string>
#include <vector>

#include "engine/ChemModel.h"

namespace chem {

enum class Form { Unicode, Speech, MathML, Mhchem, StarMath };

// One line in one form: MathML as one <mrow>, mhchem in \ce{…}, StarMath as in
// ChemStarMath.h. Speech takes no style.
std::string Written(const ChemLine& line, Form form, int equilibriumStyle = 1);
// Whole equations: text and mhchem lines joined by "\n", speech sentences by ". ",
// StarMath lines by " newline ", MathML as one <math> element.
std::string Written(const std::vector<ChemLine>& lines, Form form, int equilibriumStyle = 1);

// The equilibrium arrow follows the drawing's style option: the single-line styles
// (0, 1) as a double-headed arrow, the double-line styles (2, 3) as harpoons.
std::string UnicodeText(const ChemLine& line, int equilibriumStyle = 1);
std::string SpeechText(const ChemLine& line);
// The line as one <mrow>, without the <math> element.
std::string MathMLRow(const ChemLine& line, int equilibriumStyle = 1);
// \ce{…}
std::string MhchemText(const ChemLine& line, int equilibriumStyle = 1);

// Whole equations, one reading per line.
std::string UnicodeText(const std::vector<ChemLine>& lines, int equilibriumStyle = 1); // lines joined by "\n"
std::string SpeechText(const std::vector<ChemLine>& lines);                           // sentences joined by ". "
std::string MathMLDocument(const std::vector<ChemLine>& lines, int equilibriumStyle = 1);
std::string MhchemText(const std::vector<ChemLine>& lines, int equilibriumStyle = 1); // one \ce per line

} // namespace chem
