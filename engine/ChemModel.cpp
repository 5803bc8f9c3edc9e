#include "engine/ChemModel.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <utility>

#include "engine/ChemPhrase.h"
#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "engine/LineBox.h"

namespace chem {
namespace {

// The names are marked for the editor's translations of the reading hints.
const Element kElements[] = {
    {"", ""},
    {"H", CHEM_PHRASE("chem", "hydrogen")}, {"He", CHEM_PHRASE("chem", "helium")},
    {"Li", CHEM_PHRASE("chem", "lithium")}, {"Be", CHEM_PHRASE("chem", "beryllium")},
    {"B", CHEM_PHRASE("chem", "boron")}, {"C", CHEM_PHRASE("chem", "carbon")}, {"N", CHEM_PHRASE("chem", "nitrogen")},
    {"O", CHEM_PHRASE("chem", "oxygen")}, {"F", CHEM_PHRASE("chem", "fluorine")}, {"Ne", CHEM_PHRASE("chem", "neon")},
    {"Na", CHEM_PHRASE("chem", "sodium")}, {"Mg", CHEM_PHRASE("chem", "magnesium")},
    {"Al", CHEM_PHRASE("chem", "aluminium")}, {"Si", CHEM_PHRASE("chem", "silicon")},
    {"P", CHEM_PHRASE("chem", "phosphorus")}, {"S", CHEM_PHRASE("chem", "sulfur")},
    {"Cl", CHEM_PHRASE("chem", "chlorine")}, {"Ar", CHEM_PHRASE("chem", "argon")},
    {"K", CHEM_PHRASE("chem", "potassium")}, {"Ca", CHEM_PHRASE("chem", "calcium")},
    {"Sc", CHEM_PHRASE("chem", "scandium")}, {"Ti", CHEM_PHRASE("chem", "titanium")},
    {"V", CHEM_PHRASE("chem", "vanadium")}, {"Cr", CHEM_PHRASE("chem", "chromium")},
    {"Mn", CHEM_PHRASE("chem", "manganese")}, {"Fe", CHEM_PHRASE("chem", "iron")},
    {"Co", CHEM_PHRASE("chem", "cobalt")}, {"Ni", CHEM_PHRASE("chem", "nickel")},
    {"Cu", CHEM_PHRASE("chem", "copper")}, {"Zn", CHEM_PHRASE("chem", "zinc")},
    {"Ga", CHEM_PHRASE("chem", "gallium")}, {"Ge", CHEM_PHRASE("chem", "germanium")},
    {"As", CHEM_PHRASE("chem", "arsenic")}, {"Se", CHEM_PHRASE("chem", "selenium")},
    {"Br", CHEM_PHRASE("chem", "bromine")}, {"Kr", CHEM_PHRASE("chem", "krypton")},
    {"Rb", CHEM_PHRASE("chem", "rubidium")}, {"Sr", CHEM_PHRASE("chem", "strontium")},
    {"Y", CHEM_PHRASE("chem", "yttrium")}, {"Zr", CHEM_PHRASE("chem", "zirconium")},
    {"Nb", CHEM_PHRASE("chem", "niobium")}, {"Mo", CHEM_PHRASE("chem", "molybdenum")},
    {"Tc", CHEM_PHRASE("chem", "technetium")}, {"Ru", CHEM_PHRASE("chem", "ruthenium")},
    {"Rh", CHEM_PHRASE("chem", "rhodium")}, {"Pd", CHEM_PHRASE("chem", "palladium")},
    {"Ag", CHEM_PHRASE("chem", "silver")}, {"Cd", CHEM_PHRASE("chem", "cadmium")},
    {"In", CHEM_PHRASE("chem", "indium")}, {"Sn", CHEM_PHRASE("chem", "tin")},
    {"Sb", CHEM_PHRASE("chem", "antimony")}, {"Te", CHEM_PHRASE("chem", "tellurium")},
    {"I", CHEM_PHRASE("chem", "iodine")}, {"Xe", CHEM_PHRASE("chem", "xenon")},
    {"Cs", CHEM_PHRASE("chem", "caesium")}, {"Ba", CHEM_PHRASE("chem", "barium")},
    {"La", CHEM_PHRASE("chem", "lanthanum")}, {"Ce", CHEM_PHRASE("chem", "cerium")},
    {"Pr", CHEM_PHRASE("chem", "praseodymium")}, {"Nd", CHEM_PHRASE("chem", "neodymium")},
    {"Pm", CHEM_PHRASE("chem", "promethium")}, {"Sm", CHEM_PHRASE("chem", "samarium")},
    {"Eu", CHEM_PHRASE("chem", "europium")}, {"Gd", CHEM_PHRASE("chem", "gadolinium")},
    {"Tb", CHEM_PHRASE("chem", "terbium")}, {"Dy", CHEM_PHRASE("chem", "dysprosium")},
    {"Ho", CHEM_PHRASE("chem", "holmium")}, {"Er", CHEM_PHRASE("chem", "erbium")},
    {"Tm", CHEM_PHRASE("chem", "thulium")}, {"Yb", CHEM_PHRASE("chem", "ytterbium")},
    {"Lu", CHEM_PHRASE("chem", "lutetium")}, {"Hf", CHEM_PHRASE("chem", "hafnium")},
    {"Ta", CHEM_PHRASE("chem", "tantalum")}, {"W", CHEM_PHRASE("chem", "tungsten")},
    {"Re", CHEM_PHRASE("chem", "rhenium")}, {"Os", CHEM_PHRASE("chem", "osmium")},
    {"Ir", CHEM_PHRASE("chem", "iridium")}, {"Pt", CHEM_PHRASE("chem", "platinum")},
    {"Au", CHEM_PHRASE("chem", "gold")}, {"Hg", CHEM_PHRASE("chem", "mercury")},
    {"Tl", CHEM_PHRASE("chem", "thallium")}, {"Pb", CHEM_PHRASE("chem", "lead")},
    {"Bi", CHEM_PHRASE("chem", "bismuth")}, {"Po", CHEM_PHRASE("chem", "polonium")},
    {"At", CHEM_PHRASE("chem", "astatine")}, {"Rn", CHEM_PHRASE("chem", "radon")},
    {"Fr", CHEM_PHRASE("chem", "francium")}, {"Ra", CHEM_PHRASE("chem", "radium")},
    {"Ac", CHEM_PHRASE("chem", "actinium")}, {"Th", CHEM_PHRASE("chem", "thorium")},
    {"Pa", CHEM_PHRASE("chem", "protactinium")}, {"U", CHEM_PHRASE("chem", "uranium")},
    {"Np", CHEM_PHRASE("chem", "neptunium")}, {"Pu", CHEM_PHRASE("chem", "plutonium")},
    {"Am", CHEM_PHRASE("chem", "americium")}, {"Cm", CHEM_PHRASE("chem", "curium")},
    {"Bk", CHEM_PHRASE("chem", "berkelium")}, {"Cf", CHEM_PHRASE("chem", "californium")},
    {"Es", CHEM_PHRASE("chem", "einsteinium")}, {"Fm", CHEM_PHRASE("chem", "fermium")},
    {"Md", CHEM_PHRASE("chem", "mendelevium")}, {"No", CHEM_PHRASE("chem", "nobelium")},
    {"Lr", CHEM_PHRASE("chem", "lawrencium")}, {"Rf", CHEM_PHRASE("chem", "rutherfordium")},
    {"Db", CHEM_PHRASE("chem", "dubnium")}, {"Sg", CHEM_PHRASE("chem", "seaborgium")},
    {"Bh", CHEM_PHRASE("chem", "bohrium")}, {"Hs", CHEM_PHRASE("chem", "hassium")},
    {"Mt", CHEM_PHRASE("chem", "meitnerium")}, {"Ds", CHEM_PHRASE("chem", "darmstadtium")},
    {"Rg", CHEM_PHRASE("chem", "roentgenium")}, {"Cn", CHEM_PHRASE("chem", "copernicium")},
    {"Nh", CHEM_PHRASE("chem", "nihonium")}, {"Fl", CHEM_PHRASE("chem", "flerovium")},
    {"Mc", CHEM_PHRASE("chem", "moscovium")}, {"Lv", CHEM_PHRASE("chem", "livermorium")},
    {"Ts", CHEM_PHRASE("chem", "tennessine")}, {"Og", CHEM_PHRASE("chem", "oganesson")},
};
constexpr int kElementCount = static_cast<int>(sizeof kElements / sizeof kElements[0]);

constexpr int kLastNaturalElement = 92;

// More digits than this are not a count anyone means; they are refused rather than
// risking overflow in the sums.
constexpr std::size_t kMaxDigits = 9;

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLetter(char c) { return IsLower(c) || IsUpper(c); }

// Reads the codes of one line; positions beyond the arrays count as unset.
struct Codes {
    const CEquationLine& line;
    int size;
    explicit Codes(const CEquationLine& l)
        : line(l), size(static_cast<int>(std::min(l.text.size(), std::min(l.classes.size(), l.display.size()))))
    {
    }
    CharClass Class(int i) const { return i >= 0 && i < size ? line.classes[i] : CharClass::Unset; }
    DisplayCode Display(int i) const { return i >= 0 && i < size ? line.display[i] : DisplayCode::Hidden; }
    char Char(int i) const { return i >= 0 && i < size ? line.text[i] : '\0'; }
    // The character as drawn: capitals applied.
    char Shown(int i) const
    {
        const char c = Char(i);
        return Display(i) == DisplayCode::Capital ? static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(c))) : c;
    }
};

