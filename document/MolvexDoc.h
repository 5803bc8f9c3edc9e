#pragma once
// The equation document: 20 line texts, their classified records, measuring and
// drawing of the whole equation, persistence and the update cycle.
#include <array>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "engine/DeviceContext.h"
#include "engine/EquationLine.h"
#include "engine/LineBox.h"
#include "engine/LogRecords.h"

struct MolvexAppState;
class CArchive;
class CMolvexDoc;
class IClipboard;
class CEquationOptions;

using LineTops = std::array<std::int32_t, kEquationLines>;

// The document's list of exactly 20 line texts.
class CFunctionList {
public:
    CFunctionList();
    virtual ~CFunctionList() = default;
    virtual void Serialize(CArchive& ar);
    std::array<std::string, kEquationLines> texts;
};

// Views and server items observe a document. On every change the document calls, in
// this order: ItemsChanged on every observer, sets its modified flag, then
// UpdateView on every observer.
class IDocumentObserver {
public:
    virtual ~IDocumentObserver() = default;
    virtual void ItemsChanged(CMolvexDoc&) {}
    virtual void UpdateView(CMolvexDoc&) {}
    virtual void ModifiedChanged(CMolvexDoc&, bool /*modified*/) {}
};

// Rows of the equation, from its top, in logical units: [top, bottom).
struct EquationBand {
    std::int64_t top = 0;
    std::int64_t bottom = 0;
    bool Empty() const { return bottom <= top; }
    bool Meets(const EquationBand& o) const { return !Empty() && !o.Empty() && top < o.bottom && o.top < bottom; }
};
using LineBands = std::array<EquationBand, kEquationLines>;

struct EquationMetrics {
    SIZE size;             // widest line, stacked height
    LineTops lineTops{};   // top of each line from the top of the equation
    // The rows each line may ink: its box with an em of its largest font either side,
    // for glyphs that reach beyond it; empty for an empty line. A repaint of part of
    // the equation draws the lines whose ink meets it.
    LineBands lineInk{};
    std::int32_t lowering = 0;   // bottom edge up to the first line's baseline
    LineExtent firstLine{};      // the first drawn line, whose base line that is
    std::int32_t fontHeight = 0; // lfHeight of the equation font
};

// A character of the equation: the line and the position in that line's text.
struct LineHit {
    int line = 0;
    std::int32_t position = 0;
    friend bool operator==(const LineHit& a, const LineHit& b) { return a.line == b.line && a.position == b.position; }
};

// Result of opening or saving: ok, or the message the shell shows, and for a file the
// system could not open or write, the system's reason ("No space left on device").
struct DocResult {
    bool ok = true;
    std::string message;
    std::string reason;
    static DocResult Ok() { return {}; }
    static DocResult Fail(std::string m, std::string r = std::string()) { return {false, std::move(m), std::move(r)}; }
};

class CMolvexDoc {
public:
    explicit CMolvexDoc(MolvexAppState& app);
    virtual ~CMolvexDoc();
    CMolvexDoc(const CMolvexDoc&) = delete;
    CMolvexDoc& operator=(const CMolvexDoc&) = delete;

    MolvexAppState& App() { return m_app; }

    void SetEquationText(const std::string& text);
    std::string GetEquationText();
    bool IsSingleLine() const;

    EquationMetrics MeasureEquation(CDC& dc);
    // Draws the equation with its top-left corner at (x, y); with `only`, just the
    // lines whose ink meets those rows (a repaint of part of a window).
    void DrawEquation(CDC& dc, LineTops lineTops, int x, int y, std::optional<EquationBand> only = std::nullopt);
    // The character under `point` (logical units of dc) of the equation drawn with its
    // top-left corner at (x, y); nothing when no character is there.
    std::optional<LineHit> HitTest(CDC& dc, POINT point, int x, int y);
    // Where a caret before a position of a line stands across the equation (logical
    // units of dc, from the equation's left edge; past the end: the line's right edge).
    // Nothing for an empty line.
    std::optional<std::int64_t> CaretX(CDC& dc, int line, int position);

    // Archive of the document ("MLV2", version 1, 20 lines, the options block).
    virtual void Serialize(CArchive& ar);
    // The archive bytes (the "Contents" stream), and loading from them. Loading
    // replaces the lines only when it succeeds; the error message is
    // "Unexpected file format.".
    std::vector<std::uint8_t> SaveToBytes();
    DocResult LoadFromBytes(const std::vector<std::uint8_t>& bytes);
    // Files: a compound file with one "Contents" stream; a file without the compound
    // signature is read as a bare archive. A file beyond kMaxDocumentBytes is refused
    // before it is read. Saving goes through a temporary file (WriteFileSafely).
    DocResult OpenFile(const std::string& path);
    DocResult SaveFile(const std::string& path);

    // The Font and Options commands' effects after their dialogs: make the font or the
    // options the application's, save them to the main store (the store's error is
    // returned), update views, set modified, notify items.
    std::optional<IniSaveError> ApplyFont(const KVLogFont& font);
    std::optional<IniSaveError> ApplyOptions(const CEquationOptions& options);

    // Copy as Picture: records the equation as a metafile and hands it to the
    // clipboard; returns the message to show on failure.
    std::optional<std::string> CopyAsPicture(IClipboard& clipboard, CDC& screen);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    void AddObserver(IDocumentObserver* observer);
    void RemoveObserver(IDocumentObserver* observer);
    // Tells the views that everything may have changed.
    void UpdateAllViews();
    void UpdateAllItems();
    // What the change the views are told of touched: the lines whose text changed, or
    // every line when the font, the options or the whole document changed.
    const std::array<bool, kEquationLines>& ChangedLines() const { return m_changedLines; }

    const CFunctionList& Lines() const { return lineList; }

    std::string entryText;
    CFunctionList lineList;
    std::array<CEquationLine, kEquationLines> lineRecords;

private:
    // Every change of the equation, its font or its options tells the others alike.
    void NotifyChanged(const std::array<bool, kEquationLines>& lines);
    void NotifyChanged();
    void TellViews();

    // What a line's layout depends on besides its text: the options, the font and the
    // metrics of the context.
    struct LayoutInputs {
        std::array<double, 9> reals{};
        std::int32_t style = 0;
        bool italicState = false;
        KVLogFontTBD font;
        bool operator==(const LayoutInputs& o) const;
    };
    struct CachedLine {
        bool valid = false;
        std::string text;
        LineBox box;
    };
    // Boxes laid out for one kind of context; a few are kept, so the view and the
    // pictures for a container do not lay each other's lines out again.
    struct Layouts {
        std::uint64_t metricsKey = 0;
        std::uint64_t lastUse = 0;
        LayoutInputs inputs;
        std::array<CachedLine, kEquationLines + 1> lines; // the last: the digit of an empty equation
    };
    static constexpr std::size_t kLayoutSets = 3;

    LayoutInputs CurrentInputs();
    Layouts& LayoutsFor(CDC& dc);
    // The box of line i (kEquationLines: the digit "3"), laid out again only when its
    // text or the inputs changed.
    const LineBox& Box(Layouts& layouts, int i, CDC& dc);

    std::vector<Layouts> m_layouts;
    std::uint64_t m_layoutUses = 0;
    MolvexAppState& m_app;
    bool m_modified = false;
    std::vector<IDocumentObserver*> m_observers;
    std::array<bool, kEquationLines> m_changedLines{};
};
