// Copy as Picture against a fake clipboard and the fake screen context.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "document/MetafileDC.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "engine/EquationLine.h"
#include "tests/support/FakeDC.h"

namespace {

class FakeClipboard : public IClipboard {
public:
    bool failOpen = false, failEmpty = false, failSet = false;
    bool open = false;
    bool holdsEarlierContents = true;
    int opens = 0, empties = 0, closes = 0, sets = 0;
    std::optional<MetafilePicture> picture;

    bool Open() override
    {
        ++opens;
        open = !failOpen;
        return open;
    }
    bool Empty() override
    {
        EXPECT_TRUE(open);
        ++empties;
        if (failEmpty)
            return false;
        holdsEarlierContents = false;
        return true;
    }
    bool SetPicture(const MetafilePicture& p) override
    {
        EXPECT_TRUE(open);
        ++sets;
        if (failSet)
            return false;
        picture = p;
        return true;
    }
    void Close() override
    {
        EXPECT_TRUE(open);
        ++closes;
        open = false;
    }
};

std::int32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

// Output records of a metafile, without the invisible frame the recorder adds.
struct Drawn {
    std::vector<std::string> texts;
    int strokes = 0;
};
Drawn DrawnIn(const std::vector<std::uint8_t>& wmf)
{
    Drawn d;
    // What each object slot holds: a pen's style, or -2 for another object; -1 free.
    std::vector<int> slots;
    int pen = -1;
    std::size_t at = 18;
    while (at + 6 <= wmf.size()) {
        const auto words = static_cast<std::uint32_t>(Le32(wmf, at));
        const int fn = wmf[at + 4] | (wmf[at + 5] << 8);
        auto param = [&](int i) { return wmf[at + 6 + 2 * i] | (wmf[at + 7 + 2 * i] << 8); };
        auto create = [&](int what) {
            for (int& s : slots)
                if (s == -1) {
                    s = what;
                    return;
                }
            slots.push_back(what);
        };
        if (fn == wmf::META_TEXTOUT)
            d.texts.emplace_back(reinterpret_cast<const char*>(&wmf[at + 8]), static_cast<std::size_t>(param(0)));
        else if (fn == wmf::META_CREATEPENINDIRECT)
            create(param(0));
        else if (fn == wmf::META_CREATEFONTINDIRECT || fn == wmf::META_CREATEBRUSHINDIRECT)
            create(-2);
        else if (fn == wmf::META_DELETEOBJECT)
            slots.at(static_cast<std::size_t>(param(0))) = -1;
        else if (fn == wmf::META_SELECTOBJECT && slots.at(static_cast<std::size_t>(param(0))) >= 0)
            pen = param(0);
        else if (fn == wmf::META_LINETO && (pen < 0 || slots[static_cast<std::size_t>(pen)] != PS_NULL))
            ++d.strokes;
        if (words < 3)
            break;
        at += words * 2;
    }
    return d;
}

LineExtent MeasureAlone(MolvexAppState& app, const std::string& text)
{
    CFakeDC dc;
    CEquationLine line;
    line.SetText(text);
    return line.MeasureLine(dc, app.options, app.options.font.Get());
}

} // namespace