// What a position shows, in UTF-8; hidden positions show nothing.
std::string ShownText(const Codes& codes, int i)
{
    const DisplayCode d = codes.Display(i);
    const char c = codes.Shown(i);
    if (d == DisplayCode::Hidden || d == DisplayCode::HiddenCloser)
        return {};
    if (d == DisplayCode::Symbol || d == DisplayCode::BarredSymbol) {
        // The symbol face: the Greek letter in the Latin key's place.
        if (c == 'n')
            return d == DisplayCode::BarredSymbol ? "\xCE\xBD\xCC\x84" : "\xCE\xBD";
        if (c == 'D')
            return "\xCE\x94";
    }
    return Cp1252ToUtf8(std::string(1, c));
}

std::string ShownRange(const Codes& codes, int from, int to)
{
    std::string out;
    for (int i = from; i < to; ++i)
        out += ShownText(codes, i);
    return out;
}

std::string Slot(const std::vector<std::string>& slots, int k)
{
    return k >= 0 && static_cast<std::size_t>(k) < slots.size() ? slots[k] : std::string();
}

// Classes that end a species.
bool EndsToken(CharClass c)
{
    return c == CharClass::Blank || c == CharClass::PlusOperator || c == CharClass::ReactionArrowStart ||
           c == CharClass::EquilibriumArrowStart || c == CharClass::QuoteOpen || c == CharClass::StackOpen ||
           c == CharClass::Closer || c == CharClass::Unset;
}

bool IsSign(const Codes& codes, int i)
{
    const CharClass c = codes.Class(i);
    return (c == CharClass::Charge && codes.Char(i) == '+') || (c == CharClass::MinusCharge && codes.Char(i) == '-');
}

// Subscript digits at i (a trailing raised run that no sign follows is a count too);
// returns the position after them.
int ReadCount(const Codes& codes, int i, int end, std::string& digits)
{
    while (i < end && IsDigit(codes.Char(i)) &&
           (codes.Class(i) == CharClass::Subscript || codes.Class(i) == CharClass::FixedSubscript)) {
        digits += codes.Char(i);
        ++i;
    }
    int k = i;
    while (k < end && IsDigit(codes.Char(k)) && codes.Class(k) == CharClass::Charge)
        ++k;
    if (k > i && !IsSign(codes, k)) {
        digits.append(codes.line.text, static_cast<std::size_t>(i), static_cast<std::size_t>(k - i));
        i = k;
    }
    return i;
}

