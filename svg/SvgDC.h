#pragma once
// A device context that measures with the built-in metrics (exactly as the Qt context
// measures the same faces) and writes what is drawn as SVG elements: text as <text>
// in the equation's font with every character placed where layout put it, strokes as
// paths following GDI's pixel model, as the Qt context draws them. No Qt, no FreeType.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/DrawingState.h"
#include "svg/BuiltinFonts.h"

class CSvgDC : public CStateDC {
public:
    // A context of `dpi` logical dots per inch (96 on screens and in pictures).
    explicit CSvgDC(int dpi = 96);
    ~CSvgDC() override;
    CSvgDC(const CSvgDC&) = delete;
    CSvgDC& operator=(const CSvgDC&) = delete;

    HGDIOBJ CreatePen(int style, int width, COLORREF color) override;
    HGDIOBJ CreateFontIndirectA(const LOGFONTA& font) override;
    bool DeleteObject(HGDIOBJ object) override;

    int GetDeviceCaps(int index) override;

    bool GetTextMetricsA(TEXTMETRICA& metrics) override;
    SIZE GetTextExtentPoint32A(const char* text, int count) override;
    TEXTINK GetTextInk(const char* text, int count) override;

    bool TextOut(int x, int y, const char* text, int count) override;

    // The elements drawn so far, one per line, in drawing order.
    const std::string& Elements() const { return m_out; }
    // False once a font without built-in metrics was measured or drawn (it was taken as
    // Liberation Sans, so the picture is not the one the Qt context would make).
    bool AllFontsBuiltin() const { return m_allBuiltin; }

protected:
    ObjectKind CreatedKind(HGDIOBJ object) override;
    void Selected(ObjectKind kind, HGDIOBJ object, HGDIOBJ previous) override;
    bool DrawLine(POINT from, POINT to) override;

private:
    struct FontObject {
        LOGFONTA lf;
        const BuiltinFace* face = nullptr;
    };
    struct Cached {
        const BuiltinFace* face;
        int pixelSize;
        bool bold;
        std::unique_ptr<BuiltinFont> font;
    };

    const FontObject& SelectedFont();
    const BuiltinFont& CurrentFont();
    int Advance(const BuiltinFont& font, const char* text, int count) const;
    void WriteText(const BuiltinFont& font, const FontObject& object, double left, double baseline, const char* text,
                   int count);

    int m_dpi = 96;
    ObjectSlots<FontObject> m_objects;
    FontObject m_stockFont;
    // A translated Symbol face is drawn in the regular face last in use, as in the Qt
    // context.
    const BuiltinFace* m_lastRegularFace = nullptr;
    std::string m_lastRegularName = "Arial";

    std::vector<Cached> m_cache;
    std::size_t m_lastHit = 0;
    bool m_allBuiltin = true;
    std::string m_out;
};

// UTF-8 text for an XML attribute or element: the markup characters escaped and the
// characters XML 1.0 cannot carry left out, as XmlSafeUtf8 leaves them out.
std::string XmlEscape(const std::string& utf8);
