#include "cli/OutputFormats.h"

#include <cctype>
#include <filesystem>

#include "engine/ChemText.h"

namespace cli {
namespace {

struct FormatInfo {
    Format format;
    const char* name;      // for --format
    const char* extension; // of the files written in this format
    bool byExtension;      // an -o name with this extension asks for it
    bool text;             // written out in `form` rather than drawn or saved
    chem::Form form;
};

constexpr chem::Form kNoForm = chem::Form::Unicode; // pictures and documents

const FormatInfo kFormats[] = {
    {Format::Png, "png", "png", true, false, kNoForm},
    {Format::Svg, "svg", "svg", true, false, kNoForm},
    {Format::Pdf, "pdf", "pdf", true, false, kNoForm},
    {Format::Wmf, "wmf", "wmf", true, false, kNoForm},
    {Format::Mv2, "mv2", "mv2", true, false, kNoForm},
    {Format::Text, "text", "txt", true, true, chem::Form::Unicode},
    // Speech and StarMath share .txt with the text, which that extension means.
    {Format::Speech, "speech", "txt", false, true, chem::Form::Speech},
    {Format::MathML, "mathml", "mml", true, true, chem::Form::MathML},
    {Format::Mhchem, "mhchem", "tex", true, true, chem::Form::Mhchem},
    {Format::StarMath, "starmath", "txt", false, true, chem::Form::StarMath},
};

const FormatInfo* Find(Format format)
{
    for (const FormatInfo& f : kFormats)
        if (f.format == format)
            return &f;
    return nullptr;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

Format FormatFromName(const std::string& name)
{
    const std::string lower = Lower(name);
    for (const FormatInfo& f : kFormats)
        if (lower == f.name)
            return f.format;
    return Format::None;
}

Format FormatFromPath(const std::string& path)
{
    const std::string ext = Lower(std::filesystem::path(path).extension().string());
    for (const FormatInfo& f : kFormats)
        if (f.byExtension && ext.size() > 1 && ext.compare(1, std::string::npos, f.extension) == 0)
            return f.format;
    return Format::None;
}

const char* FormatExtension(Format format)
{
    const FormatInfo* f = Find(format);
    return f ? f->extension : "";
}

std::string FormatNames()
{
    std::string names;
    const std::size_t count = sizeof kFormats / sizeof kFormats[0];
    for (std::size_t k = 0; k < count; ++k)
        names += std::string(k == 0 ? "" : k + 1 == count ? " or " : ", ") + kFormats[k].name;
    return names;
}

bool IsTextForm(Format format)
{
    const FormatInfo* f = Find(format);
    return f && f->text;
}

std::string TextFormOf(Format format, const std::vector<chem::ChemLine>& lines, int equilibriumStyle)
{
    const FormatInfo* f = Find(format);
    return f && f->text ? chem::Written(lines, f->form, equilibriumStyle) + "\n" : std::string();
}

} // namespace cli