// One species from the positions [from, to): a coefficient, then the formula piece by
// piece, each step saying false when the positions are not a species.
class SpeciesReader {
public:
    SpeciesReader(const Codes& codes, int to, Species& s) : codes_(codes), to_(to), s_(s) {}

    bool Read(int from)
    {
        i_ = from;
        while (i_ < to_ && codes_.Class(i_) == CharClass::Coefficient && IsDigit(codes_.Char(i_)))
            s_.coefficient += codes_.Char(i_++);
        // "2 H2": a blank straight after a coefficient is ordinary.
        while (!s_.coefficient.empty() && i_ < to_ && codes_.Char(i_) == ' ')
            ++i_;
        bool done = false; // a charge or a state group ends the formula
        while (i_ < to_) {
            const CharClass c = codes_.Class(i_);
            const char ch = codes_.Shown(i_);
            if (done && c != CharClass::StateGroup)
                return false;
            bool ok = false;
            if ((c == CharClass::Ordinary || c == CharClass::ElementInitial) && IsLetter(ch))
                ok = Letter(ch);
            else if (c == CharClass::Ordinary && ch == '.' && !s_.formula.empty() && brackets_.empty())
                ok = Hydrate();
            else if (c == CharClass::OpenBracket)
                ok = Open(ch);
            else if (c == CharClass::CloseBracket || c == CharClass::CloseSquare)
                ok = Close(ch);
            else if (c == CharClass::Charge || c == CharClass::MinusCharge)
                ok = done = Charge();
            else if (c == CharClass::StateGroup)
                ok = done = State();
            if (!ok)
                return false;
        }
        return brackets_.empty() && (!s_.formula.empty() || !s_.particle.empty());
    }

private:
    // An element symbol with its count, or a particle letter.
    bool Letter(char ch)
    {
        if (IsLower(ch)) {
            // A particle letter: the electron, or a nucleon kept lower case.
            if (!s_.formula.empty() || !s_.particle.empty() || std::strchr("enp", ch) == nullptr)
                return false;
            s_.particle = std::string(1, ch);
            ++i_;
            return true;
        }
        if (!s_.particle.empty())
            return false;
        std::string symbol(1, ch);
        ++i_;
        const char next = codes_.Shown(i_);
        if (i_ < to_ && IsLower(next) && codes_.Class(i_) == CharClass::Ordinary && FindElement(symbol + next)) {
            symbol += next;
            ++i_;
        }
        if (!FindElement(symbol) || (i_ < to_ && IsLower(codes_.Shown(i_)) && codes_.Class(i_) == CharClass::Ordinary))
            return false;
        FormulaPart part{FormulaPart::Kind::Element, symbol, {}};
        i_ = ReadCount(codes_, i_, to_, part.digits);
        s_.formula.push_back(std::move(part));
        return true;
    }

    // ".5H2O": the dot and the water's coefficient.
    bool Hydrate()
    {
        FormulaPart part{FormulaPart::Kind::Hydrate, ".", {}};
        ++i_;
        while (i_ < to_ && codes_.Class(i_) == CharClass::Coefficient && IsDigit(codes_.Char(i_)))
            part.digits += codes_.Char(i_++);
        s_.formula.push_back(std::move(part));
        return true;
    }

    bool Open(char ch)
    {
        if (!s_.particle.empty())
            return false;
        brackets_.push_back(ch == '(' ? ')' : ']');
        s_.formula.push_back({FormulaPart::Kind::Open, std::string(1, ch), {}});
        ++i_;
        return true;
    }

    // The bracket that matches the last one open, not straight after it, with its count.
    bool Close(char ch)
    {
        if (brackets_.empty() || brackets_.back() != ch || s_.formula.back().kind == FormulaPart::Kind::Open)
            return false;
        brackets_.pop_back();
        FormulaPart part{FormulaPart::Kind::Close, std::string(1, ch), {}};
        i_ = ReadCount(codes_, i_ + 1, to_, part.digits);
        s_.formula.push_back(std::move(part));
        return true;
    }

    // Digits and one sign, or a run of the same sign without digits ("Fe+++").
    bool Charge()
    {
        while (i_ < to_ && IsDigit(codes_.Char(i_)) && codes_.Class(i_) == CharClass::Charge)
            s_.charge += codes_.Char(i_++);
        if (!IsSign(codes_, i_))
            return false;
        const char sign = codes_.Char(i_);
        const bool digits = !s_.charge.empty();
        do
            s_.charge += codes_.Char(i_++);
        while (!digits && i_ < to_ && IsSign(codes_, i_) && codes_.Char(i_) == sign);
        return true;
    }

    // "(aq)": one state group, its text without the brackets.
    bool State()
    {
        const int start = i_;
        while (i_ < to_ && codes_.Class(i_) == CharClass::StateGroup)
            ++i_;
        if (!s_.state.empty() || i_ - start < 2)
            return false;
        s_.state = Cp1252ToUtf8(codes_.line.text.substr(start + 1, i_ - start - 2));
        return true;
    }

    const Codes& codes_;
    const int to_;
    Species& s_;
    int i_ = 0;
    std::vector<char> brackets_; // the closing bracket each open one expects
};

bool ParseSpecies(const Codes& codes, int from, int to, Species& s) { return SpeciesReader(codes, to, s).Read(from); }

// Reads the line itself, construct by construct: blanks and operators, arrows, quoted
// text, stacked pairs, and the words between them (species or text). The texts of its
// arrows (Windows-1252, one pair per arrow) are handed back unread, so that nested texts
// are read after this line's codes are gone.
class LineReader {
public:
    LineReader(const CEquationLine& line, std::vector<std::array<std::string, 2>>& texts)
        : line_(line), codes_(line), texts_(texts)
    {
        // The appended blank is not part of what was typed.
        n_ = codes_.size > 0 && codes_.Char(codes_.size - 1) == ' ' ? codes_.size - 1 : codes_.size;
    }

