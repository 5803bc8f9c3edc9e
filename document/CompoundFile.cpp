#include "document/CompoundFile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>

#include "document/InputLimits.h"

namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

void DiscardLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// libgsf reports damaged files through g_warning and g_critical. Those must neither
// reach the terminal nor, with fatal warnings switched on in the environment, abort
// the program: a broken document is an ordinary "Unexpected file format.".
void QuietLibraryLogs()
{
    static const bool installed = [] {
        const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL |
                                                        G_LOG_LEVEL_MESSAGE | G_LOG_FLAG_RECURSION);
        // nullptr is the domain of messages logged without one, as some of libgsf's are.
        for (const char* domain : {static_cast<const char*>(nullptr), "libgsf", "libgsf:msole", "libgsf:utils", "GLib",
                                   "GLib-GObject"}) {
            g_log_set_handler(domain, levels, DiscardLog, nullptr);
            g_log_set_fatal_mask(domain, G_LOG_LEVEL_ERROR);
        }
        return true;
    }();
    (void)installed;
}

struct Unref {
    void operator()(gpointer p) const
    {
        if (p)
            g_object_unref(p);
    }
};
template <class T>
using GPtr = std::unique_ptr<T, Unref>;

struct ErrorFree {
    void operator()(GError* e) const
    {
        if (e)
            g_error_free(e);
    }
};

GsfInput* FindChild(GsfInfile* dir, const std::string& name)
{
    if (GsfInput* exact = gsf_infile_child_by_name(dir, name.c_str()))
        return exact;
    // Storage names compare without case on the platform that writes most of them.
    const int n = gsf_infile_num_children(dir);
    for (int i = 0; i < n; ++i) {
        const char* childName = gsf_infile_name_by_index(dir, i);
        if (childName && g_ascii_strcasecmp(childName, name.c_str()) == 0)
            return gsf_infile_child_by_index(dir, i);
    }
    return nullptr;
}

