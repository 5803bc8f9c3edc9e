#include "config/IniStore.h"
#include "config/TextTemplate.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "config/SafeWrite.h"

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool EnsureFolder(const std::string& path)
{
    if (IsFolder(path))
        return true;
    std::error_code ec;
    fs::create_directories(path, ec);
    return IsFolder(path);
}

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string EnvOrEmpty(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// The per-user or all-users configuration folder with the company folder, falling
// back to /etc and then to the program's folder, as the Windows rule falls back to
// the Windows folder and then to the program's folder.
std::string ConfigFolder(bool perUser, const std::string& company)
{
    std::string base;
    if (perUser) {
        base = EnvOrEmpty("XDG_CONFIG_HOME");
        if (base.empty() || base.front() != '/') {
            const std::string home = EnvOrEmpty("HOME");
            if (!home.empty())
                base = WithSlash(home) + ".config";
            else
                base.clear();
        }
        // The per-user folder may be missing on a fresh account.
        if (!base.empty())
            EnsureFolder(base);
    } else {
        const std::string dirs = EnvOrEmpty("XDG_CONFIG_DIRS");
        base = dirs.substr(0, dirs.find(':'));
        if (base.empty() || base.front() != '/')
            base = "/etc/xdg";
    }
    if (!base.empty() && IsFolder(base)) {
        std::string folder = WithSlash(base);
        if (!company.empty())
            folder += company + "/";
        if (EnsureFolder(folder))
            return folder;
    }
    if (IsFolder("/etc"))
        return "/etc/";
    return CIniStore::ProgramFolder();
}

} // namespace

std::string CIniStore::ProgramFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return std::string();
    return WithSlash(exe.parent_path().string());
}

std::string CIniStore::ComputePath()
{
    std::string folder;
    switch (m_location) {
    case 0:
        folder = ConfigFolder(true, m_company);
        break;
    case 1:
        folder = ProgramFolder();
        break;
    case 2:
        folder = "/etc/";
        break;
    case 3:
        folder = ConfigFolder(false, m_company);
        break;
    case 5: {
        const std::string program = ProgramFolder();
        if (program.empty())
            break;
        const fs::path parent = fs::path(program.substr(0, program.size() - 1)).parent_path();
        folder = WithSlash(parent.string());
        break;
    }
    default:
        return m_path;
    }
    m_path = folder + m_fileName + ".ini";
    return m_path;
}

std::string CIniStore::GetPath()
{
    if (m_location < 0 || m_location > 3)
        return std::string();
    return ComputePath();
}

bool CIniStore::Load()
{
    const std::string path = ComputePath();
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec))
        return false;
    std::ifstream in;
    errno = 0;
    if (!IsFolder(path))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        m_lastError = "Unable to open ini file.";
        m_unreadable = IsFolder(path) ? "it is a folder" : errno ? std::strerror(errno) : "it cannot be opened";
        return false;
    }
    // Lines of any length, read whole.
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        m_lastError = "Unable to read ini file.";
        m_unreadable = "it could not be read to the end";
        return false;
    }
    m_unreadable.clear();

    // The file is the authority on its foreign lines: a reload replaces them.
    for (IniSection& s : m_sections)
        s.kept.clear();
    IniSection* current = nullptr; // the empty name until the first header
    std::string currentName;
    std::size_t after = 0; // entries of the current section read so far in this load
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t stop = end;
        if (end < text.size() && stop > start && text[stop - 1] == '\r')
            --stop;
        const std::string_view line(text.data() + start, stop - start);
        start = end + 1;
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            currentName = std::string(line.substr(1, line.find(']', 1) - 1));
            current = FindSection(currentName);
            after = 0;
            continue;
        }
        if (!current)
            current = &AddSection(currentName);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            current->kept.emplace_back(after, std::string(line));
            continue;
        }
        after = Put(*current, std::string(line.substr(0, eq)), std::string(line.substr(eq + 1))) + 1;
    }
    return true;
}

namespace {

// Reading takes one CR before the LF as part of the line end, so a line that itself
// ends in CR gets a CR LF end: it then reads back as it was, and a kept "[S]\r" cannot
// turn into a section header.
void AppendLine(std::string& text, const std::string& line)
{
    text += line;
    text += !line.empty() && line.back() == '\r' ? "\r\n" : "\n";
}

} // namespace

const char* const kIniSaveErrorCaption = MOLVEX_PHRASE("CIniStore", "File Save Error");