    ChemLine Read()
    {
        out_.sides.emplace_back();
        int i = 0;
        while (i < n_) {
            const CharClass c = codes_.Class(i);
            if (c == CharClass::Blank) {
                ++i;
            } else if (c == CharClass::PlusOperator) {
                plus_ = true;
                ++i;
            } else if (c == CharClass::ReactionArrowStart || c == CharClass::EquilibriumArrowStart) {
                i = ReadArrow(i);
            } else if (c == CharClass::QuoteOpen) {
                i = ReadQuote(i);
            } else if (c == CharClass::StackOpen) {
                i = ReadPair(i);
            } else {
                i = ReadWord(i);
            }
        }
        if (pendingPair_)
            AddText(std::string(), n_);
        return std::move(out_);
    }

private:
    // The end of the run from i + 1 whose classes `within` accepts.
    template <class Within>
    int RunEnd(int i, Within within) const
    {
        int j = i + 1;
        while (j < n_ && within(codes_.Class(j)))
            ++j;
        return j;
    }

    void Add(Item item)
    {
        item.plusBefore = plus_;
        plus_ = false;
        out_.sides.back().push_back(std::move(item));
    }

    // Text that is no species; a stacked pair waiting for its species goes in front.
    void AddText(std::string text, int position)
    {
        if (pendingPair_) {
            text = "{" + Cp1252ToUtf8(pairTop_) + "," + Cp1252ToUtf8(pairBottom_) + "}" + text;
            pendingPair_ = false;
        }
        Item item;
        item.opaque = Opaque{std::move(text), position};
        Add(std::move(item));
    }

    int ReadArrow(int i)
    {
        Arrow arrow;
        arrow.equilibrium = codes_.Class(i) == CharClass::EquilibriumArrowStart;
        arrow.position = i;
        const int j = RunEnd(i, [](CharClass k) {
            return k == CharClass::ArrowAbove || k == CharClass::ArrowBelow || k == CharClass::Separator;
        });
        const bool closed = j < n_ && codes_.Class(j) == CharClass::Closer;
        arrow.closed = closed;
        // An arrow never closed keeps its texts in the next slot without counting.
        const int slot = closed ? closedArrows_++ : line_.arrowCount;
        std::string above = Slot(line_.arrowAbove, slot), below = Slot(line_.arrowBelow, slot);
        // Running to the end of the line, the texts took in the appended blank.
        std::string& last = below.empty() ? above : below;
        if (!closed && !last.empty() && last.back() == ' ')
            last.pop_back();
        arrow.above = Cp1252ToUtf8(above);
        arrow.below = Cp1252ToUtf8(below);
        texts_.push_back({std::move(above), std::move(below)});
        out_.arrows.push_back(std::move(arrow));
        out_.sides.emplace_back();
        plus_ = false;
        pendingPair_ = false;
        return closed ? j + 1 : j;
    }

    int ReadQuote(int i)
    {
        int j = RunEnd(i, [](CharClass k) { return k == CharClass::Quoted; });
        if (j < n_ && codes_.Class(j) == CharClass::QuoteClose)
            ++j;
        AddText(ShownRange(codes_, i, j), i);
        return j;
    }

    // A closed pair waits for the species it stands in front of; an open one is text.
    int ReadPair(int i)
    {
        const int j = RunEnd(i, [](CharClass k) {
            return k == CharClass::StackTop || k == CharClass::Separator || k == CharClass::StackBottom;
        });
        if (j < n_ && codes_.Class(j) == CharClass::Closer) {
            pairTop_ = Slot(line_.stackTop, closedPairs_);
            pairBottom_ = Slot(line_.stackBottom, closedPairs_);
            ++closedPairs_;
            pendingPair_ = true;
            return j + 1;
        }
        AddText(Cp1252ToUtf8(line_.text.substr(i, j - i)), i);
        return j;
    }

    // A word up to the next blank, operator, arrow, quote or pair: a species, a state
    // group of the species before, a coefficient of a pair, or text.
    int ReadWord(int i)
    {
        const int j = RunEnd(i, [](CharClass k) { return !EndsToken(k); });
        if (StateStandingApart(i, j) || CoefficientOfPair(i, j))
            return j;
        Species s;
        s.position = i;
        if (!ParseSpecies(codes_, i, j, s)) {
            AddText(pendingCoefficient_ + ShownRange(codes_, i, j), i);
            pendingCoefficient_.clear();
            return j;
        }
        if (s.coefficient.empty())
            s.coefficient = pendingCoefficient_;
        pendingCoefficient_.clear();
        if (pendingPair_) {
            s.nuclide = true;
            s.massNumber = Cp1252ToUtf8(pairTop_);
            s.atomicNumber = Cp1252ToUtf8(pairBottom_);
            pendingPair_ = false;
        }
        Item item;
        item.isSpecies = true;
        item.species = std::move(s);
        Add(std::move(item));
        return j;
    }

    // "Ca(OH)2 (s)": a state group standing apart belongs to the species before.
    bool StateStandingApart(int i, int j)
    {
        std::vector<Item>& side = out_.sides.back();
        if (codes_.Class(i) != CharClass::StateGroup || plus_ || side.empty() || !side.back().isSpecies ||
            !side.back().species.state.empty() || pendingPair_)
            return false;
        int k = i;
        while (k < j && codes_.Class(k) == CharClass::StateGroup)
            ++k;
        if (k != j || j - i < 2)
            return false;
        side.back().species.state = Cp1252ToUtf8(line_.text.substr(i + 1, j - i - 2));
        return true;
    }

    // "3{1,0}n": a coefficient in front of a stacked pair.
    bool CoefficientOfPair(int i, int j)
    {
        if (j >= n_ || codes_.Class(j) != CharClass::StackOpen || pendingPair_)
            return false;
        int k = i;
        while (k < j && codes_.Class(k) == CharClass::Coefficient)
            ++k;
        if (k != j)
            return false;
        pendingCoefficient_ = line_.text.substr(i, j - i);
        return true;
    }

    const CEquationLine& line_;
    const Codes codes_;
    std::vector<std::array<std::string, 2>>& texts_;
    int n_ = 0;
    ChemLine out_;
    int closedArrows_ = 0, closedPairs_ = 0;
    bool plus_ = false;        // a "+" operator waits for the next item
    bool pendingPair_ = false; // a closed stacked pair waits for its species
    std::string pairTop_, pairBottom_, pendingCoefficient_;
};