TEST(CopyAsPicture, FailuresReportTheirMessageAndLeaveTheClipboardClosed)
{
    struct Case {
        const char* name;
        bool failOpen, failEmpty, failSet;
        std::optional<std::string> message;
        int empties, sets, closes;
        bool earlierContentsKept;
    };
    const Case cases[] = {
        {"success", false, false, false, std::nullopt, 1, 1, 1, false},
        {"open", true, false, false, "Cannot open the Clipboard", 0, 0, 0, true},
        {"empty", false, true, false, "Cannot empty the Clipboard", 1, 0, 1, true},
        {"set", false, false, true, "Unable to set Clipboard data", 1, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MolvexAppState app;
        CMolvexDoc doc(app);
        doc.SetEquationText("2H2 + O2 => 2H2O");
        FakeClipboard clipboard;
        clipboard.failOpen = c.failOpen;
        clipboard.failEmpty = c.failEmpty;
        clipboard.failSet = c.failSet;
        CFakeDC screen;
        EXPECT_EQ(doc.CopyAsPicture(clipboard, screen), c.message);
        EXPECT_EQ(clipboard.opens, 1);
        EXPECT_EQ(clipboard.empties, c.empties);
        EXPECT_EQ(clipboard.sets, c.sets);
        EXPECT_EQ(clipboard.closes, c.closes);
        EXPECT_FALSE(clipboard.open);
        EXPECT_EQ(clipboard.holdsEarlierContents, c.earlierContentsKept);
        EXPECT_EQ(screen.LiveObjects(), 0);
        EXPECT_EQ(screen.MapMode(), MM_TEXT);
    }
}

TEST(CopyAsPicture, ExtentsFollowTheScreensLogicalInch)
{
    struct Case {
        int dpiX, dpiY;
    };
    MolvexAppState app;
    CMolvexDoc doc(app);
    doc.SetEquationText("co32-(aq)<>{238,92}U=ABOVE,BELOW>");
    std::optional<MetafilePicture> at96;
    // A screen that reports no resolution is taken as the usual 96, not divided by.
    for (const Case& c : {Case{96, 96}, Case{120, 120}, Case{144, 72}, Case{0, 0}}) {
        SCOPED_TRACE(c.dpiX);
        CFakeDC screen;
        screen.SetLogPixels(c.dpiX, c.dpiY);
        FakeClipboard clipboard;
        ASSERT_EQ(doc.CopyAsPicture(clipboard, screen), std::nullopt);
        ASSERT_TRUE(clipboard.picture);
        const MetafilePicture& p = *clipboard.picture;
        const int dx = c.dpiX > 0 ? c.dpiX : 96, dy = c.dpiY > 0 ? c.dpiY : 96;
        const SIZE size = p.logicalSize;
        ASSERT_GT(size.cx, 0);
        ASSERT_GT(size.cy, 0);
        // Rounded to the nearest hundredth of a millimetre.
        EXPECT_EQ(p.xExt, (size.cx * 2540 + dx / 2) / dx);
        EXPECT_EQ(p.yExt, (size.cy * 2540 + dy / 2) / dy);
        EXPECT_EQ(p.mappingMode, MM_ANISOTROPIC);
        EXPECT_EQ(PictureUnitsPerInch(p), dx);
        const auto pict = p.MetafilePictBytes();
        ASSERT_EQ(pict.size(), 16u);
        EXPECT_EQ(Le32(pict, 0), 8);
        EXPECT_EQ(Le32(pict, 4), p.xExt);
        EXPECT_EQ(Le32(pict, 8), p.yExt);
        EXPECT_EQ(Le32(pict, 12), 0);
        if (c.dpiX == 96)
            at96 = p;
        if (c.dpiX == 120) {
            ASSERT_TRUE(at96);
            EXPECT_EQ(size, at96->logicalSize); // the same pixels, a finer inch
            EXPECT_NEAR(p.xExt, at96->xExt * 96.0 / 120.0, 1.0);
            EXPECT_NEAR(p.yExt, at96->yExt * 96.0 / 120.0, 1.0);
        }
    }
}

TEST(CopyAsPicture, ThePictureIsTheMeasuredEquation)
{
    MolvexAppState app;
    CMolvexDoc doc(app);
    doc.SetEquationText("A\r\n\r\nB");
    CFakeDC screen;
    FakeClipboard clipboard;
    ASSERT_EQ(doc.CopyAsPicture(clipboard, screen), std::nullopt);
    const MetafilePicture& p = *clipboard.picture;

    CFakeDC measure;
    const EquationBox m = doc.MeasureEquation(measure);
    EXPECT_EQ(p.logicalSize, m.size);
    EXPECT_EQ(p.native, doc.SaveToBytes());

    // Both lines are in the one metafile, in order.
    const Drawn drawn = DrawnIn(p.metafile);
    EXPECT_EQ(drawn.texts, (std::vector<std::string>{"A", "B"}));

    // The callback draws the same at the origin with the recorded line tops.
    CFakeDC other;
    p.draw(other);
    ASSERT_EQ(other.TextOuts().size(), 2u);
    EXPECT_EQ(other.TextOuts()[0].text, "A");
    EXPECT_EQ(other.TextOuts()[1].text, "B");
    EXPECT_EQ(other.TextOuts()[0].x, 0);
    const int spacing = app.options.verticalSpacing.Get();
    const LineExtent a = MeasureAlone(app, "A");
    EXPECT_EQ(m.lineTops[2], a.height + spacing);
    EXPECT_EQ(m.size.cy, a.height + spacing + MeasureAlone(app, "B").height);
}

TEST(CopyAsPicture, AnEmptyDocumentIsTheSizeOfADigitAndDrawsNothing)
{
    MolvexAppState app;
    CMolvexDoc doc(app);
    CFakeDC screen;
    FakeClipboard clipboard;
    ASSERT_EQ(doc.CopyAsPicture(clipboard, screen), std::nullopt);
    const MetafilePicture& p = *clipboard.picture;
    const LineExtent three = MeasureAlone(app, "3");
    EXPECT_EQ(p.logicalSize, (SIZE{three.width, three.height}));
    EXPECT_GT(p.xExt, 0);
    const Drawn drawn = DrawnIn(p.metafile);
    EXPECT_TRUE(drawn.texts.empty());
    EXPECT_EQ(drawn.strokes, 0);
    CFakeDC other;
    p.draw(other);
    EXPECT_TRUE(other.TextOuts().empty());
    EXPECT_TRUE(other.Strokes().empty());
}

TEST(CopyAsPicture, RecordingSetsUpTheWindowAsAPixelGrid)
{
    MolvexAppState app;
    CMolvexDoc doc(app);
    doc.SetEquationText("Na+ + Cl- => NaCl");
    CFakeDC screen;
    const RecordedPicture r = *RecordEquationPicture(doc, screen);
    // The placeable form carries the box in pixels and the inch they make.
    const auto placeable = PlaceableMetafile(r);
    ASSERT_EQ(placeable.size(), r.metafile.size() + 22);
    EXPECT_EQ(placeable[10] | (placeable[11] << 8), r.logicalSize.cx);
    EXPECT_EQ(placeable[12] | (placeable[13] << 8), r.logicalSize.cy);
    EXPECT_EQ(placeable[14] | (placeable[15] << 8), 96);

    // The records set anisotropic mapping, then window and viewport to the size.
    std::vector<std::pair<int, std::vector<int>>> mapping;
    std::size_t at = 18;
    while (at + 6 <= r.metafile.size()) {
        const auto words = static_cast<std::uint32_t>(Le32(r.metafile, at));
        const int fn = r.metafile[at + 4] | (r.metafile[at + 5] << 8);
        if (fn == wmf::META_SETMAPMODE || fn == wmf::META_SETWINDOWORG || fn == wmf::META_SETWINDOWEXT ||
            fn == wmf::META_SETVIEWPORTEXT) {
            std::vector<int> params;
            for (std::uint32_t i = 3; i < words; ++i)
                params.push_back(r.metafile[at + 2 * i] | (r.metafile[at + 2 * i + 1] << 8));
            mapping.emplace_back(fn, params);
        }
        if (words < 3)
            break;
        at += words * 2;
    }
    const int w = r.logicalSize.cx, h = r.logicalSize.cy;
    const std::vector<std::pair<int, std::vector<int>>> expected = {
        {wmf::META_SETMAPMODE, {MM_ANISOTROPIC}},
        {wmf::META_SETWINDOWORG, {0, 0}},
        {wmf::META_SETWINDOWEXT, {h, w}},
        {wmf::META_SETVIEWPORTEXT, {h, w}},
    };
    EXPECT_EQ(mapping, expected);
    EXPECT_EQ(r.metrics.size, r.logicalSize);
}

// Coordinates beyond what a metafile (16 bits) and an image (16384 pixels) hold are
// refused before anything is recorded, and the clipboard keeps what it had.
TEST(CopyAsPicture, TooLargeIsRefused)
{
    std::string tall;
    for (int i = 0; i < kEquationLines; ++i)
        tall += "H2O\r\n";
    const struct {
        const char* name;
        std::string text;
        std::int32_t fontHeight;
        bool fits;
    } cases[] = {
        {"ordinary", "2H2 + O2 => 2H2O", -19, true},
        {"too wide", std::string(40000, 'x'), -19, false},
        {"too tall", tall, -1500, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MolvexAppState app;
        app.options.font.value.lf.lfHeight = c.fontHeight;
        CMolvexDoc doc(app);
        doc.SetEquationText(c.text);
        CFakeDC screen;
        EXPECT_EQ(RecordEquationPicture(doc, screen).has_value(), c.fits);
        FakeClipboard clipboard;
        const auto error = doc.CopyAsPicture(clipboard, screen);
        EXPECT_EQ(error, c.fits ? std::nullopt : std::optional<std::string>("the picture is too large"));
        EXPECT_EQ(clipboard.holdsEarlierContents, !c.fits);
        EXPECT_EQ(clipboard.opens, c.fits ? 1 : 0);
        EXPECT_EQ(screen.LiveObjects(), 0);
    }
}
