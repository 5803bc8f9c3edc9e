// Classification of one equation line: the scan that gives every character a class
// code from the class of the character before it, then the passes that use the
// element-symbol and ion tables, and finally the display codes.
//
// Capacity: the record starts with room for 999 typed characters, 10 arrows and 50
// stacked pairs. Longer lines and further arrows or pairs make the arrays grow
// instead of being cut off or overrun, so they are classified like any other; within
// the starting capacity the results are the same as if the arrays had fixed sizes.
#include "engine/EquationLine.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/Cp1252.h"

namespace {

using C = CharClass;

// The scan's letters are A-Z and a-z; letter case elsewhere is that of Windows-1252.
bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

constexpr unsigned char kBackquote = '`';
constexpr unsigned char kDegree = 176;

// The separators that most states share; none when the character is none of them.
std::optional<CharClass> SeparatorClass(unsigned char c)
{
    switch (c) {
    case '(':
    case '[': return C::OpenBracket;
    case '{': return C::StackOpen;
    case ')': return C::CloseBracket;
    case ']': return C::CloseSquare;
    case ' ': return C::Blank;
    case '+': return C::PlusOperator;
    case '-': return C::MinusCharge;
    case '=': return C::ReactionArrowStart;
    case '<': return C::EquilibriumArrowStart;
    case '"': return C::QuoteOpen;
    default: return std::nullopt;
    }
}

bool StartsWith(const std::string& s, std::size_t pos, const char* prefix)
{
    for (; *prefix; ++prefix, ++pos) {
        if (pos >= s.size() || s[pos] != *prefix)
            return false;
    }
    return true;
}

} // namespace

const std::vector<std::string>& CEquationLine::ElementSymbols()
{
    // Search order decides between readings: the common two-letter symbols first,
    // then the one-letter ones, then the rest ("co" reads as C and O, "ca" as Ca).
    static const std::vector<std::string> table = {
        "zz",
        "cu", "ca", "al", "cl", "cr", "he", "hg", "mg", "na", "ne", "ni", "pb", "pt", "sn", "cr",
        "h", "c", "o", "k", "p", "s", "i", "",
        "fe", "n", "u", "f", "ag", "ar", "au", "ba", "br", "b", "li", "mn", "co", "ra", "rn", "sb",
        "si", "w", "am", "as", "at", "be", "bi", "bk", "cd", "xe", "cf", "cm", "zn", "cs", "dy",
        "er", "es", "eu", "r", "fm", "fr", "ga", "gd", "ge", "hf", "ho", "in", "ir", "kr", "la",
        "lr", "lu", "md", "mo", "nb", "zr", "no", "np", "os", "pa", "pd", "pm", "po", "pr", "yb",
        "pu", "rb", "re", "rh", "ru", "sc", "se", "sm", "sr", "ta", "tb", "tc", "te", "th", "ti",
        "tl", "tm", "v", "y", "ac",
    };
    return table;
}

const std::vector<std::string>& CEquationLine::IonCharges()
{
    static const std::vector<std::string> table = {
        "Ba2+", "Ca2+", "Cr2+", "Co2+", "Cu2+", "Fe2+", "Pb2+", "Mg2+", "Mn2+", "Hg2+",
        "Sn2+", "Zn2+", "Al3+", "Cr3+", "Fe3+", "O2-", "S2-", "N3-", "P3-", "Sn4+",
        "Ni2+", "Cd2+", "Co3+", "Ga3+", "Ge2+", "Au3+", "La3+", "Pb4+", "Mn3+", "Pd2+",
        "Pt2+", "Ra2+", "Sc2+", "Ag2+", "Sr2+", "Te2-", "Tl3+", "Ti2+", "Ti3+", "U4+",
        "U3+", "V3+", "V2+", "Ce2+", "Ce4+", "Fe(SCN)2+", "Bi3+", "Be2+",
    };
    return table;
}

