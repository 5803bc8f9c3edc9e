// Opening documents from arbitrary bytes: as a bare archive, and as a compound file
// through a temporary file. A failed open must leave the document as it was; a
// successful one must save and load again to the same lines.
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
    const EquationMetrics m = doc.MeasureEquation(dc);
    doc.DrawEquation(dc, m.lineTops, 0, 0);
}

std::string TempPath()
{
    return (std::filesystem::temp_directory_path() / ("molvex-document-fuzz-" + std::to_string(::getpid()) + ".mv2"))
        .string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
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
