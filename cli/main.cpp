// molvex2-render: equations and documents to pictures from the command line. The
// common case (one equation to SVG in a shipped face, or to a text form) is done here
// without loading Qt; everything else by molvex2-render-qt, which is run in its place.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/QuickRender.h"

namespace {

std::string Folder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string SelfPath()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto status = cli::QuickRender(args, std::cout, std::cerr))
        return *status;
    // Beside this program in the build tree, in libexec once installed.
    const std::string self = Folder(SelfPath());
    for (const std::string& candidate :
         {self + "/molvex2-render-qt", self + "/../" MOLVEX_LIBEXEC_DIR "/molvex2/molvex2-render-qt"}) {
        execv(candidate.c_str(), argv);
        if (errno != ENOENT)
            break;
    }
    std::cerr << "molvex2-render: cannot run molvex2-render-qt: " << std::strerror(errno) << "\n";
    return 2;
}
