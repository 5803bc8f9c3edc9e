#include "web/Api.h"

#include <algorithm>
#include <cstring>

#include "config/IniStore.h"
#include "document/LineEnds.h"
#include "engine/ChemModel.h"
#include "engine/ChemStarMath.h"
#include "engine/ChemText.h"
#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "engine/Explain.h"
#include "svg/SvgPicture.h"

namespace web {
namespace {

constexpr const char* kTooLarge = "the text is too large for an equation";

const char* VerdictName(chem::ArrowCheck::Verdict v)
{
    switch (v) {
    case chem::ArrowCheck::Verdict::Balanced:
        return "balanced";
    case chem::ArrowCheck::Verdict::NotBalanced:
        return "not balanced";
    default:
        return "cannot check";
    }
}

} // namespace

Result<std::vector<std::string>> SplitEquation(const std::string& utf8)
{
    if (utf8.size() > kMaxTextBytes)
        return Result<std::vector<std::string>>::Fail(kTooLarge);
    std::string text = NormalizeLineEnds(Utf8ToCp1252(utf8));
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        if (lines.size() == static_cast<std::size_t>(kEquationLines))
            return Result<std::vector<std::string>>::Fail("more than 20 lines");
        start = end + 2;
    }
    return {std::move(lines), {}};
}

Result<CEquationOptions> OptionsFromEntries(const std::vector<std::pair<std::string, std::string>>& entries)
{
    CEquationOptions options;
    CIniStore store;
    for (const auto& entry : entries) {
        const std::string& name = entry.first;
        const std::string& value = entry.second;
        bool known = false;
        CEquationOptions::VisitEach([&](auto& option) { known = known || option.Key() == name; }, options);
        if (!known)
            return Result<CEquationOptions>::Fail("unknown option '" + name + "'");
        // A value with a line break would end the entry early in a file too.
        if (!store.SetString("Options", name, Utf8ToCp1252(value), true))
            return Result<CEquationOptions>::Fail("option '" + name + "' has a line break in its value");
    }
    CEquationOptions::VisitEach([&](auto& option) {
        if (!store.GetString("Options", option.Key()).empty())
            option.Load(store);
    }, options);
    return {std::move(options), {}};
}

std::vector<std::pair<std::string, std::string>> OptionEntries(const CEquationOptions& options)
{
    CEquationOptions copy = options;
    CIniStore store;
    copy.SaveEntries(store);
    std::vector<std::pair<std::string, std::string>> entries;
    CEquationOptions::VisitEach([&](auto& option) {
        entries.emplace_back(option.Key(), Cp1252ToUtf8(store.GetString("Options", option.Key())));
    }, copy);
    return entries;
}

std::vector<LineVerdict> Check(const std::vector<std::string>& lines)
{
    std::vector<LineVerdict> verdicts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        chem::ArrowCheck::Verdict verdict{};
        std::string said = chem::DescribeBalance(chem::CheckBalance(chem::ReadText(lines[i])), &verdict);
        if (!said.empty())
            verdicts.push_back({static_cast<int>(i + 1), VerdictName(verdict), std::move(said)});
    }
    return verdicts;
}

std::vector<LineHint> Hints(const std::vector<std::string>& lines)
{
    std::vector<LineHint> hints;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        CEquationLine line;
        line.SetText(lines[i]);
        for (std::string& hint : chem::ReadingHints(line))
            hints.push_back({static_cast<int>(i + 1), std::move(hint)});
    }
    return hints;
}

Result<std::string> Format(const std::vector<std::string>& lines, const std::string& kind, const CEquationOptions& options)
{
    std::vector<chem::ChemLine> readings;
    for (const std::string& text : lines)
        if (!text.empty())
            readings.push_back(chem::ReadText(text));
    if (readings.empty())
        return Result<std::string>::Fail("nothing to typeset");
    using Lines = std::vector<chem::ChemLine>;
    // The forms the command line's --format writes as text, under the same names.
    static const struct {
        const char* name;
        std::string (*write)(const Lines&, int style);
    } kForms[] = {
        {"text", [](const Lines& l, int style) { return chem::UnicodeText(l, style); }},
        {"speech", [](const Lines& l, int) { return chem::SpeechText(l); }},
        {"mathml", [](const Lines& l, int style) { return chem::MathMLDocument(l, style); }},
        {"mhchem", [](const Lines& l, int style) { return chem::MhchemText(l, style); }},
        {"starmath", [](const Lines& l, int style) { return chem::StarMathText(l, style); }},
    };
    for (const auto& form : kForms)
        if (kind == form.name)
            return {form.write(readings, options.equilibriumArrow.Get()), {}};
    return Result<std::string>::Fail("unknown format '" + kind + "' (text, speech, mathml, mhchem or starmath)");
}

Result<Picture> RenderSvg(const std::vector<std::string>& lines, const CEquationOptions& options)
{
    // A picture of nothing is a mistake in the input, as for the command line.
    if (std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); }))
        return Result<Picture>::Fail("nothing to typeset");
    const KVEquationFont font = options.font.Get();
    if (!HasBuiltinMetrics(font))
        return Result<Picture>::Fail("the font '" + Cp1252ToUtf8(std::string(font.lf.lfFaceName, strnlen(font.lf.lfFaceName, sizeof font.lf.lfFaceName))) +
                                     "' is not available here (Arial, Times New Roman, Courier New or Liberation "
                                     "Sans, Serif or Mono, regular or bold)");
    SvgPicture picture = RenderSvgPicture(lines, options, font);
    if (picture.svg.empty())
        return Result<Picture>::Fail(picture.error.empty() ? "the picture could not be made" : picture.error);
    return {Picture{std::move(picture.svg), picture.width, picture.height, picture.lowering}, {}};
}

Result<std::string> Explain(const std::string& utf8)
{
    if (utf8.size() > kMaxTextBytes)
        return Result<std::string>::Fail(kTooLarge);
    if (utf8.find_first_of("\r\n") != std::string::npos)
        return Result<std::string>::Fail("explain takes one line");
    CEquationLine line;
    line.SetText(Utf8ToCp1252(utf8));
    std::string out = ExplainLine(line) + ExplainPositions(line);
    for (const std::string& hint : chem::ReadingHints(line))
        out += "hint: " + hint + "\n";
    return {std::move(out), {}};
}

} // namespace web
