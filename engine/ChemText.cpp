// The written-out forms of a reading, from one walk over it. Each construct (a formula
// piece, a particle, a charge, a state, a nuclide's numbers, a species, text that is no
// species, an operator, an arrow with its texts) says in one function how it reads in
// every form. MathML is built as a tree of elements and serialised once.
#include "engine/ChemText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "engine/Cp1252.h"

namespace chem {
namespace {

const char* const kSup[] = {"\xE2\x81\xB0", "\xC2\xB9",     "\xC2\xB2",     "\xC2\xB3",     "\xE2\x81\xB4",
                            "\xE2\x81\xB5", "\xE2\x81\xB6", "\xE2\x81\xB7", "\xE2\x81\xB8", "\xE2\x81\xB9"};
const char* const kSub[] = {"\xE2\x82\x80", "\xE2\x82\x81", "\xE2\x82\x82", "\xE2\x82\x83", "\xE2\x82\x84",
                            "\xE2\x82\x85", "\xE2\x82\x86", "\xE2\x82\x87", "\xE2\x82\x88", "\xE2\x82\x89"};
const char* const kMinus = "\xE2\x88\x92";
const char* const kMiddleDot = "\xC2\xB7";
const char* const kRightArrow = "\xE2\x86\x92";

const char* EquilibriumArrow(int style) { return style >= 2 ? "\xE2\x87\x8C" : "\xE2\x86\x94"; }

// ---- Helpers of single forms -----------------------------------------------------

// Unicode: digits and signs as super- or subscript characters.
std::string Script(const std::string& s, bool super)
{
    std::string out;
    for (char c : s) {
        if (IsDigit(c))
            out += (super ? kSup : kSub)[c - '0'];
        else if (c == '+')
            out += super ? "\xE2\x81\xBA" : "\xE2\x82\x8A";
        else if (c == '-')
            out += super ? "\xE2\x81\xBB" : "\xE2\x82\x8B";
        else
            out += c;
    }
    return out;
}

// Speech: "2-" as "2 minus", "+++" as "3 plus".
std::string SpokenCharge(const std::string& charge)
{
    if (charge.empty())
        return {};
    const bool minus = charge.back() == '-';
    std::string digits;
    for (char c : charge)
        if (IsDigit(c))
            digits += c;
    if (digits.empty() && charge.size() > 1)
        digits = std::to_string(charge.size());
    return (digits.empty() ? "" : digits + " ") + (minus ? "minus" : "plus");
}

std::string SpokenState(const std::string& state)
{
    if (state == "aq")
        return "aqueous";
    if (state == "s")
        return "solid";
    if (state == "l")
        return "liquid";
    if (state == "g")
        return "gas";
    return state;
}

// Speech: opaque text as a reader should say it, the degree sign, delta and nu in words.
std::string SpokenText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        auto starts = [&](const char* s) { return text.compare(i, std::char_traits<char>::length(s), s) == 0; };
        std::string word;
        std::size_t len = 1;
        if (starts("\xC2\xB0"))
            word = "degrees", len = 2;
        else if (starts("\xCE\x94"))
            word = "delta", len = 2;
        else if (starts("\xCE\xBD\xCC\x84"))
            word = "nu bar", len = 4;
        else if (starts("\xCE\xBD"))
            word = "nu", len = 2;
        if (word.empty()) {
            out += text[i];
        } else {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
            out += word + ' ';
        }
        i += len;
    }
    std::string collapsed;
    for (char c : out)
        if (c != ' ' || (!collapsed.empty() && collapsed.back() != ' '))
            collapsed += c;
    while (!collapsed.empty() && collapsed.back() == ' ')
        collapsed.pop_back();
    return collapsed;
}

// Speech: words separated by one blank.
void Word(std::string& out, const std::string& w)
{
    if (!out.empty())
        out += ' ';
    out += w;
}

// mhchem: text that it should set as it stands.
std::string MhchemEscape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '\\': out += "\\textbackslash{}"; break;
        case '{': case '}': case '$': case '%': case '#': case '&': case '_':
            out += '\\';
            out += c;
            break;
        case '^': out += "\\textasciicircum{}"; break;
        case '~': out += "\\textasciitilde{}"; break;
        default: out += c;
        }
    }
    return out;
}

