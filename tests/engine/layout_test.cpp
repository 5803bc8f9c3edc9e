// Layout and drawing on the fake device context, checked against numbers worked out
// by hand from the fake's metrics (tests/support/FakeDC.h):
//   h 14 (base): M ("m") 12, Cn 11, Dn 3; X O H U C 9 wide, a 8, - 5.
//   h 8 (raised/lowered/arrow text from -14 at 0.5): Cs 6, Ds 2, Cb 6, Ia 1;
//       upper case 5, digits 4, - 3, W 7.
//   h 11 (state, trunc(0.5 * trunc(8 * -14 / 5)) = -11): Cp 9, Dp 2; ( ) 4, a q 6.
// Default options: A = trunc(0.5 * 11) = 5, S = trunc(0.7 * 11) = 7, B = -5, P = 0,
// so a line without arrow texts has top max(11, 9, 1, 7+6+1, 5+1) = 14 and bottom
// min(-3, -2, -5, 5, 4) = -5: depth 7, height 21.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LineBox.h"
#include "engine/LogRecords.h"
#include "engine/SelectedFont.h"
#include "tests/support/FakeDC.h"

namespace {

struct Seg {
    int x0, y0, x1, y1;
    friend bool operator==(const Seg& a, const Seg& b)
    {
        return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
    }
};

std::ostream& operator<<(std::ostream& os, const Seg& s)
{
    return os << "(" << s.x0 << "," << s.y0 << ")-(" << s.x1 << "," << s.y1 << ")";
}

struct Out {
    std::string text;
    int x, y;
    friend bool operator==(const Out& a, const Out& b) { return a.text == b.text && a.x == b.x && a.y == b.y; }
};

std::ostream& operator<<(std::ostream& os, const Out& o)
{
    return os << "\"" << o.text << "\"@(" << o.x << "," << o.y << ")";
}

std::vector<Out> Texts(const CFakeDC& dc)
{
    std::vector<Out> v;
    for (const auto& t : dc.TextOuts())
        v.push_back({t.text, t.x, t.y});
    return v;
}

std::vector<Seg> Strokes(const CFakeDC& dc)
{
    std::vector<Seg> v;
    for (const auto& s : dc.Strokes())
        v.push_back({s.from.x, s.from.y, s.to.x, s.to.y});
    return v;
}

class Layout : public ::testing::Test {
protected:
    // Lays the line out, then records only the drawing.
    LineExtent Draw(const std::string& text, int x, int y, unsigned align = TA_BASELINE | TA_LEFT)
    {
        line.SetText(text);
        dc.SetTextAlign(align);
        box = LayOutLine(line, dc, options, font);
        dc.ClearCalls();
        return DrawLineBox(box, dc, x, y);
    }

    void ExpectCleanDC(unsigned align)
    {
        EXPECT_EQ(dc.SelectedFont(), StockHandle(SYSTEM_FONT));
        EXPECT_EQ(dc.SelectedPen(), StockHandle(BLACK_PEN));
        EXPECT_EQ(dc.SelectedBrush(), StockHandle(NULL_BRUSH));
        EXPECT_EQ(dc.TextAlign(), align);
        EXPECT_EQ(dc.BkMode(), TRANSPARENT);
        EXPECT_EQ(dc.LiveObjects(), 0);
        EXPECT_EQ(dc.FailedDeletes(), 0);
    }

