#include "cli/RenderTool.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include "config/IniStore.h"
#include "document/AppState.h"
#include "document/InputLimits.h"
#include "document/LineEnds.h"
#include "document/EquationText.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "document/SrvrItem.h"
#include "engine/ChemModel.h"
#include "engine/ChemText.h"
#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/Explain.h"
#include "molvex/Version.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "svg/SvgPicture.h"

namespace cli {
namespace {

constexpr int kMaxFontHeight = 2000;
// A lines file holds at most 20 short lines; anything this large is not one.
constexpr std::uintmax_t kMaxLinesFileBytes = 1 << 20;
// More inputs than this get a progress line.
constexpr std::size_t kProgressThreshold = 10;

bool EndsWithNoCase(const std::string& s, const std::string& suffix)
{
    if (s.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - suffix.size() + i])) !=
            std::tolower(static_cast<unsigned char>(suffix[i])))
            return false;
    return true;
}

bool ParseInt(const std::string& text, int minimum, int maximum, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < minimum || v > maximum)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseDouble(const std::string& text, double minimum, double maximum, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < minimum || v > maximum)
        return false;
    value = v;
    return true;
}

// The entry text of the document from UTF-8 lines: CR LF, LF and a lone CR each end
// a line.
std::string EntryTextFromUtf8(const std::string& utf8, int* lineCount)
{
    std::string text = NormalizeLineEnds(Utf8ToCp1252(utf8));
    // A final line end ends the last line; it does not start another.
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    if (lineCount) {
        int lines = 1;
        for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2))
            ++lines;
        *lineCount = lines;
    }
    return text;
}

std::optional<std::string> ReadLinesSource(const std::string& path, std::string& reason)
{
    std::string data;
    if (path == "-") {
        std::istreambuf_iterator<char> it(std::cin), end;
        while (it != end) {
            if (data.size() >= kMaxLinesFileBytes) {
                reason = "too large for an equation";
                return std::nullopt;
            }
            data.push_back(*it++);
        }
        return data;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "cannot open " + path + ": " + std::strerror(EISDIR);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = std::string("cannot open ") + path + ": " + std::strerror(errno ? errno : ENOENT);
        return std::nullopt;
    }
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (data.size() > kMaxLinesFileBytes) {
            reason = "too large for an equation";
            return std::nullopt;
        }
    }
    if (in.bad()) {
        reason = "read error";
        return std::nullopt;
    }
    return data;
}

std::string DisplayName(const Input& input)
{
    if (input.kind == Input::Kind::Text)
        return "\"" + input.value + "\"";
    if (input.value == "-")
        return "standard input";
    return input.value;
}

// The output name for an input in --out-dir mode: the input's name with the format's
// extension.
std::string OutputNameFor(const Input& input, Format format)
{
    std::string stem = input.value == "-" ? std::string("stdin") : std::filesystem::path(input.value).stem().string();
    if (stem.empty())
        stem = "equation";
    return stem + "." + FormatExtension(format);
}


class Tool {
public:
    Tool(const Args& args, std::ostream& out, std::ostream& err) : m_args(args), m_out(out), m_err(err) {}

    int Run()
    {
        MolvexAppState app;
        app.options.Load(app.mainStore);
        m_userOptions = app.options;

        const bool batch = !m_args.outDir.empty();
        if (batch) {
            std::error_code ec;
            std::filesystem::create_directories(m_args.outDir, ec);
            if (!std::filesystem::is_directory(m_args.outDir)) {
                Fail(m_args.outDir, ec ? ec.message() : "not a folder");
                return kExitFailed;
            }
        }
        const std::size_t total = m_args.inputs.size();
        // A terminal sees every batch's progress; a log only that of long ones.
        const bool tty = isatty(STDERR_FILENO) != 0;
        const bool progress = batch && (tty || total > kProgressThreshold);
        int failures = 0;
        for (std::size_t k = 0; k < total; ++k) {
            const Input& input = m_args.inputs[k];
            if (progress && tty) {
                m_err << "\rmolvex2-render: " << (k + 1) << "/" << total << std::flush;
                m_midLine = true;
            }
            if (!Process(input, batch))
                ++failures;
            if (progress && !tty && ((k + 1) % kProgressThreshold == 0 || k + 1 == total))
                m_err << "molvex2-render: " << (k + 1) << "/" << total << " done\n";
        }
        if (m_midLine)
            m_err << "\n";
        return failures ? kExitFailed : kExitOk;
    }

private:
    void Say(const std::string& message)
    {
        // A message starts a line of its own after the progress count.
        if (m_midLine)
            m_err << "\n";
        m_midLine = false;
        m_err << "molvex2-render: " << message << "\n";
    }
    void Fail(const std::string& name, const std::string& reason) { Say(name + ": " + reason); }

