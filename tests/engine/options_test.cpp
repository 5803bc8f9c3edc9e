#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

#include "config/IniStore.h"
#include "engine/Archive.h"
#include "engine/EquationOptions.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "options-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        path = dir / "MLV2.ini";
        store.SetCompany("Tamrel");
        store.SetFileName("MLV2");
        store.SetLocation(4);
        store.SetPath(path.string());
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void Write(const std::string& text)
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    std::string Read()
    {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path dir;
    fs::path path;
    CIniStore store;
};

TEST_F(OptionsFile, EmptyFileGivesDefaults)
{
    Write("");
    CEquationOptions o;
    o.equilibriumArrow.Set(3);
    o.italicPhase.Set(false);
    EXPECT_TRUE(o.Load(store));
    EXPECT_EQ(o.equilibriumArrow.Get(), 1);
    EXPECT_EQ(o.arrowWidth.Get(), 3.0);
    for (DoubleOption* d : {&o.levelArrow, &o.levelSuper, &o.levelSub, &o.levelPhase, &o.textArrow,
                            &o.textSuper, &o.textSub, &o.textPhase})
        EXPECT_EQ(d->Get(), 0.5) << d->Key();
    EXPECT_TRUE(o.italicPhase.Get());
    EXPECT_EQ(o.verticalSpacing.Get(), 15);
    EXPECT_EQ(o.font.value.ToText(), "-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial");
}

struct EntryCase {
    const char* name;
    std::string entry;
    std::int32_t spacing;
    bool italic;
    double levelSub;
};

