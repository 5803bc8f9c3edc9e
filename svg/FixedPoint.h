#pragma once
// FreeType's 16.16 and 26.6 fixed-point steps, so that scaled font values round as the
// library rounds them (shared by the metrics and their generator).
#include <cstdint>

// 64-bit on purpose: `std::int64_t` is 32 bits in WebAssembly, where large pixel sizes overflow it.
namespace fixed {

inline std::int64_t MulFix(std::int64_t a, std::int64_t b)
{
    const std::int64_t s = (a < 0) != (b < 0) ? -1 : 1;
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    return s * ((a * b + 0x8000) >> 16);
}
inline std::int64_t DivFix(std::int64_t a, std::int64_t b) { return (a * 65536 + b / 2) / b; }
// 26.6 to the nearest whole pixel, still in 26.6.
inline std::int64_t PixRound(std::int64_t v) { return (v + 32) & -64; }

} // namespace fixed
