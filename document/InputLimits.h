#pragma once
// Bounds on what enters from outside (documents, native data, equations to picture),
// checked before anything is allocated or recorded, so that a hostile or damaged
// input gives a clear error instead of exhausting memory or a wrong picture.
#include <cstddef>
#include <cstdint>

#include "engine/DeviceContext.h"

// A document file or a container's native data. A full equation is a few kilobytes;
// twenty lines as wide as the largest picture stay far below this.
constexpr std::size_t kMaxDocumentBytes = 2u * 1024u * 1024u;

// A metafile stores coordinates as signed 16-bit numbers.
constexpr std::int32_t kMaxMetafileCoordinate = 32767;
// Widest and tallest image made of an equation, in pixels.
constexpr int kMaxPicturePixels = 16384;
// An equation's size in logical units that every picture form can hold: one logical
// unit is one pixel of an unscaled image and one metafile unit.
constexpr std::int32_t kMaxEquationExtent =
    kMaxPicturePixels < kMaxMetafileCoordinate ? kMaxPicturePixels : kMaxMetafileCoordinate;

// The message for an equation beyond kMaxEquationExtent.
constexpr const char* kPictureTooLarge = "the picture is too large";

// Whether an equation measured as `size` (logical units) can be pictured.
constexpr bool EquationFitsPicture(SIZE size)
{
    return size.cx >= 0 && size.cy >= 0 && size.cx <= kMaxEquationExtent && size.cy <= kMaxEquationExtent;
}
