// The metafile recorder: header fields, record bytes, the object table, the
// attribute side, and libwmf's wmf2svg as an independent reader of what we write.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "document/AppState.h"
#include "document/MetafileDC.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "tests/support/FakeDC.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t U16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16); }

struct Record {
    std::uint16_t function = 0;
    std::vector<std::int16_t> params;
    std::string Text() const // META_TEXTOUT's string
    {
        std::string s;
        const int n = params.empty() ? 0 : params[0];
        for (int i = 0; i < n; ++i) {
            const auto w = static_cast<std::uint16_t>(params[1 + i / 2]);
            s += static_cast<char>(i % 2 ? w >> 8 : w & 0xFF);
        }
        return s;
    }
    std::string Face() const // META_CREATEFONTINDIRECT's face name
    {
        std::string s;
        for (std::size_t i = 9; i < params.size(); ++i)
            for (int shift : {0, 8}) {
                const char c = static_cast<char>((static_cast<std::uint16_t>(params[i]) >> shift) & 0xFF);
                if (!c)
                    return s;
                s += c;
            }
        return s;
    }
};

struct Metafile {
    std::uint16_t type = 0, headerSize = 0, version = 0, objects = 0, members = 0;
    std::uint32_t sizeWords = 0, maxRecord = 0;
    std::vector<Record> records;
    std::uint32_t largestSeen = 0;
};

// An independent walk over the bytes: every record's size must land exactly on the
// next one and the last must be EOF at the end of the data.
Metafile Parse(const Bytes& b)
{
    Metafile m;
    EXPECT_GE(b.size(), 18u);
    if (b.size() < 18)
        return m;
    m.type = U16(b, 0);
    m.headerSize = U16(b, 2);
    m.version = U16(b, 4);
    m.sizeWords = U32(b, 6);
    m.objects = U16(b, 10);
    m.maxRecord = U32(b, 12);
    m.members = U16(b, 16);
    std::size_t at = 18;
    while (at + 6 <= b.size()) {
        const std::uint32_t words = U32(b, at);
        EXPECT_GE(words, 3u);
        EXPECT_LE(at + words * 2, b.size());
        if (words < 3 || at + words * 2 > b.size())
            break;
        m.largestSeen = std::max(m.largestSeen, words);
        Record r;
        r.function = U16(b, at + 4);
        for (std::uint32_t i = 3; i < words; ++i)
            r.params.push_back(static_cast<std::int16_t>(U16(b, at + i * 2)));
        m.records.push_back(r);
        at += words * 2;
        if (r.function == wmf::META_EOF)
            break;
    }
    EXPECT_EQ(at, b.size()) << "bytes after the EOF record";
    EXPECT_FALSE(m.records.empty());
    if (!m.records.empty()) {
        EXPECT_EQ(m.records.back().function, wmf::META_EOF);
    }
    return m;
}

std::vector<Record> OfFunction(const Metafile& m, std::uint16_t function)
{
    std::vector<Record> out;
    for (const Record& r : m.records)
        if (r.function == function)
            out.push_back(r);
    return out;
}

LOGFONTA Font(int height, const char* face, std::uint8_t charset = 0)
{
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfWeight = 400;
    lf.lfCharSet = charset;
    lf.SetFaceName(face);
    return lf;
}

} // namespace

