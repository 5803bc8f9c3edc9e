#pragma once
// Metrics of the faces the program ships or depends on (Liberation Sans, Serif and
// Mono in four styles each, and the Symbol face's Standard Symbols PS), exactly as the
// Qt device context gets them from FreeType with full hinting and kerning off, without
// Qt or FreeType at run time. The numbers come from tables generated from the fonts
// (svg/tools/GenerateFontMetrics.cpp), which prove for every pixel size that a hinted
// advance is the rounded scaled design advance.
#include <array>
#include <cstdint>

#include "engine/DeviceContext.h"

struct BuiltinFace; // one face's design values

// A face realised at one pixel size: metrics in device pixels.
struct BuiltinFont {
    const BuiltinFace* face = nullptr;
    int emHeight = 0; // the character height it was made for
    int ascent = 0;
    int descent = 0;
    int leading = 0; // the face's line gap, may be 0
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    std::array<std::int32_t, 256> advance{};
    std::int64_t scale = 0;    // design units to 26.6 pixels, in 16.16
    std::int64_t strength = 0; // synthetic bold's growth, 26.6 pixels
};

// Where a glyph leaves ink, in device pixels from the start of its baseline, y down;
// right and bottom exclusive, empty when left == right.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// The face a font description resolves to as Qt resolves it through fontconfig, or
// null when it is none of the built-in ones or when its weight is one whose face Qt
// might pick differently. An empty name is Arial, as in the Qt context.
const BuiltinFace* FindBuiltinFace(const LOGFONTA& lf);
bool IsSymbolFace(const BuiltinFace& face);
// The family the face belongs to ("Liberation Sans", ...) as an SVG viewer knows it.
const char* BuiltinFamily(const BuiltinFace& face);

// The font at `pixelSize` pixels of character height; a negative size is a cell
// height, from which the character height is taken in the face's proportions, as the
// Qt context does. Sizes are brought into 1..2048.
BuiltinFont RealiseBuiltin(const BuiltinFace& face, const LOGFONTA& lf, int pixelSize);

// The ink of byte `b` in `font`: its outline's box scaled to pixels and rounded outward
// (a viewer draws the outline unhinted).
PixelBox BuiltinInk(const BuiltinFont& font, unsigned char b);
