#include "document/CompoundFile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

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
    if (!HasSignature(file))
        return std::nullopt;
    GPtr<GsfInput> source(gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE));
    if (!source)
        return std::nullopt;
    return ReadFrom(source.get(), name);
}

std::optional<CCompoundFile::Bytes> CCompoundFile::ReadStreamFromFile(const std::string& path, const std::string& name)
{
    QuietLibraryLogs();
    GError* rawError = nullptr;
    GPtr<GsfInput> source(gsf_input_stdio_new(path.c_str(), &rawError));
    std::unique_ptr<GError, ErrorFree> error(rawError);
    if (!source)
        return std::nullopt;
    std::uint8_t head[sizeof kSignature] = {};
    if (gsf_input_size(source.get()) < static_cast<gsf_off_t>(sizeof head) ||
        !gsf_input_read(source.get(), sizeof head, head) || !HasSignature(head, sizeof head) ||
        gsf_input_seek(source.get(), 0, G_SEEK_SET))
        return std::nullopt;
    return ReadFrom(source.get(), name);
}
