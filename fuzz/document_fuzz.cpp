// Opening documents from arbitrary bytes: as a bare archive, and as a compound file
// through a temporary file. A failed open must leave the document as it was; a
// successful one must save and load again to the same lines.
//
// An input starting with 'G' instead describes a compound file to build, so that a
// few mutated bytes reach directories of tens of thousands of entries: bytes 1-2 the
// number of streams (up to 50000), byte 3 the shape of the directory tree (a right or
// left sibling chain, nested storages, a balanced tree), then groups of four bytes,
// each damaging one entry (entry index, field, value).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "document/CompoundFile.h"
#include "document/MolvexDoc.h"
#include "tests/document/CraftedCompound.h"
#include "tests/support/FakeDC.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckOpen(CMolvexDoc& doc, const DocResult& result)
{
    if (!result.ok) {
        Check(!result.message.empty());
        Check(doc.Lines().texts[0] == "old" && doc.Lines().texts[1] == "text");
        return;
    }
    // What was loaded saves and loads again unchanged.
    const std::vector<std::uint8_t> saved = doc.SaveToBytes();
    MolvexAppState app;
    CMolvexDoc again(app);
    Check(again.LoadFromBytes(saved).ok);
    Check(again.Lines().texts == doc.Lines().texts);
    Check(again.SaveToBytes() == saved);

    CFakeDC dc;
    dc.SetRecording(false);
    const EquationBox m = doc.MeasureEquation(dc);
    doc.DrawEquation(dc, 0, 0);
}

constexpr std::size_t kMaxGeneratedStreams = 50000;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

std::vector<std::uint8_t> Generated(const std::uint8_t* data, std::size_t size)
{
    const std::size_t streams = size > 2 ? (data[1] | data[2] << 8) % (kMaxGeneratedStreams + 1) : 1;
    const std::uint8_t shape = size > 3 ? data[3] % 4 : 0;
    MolvexAppState app;
    CMolvexDoc doc(app);
    doc.lineList.texts[0] = "H2O";
    return crafted::CraftedCompoundFile(streams, doc.SaveToBytes(), [&](std::vector<crafted::CraftedEntry>& e) {
        const std::uint32_t n = static_cast<std::uint32_t>(e.size());
        for (std::uint32_t i = 1; i < n; ++i) {
            const std::uint32_t next = i + 1 < n ? i + 1 : kNone;
            if (shape == 1) {
                e[i].left = next;
                e[i].right = kNone;
            } else if (shape == 2 && next != kNone) {
                e[i].type = 1; // a storage holding the next entry
                e[i].right = kNone;
                e[i].child = next;
            } else if (shape == 3) {
                e[i].left = 2 * i < n ? 2 * i : kNone;
                e[i].right = 2 * i + 1 < n ? 2 * i + 1 : kNone;
            }
        }
        for (std::size_t at = 4; at + 4 <= size; at += 4) {
            crafted::CraftedEntry& entry = e[(data[at] | data[at + 1] << 8) % n];
            const std::uint32_t value = data[at + 3] == 0xFF ? kNone : data[at + 3] * n / 255;
            switch (data[at + 2] % 6) {
            case 0: entry.left = value; break;
            case 1: entry.right = value; break;
            case 2: entry.child = value; break;
            case 3: entry.type = data[at + 3] % 6; break;
            case 4: entry.size = data[at + 3] * 97u; break;
            default: entry.start = data[at + 3] == 0xFF ? kNone : data[at + 3]; break;
            }
        }
    });
}

std::string TempPath()
{
    return (std::filesystem::temp_directory_path() / ("molvex-document-fuzz-" + std::to_string(::getpid()) + ".mv2"))
        .string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes = size > 0 && data[0] == 'G' ? Generated(data, size)
                                                                       : std::vector<std::uint8_t>(data, data + size);
    data = bytes.data();
    size = bytes.size();
    {
        MolvexAppState app;
        CMolvexDoc doc(app);
        doc.lineList.texts[0] = "old";
        doc.lineList.texts[1] = "text";
        CheckOpen(doc, doc.LoadFromBytes(bytes));
    }
    if (CCompoundFile::HasSignature(bytes)) {
        const std::string path = TempPath();
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        }
        MolvexAppState app;
        CMolvexDoc doc(app);
        doc.lineList.texts[0] = "old";
        doc.lineList.texts[1] = "text";
        CheckOpen(doc, doc.OpenFile(path));
        // The file and the memory readers agree.
        Check(CCompoundFile::ReadStreamFromFile(path, "Contents") == CCompoundFile::ReadStream(bytes, "Contents"));
        std::remove(path.c_str());
    }
    return 0;
}
