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