// StarMath: a quoted string, set upright as text. Inside one, \" is a quote; a backslash
// cannot be written (it would take the closing quote), so the reverse solidus operator
// that looks like it stands in. LibreOffice keeps the formula in XML, which cannot hold
// control characters.
std::string StarQuoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : XmlSafeUtf8(s)) {
        if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\xE2\xA7\xB5";
        else
            out += c;
    }
    return out + "\"";
}

// StarMath: a script, digits as a number, anything else ("-1", "2-") as text with a
// true minus.
std::string StarScript(const std::string& s)
{
    bool digits = !s.empty();
    for (char c : s)
        digits = digits && IsDigit(c);
    if (digits)
        return s;
    std::string text;
    for (char c : s)
        text += c == '-' ? std::string(kMinus) : std::string(1, c);
    return StarQuoted(text);
}

// ---- MathML elements -------------------------------------------------------------

// Attributes are written as they stand (` stretchy="false"`): they are all fixed.
struct Node {
    std::string_view tag;
    std::string_view attributes;
    std::string text; // character data, escaped when written
    std::vector<Node> children;
    bool empty = false; // written as <tag/>
};

Node MathElement(std::string_view tag, std::string_view attributes = {})
{
    Node n;
    n.tag = tag;
    n.attributes = attributes;
    return n;
}

// `parent` with `child` added.
Node With(Node parent, Node child)
{
    if (parent.children.empty())
        parent.children.reserve(4); // what most elements hold, in one allocation
    parent.children.push_back(std::move(child));
    return parent;
}

Node Leaf(std::string_view tag, std::string text, std::string_view attributes = {})
{
    Node n = MathElement(tag, attributes);
    n.text = std::move(text);
    return n;
}

Node Identifier(std::string text) { return Leaf("mi", std::move(text), " mathvariant=\"normal\""); }
Node Fence(std::string text) { return Leaf("mo", std::move(text), " stretchy=\"false\""); }

// A number; a leading minus is an operator before it.
Node Number(const std::string& digits)
{
    if (!digits.empty() && digits[0] == '-')
        return With(With(MathElement("mrow"), Leaf("mo", kMinus)), Leaf("mn", digits.substr(1)));
    return Leaf("mn", digits);
}

void Escaped(std::string& out, const std::string& s)
{
    // Most texts are symbols and digits, which XML carries as they are.
    const bool plain = std::all_of(s.begin(), s.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>' && c != '"';
    });
    if (plain) {
        out += s;
        return;
    }
    for (char c : XmlSafeUtf8(s)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
}

// Room for a line's MathML, which is mostly markup, so that serialising rarely grows it.
constexpr std::size_t kMathBytesPerLine = 2048;

void Serialise(const Node& n, std::string& out)
{
    out += '<';
    out += n.tag;
    out += n.attributes;
    if (n.empty) {
        out += "/>";
        return;
    }
    out += '>';
    Escaped(out, n.text);
    for (const Node& child : n.children)
        Serialise(child, out);
    out += "</";
    out += n.tag;
    out += '>';
}

// ---- The walk --------------------------------------------------------------------

// A line being written in one form. The linear forms write into `text`; MathML adds
// elements to `row`.
struct LineOut {
    Form form = Form::Unicode;
    int style = 1;
    std::string text;
    Node row = MathElement("mrow");
};

LineOut WriteLine(const ChemLine& line, Form form, int style);

// A species being written. MathML gathers its pieces and StarMath its chunks (symbols up
// to a count), so that the charge can join the last and a nuclide's numbers the first.
struct SpeciesOut {
    Form form = Form::Unicode;
    std::string text;
    // MathML: the species' row, and the formula's pieces, each a base with an optional
    // count; the last piece starts at `lastPiece`.
    Node row = MathElement("mrow");
    std::vector<Node> formula;
    std::size_t lastPiece = 0;
    bool lastCounted = false;
    std::vector<std::string> chunks;
    std::string pending, starTail; // StarMath: symbols waiting for a count; the state
};

// MathML: a piece of the formula, its count as a subscript.
void AddPiece(SpeciesOut& out, Node base, const std::string& count)
{
    out.lastPiece = out.formula.size();
    out.lastCounted = !count.empty();
    out.formula.push_back(count.empty() ? std::move(base) : With(With(MathElement("msub"), std::move(base)), Number(count)));
}

void FlushChunk(SpeciesOut& out, const std::string& count)
{
    if (out.pending.empty() && count.empty())
        return;
    out.chunks.push_back((out.pending.empty() ? std::string("{}") : StarQuoted(out.pending)) +
                         (count.empty() ? "" : "_" + StarScript(count)));
    out.pending.clear();
}

