#include "engine/ChemText.h"

#include <cstdint>

#include "engine/Cp1252.h"

namespace chem {
namespace {

const char* const kSup[] = {"\xE2\x81\xB0", "\xC2\xB9",     "\xC2\xB2",     "\xC2\xB3",     "\xE2\x81\xB4",
                            "\xE2\x81\xB5", "\xE2\x81\xB6", "\xE2\x81\xB7", "\xE2\x81\xB8", "\xE2\x81\xB9"};
const char* const kSub[] = {"\xE2\x82\x80", "\xE2\x82\x81", "\xE2\x82\x82", "\xE2\x82\x83", "\xE2\x82\x84",
                            "\xE2\x82\x85", "\xE2\x82\x86", "\xE2\x82\x87", "\xE2\x82\x88", "\xE2\x82\x89"};
const char* const kMinus = "\xE2\x88\x92";
const char* const kMiddleDot = "\xC2\xB7";

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

std::string kPlus(const Item&) { return " + "; }

const char* EquilibriumArrow(int style) { return style >= 2 ? "\xE2\x87\x8C" : "\xE2\x86\x94"; }

// ---- Unicode ---------------------------------------------------------------------

std::string SpeciesUnicode(const Species& s)
{
    std::string out = s.coefficient;
    if (s.nuclide)
        out += Script(s.massNumber, true) + Script(s.atomicNumber, false);
    for (const FormulaPart& p : s.formula)
        out += p.kind == FormulaPart::Kind::Hydrate ? kMiddleDot + p.digits : p.symbol + Script(p.digits, false);
    out += s.particle + Script(s.charge, true);
    if (!s.state.empty())
        out += "(" + s.state + ")";
    return out;
}

// The sides with their arrows between; `plus(previous)` says the operator between items.
template <class PlusText, class ItemText, class ArrowText>
std::string JoinLine(const ChemLine& line, PlusText plus, ItemText item, ArrowText arrow)
{
    std::string out;
    for (std::size_t k = 0; k < line.sides.size(); ++k) {
        if (k > 0) {
            if (!out.empty())
                out += ' ';
            out += arrow(line.arrows[k - 1]);
        }
        for (std::size_t i = 0; i < line.sides[k].size(); ++i) {
            const Item& it = line.sides[k][i];
            if (!out.empty())
                out += i > 0 && it.plusBefore ? plus(line.sides[k][i - 1]) : " ";
            else if (it.plusBefore)
                out += plus(it).substr(1); // a line that starts with the operator
            out += item(it);
        }
    }
    return out;
}

// ---- Speech ----------------------------------------------------------------------

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

// Opaque text as a reader should say it: the degree sign, delta and nu in words.
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

std::string SpeciesSpeech(const Species& s)
{
    std::string out;
    out.reserve(32);
    auto word = [&out](const std::string& w) {
        if (!out.empty())
            out += ' ';
        out += w;
    };
    word(s.coefficient);
    const bool many = !s.coefficient.empty() && s.coefficient != "1";
    if (s.particle == "e" && s.charge == "-" && !s.nuclide) {
        word(many ? "electrons" : "electron");
        return out;
    }
    static const std::string kWords[] = {"open paren", "open bracket", "close paren", "close bracket", "dot"};
    for (const FormulaPart& p : s.formula) {
        switch (p.kind) {
        case FormulaPart::Kind::Element: word(p.symbol); break;
        case FormulaPart::Kind::Open: word(kWords[p.symbol == "(" ? 0 : 1]); break;
        case FormulaPart::Kind::Close: word(kWords[p.symbol == ")" ? 2 : 3]); break;
        case FormulaPart::Kind::Hydrate: word(kWords[4]); break;
        }
        if (!p.digits.empty())
            word(p.digits);
    }
    if (s.particle == "n")
        word(many ? "neutrons" : "neutron");
    else if (s.particle == "p")
        word(many ? "protons" : "proton");
    else if (!s.particle.empty())
        word(s.particle);
    if (s.nuclide)
        out += " with mass number " + s.massNumber + " and atomic number " + s.atomicNumber;
    if (!s.charge.empty()) {
        out += !out.empty() && IsDigit(out.back()) ? ", " : " ";
        out += SpokenCharge(s.charge);
    }
    if (!s.state.empty()) {
        out += ' ';
        out += SpokenState(s.state);
    }
    return out;
}

std::string ArrowSpeech(const Arrow& a)
{
    std::string out = a.equilibrium ? "is in equilibrium with" : "yields";
    if (a.aboveLine)
        out += " over " + SpeechText(*a.aboveLine);
    if (a.belowLine)
        out += std::string(a.aboveLine ? "," : "") + " under " + SpeechText(*a.belowLine);
    if (a.aboveLine || a.belowLine)
        out += ",";
    return out;
}

// ---- MathML ----------------------------------------------------------------------

std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : XmlSafeUtf8(s)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

void AppendMn(std::string& out, const std::string& digits)
{
    if (!digits.empty() && digits[0] == '-') {
        out += "<mrow><mo>";
        out += kMinus;
        out += "</mo><mn>";
        out += Escape(digits.substr(1));
        out += "</mn></mrow>";
        return;
    }
    out += "<mn>";
    out += Escape(digits);
    out += "</mn>";
}

void AppendCharge(std::string& out, const std::string& charge)
{
    out += "<mrow>";
    std::size_t k = 0;
    if (k < charge.size() && IsDigit(charge[k])) {
        out += "<mn>";
        while (k < charge.size() && IsDigit(charge[k]))
            out += charge[k++];
        out += "</mn>";
    }
    for (; k < charge.size(); ++k) {
        out += "<mo>";
        out += charge[k] == '-' ? kMinus : "+";
        out += "</mo>";
    }
    out += "</mrow>";
}

void AppendSpecies(std::string& out, const Species& s)
{
    out += "<mrow>";
    if (!s.coefficient.empty()) {
        out += "<mn>";
        out += s.coefficient;
        out += "</mn>";
    }
    if (s.nuclide)
        out += "<mmultiscripts><mrow>";
    // Each piece is a base with an optional subscript; the charge joins the last.
    const std::size_t pieces = s.formula.size() + (s.particle.empty() ? 0 : 1);
    for (std::size_t k = 0; k < pieces; ++k) {
        const bool isParticle = k == s.formula.size();
        const FormulaPart* p = isParticle ? nullptr : &s.formula[k];
        const std::string& sub = isParticle || p->kind == FormulaPart::Kind::Hydrate ? std::string() : p->digits;
        const bool charged = k + 1 == pieces && !s.charge.empty();
        const char* wrapper = charged ? (sub.empty() ? "msup" : "msubsup") : (sub.empty() ? nullptr : "msub");
        if (wrapper)
            out += std::string("<") + wrapper + ">";
        if (isParticle || p->kind == FormulaPart::Kind::Element) {
            out += "<mi mathvariant=\"normal\">";
            out += isParticle ? s.particle : p->symbol;
            out += "</mi>";
        } else if (p->kind == FormulaPart::Kind::Hydrate) {
            out += "<mo>";
            out += kMiddleDot;
            out += "</mo>";
            if (!p->digits.empty()) {
                out += "<mn>";
                out += p->digits;
                out += "</mn>";
            }
        } else {
            out += "<mo stretchy=\"false\">";
            out += p->symbol;
            out += "</mo>";
        }
        if (!sub.empty())
            AppendMn(out, sub);
        if (charged)
            AppendCharge(out, s.charge);
        if (wrapper)
            out += std::string("</") + wrapper + ">";
    }
    if (s.nuclide) {
        out += "</mrow><mprescripts/>";
        AppendMn(out, s.atomicNumber);
        AppendMn(out, s.massNumber);
        out += "</mmultiscripts>";
    }
    if (!s.state.empty()) {
        out += "<mo stretchy=\"false\">(</mo><mi mathvariant=\"normal\">";
        out += Escape(s.state);
        out += "</mi><mo stretchy=\"false\">)</mo>";
    }
    out += "</mrow>";
}

void AppendRow(std::string& out, const ChemLine& line, int style);

void AppendArrow(std::string& out, const Arrow& a, int style)
{
    const char* wrapper = a.aboveLine && a.belowLine ? "munderover" : a.aboveLine ? "mover" : a.belowLine ? "munder" : nullptr;
    if (wrapper)
        out += std::string("<") + wrapper + ">";
    out += "<mo stretchy=\"true\">";
    out += a.equilibrium ? EquilibriumArrow(style) : "\xE2\x86\x92";
    out += "</mo>";
    if (a.belowLine)
        AppendRow(out, *a.belowLine, style);
    if (a.aboveLine)
        AppendRow(out, *a.aboveLine, style);
    if (wrapper)
        out += std::string("</") + wrapper + ">";
}

void AppendRow(std::string& out, const ChemLine& line, int style)
{
    out += "<mrow>";
    for (std::size_t k = 0; k < line.sides.size(); ++k) {
        if (k > 0)
            AppendArrow(out, line.arrows[k - 1], style);
        for (std::size_t i = 0; i < line.sides[k].size(); ++i) {
            const Item& it = line.sides[k][i];
            if (it.plusBefore)
                out += "<mo>+</mo>";
            else if (i > 0)
                out += "<mspace width=\"0.25em\"/>";
            if (it.isSpecies) {
                AppendSpecies(out, it.species);
            } else {
                out += "<mtext>";
                out += Escape(it.opaque.text);
                out += "</mtext>";
            }
        }
    }
    out += "</mrow>";
}

// ---- mhchem ----------------------------------------------------------------------

// Text that mhchem should set as it stands.
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

std::string SpeciesMhchem(const Species& s)
{
    // "3 ^{1}_{0}n": without the blank mhchem would raise the coefficient.
    std::string out = s.coefficient + (s.nuclide && !s.coefficient.empty() ? " " : "");
    if (s.nuclide)
        out += "^{" + MhchemEscape(s.massNumber) + "}_{" + MhchemEscape(s.atomicNumber) + "}";
    for (const FormulaPart& p : s.formula)
        out += (p.kind == FormulaPart::Kind::Hydrate ? "*" : p.symbol) + p.digits;
    out += s.particle;
    if (!s.charge.empty())
        out += "^{" + s.charge + "}";
    if (!s.state.empty())
        out += "(" + MhchemEscape(s.state) + ")";
    return out;
}

std::string MhchemBody(const ChemLine& line, int style);

std::string ArrowMhchem(const Arrow& a, int style)
{
    std::string out = a.equilibrium ? (style >= 2 ? "<=>" : "<->") : "->";
    if (a.aboveLine || a.belowLine)
        out += "[" + (a.aboveLine ? MhchemBody(*a.aboveLine, style) : std::string()) + "]";
    if (a.belowLine)
        out += "[" + MhchemBody(*a.belowLine, style) + "]";
    return out;
}

std::string MhchemBody(const ChemLine& line, int style)
{
    return JoinLine(
        line, kPlus,
        [](const Item& it) {
            return it.isSpecies ? SpeciesMhchem(it.species) : "\\text{" + MhchemEscape(it.opaque.text) + "}";
        },
        [style](const Arrow& a) { return ArrowMhchem(a, style); });
}

bool HasArrow(const std::vector<ChemLine>& lines)
{
    for (const ChemLine& l : lines)
        if (!l.arrows.empty())
            return true;
    return false;
}

const char* Intent(bool equation) { return equation ? ":chemical-equation" : ":chemical-formula"; }

} // namespace

std::string UnicodeText(const ChemLine& line, int style)
{
    return JoinLine(
        line, kPlus, [](const Item& it) { return it.isSpecies ? SpeciesUnicode(it.species) : it.opaque.text; },
        [style](const Arrow& a) {
            std::string out = a.equilibrium ? EquilibriumArrow(style) : "\xE2\x86\x92";
            // Plain text cannot stack the texts: they follow in brackets.
            if (a.aboveLine || a.belowLine)
                out += "[" + (a.aboveLine ? UnicodeText(*a.aboveLine, style) : std::string()) + "]";
            if (a.belowLine)
                out += "[" + UnicodeText(*a.belowLine, style) + "]";
            return out;
        });
}

std::string SpeechText(const ChemLine& line)
{
    // After a charge the operator is set off, so "Na plus, plus Cl minus" is heard as two ions.
    std::string said = JoinLine(
        line,
        [](const Item& previous) {
            return std::string(previous.isSpecies && !previous.species.charge.empty() ? ", plus " : " plus ");
        },
        [](const Item& it) { return it.isSpecies ? SpeciesSpeech(it.species) : SpokenText(it.opaque.text); },
        ArrowSpeech);
    // An arrow with texts that ends the line leaves the pause it keeps before what follows.
    if (!said.empty() && said.back() == ',')
        said.pop_back();
    return said;
}

std::string MathMLRow(const ChemLine& line, int style)
{
    std::string out;
    AppendRow(out, line, style);
    return out;
}

std::string MhchemText(const ChemLine& line, int style) { return "\\ce{" + MhchemBody(line, style) + "}"; }

std::string UnicodeText(const std::vector<ChemLine>& lines, int style)
{
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k)
        out += (k ? "\n" : "") + UnicodeText(lines[k], style);
    return out;
}

std::string SpeechText(const std::vector<ChemLine>& lines)
{
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k)
        out += (k ? ". " : "") + SpeechText(lines[k]);
    return out;
}

std::string MathMLDocument(const std::vector<ChemLine>& lines, int style)
{
    std::string out = std::string("<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\" intent=\"") +
                      Intent(HasArrow(lines)) + "\">";
    if (lines.size() == 1) {
        out += MathMLRow(lines[0], style);
    } else {
        out += "<mtable columnalign=\"left\">";
        for (const ChemLine& l : lines) {
            std::string row = MathMLRow(l, style);
            row.insert(5, std::string(" intent=\"") + Intent(!l.arrows.empty()) + "\"");
            out += "<mtr><mtd>" + row + "</mtd></mtr>";
        }
        out += "</mtable>";
    }
    return out + "</math>";
}

std::string MhchemText(const std::vector<ChemLine>& lines, int style)
{
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k)
        out += (k ? "\n" : "") + MhchemText(lines[k], style);
    return out;
}

} // namespace chem
