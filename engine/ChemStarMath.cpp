#include "engine/ChemStarMath.h"

#include "engine/Cp1252.h"

namespace chem {
namespace {

const char* const kMinus = "\xE2\x88\x92";

bool AllDigits(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A quoted string, set upright as text. Inside one, \" is a quote; a backslash
// cannot be written (it would take the closing quote), so the reverse solidus
// operator that looks like it stands in.
std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    // LibreOffice keeps the formula in XML, which cannot hold control characters.
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

// A script: digits as a number, anything else ("-1", "2-") as text with a true minus.
std::string Script(const std::string& s)
{
    if (AllDigits(s))
        return s;
    std::string text;
    for (char c : s)
        text += c == '-' ? std::string(kMinus) : std::string(1, c);
    return Quoted(text);
}

// "SO4": the symbols up to a count form one string with that count as subscript.
std::string Species(const Species& s)
{
    std::vector<std::string> chunks;
    std::string pending;
    auto flush = [&](const std::string& sub) {
        if (pending.empty() && sub.empty())
            return;
        chunks.push_back((pending.empty() ? std::string("{}") : Quoted(pending)) + (sub.empty() ? "" : "_" + Script(sub)));
        pending.clear();
    };
    for (const FormulaPart& p : s.formula) {
        if (p.kind == FormulaPart::Kind::Hydrate) {
            flush({});
            chunks.push_back(p.digits.empty() ? "cdot" : "cdot " + p.digits);
            continue;
        }
        pending += p.symbol;
        if (!p.digits.empty())
            flush(p.digits);
    }
    pending += s.particle;
    flush({});
    if (chunks.empty())
        chunks.push_back("{}");
    if (!s.charge.empty())
        chunks.back() += "^" + Script(s.charge);
    if (s.nuclide)
        chunks.front() = "{" + chunks.front() + "} lsup " + Script(s.massNumber) + " lsub " + Script(s.atomicNumber);
    std::string out = s.coefficient;
    for (const std::string& c : chunks)
        out += (out.empty() ? "" : " ") + c;
    if (!s.state.empty())
        out += " " + Quoted("(" + s.state + ")");
    return out;
}

std::string Body(const ChemLine& line, int style);

std::string ArrowForm(const Arrow& a, int style)
{
    std::string out = a.equilibrium ? "{" + Quoted(style >= 2 ? "\xE2\x87\x8C" : "\xE2\x86\x94") + "}" : "toward";
    if (a.aboveLine)
        out += " csup {" + Body(*a.aboveLine, style) + "}";
    if (a.belowLine)
        out += " csub {" + Body(*a.belowLine, style) + "}";
    return out;
}

std::string Side(const std::vector<Item>& items)
{
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += items[i].plusBefore ? " + " : " ~ ";
        else if (items[i].plusBefore)
            out += "+ ";
        out += items[i].isSpecies ? Species(items[i].species) : Quoted(items[i].opaque.text);
    }
    return out;
}

// Sides in braces, so that an arrow at either end of a line still has its operands.
std::string Body(const ChemLine& line, int style)
{
    if (line.arrows.empty())
        return line.sides.empty() ? std::string() : Side(line.sides[0]);
    std::string out;
    for (std::size_t k = 0; k < line.sides.size(); ++k) {
        if (k > 0)
            out += " " + ArrowForm(line.arrows[k - 1], style) + " ";
        out += "{" + Side(line.sides[k]) + "}";
    }
    return out;
}

} // namespace

std::string StarMathText(const ChemLine& line, int style) { return Body(line, style); }

std::string StarMathText(const std::vector<ChemLine>& lines, int style)
{
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k)
        out += (k ? " newline " : "") + StarMathText(lines[k], style);
    return out;
}

} // namespace chem