    bool Process(const Input& input, bool batch)
    {
        MolvexAppState app;
        app.options = m_userOptions;
        CMolvexDoc doc(app);

        switch (input.kind) {
        case Input::Kind::Text:
            doc.SetEquationText(EntryTextFromUtf8(input.value, nullptr));
            break;
        case Input::Kind::LinesFile: {
            std::string reason;
            auto data = ReadLinesSource(input.value, reason);
            if (!data) {
                if (reason.rfind("cannot open ", 0) == 0)
                    Say(reason);
                else
                    Fail(DisplayName(input), reason);
                return false;
            }
            int lines = 0;
            std::string text = EntryTextFromUtf8(*data, &lines);
            if (lines > kEquationLines) {
                Fail(DisplayName(input), "more than 20 lines");
                return false;
            }
            doc.SetEquationText(text);
            break;
        }
        case Input::Kind::Document: {
            DocResult result = doc.OpenFile(input.value);
            if (!result.ok) {
                if (result.reason.empty())
                    Fail(DisplayName(input), result.message);
                else
                    Say("cannot open " + input.value + ": " + result.reason);
                return false;
            }
            break;
        }
        }
        // The font is the user's; a document brings its own option values only.
        if (m_args.fontHeight)
            app.options.font.value.lf.lfHeight = -*m_args.fontHeight;

        if (m_args.measure) {
            auto screen = CreateScreenDC();
            const EquationMetrics m = doc.MeasureEquation(*screen);
            if (batch)
                m_out << DisplayName(input) << ": ";
            m_out << "width=" << m.size.cx << " height=" << m.size.cy << " depth=" << m.firstLine.depth
                  << " lowering=" << m.lowering << " amount=" << LoweringAmount(m) << "\n";
        }

        std::string path = m_args.output;
        Format format = m_args.format;
        if (batch) {
            if (format == Format::None)
                format = Format::Png;
            path = (std::filesystem::path(m_args.outDir) / OutputNameFor(input, format)).string();
        } else if (!path.empty() && format == Format::None) {
            format = FormatFromPath(path);
        }
        if (path.empty())
            return true;
        // A picture of nothing is a mistake in the input, not a result.
        const auto& lines = doc.Lines().texts;
        if (format != Format::Mv2 && std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); })) {
            Fail(DisplayName(input), "nothing to typeset");
            return false;
        }
        return Write(doc, format, path);
    }

    bool Write(CMolvexDoc& doc, Format format, const std::string& path)
    {
        if (IsTextForm(format)) {
            const int style = doc.App().options.equilibriumArrow.Get();
            std::string text = format == Format::Text     ? EquationUnicodeText(doc, style)
                               : format == Format::Speech ? EquationSpeech(doc)
                               : format == Format::MathML ? EquationMathML(doc, style)
                               : format == Format::Mhchem ? EquationMhchem(doc, style)
                                                          : EquationStarMath(doc, style);
            return WriteBytes(path, QByteArray::fromStdString(text + "\n"));
        }
        if (format == Format::Mv2 && path == "-") {
            const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
            return WriteBytes(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<qsizetype>(bytes.size())));
        }
        if (format == Format::Mv2) {
            DocResult result = doc.SaveFile(path);
            if (!result.ok) {
                Fail(path, result.reason.empty() ? result.message : result.reason);
                return false;
            }
            return true;
        }

        RenderSettings settings;
        settings.scale = m_args.scale;
        settings.margin = m_args.margin;
        settings.antialias = m_args.antialias;
        std::string error;
        QByteArray bytes;
        static const std::map<Format, PictureFormat> pictures = {{Format::Png, PictureFormat::Png},
                                                                 {Format::Svg, PictureFormat::Svg},
                                                                 {Format::Pdf, PictureFormat::Pdf},
                                                                 {Format::Wmf, PictureFormat::Wmf}};
        if (format == Format::Svg && HasBuiltinMetrics(doc.App().options.font.Get())) {
            // The shipped faces need no Qt: the same picture from the built-in metrics.
            const SvgPicture svg =
                RenderSvgPicture(std::vector<std::string>(doc.Lines().texts.begin(), doc.Lines().texts.end()),
                                 doc.App().options, doc.App().options.font.Get(), SvgPictureSettings{settings.margin, false});
            bytes = QByteArray::fromStdString(svg.svg);
            error = svg.error;
        } else if (const auto it = pictures.find(format); it != pictures.end())
            bytes = EquationPictureFile(doc, it->second, settings, &error);
        else
            error = "unknown output format";
        if (bytes.isEmpty()) {
            Fail(path, error.empty() ? std::string("nothing to write") : error);
            return false;
        }
        return WriteBytes(path, bytes);
    }

    // "-" is standard output.
    bool WriteBytes(const std::string& path, const QByteArray& bytes)
    {
        if (path == "-") {
            m_out.write(bytes.constData(), bytes.size());
            m_out.flush();
            if (!m_out) {
                Fail("standard output", "write error");
                return false;
            }
            return true;
        }
        if (auto reason = WriteFileAtomically(path, bytes)) {
            Fail(path, *reason);
            return false;
        }
        return true;
    }

    const Args& m_args;
    std::ostream& m_out;
    std::ostream& m_err;
    CEquationOptions m_userOptions;
    bool m_midLine = false;
};

