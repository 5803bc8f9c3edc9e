#include "config/SafeWrite.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

// Links to links are followed to the end; a dangling link names the file to create.
fs::path ThroughLinks(const fs::path& path)
{
    fs::path target = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

std::string Reason(int error) { return std::strerror(error); }

bool WriteAll(int fd, const char* data, std::size_t size, int& error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Temporary files are named ".NAME.XXXXXXXX.tmp" (eight hex digits).
bool TemporaryName(const std::string& name)
{
    constexpr std::size_t kTail = 1 + 8 + 4; // ".XXXXXXXX.tmp"
    if (name.size() < 2 + kTail || name[0] != '.' || name.compare(name.size() - 4, 4, ".tmp") != 0)
        return false;
    const std::size_t dot = name.size() - kTail;
    if (name[dot] != '.')
        return false;
    for (std::size_t i = dot + 1; i < dot + 9; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// A save killed before its rename leaves its temporary file behind. One that nobody
// holds locked (a writer locks its own until it is done), is ours and has not been
// touched for a minute is such a leftover.
void RemoveStaleTemporaries(const fs::path& folder)
{
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (!TemporaryName(p.filename().string()))
            continue;
        struct stat st {};
        std::error_code timeError;
        const auto modified = fs::last_write_time(p, timeError);
        if (::lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || timeError ||
            now - modified < std::chrono::minutes(1))
            continue;
        const int fd = ::open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(p.c_str());
        ::close(fd);
    }
}

// A named pipe or a character device takes the bytes as they come: there is nothing
// to replace, and renaming over it would turn it into a plain file.
std::optional<std::string> WriteDirectly(const std::string& path, const void* data, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Reason(errno);
    int error = 0;
    bool ok = WriteAll(fd, static_cast<const char*>(data), size, error);
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok)
        return Reason(error);
    return std::nullopt;
}

std::string NotAFile(mode_t mode)
{
    const char* what = S_ISDIR(mode) ? "a folder" : S_ISBLK(mode) ? "a block device" : S_ISSOCK(mode) ? "a socket" : "a special file";
    return std::string("it is ") + what + ", not a regular file; nothing was written";
}

} // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, const void* data, std::size_t size)
{
    if (path.empty())
        return Reason(ENOENT);
    // The system follows every link here, those under /proc/self/fd included.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        if (S_ISFIFO(existing.st_mode) || S_ISCHR(existing.st_mode))
            return WriteDirectly(path, data, size);
        return NotAFile(existing.st_mode);
    }
    const fs::path target = ThroughLinks(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    RemoveStaleTemporaries(folder);

    std::random_device random;
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        temp = folder / ("." + target.filename().string() + suffix);
        // 0666 leaves the permissions of a new file to the user's umask.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Reason(errno);
    // Held until the file is closed: a save in progress is never taken for a leftover.
    (void)::flock(fd, LOCK_EX);

    int error = 0;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, static_cast<const char*>(data), size, error);
    // Data that the disk has no room for fails here at the latest, not after the rename.
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return Reason(error);
    }
    return std::nullopt;
}
