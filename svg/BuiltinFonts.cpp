#include "svg/BuiltinFonts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "svg/FixedPoint.h"

struct BuiltinFace {
    const char* family;
    int style; // bit 0 bold, bit 1 italic
    bool symbol;
    int unitsPerEm;
    int winAscent;
    int winDescent;
    int lineGap;
    int avgCharWidth;
    int maxAdvance;
    bool canEmbolden; // a regular face Qt makes bold itself
    std::array<std::int16_t, 256> advance;
    std::array<std::int16_t, 4 * 256> bounds; // each byte's ink: left, bottom, right, top
};

namespace {

#define FACE(family, style, symbol, upem, ascent, descent, gap, avg, maxAdvance, embolden) \
    BuiltinFace{family, style, symbol != 0, upem, ascent, descent, gap, avg, maxAdvance, embolden != 0,
#define ADVANCES(...) {{__VA_ARGS__}},
#define BOUNDS(...) {{__VA_ARGS__}}},
const BuiltinFace kFaces[] = {
#include "svg/FontMetricsData.inc"
};
#undef FACE
#undef ADVANCES
#undef BOUNDS

constexpr int kMaxPixelSize = 2048;
// Qt's default tab stop, in pixels, whatever the font.
constexpr int kTabAdvance = 80;
// Qt synthesises bold only below this size.
constexpr int kEmboldenLimit = 64;

using fixed::DivFix;
using fixed::MulFix;
using fixed::PixRound;
int Pixels(std::int64_t v26_6) { return static_cast<int>(PixRound(v26_6) >> 6); }

bool SameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

// The names fontconfig resolves to each family here (Debian 12 with fonts-liberation
// and fonts-urw-base35); Helvetica and Times go to the URW faces and are not listed.
struct Alias {
    const char* name;
    const char* family;
};
constexpr Alias kAliases[] = {
    {"Arial", "Liberation Sans"},           {"Liberation Sans", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"}, {"Liberation Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},     {"Liberation Mono", "Liberation Mono"},
    {"Symbol", "Standard Symbols PS"},
};

} // namespace

const BuiltinFace* FindBuiltinFace(const LOGFONTA& lf)
{
    char name[LF_FACESIZE + 1] = {};
    std::memcpy(name, lf.lfFaceName, LF_FACESIZE);
    const char* face = name[0] ? name : "Arial";
    const char* family = nullptr;
    for (const Alias& a : kAliases)
        if (SameName(face, a.name))
            family = a.family;
    // Between the regular and the bold face Qt's choice is clear only at these.
    const int weight = lf.lfWeight == 0 ? 400 : lf.lfWeight;
    if (!family || (weight != 400 && weight != 700))
        return nullptr;
    const bool symbol = std::strcmp(family, "Standard Symbols PS") == 0;
    const int style = symbol ? 0 : (weight == 700 ? 1 : 0) | (lf.lfItalic ? 2 : 0);
    for (const BuiltinFace& f : kFaces)
        if (f.style == style && std::strcmp(f.family, family) == 0)
            return &f;
    return nullptr;
}

bool IsSymbolFace(const BuiltinFace& face) { return face.symbol; }

const char* BuiltinFamily(const BuiltinFace& face) { return face.family; }

BuiltinFont RealiseBuiltin(const BuiltinFace& face, const LOGFONTA& lf, int pixelSize)
{
    int px = std::clamp(std::abs(pixelSize), 1, kMaxPixelSize);
    const auto scaleOf = [&face](int size) { return DivFix(size * 64L, face.unitsPerEm); };
    if (pixelSize < 0) {
        // A cell height: the character height is the cell less the internal leading.
        const std::int64_t s = scaleOf(px);
        const int full = Pixels(MulFix(face.winAscent, s)) + Pixels(MulFix(face.winDescent, s));
        if (full > 0)
            px = std::clamp(static_cast<int>(std::lround(static_cast<double>(px) * px / full)), 1, kMaxPixelSize);
    }
    const std::int64_t scale = scaleOf(px);
    BuiltinFont f;
    f.face = &face;
    f.emHeight = px;
    f.ascent = Pixels(MulFix(face.winAscent, scale));
    f.descent = Pixels(MulFix(face.winDescent, scale));
    f.leading = Pixels(MulFix(face.lineGap, scale));
    // Qt's QFixed arithmetic: a quotient rounded to 26.6 units, then to pixels.
    const std::int64_t avg = (static_cast<std::int64_t>(face.avgCharWidth) * px * 64 + face.unitsPerEm / 2) / face.unitsPerEm;
    f.aveCharWidth = static_cast<int>((avg + 32) >> 6);
    f.maxCharWidth = Pixels(MulFix(face.maxAdvance, scale));
    const bool embolden = face.canEmbolden && lf.lfWeight >= 700 && px < kEmboldenLimit;
    const std::int64_t strength = embolden ? MulFix(face.unitsPerEm, scale) / 24 : 0;
    f.scale = scale;
    f.strength = strength;
    for (int b = 0; b < 256; ++b)
        f.advance[static_cast<std::size_t>(b)] =
            static_cast<std::int32_t>((PixRound(MulFix(face.advance[static_cast<std::size_t>(b)], scale)) + strength + 32) >> 6);
    // What Qt's text layout does with these characters rather than the font.
    f.advance['\t'] = kTabAdvance;
    for (unsigned char c : {'\n', '\f', '\r'})
        f.advance[c] = 0;
    f.advance[face.symbol ? 0x9C : 0xAD] = 0;
    return f;
}

PixelBox BuiltinInk(const BuiltinFont& font, unsigned char b)
{
    if (!font.face)
        return {};
    const std::int16_t* box = &font.face->bounds[4 * static_cast<std::size_t>(b)];
    if (box[0] == box[2] || box[1] == box[3])
        return {};
    // 26.6 pixels rounded outward; synthetic bold may grow the outline on every side.
    const auto down = [](std::int64_t v) { return static_cast<int>((v >= 0 ? v : v - 63) / 64); };
    const auto up = [](std::int64_t v) { return static_cast<int>((v >= 0 ? v + 63 : v) / 64); };
    const std::int64_t s = font.strength;
    return PixelBox{down(MulFix(box[0], font.scale) - s), -up(MulFix(box[3], font.scale) + s),
                    up(MulFix(box[2], font.scale) + s), -down(MulFix(box[1], font.scale) - s)};
}