CEquationLine::CEquationLine()
    : classes(kPositions, C::Unset),
      display(kPositions, DisplayCode::Normal),
      arrowAbove(kArrows),
      arrowBelow(kArrows),
      stackTop(kStacks),
      stackBottom(kStacks)
{
}

CEquationLine::~CEquationLine() = default;

void CEquationLine::SetText(const std::string& newText)
{
    text = newText;
    if (text.empty())
        return;
    text += ' ';
    Classify();
}

void CEquationLine::Classify()
{
    const std::size_t needed = text.size() + 1;
    if (classes.size() < needed) {
        classes.resize(needed);
        display.resize(needed);
    }
    std::fill(classes.begin(), classes.end(), C::Unset);
    std::fill(display.begin(), display.end(), DisplayCode::Normal);
    for (auto& s : arrowAbove)
        s.clear();
    for (auto& s : arrowBelow)
        s.clear();
    for (auto& s : stackTop)
        s.clear();
    for (auto& s : stackBottom)
        s.clear();
    stackCount = 0;
    arrowCount = 0;
    inStack = false;
    wordStart = 0;

    Scan();
    SettleLineEnd();
    MarkElementInitials();
    RaiseIonCharges();
    KeepNucleonLetters();
    MarkGreekForms();
    SetDisplayCodes();
}

// Every position from the ')' back to the nearest earlier open bracket still OpenBracket
// (or to position 0) becomes part of a state group. Brackets only ever lose OpenBracket
// this way, and state-group positions keep their class for the rest of the scan, so
// a stack of open brackets gives the nearest one and the runs already rewritten can
// be skipped as a whole.
void CEquationLine::MakeStateGroup(int closeParen)
{
    int start = 0;
    if (!openBrackets_.empty()) {
        start = openBrackets_.back();
        openBrackets_.pop_back();
    }
    int pos = closeParen;
    while (pos >= start) {
        if (!groupRuns_.empty() && groupRuns_.back() == pos) {
            pos = groupRuns_[groupRuns_.size() - 2] - 1;
            groupRuns_.resize(groupRuns_.size() - 2);
            continue;
        }
        classes[pos] = C::StateGroup;
        --pos;
    }
    groupRuns_.push_back(start);
    groupRuns_.push_back(closeParen);
}

// The scan gives each character its class from the class of the one before it. Each
// construct it recognises has its own step: counts and charges, brackets, operators and
// blanks, quotes, arrow texts, stacked pairs and what starts a line.
struct CEquationLine::Scanner {
    CEquationLine& line;
    int depth = 0;         // arrow nesting, one counter for the whole line
    int lastNonBlank = -1; // last position before the current one that holds no blank

    explicit Scanner(CEquationLine& l) : line(l) {}

    CharClass Next(int i, unsigned char c, char stored);
    CharClass AfterCoefficient(unsigned char c) const;
    CharClass InFormula(CharClass state, int i, unsigned char c, std::optional<CharClass> sep);
    CharClass AfterBracket(CharClass state, int i, unsigned char c, std::optional<CharClass> sep);
    CharClass AfterOperator(CharClass state, int i, unsigned char c, std::optional<CharClass> sep);
    CharClass InArrowText(CharClass field, unsigned char c, char stored);
    CharClass InStackField(CharClass field, unsigned char c, char stored);
    static CharClass AtStart(unsigned char c, std::optional<CharClass> sep);
    // A digit that waited as a possible charge digit is a subscript after all.
    void SettleChargeDigit(int p)
    {
        if (p >= 0 && line.classes[p] == C::Charge && IsDigit(static_cast<unsigned char>(line.text[p])))
            line.classes[p] = C::FixedSubscript;
    }
};

void CEquationLine::Scan()
{
    openBrackets_.clear();
    groupRuns_.clear();
    Scanner scanner(*this);
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == kBackquote) {
            display[i] = DisplayCode::Symbol;
            text[i] = static_cast<char>(kDegree);
        }
        const CharClass cls = scanner.Next(i, c, text[i]);
        classes[i] = cls;
        if (cls == C::OpenBracket)
            openBrackets_.push_back(i);
        if (c != ' ')
            scanner.lastNonBlank = i;
    }
}

