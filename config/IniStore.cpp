#include "config/IniStore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Longest line the reader accepts; a longer one ends the reading.
constexpr std::size_t kMaxLine = 2047;

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
    std::FILE* f = IsFolder(path) ? nullptr : std::fopen(path.c_str(), "rb");
    if (!f) {
        m_lastError = "Unable to open ini file.";
        return false;
    }
    std::string section;
    std::string line;
    bool more = true;
    while (more) {
        line.clear();
        int c = 0;
        bool tooLong = false;
        while ((c = std::fgetc(f)) != EOF && c != '\n') {
            line += static_cast<char>(c);
            // One extra character is allowed for the carriage return of a CR LF end.
            if (line.size() > kMaxLine + 1) {
                tooLong = true;
                break;
            }
        }
        if (c == EOF)
            more = false;
        if (c == '\n' && !line.empty() && line.back() == '\r')
            line.pop_back();
        if (tooLong || line.size() > kMaxLine)
            break;
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::size_t close = line.find(']', 1);
            section = line.substr(1, close - 1);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            SetString(section, std::string(), line.substr(1), true);
        else
            SetString(section, line.substr(0, eq), line.substr(eq + 1), true);
    }
    std::fclose(f);
    return true;
}

std::optional<IniSaveError> CIniStore::Save()
{
    if (m_company.empty() || m_fileName.empty())
        return std::nullopt;
    const std::string path = ComputePath();
    const IniSaveError failure{"File Save Error",
                               "Unable to write file " + path +
                                   ".\n\nAdministrator privileges are probably needed to save this file.  "
                                   "Please contact your IT staff."};
    if (path.empty())
        return failure;

    std::string text;
    for (const IniSection& s : m_sections) {
        if (s.names.empty())
            continue;
        text += "[" + s.name + "]\n";
        for (std::size_t i = 0; i < s.names.size(); ++i)
            text += s.names[i] + "=" + s.values[i] + "\n";
        text += "\n";
    }

    // Written beside the old file and renamed over it, so a failure at any point
    // leaves the previous file as it was.
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return failure;
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    // Keep the old file's permissions; a new file gets the usual ones.
    (void)::fchmod(fd, mode);
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return failure;
    }
    return std::nullopt;
}

std::string CIniStore::GetString(const std::string& section, const std::string& name)
{
    for (const IniSection& s : m_sections) {
        if (s.name != section)
            continue;
        for (std::size_t i = 0; i < s.names.size(); ++i)
            if (s.names[i] == name)
                return s.values[i];
        m_lastError = "Unable to locate specified value.";
        return std::string();
    }
    m_lastError = "Unable to locate specified key.";
    return std::string();
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
    IniSection* found = nullptr;
    for (IniSection& s : m_sections)
        if (s.name == section) {
            found = &s;
            break;
        }
    if (!found) {
        if (!create)
            return false;
        m_sections.push_back(IniSection{section, {}, {}});
        found = &m_sections.back();
    }
    for (std::size_t i = 0; i < found->names.size(); ++i)
        if (found->names[i] == name) {
            found->values[i] = value;
            return true;
        }
    if (!create)
        return false;
    found->names.push_back(name);
    found->values.push_back(value);
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