    CFakeDC dc;
    CEquationLine line;
    CEquationOptions options;
    KVEquationFont font;
    LineBox box;
};

TEST_F(Layout, MinusSignStandsApartFromFormulaAndClosesUpOnSubscript)
{
    // "OH-": O 0..9, H 9..18, the minus (raised, w 3) 2 units on at 20 and again at
    // 20 + trunc(3/2); it advances trunc(1.5 * 3) = 4: width 20 + 4 + 3.
    LineExtent e = Draw("OH-", 0, 100);
    EXPECT_EQ(Texts(dc), (std::vector<Out>{{"O", 0, 100}, {"H", 9, 100}, {"-", 20, 93}, {"-", 21, 93}}));
    EXPECT_EQ(e, (LineExtent{7, 27, 21}));

    // "NO3-": the lowered 3 (w 4) ends at 22; the minus starts 2 units back at 20.
    Draw("NO3-", 0, 100);
    EXPECT_EQ(Texts(dc), (std::vector<Out>{{"N", 0, 100}, {"O", 9, 100}, {"3", 18, 105}, {"-", 20, 93},
                                                  {"-", 21, 93}}));

    // A minus at the start of the line has no previous position: no gap.
    Draw("-X", 0, 100);
    ASSERT_FALSE(Texts(dc).empty());
    EXPECT_EQ(Texts(dc)[0], (Out{"-", 0, 100}));
}

struct BoxCase {
    const char* text;
    std::string items; // kind:source@left+advance for every placed position
};

TEST_F(Layout, BoxHoldsEveryPlacedPositionWithItsSource)
{
    // Hidden positions (quotes, markup) and control characters take no item and no room.
    const std::vector<BoxCase> cases = {
        {"OH-", "G0@0+9 G1@9+9 G2@20+4"},
        {"\"a-b\"", "G1@0+8 G2@10+7 G3@17+8"},
        {"nu_ {1,2}", "B0@0+8 G3@8+4 P4@12+4"},
        {"A=x>B", "G0@0+9 A1@9+56 G4@65+9"},
        {"A\r\nB", "G0@0+9 G3@9+9"},
    };
    const char kinds[] = {'G', 'B', 'P', 'A'};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Draw(c.text, 0, 100);
        std::string items;
        for (const BoxItem& item : box.items)
            items += (items.empty() ? "" : " ") + std::string(1, kinds[static_cast<int>(item.kind)]) +
                     std::to_string(item.source) + "@" + std::to_string(item.left) + "+" + std::to_string(item.advance);
        EXPECT_EQ(items, c.items);
    }
    // Hit testing: relative to the baseline's start; outside every position is none.
    Draw("A=x>B", 0, 100);
    EXPECT_EQ(HitTestBox(box, 3, 0), 0);
    EXPECT_EQ(HitTestBox(box, 40, -5), 1);
    EXPECT_EQ(HitTestBox(box, 70, 2), 4);
    EXPECT_EQ(HitTestBox(box, 90, 0), std::nullopt);
    EXPECT_EQ(HitTestBox(box, 3, -100), std::nullopt);
}

TEST_F(Layout, ControlCharactersAreNeverDrawn)
{
    Draw("A\r\nB\x01", 0, 100);
    EXPECT_EQ(Texts(dc), (std::vector<Out>{{"A", 0, 100}, {"B", 9, 100}}));
    Draw("{1\r,2\n}", 0, 100);
    EXPECT_EQ(dc.DrawnText(), "12");
}

TEST_F(Layout, SingleLetterBox)
{
    LineExtent e = Draw("X", 0, 100);
    EXPECT_EQ(e, (LineExtent{7, 9 + 3, 21}));
    EXPECT_EQ(line.MeasureLine(dc, options, font), e);
}

TEST_F(Layout, EmptyTextMeasuresZeroAndDrawsMarginOnly)
{
    CEquationLine empty;
    EXPECT_EQ(empty.MeasureLine(dc, options, font), (LineExtent{0, 0, 0}));
    EXPECT_EQ(dc.Calls().size(), 0u);
    EXPECT_EQ(empty.DrawLine(dc, 0, 0, options, font).width, 3);
    EXPECT_EQ(dc.CountCalls("TextOut"), 0);
}