TEST(MetafileRecorder, SmallDrawingByteForByte)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    const HGDIOBJ pen = dc.CreatePen(PS_INSIDEFRAME, 1, RGB(255, 0, 0));
    dc.SelectObject(pen);
    dc.MoveTo(1, 2);
    dc.LineTo(3, 4);
    dc.SelectStockObject(BLACK_PEN);
    EXPECT_TRUE(dc.DeleteObject(pen));
    const Bytes expected = {
        // header: memory metafile, 9 header words, version 3.0, 50 words, 2 objects,
        // largest record 8 words, no members
        0x01, 0x00, 0x09, 0x00, 0x00, 0x03, 0x32, 0x00, 0x00, 0x00, 0x02, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00,
        // the red pen into slot 0: style 6, width (1, 0), colour 0x000000FF
        0x08, 0x00, 0x00, 0x00, 0xFA, 0x02, 0x06, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00,
        0x04, 0x00, 0x00, 0x00, 0x2D, 0x01, 0x00, 0x00,
        // MoveTo(1, 2) and LineTo(3, 4), y first
        0x05, 0x00, 0x00, 0x00, 0x14, 0x02, 0x02, 0x00, 0x01, 0x00,
        0x05, 0x00, 0x00, 0x00, 0x13, 0x02, 0x04, 0x00, 0x03, 0x00,
        // the stock black pen becomes a real pen in slot 1
        0x08, 0x00, 0x00, 0x00, 0xFA, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x04, 0x00, 0x00, 0x00, 0x2D, 0x01, 0x01, 0x00,
        // the red pen deleted from slot 0
        0x04, 0x00, 0x00, 0x00, 0xF0, 0x01, 0x00, 0x00,
        0x03, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
    EXPECT_EQ(dc.Close(), expected);
}

TEST(MetafileRecorder, HeaderCountsWordsObjectsAndLargestRecord)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    dc.SetMapMode(MM_ANISOTROPIC);
    const HGDIOBJ f = dc.CreateFontIndirectA(Font(-14, "Arial"));
    dc.SelectObject(f);
    dc.TextOut(0, 0, "Hello", 5);
    dc.SelectStockObject(SYSTEM_FONT);
    dc.DeleteObject(f);
    const Bytes bytes = dc.Close();
    const Metafile m = Parse(bytes);
    EXPECT_EQ(m.type, 1);
    EXPECT_EQ(m.headerSize, 9);
    EXPECT_EQ(m.version, 0x0300);
    EXPECT_EQ(m.sizeWords * 2, bytes.size());
    EXPECT_EQ(m.maxRecord, m.largestSeen);
    EXPECT_EQ(m.maxRecord, 3u + 25u); // a font record: 5 words, 8 flag bytes, 32 face bytes
    EXPECT_EQ(m.objects, 2);          // the font and the stand-in for the stock font
    EXPECT_EQ(m.members, 0);
}

TEST(MetafileRecorder, ObjectSlotsAreReusedLowestFirst)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    const HGDIOBJ a = dc.CreateFontIndirectA(Font(-14, "Arial"));
    const HGDIOBJ b = dc.CreateFontIndirectA(Font(-10, "Arial"));
    const HGDIOBJ c = dc.CreateFontIndirectA(Font(-8, "Arial"));
    const HGDIOBJ pen = dc.CreatePen(PS_SOLID, 1, 0);
    dc.SelectObject(a);   // slot 0
    dc.SelectObject(b);   // slot 1
    dc.SelectObject(pen); // slot 2
    dc.SelectObject(c);   // slot 3
    dc.SelectStockObject(SYSTEM_FONT); // slot 4
    dc.SelectStockObject(BLACK_PEN);   // slot 5
    EXPECT_TRUE(dc.DeleteObject(b));   // frees 1
    EXPECT_TRUE(dc.DeleteObject(a));   // frees 0
    const HGDIOBJ d = dc.CreateFontIndirectA(Font(-20, "Arial"));
    const HGDIOBJ e = dc.CreateFontIndirectA(Font(-22, "Arial"));
    dc.SelectObject(d);   // slot 0 again
    dc.SelectObject(e);   // then slot 1
    dc.SelectObject(pen); // keeps slot 2
    dc.SelectStockObject(SYSTEM_FONT); // keeps slot 4
    EXPECT_TRUE(dc.DeleteObject(d));
    EXPECT_TRUE(dc.DeleteObject(e));
    EXPECT_TRUE(dc.DeleteObject(c));
    dc.SelectStockObject(BLACK_PEN);
    EXPECT_TRUE(dc.DeleteObject(pen));
    const Metafile m = Parse(dc.Close());

    std::vector<std::pair<std::uint16_t, int>> got;
    for (const Record& r : m.records)
        if (r.function == wmf::META_SELECTOBJECT || r.function == wmf::META_DELETEOBJECT)
            got.emplace_back(r.function, r.params[0]);
    const std::vector<std::pair<std::uint16_t, int>> expected = {
        {wmf::META_SELECTOBJECT, 0}, {wmf::META_SELECTOBJECT, 1}, {wmf::META_SELECTOBJECT, 2},
        {wmf::META_SELECTOBJECT, 3}, {wmf::META_SELECTOBJECT, 4}, {wmf::META_SELECTOBJECT, 5},
        {wmf::META_DELETEOBJECT, 1}, {wmf::META_DELETEOBJECT, 0}, {wmf::META_SELECTOBJECT, 0},
        {wmf::META_SELECTOBJECT, 1}, {wmf::META_SELECTOBJECT, 2}, {wmf::META_SELECTOBJECT, 4},
        {wmf::META_DELETEOBJECT, 0}, {wmf::META_DELETEOBJECT, 1}, {wmf::META_DELETEOBJECT, 3},
        {wmf::META_SELECTOBJECT, 5}, {wmf::META_DELETEOBJECT, 2},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(m.objects, 6);
    // Fonts a, b, c, d, e and the stock font's stand-in; the pen and the black pen's.
    EXPECT_EQ(OfFunction(m, wmf::META_CREATEFONTINDIRECT).size(), 6u);
    EXPECT_EQ(OfFunction(m, wmf::META_CREATEPENINDIRECT).size(), 2u);
}