class OptionEntry : public OptionsFile, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(OptionEntry, Loads)
{
    Write("[Options]\n" + GetParam().entry + "\n");
    CEquationOptions o;
    o.Load(store);
    EXPECT_EQ(o.verticalSpacing.Get(), GetParam().spacing);
    EXPECT_EQ(o.verticalSpacing.Saved(), GetParam().spacing);
    EXPECT_EQ(o.italicPhase.Get(), GetParam().italic);
    EXPECT_DOUBLE_EQ(o.levelSub.Get(), GetParam().levelSub);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, OptionEntry,
    ::testing::Values(EntryCase{"MinusOneIsMissing", "VerticalSpacing=-1", 15, true, 0.5},
                      EntryCase{"EmptyIsMissing", "VerticalSpacing=", 15, true, 0.5},
                      EntryCase{"OutOfRangeIsMidpoint", "VerticalSpacing=40000", 0, true, 0.5},
                      EntryCase{"BelowRange", "VerticalSpacing=-40000", 0, true, 0.5},
                      EntryCase{"Unparsable", "VerticalSpacing=abc", 0, true, 0.5},
                      EntryCase{"Negative", "VerticalSpacing=-2", -2, true, 0.5},
                      EntryCase{"ItalicTwoIsFalse", "ItalicPhase=2", 15, false, 0.5},
                      EntryCase{"ItalicZero", "ItalicPhase=0", 15, false, 0.5},
                      EntryCase{"ItalicMinusOneIsDefault", "ItalicPhase=-1", 15, true, 0.5},
                      EntryCase{"DoubleLeadingPart", "LevelSub=0.25xyz", 15, true, 0.25},
                      EntryCase{"DoubleGarbage", "LevelSub=zz", 15, true, 0.0},
                      EntryCase{"DoubleTooLarge", "LevelSub=1e17", 15, true, -4.5e16},
                      EntryCase{"DoubleNaN", "LevelSub=nan", 15, true, -4.5e16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsFile, LoadReloadsTheFile)
{
    Write("[Options]\nEquilibriumArrow=2\n");
    CEquationOptions o;
    o.Load(store);
    EXPECT_EQ(o.equilibriumArrow.Get(), 2);
    Write("[Options]\nEquilibriumArrow=3\n");
    o.Load(store);
    EXPECT_EQ(o.equilibriumArrow.Get(), 3);
}

TEST_F(OptionsFile, SavingDefaultsWritesEntriesInFieldOrder)
{
    CEquationOptions o;
    ASSERT_FALSE(o.Save(store).has_value());
    EXPECT_EQ(Read(), "[Options]\n"
                      "EquilibriumArrow=1\n"
                      "ArrowWidth=3.000000\n"
                      "LevelArrow=0.500000\n"
                      "LevelSuper=0.500000\n"
                      "LevelSub=0.500000\n"
                      "LevelPhase=0.500000\n"
                      "TextArrow=0.500000\n"
                      "TextSuper=0.500000\n"
                      "TextSub=0.500000\n"
                      "TextPhase=0.500000\n"
                      "ItalicPhase=1\n"
                      "VerticalSpacing=15\n"
                      "Font=-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial\n"
                      "\n");
}

TEST_F(OptionsFile, SaveAppliesTheRangeAndRoundTrips)
{
    CEquationOptions o;
    o.verticalSpacing.Set(99999);
    o.levelSuper.Set(0.123456789);
    o.italicPhase.Set(false);
    o.font.value.lf.SetFaceName("Liberation Serif");
    ASSERT_FALSE(o.Save(store).has_value());
    EXPECT_EQ(o.verticalSpacing.Get(), 0);
    EXPECT_EQ(o.verticalSpacing.Saved(), 0);

    CEquationOptions back;
    back.Load(store);
    EXPECT_EQ(back.verticalSpacing.Get(), 0);
    EXPECT_DOUBLE_EQ(back.levelSuper.Get(), 0.123457);
    EXPECT_FALSE(back.italicPhase.Get());
    EXPECT_STREQ(back.font.value.lf.lfFaceName, "Liberation Serif");
}

TEST_F(OptionsFile, SaveFailureIsReturned)
{
    std::ofstream(dir / "plain") << "x";
    store.SetPath((dir / "plain" / "MLV2.ini").string());
    CEquationOptions o;
    const auto err = o.Save(store);
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->caption, "File Save Error");
}

TEST(OptionRange, ValuesEnterInRange)
{
    IntOption i;
    i.Define("S", "K", 5, -3, 10);
    i.Set(11);
    EXPECT_EQ(i.Get(), 3); // (-3 + 10) / 2 truncates toward zero
    i.Define("S", "K", 5, -10, 3);
    i.Set(-11);
    EXPECT_EQ(i.Get(), -3);
    i.Set(3);
    EXPECT_EQ(i.Get(), 3);
    // A default outside the range is brought in as well.
    i.Define("S", "K", 0, std::numeric_limits<std::int32_t>::max() - 1, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(i.Get(), std::numeric_limits<std::int32_t>::max() - 1);
    EXPECT_EQ(i.Saved(), i.Get());

    DoubleOption d;
    d.Define("S", "K", 0.5, -1.0, 2.0);
    d.Set(std::numeric_limits<double>::infinity());
    EXPECT_EQ(d.Get(), 0.5);
    d.Set(std::nan(""));
    EXPECT_EQ(d.Get(), 0.5);
    d.Set(2.0);
    EXPECT_EQ(d.Get(), 2.0);
}

TEST(OptionCopy, CopiesDefinitionsAndValues)
{
    CEquationOptions a;
    a.levelArrow.Set(0.75);
    a.verticalSpacing.Define("Options", "VerticalSpacing", 15, 3, 40);
    a.font.value.lf.lfHeight = -30;
    CEquationOptions b(a);
    EXPECT_EQ(b.levelArrow.Get(), 0.75);
    EXPECT_EQ(b.verticalSpacing.Minimum(), 3);
    EXPECT_EQ(b.levelArrow.Key(), "LevelArrow");
    EXPECT_EQ(b.font.Get().lf.lfHeight, -30);
    EXPECT_EQ(b.font.Get().himetricHeight, 400);
    CEquationOptions c;
    c = a;
    EXPECT_EQ(c.levelArrow.Get(), 0.75);
    EXPECT_EQ(c.font.Key(), "Font");
}

Bytes DefaultBlock()
{
    Bytes b = {0x0A, 'M', 'L', 'V', 'O', 'p', 't', 'i', 'o', 'n', 's', 0x01, 0x00, 0x01, 0x00, 0x00, 0x00};
    const auto putDouble = [&b](double v) {
        std::uint8_t raw[8];
        std::memcpy(raw, &v, 8);
        b.insert(b.end(), raw, raw + 8);
    };
    putDouble(3.0);
    for (int i = 0; i < 8; ++i)
        putDouble(0.5);
    b.push_back(1);
    b.insert(b.end(), {15, 0, 0, 0});
    return b;
}

TEST(OptionsArchive, DefaultBytes)
{
    CEquationOptions o;
    CArchive out;
    o.Serialize(out);
    const Bytes expected = DefaultBlock();
    EXPECT_EQ(out.Buffer().size(), 11u + 2 + 4 + 9 * 8 + 1 + 4);
    EXPECT_EQ(out.Buffer(), expected);
}

// A document's values enter like any other: one outside its range becomes the midpoint.
TEST(OptionsArchive, ReadingBringsValuesIntoRange)
{
    Bytes data = DefaultBlock();
    const auto put = [&data](std::size_t at, const auto& v) { std::memcpy(&data[at], &v, sizeof v); };
    put(13, std::int32_t{-5});
    put(17 + 3 * 8, std::numeric_limits<double>::quiet_NaN()); // levelSub
    put(17 + 8 * 8, 2.25);                                     // textPhase
    data[89] = 0;
    put(90, std::int32_t{100000});
    CEquationOptions o;
    CArchive in(data);
    o.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(o.equilibriumArrow.Get(), -5);
    EXPECT_EQ(o.levelSub.Get(), -4.5e16);
    EXPECT_EQ(o.textPhase.Get(), 2.25);
    EXPECT_FALSE(o.italicPhase.Get());
    EXPECT_EQ(o.verticalSpacing.Get(), 0);
}

// Distinct values in every option so that a truncated read shows which ones changed.
CEquationOptions Marked(int base)
{
    CEquationOptions o;
    o.equilibriumArrow.Set(base);
    DoubleOption* ds[] = {&o.arrowWidth, &o.levelArrow, &o.levelSuper, &o.levelSub, &o.levelPhase,
                          &o.textArrow, &o.textSuper, &o.textSub, &o.textPhase};
    for (int i = 0; i < 9; ++i)
        ds[i]->Set(base + i + 0.25);
    o.italicPhase.Set(base % 2 == 0);
    o.verticalSpacing.Set(base * 3);
    return o;
}

TEST(OptionsArchive, TruncationAtEveryOffset)
{
    CEquationOptions src = Marked(100);
    CArchive out;
    src.Serialize(out);
    const Bytes full = out.TakeBuffer();
    // Value ends: where each of the twelve values' last byte lies.
    std::vector<std::size_t> ends;
    std::size_t pos = 13;
    for (std::size_t w : {4, 8, 8, 8, 8, 8, 8, 8, 8, 8, 1, 4})
        ends.push_back(pos += w);
    ASSERT_EQ(ends.back(), full.size());

    for (std::size_t n = 0; n <= full.size(); ++n) {
        CEquationOptions dst = Marked(7);
        const CEquationOptions before = dst;
        CArchive in(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
        if (n < 13) {
            // Inside the tag or the version: the archive's end-of-file error.
            EXPECT_THROW(dst.Serialize(in), CArchiveException) << n;
            continue;
        }
        ASSERT_NO_THROW(dst.Serialize(in)) << n;
        std::size_t complete = 0;
        while (complete < ends.size() && ends[complete] <= n)
            ++complete;
        const auto pick = [&](std::size_t index, auto loaded, auto previous) {
            return index < complete ? loaded : previous;
        };
        EXPECT_EQ(dst.equilibriumArrow.Get(), pick(0, src.equilibriumArrow.Get(), before.equilibriumArrow.Get())) << n;
        EXPECT_EQ(dst.arrowWidth.Get(), pick(1, src.arrowWidth.Get(), before.arrowWidth.Get())) << n;
        EXPECT_EQ(dst.levelArrow.Get(), pick(2, src.levelArrow.Get(), before.levelArrow.Get())) << n;
        EXPECT_EQ(dst.textPhase.Get(), pick(9, src.textPhase.Get(), before.textPhase.Get())) << n;
        EXPECT_EQ(dst.italicPhase.Get(), pick(10, src.italicPhase.Get(), before.italicPhase.Get())) << n;
        EXPECT_EQ(dst.verticalSpacing.Get(), pick(11, src.verticalSpacing.Get(), before.verticalSpacing.Get())) << n;
    }
}

struct HeaderCase {
    const char* name;
    Bytes header;
};

class OptionsHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(OptionsHeader, StopsSilently)
{
    Bytes data = GetParam().header;
    const Bytes block = DefaultBlock();
    const Bytes rest(block.begin() + 13, block.end());
    data.insert(data.end(), rest.begin(), rest.end());
    CEquationOptions o = Marked(7);
    CArchive in(data);
    EXPECT_NO_THROW(o.Serialize(in));
    EXPECT_EQ(o.equilibriumArrow.Get(), 7);
    EXPECT_EQ(o.verticalSpacing.Get(), 21);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, OptionsHeader,
    ::testing::Values(HeaderCase{"WrongTag", {0x0A, 'M', 'L', 'V', 'O', 'p', 't', 'i', 'o', 'n', 'S', 1, 0}},
                      HeaderCase{"ShortTag", {0x03, 'M', 'L', 'V', 1, 0}},
                      HeaderCase{"VersionZero", {0x0A, 'M', 'L', 'V', 'O', 'p', 't', 'i', 'o', 'n', 's', 0, 0}},
                      HeaderCase{"VersionNegative",
                                 {0x0A, 'M', 'L', 'V', 'O', 'p', 't', 'i', 'o', 'n', 's', 0x00, 0x80}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptionsArchive, LaterVersionReadsTheSameValues)
{
    Bytes data = DefaultBlock();
    data[11] = 2;
    data.push_back(0xEE); // anything after the values is left unread
    CEquationOptions o = Marked(7);
    CArchive in(data);
    o.Serialize(in);
    EXPECT_EQ(o.equilibriumArrow.Get(), 1);
    EXPECT_EQ(o.verticalSpacing.Get(), 15);
    EXPECT_EQ(in.Remaining(), 1u);
}

} // namespace
