#pragma once
// A plain-text account of how a line was classified, for the command-line tool and
// for users who want to see why a character was raised or lowered.
#include <string>

#include "engine/EquationLine.h"

// One line each, ending in "\n": the class and the display code of every position
// (the appended blank included), the arrow count with the texts above and below each
// counted arrow, and the pair count with the two fields of each closed pair. Collected
// texts are given in UTF-8.
std::string ExplainLine(const CEquationLine& line);

// A class or display code in words ("element initial", "raised"); "unknown" for a
// number no code has, which only a damaged record can hold.
const char* CharClassName(CharClass c);
const char* DisplayCodeName(DisplayCode d);

// One line per position after the codes, for reading them without the tables:
// its index, the character (UTF-8) and its class and display code in words and numbers,
// for example "3 \"2\": charge (3), raised (2)". The appended blank is left out.
std::string ExplainPositions(const CEquationLine& line);
