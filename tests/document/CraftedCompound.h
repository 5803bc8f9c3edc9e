#pragma once
// Compound files built by hand, with directories no library would write: the tests
// and the document fuzz target make long sibling chains, loops and damaged entries
// with it.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace crafted {

using Bytes = std::vector<std::uint8_t>;

// A compound file written sector by sector: a root whose child is a chain of
// `streams` entries, each the right sibling of the one before, the last "Contents"
// holding `archive` in the mini stream. `tweak` may damage the directory entries
// (index 0 is the root) before they are laid down.
struct CraftedEntry {
    std::string name;
    std::uint8_t type = 2;
    std::uint32_t left = 0xFFFFFFFF, right = 0xFFFFFFFF, child = 0xFFFFFFFF;
    std::uint32_t start = 0xFFFFFFFE, size = 0;
};
inline Bytes CraftedCompoundFile(std::size_t streams, const Bytes& archive,
                                 const std::function<void(std::vector<CraftedEntry>&)>& tweak)
{
    constexpr std::uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatMark = 0xFFFFFFFD;
    std::vector<CraftedEntry> entries(streams + 1);
    entries[0] = {"Root Entry", 5, kFree, kFree, streams ? 1u : kFree, 0, 512};
    for (std::size_t i = 1; i <= streams; ++i) {
        entries[i].name = i == streams ? "Contents" : "S" + std::to_string(i);
        if (i < streams)
            entries[i].right = static_cast<std::uint32_t>(i + 1);
    }
    entries[streams].start = 0;
    entries[streams].size = static_cast<std::uint32_t>(archive.size());
    tweak(entries);

    const std::uint32_t dirSectors = static_cast<std::uint32_t>((entries.size() + 3) / 4);
    const std::uint32_t miniFat = dirSectors, miniStream = dirSectors + 1;
    std::uint32_t fatSectors = 1;
    while (fatSectors * 128 < dirSectors + 2 + fatSectors)
        ++fatSectors;
    const std::uint32_t total = dirSectors + 2 + fatSectors;

    Bytes file(512 * (1 + total), 0);
    auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(&file[at], &v, 2); };
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&file[at], &v, 4); };
    auto sector = [](std::uint32_t s) { return 512 * (std::size_t(s) + 1); };
    const std::uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(file.data(), signature, 8);
    put16(0x18, 0x3E);
    put16(0x1A, 3);
    put16(0x1C, 0xFFFE);
    put16(0x1E, 9);
    put16(0x20, 6);
    put32(0x2C, fatSectors);
    put32(0x30, 0);
    put32(0x38, 4096);
    put32(0x3C, miniFat);
    put32(0x40, 1);
    put32(0x44, kEnd);
    for (std::uint32_t i = 0; i < 109; ++i)
        put32(0x4C + 4 * i, i < fatSectors ? miniStream + 1 + i : kFree);

    std::vector<std::uint32_t> fat(fatSectors * 128, kFree);
    for (std::uint32_t s = 0; s < dirSectors; ++s)
        fat[s] = s + 1 < dirSectors ? s + 1 : kEnd;
    fat[miniFat] = kEnd;
    fat[miniStream] = kEnd;
    for (std::uint32_t i = 0; i < fatSectors; ++i)
        fat[miniStream + 1 + i] = kFatMark;
    std::memcpy(&file[sector(miniStream + 1)], fat.data(), fat.size() * 4);

    const std::uint32_t miniSectors = static_cast<std::uint32_t>((archive.size() + 63) / 64);
    for (std::uint32_t m = 0; m < 128; ++m)
        put32(sector(miniFat) + 4 * m, m + 1 < miniSectors ? m + 1 : (m < miniSectors ? kEnd : kFree));
    std::copy(archive.begin(), archive.end(), file.begin() + static_cast<long>(sector(miniStream)));
    entries[0].start = miniStream;

    for (std::size_t i = 0; i < dirSectors * 4; ++i) {
        const std::size_t at = sector(0) + 128 * i;
        const CraftedEntry e = i < entries.size() ? entries[i] : CraftedEntry{"", 0};
        for (std::size_t c = 0; c < e.name.size() && c < 31; ++c)
            file[at + 2 * c] = static_cast<std::uint8_t>(e.name[c]);
        put16(at + 0x40, e.name.empty() ? 0 : static_cast<std::uint16_t>(2 * (e.name.size() + 1)));
        file[at + 0x42] = e.type;
        file[at + 0x43] = 1;
        put32(at + 0x44, e.left);
        put32(at + 0x48, e.right);
        put32(at + 0x4C, e.child);
        put32(at + 0x74, e.start);
        put32(at + 0x78, e.size);
    }
    return file;
}
inline Bytes CraftedCompoundFile(std::size_t streams, const Bytes& archive)
{
    return CraftedCompoundFile(streams, archive, [](std::vector<CraftedEntry>&) {});
}

} // namespace crafted
