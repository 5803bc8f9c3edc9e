#pragma once
// The clipboard as the document layer sees it; the platform layer implements it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/DeviceContext.h"

// What Copy as Picture hands over.
struct MetafilePicture {
    std::vector<std::uint8_t> metafile; // 16-bit Windows metafile, no placeable header
    std::int32_t mappingMode = MM_ANISOTROPIC;
    std::int32_t xExt = 0;              // hundredths of a millimetre
    std::int32_t yExt = 0;
    SIZE logicalSize;                   // the equation's size in logical units
    std::vector<std::uint8_t> native;   // the document's archive bytes
    // Draws the same picture on another device context (window origin 0,0, extent
    // logicalSize), so the platform can offer other renditions.
    std::function<void(CDC&)> draw;
    // The equation written out (UTF-8): Unicode text, speech, MathML; and how far the
    // picture sits below the first line's base line, in logical units.
    std::string text;
    std::string speech;
    std::string mathml;
    std::int32_t lowering = 0;
    // The 16 bytes of the METAFILEPICT record (handle field 0).
    std::vector<std::uint8_t> MetafilePictBytes() const;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool Open() = 0;
    virtual bool Empty() = 0;
    virtual bool SetPicture(const MetafilePicture& picture) = 0;
    virtual void Close() = 0;
};