ChemLine Read(const CEquationLine& line, std::vector<std::array<std::string, 2>>& texts)
{
    return LineReader(line, texts).Read();
}

// ---- Counting --------------------------------------------------------------------

bool ToNumber(const std::string& digits, std::int64_t& value, std::int64_t empty = 1)
{
    if (digits.empty()) {
        value = empty;
        return true;
    }
    std::size_t k = digits[0] == '-' ? 1 : 0;
    if (digits.size() == k || digits.size() - k > kMaxDigits)
        return false;
    std::int64_t v = 0;
    for (; k < digits.size(); ++k) {
        if (!IsDigit(digits[k]))
            return false;
        v = v * 10 + (digits[k] - '0');
    }
    value = digits[0] == '-' ? -v : v;
    return true;
}

using Counts = std::vector<std::pair<std::string, std::int64_t>>;

bool Add(Counts& counts, const std::string& key, std::int64_t amount)
{
    for (auto& [k, v] : counts)
        if (k == key)
            return !__builtin_add_overflow(v, amount, &v);
    counts.emplace_back(key, amount);
    return true;
}

bool Merge(Counts& into, const Counts& from, std::int64_t times)
{
    for (const auto& [k, v] : from) {
        std::int64_t product = 0;
        if (__builtin_mul_overflow(v, times, &product) || !Add(into, k, product))
            return false;
    }
    return true;
}

// Atoms of one formula unit; false on numbers too large.
bool FormulaAtoms(const std::vector<FormulaPart>& formula, Counts& atoms)
{
    std::vector<Counts> stack(1);
    std::int64_t hydrate = 1;
    auto closeUnit = [&]() {
        const bool ok = Merge(atoms, stack[0], hydrate);
        stack.assign(1, Counts{});
        return ok;
    };
    for (const FormulaPart& part : formula) {
        std::int64_t n = 0;
        if (!ToNumber(part.digits, n))
            return false;
        switch (part.kind) {
        case FormulaPart::Kind::Element:
            if (!Add(stack.back(), part.symbol, n))
                return false;
            break;
        case FormulaPart::Kind::Open:
            stack.emplace_back();
            break;
        case FormulaPart::Kind::Close: {
            if (stack.size() < 2)
                return false;
            Counts inner = std::move(stack.back());
            stack.pop_back();
            if (!Merge(stack.back(), inner, n))
                return false;
            break;
        }
        case FormulaPart::Kind::Hydrate:
            if (stack.size() != 1 || !closeUnit())
                return false;
            hydrate = n;
            break;
        }
    }
    return stack.size() == 1 && closeUnit();
}

std::int64_t ChargeValue(const std::string& charge, bool& ok)
{
    if (charge.empty())
        return 0;
    const int sign = charge.back() == '-' ? -1 : 1;
    std::size_t digits = 0;
    while (digits < charge.size() && IsDigit(charge[digits]))
        ++digits;
    std::int64_t magnitude = static_cast<std::int64_t>(charge.size() - digits);
    if (digits > 0) {
        ok = ok && ToNumber(charge.substr(0, digits), magnitude);
    }
    return sign * magnitude;
}

std::string Signed(std::int64_t v)
{
    return v > 0 ? "+" + std::to_string(v) : std::to_string(v);
}

// Text the user typed, in the language's quotation marks.
Phrase Quoted(const std::string& s)
{
    return Sentence(CHEM_PHRASE("chem", "“%1”"), {PlainText(s)});
}

Phrase Describe(const Item& item)
{
    return item.isSpecies ? Sentence(CHEM_PHRASE("chem", "a species")) : Quoted(item.opaque.text);
}

Phrase NotASpecies(Phrase what) { return Sentence(CHEM_PHRASE("chem", "%1 is not a species"), {std::move(what)}); }

struct SideSum {
    Counts atoms;        // or, on a nuclear line, "mass" and "atomic"
    std::int64_t charge = 0;
};

// Adds one side; returns why it cannot be checked, or nothing.
Phrase SumSide(const std::vector<Item>& side, bool nuclear, SideSum& sum)
{
    for (const Item& item : side) {
        if (!item.isSpecies) {
            if (item.opaque.text.empty())
                return Sentence(CHEM_PHRASE("chem", "a stacked pair stands before nothing"));
            return NotASpecies(Describe(item));
        }
        const Species& s = item.species;
        std::int64_t coefficient = 1;
        if (!ToNumber(s.coefficient, coefficient))
            return Sentence(CHEM_PHRASE("chem", "numbers too large"));
        bool ok = true;
        if (nuclear) {
            std::int64_t mass = 0, atomic = 0;
            if (s.nuclide) {
                ok = ToNumber(s.massNumber, mass, -1) && ToNumber(s.atomicNumber, atomic, -1) &&
                     !s.massNumber.empty() && !s.atomicNumber.empty();
                if (!ok)
                    return Sentence(CHEM_PHRASE("chem", "the stacked pair {%1,%2} is not two numbers"),
                                    {PlainText(s.massNumber), PlainText(s.atomicNumber)});
            } else if (s.IsElectron() || (s.particle == "e" && s.charge == "-")) {
                mass = 0;
                atomic = -1;
            } else {
                std::string name = s.particle;
                for (const FormulaPart& p : s.formula)
                    name += p.symbol + p.digits;
                return Sentence(CHEM_PHRASE("chem", "%1 has no mass and atomic numbers"), {PlainText(name)});
            }
            ok = Add(sum.atoms, "mass", mass * coefficient) && Add(sum.atoms, "atomic", atomic * coefficient);
        } else {
            if (!s.particle.empty() && !(s.particle == "e" && s.charge == "-"))
                return NotASpecies(Quoted(s.particle));
            Counts atoms;
            ok = FormulaAtoms(s.formula, atoms) && Merge(sum.atoms, atoms, coefficient);
            const std::int64_t charge = ChargeValue(s.charge, ok);
            std::int64_t product = 0;
            ok = ok && !__builtin_mul_overflow(charge, coefficient, &product) &&
                 !__builtin_add_overflow(sum.charge, product, &sum.charge);
        }
        if (!ok)
            return Sentence(CHEM_PHRASE("chem", "numbers too large"));
    }
    return {};
}

} // namespace

