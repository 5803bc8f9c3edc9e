#include "document/PictureExport.h"

#include <algorithm>

#include "document/AppState.h"
#include "document/InputLimits.h"
#include "document/MetafileDC.h"

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

int UsableInch(int pixelsPerInch) { return pixelsPerInch > 0 ? pixelsPerInch : 96; }

} // namespace

std::vector<std::uint8_t> MetafilePicture::MetafilePictBytes() const
{
    std::vector<std::uint8_t> out;
    out.reserve(16);
    Put32(out, static_cast<std::uint32_t>(mappingMode));
    Put32(out, static_cast<std::uint32_t>(xExt));
    Put32(out, static_cast<std::uint32_t>(yExt));
    Put32(out, 0); // the metafile handle is the receiving side's business
    return out;
}

std::int32_t LogicalToHimetric(std::int32_t length, int pixelsPerInch)
{
    // A context reporting no resolution would divide by zero; the usual screen
    // inch is the sensible stand-in.
    const std::int64_t inch = UsableInch(pixelsPerInch);
    const std::int64_t scaled = static_cast<std::int64_t>(length) * 2540;
    const std::int64_t rounded = scaled >= 0 ? (scaled + inch / 2) / inch : -((-scaled + inch / 2) / inch);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(rounded, INT32_MIN, INT32_MAX));
}

std::optional<RecordedPicture> RecordEquationPicture(CMolvexDoc& doc, CDC& attribute)
{
    RecordedPicture picture;
    CMetafileDC recorder(attribute);
    recorder.SetMapMode(MM_ANISOTROPIC);
    const std::shared_ptr<const EquationBox> equation = doc.Layout(recorder);
    picture.metrics = *equation;
    const SIZE size = picture.metrics.size;
    if (!EquationFitsPicture(size)) {
        (void)recorder.Close();
        return std::nullopt;
    }
    recorder.SetWindowOrg(0, 0);
    recorder.SetWindowExt(size.cx, size.cy);
    recorder.SetViewportExt(size.cx, size.cy);

    picture.logicalSize = size;
    picture.pixelsPerInchX = UsableInch(recorder.GetDeviceCaps(LOGPIXELSX));
    picture.pixelsPerInchY = UsableInch(recorder.GetDeviceCaps(LOGPIXELSY));
    picture.himetricSize = SIZE{LogicalToHimetric(size.cx, picture.pixelsPerInchX),
                                LogicalToHimetric(size.cy, picture.pixelsPerInchY)};

    DrawEquationBox(*equation, recorder, 0, 0);
    picture.metafile = recorder.Close();
    return picture;
}

std::vector<std::uint8_t> PlaceableMetafile(const RecordedPicture& picture)
{
    return WithPlaceableHeader(picture.metafile, 0, 0, picture.logicalSize.cx, picture.logicalSize.cy,
                               picture.pixelsPerInchX);
}
