#pragma once
// The device context: the small GDI-shaped drawing interface that layout and drawing
// know, and every output (Qt painting, the metafile recorder, the test fake) implements.
// Names, constants and semantics follow GDI so that the drawing code reads as the
// drawing rules are written.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <typeinfo>

using COLORREF = std::uint32_t;
using HGDIOBJ = std::uint32_t; // 0 is the null handle

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
};

struct SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
};

constexpr int LF_FACESIZE = 32;

// The Windows LOGFONT, field for field.
struct LOGFONTA {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};

    // Copies at most 31 characters and terminates.
    void SetFaceName(const char* name)
    {
        std::memset(lfFaceName, 0, sizeof lfFaceName);
        if (name)
            std::strncpy(lfFaceName, name, LF_FACESIZE - 1);
    }
};

struct TEXTMETRICA {
    std::int32_t tmHeight = 0;
    std::int32_t tmAscent = 0;
    std::int32_t tmDescent = 0;
    std::int32_t tmInternalLeading = 0;
    std::int32_t tmExternalLeading = 0;
    std::int32_t tmAveCharWidth = 0;
    std::int32_t tmMaxCharWidth = 0;
    std::int32_t tmWeight = 0;
    std::uint8_t tmItalic = 0;
    std::uint8_t tmCharSet = 0;
};

// Where a string's glyphs leave ink, in logical units from the start of its baseline:
// from `left` to `right` along it (left is negative where a glyph reaches back before
// the string's start, as an italic f does) and from `ascent` above it to `descent`
// below it. Right and descent are exclusive; a string that leaves no ink (blanks) is
// empty.
struct TEXTINK {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    bool Empty() const { return right <= left || ascent + descent <= 0; }
};

// Text alignment flags.
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;
constexpr unsigned TA_HORZ_MASK = TA_LEFT | TA_RIGHT | TA_CENTER; // 6
constexpr unsigned TA_VERT_MASK = TA_TOP | TA_BOTTOM | TA_BASELINE; // 24

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_ANISOTROPIC = 8;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Stock objects (GetStockObject indices).
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;

// GetDeviceCaps indices.
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// Stock objects have fixed handles shared by every backend; created objects get
// small handles of the backend's own.
constexpr HGDIOBJ kStockHandleBase = 0x80000000u;
constexpr HGDIOBJ StockHandle(int index) { return kStockHandleBase | static_cast<HGDIOBJ>(index); }
constexpr bool IsStockHandle(HGDIOBJ h) { return (h & kStockHandleBase) != 0; }
constexpr int StockIndex(HGDIOBJ h) { return static_cast<int>(h & ~kStockHandleBase); }
constexpr bool IsStockFont(HGDIOBJ h) { return h == StockHandle(SYSTEM_FONT); }
constexpr bool IsStockPen(HGDIOBJ h)
{
    return h == StockHandle(WHITE_PEN) || h == StockHandle(BLACK_PEN) || h == StockHandle(NULL_PEN);
}
constexpr bool IsStockBrush(HGDIOBJ h)
{
    return h == StockHandle(WHITE_BRUSH) || h == StockHandle(BLACK_BRUSH) || h == StockHandle(NULL_BRUSH);
}

// A device context. Like MFC's CDC it has an output side (where drawing goes) and an
// attribute side (which answers measuring, mapping-mode and capability queries); for
// every backend except the metafile recorder both are the same object. Coordinates
// are logical units under the current mapping mode. A fresh context is in MM_TEXT with
// TA_TOP|TA_LEFT, black text, OPAQUE background, and the stock system font, black pen
// and white brush selected.
class CDC {
public:
    virtual ~CDC() = default;

    // Objects. Creation returns 0 on failure; selecting 0 or an unknown handle changes
    // nothing and returns 0; selecting returns the previously selected object of the
    // same kind. Deleting a selected object or a stock object fails.
    virtual HGDIOBJ CreatePen(int style, int width, COLORREF color) = 0;
    virtual HGDIOBJ CreateFontIndirectA(const LOGFONTA& font) = 0;
    virtual HGDIOBJ SelectObject(HGDIOBJ object) = 0;
    virtual bool DeleteObject(HGDIOBJ object) = 0;
    HGDIOBJ GetStockObject(int index) const { return StockHandle(index); }
    HGDIOBJ SelectStockObject(int index) { return SelectObject(GetStockObject(index)); }

    // State.
    virtual int SetBkMode(int mode) = 0;                // returns the previous mode
    virtual unsigned SetTextAlign(unsigned align) = 0;  // returns the previous alignment
    virtual unsigned GetTextAlign() = 0;
    virtual COLORREF SetTextColor(COLORREF color) = 0;  // returns the previous colour
    virtual COLORREF GetTextColor() = 0;

    // Mapping. GetMapMode and GetDeviceCaps answer from the attribute side.
    virtual int SetMapMode(int mode) = 0;               // returns the previous mode
    virtual int GetMapMode() = 0;
    virtual POINT SetWindowOrg(int x, int y) = 0;       // return the previous values
    virtual SIZE SetWindowExt(int cx, int cy) = 0;
    virtual POINT SetViewportOrg(int x, int y) = 0;
    virtual SIZE SetViewportExt(int cx, int cy) = 0;
    virtual int GetDeviceCaps(int index) = 0;
    // The context that answers measuring: layout selects its fonts there, so that
    // measuring leaves nothing in a recording.
    virtual CDC& Attribute() { return *this; }
    // Contexts with equal keys measure alike, so a line laid out on one may be drawn on
    // the other. The default suits a context whose metrics follow only its mapping mode
    // and logical inch.
    virtual std::uint64_t MetricsKey()
    {
        std::uint64_t key = std::hash<std::string>()(typeid(*this).name());
        for (int v : {GetMapMode(), GetDeviceCaps(LOGPIXELSX), GetDeviceCaps(LOGPIXELSY)})
            key = (key ^ static_cast<std::uint32_t>(v)) * 1099511628211ull;
        return key;
    }

    // Measuring, in logical units, with the selected font (attribute side).
    virtual bool GetTextMetricsA(TEXTMETRICA& metrics) = 0;
    virtual SIZE GetTextExtentPoint32A(const char* text, int count) = 0;
    // The ink of the string as TextOut would draw it in the selected font, rounded
    // outward to logical units. The extent and metrics place text; this says where its
    // glyphs actually reach, which for italics, large subscripts and accents is beyond
    // the extent.
    virtual TEXTINK GetTextInk(const char* text, int count) = 0;

    // Output. Text bytes are Windows-1252 (or symbol-encoded for a "Symbol" face).
    // LineTo draws from the current position up to, not including, the end point.
    virtual bool TextOut(int x, int y, const char* text, int count) = 0;
    virtual POINT MoveTo(int x, int y) = 0;             // returns the previous position
    virtual bool LineTo(int x, int y) = 0;
};