const Element* FindElement(const std::string& symbol)
{
    // Atomic numbers by initial, so a look-up compares a handful of symbols.
    static const std::vector<std::vector<int>> byInitial = [] {
        std::vector<std::vector<int>> table(26);
        for (int z = 1; z < kElementCount; ++z)
            table[kElements[z].symbol[0] - 'A'].push_back(z);
        return table;
    }();
    if (symbol.empty() || symbol.size() > 2 || !IsUpper(symbol[0]))
        return nullptr;
    for (int z : byInitial[symbol[0] - 'A'])
        if (symbol == kElements[z].symbol)
            return &kElements[z];
    return nullptr;
}

int AtomicNumber(const Element& element) { return static_cast<int>(&element - kElements); }

namespace {

ChemLine ReadNested(std::string cp1252, int depth);

// Arrow texts are lines of their own, read to the depth layout draws and no deeper: each
// level holds only its own texts, so time and memory stay linear in the line's length.
void ReadArrowTexts(ChemLine& out, std::vector<std::array<std::string, 2>>& texts, int depth)
{
    for (std::size_t k = 0; k < texts.size() && k < out.arrows.size(); ++k) {
        for (std::size_t side = 0; side < 2; ++side) {
            if (texts[k][side].empty())
                continue;
            if (depth >= kMaxArrowTextDepth) {
                out.unreadTexts = true;
                continue;
            }
            auto inner = std::make_shared<ChemLine>(ReadNested(std::move(texts[k][side]), depth + 1));
            out.unreadTexts = out.unreadTexts || inner->unreadTexts;
            (side == 0 ? out.arrows[k].aboveLine : out.arrows[k].belowLine) = std::move(inner);
        }
    }
}

ChemLine ReadNested(std::string cp1252, int depth)
{
    std::vector<std::array<std::string, 2>> texts;
    ChemLine out;
    {
        CEquationLine line;
        line.SetText(cp1252);
        cp1252 = std::string();
        out = Read(line, texts);
    }
    ReadArrowTexts(out, texts, depth);
    return out;
}

} // namespace

ChemLine ReadLine(const CEquationLine& line)
{
    std::vector<std::array<std::string, 2>> texts;
    ChemLine out = Read(line, texts);
    ReadArrowTexts(out, texts, 0);
    return out;
}

ChemLine ReadText(const std::string& cp1252) { return ReadNested(cp1252, 0); }

std::vector<ArrowCheck> CheckBalance(const ChemLine& line)
{
    std::vector<ArrowCheck> checks;
    bool nuclear = false;
    for (const auto& side : line.sides)
        for (const Item& item : side)
            nuclear = nuclear || (item.isSpecies && item.species.nuclide);
    for (std::size_t k = 0; k < line.arrows.size() && k + 1 < line.sides.size(); ++k) {
        ArrowCheck check;
        const auto& left = line.sides[k];
        const auto& right = line.sides[k + 1];
        SideSum l, r;
        if (line.unreadTexts) {
            check.said = Sentence(CHEM_PHRASE("chem", "arrow texts are nested more than %1 deep"),
                                  {PlainText(std::to_string(kMaxArrowTextDepth))});
        } else if (!line.arrows[k].closed) {
            check.said = Sentence(CHEM_PHRASE("chem", "the arrow is not closed"));
        } else if (left.empty() || right.empty()) {
            check.said = left.empty() ? Sentence(CHEM_PHRASE("chem", "nothing before the arrow"))
                                      : Sentence(CHEM_PHRASE("chem", "nothing after the arrow"));
        } else if (Phrase why = SumSide(left, nuclear, l); !why.Empty()) {
            check.said = std::move(why);
        } else if (Phrase why2 = SumSide(right, nuclear, r); !why2.Empty()) {
            check.said = std::move(why2);
        } else {
            // Elements in the order they first appear, left side first.
            Counts keys = l.atoms;
            for (const auto& [key, v] : r.atoms)
                Add(keys, key, 0);
            std::vector<Phrase> diff;
            for (const auto& [key, unused] : keys) {
                std::int64_t a = 0, b = 0;
                for (const auto& [k2, v] : l.atoms)
                    a = k2 == key ? v : a;
                for (const auto& [k2, v] : r.atoms)
                    b = k2 == key ? v : b;
                if (a == b)
                    continue;
                Phrase name = !nuclear          ? PlainText(key)
                              : key == "mass" ? Sentence(CHEM_PHRASE("chem", "mass number"))
                                              : Sentence(CHEM_PHRASE("chem", "atomic number"));
                diff.push_back(Sentence(CHEM_PHRASE("chem", "%1 %2 → %3"),
                                        {std::move(name), PlainText(std::to_string(a)), PlainText(std::to_string(b))}));
            }
            if (l.charge != r.charge)
                diff.push_back(Sentence(CHEM_PHRASE("chem", "charge %1 → %2"),
                                        {PlainText(Signed(l.charge)), PlainText(Signed(r.charge))}));
            check.verdict = diff.empty() ? ArrowCheck::Verdict::Balanced : ArrowCheck::Verdict::NotBalanced;
            check.said = JoinPhrases(CHEM_PHRASE("chem", "%1; %2"), std::move(diff));
        }
        check.detail = English(check.said);
        checks.push_back(std::move(check));
    }
    return checks;
}

