#pragma once
// The device context over Qt: any QPaintDevice (QImage, QSvgGenerator, QPdfWriter,
// QPrinter, a widget) drawn through a QPainter, with GDI's mapping modes, text
// alignment and line ends. Mapping is done here, not by QPainter transforms, so that
// text stays upright in y-up modes and each font is realised at its device height.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>

#include "engine/DrawingState.h"

class QPainter;
class QPaintDevice;

class CQtDC : public CStateDC {
public:
    // Draws on `device` through a painter of its own (begun here, ended in the
    // destructor).
    explicit CQtDC(QPaintDevice* device);
    // Draws through `painter`, which stays the caller's and must be active.
    explicit CQtDC(QPainter* painter);
    // Measures only: no output; metrics and the logical inch as a device of `dpiX` x
    // `dpiY` dots per inch would give them.
    CQtDC(int dpiX, int dpiY);
    ~CQtDC() override;
    CQtDC(const CQtDC&) = delete;
    CQtDC& operator=(const CQtDC&) = delete;

    HGDIOBJ CreatePen(int style, int width, COLORREF color) override;
    HGDIOBJ CreateFontIndirectA(const LOGFONTA& font) override;
    bool DeleteObject(HGDIOBJ object) override;

    int GetDeviceCaps(int index) override;
    std::uint64_t MetricsKey() override;

    bool GetTextMetricsA(TEXTMETRICA& metrics) override;
    SIZE GetTextExtentPoint32A(const char* text, int count) override;
    TEXTINK GetTextInk(const char* text, int count) override;

    bool TextOut(int x, int y, const char* text, int count) override;

    // Antialiased lines and text (off by default, as GDI draws).
    void SetAntialiasing(bool on);
    // Text for devices that cannot show a symbol-encoded face (SVG) is always drawn as
    // Unicode in a regular face; on by default for SVG output.
    void SetUnicodeSymbols(bool on) { m_forceUnicodeSymbols = on; }
    // Measures fonts at their logical height, as an unscaled context would, while the
    // glyphs are drawn at the device height: a picture at 3 pixels per unit then has
    // exactly the layout of the one at 1, only sharper.
    void SetLayoutAtLogicalSize(bool on) { m_layoutAtLogicalSize = on; }
    QPainter* Painter() const { return m_painter; }

    // Logical to device coordinates under the current mapping.
    QPointF LogicalToDevice(int x, int y) const;

    // The family that `face` resolves to, and whether it draws the symbol encoding's
    // bytes (true for the Symbol face when a symbol-encoded font is installed).
    static QString ResolvedFamily(const char* face);
    static bool IsSymbolEncoded(const QString& resolvedFamily);
    // Unicode for one byte of the symbol encoding.
    static char32_t SymbolToUnicode(unsigned char c);

protected:
    ObjectKind CreatedKind(HGDIOBJ object) override;
    void Selected(ObjectKind kind, HGDIOBJ object, HGDIOBJ previous) override;
    bool DrawLine(POINT from, POINT to) override;

private:
    struct Realised; // a QFont at one device height with its metrics
    struct FontObject {
        LOGFONTA lf;
        bool symbolFace = false;
        // Realised fonts, each with the height it was made for: the one drawn with, and
        // the one measured with when that differs.
        int deviceHeight = -1;
        Realised* realised = nullptr;
        int metricHeight = -1;
        Realised* metricRealised = nullptr;
    };
    // What makes two realised fonts the same: the LOGFONT (face zero-padded), the
    // regular face a translated symbol face stands in for, the pixel size and the
    // encoding.
    struct FontKey {
        LOGFONTA lf;
        char regularFace[LF_FACESIZE] = {};
        int deviceHeight = 0;
        int encoding = 0;
    };

    void Init();
    FontObject& SelectedFont();
    Realised& CurrentFont();       // as drawn
    Realised& MetricFont();        // as measured
    bool LogicalMetrics() const { return m_layoutAtLogicalSize && State().mapMode != MM_TEXT; }
    Realised& Realise(const LOGFONTA& lf, bool symbolFace, int deviceHeight);
    int DeviceFontHeight(const LOGFONTA& lf, double scale) const;
    QString TextFor(const Realised& font, const char* text, int count) const;
    const QString& CharText(Realised& font, char c) const;
    void DrawChar(Realised& font, char c, const QPointF& origin);
    int DeviceAdvance(Realised& font, const char* text, int count);
    const QRectF& GlyphInk(Realised& font, char c);

    QPainter* m_painter = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    QPaintDevice* m_device = nullptr;
    int m_dpiX = 96;
    int m_dpiY = 96;
    bool m_svg = false;
    bool m_raster = false;
    bool m_forceUnicodeSymbols = false;
    bool m_antialias = false;
    bool m_layoutAtLogicalSize = false;

    ObjectSlots<FontObject> m_objects;
    FontObject m_stockFont;

    // Equal LOGFONTs at equal device heights share one realised font: layout creates
    // and deletes a font for every character.
    std::vector<std::pair<FontKey, std::unique_ptr<Realised>>> m_cache;
    std::size_t m_lastHit = 0;
    char m_lastRegularFace[LF_FACESIZE] = "Arial";
};
