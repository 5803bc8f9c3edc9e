// The equation document: splitting and joining the entry text, measuring and drawing
// the stacked lines, and the update cycle its views and items see.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "tests/support/FakeDC.h"

namespace {

using Lines = std::array<std::string, kEquationLines>;

Lines Make(std::initializer_list<std::string> first)
{
    Lines lines;
    std::size_t i = 0;
    for (const auto& s : first)
        lines[i++] = s;
    return lines;
}

std::string Repeat(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

struct DocTest : ::testing::Test {
    MolvexAppState app;
    CMolvexDoc doc{app};
    CFakeDC dc;

    // A line measured on its own, as the document measures each of its lines.
    LineExtent Measure(const std::string& text)
    {
        CEquationLine record;
        record.SetText(text);
        CFakeDC fresh;
        return record.MeasureLine(fresh, app.options, app.options.font.Get());
    }
};

struct Recorder : IDocumentObserver {
    std::vector<std::string> events;
    void ItemsChanged(CMolvexDoc&) override { events.push_back("items"); }
    void UpdateView(CMolvexDoc&) override { events.push_back("view"); }
    void ModifiedChanged(CMolvexDoc&, bool m) override { events.push_back(m ? "modified" : "clean"); }
};

} // namespace

TEST_F(DocTest, SplittingTheEntryText)
{
    std::string twentyFive;
    for (int i = 0; i < 25; ++i)
        twentyFive += (i ? "\r\n" : "") + ("L" + std::to_string(i));
    Lines crOnlyTail;
    crOnlyTail[0] = "A";
    crOnlyTail[19] = "\r";
    Lines loneCr;
    loneCr[19] = "\r";
    Lines manyBreaks;
    for (int i = 0; i < 19; ++i)
        manyBreaks[i] = "L" + std::to_string(i);
    manyBreaks[19] = "L19\r\nL20\r\nL21\r\nL22\r\nL23\r\nL24";

    const struct {
        const char* name;
        std::string text;
        Lines lines;
    } cases[] = {
        {"empty", "", Make({})},
        {"one line", "2H2 + O2 => 2H2O", Make({"2H2 + O2 => 2H2O"})},
        {"two lines", "A\r\nB", Make({"A", "B"})},
        {"empty line between", "A\r\n\r\nB", Make({"A", "", "B"})},
        {"CR before another character", "A\rXB\r\nC", Make({"A", "B", "C"})},
        {"CR last", "A\r", Make({"A"})},
        {"CR LF last", "A\r\n", Make({"A"})},
        {"a single CR left", "A\r\n\r", crOnlyTail},
        {"a lone CR", "\r", loneCr},
        {"LF without CR stays", "A\nB", Make({"A\nB"})},
        {"more than 19 breaks", twentyFive, manyBreaks},
        {"what joining gives", "A" + Repeat("\r\n", 19), Make({"A"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.SetEquationText(c.text);
        EXPECT_EQ(doc.Lines().texts, c.lines);
        EXPECT_EQ(doc.entryText, c.text);
    }
}

TEST_F(DocTest, JoiningAlwaysGivesTwentyLines)
{
    doc.SetEquationText("A");
    EXPECT_EQ(doc.GetEquationText(), "A" + Repeat("\r\n", 19));
    EXPECT_EQ(doc.entryText, "A"); // reading the text leaves the entry text alone

    // Joining and splitting again gives the same lines, line 19's breaks included.
    const std::string text = "x\r\n\r\ny" + Repeat("\r\nz", 25);
    doc.SetEquationText(text);
    const Lines before = doc.Lines().texts;
    doc.SetEquationText(doc.GetEquationText());
    EXPECT_EQ(doc.Lines().texts, before);
}

TEST_F(DocTest, SingleLine)
{
    const struct {
        Lines lines;
        bool single;
    } cases[] = {
        {Make({"A"}), true},
        {Make({}), false},
        {Make({"", "A"}), false},
        {Make({"A", "B"}), false},
        {[] { Lines l = Make({"A"}); l[19] = "Z"; return l; }(), false},
    };
    for (const auto& c : cases) {
        doc.lineList.texts = c.lines;
        EXPECT_EQ(doc.IsSingleLine(), c.single);
    }
}

TEST_F(DocTest, EmptyEquationMeasuresLikeADigit)
{
    const LineExtent three = Measure("3");
    ASSERT_GT(three.height, 0);
    const EquationBox m = doc.MeasureEquation(dc);
    EXPECT_EQ(m.size, (SIZE{three.width, three.height}));
    EXPECT_EQ(m.lowering, three.depth);
    EXPECT_EQ(m.lineTops, LineTops{});

    // Nothing is drawn: record 0 is classified again from its empty text.
    dc.ClearCalls();
    doc.DrawEquation(dc, 0, 0);
    EXPECT_EQ(dc.CountCalls("TextOut"), 0);
    EXPECT_EQ(dc.LiveObjects(), 0);
}

// Ink beyond the stacked boxes grows the picture on that side only, and the lines move
// with it: the fake's j reaches h / 10 back before its advance, an accented capital
// h / 5 above the ascent, an italic h / 5 past the advance.
TEST_F(DocTest, PictureGrowsWhereInkReachesBeyondTheLines)
{
    const int h = 40;
    struct Case {
        const char* text;
        bool italic;
        bool left, top, right;
    } const cases[] = {
        {"AB", false, false, false, false},
        {"jA", false, true, false, false},
        {"A\xC5", false, false, true, false},
        {"AB", true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        KVLogFont font = app.options.font.Get();
        font.lf.lfHeight = -40; // overhangs of a few units, beyond the box's margin
        font.lf.lfItalic = c.italic ? 1 : 0;
        app.options.font.SetFont(font);
        const LineExtent line = Measure(c.text);
        doc.SetEquationText(c.text);
        CFakeDC fake;
        const EquationBox m = doc.MeasureEquation(fake);
        EXPECT_EQ(m.grown.left, c.left ? h / 10 : 0);
        EXPECT_EQ(m.grown.top > 0, c.top);
        EXPECT_EQ(m.grown.right, c.right ? h / 5 - 3 : 0);
        EXPECT_EQ(m.grown.bottom, 0);
        EXPECT_EQ(m.size, (SIZE{static_cast<std::int32_t>(line.width + m.grown.left + m.grown.right),
                                static_cast<std::int32_t>(line.height + m.grown.top)}));
        EXPECT_EQ(m.lowering, line.depth);
        EXPECT_EQ(m.lineTops[0], m.grown.top);
        // Drawn shifted by the room at the left and the top.
        CFakeDC drawn;
        doc.DrawEquation(drawn, 0, 0);
        ASSERT_FALSE(drawn.TextOuts().empty());
        EXPECT_EQ(drawn.TextOuts()[0].x, m.grown.left);
    }
}

TEST_F(DocTest, StackingAndLowering)
{
    const LineExtent a = Measure("A"), arrow = Measure("A=ABOVE,BELOW>"), b = Measure("B");
    const int s = 15;
    ASSERT_EQ(app.options.verticalSpacing.Get(), s);
    // The lines must differ, or the case of an empty line 0 would prove nothing.
    ASSERT_NE(arrow.depth - arrow.height, a.depth - a.height);

    const struct {
        const char* name;
        Lines lines;
        LineTops tops;
        SIZE size;
        std::int32_t lowering;
    } cases[] = {
        {"single", Make({"A=ABOVE,BELOW>"}), {}, {arrow.width, arrow.height}, arrow.depth},
        {"empty line takes no space", Make({"A", "", "B"}), {0, 0, a.height + s},
         {std::max(a.width, b.width), a.height + s + b.height}, b.height + s + a.depth},
        {"first line's base line", Make({"A=ABOVE,BELOW>", "A"}), {0, arrow.height + s},
         {std::max(arrow.width, a.width), arrow.height + s + a.height}, a.height + s + arrow.depth},
        {"line 0 empty: the first drawn line", Make({"", "A=ABOVE,BELOW>", "", "A"}), {0, 0, 0, arrow.height + s},
         {std::max(arrow.width, a.width), arrow.height + s + a.height}, a.height + s + arrow.depth},
        {"only line 19", [] { Lines l; l[19] = "A"; return l; }(), {}, {a.width, a.height}, a.depth},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.lineList.texts = c.lines;
        const EquationBox m = doc.MeasureEquation(dc);
        EXPECT_EQ(m.lineTops, c.tops);
        EXPECT_EQ(m.size, c.size);
        EXPECT_EQ(m.lowering, c.lowering);
    }
}

TEST_F(DocTest, SpacingIsClampedAndWrittenBack)
{
    const LineExtent a = Measure("A");
    const struct {
        std::int32_t spacing;
        std::int32_t used;
    } cases[] = {{15, 15}, {0, 0}, {-20, -20}, {32767, 32767}, {40000, 0}, {-40000, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spacing);
        app.options.verticalSpacing.Set(c.spacing);
        doc.lineList.texts = Make({"A", "A"});
        const EquationBox m = doc.MeasureEquation(dc);
        EXPECT_EQ(m.size.cy, 2 * a.height + c.used);
        EXPECT_EQ(m.lineTops[1], a.height + c.used);
        EXPECT_EQ(app.options.verticalSpacing.Get(), c.used);
    }
}

// A spacing that cancels the line height must not make a used line measure like an
// empty equation.
TEST_F(DocTest, SpacingCancellingTheHeightKeepsTheLine)
{
    const LineExtent wide = Measure("MMMM");
    app.options.verticalSpacing.Set(-wide.height);
    doc.lineList.texts = Make({"MMMM"});
    const EquationBox m = doc.MeasureEquation(dc);
    EXPECT_EQ(m.size, (SIZE{wide.width, wide.height}));
    EXPECT_EQ(m.lowering, wide.depth);
}

// Drawing is each line drawn on its own at its top, text aligned top-left, all 20
// records classified again from their texts.
TEST_F(DocTest, DrawingStacksTheLines)
{
    doc.lineList.texts = Make({"H2", "", "O2 + 2e-"});
    const EquationBox m = doc.MeasureEquation(dc);
    CFakeDC drawn;
    drawn.SetTextAlign(TA_BASELINE);
    doc.DrawEquation(drawn, 10, 20);

    CFakeDC expected;
    expected.SetTextAlign(TA_BASELINE);
    for (int i = 0; i < kEquationLines; ++i) {
        CEquationLine record;
        record.SetText(doc.Lines().texts[i]);
        expected.SetTextAlign(TA_TOP | TA_LEFT);
        record.DrawLine(expected, 10, 20 + m.lineTops[i], app.options, app.options.font.Get());
    }
    ASSERT_GT(drawn.CountCalls("TextOut"), 0);
    ASSERT_EQ(drawn.TextOuts().size(), expected.TextOuts().size());
    for (std::size_t i = 0; i < drawn.TextOuts().size(); ++i) {
        EXPECT_EQ(drawn.TextOuts()[i].x, expected.TextOuts()[i].x);
        EXPECT_EQ(drawn.TextOuts()[i].y, expected.TextOuts()[i].y);
        EXPECT_EQ(drawn.TextOuts()[i].text, expected.TextOuts()[i].text);
    }
    EXPECT_EQ(drawn.LiveObjects(), 0);
}

// A view repaints the lines a change laid out again: those whose text changed, or
// every line when something else the layout depends on changed.
TEST_F(DocTest, LinesLaidOutAgainAreWhatTheChangeTouched)
{
    const struct {
        const char* change;
        std::vector<int> lines;
    } cases[] = {
        {"typed on line 2", {1}},
        {"a line inserted", {1, 2, 3}},
        {"nothing", {}},
        {"the same options applied", {}},
        {"loaded as it was", {}},
        {"options", {-1}}, // every line
    };
    doc.SetEquationText("H2\r\nO2\r\nX");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        const std::string change = c.change;
        const std::shared_ptr<const EquationBox> before = doc.Layout(dc);
        if (change == "typed on line 2")
            doc.SetEquationText("H2\r\nO2 + 2e-\r\nX");
        else if (change == "a line inserted")
            doc.SetEquationText("H2\r\nNa+\r\nO2 + 2e-\r\nX");
        else if (change == "nothing")
            doc.SetEquationText(doc.GetEquationText());
        else if (change == "the same options applied")
            doc.ApplyOptions(app.options);
        else if (change == "loaded as it was")
            ASSERT_TRUE(doc.LoadFromBytes(doc.SaveToBytes()).ok);
        else
            app.options.levelSub.Set(0.25);
        const std::shared_ptr<const EquationBox> after = doc.Layout(dc);
        std::array<bool, kEquationLines> want{};
        for (int i : c.lines)
            i < 0 ? want.fill(true) : void(want[static_cast<std::size_t>(i)] = true);
        std::array<bool, kEquationLines> laidOut{};
        for (std::size_t i = 0; i < laidOut.size(); ++i)
            laidOut[i] = before->lines[i] != after->lines[i];
        EXPECT_EQ(laidOut, want);
    }
}

// Drawing only some rows draws the lines whose ink meets them, each as a whole
// drawing draws it.
TEST_F(DocTest, DrawingSomeRowsDrawsTheLinesThatMeetThem)
{
    doc.SetEquationText("H2\r\nO2 + 2e-\r\n\r\nNa+\r\nCl-");
    const EquationBox m = doc.MeasureEquation(dc);
    ASSERT_FALSE(m.Ink(3).Empty());
    EXPECT_TRUE(m.Ink(2).Empty());
    const auto texts = [&](std::optional<EquationBand> band) {
        CFakeDC drawn;
        doc.DrawEquation(drawn, 0, 0, band);
        EXPECT_EQ(drawn.LiveObjects(), 0);
        std::vector<std::string> all;
        for (const auto& t : drawn.TextOuts())
            all.push_back(t.text + "@" + std::to_string(t.y));
        return all;
    };
    const std::vector<std::string> whole = texts(std::nullopt);
    std::vector<std::string> naPlus;
    for (const std::string& t : texts(EquationBand{-100000, 100000}))
        if (t.rfind("N@", 0) == 0 || t.rfind("a@", 0) == 0 || (t.rfind("+@", 0) == 0 && !naPlus.empty()))
            naPlus.push_back(t);
    const struct {
        const char* rows;
        EquationBand band;
        std::vector<std::string> drawn;
    } cases[] = {
        {"above the equation", {-1000, m.Ink(0).top}, {}},
        {"the middle of Na+", {m.lineTops[3] + 2, m.lineTops[3] + 3}, naPlus},
        {"all of it", {-1000, 100000}, whole},
    };
    ASSERT_EQ(naPlus.size(), 3u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(texts(c.band), c.drawn);
    }
}

// Every option, the font and the context's metrics are the layout's key: a change of
// any one lays the equation out again, and the same inputs give the same layout.
TEST_F(DocTest, EachInputOfTheLayoutLaysItOutAgain)
{
    doc.SetEquationText("H2 + O2 =}{> 2H2O");
    int options = 0;
    CEquationOptions::VisitEach(
        [&](auto& option) {
            SCOPED_TRACE(option.Key());
            ++options;
            const std::shared_ptr<const EquationBox> before = doc.Layout(dc);
            EXPECT_EQ(doc.Layout(dc), before);
            using Option = std::decay_t<decltype(option)>;
            if constexpr (std::is_same_v<Option, FontOption>)
                option.value.lf.lfWeight += 100;
            else if constexpr (std::is_same_v<Option, BoolOption>)
                option.Set(!option.Get());
            else
                option.Set(option.Get() + 1);
            EXPECT_NE(doc.Layout(dc), before);
        },
        app.options);
    EXPECT_EQ(options, 13);

    CFakeDC otherInch;
    otherInch.SetLogPixels(120, 120);
    const std::shared_ptr<const EquationBox> here = doc.Layout(dc);
    EXPECT_NE(doc.Layout(otherInch), here);
    EXPECT_EQ(doc.Layout(dc), here); // each kind of context keeps its own
}

struct RelayoutCase {
    const char* change;
    int linesLaidOut;
};

TEST_F(DocTest, OnlyChangedLinesAreLaidOutAgain)
{
    // Each line laid out measures its five fonts; the empty lines (drawn too) share one box.
    const std::vector<RelayoutCase> cases = {
        {"nothing", 0}, {"one line typed", 1}, {"options", 4}, {"font", 4}, {"another inch", 4}, {"back", 0},
    };
    doc.SetEquationText("H2\r\nO2 + 2e-\r\nX");
    doc.DrawEquation(dc, 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        const std::string change = c.change;
        CFakeDC other;
        CFakeDC* target = &dc;
        if (change == "one line typed")
            doc.SetEquationText("H2\r\nO2 + 2e- =>\r\nX");
        else if (change == "options")
            app.options.levelSuper.Set(0.6);
        else if (change == "font")
            app.options.font.value.lf.lfHeight = -20;
        else if (change == "another inch")
            other.SetLogPixels(120, 120), target = &other;
        target->ClearCalls();
        doc.DrawEquation(*target, 0, 0);
        EXPECT_EQ(target->CountCalls("GetTextMetricsA"), 5 * c.linesLaidOut);
    }
}

TEST_F(DocTest, HitTestFindsTheCharacterUnderAPoint)
{
    // Lines "H2" and "O2 + 2e-" at (10, 20): line 1's top is line 0's height (21) plus
    // the spacing; "O2 " is 9 + 4 + 4 wide, so x 10 + 19 is on the "+".
    doc.SetEquationText("H2\r\nO2 + 2e-");
    const EquationBox m = doc.MeasureEquation(dc);
    const int line1 = 20 + m.lineTops[1] + 10;
    EXPECT_EQ(doc.HitTest(dc, POINT{12, 30}, 10, 20), (LineHit{0, 0}));
    EXPECT_EQ(doc.HitTest(dc, POINT{29, line1}, 10, 20), (LineHit{1, 3}));
    EXPECT_EQ(doc.HitTest(dc, POINT{5, 30}, 10, 20), std::nullopt);
    EXPECT_EQ(doc.HitTest(dc, POINT{400, line1}, 10, 20), std::nullopt);
}

TEST_F(DocTest, EveryEditNotifiesItemsThenMarksThenUpdatesViews)
{
    Recorder first, second;
    doc.AddObserver(&first);
    doc.AddObserver(&second);
    doc.SetEquationText("A");
    EXPECT_EQ(first.events, (std::vector<std::string>{"items", "modified", "view"}));
    EXPECT_EQ(second.events, first.events);
    EXPECT_TRUE(doc.IsModified());

    first.events.clear();
    doc.SetEquationText("AB");
    EXPECT_EQ(first.events, (std::vector<std::string>{"items", "view"}));

    doc.RemoveObserver(&second);
    second.events.clear();
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(second.events.empty());
    EXPECT_EQ(first.events.back(), "clean");
    doc.RemoveObserver(&first);
}

TEST_F(DocTest, FontAndOptionsCommandsSaveRedrawAndNotify)
{
    const auto folder = std::filesystem::temp_directory_path() / ("molvex-doc-store-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    app.mainStore.SetLocation(99);
    app.mainStore.SetPath((folder / "MLV2.ini").string());

    Recorder r;
    doc.AddObserver(&r);
    KVLogFont font;
    font.lf.lfHeight = -20;
    font.lf.SetFaceName("Courier New");
    EXPECT_FALSE(doc.ApplyFont(font).has_value());
    EXPECT_EQ(app.options.font.Get().lf.lfHeight, -20);
    EXPECT_NE(app.mainStore.GetString("Options", "Font").find("Courier New"), std::string::npos);
    EXPECT_EQ(r.events, (std::vector<std::string>{"items", "modified", "view"}));

    CEquationOptions changed = app.options;
    changed.verticalSpacing.Set(22);
    changed.italicPhase.Set(false);
    doc.SetModifiedFlag(false);
    r.events.clear();
    EXPECT_FALSE(doc.ApplyOptions(changed).has_value());
    EXPECT_EQ(app.options.verticalSpacing.Get(), 22);
    EXPECT_EQ(app.mainStore.GetString("Options", "VerticalSpacing"), "22");
    EXPECT_EQ(app.mainStore.GetString("Options", "ItalicPhase"), "0");
    EXPECT_EQ(r.events, (std::vector<std::string>{"items", "modified", "view"}));
    EXPECT_TRUE(std::filesystem::exists(folder / "MLV2.ini"));

    // A store that cannot be written hands its error back; the change stays applied.
    app.mainStore.SetPath((folder / "missing" / "MLV2.ini").string());
    changed.verticalSpacing.Set(5);
    EXPECT_TRUE(doc.ApplyOptions(changed).has_value());
    EXPECT_EQ(app.options.verticalSpacing.Get(), 5);
    doc.RemoveObserver(&r);
    std::filesystem::remove_all(folder);
}

TEST(AppState, DefinitionsAndStores)
{
    MolvexAppState app;
    EXPECT_EQ(app.mainStore.Company(), "Tamrel");
    EXPECT_EQ(app.mainStore.FileName(), "MLV2");
    EXPECT_EQ(app.mainStore.Location(), 0);
    EXPECT_EQ(app.adjustStore.FileName(), "MLV2ADJ");
    EXPECT_EQ(app.adjustStore.Location(), 0);
    EXPECT_EQ(app.levelAdjust.Section(), "Adjustment");
    EXPECT_EQ(app.levelAdjust.Key(), "Level");
    EXPECT_EQ(app.levelAdjust.Get(), 0);
    EXPECT_EQ(app.levelAdjust.Minimum(), -32768);
    EXPECT_EQ(app.levelAdjust.Maximum(), 32767);
    EXPECT_EQ(app.options.verticalSpacing.Get(), 15);
}