namespace {

const char* const kCannotWrite =
    MOLVEX_PHRASE("CIniStore", "Unable to write file %1.\n\nAdministrator privileges are probably needed to save "
                               "this file.  Please contact your IT staff.");
const char* const kUnreadable =
    MOLVEX_PHRASE("CIniStore", "Unable to write file %1.\n\nIt could not be read (%2), so saving would lose the "
                               "settings it holds; it was left as it is.");

IniSaveError SaveError(const char* pattern, std::vector<std::string> places)
{
    IniSaveError e{kIniSaveErrorCaption, FillPattern(pattern, places), pattern, {}};
    e.places = std::move(places);
    return e;
}

} // namespace

std::optional<IniSaveError> CIniStore::Save()
{
    if (m_company.empty() || m_fileName.empty())
        return std::nullopt;
    const std::string path = ComputePath();
    const IniSaveError failure = SaveError(kCannotWrite, {path});
    if (path.empty())
        return failure;
    // Writing a file that could not be read would replace the settings it holds.
    if (!m_unreadable.empty())
        return SaveError(kUnreadable, {path, m_unreadable});

    std::string text;
    bool first = true;
    for (const IniSection& s : m_sections) {
        if (s.names.empty() && s.kept.empty())
            continue;
        // Foreign lines at the top of the file belong to no section and stay headless.
        const bool headless = first && s.name.empty() && s.names.empty();
        if (!headless)
            text += "[" + s.name + "]\n";
        first = false;
        auto kept = s.kept;
        std::stable_sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        auto k = kept.begin();
        for (std::size_t i = 0; i <= s.names.size(); ++i) {
            for (; k != kept.end() && k->first <= i; ++k)
                AppendLine(text, k->second);
            if (i < s.names.size())
                AppendLine(text, s.names[i] + "=" + s.values[i]);
        }
        if (!headless)
            text += "\n";
    }
    if (WriteFileSafely(path, text))
        return failure;
    return std::nullopt;
}

CIniStore::IniSection* CIniStore::FindSection(const std::string& section)
{
    const auto it = m_sectionIndex.find(section);
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

CIniStore::IniSection& CIniStore::AddSection(const std::string& section)
{
    m_sectionIndex.emplace(section, m_sections.size());
    m_sections.push_back(IniSection{section, {}, {}, {}});
    m_entryIndex.emplace_back();
    return m_sections.back();
}

std::size_t CIniStore::Put(IniSection& section, const std::string& name, const std::string& value)
{
    auto& index = m_entryIndex[static_cast<std::size_t>(&section - m_sections.data())];
    const auto [it, fresh] = index.emplace(name, section.names.size());
    if (fresh) {
        section.names.push_back(name);
        section.values.push_back(value);
    } else {
        section.values[it->second] = value;
    }
    return it->second;
}

std::string CIniStore::GetString(const std::string& section, const std::string& name)
{
    IniSection* s = FindSection(section);
    if (!s) {
        m_lastError = "Unable to locate specified key.";
        return std::string();
    }
    const auto& index = m_entryIndex[static_cast<std::size_t>(s - m_sections.data())];
    const auto it = index.find(name);
    if (it == index.end()) {
        m_lastError = "Unable to locate specified value.";
        return std::string();
    }
    return s->values[it->second];
}

int CIniStore::GetInt(const std::string& section, const std::string& name)
{
    const std::string text = GetString(section, name);
    if (text.empty())
        return -1;
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

bool CIniStore::SetString(const std::string& section, const std::string& name, const std::string& value, bool create)
{
    const auto breaks = [](const std::string& t) { return t.find_first_of("\r\n") != std::string::npos; };
    const bool readsAsHeader = !name.empty() && name.front() == '[' && !value.empty() && value.back() == ']';
    if (breaks(section) || breaks(name) || breaks(value) || section.find(']') != std::string::npos ||
        name.find('=') != std::string::npos || readsAsHeader)
        return false;
    IniSection* found = FindSection(section);
    if (!found) {
        if (!create)
            return false;
        found = &AddSection(section);
    }
    const auto& index = m_entryIndex[static_cast<std::size_t>(found - m_sections.data())];
    if (!create && index.find(name) == index.end())
        return false;
    Put(*found, name, value);
    return true;
}

bool CIniStore::SetInt(const std::string& section, const std::string& name, int value, bool create)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    return SetString(section, name, buf, create);
}

void CIniStore::RemoveFile()
{
    const std::string path = GetPath();
    if (path.empty())
        return;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
        std::remove(path.c_str());
    }
}
