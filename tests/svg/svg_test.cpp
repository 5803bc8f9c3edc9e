// The SVG device context without Qt: what it writes for text and strokes under each
// alignment and pen, escaping, and the faces it knows.
#include <gtest/gtest.h>

#include <string>

#include "svg/SvgDC.h"

namespace {

LOGFONTA Font(const char* face, int height, int weight = 400)
{
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.SetFaceName(face);
    return lf;
}

// The first element that starts with `tag`, or "".
std::string Element(const std::string& svg, const std::string& tag)
{
    const std::size_t at = svg.find(tag);
    return at == std::string::npos ? std::string() : svg.substr(at, svg.find('\n', at) - at);
}

TEST(SvgEscape, MarkupAndCharactersXmlCannotCarry)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a < b & c > \"d\"", "a &lt; b &amp; c &gt; &quot;d&quot;"},
        {"a\x01" "b", "ab"},                              // a control character
        {"H\xE2\x82\x82O", "H\xE2\x82\x82O"},              // UTF-8 kept
        {"\xEF\xBF\xBE", ""},                              // U+FFFE
        {"]]><script>", "]]&gt;&lt;script&gt;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XmlEscape(c.in), c.out) << c.in;
}

TEST(SvgDC, TextIsPlacedByAlignment)
{
    // Arial -14: ascent 13, descent 3; "m" 12 wide, "Hm" 22.
    const struct {
        unsigned align;
        const char* x;
        const char* y;
    } cases[] = {
        {TA_TOP | TA_LEFT, "x=\"10 20\"", "y=\"63\""},
        {TA_BASELINE | TA_LEFT, "x=\"10 20\"", "y=\"50\""},
        {TA_BOTTOM | TA_RIGHT, "x=\"-12 -2\"", "y=\"47\""},
        {TA_TOP | TA_CENTER, "x=\"-1 9\"", "y=\"63\""},
    };
    for (const auto& c : cases) {
        CSvgDC dc;
        dc.SetBkMode(TRANSPARENT);
        const HGDIOBJ font = dc.CreateFontIndirectA(Font("Arial", -14));
        dc.SelectObject(font);
        dc.SetTextAlign(c.align);
        dc.TextOut(10, 50, "Hm", 2);
        const std::string text = Element(dc.Elements(), "<text");
        EXPECT_NE(text.find(c.x), std::string::npos) << text;
        EXPECT_NE(text.find(c.y), std::string::npos) << text;
        EXPECT_NE(text.find("font-size=\"14\""), std::string::npos) << text;
        EXPECT_TRUE(dc.AllFontsBuiltin());
    }
}

TEST(SvgDC, UpdateCurrentPositionAndOpaqueBackground)
{
    CSvgDC dc;
    dc.SelectObject(dc.CreateFontIndirectA(Font("Arial", -14)));
    dc.SetTextAlign(TA_UPDATECP | TA_TOP);
    dc.MoveTo(5, 0);
    dc.TextOut(0, 0, "m", 1);
    EXPECT_EQ(dc.MoveTo(0, 0).x, 17);
    EXPECT_NE(dc.Elements().find("<rect x=\"5\" y=\"0\" width=\"12\" height=\"16\" fill=\"#ffffff\"/>"), std::string::npos);
}

TEST(SvgDC, SymbolFaceIsWrittenAsUnicodeInTheRegularFace)
{
    CSvgDC dc;
    dc.SetBkMode(TRANSPARENT);
    const HGDIOBJ serif = dc.CreateFontIndirectA(Font("Times New Roman", -20, 700));
    const HGDIOBJ symbol = dc.CreateFontIndirectA(Font("Symbol", -20));
    dc.SelectObject(serif);
    dc.SelectObject(symbol);
    dc.TextOut(0, 0, "aD\xB0", 3);
    const std::string text = Element(dc.Elements(), "<text");
    EXPECT_NE(text.find(">\xCE\xB1\xCE\x94\xC2\xB0</text>"), std::string::npos) << text;
    EXPECT_NE(text.find("font-family=\"'Times New Roman', 'Liberation Serif', serif\""), std::string::npos) << text;
}

TEST(SvgDC, StrokesFollowGdiPixels)
{
    const struct {
        int width;
        POINT from, to;
        const char* d;
    } cases[] = {
        {1, {0, 10}, {20, 10}, "M0 10.5L20 10.5"},  // up to, not including, the end
        {1, {5, 0}, {5, 8}, "M5.5 0L5.5 8"},
        {3, {0, 10}, {20, 10}, "M0 11.5L20 11.5"},   // thick: the pixels below and right
        {1, {0, 0}, {4, 2}, "M0 0.25L4 2.25"},
    };
    for (const auto& c : cases) {
        CSvgDC dc;
        dc.SelectObject(dc.CreatePen(PS_SOLID, c.width, RGB(255, 0, 0)));
        dc.MoveTo(c.from.x, c.from.y);
        dc.LineTo(c.to.x, c.to.y);
        const std::string path = Element(dc.Elements(), "<path");
        EXPECT_NE(path.find(std::string("d=\"") + c.d + "\""), std::string::npos) << path;
        EXPECT_NE(path.find("stroke=\"#ff0000\" stroke-width=\"" + std::to_string(c.width) + "\""), std::string::npos) << path;
    }
    CSvgDC dc;
    dc.SelectStockObject(NULL_PEN);
    dc.LineTo(10, 10);
    dc.SelectStockObject(BLACK_PEN);
    dc.LineTo(10, 10); // a stroke of no length
    EXPECT_EQ(dc.Elements(), "");
}

TEST(SvgDC, ObjectsFollowGdiRules)
{
    CSvgDC dc;
    const HGDIOBJ pen = dc.CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(dc.SelectObject(pen), StockHandle(BLACK_PEN));
    EXPECT_FALSE(dc.DeleteObject(pen)); // selected
    EXPECT_FALSE(dc.DeleteObject(StockHandle(BLACK_PEN)));
    EXPECT_EQ(dc.SelectObject(0), 0u);
    dc.SelectStockObject(BLACK_PEN);
    EXPECT_TRUE(dc.DeleteObject(pen));
    EXPECT_FALSE(dc.DeleteObject(pen));
}

TEST(SvgDC, AFaceWithoutBuiltinMetricsIsReported)
{
    CSvgDC dc;
    dc.SelectObject(dc.CreateFontIndirectA(Font("DejaVu Sans", -14)));
    SIZE size = dc.GetTextExtentPoint32A("m", 1);
    EXPECT_GT(size.cx, 0);
    EXPECT_FALSE(dc.AllFontsBuiltin());
}

} // namespace
