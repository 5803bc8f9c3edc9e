#include "cli/QuickRender.h"

#include "cli/OutputFormats.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "config/IniStore.h"
#include "config/SafeWrite.h"
#include "document/LineEnds.h"
#include "engine/ChemModel.h"
#include "engine/Cp1252.h"
#include "engine/EquationOptions.h"
#include "svg/SvgPicture.h"

namespace cli {
namespace {

bool WholeNumber(const std::string& text, int minimum, int maximum, int& value)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); }) ||
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

struct QuickArgs {
    std::string text; // one line, Windows-1252
    std::string output;
    Format format = Format::None;
    int margin = 0, fontHeight = 0;
};

// The command when it is one this path takes: one line of text to SVG or a text form.
std::optional<QuickArgs> ParseQuick(const std::vector<std::string>& argv)
{
    std::optional<std::string> text, output;
    Format format = Format::None;
    int margin = 0, fontHeight = 0;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        const bool hasValue = i + 1 < argv.size();
        if ((a == "-o" || a == "--output") && hasValue && !output && !argv[i + 1].empty()) {
            output = argv[++i];
        } else if (a == "--format" && hasValue && format == Format::None) {
            format = FormatFromName(argv[++i]);
            if (format == Format::None)
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
    if (format == Format::None)
        format = FormatFromPath(*output);
    // One line only: how several lines are split is the document's business.
    const std::string line = Utf8ToCp1252(*text);
    if ((format != Format::Svg && !IsTextForm(format)) || line.empty() || line.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    return QuickArgs{line, *output, format, margin, fontHeight};
}

// "-" is standard output.
int WriteOut(const std::string& output, const std::string& bytes, std::ostream& out, std::ostream& err)
{
    if (output == "-") {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            err << "molvex2-render: standard output: write error\n";
            return 1;
        }
        return 0;
    }
    if (auto reason = WriteFileSafely(output, bytes)) {
        err << "molvex2-render: " << output << ": " << *reason << "\n";
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> QuickRender(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err)
{
    const std::optional<QuickArgs> args = ParseQuick(argv);
    if (!args)
        return std::nullopt;

    CEquationOptions options;
    options.Define();
    CIniStore store;
    store.SetCompany("Tamrel");
    store.SetFileName("MLV2");
    store.SetLocation(0);
    options.Load(store);
    KVEquationFont font = options.font.Get();
    if (args->fontHeight)
        font.lf.lfHeight = -args->fontHeight;

    std::string bytes;
    const int style = options.equilibriumArrow.Get();
    if (IsTextForm(args->format)) {
        bytes = TextFormOf(args->format, {chem::ReadText(args->text)}, style);
    } else {
        if (!HasBuiltinMetrics(font))
            return std::nullopt;
        const SvgPicture picture = RenderSvgPicture({args->text}, options, font, SvgPictureSettings{args->margin, false});
        if (picture.svg.empty())
            return std::nullopt; // the whole renderer says why
        bytes = picture.svg;
    }

    return WriteOut(args->output, bytes, out, err);
}

} // namespace cli