void Coefficient(SpeciesOut& out, const Species& s)
{
    switch (out.form) {
    case Form::Unicode:
    case Form::StarMath: out.text += s.coefficient; break;
    case Form::Speech: Word(out.text, s.coefficient); break;
    case Form::MathML:
        if (!s.coefficient.empty())
            out.row.children.push_back(Leaf("mn", s.coefficient));
        break;
    case Form::Mhchem:
        // "3 ^{1}_{0}n": without the blank mhchem would raise the coefficient.
        out.text += s.coefficient + (s.nuclide && !s.coefficient.empty() ? " " : "");
        break;
    }
}

// A nuclide's mass and atomic numbers: left scripts, ahead of the formula in the linear
// forms and around it in MathML and StarMath; in speech, words after it. MathML's
// formula joins the species here, with or without them.
enum class NuclidePlace { BeforeFormula, AfterFormula, AfterCharge };

void Nuclide(SpeciesOut& out, const Species& s, NuclidePlace place)
{
    if (out.form == Form::MathML && place == NuclidePlace::AfterCharge) {
        // The formula, charge and all, joins the species' row, in the scripts if any.
        if (!s.nuclide) {
            for (Node& n : out.formula)
                out.row.children.push_back(std::move(n));
            return;
        }
        Node formula = MathElement("mrow");
        formula.children = std::move(out.formula);
        Node prescripts = MathElement("mprescripts");
        prescripts.empty = true;
        Node scripts = With(With(MathElement("mmultiscripts"), std::move(formula)), std::move(prescripts));
        out.row.children.push_back(With(With(std::move(scripts), Number(s.atomicNumber)), Number(s.massNumber)));
        return;
    }
    if (!s.nuclide)
        return;
    switch (out.form) {
    case Form::Unicode:
        if (place == NuclidePlace::BeforeFormula)
            out.text += Script(s.massNumber, true) + Script(s.atomicNumber, false);
        break;
    case Form::Mhchem:
        if (place == NuclidePlace::BeforeFormula)
            out.text += "^{" + MhchemEscape(s.massNumber) + "}_{" + MhchemEscape(s.atomicNumber) + "}";
        break;
    case Form::Speech:
        if (place == NuclidePlace::AfterFormula)
            out.text += " with mass number " + s.massNumber + " and atomic number " + s.atomicNumber;
        break;
    case Form::StarMath:
        if (place == NuclidePlace::AfterCharge)
            out.chunks.front() = "{" + out.chunks.front() + "} lsup " + StarScript(s.massNumber) + " lsub " +
                                 StarScript(s.atomicNumber);
        break;
    case Form::MathML: break; // above
    }
}

void Part(SpeciesOut& out, const FormulaPart& p)
{
    const bool hydrate = p.kind == FormulaPart::Kind::Hydrate;
    switch (out.form) {
    case Form::Unicode: out.text += hydrate ? kMiddleDot + p.digits : p.symbol + Script(p.digits, false); break;
    case Form::Mhchem: out.text += (hydrate ? "*" : p.symbol) + p.digits; break;
    case Form::Speech: {
        static const std::string kWords[] = {"open paren", "open bracket", "close paren", "close bracket", "dot"};
        switch (p.kind) {
        case FormulaPart::Kind::Element: Word(out.text, p.symbol); break;
        case FormulaPart::Kind::Open: Word(out.text, kWords[p.symbol == "(" ? 0 : 1]); break;
        case FormulaPart::Kind::Close: Word(out.text, kWords[p.symbol == ")" ? 2 : 3]); break;
        case FormulaPart::Kind::Hydrate: Word(out.text, kWords[4]); break;
        }
        if (!p.digits.empty())
            Word(out.text, p.digits);
        break;
    }
    case Form::MathML:
        if (p.kind == FormulaPart::Kind::Element) {
            AddPiece(out, Identifier(p.symbol), p.digits);
        } else if (hydrate) {
            // The water's coefficient is part of the piece, no count.
            AddPiece(out, Leaf("mo", kMiddleDot), {});
            if (!p.digits.empty())
                out.formula.push_back(Leaf("mn", p.digits));
        } else {
            AddPiece(out, Fence(p.symbol), p.digits);
        }
        break;
    case Form::StarMath:
        // "SO4": the symbols up to a count form one string with that count as subscript.
        if (hydrate) {
            FlushChunk(out, {});
            out.chunks.push_back(p.digits.empty() ? "cdot" : "cdot " + p.digits);
        } else {
            out.pending += p.symbol;
            if (!p.digits.empty())
                FlushChunk(out, p.digits);
        }
        break;
    }
}

