#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "engine/Archive.h"
#include "engine/LogRecords.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RecordText, DefaultForms)
{
    EXPECT_EQ(KVEquationFont().ToText(), "-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial");
    EXPECT_EQ(KVLogFont().ToText(), "-14,0,0,0,400,0,0,0,0,7,48,2,2,0,388,Arial");
    EXPECT_EQ(KVLogPen().ToText(), "0,0,0,65542,0,17.638888");
    EXPECT_EQ(KVLogBrush().ToText(), "0,0,0,1,0,0");
}

TEST(RecordText, PenAndBrushSplitTheColour)
{
    KVLogPen pen;
    pen.color = RGB(153, 102, 51);
    pen.first = -3;
    pen.width = 2.5;
    EXPECT_EQ(pen.ToText(), "153,102,51,65542,-3,2.500000");
    KVLogBrush brush;
    brush.color = RGB(1, 2, 3);
    brush.style = 0;
    brush.first = 4;
    brush.last = 5;
    EXPECT_EQ(brush.ToText(), "1,2,3,0,4,5");
}

TEST(RecordText, EightBitFieldsAreUnsigned)
{
    KVLogFont f;
    f.lf.lfItalic = 255;
    f.lf.lfCharSet = 204;
    f.color = RGB(255, 255, 255);
    EXPECT_EQ(f.ToText(), "-14,0,0,0,400,255,0,0,204,7,48,2,2,16777215,388,Arial");
}

struct ParseCase {
    const char* name;
    std::string text;
    std::int32_t height, weight;
    int italic;
    COLORREF color;
    std::int32_t himetric;
    std::string face;
    int pitch;
};

class FontParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FontParse, Fields)
{
    const ParseCase& c = GetParam();
    KVLogFont f;
    f.FromText(c.text);
    EXPECT_EQ(f.lf.lfHeight, c.height);
    EXPECT_EQ(f.lf.lfWeight, c.weight);
    EXPECT_EQ(f.lf.lfItalic, c.italic);
    EXPECT_EQ(f.lf.lfPitchAndFamily, c.pitch);
    EXPECT_EQ(f.color, c.color);
    EXPECT_EQ(f.himetricHeight, c.himetric);
    EXPECT_STREQ(f.lf.lfFaceName, c.face.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontParse,
    ::testing::Values(
        ParseCase{"Full", "-12,0,0,0,700,1,0,0,0,7,48,2,2,255,300,Times New Roman", -12, 700, 1, 255, 300,
                  "Times New Roman", 2},
        ParseCase{"FaceKeepsCommasAndBlanks", "1,0,0,0,0,0,0,0,0,0,0,0,0,0,0, a,b ,c", 1, 0, 0, 0, 0, " a,b ,c", 0},
        ParseCase{"FewFields", "12,Arial", 12, 0, 0, 0, 0, "Arial", 0},
        ParseCase{"NoComma", "12", 0, 0, 0, 0, 0, "12", 0},
        ParseCase{"Empty", "", 0, 0, 0, 0, 0, "", 0},
        ParseCase{"AtoiRules", " -5x, +7,abc,,,-1,,,,,,,258,,", -5, 0, 255, 0, 0, "", 2},
        ParseCase{"NoFace", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,", 1, 5, 6, 14, 15, "", 13},
        ParseCase{"LongFace", "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789",
                  0, 0, 0, 0, 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", 0},
        // Out-of-range numbers must not be undefined; they reduce to some 32-bit value.
        ParseCase{"Overflow", "99999999999999999999999,400,0,0,0,0,0,0,0,0,0,0,0,0,0,F", -1, 0, 0, 0, 0, "F", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FontParse, TextRoundTripsEveryField)
{
    KVLogFont f;
    f.lf.lfHeight = -20;
    f.lf.lfWidth = 3;
    f.lf.lfEscapement = 900;
    f.lf.lfOrientation = -900;
    f.lf.lfWeight = 700;
    f.lf.lfItalic = 1;
    f.lf.lfUnderline = 1;
    f.lf.lfStrikeOut = 1;
    f.lf.lfCharSet = 2;
    f.lf.lfOutPrecision = 3;
    f.lf.lfClipPrecision = 4;
    f.lf.lfQuality = 5;
    f.lf.lfPitchAndFamily = 6;
    f.color = RGB(10, 20, 30);
    f.himetricHeight = 555;
    f.lf.SetFaceName("Liberation Serif, Bold");
    KVLogFont g;
    g.FromText(f.ToText());
    EXPECT_EQ(g.ToText(), f.ToText());
}

TEST(RecordArchive, FontIs52BytesInFieldOrder)
{
    KVEquationFont f;
    f.lf.lfItalic = 1;
    f.color = RGB(1, 2, 3);
    CArchive out;
    f.Serialize(out);
    const Bytes& b = out.Buffer();
    ASSERT_EQ(b.size(), 52u);
    Bytes expected = {0xF2, 0xFF, 0xFF, 0xFF, 0x90, 0x01, 0x00, 0x00, 1, 0, 0, 0, 'A', 'r', 'i', 'a', 'l'};
    expected.resize(12 + 32, 0);
    for (std::uint8_t v : {1, 2, 3, 0, 0x90, 1, 0, 0})
        expected.push_back(v);
    EXPECT_EQ(b, expected);
}

TEST(RecordArchive, FontLoadLeavesFieldsOutsideTheForm)
{
    KVLogFont stored;
    stored.lf.lfHeight = -30;
    stored.lf.lfWeight = 700;
    stored.lf.lfUnderline = 1;
    stored.lf.SetFaceName("Courier New");
    stored.color = 0x00ABCDEF;
    stored.himetricHeight = 123;
    CArchive out;
    stored.Serialize(out);

    KVLogFont loaded;
    loaded.lf.lfWidth = 9;
    loaded.lf.lfQuality = 4;
    CArchive in(out.TakeBuffer());
    loaded.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded.lf.lfHeight, -30);
    EXPECT_EQ(loaded.lf.lfWeight, 700);
    EXPECT_EQ(loaded.lf.lfUnderline, 1);
    EXPECT_STREQ(loaded.lf.lfFaceName, "Courier New");
    EXPECT_EQ(loaded.color, 0x00ABCDEFu);
    EXPECT_EQ(loaded.himetricHeight, 123);
    EXPECT_EQ(loaded.lf.lfWidth, 9);
    EXPECT_EQ(loaded.lf.lfQuality, 4);
}

TEST(RecordArchive, UnterminatedFaceIsCutToTheArray)
{
    Bytes data(52, 'Z');
    KVLogFont f;
    CArchive in(data);
    f.Serialize(in);
    EXPECT_EQ(std::strlen(f.lf.lfFaceName), 31u);
}

TEST(RecordArchive, TruncatedFontIsEndOfFile)
{
    for (std::size_t n = 0; n < 52; ++n) {
        KVLogFont f;
        CArchive in(Bytes(n, 0));
        try {
            f.Serialize(in);
            ADD_FAILURE() << "no exception at " << n;
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.cause(), CArchiveException::endOfFile) << n;
        }
    }
}

TEST(RecordArchive, PenAndBrushBytes)
{
    KVLogPen pen;
    pen.color = RGB(153, 102, 51);
    CArchive out;
    pen.Serialize(out);
    const Bytes penBytes = out.TakeBuffer();
    ASSERT_EQ(penBytes.size(), 20u);
    EXPECT_EQ(Bytes(penBytes.begin(), penBytes.begin() + 12),
              (Bytes{0, 0, 0, 0, 0x06, 0x00, 0x01, 0x00, 153, 102, 51, 0}));

    KVLogPen pen2;
    pen2.width = 1;
    CArchive in(penBytes);
    pen2.Serialize(in);
    EXPECT_EQ(pen2.width, 17.63888775);
    EXPECT_EQ(pen2.color, pen.color);

    KVLogBrush brush;
    brush.first = 7;
    brush.last = -1;
    CArchive bout;
    brush.Serialize(bout);
    EXPECT_EQ(bout.Buffer(), (Bytes{7, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(FontOptionStore, LoadSaveAndDefaults)
{
    CIniStore store;
    KVOptionKVLogFont opt;
    KVLogFont def;
    def.lf.SetFaceName("Default Face");
    opt.Set("Fonts", "Body", true, def);

    // Missing section, then an empty entry, restore the default.
    opt.value.lf.lfHeight = 99;
    opt.Load(store);
    EXPECT_STREQ(opt.value.lf.lfFaceName, "Default Face");
    store.SetString("Fonts", "Body", "", true);
    opt.value.lf.lfHeight = 99;
    opt.Load(store);
    EXPECT_EQ(opt.value.lf.lfHeight, -14);

    opt.value.lf.lfHeight = -40;
    opt.value.lf.SetFaceName("Times New Roman");
    opt.Save(store);
    EXPECT_EQ(store.GetString("Fonts", "Body"), "-40,0,0,0,400,0,0,0,0,7,48,2,2,0,388,Times New Roman");
    KVOptionKVLogFont other;
    other.Set("Fonts", "Body", false, KVLogFont());
    other.Load(store);
    EXPECT_EQ(other.value.ToText(), opt.value.ToText());
}

TEST(FontOptionStore, AssignmentKeepsTheDefault)
{
    KVOptionKVLogFont a;
    KVLogFont fa;
    fa.lf.SetFaceName("A");
    a.Set("S", "K", true, fa);
    a.value.lf.SetFaceName("AV");

    KVOptionKVLogFont b;
    KVLogFont fb;
    fb.lf.SetFaceName("B");
    b.Set("T", "L", false, fb);
    b = a;
    EXPECT_STREQ(b.value.lf.lfFaceName, "AV");
    EXPECT_STREQ(b.defaultValue.lf.lfFaceName, "B");
    EXPECT_EQ(b.Section(), "S");
    EXPECT_EQ(b.Key(), "K");
    EXPECT_TRUE(b.Flag());
    EXPECT_EQ(b.AsEquationFont().himetricHeight, 388);
}

TEST(PenOptionStore, SavesTextForm)
{
    CIniStore store;
    KVOptionKVLogPen pen;
    pen.Set("Pens", "Line", false, KVLogPen());
    pen.Save(store);
    KVOptionKVLogBrush brush;
    brush.Set("Pens", "Fill", false, KVLogBrush());
    brush.Save(store);
    EXPECT_EQ(store.GetString("Pens", "Line"), "0,0,0,65542,0,17.638888");
    EXPECT_EQ(store.GetString("Pens", "Fill"), "0,0,0,1,0,0");
}

} // namespace
