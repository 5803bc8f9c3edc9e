#pragma once
// The equation document: 20 line texts, the equation laid out from them for each kind
// of context, drawing, persistence and the update cycle.
#include <array>
#include <memory>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "engine/DeviceContext.h"
#include "engine/EquationBox.h"
#include "engine/EquationLine.h"
#include "engine/LogRecords.h"

struct MolvexAppState;
class CArchive;
class CMolvexDoc;
class IClipboard;
class CEquationOptions;

// The document's list of exactly 20 line texts.
class CLineTexts {
public:
    CLineTexts();
    virtual ~CLineTexts() = default;
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
    // The lines joined with CR LF, as the entry box shows them.
    std::string GetEquationText() const;
    bool IsSingleLine() const;

    // The equation laid out for dc's metrics (measured on its attribute side), kept
    // until the text, the options or the font change; the lines whose text is
    // unchanged keep their boxes then.
    std::shared_ptr<const EquationBox> Layout(CDC& dc);
    EquationBox MeasureEquation(CDC& dc) { return *Layout(dc); }
    // Draws the equation with its top-left corner at (x, y); with `only`, just the
    // lines whose ink meets those rows (a repaint of part of a window).
    void DrawEquation(CDC& dc, int x, int y, std::optional<EquationBand> only = std::nullopt);
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

    const CLineTexts& Lines() const { return lineList; }
    // Line i as classification reads it.
    CEquationLine ClassifiedLine(int i) const;

    std::string entryText;
    CLineTexts lineList;

private:
    // Every change of the equation, its font or its options tells the others alike.
    void NotifyChanged();
    void TellViews();

    // Layouts for a few kinds of context, so the view and the pictures for a container
    // do not lay each other's equation out again.
    struct CachedLayout {
        std::uint64_t lastUse = 0;
        LayoutInputs inputs;
        std::shared_ptr<const EquationBox> box;
    };
    static constexpr std::size_t kLayoutSets = 3;
    std::vector<CachedLayout> m_layouts;
    std::uint64_t m_layoutUses = 0;
    MolvexAppState& m_app;
    bool m_modified = false;
    std::vector<IDocumentObserver*> m_observers;
};
