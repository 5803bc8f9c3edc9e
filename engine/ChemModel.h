#pragma once
// The chemical reading of a classified line: its sides between arrows, the species on
// each side and the text that is not a species. It is read from the class and display
// codes and the collected arrow texts and stacked pairs, never from the text alone, so
// it always agrees with what is drawn.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/ChemPhrase.h"

class CEquationLine;

namespace chem {

// The elements, by atomic number (entry 0 is unused).
struct Element {
    const char* symbol;
    const char* name;
};
// The element with this symbol (exact case), or null.
const Element* FindElement(const std::string& symbol);
int AtomicNumber(const Element& element);

// One piece of a formula in writing order. Numbers keep the digits as typed; value
// is their value (0 when there are no digits, meaning 1).
struct FormulaPart {
    enum class Kind { Element, Open, Close, Hydrate };
    Kind kind = Kind::Element;
    std::string symbol;  // element symbol as displayed, or the bracket character
    std::string digits;  // count, bracket multiplier or hydrate coefficient
};

struct Species {
    std::string coefficient;            // digits as typed, empty for one
    std::vector<FormulaPart> formula;
    std::string particle;               // a lower-case particle letter: "e", "n", "p"
    std::string charge;                 // digits then sign as typed: "2-", "+", ""
    std::string state;                  // inside the state group's brackets: "aq"
    bool nuclide = false;               // a stacked pair stands in front
    std::string massNumber, atomicNumber;
    int position = 0;                   // first character in the line
    bool IsElectron() const { return particle == "e" && !nuclide; }
};

// Something on a side that is not a species: quoted text, Greek forms, words.
struct Opaque {
    std::string text; // as displayed, UTF-8
    int position = 0;
};

struct Item {
    bool isSpecies = false;
    bool plusBefore = false; // a "+" operator separates it from the item before
    Species species;
    Opaque opaque;
};

struct ChemLine;

struct Arrow {
    bool equilibrium = false;
    bool closed = true;
    std::string above, below;      // the collected texts, UTF-8
    std::shared_ptr<const ChemLine> aboveLine, belowLine; // the texts read as lines; null when empty
    int position = 0;
};

struct ChemLine {
    std::vector<std::vector<Item>> sides; // arrows.size() + 1 sides
    std::vector<Arrow> arrows;
    bool unreadTexts = false; // arrow texts nested too deep to read lie somewhere inside
    bool Empty() const { return sides.empty() || (sides.size() == 1 && sides[0].empty()); }
};

// Reads a classified line. An empty record (no text) gives an empty reading.
ChemLine ReadLine(const CEquationLine& line);
// Classifies a Windows-1252 text and reads it.
ChemLine ReadText(const std::string& cp1252);

// The result of checking one arrow.
struct ArrowCheck {
    enum class Verdict { Balanced, NotBalanced, CannotCheck };
    Verdict verdict = Verdict::CannotCheck;
    std::string detail; // what differs ("O 4 → 3; charge 0 → +1"), or why it cannot be checked
    Phrase said;        // the same, for writing in the user's language
};

// One result per arrow; nothing for a line without arrows. A line not read whole
// cannot be checked.
std::vector<ArrowCheck> CheckBalance(const ChemLine& line);

// The checks of a line in one phrase: "balanced", "not balanced: …", "cannot check: …"
// (arrows named when the line has more than one). Empty when there is no arrow.
// `verdict` receives the worst verdict.
std::string DescribeBalance(const std::vector<ArrowCheck>& checks, ArrowCheck::Verdict* verdict = nullptr);
Phrase BalancePhrase(const std::vector<ArrowCheck>& checks, ArrowCheck::Verdict* verdict = nullptr);

// Readings the user may not mean, each a sentence in UTF-8 with the remedy when there is
// one; arrow texts are looked into as well.
std::vector<std::string> ReadingHints(const CEquationLine& line);
std::vector<Phrase> ReadingHintPhrases(const CEquationLine& line);

} // namespace chem
