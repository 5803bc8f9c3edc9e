#include "config/SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

} // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, const void* data, std::size_t size)
{
    if (path.empty())
        return Reason(ENOENT);
    const fs::path target = ThroughLinks(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

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
