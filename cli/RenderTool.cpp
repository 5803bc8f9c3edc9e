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


// An input that could not be read. `message` is what --check says after the input's
// name; `ownLine`, when set, is what rendering says on a line of its own (a file that
// did not open names itself).
struct ReadFailure {
    std::string message;
    std::string ownLine;

    // The line that reports it: its own, or the input's name with the message.
    std::string Line(const Input& input) const { return ownLine.empty() ? DisplayName(input) + ": " + message : ownLine; }
};

// Puts an input's equation into the document.
std::optional<ReadFailure> LoadInput(const Input& input, CMolvexDoc& doc)
{
    switch (input.kind) {
    case Input::Kind::Text:
        doc.SetEquationText(EntryTextFromUtf8(input.value, nullptr));
        return std::nullopt;
    case Input::Kind::LinesFile: {
        std::string reason;
        auto data = ReadLinesSource(input.value, reason);
        if (!data)
            return ReadFailure{reason, reason.rfind("cannot open ", 0) == 0 ? reason : std::string()};
        int lines = 0;
        std::string text = EntryTextFromUtf8(*data, &lines);
        if (lines > kEquationLines)
            return ReadFailure{"more than " + std::to_string(kEquationLines) + " lines", {}};
        doc.SetEquationText(text);
        return std::nullopt;
    }
    case Input::Kind::Document: {
        DocResult result = doc.OpenFile(input.value);
        if (result.ok)
            return std::nullopt;
        return ReadFailure{result.message,
                           result.reason.empty() ? std::string() : "cannot open " + input.value + ": " + result.reason};
    }
    }
    return std::nullopt;
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
        if (const auto failure = LoadInput(input, doc)) {
            Say(failure->Line(input));
            return false;
        }
        // The font is the user's; a document brings its own option values only.
        if (m_args.fontHeight)
            app.options.font.value.lf.lfHeight = -*m_args.fontHeight;
        if (m_args.measure)
            PrintMeasure(doc, input, batch);

        const auto [path, format] = Destination(input, batch);
        if (path.empty())
            return true;
        // A picture of nothing is a mistake in the input, not a result.
        const auto& lines = doc.Lines().texts;
        if (format != Format::Mv2 && std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); })) {
            Fail(DisplayName(input), "nothing to typeset");
            return false;
        }
        if (IsTextForm(format)) {
            const int style = doc.App().options.equilibriumArrow.Get();
            return WriteBytes(path, QByteArray::fromStdString(TextFormOf(format, EquationReadings(doc), style)));
        }
        return format == Format::Mv2 ? WriteDocument(doc, path) : WritePicture(doc, format, path);
    }

    // The file an input's equation goes to and its format; no path when none is written.
    std::pair<std::string, Format> Destination(const Input& input, bool batch) const
    {
        Format format = m_args.format;
        if (batch) {
            if (format == Format::None)
                format = Format::Png;
            return {(std::filesystem::path(m_args.outDir) / OutputNameFor(input, format)).string(), format};
        }
        if (!m_args.output.empty() && format == Format::None)
            format = FormatFromPath(m_args.output);
        return {m_args.output, format};
    }

    void PrintMeasure(CMolvexDoc& doc, const Input& input, bool batch)
    {
        auto screen = CreateScreenDC();
        const EquationBox m = doc.MeasureEquation(*screen);
        if (batch)
            m_out << DisplayName(input) << ": ";
        m_out << "width=" << m.size.cx << " height=" << m.size.cy << " depth=" << m.depth
              << " lowering=" << m.lowering << " amount=" << LoweringAmount(m) << "\n";
    }

    bool WriteDocument(CMolvexDoc& doc, const std::string& path)
    {
        if (path == "-") {
            const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
            return WriteBytes(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<qsizetype>(bytes.size())));
        }
        DocResult result = doc.SaveFile(path);
        if (!result.ok) {
            Fail(path, result.reason.empty() ? result.message : result.reason);
            return false;
        }
        return true;
    }

    bool WritePicture(CMolvexDoc& doc, Format format, const std::string& path)
    {
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
        MolvexAppState app;
        CMolvexDoc doc(app);
        if (const auto failure = LoadInput(input, doc)) {
            err << "molvex2-render: " << failure->Line(input) << "\n";
            status = kExitTrouble;
            continue;
        }
        // A document's lines are checked as its entry text gives them back.
        doc.SetEquationText(doc.GetEquationText());
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

namespace {

// The command line as read so far.
struct Parsing {
    Args args;
    bool sawExplain = false, sawOptions = false, sawCheck = false;
    bool finished = false; // --help and --version answer at once
};

// What an option does with its value (empty when it takes none); a message when the
// value will not do.
using Apply = std::optional<std::string> (*)(Parsing&, const std::string& value);

struct Option {
    const char* shortName; // null when there is none
    const char* longName;
    bool takesValue;
    Apply apply;
};

using Error = std::optional<std::string>;

const Option kOptions[] = {
    {"-h", "--help", false, [](Parsing& p, const std::string&) -> Error {
         p.args.action = Args::Action::Help;
         p.finished = true;
         return {};
     }},
    {nullptr, "--version", false, [](Parsing& p, const std::string&) -> Error {
         p.args.action = Args::Action::Version;
         p.finished = true;
         return {};
     }},
    {nullptr, "--explain", true, [](Parsing& p, const std::string& v) -> Error {
         p.args.explainText = v;
         p.sawExplain = true;
         return {};
     }},
    {nullptr, "--check", false, [](Parsing& p, const std::string&) -> Error {
         p.sawCheck = true;
         return {};
     }},
    {nullptr, "--options", false, [](Parsing& p, const std::string&) -> Error {
         p.sawOptions = true;
         return {};
     }},
    {"-o", "--output", true, [](Parsing& p, const std::string& v) -> Error {
         if (v.empty())
             return "empty output file name";
         p.args.output = v;
         return {};
     }},
    {nullptr, "--out-dir", true, [](Parsing& p, const std::string& v) -> Error {
         if (v.empty())
             return "empty output folder name";
         p.args.outDir = v;
         return {};
     }},
    {nullptr, "--format", true, [](Parsing& p, const std::string& v) -> Error {
         p.args.format = FormatFromName(v);
         if (p.args.format == Format::None)
             return "unknown format '" + v + "' (" + FormatNames() + ")";
         return {};
     }},
    {"-f", "--file", true, [](Parsing& p, const std::string& v) -> Error {
         p.args.inputs.push_back(Input{Input::Kind::LinesFile, v});
         return {};
     }},
    {nullptr, "--font-height", true, [](Parsing& p, const std::string& v) -> Error {
         int h = 0;
         if (!ParseInt(v, 1, kMaxFontHeight, h))
             return "--font-height takes a whole number from 1 to " + std::to_string(kMaxFontHeight);
         p.args.fontHeight = h;
         return {};
     }},
    {nullptr, "--scale", true, [](Parsing& p, const std::string& v) -> Error {
         if (!ParseDouble(v, 0.1, kMaxScale, p.args.scale))
             return "--scale takes a number from 0.1 to 16";
         return {};
     }},
    {nullptr, "--margin", true, [](Parsing& p, const std::string& v) -> Error {
         if (!ParseInt(v, 0, 1000, p.args.margin))
             return "--margin takes a whole number from 0 to 1000";
         return {};
     }},
    {nullptr, "--measure", false, [](Parsing& p, const std::string&) -> Error {
         p.args.measure = true;
         return {};
     }},
    {nullptr, "--antialias", false, [](Parsing& p, const std::string&) -> Error {
         p.args.antialias = true;
         return {};
     }},
};

const Option* FindOption(const std::string& name)
{
    for (const Option& o : kOptions)
        if (name == o.longName || (o.shortName && name == o.shortName))
            return &o;
    return nullptr;
}

// Reads the arguments into `p`; a message on bad usage.
Error ReadArguments(const std::vector<std::string>& argv, Parsing& p)
{
    bool endOfOptions = false;
    for (std::size_t i = 0; i < argv.size() && !p.finished; ++i) {
        const std::string& a = argv[i];
        if (endOfOptions || a.empty() || a[0] != '-' || a == "-") {
            if (a == "-" && !endOfOptions)
                return "use -f - to read lines from standard input";
            p.args.inputs.push_back(Input{EndsWithNoCase(a, ".mv2") ? Input::Kind::Document : Input::Kind::Text, a});
            continue;
        }
        if (a == "--") {
            endOfOptions = true;
            continue;
        }
        const Option* option = FindOption(a);
        if (!option)
            return "unknown option " + a;
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= argv.size())
                return a + " needs a value";
            value = argv[++i];
        }
        if (Error e = option->apply(p, value))
            return e;
    }
    return {};
}