Phrase BalancePhrase(const std::vector<ArrowCheck>& checks, ArrowCheck::Verdict* verdict)
{
    using V = ArrowCheck::Verdict;
    V worst = V::Balanced;
    for (const ArrowCheck& c : checks)
        if (c.verdict == V::NotBalanced || (c.verdict == V::CannotCheck && worst == V::Balanced))
            worst = c.verdict;
    if (verdict)
        *verdict = worst;
    if (checks.empty())
        return {};
    if (worst == V::Balanced)
        return Sentence(CHEM_PHRASE("chem", "balanced"));
    std::vector<Phrase> said;
    for (std::size_t k = 0; k < checks.size(); ++k) {
        if (checks[k].verdict != worst)
            continue;
        if (checks.size() > 1)
            said.push_back(Sentence(CHEM_PHRASE("chem", "arrow %1: %2"),
                                    {PlainText(std::to_string(k + 1)), checks[k].said}));
        else
            said.push_back(checks[k].said);
    }
    return Sentence(worst == V::NotBalanced ? CHEM_PHRASE("chem", "not balanced: %1")
                                            : CHEM_PHRASE("chem", "cannot check: %1"),
                    {JoinPhrases(CHEM_PHRASE("chem", "%1; %2"), std::move(said))});
}

std::string DescribeBalance(const std::vector<ArrowCheck>& checks, ArrowCheck::Verdict* verdict)
{
    return English(BalancePhrase(checks, verdict));
}

// ---- Hints -----------------------------------------------------------------------

namespace {

// The element table's reading of an all-lower-case word: the symbols it spells, or
// an unmatched letter on its own.
std::vector<std::string> SpelledSymbols(const std::string& word)
{
    const auto& table = CEquationLine::ElementSymbols();
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < word.size()) {
        const std::string one = word.substr(i, 1), two = word.substr(i, 2);
        std::size_t step = 1;
        std::string symbol = "?" + one;
        for (std::size_t e = 1; e < table.size(); ++e) {
            if (table[e].empty())
                continue;
            if (table[e] == one) {
                symbol = one;
                break;
            }
            if (two.size() == 2 && table[e] == two) {
                symbol = two;
                step = 2;
                break;
            }
        }
        out.push_back(symbol);
        i += step;
    }
    return out;
}