// The layout of a compound file, as far as the checks below read it.
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::size_t kDirEntrySize = 128;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
// A document holds a root and "Contents"; a container adds a few companion streams.
// The library reads the directory tree recursively, sibling by sibling, and sorts
// each storage's children by insertion: bounding the entries bounds both its stack
// depth and its time.
constexpr std::size_t kMaxDirectoryEntries = 1024;

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Checks what the library walks without bounds before it is given the file: the
// header, the allocation table and the chains of the directory, the mini table and
// the mini stream, and the directory tree (its size, and that no entry is reached
// twice). Every walk is iterative and bounded by the file's size.
class StructureCheck {
public:
    StructureCheck(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Sound()
    {
        if (m_size < kHeaderSize || !CCompoundFile::HasSignature(m_data, m_size))
            return false;
        const unsigned shift = Le16(0x1E);
        const unsigned miniShift = Le16(0x20);
        if (Le16(0x1C) != 0xFFFE || shift < 7 || shift > 16 || miniShift == 0 || miniShift >= shift)
            return false;
        m_sectorSize = std::size_t(1) << shift;
        m_sectors = m_size / m_sectorSize > 0 ? m_size / m_sectorSize - 1 : 0;
        if (!ReadFatSectors())
            return false;
        const std::size_t perSector = m_sectorSize / kDirEntrySize;
        const std::size_t maxDirSectors = (kMaxDirectoryEntries + perSector - 1) / perSector;
        std::vector<std::uint32_t> dirChain;
        if (!Chain(Le32(m_data + 0x30), maxDirSectors, dirChain) || dirChain.empty())
            return false;
        std::vector<std::uint32_t> unused;
        if (Le32(m_data + 0x40) != 0 && !Chain(Le32(m_data + 0x3C), m_sectors, unused))
            return false;
        for (std::uint32_t s : dirChain)
            for (std::size_t i = 0; i < perSector; ++i)
                m_entries.push_back(m_data + SectorOffset(s) + i * kDirEntrySize);
        // The root has no siblings (the library would walk them all the same).
        if (m_entries[0][0x42] != kTypeRoot || Le32(m_entries[0] + 0x44) != kNoEntry ||
            Le32(m_entries[0] + 0x48) != kNoEntry)
            return false;
        // The mini stream is the root's own chain.
        if (Le32(m_entries[0] + 0x78) != 0 && !Chain(Le32(m_entries[0] + 0x74), m_sectors, unused))
            return false;
        return TreeIsSound();
    }

private:
    unsigned Le16(std::size_t at) const { return m_data[at] | m_data[at + 1] << 8; }
    std::size_t SectorOffset(std::uint32_t sector) const { return (std::size_t(sector) + 1) * m_sectorSize; }
    bool Present(std::uint32_t sector) const { return sector < m_sectors; }

    // The sectors holding the allocation table: the header's slots, then the chain of
    // extra slot sectors.
    bool ReadFatSectors()
    {
        const std::size_t count = Le32(m_data + 0x2C);
        if (count > m_sectors)
            return false;
        for (std::size_t i = 0; i < kHeaderFatSlots && m_fat.size() < count; ++i)
            m_fat.push_back(Le32(m_data + 0x4C + 4 * i));
        std::uint32_t extra = Le32(m_data + 0x44);
        const std::size_t slotsPerSector = m_sectorSize / 4 - 1;
        std::size_t walked = 0;
        while (m_fat.size() < count) {
            if (!Present(extra) || ++walked > m_sectors)
                return false;
            const std::uint8_t* p = m_data + SectorOffset(extra);
            for (std::size_t i = 0; i < slotsPerSector && m_fat.size() < count; ++i)
                m_fat.push_back(Le32(p + 4 * i));
            extra = Le32(p + 4 * slotsPerSector);
        }
        return std::all_of(m_fat.begin(), m_fat.end(), [this](std::uint32_t s) { return Present(s); });
    }

    bool Next(std::uint32_t sector, std::uint32_t& next) const
    {
        const std::size_t perSector = m_sectorSize / 4;
        const std::size_t fatIndex = sector / perSector;
        if (fatIndex >= m_fat.size())
            return false;
        next = Le32(m_data + SectorOffset(m_fat[fatIndex]) + 4 * (sector % perSector));
        return true;
    }

    // Follows a chain from `start` to its end: every sector in the file, none twice,
    // at most `limit` of them. An empty chain is sound.
    bool Chain(std::uint32_t start, std::size_t limit, std::vector<std::uint32_t>& chain) const
    {
        chain.clear();
        std::vector<bool> seen(m_sectors, false);
        for (std::uint32_t s = start; s != kEndOfChain && s != kNoEntry;) {
            if (!Present(s) || seen[s] || chain.size() >= limit)
                return false;
            seen[s] = true;
            chain.push_back(s);
            if (!Next(s, s))
                return false;
        }
        return true;
    }

    bool TreeIsSound() const
    {
        const std::size_t total = m_entries.size();
        std::vector<bool> seen(total, false);
        std::vector<std::uint32_t> pending{0};
        std::size_t reached = 0;
        while (!pending.empty()) {
            const std::uint32_t index = pending.back();
            pending.pop_back();
            if (index == kNoEntry)
                continue;
            if (index >= total || seen[index] || ++reached > kMaxDirectoryEntries)
                return false;
            seen[index] = true;
            const std::uint8_t* e = m_entries[index];
            const std::uint8_t type = e[0x42];
            if (type != kTypeStorage && type != kTypeStream && !(type == kTypeRoot && index == 0))
                return false;
            if (index != 0) {
                pending.push_back(Le32(e + 0x44));
                pending.push_back(Le32(e + 0x48));
            }
            if (type != kTypeStream)
                pending.push_back(Le32(e + 0x4C));
        }
        return true;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_sectorSize = 0;
    std::size_t m_sectors = 0;
    std::vector<std::uint32_t> m_fat;
    std::vector<const std::uint8_t*> m_entries;
};

std::optional<CCompoundFile::Bytes> ReadFrom(GsfInput* source, const std::string& name)
{
    GError* rawError = nullptr;
    GPtr<GsfInfile> root(gsf_infile_msole_new(source, &rawError));
    std::unique_ptr<GError, ErrorFree> error(rawError);
    if (!root)
        return std::nullopt;
    GPtr<GsfInput> stream(FindChild(root.get(), name));
    if (!stream)
        return std::nullopt;
    // A storage of that name is not the stream.
    if (GSF_IS_INFILE(stream.get()) && gsf_infile_num_children(GSF_INFILE(stream.get())) >= 0)
        return std::nullopt;
    const gsf_off_t size = gsf_input_size(stream.get());
    const gsf_off_t fileSize = gsf_input_size(source);
    // A crafted directory entry may claim any size: no stream can be larger than
    // the file that holds it.
    if (size < 0 || size > fileSize)
        return std::nullopt;
    CCompoundFile::Bytes bytes(static_cast<std::size_t>(size));
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<std::size_t>(size), bytes.data()))
        return std::nullopt;
    return bytes;
}

} // namespace