// --out-dir: files only, and no two written to one name.
Error CheckBatch(const Args& args)
{
    if (!args.output.empty())
        return "-o and --out-dir exclude each other";
    std::map<std::string, std::string> names;
    const Format format = args.format == Format::None ? Format::Png : args.format;
    for (const Input& in : args.inputs) {
        if (in.kind == Input::Kind::Text)
            return "--out-dir takes documents and -f files, not equation text";
        const std::string name = OutputNameFor(in, format);
        const auto [it, fresh] = names.emplace(name, in.value);
        if (!fresh)
            return "'" + it->second + "' and '" + in.value + "' would both write " + name;
    }
    return {};
}

// What the options ask for together, and whether they fit.
Error Settle(Parsing& p)
{
    Args& args = p.args;
    if (p.sawExplain || p.sawOptions) {
        if ((p.sawExplain && p.sawOptions) || p.sawCheck || !args.inputs.empty() || !args.output.empty() ||
            !args.outDir.empty())
            return p.sawExplain ? "--explain takes one text and nothing else" : "--options takes nothing else";
        args.action = p.sawExplain ? Args::Action::Explain : Args::Action::Options;
        return {};
    }
    if (args.inputs.empty())
        return "no equation given (see --help)";
    if (p.sawCheck) {
        if (!args.output.empty() || !args.outDir.empty() || args.measure || args.format != Format::None)
            return "--check writes no output file";
        args.action = Args::Action::Check;
        return {};
    }
    const auto stdinInputs = std::count_if(args.inputs.begin(), args.inputs.end(), [](const Input& in) {
        return in.kind == Input::Kind::LinesFile && in.value == "-";
    });
    if (stdinInputs > 1)
        return "standard input can be read only once";
    if (!args.outDir.empty())
        return CheckBatch(args);
    if (args.inputs.size() > 1)
        return "several inputs need --out-dir";
    if (args.output.empty() && !args.measure)
        return "no output file given (-o FILE, or --measure)";
    if (!args.output.empty() && args.format == Format::None && FormatFromPath(args.output) == Format::None)
        return "cannot tell the format of '" + args.output + "' (use --format)";
    return {};
}

} // namespace

std::optional<Args> ParseArgs(const std::vector<std::string>& argv, std::string& error)
{
    Parsing p;
    Error e = ReadArguments(argv, p);
    if (!e && !p.finished)
        e = Settle(p);
    if (e) {
        error = *e;
        return std::nullopt;
    }
    return p.args;
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
