#include "document/PictureExport.h"

#include <algorithm>

#include "document/AppState.h"
#include "document/EquationText.h"
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
    picture.metrics = doc.MeasureEquation(recorder);
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

    doc.DrawEquation(recorder, picture.metrics.lineTops, 0, 0);
    picture.metafile = recorder.Close();
    return picture;
}

std::vector<std::uint8_t> PlaceableMetafile(const RecordedPicture& picture)
{
    return WithPlaceableHeader(picture.metafile, 0, 0, picture.logicalSize.cx, picture.logicalSize.cy,
                               picture.pixelsPerInchX);
}

std::optional<std::string> CMolvexDoc::CopyAsPicture(IClipboard& clipboard, CDC& screen)
{
    // Recorded first, so that a picture too large for its coordinates leaves the
    // clipboard as it was.
    std::optional<RecordedPicture> maybe = RecordEquationPicture(*this, screen);
    if (!maybe)
        return std::string(kPictureTooLarge);
    RecordedPicture& recorded = *maybe;
    if (!clipboard.Open())
        return std::string("Cannot open the Clipboard");
    if (!clipboard.Empty()) {
        clipboard.Close();
        return std::string("Cannot empty the Clipboard");
    }

    MetafilePicture picture;
    picture.metafile = std::move(recorded.metafile);
    picture.mappingMode = MM_ANISOTROPIC;
    picture.xExt = recorded.himetricSize.cx;
    picture.yExt = recorded.himetricSize.cy;
    picture.logicalSize = recorded.logicalSize;
    picture.native = SaveToBytes();
    const int style = App().options.equilibriumArrow.Get();
    picture.text = EquationUnicodeText(*this, style);
    picture.speech = EquationSpeech(*this);
    if (!picture.text.empty())
        picture.mathml = EquationMathML(*this, style);
    picture.lowering = recorded.metrics.lowering;
    // The clipboard renders its other formats while SetPicture runs; the document
    // is alive until then.
    const LineTops tops = recorded.metrics.lineTops;
    picture.draw = [this, tops](CDC& dc) { DrawEquation(dc, tops, 0, 0); };

    std::optional<std::string> error;
    if (!clipboard.SetPicture(picture))
        error = std::string("Unable to set Clipboard data");
    clipboard.Close();
    return error;
}