TEST(MetafileRecorder, DeletionRules)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    const HGDIOBJ selected = dc.CreatePen(PS_SOLID, 1, 0);
    const HGDIOBJ unused = dc.CreatePen(PS_SOLID, 2, 0);
    dc.SelectObject(selected);
    EXPECT_FALSE(dc.DeleteObject(selected));                 // still selected
    EXPECT_FALSE(dc.DeleteObject(StockHandle(BLACK_PEN)));   // stock
    EXPECT_FALSE(dc.DeleteObject(12345));                    // unknown
    EXPECT_TRUE(dc.DeleteObject(unused));                    // never in the table
    EXPECT_FALSE(dc.DeleteObject(unused));                   // already gone
    EXPECT_EQ(dc.SelectObject(unused), 0u);
    // Selecting the stock objects a playback context starts with records nothing.
    dc.SelectStockObject(WHITE_BRUSH);
    const Metafile m = Parse(dc.Close());
    EXPECT_TRUE(OfFunction(m, wmf::META_DELETEOBJECT).empty());
    EXPECT_EQ(OfFunction(m, wmf::META_CREATEPENINDIRECT).size(), 1u);
    EXPECT_TRUE(OfFunction(m, wmf::META_CREATEBRUSHINDIRECT).empty());
    EXPECT_EQ(m.objects, 1);
}

