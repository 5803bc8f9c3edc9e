#include "engine/Cp1252.h"

#include <cstdint>
#include <utility>

namespace {

// Code points of the bytes 0x80 to 0x9F; the five unassigned bytes stand for
// themselves as C1 controls so that every byte survives a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a code point, or -1 when Windows-1252 has none.
int CodePointToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The four letters of 0x80-0x9F that have a case: upper-case bytes and their
// lower-case partners.
constexpr unsigned char kHighUpper[] = {0x8A, 0x8C, 0x8E, 0x9F};
constexpr unsigned char kHighLower[] = {0x9A, 0x9C, 0x9E, 0xFF};

} // namespace

unsigned char Cp1252ToUpper(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 0x20);
    for (int i = 0; i < 4; ++i)
        if (c == kHighLower[i])
            return kHighUpper[i];
    return c;
}

unsigned char Cp1252ToLower(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    for (int i = 0; i < 4; ++i)
        if (c == kHighUpper[i])
            return kHighLower[i];
    return c;
}

// A letter has a case exactly when it has a partner of the other case.
bool Cp1252IsUpper(unsigned char c) { return Cp1252ToLower(c) != c; }
bool Cp1252IsLower(unsigned char c) { return Cp1252ToUpper(c) != c; }

char32_t Cp1252ToCodePoint(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F)
        return kHigh[c - 0x80];
    return c;
}

std::string Cp1252ToUtf8(const std::string& cp1252)
{
    std::string out;
    out.reserve(cp1252.size());
    for (char ch : cp1252)
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(ch)));
    return out;
}

namespace {

// The character at `i` and its length in bytes; length 0 when the bytes there are not
// UTF-8 (overlong forms, surrogates and values past U+10FFFF included).
std::pair<char32_t, std::size_t> DecodeUtf8(const std::string& utf8, std::size_t i)
{
    const std::size_t n = utf8.size();
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    if (b0 < 0x80)
        return {b0, 1};
    std::size_t len = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    }
    if (len == 0 || i + len > n)
        return {0, 0};
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(utf8[i + k]);
        if ((b & 0xC0) != 0x80)
            return {0, 0};
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0, 0};
    return {cp, len};
}

} // namespace

std::string Utf8ToCp1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, len] = DecodeUtf8(utf8, i);
        if (len == 0) {
            // Not UTF-8: most likely text already in Windows-1252; keep the byte.
            out += utf8[i++];
            continue;
        }
        const int byte = CodePointToCp1252(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        i += len;
    }
    return out;
}

std::string XmlSafeUtf8(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, len] = DecodeUtf8(utf8, i);
        const bool allowed = len > 0 && (cp >= 0x20 || cp == 0x09 || cp == 0x0A || cp == 0x0D) && cp != 0xFFFE &&
                             cp != 0xFFFF;
        if (allowed)
            out.append(utf8, i, len);
        i += len > 0 ? len : 1;
    }
    return out;
}

std::string Utf16ToCp1252(const std::u16string& utf16)
{
    std::string out;
    out.reserve(utf16.size());
    const std::size_t n = utf16.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            // A character beyond the basic plane never has a Windows-1252 form.
            out += '?';
            ++i;
            continue;
        }
        const int byte = CodePointToCp1252(u);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

namespace {

// The symbol encoding of the Symbol face: 0x20..0xFE to Unicode (0 where the byte is
// unassigned and drawn as Windows-1252 instead).
constexpr char32_t kSymbolHigh[0xFF - 0xA0] = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, // A0
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193, // A8
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, // B0
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, // B8
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, // C0
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, // C8
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, // D0
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, // D8
    0x25CA, 0x27E8, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, // E0
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, // E8
    0x0000, 0x27E9, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, // F0
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD,         // F8
};
// 0x40..0x7E: letters are the Greek alphabet in the Latin keyboard order.
constexpr char32_t kSymbolMid[0x7F - 0x40] = {
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, // 40
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, // 48
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, // 50
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F, // 58
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, // 60
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, // 68
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, // 70
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C,         // 78
};

} // namespace

char32_t SymbolToCodePoint(unsigned char c)
{
    if (c >= 0x40 && c < 0x7F)
        return kSymbolMid[c - 0x40];
    if (c == 0x22)
        return 0x2200;
    if (c == 0x24)
        return 0x2203;
    if (c == 0x27)
        return 0x220B;
    if (c == 0x2A)
        return 0x2217;
    if (c == 0x2D)
        return 0x2212;
    if (c >= 0x20 && c < 0x40)
        return c;
    if (c >= 0xA0 && c < 0xFF && kSymbolHigh[c - 0xA0] != 0)
        return kSymbolHigh[c - 0xA0];
    return Cp1252ToCodePoint(c);
}
