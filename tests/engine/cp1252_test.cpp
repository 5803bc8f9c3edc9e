#include <gtest/gtest.h>

#include <string>

#include "engine/Cp1252.h"

namespace {

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::string cp1252;
};

class FromUtf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(FromUtf8, Converts)
{
    EXPECT_EQ(Utf8ToCp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FromUtf8,
    ::testing::Values(Utf8Case{"Ascii", "2H2 + O2 => 2H2O", "2H2 + O2 => 2H2O"},
                      Utf8Case{"Latin1", "\xC2\xB0\xC3\xA9", "\xB0\xE9"},
                      Utf8Case{"HighTable", "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8\xE2\x84\xA2", "\x80\x93\x9F\x99"},
                      Utf8Case{"Unmapped", "\xCE\xBD\xF0\x9F\x98\x80", "??"},
                      // C1 controls have no Windows-1252 form except the five unassigned bytes.
                      Utf8Case{"C1Controls", "\xC2\x81\xC2\x80", "\x81?"},
                      Utf8Case{"StrayBytes", "a\xB0" "b\xE9", "a\xB0" "b\xE9"},
                      Utf8Case{"TruncatedSequence", "x\xE2\x82", "x\xE2\x82"},
                      Utf8Case{"Overlong", "\xC0\xAF", "\xC0\xAF"},
                      Utf8Case{"Surrogate", "\xED\xA0\x80", "\xED\xA0\x80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp1252, EveryByteRoundTripsThroughUtf8)
{
    for (int c = 0; c < 256; ++c) {
        const std::string byte(1, static_cast<char>(c));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << "byte " << c;
    }
}

TEST(Cp1252, HighTableCodePoints)
{
    EXPECT_EQ(Cp1252ToCodePoint(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToCodePoint(0x81), U'\u0081');
    EXPECT_EQ(Cp1252ToCodePoint(0x8A), U'\u0160');
    EXPECT_EQ(Cp1252ToCodePoint(0x9F), U'\u0178');
    EXPECT_EQ(Cp1252ToCodePoint(0xA0), U'\u00A0');
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(Cp1252, FromUtf16)
{
    EXPECT_EQ(Utf16ToCp1252(u"H\u00B0\u20AC\u03BD"), "H\xB0\x80?");
    // A surrogate pair is one character without a form; a lone surrogate is one too.
    EXPECT_EQ(Utf16ToCp1252(std::u16string{u'a', 0xD83D, 0xDE00, u'b', 0xDC00}), "a?b?");
}

struct CaseCase {
    unsigned char lower;
    unsigned char upper;
};

class LetterCase : public ::testing::TestWithParam<CaseCase> {};

TEST_P(LetterCase, PartnersConvertBothWays)
{
    const auto [lower, upper] = GetParam();
    EXPECT_EQ(Cp1252ToUpper(lower), upper);
    EXPECT_EQ(Cp1252ToLower(upper), lower);
    EXPECT_TRUE(Cp1252IsLower(lower));
    EXPECT_TRUE(Cp1252IsUpper(upper));
    EXPECT_FALSE(Cp1252IsUpper(lower));
    EXPECT_FALSE(Cp1252IsLower(upper));
}

// The ends of each run of letters and the four letters among 0x80-0x9F.
INSTANTIATE_TEST_SUITE_P(Pairs, LetterCase,
                         ::testing::Values(CaseCase{'a', 'A'}, CaseCase{'z', 'Z'}, CaseCase{0xE0, 0xC0},
                                           CaseCase{0xF6, 0xD6}, CaseCase{0xF8, 0xD8}, CaseCase{0xFE, 0xDE},
                                           CaseCase{0x9A, 0x8A}, CaseCase{0x9C, 0x8C}, CaseCase{0x9E, 0x8E},
                                           CaseCase{0xFF, 0x9F}));

TEST(LetterCase, BytesWithoutCaseStayAsTheyAre)
{
    int upper = 0;
    int lower = 0;
    for (int c = 0; c < 256; ++c) {
        const auto b = static_cast<unsigned char>(c);
        upper += Cp1252IsUpper(b);
        lower += Cp1252IsLower(b);
        if (Cp1252IsUpper(b)) {
            EXPECT_EQ(Cp1252ToUpper(Cp1252ToLower(b)), b) << c;
        }
        if (Cp1252IsLower(b)) {
            EXPECT_EQ(Cp1252ToLower(Cp1252ToUpper(b)), b) << c;
        }
    }
    EXPECT_EQ(upper, 26 + 30 + 4);
    EXPECT_EQ(lower, 26 + 30 + 4);
    // Signs and letters that have no partner of the other case.
    for (const int b : {0x40, 0x5B, 0x60, 0x7B, 0xD7, 0xF7, 0xDF, 0xB5, 0xAA, 0x83, 0xB0}) {
        EXPECT_EQ(Cp1252ToUpper(static_cast<unsigned char>(b)), b) << b;
        EXPECT_EQ(Cp1252ToLower(static_cast<unsigned char>(b)), b) << b;
    }
}

} // namespace
