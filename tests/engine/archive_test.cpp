#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Archive.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Stored(const std::string& s)
{
    CArchive ar;
    ar << s;
    return ar.TakeBuffer();
}

CArchiveException::Cause CauseOfReading(Bytes data)
{
    CArchive ar(std::move(data));
    try {
        ar.ReadString();
    } catch (const CArchiveException& e) {
        return e.cause();
    }
    return CArchiveException::none;
}

struct PrefixCase {
    std::size_t length;
    Bytes prefix;
};

class StringPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(StringPrefix, WritesShortestFormAndReadsItBack)
{
    const PrefixCase& c = GetParam();
    const std::string s(c.length, 'x');
    const Bytes out = Stored(s);
    ASSERT_EQ(out.size(), c.prefix.size() + c.length);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(c.prefix.size())), c.prefix);

    CArchive in(out);
    EXPECT_EQ(in.ReadString(), s);
    EXPECT_EQ(in.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, StringPrefix,
                         ::testing::Values(PrefixCase{0, {0x00}}, PrefixCase{254, {0xFE}},
                                           PrefixCase{255, {0xFF, 0xFF, 0x00}},
                                           PrefixCase{65533, {0xFF, 0xFD, 0xFF}},
                                           PrefixCase{65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                                           PrefixCase{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}));

TEST(ArchiveString, KeepsEveryByte)
{
    std::string s;
    for (int i = 0; i < 256; ++i)
        s += static_cast<char>(i);
    CArchive in(Stored(s));
    EXPECT_EQ(in.ReadString(), s);
}

TEST(ArchiveString, ReadsSixtyFourBitLength)
{
    Bytes data = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'};
    CArchive in(data);
    EXPECT_EQ(in.ReadString(), "abc");
}

TEST(ArchiveString, SixtyFourBitLengthAboveInt32IsBadFormat)
{
    Bytes data = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0};
    EXPECT_EQ(CauseOfReading(data), CArchiveException::badFormat);
}

struct WideCase {
    const char* name;
    Bytes data;
    std::string expected;
};

class WideString : public ::testing::TestWithParam<WideCase> {};

TEST_P(WideString, IsConvertedToWindows1252)
{
    CArchive in(GetParam().data);
    EXPECT_EQ(in.ReadString(), GetParam().expected);
    EXPECT_EQ(in.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WideString,
    ::testing::Values(
        WideCase{"Ascii", {0xFF, 0xFE, 0xFF, 2, 'H', 0, '2', 0}, "H2"},
        // Euro sign, degree sign, Greek nu (no Windows-1252 form).
        WideCase{"Mapped", {0xFF, 0xFE, 0xFF, 3, 0xAC, 0x20, 0xB0, 0x00, 0xBD, 0x03}, "\x80\xB0?"},
        WideCase{"Empty", {0xFF, 0xFE, 0xFF, 0}, ""},
        WideCase{"SixteenBitCount", [] {
                     Bytes b = {0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01};
                     for (int i = 0; i < 256; ++i) {
                         b.push_back('a');
                         b.push_back(0);
                     }
                     return b;
                 }(),
                 std::string(256, 'a')}),
    [](const auto& info) { return std::string(info.param.name); });

struct TruncationCase {
    const char* name;
    Bytes data;
};

class TruncatedString : public ::testing::TestWithParam<TruncationCase> {};

TEST_P(TruncatedString, IsEndOfFile)
{
    EXPECT_EQ(CauseOfReading(GetParam().data), CArchiveException::endOfFile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TruncatedString,
    ::testing::Values(TruncationCase{"Nothing", {}}, TruncationCase{"InsideShortText", {3, 'a', 'b'}},
                      TruncationCase{"InsideWordPrefix", {0xFF, 0x01}},
                      TruncationCase{"InsideDwordPrefix", {0xFF, 0xFF, 0xFF, 0x01, 0x00}},
                      TruncationCase{"InsideQwordPrefix", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0}},
                      TruncationCase{"HugeDwordLength", {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a'}},
                      TruncationCase{"HugeQwordLength",
                                     {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}},
                      TruncationCase{"WideHalfCharacter", {0xFF, 0xFE, 0xFF, 1, 'a'}},
                      TruncationCase{"WideAfterMarker", {0xFF, 0xFE, 0xFF}},
                      // 0x7FFFFFFF characters of two bytes each: the byte count must not wrap.
                      TruncationCase{"WideHugeLength",
                                     {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveValues, LittleEndianRoundTrip)
{
    CArchive out;
    out << std::uint8_t{0xAB} << std::int8_t{-2} << std::uint16_t{0x1234} << std::int16_t{-2}
        << std::uint32_t{0xDEADBEEF} << std::int32_t{-5} << std::uint64_t{0x0102030405060708ull} << 0.5;
    const Bytes b = out.Buffer();
    ASSERT_EQ(b.size(), 1u + 1 + 2 + 2 + 4 + 4 + 8 + 8);
    EXPECT_EQ(b[2], 0x34);
    EXPECT_EQ(b[3], 0x12);
    EXPECT_EQ(b[6], 0xEF);
    EXPECT_EQ(b[14], 0x08);
    EXPECT_EQ(b[29], 0x3F); // 0.5 = 0x3FE0000000000000, high byte last

    CArchive in(b);
    std::uint8_t u8 = 0;
    std::int8_t i8 = 0;
    std::uint16_t u16 = 0;
    std::int16_t i16 = 0;
    std::uint32_t u32 = 0;
    std::int32_t i32 = 0;
    std::uint64_t u64 = 0;
    double d = 0;
    in >> u8 >> i8 >> u16 >> i16 >> u32 >> i32 >> u64 >> d;
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(i8, -2);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_EQ(i32, -5);
    EXPECT_EQ(u64, 0x0102030405060708ull);
    EXPECT_EQ(d, 0.5);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ArchiveValues, ReadingPastTheEndThrowsAndKeepsPosition)
{
    CArchive in(Bytes{1, 2, 3});
    std::uint32_t v = 7;
    try {
        in >> v;
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.cause(), CArchiveException::endOfFile);
    }
    EXPECT_EQ(v, 7u);
    EXPECT_EQ(in.Remaining(), 3u);
}

TEST(ArchiveValues, RawReadStopsAtTheEndWithoutError)
{
    CArchive in(Bytes{1, 2, 3});
    std::uint8_t buf[8] = {};
    EXPECT_EQ(in.Read(buf, sizeof buf), 3u);
    EXPECT_EQ(in.Read(buf, sizeof buf), 0u);
}

} // namespace
