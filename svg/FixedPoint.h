#pragma once
// FreeType's 16.16 and 26.6 fixed-point steps, so that scaled font values round as the
// library rounds them (shared by the metrics and their generator).
namespace fixed {

inline long MulFix(long a, long b)
{
    const long s = (a < 0) != (b < 0) ? -1 : 1;
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    return s * ((a * b + 0x8000L) >> 16);
}
inline long DivFix(long a, long b) { return (a * 65536L + b / 2) / b; }
// 26.6 to the nearest whole pixel, still in 26.6.
inline long PixRound(long v) { return (v + 32) & -64; }

} // namespace fixed