TEST(MetafileRecorder, PointsAndSizesAreStoredYFirst)
{
    struct Case {
        const char* name;
        std::uint16_t function;
        void (*call)(CDC&);
        std::vector<std::int16_t> params;
    };
    const Case cases[] = {
        {"window origin", wmf::META_SETWINDOWORG, [](CDC& dc) { dc.SetWindowOrg(10, 20); }, {20, 10}},
        {"window extent", wmf::META_SETWINDOWEXT, [](CDC& dc) { dc.SetWindowExt(300, 40); }, {40, 300}},
        {"viewport origin", wmf::META_SETVIEWPORTORG, [](CDC& dc) { dc.SetViewportOrg(-5, 7); }, {7, -5}},
        {"viewport extent", wmf::META_SETVIEWPORTEXT, [](CDC& dc) { dc.SetViewportExt(600, 80); }, {80, 600}},
        {"move", wmf::META_MOVETO, [](CDC& dc) { dc.MoveTo(1, -2); }, {-2, 1}},
        {"line", wmf::META_LINETO, [](CDC& dc) { dc.LineTo(-3, 4); }, {4, -3}},
        {"text", wmf::META_TEXTOUT, [](CDC& dc) { dc.TextOut(11, 22, "AB", 2); }, {2, 0x4241, 22, 11}},
        {"odd text is padded", wmf::META_TEXTOUT, [](CDC& dc) { dc.TextOut(1, 2, "ABC", 3); },
         {3, 0x4241, 0x0043, 2, 1}},
        // 16-bit fields saturate instead of wrapping into the picture.
        {"saturated", wmf::META_LINETO, [](CDC& dc) { dc.LineTo(-40000, 70000); }, {32767, -32768}},
        {"map mode", wmf::META_SETMAPMODE, [](CDC& dc) { dc.SetMapMode(MM_ANISOTROPIC); }, {8}},
        {"background", wmf::META_SETBKMODE, [](CDC& dc) { dc.SetBkMode(TRANSPARENT); }, {1}},
        {"alignment", wmf::META_SETTEXTALIGN, [](CDC& dc) { dc.SetTextAlign(TA_BASELINE | TA_CENTER); }, {30}},
        {"colour", wmf::META_SETTEXTCOLOR, [](CDC& dc) { dc.SetTextColor(RGB(1, 2, 3)); }, {0x0201, 0x0003}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeDC screen;
        CMetafileDC dc(screen);
        c.call(dc);
        const Metafile m = Parse(dc.Close());
        ASSERT_GE(m.records.size(), 2u); // a window extent adds the frame
        EXPECT_EQ(m.records[0].function, c.function);
        EXPECT_EQ(m.records[0].params, c.params);
    }
}

TEST(MetafileRecorder, TextKeepsItsBytesAndFaces)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    const HGDIOBJ symbol = dc.CreateFontIndirectA(Font(-14, "Symbol", 2));
    const HGDIOBJ arial = dc.CreateFontIndirectA(Font(-14, "Arial"));
    dc.SelectObject(symbol);
    dc.TextOut(0, 0, "n", 1);       // nu in the symbol encoding
    dc.TextOut(0, 0, "\xB0", 1);    // degree sign
    dc.SelectObject(arial);
    dc.TextOut(0, 0, "\xE9\x80", 2); // e acute and the euro sign in Windows-1252
    dc.SelectStockObject(SYSTEM_FONT);
    dc.DeleteObject(symbol);
    dc.DeleteObject(arial);
    const Metafile m = Parse(dc.Close());
    const auto fonts = OfFunction(m, wmf::META_CREATEFONTINDIRECT);
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0].Face(), "Symbol");
    EXPECT_EQ(fonts[0].params[0], -14);
    EXPECT_EQ(static_cast<std::uint16_t>(fonts[0].params[6]) >> 8, 2); // lfCharSet
    EXPECT_EQ(fonts[1].Face(), "Arial");
    EXPECT_EQ(fonts[2].Face(), "System");
    const auto texts = OfFunction(m, wmf::META_TEXTOUT);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text(), "n");
    EXPECT_EQ(texts[1].Text(), "\xB0");
    EXPECT_EQ(texts[2].Text(), "\xE9\x80");
}

TEST(MetafileRecorder, MeasuresOnTheAttributeSideAndLeavesItAsItWas)
{
    CFakeDC screen;
    screen.SetLogPixels(120, 144);
    const HGDIOBJ screenFontBefore = screen.SelectedFont();
    {
        CMetafileDC dc(screen);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(50, 60);
        dc.SetTextAlign(TA_BASELINE);
        dc.SetTextColor(RGB(255, 0, 0));
        const HGDIOBJ f = dc.CreateFontIndirectA(Font(-20, "Arial"));
        const HGDIOBJ leaked = dc.CreatePen(PS_SOLID, 1, 0);
        dc.SelectObject(f);
        dc.SelectObject(leaked);
        EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 120);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 144);
        TEXTMETRICA tm;
        ASSERT_TRUE(dc.GetTextMetricsA(tm));
        EXPECT_EQ(tm.tmAscent, CFakeDC::MetricsFor(20).tmAscent);
        EXPECT_EQ(dc.GetTextExtentPoint32A("mi", 2).cx, CFakeDC::Width("mi", 20));
        dc.TextOut(5, 5, "x", 1);
        dc.LineTo(9, 9);
        dc.Close();
    }
    // Nothing was drawn on the screen, and everything made there is gone again.
    EXPECT_EQ(screen.CountCalls("TextOut"), 0);
    EXPECT_EQ(screen.CountCalls("LineTo"), 0);
    EXPECT_EQ(screen.LiveObjects(), 0);
    EXPECT_EQ(screen.SelectedFont(), screenFontBefore);
    EXPECT_EQ(screen.SelectedPen(), StockHandle(BLACK_PEN));
    EXPECT_EQ(screen.MapMode(), MM_TEXT);
    EXPECT_EQ(screen.WindowExt(), (SIZE{1, 1}));
    EXPECT_EQ(screen.TextAlign(), TA_TOP | TA_LEFT);
    EXPECT_EQ(screen.TextColor(), 0u);
}

