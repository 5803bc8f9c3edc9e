#pragma once
// A device context for tests: fixed metrics that are easy to work out by hand, and a
// record of every call in order, so that layout and drawing can be checked number for
// number and call for call.
//
// Metrics. Every font is measured from its character height h:
//   h = -lfHeight for a negative height, lfHeight for a positive one (treated the same
//   way, for simplicity), and 16 for a height of 0 or for the stock system font.
//   internal leading = h / 5, descent = h / 4, ascent = h + h / 5 - h / 4,
//   tmHeight = ascent + descent = h + h / 5, external leading 0 (integer division).
//   So the cap height (ascent - internal leading) is h - h / 4.
//   At h = 14: ascent 13, descent 3, internal leading 2, height 16, cap height 11.
// Advances. A character c is trunc(h * Units(c) / 10) wide, Units from this table:
//   9  m M w W
//   3  i j l I . , : ; ' ! | and the blank
//   4  ( ) [ ] { } -
//   7  other upper-case letters A-Z
//   6  everything else (other letters, digits, bytes 0x80-0xFF)
//   A string's extent is the sum of its characters' advances by the cy = tmHeight.
//   At h = 14: m 12, i 4, ( 5, - 5, A 9, a 8, 3 8.
// Ink (GetTextInk, not recorded as a call). A character's glyph fills its advance from
//   the cap height down to the baseline; g j p q y reach down to the descent, j also
//   h / 10 back before its advance; bytes 0xC0-0xDF (accented capitals) reach h / 5
//   above the ascent; an italic font's glyphs reach h / 5 past their advance. Blanks
//   leave no ink.
// The face name, weight and italic flag do not change the metrics. The mapping mode
// does not either: font heights are logical units in every mode, so a font created
// with lfHeight -400 under MM_HIMETRIC measures h = 400 HIMETRIC units.
//
// Objects. Created fonts and pens get handles 1, 2, 3, ... (never reused unless
// SetReuseHandles is on); stock objects have the shared stock handles. Creation can be made to fail. Deleting a
// selected object, a stock object, an unknown or an already deleted handle fails.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/DrawingState.h"

class CFakeDC : public CStateDC {
public:
    // One recorded call: its name (the CDC member's name), its integer arguments in
    // declaration order (a COLORREF or handle as its integer value) and, for text
    // calls, the text.
    struct Call {
        std::string name;
        std::vector<std::int64_t> args;
        std::string text;
    };

    struct TextOutCall {
        int x = 0;
        int y = 0;
        std::string text;
        HGDIOBJ font = 0;     // the font selected when it was drawn
        std::int32_t fontHeight = 0; // lfHeight of that font (0 for the stock font)
        std::string face;     // face name of that font ("" for the stock font)
        COLORREF color = 0;   // text colour in force
        unsigned align = 0;   // text alignment in force
    };

    struct Stroke {
        POINT from;
        POINT to;
        HGDIOBJ pen = 0;      // the pen selected when it was drawn
        COLORREF color = 0;   // that pen's colour (stock black or white as such)
    };

    struct Object {
        enum Kind { Font, Pen } kind = Font;
        LOGFONTA font;        // for fonts
        int penStyle = 0;     // for pens
        int penWidth = 0;
        COLORREF penColor = 0;
        bool deleted = false;
    };

    CFakeDC() = default;

    // --- CDC (the state calls are recorded, then kept by CStateDC) ---
    HGDIOBJ CreatePen(int style, int width, COLORREF color) override;
    HGDIOBJ CreateFontIndirectA(const LOGFONTA& font) override;
    HGDIOBJ SelectObject(HGDIOBJ object) override;
    bool DeleteObject(HGDIOBJ object) override;
    int SetBkMode(int mode) override;
    unsigned SetTextAlign(unsigned align) override;
    unsigned GetTextAlign() override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF GetTextColor() override;
    int SetMapMode(int mode) override;
    int GetMapMode() override;
    POINT SetWindowOrg(int x, int y) override;
    SIZE SetWindowExt(int cx, int cy) override;
    POINT SetViewportOrg(int x, int y) override;
    SIZE SetViewportExt(int cx, int cy) override;
    int GetDeviceCaps(int index) override;
    bool GetTextMetricsA(TEXTMETRICA& metrics) override;
    SIZE GetTextExtentPoint32A(const char* text, int count) override;
    TEXTINK GetTextInk(const char* text, int count) override;
    bool TextOut(int x, int y, const char* text, int count) override;
    POINT MoveTo(int x, int y) override;
    bool LineTo(int x, int y) override;

