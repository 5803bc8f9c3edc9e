#pragma once
// A folder where writing runs out of room, to test that a failed write keeps the
// old file: a small tmpfs filled to the brim when the tests may mount one (root);
// otherwise an ordinary folder while a file size limit makes large writes fail, as
// a full disk would.
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class FullDisk {
public:
    FullDisk()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "molvex-full-XXXXXX").string();
        if (::mkdtemp(templ.data()))
            m_folder = templ;
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk()
    {
        Release();
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }
    // Writes `name` while there is still room (the good old file).
    void Prepare(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
    }
    // From now on nothing more fits: the tmpfs is filled, or files are limited to a
    // few hundred bytes (the limit's signal ignored, so writes fail with EFBIG).
    void Fill()
    {
        if (m_mounted) {
            std::ofstream filler(m_folder / ".filler", std::ios::binary);
            const std::string block(4096, 'f');
            for (int i = 0; i < 64 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i)
                filler.flush();
            return;
        }
        ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_oldLimit;
        small.rlim_cur = 256;
        m_limited = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    void Release()
    {
        if (m_limited)
            ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        m_limited = false;
    }
    bool IsTmpfs() const { return m_mounted; }

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_oldLimit{};
};