TEST_F(Layout, SampleLine)
{
    // Arrow texts (font -8): nested lines have Cn 6, top 8, bottom -3; "ABOVE" is 25
    // wide (box 28, height 13), "BELOW" 27 (box 30). tallestAbove 13, so the outer top
    // is 13 + 0 + 5 + 1 = 19 and the bottom 5 - 13 - 1 = -9; TA_TOP puts the baseline
    // at 19.
    LineExtent e = Draw("co32-(aq)<>{238,92}U=ABOVE,BELOW>", 0, 0, TA_TOP | TA_LEFT);
    EXPECT_EQ(box.tallestAbove, 13);
    EXPECT_EQ(box.arrowWidths[0], 0);
    EXPECT_EQ(box.arrowWidths[1], 30);
    EXPECT_EQ(box.arrowsPlaced, 2);
    EXPECT_EQ(box.pairsPlaced, 1);
    // Arrow 1 at 127: L = max(30, 3 * 12) + 20 = 56, centre 127 + 28 = 155.
    // ABOVE: TA_BOTTOM at y 19 - 5 - 1 = 13, so its baseline is 13 - 3 = 10, start
    // 155 - trunc(28/2). BELOW: TA_TOP at 14 + 1 = 15, baseline 15 + 8, start 155 - 15.
    EXPECT_EQ(Texts(dc),
              (std::vector<Out>{
                  {"C", 0, 19}, {"O", 9, 19}, {"3", 18, 24}, {"2", 22, 12}, {"-", 26, 12}, {"-", 27, 12},
                  {"(", 30, 19}, {"a", 34, 19}, {"q", 40, 19}, {")", 46, 19},
                  {"238", 106, 12}, {"92", 110, 24}, {"U", 118, 19},
                  {"A", 141, 10}, {"B", 146, 10}, {"O", 151, 10}, {"V", 156, 10}, {"E", 161, 10},
                  {"B", 140, 23}, {"E", 145, 23}, {"L", 150, 23}, {"O", 155, 23}, {"W", 160, 23},
              }));
    // Equilibrium arrow (style 1) at 50: L 56, strokes 55..101 on the axis 19 - 5;
    // r = trunc(6 * 14 / 9) = 9, b 4, k3 3. Then the reaction arrow 132..178.
    EXPECT_EQ(Strokes(dc), (std::vector<Seg>{
                                      {55, 14, 101, 14}, {101, 14, 97, 11}, {101, 14, 97, 17},
                                      {101, 14, 55, 14}, {55, 14, 59, 17}, {55, 14, 59, 11},
                                      {132, 14, 178, 14}, {178, 14, 174, 11}, {178, 14, 174, 17},
                                  }));
    // The arrow texts are in the arrow-text font.
    for (const auto& t : dc.TextOuts())
        if (t.x >= 140) {
            EXPECT_EQ(t.fontHeight, -8) << t.text;
        }
    EXPECT_EQ(e, (LineExtent{11, 183 + 3, 30}));
    ExpectCleanDC(TA_TOP | TA_LEFT);
}

struct StyleCase {
    int style;
    std::vector<Seg> strokes;
};

