#pragma once
// The equation as a picture: recorded as a 16-bit Windows metafile in which one
// logical unit is one pixel of the attribute (screen) context, with its size also
// in hundredths of a millimetre. Copy as Picture, the server item and the
// command-line renderer's .wmf output all record it this way.
#include <cstdint>
#include <optional>
#include <vector>

#include "document/Clipboard.h"
#include "document/MetafileDC.h"
#include "document/MolvexDoc.h"

struct RecordedPicture {
    std::vector<std::uint8_t> metafile; // no placeable header
    SIZE logicalSize;                    // window extent of the metafile
    SIZE himetricSize;                   // the same in hundredths of a millimetre
    int pixelsPerInchX = 96;             // the attribute context's logical inch
    int pixelsPerInchY = 96;
    EquationBox metrics;                 // as laid out while recording
};

// Records the document's equation with `attribute` answering the measuring; the
// attribute context is left as it was. Nothing, and nothing drawn, when the measured
// equation is beyond kMaxEquationExtent (its coordinates would be clamped).
std::optional<RecordedPicture> RecordEquationPicture(CMolvexDoc& doc, CDC& attribute);

// A length in logical units of a context with `pixelsPerInch` as hundredths of a
// millimetre, rounded to the nearest. A non-positive resolution counts as 96.
std::int32_t LogicalToHimetric(std::int32_t length, int pixelsPerInch);

// The picture as a .wmf file: placeable header with the box in logical units
// (PlaceableMetafile of a clipboard picture is in document/MetafileDC.h).
std::vector<std::uint8_t> PlaceableMetafile(const RecordedPicture& picture);