std::string Capitalised(std::string s)
{
    if (!s.empty() && IsLower(s[0]))
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

void WordHints(const Codes& codes, int n, std::vector<Phrase>& hints)
{
    int i = 0;
    while (i < n) {
        const CharClass c = codes.Class(i);
        if (!((c == CharClass::Ordinary || c == CharClass::ElementInitial) && IsLetter(codes.Char(i)))) {
            ++i;
            continue;
        }
        int j = i;
        bool marked = false;
        while (j < n && (codes.Class(j) == CharClass::Ordinary || codes.Class(j) == CharClass::ElementInitial) &&
               IsLower(codes.Char(j))) {
            marked = marked || codes.Class(j) == CharClass::ElementInitial;
            ++j;
        }
        const bool wholeWord = j >= n || !IsLetter(codes.Char(j));
        if (!marked || !wholeWord || j == i) {
            i = std::max(j, i + 1);
            continue;
        }
        const std::string word = codes.line.text.substr(i, j - i);
        const std::vector<std::string> symbols = SpelledSymbols(word);
        // Worth saying when another reading is at hand (a pair split into two symbols
        // that is itself one), when a letter spells nothing, or when a bare word of three
        // or more letters looks like a word rather than a formula.
        bool ambiguous = false, unknown = false;
        for (std::size_t k = 0; k < symbols.size(); ++k) {
            unknown = unknown || symbols[k][0] == '?' || !FindElement(Capitalised(symbols[k]));
            // Only elements up to uranium count as another reading: nobody writing "nh3"
            // means nihonium.
            const Element* pair = k + 1 < symbols.size() && symbols[k].size() == 1 && symbols[k + 1].size() == 1
                                      ? FindElement(Capitalised(symbols[k] + symbols[k + 1]))
                                      : nullptr;
            if (pair && AtomicNumber(*pair) <= kLastNaturalElement)
                ambiguous = true;
        }
        const bool bareWord = word.size() >= 3 && !IsDigit(codes.Char(j)) && codes.Class(j) != CharClass::Charge &&
                              codes.Class(j) != CharClass::MinusCharge;
        if (ambiguous || unknown || bareWord) {
            std::string reading;
            std::vector<Phrase> names;
            for (const std::string& s : symbols) {
                const std::string shown = s[0] == '?' ? s.substr(1) : Capitalised(s);
                reading += (reading.empty() ? "" : " ") + shown;
                if (const Element* e = FindElement(shown))
                    names.push_back(Sentence(e->name));
            }
            if (names.empty())
                hints.push_back(Sentence(CHEM_PHRASE("chem", "%1 is read as %2: type a capital letter to keep your own case"),
                                         {Quoted(word), PlainText(reading)}));
            else
                hints.push_back(
                    Sentence(CHEM_PHRASE("chem", "%1 is read as %2 (%3): type a capital letter to keep your own case"),
                             {Quoted(word), PlainText(reading), JoinPhrases(CHEM_PHRASE("chem", "%1, %2"), std::move(names))}));
        }
        i = j;
    }
}

// A charge hint quotes the formula it is about. A run without a break longer than any
// formula is none, and quoting it at each of its signs would take time and memory
// growing with the square of the line's length.
constexpr int kMaxHintFormula = 40;

// Where the species that holds position p starts, looking back at most `limit`
// characters: a start further back than that is returned as p - limit.
int TokenStart(const Codes& codes, int p, int limit)
{
    const int stop = std::max(0, p - limit);
    while (p > stop && !EndsToken(codes.Class(p - 1)) && codes.Class(p - 1) != CharClass::Coefficient)
        --p;
    return p;
}

std::string Superscript(const std::string& digitsAndSign)
{
    static const char* const kSup[] = {"\xE2\x81\xB0", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3", "\xE2\x81\xB4",
                                       "\xE2\x81\xB5", "\xE2\x81\xB6", "\xE2\x81\xB7", "\xE2\x81\xB8", "\xE2\x81\xB9"};
    std::string out;
    for (char c : digitsAndSign)
        out += IsDigit(c) ? kSup[c - '0'] : c == '+' ? "\xE2\x81\xBA" : c == '-' ? "\xE2\x81\xBB" : std::string(1, c);
    return out;
}

void ChargeHints(const Codes& codes, int n, std::vector<Phrase>& hints)
{
    for (int p = 1; p + 1 < n; ++p) {
        if (!IsDigit(codes.Char(p)) || !IsSign(codes, p + 1))
            continue;
        const int start = TokenStart(codes, p, kMaxHintFormula);
        if (p - start + 1 > kMaxHintFormula) // the formula through its last digit
            continue;
        const std::string formula = ShownRange(codes, start, p);
        const std::string typed = Cp1252ToUtf8(codes.line.text.substr(start, p + 2 - start));
        const std::string sign(1, codes.Char(p + 1));
        // Only a lone element ("H2+", "Al2+") looks like an ion the table might have held.
        std::string symbol;
        for (int k = start; k < p; ++k)
            if (codes.Class(k) != CharClass::Coefficient)
                symbol += codes.Shown(k);
        if (codes.Class(p) == CharClass::Subscript && FindElement(symbol)) {
            hints.push_back(Sentence(CHEM_PHRASE("chem", "%1 keeps its %2 as a subscript with charge %3: only the "
                                                         "listed ions (such as Fe3+) raise a single digit"),
                                     {Quoted(typed), PlainText(std::string(1, codes.Char(p))), PlainText(sign)}));
        } else if (codes.Class(p) == CharClass::Charge && IsDigit(codes.Char(p - 1)) &&
                   codes.Class(p - 1) == CharClass::FixedSubscript) {
            hints.push_back(Sentence(
                CHEM_PHRASE("chem", "%1 is read as %2 with charge %3: the last digit before a sign is the charge"),
                {Quoted(typed), PlainText(formula), PlainText(Superscript(std::string(1, codes.Char(p)) + sign))}));
        }
    }
}

void ClosingHints(const Codes& codes, int n, std::vector<Phrase>& hints)
{
    auto column = [](int p) { return PlainText(std::to_string(p + 1)); };
    for (int p = 0; p < n; ++p) {
        const CharClass c = codes.Class(p);
        if (c == CharClass::ReactionArrowStart || c == CharClass::EquilibriumArrowStart) {
            int j = p + 1;
            while (j < n && (codes.Class(j) == CharClass::ArrowAbove || codes.Class(j) == CharClass::ArrowBelow ||
                             codes.Class(j) == CharClass::Separator))
                ++j;
            const bool closed = j < n && codes.Class(j) == CharClass::Closer;
            const char opener = codes.Char(p);
            if (!closed)
                hints.push_back(
                    Sentence(CHEM_PHRASE("chem", "the arrow opened by %1 at column %2 is never closed: end it with %3"),
                             {Quoted(std::string(1, opener)), column(p), Quoted(">")}));
            // "x = 5": an equals sign between blanks reads as an arrow. A digit after it
            // is no sign of that: "=450`C>" is a temperature above the arrow.
            if (c == CharClass::ReactionArrowStart && (!closed || codes.Char(p + 1) == ' '))
                hints.push_back(Sentence(CHEM_PHRASE("chem", "%1 at column %2 opens a reaction arrow; for an equals "
                                                             "sign put it in quotes: %3"),
                                         {Quoted("="), column(p), Quoted("\"=\"")}));
            p = j;
        } else if (c == CharClass::QuoteOpen) {
            int j = p + 1;
            while (j < n && codes.Class(j) == CharClass::Quoted)
                ++j;
            if (j >= n || codes.Class(j) != CharClass::QuoteClose)
                hints.push_back(Sentence(
                    CHEM_PHRASE("chem", "the quote at column %1 is never closed: the rest of the line is drawn as typed"),
                    {column(p)}));
            p = j;
        } else if (c == CharClass::StackOpen) {
            int j = p + 1;
            while (j < n && (codes.Class(j) == CharClass::StackTop || codes.Class(j) == CharClass::Separator ||
                             codes.Class(j) == CharClass::StackBottom))
                ++j;
            if (j >= n || codes.Class(j) != CharClass::Closer)
                hints.push_back(
                    Sentence(CHEM_PHRASE("chem", "the brace at column %1 is never closed: end the pair with %2"),
                             {column(p), Quoted("}")}));
            p = j;
        }
    }
}

// `where` names the arrow text being looked into: "above arrow 2: %1" around the hint.
void CollectHints(const CEquationLine& line, const std::vector<Phrase>& where, int depth, std::vector<Phrase>& hints)
{
    const Codes codes(line);
    const int n = codes.size > 0 && codes.Char(codes.size - 1) == ' ' ? codes.size - 1 : codes.size;
    std::vector<Phrase> own;
    ClosingHints(codes, n, own);
    WordHints(codes, n, own);
    ChargeHints(codes, n, own);
    for (Phrase& h : own) {
        for (auto place = where.rbegin(); place != where.rend(); ++place) {
            Phrase around = *place;
            around.args.push_back(std::move(h));
            h = std::move(around);
        }
        hints.push_back(std::move(h));
    }
    // Arrow texts are lines of their own; each level is shorter, so this ends.
    if (depth > 8)
        return;
    for (int k = 0; k < line.arrowCount && static_cast<std::size_t>(k) < line.arrowAbove.size(); ++k) {
        for (const std::string* text : {&line.arrowAbove[k], &line.arrowBelow[k]}) {
            if (text->empty())
                continue;
            CEquationLine inner;
            inner.SetText(*text);
            std::vector<Phrase> inside = where;
            inside.push_back(Sentence(text == &line.arrowAbove[k] ? CHEM_PHRASE("chem", "above arrow %1: %2")
                                                                  : CHEM_PHRASE("chem", "below arrow %1: %2"),
                                      {PlainText(std::to_string(k + 1))}));
            CollectHints(inner, inside, depth + 1, hints);
        }
    }
}

} // namespace

std::vector<Phrase> ReadingHintPhrases(const CEquationLine& line)
{
    std::vector<Phrase> hints;
    CollectHints(line, {}, 0, hints);
    return hints;
}

std::vector<std::string> ReadingHints(const CEquationLine& line)
{
    std::vector<std::string> hints;
    for (const Phrase& h : ReadingHintPhrases(line))
        hints.push_back(English(h));
    return hints;
}

} // namespace chem
