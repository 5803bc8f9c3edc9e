#pragma once
// One equation line: its text, the class and display code of every character position,
// the texts above and below its arrows and the fields of its stacked pairs; measuring
// and drawing it (through its LineBox, engine/LineBox.h).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/DeviceContext.h"

// An equation has at most this many lines: the entry box, documents, pictures and every
// reader of equation text stop there.
constexpr int kEquationLines = 20;

class CEquationOptions;
class KVEquationFont;

// Class codes: what a character is.
enum class CharClass : std::int16_t {
    Unset = 0,
    Coefficient = 1,
    FixedSubscript = 2,
    Charge = 3,
    ArrowAbove = 4,
    ArrowBelow = 5,
    OpenBracket = 6,
    CloseBracket = 7,
    StateGroup = 8,
    Subscript = 9,
    Ordinary = 10,
    PlusOperator = 11,
    ElementInitial = 12,
    MinusCharge = 13,
    Blank = 14,
    ReactionArrowStart = 15,
    EquilibriumArrowStart = 16,
    Closer = 17,
    Separator = 18,
    CloseSquare = 19,
    QuoteOpen = 20,
    QuoteClose = 21,
    StackOpen = 22,
    StackTop = 24,
    StackBottom = 25,
    Quoted = 26,
    GreekForm = 27,
};

// Display codes: how layout and drawing render a position.
enum class DisplayCode : std::int16_t {
    Normal = 0,
    Symbol = 1,
    Raised = 2,
    Lowered = 3,
    StateText = 4,
    Capital = 5,
    Hidden = 6,
    ArrowReaction = 7,
    ArrowEquilibrium = 8,
    HiddenCloser = 9,
    StackedPair = 10,
    BarredSymbol = 11,
};

// The numbers the codes are stored and printed as.
constexpr int ToInt(CharClass c) { return static_cast<int>(c); }
constexpr int ToInt(DisplayCode d) { return static_cast<int>(d); }

// Depth, width and height of a laid-out line, in logical units.
struct LineExtent {
    std::int32_t depth = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const LineExtent& a, const LineExtent& b)
    {
        return a.depth == b.depth && a.width == b.width && a.height == b.height;
    }
};

class CEquationLine {
public:
    // The record's nominal capacities. The arrays grow beyond them with the text, so a
    // longer line, an eleventh arrow or a fifty-first pair is handled like the others;
    // within these capacities the results are the nominal ones.
    static constexpr int kPositions = 1000;
    static constexpr int kArrows = 10;
    static constexpr int kStacks = 50;

    CEquationLine();
    virtual ~CEquationLine();
    CEquationLine(const CEquationLine&) = default;
    CEquationLine& operator=(const CEquationLine&) = default;

    // Stores the text; a non-empty text gets one blank appended and is classified.
    // An empty text is stored as it is and the rest of the record is left unchanged.
    void SetText(const std::string& text);

    // The line must have been classified. Drawing lays the line out and replays the
    // box; measuring only lays it out (zeros for an empty text).
    LineExtent DrawLine(CDC& dc, int x, int y, const CEquationOptions& options, const KVEquationFont& baseFont);
    LineExtent MeasureLine(CDC& dc, const CEquationOptions& options, const KVEquationFont& baseFont);

    // What classification found; read by layout, drawing, the chemical reading and
    // tests. Layout writes nothing here: what it works out stays in its LineBox.
    std::string text;                    // Windows-1252 bytes, blank appended
    std::vector<CharClass> classes;     // at least kPositions entries
    std::vector<DisplayCode> display;   // at least kPositions entries
    std::int32_t wordStart = 0;
    std::vector<std::string> arrowAbove; // at least kArrows entries
    std::vector<std::string> arrowBelow;
    std::vector<std::string> stackTop;   // at least kStacks entries
    std::vector<std::string> stackBottom;
    std::int32_t stackCount = 0;          // pairs closed
    bool inStack = false;
    std::int32_t arrowCount = 0;          // arrows closed

    // The element-symbol table (105 entries, entry 0 "zz", entry 23 empty) and the
    // ion table (48 entries), shared by all records.
    static const std::vector<std::string>& ElementSymbols();
    static const std::vector<std::string>& IonCharges();

private:
    struct Scanner; // the scan's steps, one per construct (EquationLine.cpp)

    void Classify();
    void Scan();
    void SettleLineEnd();
    void MarkElementInitials();
    void RaiseIonCharges();
    void KeepNucleonLetters();
    void MarkGreekForms();
    void SetDisplayCodes();
    void MakeStateGroup(int closeParen);

    // Scan scratch, kept between classifications so that reclassifying a line does
    // not allocate: positions of brackets still of class OpenBracket, and the runs
    // already turned into state groups, so that nested groups are rewritten in linear time.
    std::vector<std::int32_t> openBrackets_;
    std::vector<std::int32_t> groupRuns_; // start, end pairs
};
