#include "svg/SvgPicture.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/ChemModel.h"
#include "engine/ChemText.h"
#include "engine/EquationBox.h"
#include "svg/SvgDC.h"

namespace {

// Pictures larger than this on a side are refused, as the Qt export refuses them
// (kMaxPicturePixels of the document layer).
constexpr std::int64_t kMaxPictureSide = 16384;

} // namespace

bool HasBuiltinMetrics(const KVEquationFont& font) { return FindBuiltinFace(font.lf) != nullptr; }

SvgPicture RenderSvgPicture(const std::vector<std::string>& linesCp1252, const CEquationOptions& options,
                            const KVEquationFont& font, const SvgPictureSettings& settings)
{
    SvgPicture picture;
    CSvgDC dc;
    EquationTexts texts;
    std::copy_n(linesCp1252.begin(), std::min(linesCp1252.size(), texts.size()), texts.begin());
    LayoutInputs inputs = LayoutInputs::Of(options, dc.MetricsKey());
    inputs.font = font;
    const EquationBox equation = LayOutEquation(texts, inputs, dc);
    const std::int64_t widest = equation.size.cx;
    const std::int64_t total = equation.size.cy;
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
    picture.lowering = equation.lowering;
    DrawEquationBox(equation, dc, settings.margin, settings.margin);

    std::vector<chem::ChemLine> readings;
    for (const std::string& text : texts)
        if (!text.empty())
            readings.push_back(chem::ReadText(text));
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