TEST(MetafileRecorder, FailedFontOnTheAttributeSideFailsHere)
{
    CFakeDC screen;
    screen.SetFailFonts(true);
    CMetafileDC dc(screen);
    EXPECT_EQ(dc.CreateFontIndirectA(Font(-14, "Arial")), 0u);
    EXPECT_EQ(dc.SelectObject(0), 0u);
    const Metafile m = Parse(dc.Close());
    EXPECT_EQ(m.records.size(), 1u);
    EXPECT_EQ(m.objects, 0);
}

TEST(MetafileRecorder, EverythingDrawnIsKeptAndTheWindowIsFramed)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(100, 50);
    dc.TextOut(10, 10, "near", 4);
    dc.TextOut(-200, 20, "out", 3); // a text reaching out of the line box stays
    dc.MoveTo(500, 500);
    dc.LineTo(50, 25);
    const Metafile m = Parse(dc.Close());
    EXPECT_EQ(OfFunction(m, wmf::META_TEXTOUT).size(), 2u);
    std::vector<std::pair<std::uint16_t, std::vector<std::int16_t>>> strokes;
    for (const Record& r : m.records)
        if (r.function == wmf::META_MOVETO || r.function == wmf::META_LINETO)
            strokes.emplace_back(r.function, r.params);
    // The last two frame the window with the null pen.
    const std::vector<std::pair<std::uint16_t, std::vector<std::int16_t>>> expected = {
        {wmf::META_MOVETO, {500, 500}}, {wmf::META_LINETO, {25, 50}},
        {wmf::META_MOVETO, {0, 0}},     {wmf::META_LINETO, {50, 100}}};
    EXPECT_EQ(strokes, expected);
    const auto pens = OfFunction(m, wmf::META_CREATEPENINDIRECT);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(pens[0].params[0], PS_NULL);
    EXPECT_EQ(m.maxRecord, m.largestSeen);
}

TEST(MetafileRecorder, CloseIsFinal)
{
    CFakeDC screen;
    CMetafileDC dc(screen);
    dc.TextOut(0, 0, "a", 1);
    const Bytes first = dc.Close();
    EXPECT_FALSE(dc.TextOut(0, 0, "b", 1));
    EXPECT_EQ(dc.CreatePen(PS_SOLID, 1, 0), 0u);
    EXPECT_EQ(dc.Close(), first);
}

TEST(MetafileRecorder, PlaceableHeader)
{
    struct Case {
        int left, top, right, bottom, inch;
    };
    const Bytes wmf = {1, 2, 3, 4};
    for (const Case& c : {Case{0, 0, 200, 40, 96}, Case{-3, 5, 1000, 2000, 2540}, Case{0, 0, 1, 1, 120}}) {
        SCOPED_TRACE(c.right);
        const Bytes out = WithPlaceableHeader(wmf, c.left, c.top, c.right, c.bottom, c.inch);
        ASSERT_EQ(out.size(), 22u + wmf.size());
        EXPECT_EQ(U32(out, 0), 0x9AC6CDD7u);
        EXPECT_EQ(U16(out, 4), 0);
        EXPECT_EQ(static_cast<std::int16_t>(U16(out, 6)), c.left);
        EXPECT_EQ(static_cast<std::int16_t>(U16(out, 8)), c.top);
        EXPECT_EQ(static_cast<std::int16_t>(U16(out, 10)), c.right);
        EXPECT_EQ(static_cast<std::int16_t>(U16(out, 12)), c.bottom);
        EXPECT_EQ(U16(out, 14), c.inch);
        EXPECT_EQ(U32(out, 16), 0u);
        std::uint16_t sum = 0;
        for (int i = 0; i < 10; ++i)
            sum ^= U16(out, static_cast<std::size_t>(2 * i));
        EXPECT_EQ(U16(out, 20), sum);
        EXPECT_EQ(Bytes(out.begin() + 22, out.end()), wmf);
    }
    // Known value: key words CDD7 ^ 9AC6, box (0,0,200,40), 96 per inch.
    const Bytes known = WithPlaceableHeader({}, 0, 0, 200, 40, 96);
    EXPECT_EQ(U16(known, 20), 0xCDD7 ^ 0x9AC6 ^ 200 ^ 40 ^ 96);
}

