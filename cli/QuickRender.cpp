#include "cli/QuickRender.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "config/IniStore.h"
#include "config/SafeWrite.h"
#include "document/LineEnds.h"
#include "engine/ChemModel.h"
#include "engine/ChemText.h"
#include "engine/Cp1252.h"
#include "engine/EquationOptions.h"
#include "svg/SvgPicture.h"

namespace cli {
namespace {

enum class QuickFormat { None, Svg, Text, Speech, MathML, Mhchem };

QuickFormat FromName(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "svg")
        return QuickFormat::Svg;
    if (name == "text")
        return QuickFormat::Text;
    if (name == "speech")
        return QuickFormat::Speech;
    if (name == "mathml")
        return QuickFormat::MathML;
    if (name == "mhchem")
        return QuickFormat::Mhchem;
    return QuickFormat::None;
}

QuickFormat FromPath(const std::string& path)
{
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.' || dot == 0 || path[dot - 1] == '/')
        return QuickFormat::None;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "svg" ? QuickFormat::Svg
           : ext == "txt" ? QuickFormat::Text
           : ext == "mml" ? QuickFormat::MathML
           : ext == "tex" ? QuickFormat::Mhchem
                          : QuickFormat::None;
}

bool WholeNumber(const std::string& text, int minimum, int maximum, int& value)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        text.size() > 6)
        return false;
    value = std::atoi(text.c_str());
    return value >= minimum && value <= maximum;
}

bool EndsWithMv2(const std::string& s)
{
    if (s.size() < 4)
        return false;
    std::string tail = s.substr(s.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".mv2";
}

} // namespace

std::optional<int> QuickRender(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> text, output;
    QuickFormat format = QuickFormat::None;
    int margin = 0, fontHeight = 0;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        const bool hasValue = i + 1 < argv.size();
        if ((a == "-o" || a == "--output") && hasValue && !output && !argv[i + 1].empty()) {
            output = argv[++i];
        } else if (a == "--format" && hasValue && format == QuickFormat::None) {
            format = FromName(argv[++i]);
            if (format == QuickFormat::None)
                return std::nullopt;
        } else if (a == "--margin" && hasValue) {
            if (!WholeNumber(argv[++i], 0, 1000, margin))
                return std::nullopt;
        } else if (a == "--font-height" && hasValue) {
            if (!WholeNumber(argv[++i], 1, 2000, fontHeight))
                return std::nullopt;
        } else if (!a.empty() && a[0] != '-' && !text && !EndsWithMv2(a)) {
            text = a;
        } else {
            return std::nullopt;
        }
    }
    if (!text || !output)
        return std::nullopt;
    if (format == QuickFormat::None)
        format = FromPath(*output);
    // One line only: how several lines are split is the document's business.
    const std::string line = Utf8ToCp1252(*text);
    if (format == QuickFormat::None || line.empty() || line.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;

    CEquationOptions options;
    options.Define();
    CIniStore store;
    store.SetCompany("Tamrel");
    store.SetFileName("MLV2");
    store.SetLocation(0);
    options.Load(store);
    KVLogFontTBD font = options.font.Get();
    if (fontHeight)
        font.lf.lfHeight = -fontHeight;

    std::string bytes;
    const int style = options.equilibriumArrow.Get();
    const std::vector<chem::ChemLine> readings{chem::ReadText(line)};
    switch (format) {
    case QuickFormat::Svg: {
        if (!HasBuiltinMetrics(font))
            return std::nullopt;
        const SvgPicture picture = RenderSvgPicture({line}, options, font, SvgPictureSettings{margin, false});
        if (picture.svg.empty())
            return std::nullopt; // the whole renderer says why
        bytes = picture.svg;
        break;
    }
    case QuickFormat::Text: bytes = chem::UnicodeText(readings, style) + "\n"; break;
    case QuickFormat::Speech: bytes = chem::SpeechText(readings) + "\n"; break;
    case QuickFormat::MathML: bytes = chem::MathMLDocument(readings, style) + "\n"; break;
    case QuickFormat::Mhchem: bytes = chem::MhchemText(readings, style) + "\n"; break;
    case QuickFormat::None: return std::nullopt;
    }

    if (*output == "-") {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            err << "molvex2-render: standard output: write error\n";
            return 1;
        }
        return 0;
    }
    if (auto reason = WriteFileSafely(*output, bytes)) {
        err << "molvex2-render: " << *output << ": " << *reason << "\n";
        return 1;
    }
    return 0;
}

} // namespace cli