int Explain(const std::string& utf8, std::ostream& out)
{
    CEquationLine line;
    line.SetText(Utf8ToCp1252(utf8));
    out << ExplainLine(line) << ExplainPositions(line);
    for (const std::string& hint : chem::ReadingHints(line))
        out << "hint: " << hint << "\n";
    return kExitOk;
}

// The balance of every line that has an arrow; the worst answer decides the status.
int Check(const Args& args, std::ostream& out, std::ostream& err)
{
    int status = kExitOk;
    for (const Input& input : args.inputs) {
        std::string text;
        if (input.kind == Input::Kind::Text) {
            text = EntryTextFromUtf8(input.value, nullptr);
        } else if (input.kind == Input::Kind::LinesFile) {
            std::string reason;
            auto data = ReadLinesSource(input.value, reason);
            int lines = 0;
            if (data)
                text = EntryTextFromUtf8(*data, &lines);
            if (data && lines > kEquationLines)
                reason = "more than 20 lines";
            if (!data || lines > kEquationLines) {
                err << "molvex2-render: " << DisplayName(input) << ": " << reason << "\n";
                status = kExitTrouble;
                continue;
            }
        } else {
            MolvexAppState app;
            CMolvexDoc doc(app);
            DocResult result = doc.OpenFile(input.value);
            if (!result.ok) {
                err << "molvex2-render: " << DisplayName(input) << ": " << result.message << "\n";
                status = kExitTrouble;
                continue;
            }
            text = doc.GetEquationText();
        }
        MolvexAppState app;
        CMolvexDoc doc(app);
        doc.SetEquationText(text);
        for (int i = 0; i < kEquationLines; ++i) {
            if (doc.Lines().texts[i].empty())
                continue;
            chem::ArrowCheck::Verdict verdict{};
            const std::string said = chem::DescribeBalance(chem::CheckBalance(chem::ReadText(doc.Lines().texts[i])), &verdict);
            if (said.empty())
                continue;
            if (args.inputs.size() > 1)
                out << DisplayName(input) << ": ";
            out << "line " << (i + 1) << ": " << said << "\n";
            if (verdict == chem::ArrowCheck::Verdict::NotBalanced && status == kExitOk)
                status = kExitNotBalanced;
        }
    }
    return status;
}

int PrintOptions(std::ostream& out)
{
    MolvexAppState app;
    app.options.Load(app.mainStore);
    // A store that is never saved: the options' own text form, in field order.
    CIniStore form;
    app.options.SaveEntries(form);
    for (const CIniStore::IniSection& section : form.Sections()) {
        if (section.names.empty())
            continue;
        out << "[" << section.name << "]\n";
        for (std::size_t i = 0; i < section.names.size(); ++i)
            out << section.names[i] << "=" << Cp1252ToUtf8(section.values[i]) << "\n";
    }
    return kExitOk;
}

} // namespace

Format FormatFromName(const std::string& name)
{
    static const std::map<std::string, Format> formats = {
        {"png", Format::Png},       {"svg", Format::Svg},         {"pdf", Format::Pdf},
        {"wmf", Format::Wmf},       {"mv2", Format::Mv2},         {"text", Format::Text},
        {"speech", Format::Speech}, {"mathml", Format::MathML},   {"mhchem", Format::Mhchem},
        {"starmath", Format::StarMath}};
    std::string lower;
    for (char c : name)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    auto it = formats.find(lower);
    return it == formats.end() ? Format::None : it->second;
}

bool IsTextForm(Format format)
{
    return format == Format::Text || format == Format::Speech || format == Format::MathML || format == Format::Mhchem ||
           format == Format::StarMath;
}