// ---- wmf2svg, a reader nobody here wrote ----

namespace {

std::string FindTool(const char* name)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = dir + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

struct ToolResult {
    int status = -1;
    std::string svg;
    std::string errors;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

ToolResult ConvertWithWmf2svg(const std::string& tool, const Bytes& placeable, const std::string& stem)
{
    const std::string dir = ::testing::TempDir();
    const std::string in = dir + stem + ".wmf";
    const std::string out = dir + stem + ".svg";
    const std::string err = dir + stem + ".err";
    {
        std::ofstream f(in, std::ios::binary);
        f.write(reinterpret_cast<const char*>(placeable.data()), static_cast<std::streamsize>(placeable.size()));
    }
    std::remove(out.c_str());
    const std::string cmd = "'" + tool + "' -o '" + out + "' '" + in + "' 2>'" + err + "' >/dev/null";
    ToolResult r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.svg = ReadAll(out);
    r.errors = ReadAll(err);
    return r;
}

// The characters of the SVG's text elements, in document order.
std::string SvgText(const std::string& svg)
{
    std::string all;
    const std::regex text(R"(<text[^>]*>([^<]*)</text>)");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator(); ++it)
        all += (*it)[1].str();
    return all;
}

} // namespace

TEST(MetafileInterop, Wmf2svgReadsEveryMetafileWeWrite)
{
    const std::string tool = FindTool("wmf2svg");
    if (tool.empty())
        GTEST_SKIP() << "wmf2svg (package libwmf-bin) is not installed; metafiles not cross-checked";

    struct Case {
        const char* name;
        std::string text;
        int style;
        std::string expectText; // characters expected in order in the SVG
    };
    const std::string sample = "co32-(aq)<>{238,92}U=ABOVE,BELOW>";
    const std::vector<Case> cases = {
        {"sample_style0", sample, 0, "CO3"},
        {"sample_style1", sample, 1, "CO3"},
        {"sample_style2", sample, 2, "CO3"},
        {"sample_style3", sample, 3, "CO3"},
        {"two_lines", "2H2 + O2 => 2H2O\r\nNa+ + Cl- => NaCl", 1, "2H2+O22H2O"},
        {"empty", "", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MolvexAppState app;
        app.options.equilibriumArrow.Set(c.style);
        CMolvexDoc doc(app);
        doc.SetEquationText(c.text);
        CFakeDC screen;
        const RecordedPicture picture = *RecordEquationPicture(doc, screen);
        Parse(picture.metafile);
        const ToolResult r = ConvertWithWmf2svg(tool, PlaceableMetafile(picture), c.name);
        EXPECT_EQ(r.status, 0) << r.errors;
        EXPECT_NE(r.svg.find("<svg"), std::string::npos);
        std::string drawn = SvgText(r.svg);
        drawn.erase(std::remove(drawn.begin(), drawn.end(), ' '), drawn.end());
        EXPECT_NE(drawn.find(c.expectText), std::string::npos) << drawn;
        if (c.text == sample) {
            EXPECT_NE(drawn.find("ABOVE"), std::string::npos) << drawn;
            EXPECT_NE(drawn.find("BELOW"), std::string::npos) << drawn;
            EXPECT_NE(r.svg.find("<line"), std::string::npos); // arrows are strokes
        }
    }
}
