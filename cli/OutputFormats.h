#pragma once
// What molvex2-render can write, in one table: each format's name for --format, the
// extension its files get and whether an -o name with that extension asks for it, and
// for the text forms the writer. Qt-free, so that the quick front program shares it.
#include <string>
#include <vector>

#include "engine/ChemModel.h"

namespace cli {

enum class Format { None, Png, Svg, Pdf, Wmf, Mv2, Text, Speech, MathML, Mhchem, StarMath };

// Case does not matter in names and extensions; None when no format has it.
Format FormatFromName(const std::string& name);
Format FormatFromPath(const std::string& path);
// "" for None.
const char* FormatExtension(Format format);
// "png, svg, ... or starmath", for messages.
std::string FormatNames();

// The equation written out rather than drawn: Unicode text, speech, MathML, mhchem,
// StarMath.
bool IsTextForm(Format format);
// A text form of the equation's readings, one line each, with the final line end.
std::string TextFormOf(Format format, const std::vector<chem::ChemLine>& lines, int equilibriumStyle);

} // namespace cli
