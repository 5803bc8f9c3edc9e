#pragma once
// Replacing a file's content without ever leaving it damaged: the bytes go to a
// temporary file beside it, every write, the flush to the disk and the close are
// checked, and only then is the temporary file renamed over the old one. On any
// failure the old file stays as it was and the temporary file is removed.
#include <cstddef>
#include <optional>
#include <string>

// Writes `size` bytes to `path`. A symbolic link is followed, so the file it points
// to is replaced and the link stays. An existing file keeps its permissions; a new
// one is created with 0666 less the process's umask. Returns the system's reason on
// failure ("No space left on device").
//
// A named pipe or character device is written into directly (a reader of the pipe gets
// the bytes); any other file that is not a regular file (folder, socket, block device)
// is refused and left alone. Temporary files that an earlier save killed halfway left
// in the folder are removed.
std::optional<std::string> WriteFileSafely(const std::string& path, const void* data, std::size_t size);
inline std::optional<std::string> WriteFileSafely(const std::string& path, const std::string& bytes)
{
    return WriteFileSafely(path, bytes.data(), bytes.size());
}