CharClass CEquationLine::Scanner::Next(int i, unsigned char c, char stored)
{
    const CharClass state = i > 0 ? line.classes[i - 1] : C::Unset;
    const std::optional<CharClass> sep = SeparatorClass(c);
    switch (state) {
    case C::Coefficient: return AfterCoefficient(c);
    case C::FixedSubscript:
    case C::Charge:
    case C::Subscript:
    case C::Ordinary:
    case C::MinusCharge: return InFormula(state, i, c, sep);
    case C::OpenBracket:
    case C::CloseBracket:
    case C::CloseSquare: return AfterBracket(state, i, c, sep);
    case C::PlusOperator:
    case C::Blank: return AfterOperator(state, i, c, sep);
    case C::QuoteOpen:
    case C::Quoted: return c == '"' ? C::QuoteClose : C::Quoted;
    case C::ReactionArrowStart:
    case C::EquilibriumArrowStart:
    case C::ArrowAbove: return InArrowText(C::ArrowAbove, c, stored);
    case C::ArrowBelow: return InArrowText(C::ArrowBelow, c, stored);
    case C::Separator:
        if (line.inStack)
            return InStackField(C::StackBottom, c, stored);
        // After the comma an arrow opens a nested text above; anything else is the text below.
        return InArrowText(c == '=' || c == '<' ? C::ArrowAbove : C::ArrowBelow, c, stored);
    case C::StackOpen:
    case C::StackTop:
        line.inStack = true;
        return InStackField(C::StackTop, c, stored);
    case C::StackBottom: return InStackField(C::StackBottom, c, stored);
    default: return AtStart(c, sep); // line start, after a closer or a closing quote
    }
}

CharClass CEquationLine::Scanner::AfterCoefficient(unsigned char c) const
{
    if (IsDigit(c))
        return C::Coefficient;
    if (c == '(' || c == '[')
        return C::OpenBracket;
    if (c == '{')
        return C::StackOpen;
    if (c == '"')
        return C::QuoteOpen;
    return C::Ordinary;
}

// Counts and charges after a symbol: a digit waits as a possible charge digit until
// what follows settles it.
CharClass CEquationLine::Scanner::InFormula(CharClass state, int i, unsigned char c, std::optional<CharClass> sep)
{
    auto& classes = line.classes;
    switch (state) {
    case C::FixedSubscript:
        if (IsDigit(c))
            return C::Subscript;
        break;
    case C::Charge:
        if (IsDigit(c)) {
            classes[i - 1] = C::FixedSubscript;
            return C::Charge;
        }
        if (IsLetter(c)) {
            classes[i - 1] = C::FixedSubscript;
            return C::Ordinary;
        }
        break;
    case C::Subscript:
        if (IsDigit(c)) {
            classes[i - 1] = C::FixedSubscript;
            return C::Charge;
        }
        if (c == '(' || c == '[' || c == ')' || c == ']') {
            classes[i - 1] = C::FixedSubscript;
            return *sep;
        }
        break;
    case C::Ordinary:
        if (IsDigit(c))
            return line.text[i - 1] == '.' ? C::Coefficient : C::Subscript;
        break;
    default: break; // MinusCharge: only separators follow
    }
    return sep ? *sep : C::Ordinary;
}