Format FormatFromPath(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".txt")
        return Format::Text;
    if (ext == ".mml")
        return Format::MathML;
    if (ext == ".tex")
        return Format::Mhchem;
    return ext.size() > 1 && !IsTextForm(FormatFromName(ext.substr(1))) ? FormatFromName(ext.substr(1)) : Format::None;
}

const char* FormatExtension(Format format)
{
    switch (format) {
    case Format::Png:
        return "png";
    case Format::Svg:
        return "svg";
    case Format::Pdf:
        return "pdf";
    case Format::Wmf:
        return "wmf";
    case Format::Mv2:
        return "mv2";
    case Format::Text:
    case Format::Speech:
    case Format::StarMath:
        return "txt";
    case Format::MathML:
        return "mml";
    case Format::Mhchem:
        return "tex";
    default:
        return "";
    }
}

std::string UsageText()
{
    return "Usage: molvex2-render [options] TEXT -o FILE\n"
           "       molvex2-render [options] DOCUMENT.mv2 -o FILE\n"
           "       molvex2-render [options] -f LINES.txt -o FILE    (-f - reads standard input)\n"
           "       molvex2-render [options] INPUT... --out-dir DIR\n"
           "       molvex2-render --check TEXT | DOCUMENT.mv2 | -f LINES.txt\n"
           "       molvex2-render --explain TEXT\n"
           "       molvex2-render --options\n"
           "\n"
           "Typesets a chemical equation and writes it as a picture or a document.\n"
           "\n"
           "  -o, --output FILE    file to write: .png, .svg, .pdf, .wmf, .mv2, .txt (text),\n"
           "                       .mml (MathML) or .tex (mhchem); - for standard output\n"
           "  --format FORMAT      png, svg, pdf, wmf, mv2, text, speech, mathml, mhchem or\n"
           "                       starmath (LibreOffice Math), whatever the extension\n"
           "  --check              say for each line with an arrow whether it is balanced;\n"
           "                       exit 0 when all are, 1 when one is not, 2 on trouble\n"
           "  --out-dir DIR        one output per input (documents and -f files), named\n"
           "                       after the input (PNG unless --format says otherwise)\n"
           "  -f, --file FILE      equation lines from a text file, up to 20 lines\n"
           "  --font-height N      character height of the equation font, logical units\n"
           "  --scale K            PNG device pixels per logical unit (default 1)\n"
           "  --margin N           blank margin on every side, logical units (default 0)\n"
           "  --antialias          smooth lines and text in PNG output\n"
           "  --measure            print width, height, depth, lowering and amount\n"
           "  --explain TEXT       show how a line is read: class and display codes, in words, hints\n"
           "  --options            print the equation options in force\n"
           "  -h, --help           show this help\n"
           "  --version            show the version\n"
           "\n"
           "Equation options and font come from the user's configuration file MLV2.ini.\n";
}

std::string VersionText()
{
    return std::string("molvex2-render ") + MOLVEX_VERSION_STRING + "\n";
}

