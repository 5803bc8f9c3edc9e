#pragma once
// Structured-storage (OLE compound) files through libgsf: the outer layer of a
// document file, whose root storage holds the document's archive as the stream
// "Contents".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CCompoundFile {
public:
    using Bytes = std::vector<std::uint8_t>;

    // D0 CF 11 E0 A1 B1 1A E1: the first eight bytes of every compound file.
    static bool HasSignature(const std::uint8_t* data, std::size_t size);
    static bool HasSignature(const Bytes& data) { return HasSignature(data.data(), data.size()); }

    // One stream to write. The path names the stream inside the root storage;
    // '/' separates the storages it lies in ("Sub/Inner/Data"), which are created as
    // needed. A path that ends in '/' makes an empty storage.
    struct Entry {
        std::string path;
        Bytes data;
    };

    // The bytes of a compound file holding the given entries in order; nullopt when
    // the library fails.
    static std::optional<Bytes> Write(const std::vector<Entry>& entries);
    // The document form: a root storage with the one stream "Contents".
    static std::optional<Bytes> WriteContents(const Bytes& contents) { return Write({{"Contents", contents}}); }

    // The bytes of a stream of the root storage ("Contents" for documents) of the
    // compound file held in memory or at a path. nullopt when the data is not a
    // readable compound file, the stream is missing or is a storage, or the stream
    // claims more bytes than the file holds. Other streams and storages are ignored.
    static std::optional<Bytes> ReadStream(const Bytes& file, const std::string& name);
    static std::optional<Bytes> ReadStreamFromFile(const std::string& path, const std::string& name);
};