// The particle letter, which ends the formula.
void Particle(SpeciesOut& out, const Species& s)
{
    const bool many = !s.coefficient.empty() && s.coefficient != "1";
    switch (out.form) {
    case Form::Unicode:
    case Form::Mhchem: out.text += s.particle; break;
    case Form::Speech:
        if (s.particle == "n")
            Word(out.text, many ? "neutrons" : "neutron");
        else if (s.particle == "p")
            Word(out.text, many ? "protons" : "proton");
        else if (!s.particle.empty())
            Word(out.text, s.particle);
        break;
    case Form::MathML:
        if (!s.particle.empty())
            AddPiece(out, Identifier(s.particle), {});
        break;
    case Form::StarMath:
        out.pending += s.particle;
        FlushChunk(out, {});
        if (out.chunks.empty())
            out.chunks.push_back("{}");
        break;
    }
}

// MathML: "2-" as a number and operators.
Node ChargeNode(const std::string& charge)
{
    Node row = MathElement("mrow");
    row.children.reserve(charge.size());
    std::size_t k = 0;
    std::string digits;
    while (k < charge.size() && IsDigit(charge[k]))
        digits += charge[k++];
    if (!digits.empty())
        row.children.push_back(Leaf("mn", digits));
    for (; k < charge.size(); ++k)
        row.children.push_back(Leaf("mo", charge[k] == '-' ? kMinus : "+"));
    return row;
}

void Charge(SpeciesOut& out, const std::string& charge)
{
    if (charge.empty())
        return;
    switch (out.form) {
    case Form::Unicode: out.text += Script(charge, true); break;
    case Form::Speech:
        out.text += !out.text.empty() && IsDigit(out.text.back()) ? ", " : " ";
        out.text += SpokenCharge(charge);
        break;
    case Form::MathML: {
        // The last piece takes the charge as a superscript, after its count if any.
        if (out.formula.empty())
            break;
        if (out.lastCounted) {
            out.formula.back().tag = "msubsup";
            out.formula.back().children.push_back(ChargeNode(charge));
            break;
        }
        Node sup = MathElement("msup");
        for (std::size_t k = out.lastPiece; k < out.formula.size(); ++k)
            sup.children.push_back(std::move(out.formula[k]));
        sup.children.push_back(ChargeNode(charge));
        out.formula.resize(out.lastPiece);
        out.formula.push_back(std::move(sup));
        break;
    }
    case Form::Mhchem: out.text += "^{" + charge + "}"; break;
    case Form::StarMath: out.chunks.back() += "^" + StarScript(charge); break;
    }
}

void State(SpeciesOut& out, const std::string& state)
{
    if (state.empty())
        return;
    switch (out.form) {
    case Form::Unicode: out.text += "(" + state + ")"; break;
    case Form::Speech: out.text += ' ' + SpokenState(state); break;
    case Form::MathML:
        out.row.children.push_back(Fence("("));
        out.row.children.push_back(Identifier(state));
        out.row.children.push_back(Fence(")"));
        break;
    case Form::Mhchem: out.text += "(" + MhchemEscape(state) + ")"; break;
    case Form::StarMath: out.starTail = " " + StarQuoted("(" + state + ")"); break;
    }
}

void WriteSpecies(LineOut& line, const Species& s)
{
    SpeciesOut out;
    out.form = line.form;
    if (out.form == Form::MathML) {
        out.row.children.reserve(s.formula.size() + 5);
        out.formula.reserve(s.formula.size() + 1);
    }
    Coefficient(out, s);
    if (out.form == Form::Speech && s.particle == "e" && s.charge == "-" && !s.nuclide) {
        // A free electron is one word.
        Word(out.text, !s.coefficient.empty() && s.coefficient != "1" ? "electrons" : "electron");
        line.text += out.text;
        return;
    }
    Nuclide(out, s, NuclidePlace::BeforeFormula);
    for (const FormulaPart& p : s.formula)
        Part(out, p);
    Particle(out, s);
    Nuclide(out, s, NuclidePlace::AfterFormula);
    Charge(out, s.charge);
    Nuclide(out, s, NuclidePlace::AfterCharge);
    State(out, s.state);
    if (line.form == Form::MathML) {
        line.row.children.push_back(std::move(out.row));
    } else if (line.form == Form::StarMath) {
        for (const std::string& c : out.chunks)
            out.text += (out.text.empty() ? "" : " ") + c;
        line.text += out.text + out.starTail;
    } else {
        line.text += out.text;
    }
}