std::optional<Args> ParseArgs(const std::vector<std::string>& argv, std::string& error)
{
    Args args;
    bool sawExplain = false, sawOptions = false, sawCheck = false;
    auto value = [&](std::size_t& i, const std::string& name) -> std::optional<std::string> {
        if (i + 1 >= argv.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        return argv[++i];
    };
    bool endOfOptions = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (endOfOptions || a.empty() || a[0] != '-' || a == "-") {
            if (a == "-" && !endOfOptions) {
                error = "use -f - to read lines from standard input";
                return std::nullopt;
            }
            Input input;
            input.value = a;
            input.kind = EndsWithNoCase(a, ".mv2") ? Input::Kind::Document : Input::Kind::Text;
            args.inputs.push_back(input);
            continue;
        }
        if (a == "--") {
            endOfOptions = true;
        } else if (a == "-h" || a == "--help") {
            args.action = Args::Action::Help;
            return args;
        } else if (a == "--version") {
            args.action = Args::Action::Version;
            return args;
        } else if (a == "--explain") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            args.explainText = *v;
            sawExplain = true;
        } else if (a == "--check") {
            sawCheck = true;
        } else if (a == "--options") {
            sawOptions = true;
        } else if (a == "-o" || a == "--output") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            if (v->empty()) {
                error = "empty output file name";
                return std::nullopt;
            }
            args.output = *v;
        } else if (a == "--out-dir") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            if (v->empty()) {
                error = "empty output folder name";
                return std::nullopt;
            }
            args.outDir = *v;
        } else if (a == "--format") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            args.format = FormatFromName(*v);
            if (args.format == Format::None) {
                error = "unknown format '" + *v + "' (png, svg, pdf, wmf, mv2, text, speech, mathml, mhchem or starmath)";
                return std::nullopt;
            }
        } else if (a == "-f" || a == "--file") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            args.inputs.push_back(Input{Input::Kind::LinesFile, *v});
        } else if (a == "--font-height") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            int h = 0;
            if (!ParseInt(*v, 1, kMaxFontHeight, h)) {
                error = "--font-height takes a whole number from 1 to " + std::to_string(kMaxFontHeight);
                return std::nullopt;
            }
            args.fontHeight = h;
        } else if (a == "--scale") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            if (!ParseDouble(*v, 0.1, kMaxScale, args.scale)) {
                error = "--scale takes a number from 0.1 to 16";
                return std::nullopt;
            }
        } else if (a == "--margin") {
            auto v = value(i, a);
            if (!v)
                return std::nullopt;
            if (!ParseInt(*v, 0, 1000, args.margin)) {
                error = "--margin takes a whole number from 0 to 1000";
                return std::nullopt;
            }
        } else if (a == "--measure") {
            args.measure = true;
        } else if (a == "--antialias") {
            args.antialias = true;
        } else {
            error = "unknown option " + a;
            return std::nullopt;
        }
    }

    if (sawExplain || sawOptions) {
        if ((sawExplain && sawOptions) || sawCheck || !args.inputs.empty() || !args.output.empty() || !args.outDir.empty()) {
            error = sawExplain ? "--explain takes one text and nothing else" : "--options takes nothing else";
            return std::nullopt;
        }
        args.action = sawExplain ? Args::Action::Explain : Args::Action::Options;
        return args;
    }

    if (args.inputs.empty()) {
        error = "no equation given (see --help)";
        return std::nullopt;
    }
    if (sawCheck) {
        if (!args.output.empty() || !args.outDir.empty() || args.measure || args.format != Format::None) {
            error = "--check writes no output file";
            return std::nullopt;
        }
        args.action = Args::Action::Check;
        return args;
    }
    std::size_t stdinInputs = 0;
    for (const Input& in : args.inputs)
        stdinInputs += in.kind == Input::Kind::LinesFile && in.value == "-";
    if (stdinInputs > 1) {
        error = "standard input can be read only once";
        return std::nullopt;
    }
    if (!args.outDir.empty()) {
        if (!args.output.empty()) {
            error = "-o and --out-dir exclude each other";
            return std::nullopt;
        }
        std::map<std::string, std::string> names;
        Format format = args.format == Format::None ? Format::Png : args.format;
        for (const Input& in : args.inputs) {
            if (in.kind == Input::Kind::Text) {
                error = "--out-dir takes documents and -f files, not equation text";
                return std::nullopt;
            }
            std::string name = OutputNameFor(in, format);
            auto [it, fresh] = names.emplace(name, in.value);
            if (!fresh) {
                error = "'" + it->second + "' and '" + in.value + "' would both write " + name;
                return std::nullopt;
            }
        }
        return args;
    }
    if (args.inputs.size() > 1) {
        error = "several inputs need --out-dir";
        return std::nullopt;
    }
    if (args.output.empty()) {
        if (!args.measure) {
            error = "no output file given (-o FILE, or --measure)";
            return std::nullopt;
        }
    } else if (args.format == Format::None && FormatFromPath(args.output) == Format::None) {
        error = "cannot tell the format of '" + args.output + "' (use --format)";
        return std::nullopt;
    }
    return args;
}

bool NeedsGui(const Args& args)
{
    // Text forms need no fonts, and SVG in a shipped face has fonts of its own, unless
    // a measurement is asked for as well.
    const Format format = args.format != Format::None ? args.format
                          : args.outDir.empty()       ? FormatFromPath(args.output)
                                                      : Format::Png;
    if (args.action != Args::Action::Render || args.measure)
        return args.action == Args::Action::Render;
    if (IsTextForm(format))
        return false;
    if (format == Format::Svg) {
        MolvexAppState app;
        app.options.Load(app.mainStore);
        return !HasBuiltinMetrics(app.options.font.Get());
    }
    return true;
}

int Run(const Args& args, std::ostream& out, std::ostream& err)
{
    switch (args.action) {
    case Args::Action::Help:
        out << UsageText();
        return kExitOk;
    case Args::Action::Version:
        out << VersionText();
        return kExitOk;
    case Args::Action::Explain:
        return Explain(args.explainText, out);
    case Args::Action::Options:
        return PrintOptions(out);
    case Args::Action::Check:
        return Check(args, out, err);
    case Args::Action::Render:
        break;
    }
    Tool tool(args, out, err);
    return tool.Run();
}

} // namespace cli
