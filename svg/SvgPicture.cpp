#include "svg/SvgPicture.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/ChemModel.h"
#include "engine/ChemText.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LineBox.h"
#include "svg/SvgDC.h"

namespace {

// An empty equation measures like this digit, so its picture is never empty.
const char* const kEmptyEquationText = "3";
// Pictures larger than this on a side are refused, as the Qt export refuses them
// (kMaxPicturePixels of the document layer).
constexpr std::int64_t kMaxPictureSide = 16384;

std::int32_t Clamp32(std::int64_t v)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

bool HasBuiltinMetrics(const KVLogFontTBD& font) { return FindBuiltinFace(font.lf) != nullptr; }

SvgPicture RenderSvgPicture(const std::vector<std::string>& linesCp1252, const CEquationOptions& options,
                            const KVLogFontTBD& font, const SvgPictureSettings& settings)
{
    SvgPicture picture;
    CSvgDC dc;
    const std::size_t count = std::min(linesCp1252.size(), static_cast<std::size_t>(kEquationLines));
    std::vector<CEquationLine> records(count);
    std::vector<LineBox> boxes(count);
    std::vector<std::int32_t> tops(count, 0);
    std::int64_t total = 0;
    std::int32_t widest = 0;
    LineExtent first;
    bool anyLine = false;
    const int spacing = options.verticalSpacing.Get();
    for (std::size_t i = 0; i < count; ++i) {
        if (linesCp1252[i].empty())
            continue;
        tops[i] = Clamp32(total);
        records[i].SetText(linesCp1252[i]);
        boxes[i] = LayOutLine(records[i], dc, options, font);
        const LineExtent extent = boxes[i].Measured();
        if (!anyLine)
            first = extent;
        anyLine = true;
        total += static_cast<std::int64_t>(spacing) + extent.height;
        widest = std::max(widest, extent.width);
    }
    if (anyLine) {
        total -= spacing;
    } else {
        CEquationLine digit;
        digit.SetText(kEmptyEquationText);
        first = LayOutLine(digit, dc, options, font).Measured();
        total = first.height;
        widest = first.width;
    }
    const std::int64_t width = static_cast<std::int64_t>(widest) + 2 * static_cast<std::int64_t>(settings.margin);
    const std::int64_t height = total + 2 * static_cast<std::int64_t>(settings.margin);
    if (settings.margin < 0 || width <= 0 || height <= 0) {
        picture.error = "the picture is empty";
        return picture;
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        picture.error = "the picture is too large";
        return picture;
    }
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.lowering = Clamp32(total - first.height + first.depth);

    for (std::size_t i = 0; i < count; ++i) {
        if (linesCp1252[i].empty())
            continue;
        dc.SetTextAlign(TA_TOP | TA_LEFT);
        DrawLineBox(boxes[i], dc, settings.margin, Clamp32(static_cast<std::int64_t>(settings.margin) + tops[i]));
    }

    std::vector<chem::ChemLine> readings;
    for (std::size_t i = 0; i < count; ++i)
        if (!linesCp1252[i].empty())
            readings.push_back(chem::ReadText(linesCp1252[i]));
    const std::string title = chem::UnicodeText(readings, options.equilibriumArrow.Get());
    const std::string description = chem::SpeechText(readings);

    const std::string w = std::to_string(picture.width), h = std::to_string(picture.height);
    std::string& svg = picture.svg;
    svg.reserve(dc.Elements().size() + 512);
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg role=\"img\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
           "\" viewBox=\"0 0 " + w + " " + h + "\" xml:space=\"preserve\">\n";
    svg += "<title>" + (title.empty() ? std::string("Equation") : XmlEscape(title)) + "</title>\n";
    if (!description.empty())
        svg += "<desc>" + XmlEscape(description) + "</desc>\n";
    if (!settings.transparent)
        svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    svg += dc.Elements();
    svg += "</svg>\n";
    return picture;
}