    // --- The fixed metrics, for tests that compute expectations ---
    static int Units(unsigned char c);
    static int CharHeightOf(const LOGFONTA& font); // h as described above
    static int Advance(unsigned char c, int h) { return h * Units(c) / 10; }
    static int Width(const std::string& s, int h);
    static TEXTMETRICA MetricsFor(int h);

    // --- Configuration ---
    void SetLogPixels(int x, int y) { m_logPixelsX = x; m_logPixelsY = y; }
    // Creation fails while the flag is set (returns 0, nothing is recorded as created).
    void SetFailFonts(bool fail) { m_failFonts = fail; }
    void SetFailPens(bool fail) { m_failPens = fail; }
    // Benchmarks turn the call record off; state and object tracking go on.
    void SetRecording(bool on) { m_recording = on; }
    // Long runs (benchmarks) hand out deleted handles again, lowest first, so that the
    // object table stays small.
    void SetReuseHandles(bool on) { m_reuseHandles = on; }

    // --- Inspection ---
    const std::vector<Call>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); m_textOuts.clear(); m_strokes.clear(); }
    std::vector<std::string> CallNames() const;
    int CountCalls(const std::string& name) const;
    const std::vector<TextOutCall>& TextOuts() const { return m_textOuts; }
    const std::vector<Stroke>& Strokes() const { return m_strokes; }
    // The texts of all TextOut calls joined, for a quick look at what was drawn.
    std::string DrawnText() const;

    HGDIOBJ SelectedFont() const { return State().Selected(ObjectKind::Font); }
    HGDIOBJ SelectedPen() const { return State().Selected(ObjectKind::Pen); }
    HGDIOBJ SelectedBrush() const { return State().Selected(ObjectKind::Brush); }
    int BkMode() const { return State().bkMode; }
    unsigned TextAlign() const { return State().textAlign; }
    COLORREF TextColor() const { return State().textColor; }
    int MapMode() const { return State().mapMode; }
    POINT WindowOrg() const { return State().windowOrg; }
    SIZE WindowExt() const { return State().windowExt; }
    POINT ViewportOrg() const { return State().viewportOrg; }
    SIZE ViewportExt() const { return State().viewportExt; }
    POINT CurrentPosition() const { return State().current; }

    int FontsCreated() const { return m_fontsCreated; }
    int FontsDeleted() const { return m_fontsDeleted; }
    int PensCreated() const { return m_pensCreated; }
    int PensDeleted() const { return m_pensDeleted; }
    int FailedDeletes() const { return m_failedDeletes; }
    // Created objects not yet deleted.
    int LiveObjects() const;
    // The object behind a created handle, or nullptr.
    const Object* Find(HGDIOBJ h) const;
    // LOGFONT of the selected font (a default LOGFONT with lfHeight 0 for the stock one).
    LOGFONTA SelectedLogFont() const;

protected:
    ObjectKind CreatedKind(HGDIOBJ object) override;
    SIZE LogicalInch() override { return SIZE{m_logPixelsX, m_logPixelsY}; }
    bool DrawLine(POINT from, POINT to) override;

private:
    HGDIOBJ Add(const Object& o);
    void Record(const char* name, std::initializer_list<std::int64_t> args, const char* text = nullptr,
                int count = 0);
    int SelectedHeight() const;

    std::vector<Object> m_objects; // handle h is m_objects[h - 1]
    std::vector<Call> m_calls;
    std::vector<TextOutCall> m_textOuts;
    std::vector<Stroke> m_strokes;

    int m_logPixelsX = 96;
    int m_logPixelsY = 96;

    bool m_failFonts = false;
    bool m_failPens = false;
    bool m_recording = true;
    bool m_reuseHandles = false;
    std::vector<HGDIOBJ> m_free; // deleted handles, for reuse

    int m_fontsCreated = 0;
    int m_fontsDeleted = 0;
    int m_pensCreated = 0;
    int m_pensDeleted = 0;
    int m_failedDeletes = 0;
};