CharClass CEquationLine::Scanner::AfterBracket(CharClass state, int i, unsigned char c, std::optional<CharClass> sep)
{
    if (state == C::OpenBracket) {
        // A digit that waited before the bracket counts, it is no charge.
        if (i >= 2)
            SettleChargeDigit(i - 2);
        if (IsDigit(c))
            return C::FixedSubscript;
        if (c == '=' || c == '<' || c == '"')
            return *sep;
        return C::Ordinary;
    }
    if (state == C::CloseBracket) {
        if (IsDigit(c))
            return C::Subscript;
        if (c == ' ' || c == '+' || c == '=' || c == '<') {
            // A closing bracket that ends a species closes a state group.
            line.MakeStateGroup(i - 1);
            return *sep;
        }
        return c == '"' ? C::QuoteOpen : C::Ordinary;
    }
    // CloseSquare: a complex's brackets take a charge straight after them.
    if (IsDigit(c))
        return C::Charge;
    if (c == ' ' || c == '+' || c == '=' || c == '<' || c == '"' || c == '(' || c == '[' || c == '-')
        return *sep;
    return C::Ordinary;
}

// A '+' is an operator until a sign or a bracket straight after it, or a sign after
// the blanks that follow it, shows that it was a charge.
CharClass CEquationLine::Scanner::AfterOperator(CharClass state, int i, unsigned char c, std::optional<CharClass> sep)
{
    auto& classes = line.classes;
    if (state == C::PlusOperator) {
        if (IsDigit(c))
            return C::Coefficient;
        if (c == '+' || c == '-' || c == '=' || c == '<' || c == '(' || c == '[' || c == ']') {
            classes[i - 1] = C::Charge;
            return *sep;
        }
        if (c == ' ' || c == '{' || c == '"')
            return *sep;
        return C::Ordinary;
    }
    // Blank
    CharClass cls = C::Ordinary;
    if (IsDigit(c)) {
        cls = C::Coefficient;
    } else if (c == '+' || c == '-' || c == '=' || c == '<') {
        cls = *sep;
        if (lastNonBlank >= 0 && classes[lastNonBlank] == C::PlusOperator)
            classes[lastNonBlank] = C::Charge;
    } else if (c == ' ' || c == '"' || c == '{' || c == '(' || c == '[') {
        cls = *sep;
    }
    SettleChargeDigit(lastNonBlank);
    return cls;
}

// The text above an arrow runs to a comma or the closing '>', that below to the '>';
// an arrow inside a text nests, and only the outermost '>' and ',' count.
CharClass CEquationLine::Scanner::InArrowText(CharClass field, unsigned char c, char stored)
{
    if (c == '>' && depth <= 0) {
        ++line.arrowCount;
        if (static_cast<std::size_t>(line.arrowCount) >= line.arrowAbove.size()) {
            line.arrowAbove.emplace_back();
            line.arrowBelow.emplace_back();
        }
        return C::Closer;
    }
    if (field == C::ArrowAbove && c == ',' && depth <= 0)
        return C::Separator;
    (field == C::ArrowAbove ? line.arrowAbove : line.arrowBelow)[line.arrowCount] += stored;
    if (c == '>')
        --depth;
    else if (c == '=' || c == '<')
        ++depth;
    return field;
}

// "{top,bottom}": the top field runs to a comma or the '}', the bottom one to the '}'.
CharClass CEquationLine::Scanner::InStackField(CharClass field, unsigned char c, char stored)
{
    if (c == '}') {
        ++line.stackCount;
        line.inStack = false;
        if (static_cast<std::size_t>(line.stackCount) >= line.stackTop.size()) {
            line.stackTop.emplace_back();
            line.stackBottom.emplace_back();
        }
        return C::Closer;
    }
    if (field == C::StackTop && c == ',')
        return C::Separator;
    (field == C::StackTop ? line.stackTop : line.stackBottom)[line.stackCount] += stored;
    return field;
}

CharClass CEquationLine::Scanner::AtStart(unsigned char c, std::optional<CharClass> sep)
{
    if (IsDigit(c))
        return C::Coefficient;
    if (c == '(' || c == '[' || c == '{' || c == ' ' || c == '+' || c == '=' || c == '<' || c == '"')
        return *sep;
    return C::Ordinary;
}

