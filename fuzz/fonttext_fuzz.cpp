// The font text parse and the archive's string and record reading over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Archive.h"
#include "engine/LogRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    KVLogFont font;
    font.FromText(text);
    if (std::strlen(font.lf.lfFaceName) > 31)
        std::abort();
    // The written form parses back to itself (names with a NUL are cut there).
    KVLogFont again;
    again.FromText(font.ToText());
    if (again.ToText() != font.ToText())
        std::abort();

    CArchive ar(std::vector<std::uint8_t>(data, data + size));
    try {
        while (ar.Remaining() > 0) {
            const std::size_t before = ar.Remaining();
            const std::string s = ar.ReadString();
            if (s.size() > size || ar.Remaining() >= before)
                std::abort();
        }
    } catch (const CArchiveException&) {
    }

    CArchive records(std::vector<std::uint8_t>(data, data + size));
    try {
        KVEquationFont f;
        f.Serialize(records);
        if (std::strlen(f.lf.lfFaceName) > 31)
            std::abort();
        KVLogPen pen;
        pen.Serialize(records);
        KVLogBrush brush;
        brush.Serialize(records);
        (void)pen.ToText();
        (void)brush.ToText();
    } catch (const CArchiveException&) {
    }
    return 0;
}
