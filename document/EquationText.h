#pragma once
// A document's equation written out, line by line, from the chemical reading of its
// lines: for the clipboard, pictures' accessible text, containers and the renderer.
#include <string>
#include <vector>

#include "engine/ChemModel.h"

class CMolvexDoc;

// The readings of the document's non-empty lines, in order.
std::vector<chem::ChemLine> EquationReadings(const CMolvexDoc& doc);

// `equilibriumStyle` is the equilibrium-arrow option in force.
std::string EquationUnicodeText(const CMolvexDoc& doc, int equilibriumStyle);
// What a screen reader says for the whole equation (alt text).
std::string EquationSpeech(const CMolvexDoc& doc);
std::string EquationMathML(const CMolvexDoc& doc, int equilibriumStyle);
std::string EquationMhchem(const CMolvexDoc& doc, int equilibriumStyle);
// LibreOffice Math's formula language, for a formula object.
std::string EquationStarMath(const CMolvexDoc& doc, int equilibriumStyle);