// Text that is no species.
void WriteOpaque(LineOut& line, const std::string& text)
{
    switch (line.form) {
    case Form::Unicode: line.text += text; break;
    case Form::Speech: line.text += SpokenText(text); break;
    case Form::MathML: line.row.children.push_back(Leaf("mtext", text)); break;
    case Form::Mhchem: line.text += "\\text{" + MhchemEscape(text) + "}"; break;
    case Form::StarMath: line.text += StarQuoted(text); break;
    }
}

// The operator of the linear forms after `previous`. After a charge speech sets it off,
// so "Na plus, plus Cl minus" is heard as two ions.
const char* Plus(Form form, const Item& previous)
{
    if (form != Form::Speech)
        return " + ";
    return previous.isSpecies && !previous.species.charge.empty() ? ", plus " : " plus ";
}

// What stands before item i of a side: the operator, or the space between two items.
void WriteBetween(LineOut& line, const std::vector<Item>& side, std::size_t i)
{
    const Item& it = side[i];
    switch (line.form) {
    case Form::MathML:
        if (it.plusBefore) {
            line.row.children.push_back(Leaf("mo", "+"));
        } else if (i > 0) {
            Node space = MathElement("mspace", " width=\"0.25em\"");
            space.empty = true;
            line.row.children.push_back(std::move(space));
        }
        break;
    case Form::StarMath:
        if (i > 0)
            line.text += it.plusBefore ? " + " : " ~ ";
        else if (it.plusBefore)
            line.text += "+ ";
        break;
    default:
        if (!line.text.empty())
            line.text += i > 0 && it.plusBefore ? Plus(line.form, side[i - 1]) : " ";
        else if (it.plusBefore)
            line.text += Plus(line.form, it) + 1; // a line that starts with the operator
        break;
    }
}

// An arrow with its texts, which are lines of their own.
void WriteArrow(LineOut& line, const Arrow& a)
{
    const int style = line.style;
    auto nested = [&](const std::shared_ptr<const ChemLine>& text) { return WriteLine(*text, line.form, style); };
    switch (line.form) {
    case Form::Unicode:
    case Form::Mhchem: {
        const bool unicode = line.form == Form::Unicode;
        line.text += a.equilibrium ? (unicode ? EquilibriumArrow(style) : style >= 2 ? "<=>" : "<->")
                                   : (unicode ? kRightArrow : "->");
        // Plain text cannot stack the texts: they follow in brackets, as in mhchem.
        if (a.aboveLine || a.belowLine)
            line.text += "[" + (a.aboveLine ? nested(a.aboveLine).text : std::string()) + "]";
        if (a.belowLine)
            line.text += "[" + nested(a.belowLine).text + "]";
        break;
    }
    case Form::Speech:
        line.text += a.equilibrium ? "is in equilibrium with" : "yields";
        if (a.aboveLine)
            line.text += " over " + nested(a.aboveLine).text;
        if (a.belowLine)
            line.text += std::string(a.aboveLine ? "," : "") + " under " + nested(a.belowLine).text;
        if (a.aboveLine || a.belowLine)
            line.text += ",";
        break;
    case Form::MathML: {
        Node arrow = Leaf("mo", a.equilibrium ? EquilibriumArrow(style) : kRightArrow, " stretchy=\"true\"");
        if (!a.aboveLine && !a.belowLine) {
            line.row.children.push_back(std::move(arrow));
            break;
        }
        Node stacked = With(MathElement(a.aboveLine && a.belowLine ? "munderover" : a.aboveLine ? "mover" : "munder"),
                            std::move(arrow));
        if (a.belowLine)
            stacked.children.push_back(std::move(nested(a.belowLine).row));
        if (a.aboveLine)
            stacked.children.push_back(std::move(nested(a.aboveLine).row));
        line.row.children.push_back(std::move(stacked));
        break;
    }
    case Form::StarMath:
        line.text += a.equilibrium ? "{" + StarQuoted(EquilibriumArrow(style)) + "}" : "toward";
        if (a.aboveLine)
            line.text += " csup {" + nested(a.aboveLine).text + "}";
        if (a.belowLine)
            line.text += " csub {" + nested(a.belowLine).text + "}";
        break;
    }
}

