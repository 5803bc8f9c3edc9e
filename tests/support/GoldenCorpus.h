#pragma once
// The golden corpus of equations (tests/platform/golden.txt): its option sets and
// fonts, and a playback of a recorded metafile into a list of what it draws, shared by
// the tests that draw the corpus through different contexts.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/EquationOptions.h"
#include "engine/LogRecords.h"

namespace golden {

std::uint64_t Fnv(const void* data, std::size_t n, std::uint64_t h = 1469598103934665603ull);
std::string Hex(std::uint64_t h);
// Undoes the escapes of the text column (\r, \n, \t, \xHH, \\).
std::string Unescape(const std::string& s);
// Option sets: the defaults, each equilibrium style, moved levels, changed sizes.
void ApplyOptionSet(CEquationOptions& o, const std::string& name);
KVLogFont FontOf(const std::string& name);
// What the records of a metafile have set up so far: the selected font and pen (their
// creation records, function first), text alignment, background mode, text colour and
// the current position.
struct MetafileState {
    std::vector<std::uint16_t> font, pen;
    std::uint16_t align = 0, bk = 0;
    std::uint32_t color = 0;
    int x = 0, y = 0;
};
using MetafileVisitor =
    std::function<void(std::uint16_t function, const std::vector<std::uint16_t>& params, const MetafileState& state)>;
// Keeps the state and calls `draw` for every other record (drawing, mapping, ...) in
// order, with the state before it.
void WalkMetafile(const std::vector<std::uint8_t>& wmf, const MetafileVisitor& draw);
// Every text and stroke a metafile draws, with its font, colour, alignment and pen,
// independent of object slots and of records that draw nothing.
std::string Playback(const std::vector<std::uint8_t>& wmf);

struct Case {
    std::string options, font, mode, text; // text escaped as stored
    std::string png, wmf, drawn;            // the fingerprints stored with it
};
// The cases of the corpus file, or nothing when it cannot be read.
std::vector<Case> ReadCases(const std::string& path);
std::string CorpusPath(); // from MOLVEX_SOURCE_DIR

} // namespace golden