// The end of the line settles what a following character would: a '+' typed last is a
// charge, and a digit left waiting as a possible charge digit (the last of a run such
// as "C12H22O11") is a subscript, as a blank and a further character would make it.
void CEquationLine::SettleLineEnd()
{
    const int n = static_cast<int>(text.size());
    if (n < 2 || classes[n - 1] != C::Blank)
        return;
    int last = n - 1;
    while (last >= 0 && text[last] == ' ')
        --last;
    if (last < 0)
        return;
    if (classes[last] == C::PlusOperator)
        classes[last] = C::Charge;
    else if (classes[last] == C::Charge && IsDigit(static_cast<unsigned char>(text[last])))
        classes[last] = C::FixedSubscript;
}

// In each word typed all in lower case, the first letter of every element symbol it
// spells becomes an element initial; the table's order decides between readings.
void CEquationLine::MarkElementInitials()
{
    // The searched entries (1 on, entry 0 is not searched) by their first letter, in
    // search order, since only an entry with the same first letter can match.
    using Bucket = std::vector<const std::string*>;
    static const std::array<Bucket, 256> byFirst = [] {
        std::array<Bucket, 256> index;
        const auto& symbols = ElementSymbols();
        for (std::size_t k = 1; k < symbols.size(); ++k) {
            if (!symbols[k].empty())
                index[static_cast<unsigned char>(symbols[k][0])].push_back(&symbols[k]);
        }
        return index;
    }();
    const int n = static_cast<int>(text.size());
    int i = 0;
    while (i < n) {
        if (classes[i] != C::Ordinary) {
            ++i;
            continue;
        }
        wordStart = i;
        int end = i;
        bool hasCapital = false;
        while (end < n && classes[end] == C::Ordinary) {
            hasCapital = hasCapital || Cp1252IsUpper(static_cast<unsigned char>(text[end]));
            ++end;
        }
        i = end;
        if (hasCapital)
            continue;
        const int length = end - wordStart;
        int cursor = 0;
        while (cursor < length) {
            const char first = text[wordStart + cursor];
            const bool hasSecond = cursor + 1 < length;
            const char second = hasSecond ? text[wordStart + cursor + 1] : '\0';
            int step = 1;
            for (const std::string* entry : byFirst[static_cast<unsigned char>(first)]) {
                const std::string& sym = *entry;
                if (sym.size() == 1) {
                    classes[wordStart + cursor] = C::ElementInitial;
                    break;
                }
                if (hasSecond && sym[1] == second) {
                    classes[wordStart + cursor] = C::ElementInitial;
                    step = 2;
                    break;
                }
            }
            cursor += step;
        }
    }
}

// A single digit before a sign is a charge digit for the listed ions, where the ion
// starts a species.
void CEquationLine::RaiseIonCharges()
{
    // The ions by their first letter, so that a position is compared only with the
    // few ions that can start there.
    using Bucket = std::vector<const std::string*>;
    static const std::array<Bucket, 256> byFirst = [] {
        std::array<Bucket, 256> index;
        for (const std::string& ion : IonCharges())
            index[static_cast<unsigned char>(ion[0])].push_back(&ion);
        return index;
    }();
    const std::size_t n = text.size();
    for (std::size_t s = 0; s < n; ++s) {
        const bool startsSpecies = s == 0 || text[s - 1] == ' ' || text[s - 1] == '+'
            || classes[s - 1] == C::Coefficient || classes[s - 1] == C::OpenBracket
            || classes[s - 1] == C::Closer;
        if (!startsSpecies)
            continue;
        unsigned char first = static_cast<unsigned char>(text[s]);
        if (classes[s] == C::ElementInitial)
            first = Cp1252ToUpper(first);
        for (const std::string* entry : byFirst[first]) {
            const std::string& ion = *entry;
            const std::size_t len = ion.size();
            if (len > n - s)
                continue;
            bool match = true;
            for (std::size_t k = 0; k < len && match; ++k) {
                unsigned char ch = static_cast<unsigned char>(text[s + k]);
                if (classes[s + k] == C::ElementInitial)
                    ch = Cp1252ToUpper(ch);
                match = ch == static_cast<unsigned char>(ion[k]);
            }
            if (!match)
                continue;
            const CharClass sign = classes[s + len - 1];
            if (sign == C::Charge || sign == C::MinusCharge)
                classes[s + len - 2] = C::Charge;
        }
    }
}