// The sides with their arrows between. StarMath sets each side in braces when there are
// arrows, so that an arrow at either end of a line still has its operands.
LineOut WriteLine(const ChemLine& line, Form form, int style)
{
    LineOut out;
    out.form = form;
    out.style = style;
    const bool braces = form == Form::StarMath && !line.arrows.empty();
    if (form == Form::MathML) {
        std::size_t nodes = line.arrows.size();
        for (const std::vector<Item>& side : line.sides)
            nodes += 2 * side.size();
        out.row.children.reserve(nodes);
    }
    for (std::size_t k = 0; k < line.sides.size(); ++k) {
        if (k > 0) {
            if (form == Form::StarMath)
                out.text += ' ';
            else if (form != Form::MathML && !out.text.empty())
                out.text += ' ';
            WriteArrow(out, line.arrows[k - 1]);
            if (form == Form::StarMath)
                out.text += ' ';
        }
        if (braces)
            out.text += '{';
        const std::vector<Item>& side = line.sides[k];
        for (std::size_t i = 0; i < side.size(); ++i) {
            WriteBetween(out, side, i);
            if (side[i].isSpecies)
                WriteSpecies(out, side[i].species);
            else
                WriteOpaque(out, side[i].opaque.text);
        }
        if (braces)
            out.text += '}';
    }
    // An arrow with texts that ends the line leaves the pause it keeps before what follows.
    if (form == Form::Speech && !out.text.empty() && out.text.back() == ',')
        out.text.pop_back();
    return out;
}

bool HasArrow(const std::vector<ChemLine>& lines)
{
    for (const ChemLine& l : lines)
        if (!l.arrows.empty())
            return true;
    return false;
}

const char* Intent(bool equation)
{
    return equation ? " intent=\":chemical-equation\"" : " intent=\":chemical-formula\"";
}

} // namespace

std::string Written(const ChemLine& line, Form form, int style)
{
    LineOut out = WriteLine(line, form, style);
    if (form == Form::MathML) {
        std::string xml;
        xml.reserve(kMathBytesPerLine);
        Serialise(out.row, xml);
        return xml;
    }
    if (form == Form::Mhchem)
        return "\\ce{" + out.text + "}";
    return std::move(out.text);
}

std::string UnicodeText(const ChemLine& line, int style) { return Written(line, Form::Unicode, style); }
std::string SpeechText(const ChemLine& line) { return Written(line, Form::Speech, 1); }
std::string MathMLRow(const ChemLine& line, int style) { return Written(line, Form::MathML, style); }
std::string MhchemText(const ChemLine& line, int style) { return Written(line, Form::Mhchem, style); }

std::string Written(const std::vector<ChemLine>& lines, Form form, int style)
{
    if (form == Form::MathML)
        return MathMLDocument(lines, style);
    const char* separator = form == Form::Speech ? ". " : form == Form::StarMath ? " newline " : "\n";
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k)
        out += (k ? separator : "") + Written(lines[k], form, style);
    return out;
}

std::string UnicodeText(const std::vector<ChemLine>& lines, int style) { return Written(lines, Form::Unicode, style); }
std::string SpeechText(const std::vector<ChemLine>& lines) { return Written(lines, Form::Speech, 1); }
std::string MhchemText(const std::vector<ChemLine>& lines, int style) { return Written(lines, Form::Mhchem, style); }

std::string MathMLDocument(const std::vector<ChemLine>& lines, int style)
{
#define MOLVEX_MATH " xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\""
    Node math = MathElement("math", HasArrow(lines) ? MOLVEX_MATH " intent=\":chemical-equation\""
                                                    : MOLVEX_MATH " intent=\":chemical-formula\"");
#undef MOLVEX_MATH
    if (lines.size() == 1) {
        math.children.push_back(std::move(WriteLine(lines[0], Form::MathML, style).row));
    } else {
        Node table = MathElement("mtable", " columnalign=\"left\"");
        for (const ChemLine& l : lines) {
            Node row = std::move(WriteLine(l, Form::MathML, style).row);
            row.attributes = Intent(!l.arrows.empty());
            table.children.push_back(With(MathElement("mtr"), With(MathElement("mtd"), std::move(row))));
        }
        math.children.push_back(std::move(table));
    }
    std::string xml;
    xml.reserve(kMathBytesPerLine * lines.size());
    Serialise(math, xml);
    return xml;
}

} // namespace chem