TEST_F(Layout, EquilibriumStyles)
{
    // "<>" at baseline 100: axis 95, strokes 5..51 (L 56), b 4, k3 3, k5 1;
    // d = trunc(14/10) = 1 for style 2, trunc(14/7) = 2 for style 3.
    const std::vector<StyleCase> cases = {
        {0, {{5, 95, 51, 95}, {51, 95, 47, 92}, {51, 95, 5, 95}, {5, 95, 9, 98}}},
        {1, {{5, 95, 51, 95}, {51, 95, 47, 92}, {51, 95, 47, 98}, {51, 95, 5, 95}, {5, 95, 9, 98},
             {5, 95, 9, 92}}},
        {2, {{5, 94, 51, 94}, {51, 94, 47, 91}, {51, 96, 5, 96}, {5, 96, 9, 99}}},
        {3, {{5, 93, 51, 93}, {51, 93, 47, 94}, {51, 93, 47, 92}, {51, 97, 5, 97}, {5, 97, 9, 98},
             {5, 97, 9, 96}}},
        {7, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        options.equilibriumArrow.Set(c.style);
        LineExtent e = Draw("<>", 0, 100);
        EXPECT_EQ(Strokes(dc), c.strokes);
        EXPECT_EQ(e.width, 56 + 3);
        for (const auto& s : dc.Strokes()) {
            const CFakeDC::Object* pen = dc.Find(s.pen); // the line pen
            ASSERT_NE(pen, nullptr);
            EXPECT_EQ(pen->kind, CFakeDC::Object::Pen);
        }
    }
}

TEST_F(Layout, DoubleLineGapEntersEveryLineBox)
{
    // d enters top as tallestAbove + d + A + Ia: with an arrow level of -1, A = 22,
    // so top = 0 + d + 22 + 1.
    options.levelArrow.Set(-1.0);
    const std::vector<std::pair<int, int>> cases = {{1, 23}, {2, 24}, {3, 25}};
    for (const auto& [style, top] : cases) {
        options.equilibriumArrow.Set(style);
        LineExtent e = Draw("X", 0, 100);
        EXPECT_EQ(e.height - e.depth, top) << style;
    }
}

TEST_F(Layout, ReactionArrowBarbs)
{
    Draw("=>", 0, 100);
    EXPECT_EQ(Strokes(dc), (std::vector<Seg>{{5, 95, 51, 95}, {51, 95, 47, 92}, {51, 95, 47, 98}}));
}

struct AnchorCase {
    unsigned align;
    Out expected;
};

TEST_F(Layout, Anchors)
{
    // "X": top 14, bottom -5, W = 12 including the margin.
    const std::vector<AnchorCase> cases = {
        {TA_TOP | TA_LEFT, {"X", 100, 214}},
        {TA_BOTTOM | TA_LEFT, {"X", 100, 195}},
        {TA_BASELINE | TA_LEFT, {"X", 100, 200}},
        {TA_BASELINE | TA_CENTER, {"X", 94, 200}},
        {TA_TOP | TA_RIGHT, {"X", 88, 214}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        Draw("X", 100, 200, c.align);
        EXPECT_EQ(Texts(dc), (std::vector<Out>{c.expected}));
        ExpectCleanDC(c.align);
    }
}

struct ReplayCase {
    const char* text;
    std::string calls; // after the prologue, up to the epilogue
};

TEST_F(Layout, ReplayMakesTheCallsOfADrawingPass)
{
    // Every position gets its font made, selected and deleted around it; nothing is
    // measured while drawing.
    const std::string sel = "Create Select Colour ", desel = "Select Colour Delete ";
    std::string prologue = "GetTextAlign CreatePen Select ";
    for (int i = 0; i < 5; ++i) // base, raised, lowered, state and arrow-text fonts
        prologue += sel + desel;
    prologue += "SetBkMode Align ";
    const std::string epilogue = "Select Select Select Delete Align ";
    const std::string emptyText = prologue + epilogue; // an arrow's empty text, drawn as a line
    const std::vector<ReplayCase> cases = {
        {"X", sel + "TextOut " + desel},
        {"a-", sel + "TextOut " + desel + sel + "TextOut TextOut " + desel},
        {"nu_", sel + "TextOut Select MoveTo LineTo " + desel},
        {"{1,2}", sel + "TextOut TextOut " + desel},
        {"=>", "Select MoveTo LineTo LineTo MoveTo LineTo " + sel + "Align " + emptyText + "Align " + emptyText +
                   "Align " + desel},
    };
    const std::map<std::string, std::string> shortName = {
        {"CreateFontIndirectA", "Create"}, {"SelectObject", "Select"}, {"SetTextColor", "Colour"},
        {"DeleteObject", "Delete"}, {"SetTextAlign", "Align"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Draw(c.text, 0, 0, TA_TOP | TA_LEFT);
        std::string calls;
        for (const auto& call : dc.Calls()) {
            const auto it = shortName.find(call.name);
            calls += (it == shortName.end() ? call.name : it->second) + " ";
        }
        EXPECT_EQ(calls, prologue + c.calls + epilogue);
        ExpectCleanDC(TA_TOP | TA_LEFT);
    }
    const auto& calls = dc.Calls();
    EXPECT_EQ(calls[1].args, (std::vector<std::int64_t>{PS_INSIDEFRAME, 1, 0}));
    const size_t n = calls.size();
    EXPECT_EQ(calls[n - 5].args[0], StockHandle(SYSTEM_FONT));
    EXPECT_EQ(calls[n - 4].args[0], StockHandle(BLACK_PEN));
    EXPECT_EQ(calls[n - 3].args[0], StockHandle(NULL_BRUSH));
}

TEST_F(Layout, DerivedFontsNeverGetZeroHeight)
{
    // trunc(6 * -1 / 5) = -1, trunc(0.5 * -1) = 0, corrected to -1.
    font.lf.lfHeight = -1;
    Draw("X2+ (aq) =a>", 0, 0);
    ASSERT_GT(dc.CountCalls("CreateFontIndirectA"), 0);
    for (const auto& c : dc.Calls())
        if (c.name == "CreateFontIndirectA") {
            EXPECT_EQ(c.args[0], -1);
        }
}

TEST_F(Layout, FontScaling)
{
    // -14 at 0.5: 6/5 gives -16 then -8; the state font 8/5 gives -22 then -11, and
    // 400 HIMETRIC becomes 240 and 320. Arrow texts scale once more: -8 -> -4.
    options.italicPhase.Set(true);
    Draw("X", 0, 0);
    std::vector<std::int64_t> heights;
    std::vector<std::int64_t> italic;
    for (const auto& c : dc.Calls())
        if (c.name == "CreateFontIndirectA") {
            heights.push_back(c.args[0]);
            italic.push_back(c.args[2]);
        }
    EXPECT_EQ(heights, (std::vector<std::int64_t>{-14, -8, -8, -11, -8, -14}));
    EXPECT_EQ(italic, (std::vector<std::int64_t>{0, 0, 0, 1, 0, 0}));

    dc.SetMapMode(MM_HIMETRIC);
    Draw("X", 0, 0);
    heights.clear();
    for (const auto& c : dc.Calls())
        if (c.name == "CreateFontIndirectA")
            heights.push_back(c.args[0]);
    EXPECT_EQ(heights, (std::vector<std::int64_t>{-400, -240, -240, -320, -240, -400}));
}

TEST_F(Layout, ColourUsedAndRestored)
{
    font.color = RGB(255, 0, 0);
    dc.SetTextColor(RGB(0, 0, 255));
    Draw("co32-(aq)<>{238,92}U=ABOVE,BELOW> nu_", 0, 0, TA_TOP | TA_LEFT);
    ASSERT_FALSE(dc.TextOuts().empty());
    for (const auto& t : dc.TextOuts())
        EXPECT_EQ(t.color, RGB(255, 0, 0)) << t.text;
    ASSERT_FALSE(dc.Strokes().empty());
    for (const auto& s : dc.Strokes())
        EXPECT_EQ(s.color, RGB(255, 0, 0));
    EXPECT_EQ(dc.TextColor(), RGB(0, 0, 255));
    ExpectCleanDC(TA_TOP | TA_LEFT);
    EXPECT_EQ(dc.FontsCreated(), dc.FontsDeleted());
    EXPECT_EQ(dc.PensCreated(), dc.PensDeleted());
}

TEST_F(Layout, StackedPairInCentredArrowTextUsesFirstSlot)
{
    // The text below is "{3,4}Y" (a comma in a below text is its own): its own pair 0.
    // The centred nested pass measures it first, which counts the pair; drawing must
    // start from slot 0 again.
    Draw("{1,2}X=A,{3,4}Y>", 0, 100);
    std::vector<std::string> drawn;
    for (const auto& o : Texts(dc))
        drawn.push_back(o.text);
    EXPECT_EQ(drawn, (std::vector<std::string>{"1", "2", "X", "A", "3", "4", "Y"}));
    EXPECT_EQ(box.pairsPlaced, 1);
}

TEST_F(Layout, QuotedHyphenDrawnTwice)
{
    // '"' hidden, a 0..8, the hyphen after a Normal position gets the gap: 10 and
    // 10 + trunc(5/2), advancing trunc(7.5) = 7; b at 17.
    Draw("\"a-b\"", 0, 100);
    EXPECT_EQ(Texts(dc), (std::vector<Out>{{"a", 0, 100}, {"-", 10, 100}, {"-", 12, 100}, {"b", 17, 100}}));
}

TEST_F(Layout, BarredNu)
{
    // The symbol-face n is 8 wide and 16 high: bar at 100 - 8 from 0 to 8.
    LineExtent e = Draw("nu_", 0, 100);
    ASSERT_EQ(dc.TextOuts().size(), 1u);
    EXPECT_EQ(dc.TextOuts()[0].face, "Symbol");
    EXPECT_EQ(Texts(dc), (std::vector<Out>{{"n", 0, 100}}));
    EXPECT_EQ(Strokes(dc), (std::vector<Seg>{{0, 92, 8, 92}}));
    EXPECT_FALSE(IsStockHandle(dc.Strokes()[0].pen)); // the line pen
    EXPECT_EQ(e.width, 8 + 3);
}

TEST_F(Layout, CreationFailuresDrawOnWithWhatIsSelected)
{
    // Fonts fail: every position is measured and drawn in the stock font (h 16, X 11).
    dc.SetFailFonts(true);
    LineExtent e = Draw("XX=a>", 0, 100);
    EXPECT_EQ(dc.FontsCreated(), 0);
    EXPECT_EQ(Texts(dc).size(), 3u);
    EXPECT_EQ(Texts(dc)[1], (Out{"X", 11, 100}));
    EXPECT_GT(e.width, 0);
    ExpectCleanDC(TA_BASELINE | TA_LEFT);

    dc.SetFailFonts(false);
    dc.SetFailPens(true);
    const int pensBefore = dc.PensCreated();
    Draw("nu_ =>", 0, 100);
    EXPECT_EQ(dc.PensCreated(), pensBefore);
    EXPECT_EQ(dc.Strokes().size(), 4u);
    for (const auto& s : dc.Strokes())
        EXPECT_EQ(s.pen, StockHandle(BLACK_PEN)); // the nested passes left the stock pen
    ExpectCleanDC(TA_BASELINE | TA_LEFT);
}

TEST_F(Layout, HimetricRaisedTextGoesUp)
{
    // Font 400: Cn 300, S = trunc((1.2 - 0.5) * 300) = 210 in doubles; y grows
    // upwards, so the raised charge's baseline is at +210. u = 8: "OH-" puts the minus 16 on from 280 + 280;
    // the raised hyphen is 96 wide.
    dc.SetMapMode(MM_HIMETRIC);
    Draw("OH-", 0, 0);
    EXPECT_EQ(Texts(dc), (std::vector<Out>{{"O", 0, 0}, {"H", 280, 0}, {"-", 576, 210}, {"-", 624, 210}}));
    // The arrow axis lies above the baseline as well: A = 150.
    Draw("=>", 0, 0);
    ASSERT_FALSE(Strokes(dc).empty());
    EXPECT_EQ(Strokes(dc)[0].y0, 150);
}

TEST_F(Layout, ArrowTextsCoverGrownSlots)
{
    line.SetText("X");
    line.arrowAbove.resize(12);
    line.arrowBelow.resize(12);
    line.arrowAbove[11] = "ABOVE";
    box = LayOutLine(line, dc, options, font);
    ASSERT_GE(box.arrowWidths.size(), 12u);
    // "ABOVE" in the arrow-text font, as in SampleLine: 28 wide, 13 high.
    EXPECT_EQ(box.arrowWidths[11], 28);
    EXPECT_EQ(box.tallestAbove, 13);

    // Counters that claim more arrows and pairs than there are slots never index out.
    line.SetText("=a>{1,2}X");
    line.arrowAbove.resize(1);
    line.stackTop.resize(0);
    line.stackBottom.resize(0);
    line.DrawLine(dc, 0, 0, options, font);
    ExpectCleanDC(TA_TOP | TA_LEFT);
}

TEST_F(Layout, DeeplyNestedArrowTextsStayCheap)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "=a";
    text += std::string(300, '>');
    Draw(text, 0, 0);
    EXPECT_LT(dc.Calls().size(), 200000u);
    EXPECT_EQ(dc.CountCalls("TextOut"), kMaxArrowTextDepth); // the deepest texts are left out
    ExpectCleanDC(TA_BASELINE | TA_LEFT);

    // Five levels are drawn whole.
    Draw("A =a=d=e=j=q>>>>> B", 0, 0);
    std::string letters = dc.DrawnText();
    letters.erase(std::remove(letters.begin(), letters.end(), ' '), letters.end());
    EXPECT_EQ(letters, "AadejqB");
}

TEST_F(Layout, MeasuredExtentEqualsDrawnExtent)
{
    const std::vector<std::string> inputs = {
        "2H2 + O2 => 2H2O",
        "Na+ + Cl- => NaCl(s)",
        "fe3+ + 3oh- => fe(oh)3",
        "SO42- + Ba2+ => BaSO4(s)",
        "[Fe(CN)6]3-",
        "co32-(aq)<>{238,92}U=ABOVE,BELOW>",
        "N2 =heat,cat.> 2N",
        "{1,0}n + {235,92}U",
        "CuSO4.5H2O",
        "H2+",
        "Ca(OH)2 (s)",
        "\"Heat\" 25`C",
        "=x=y>z>",
        "deh nu nu_",
    };
    for (const auto& text : inputs) {
        for (int style = 0; style < 4; ++style) {
            SCOPED_TRACE(text + " style " + std::to_string(style));
            options.equilibriumArrow.Set(style);
            line.SetText(text);
            const LineExtent measured = line.MeasureLine(dc, options, font);
            dc.SetTextAlign(TA_TOP | TA_LEFT);
            const LineExtent drawn = line.DrawLine(dc, 10, 20, options, font);
            EXPECT_EQ(measured, drawn);
            dc.SetTextAlign(TA_BASELINE | TA_CENTER);
            EXPECT_EQ(line.DrawLine(dc, 10, 20, options, font), drawn);
            ExpectCleanDC(TA_BASELINE | TA_CENTER);
        }
    }
}

TEST(SelectedFont, SelectAndDeselectRestoreTheContext)
{
    CFakeDC dc;
    dc.SetTextColor(RGB(1, 2, 3));
    KVEquationFont f;
    f.color = RGB(9, 9, 9);
    {
        CSelectedFont sel(f);
        EXPECT_EQ(sel.Select(dc, false), 14);
        EXPECT_EQ(dc.TextColor(), RGB(9, 9, 9));
        EXPECT_EQ(dc.SelectedLogFont().lfHeight, -14);
        sel.Deselect(dc);
        EXPECT_EQ(dc.TextColor(), RGB(1, 2, 3));
        EXPECT_EQ(dc.SelectedFont(), StockHandle(SYSTEM_FONT));
        EXPECT_EQ(sel.Select(dc, true), 400);
        // Left selected: the destructor puts the stock font back and deletes its own.
    }
    EXPECT_EQ(dc.SelectedFont(), StockHandle(SYSTEM_FONT));
    EXPECT_EQ(dc.LiveObjects(), 0);
    EXPECT_EQ(dc.FailedDeletes(), 0);
}

} // namespace