// The neutron "{1,0}n" and the proton "{1,1}p" keep their lower-case letter although
// n and p are element symbols.
void CEquationLine::KeepNucleonLetters()
{
    for (std::size_t p = 0; p < text.size(); ++p) {
        if ((StartsWith(text, p, ",0}n") || StartsWith(text, p, ",1}p")) && classes[p + 3] == C::ElementInitial)
            classes[p + 3] = C::Ordinary;
    }
}

namespace {

// Characters of an arrow text or a stacked-pair field are drawn where that text is laid
// out as a line of its own; in this line they stay hidden.
bool InField(CharClass cls)
{
    return cls == C::ArrowAbove || cls == C::ArrowBelow || cls == C::StackTop || cls == C::StackBottom;
}

} // namespace

// "nu", "nu_" and "deh" (any letter case) are recognised anywhere on the line except
// inside arrow texts and stacked-pair fields, which show their own forms when drawn.
void CEquationLine::MarkGreekForms()
{
    const std::size_t n = text.size();
    for (std::size_t b = 0; b < n; ++b) {
        if (InField(classes[b]))
            continue;
        if (StartsWith(text, b, "nu_")) {
            display[b] = DisplayCode::BarredSymbol;
            display[b + 1] = DisplayCode::Hidden;
            display[b + 2] = DisplayCode::Hidden;
            classes[b] = classes[b + 1] = classes[b + 2] = C::GreekForm;
        } else if (StartsWith(text, b, "nu")) {
            display[b] = DisplayCode::Symbol;
            display[b + 1] = DisplayCode::Hidden;
            classes[b] = classes[b + 1] = C::GreekForm;
        }
        if (b + 3 <= n && Cp1252ToLower(static_cast<unsigned char>(text[b])) == 'd'
            && Cp1252ToLower(static_cast<unsigned char>(text[b + 1])) == 'e'
            && Cp1252ToLower(static_cast<unsigned char>(text[b + 2])) == 'h') {
            text[b] = 'D';
            display[b] = DisplayCode::Symbol;
            display[b + 1] = DisplayCode::Hidden;
            display[b + 2] = DisplayCode::Capital;
            classes[b] = classes[b + 1] = classes[b + 2] = C::GreekForm;
        }
    }
}

void CEquationLine::SetDisplayCodes()
{
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        switch (classes[i]) {
        case C::Unset:
        case C::ArrowAbove:
        case C::ArrowBelow:
        case C::Separator:
        case C::QuoteOpen:
        case C::QuoteClose:
        case C::StackTop:
        case C::StackBottom: display[i] = DisplayCode::Hidden; break;
        case C::FixedSubscript:
        case C::Subscript: display[i] = DisplayCode::Lowered; break;
        case C::Charge:
        case C::MinusCharge: display[i] = DisplayCode::Raised; break;
        case C::StateGroup: display[i] = DisplayCode::StateText; break;
        case C::ElementInitial: display[i] = DisplayCode::Capital; break;
        case C::ReactionArrowStart: display[i] = DisplayCode::ArrowReaction; break;
        case C::EquilibriumArrowStart: display[i] = DisplayCode::ArrowEquilibrium; break;
        case C::Closer: display[i] = DisplayCode::HiddenCloser; break;
        case C::StackOpen: display[i] = DisplayCode::StackedPair; break;
        case C::Quoted: display[i] = DisplayCode::Normal; break;
        default: break; // what the scan or the Greek forms set
        }
    }
}