bool CCompoundFile::HasSignature(const std::uint8_t* data, std::size_t size)
{
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

std::optional<CCompoundFile::Bytes> CCompoundFile::Write(const std::vector<Entry>& entries)
{
    QuietLibraryLogs();
    GPtr<GsfOutput> sink(gsf_output_memory_new());
    if (!sink)
        return std::nullopt;
    GPtr<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
    if (!root)
        return std::nullopt;

    // Storages by path, kept open until every stream is written; closed innermost first.
    std::vector<std::pair<std::string, GPtr<GsfOutput>>> storages;
    auto storageFor = [&](const std::string& path) -> GsfOutfile* {
        GsfOutfile* parent = root.get();
        std::string sofar;
        std::size_t start = 0;
        while (start < path.size()) {
            std::size_t slash = path.find('/', start);
            if (slash == std::string::npos)
                slash = path.size();
            const std::string part = path.substr(start, slash - start);
            start = slash + 1;
            if (part.empty())
                continue;
            sofar += "/" + part;
            auto it = std::find_if(storages.begin(), storages.end(), [&](const auto& s) { return s.first == sofar; });
            if (it == storages.end()) {
                GsfOutput* dir = gsf_outfile_new_child(parent, part.c_str(), TRUE);
                if (!dir)
                    return nullptr;
                storages.emplace_back(sofar, GPtr<GsfOutput>(dir));
                parent = GSF_OUTFILE(dir);
            } else {
                parent = GSF_OUTFILE(it->second.get());
            }
        }
        return parent;
    };

    bool ok = true;
    for (const Entry& entry : entries) {
        const std::size_t slash = entry.path.rfind('/');
        const std::string dirPath = slash == std::string::npos ? std::string() : entry.path.substr(0, slash);
        const std::string leaf = slash == std::string::npos ? entry.path : entry.path.substr(slash + 1);
        GsfOutfile* dir = storageFor(dirPath);
        if (!dir) {
            ok = false;
            break;
        }
        if (leaf.empty())
            continue; // a storage only
        GPtr<GsfOutput> stream(gsf_outfile_new_child(dir, leaf.c_str(), FALSE));
        if (!stream) {
            ok = false;
            break;
        }
        if (!entry.data.empty() && !gsf_output_write(stream.get(), entry.data.size(), entry.data.data()))
            ok = false;
        if (!gsf_output_close(stream.get()))
            ok = false;
        if (!ok)
            break;
    }
    for (auto it = storages.rbegin(); it != storages.rend(); ++it)
        if (!gsf_output_close(it->second.get()))
            ok = false;
    storages.clear();
    if (!gsf_output_close(GSF_OUTPUT(root.get())))
        ok = false;
    if (!ok)
        return std::nullopt;

    const gsf_off_t size = gsf_output_size(sink.get());
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    if (size <= 0 || !data)
        return std::nullopt;
    return Bytes(data, data + size);
}

std::optional<CCompoundFile::Bytes> CCompoundFile::ReadStream(const Bytes& file, const std::string& name)
{
    QuietLibraryLogs();
    if (file.size() > kMaxDocumentBytes || !StructureCheck(file.data(), file.size()).Sound())
        return std::nullopt;
    GPtr<GsfInput> source(gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE));
    if (!source)
        return std::nullopt;
    return ReadFrom(source.get(), name);
}

std::optional<CCompoundFile::Bytes> CCompoundFile::ReadStreamFromFile(const std::string& path, const std::string& name)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxDocumentBytes)
        return std::nullopt;
    Bytes file(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(file.data()), size))
        return std::nullopt;
    return ReadStream(file, name);
}
