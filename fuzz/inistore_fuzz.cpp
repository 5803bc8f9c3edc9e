// The configuration loader over arbitrary bytes: load, save, reload, and the second
// load must see what the first one held.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "config/IniStore.h"

namespace {

std::string& FolderName()
{
    static std::string name;
    return name;
}

void RemoveFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(FolderName(), ec);
}

std::string Folder()
{
    static const std::string dir = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "inistore-fuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        FolderName() = tmpl;
        std::atexit(RemoveFolder);
        return tmpl + "/";
    }();
    return dir;
}

CIniStore StoreAt(const std::string& path)
{
    CIniStore s;
    s.SetCompany("Tamrel");
    s.SetFileName("Fuzz");
    s.SetLocation(4);
    s.SetPath(path);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = Folder() + "in.ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    CIniStore first = StoreAt(path);
    if (!first.Load())
        std::abort();
    for (const auto& s : first.Sections()) {
        if (s.names.size() != s.values.size())
            std::abort();
        for (std::size_t i = 0; i < s.names.size(); ++i)
            (void)first.GetInt(s.name, s.names[i]);
    }
    const std::string out = Folder() + "out.ini";
    first.SetPath(out);
    if (first.Save())
        std::abort();
    CIniStore second = StoreAt(out);
    if (!second.Load())
        std::abort();
    // Every entry read the first time comes back from the saved file, unless its
    // text holds a line break or the saved line grew too long to be read.
    for (const auto& s : first.Sections())
        for (std::size_t i = 0; i < s.names.size(); ++i) {
            const std::string& v = s.values[i];
            const bool writable = s.name.find_first_of("\r\n]") == std::string::npos &&
                                  s.names[i].find_first_of("\r\n=") == std::string::npos &&
                                  v.find_first_of("\r\n") == std::string::npos &&
                                  s.names[i].size() + 1 + v.size() <= 2047 && s.name.size() + 2 <= 2047 &&
                                  !(s.names[i].empty() && v.empty());
            if (writable && second.GetString(s.name, s.names[i]) != v)
                std::abort();
        }
    std::remove(out.c_str());
    return 0;
}
