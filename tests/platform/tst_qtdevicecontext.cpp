// The Qt device context against the facts the layout relies on: font resolution and
// metrics, integer advances, alignment, mapping modes, GDI line ends, symbol text.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QtTest>

#include <cstring>
#include <string>
#include <vector>

#include "engine/Cp1252.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "engine/LogRecords.h"
#include "platform/QtDeviceContext.h"

namespace {

LOGFONTA Font(int height, const char* face = "Arial", int weight = 400)
{
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.SetFaceName(face);
    return lf;
}

QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Bounding box of every pixel that is not white.
QRect Ink(const QImage& img, const QRect& area = QRect())
{
    QRect r = area.isNull() ? img.rect() : area;
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool Inked(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; }

// Draws `text` in Arial -14 at (x, y) with the alignment and returns the ink box.
QRect DrawAligned(unsigned align, int x, int y, const char* text)
{
    QImage img = WhiteImage(200, 100);
    {
        CQtDC dc(&img);
        HGDIOBJ font = dc.CreateFontIndirectA(Font(-14));
        dc.SelectObject(font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(align);
        dc.TextOut(x, y, text, static_cast<int>(std::strlen(text)));
        dc.SelectStockObject(SYSTEM_FONT);
        dc.DeleteObject(font);
    }
    return Ink(img);
}

// Passes every call to a Qt context and notes where text and lines went, in device
// pixels (MM_TEXT), so a picture can be checked against what was drawn.
class CRecordingDC : public CDC {
public:
    explicit CRecordingDC(CQtDC& inner) : m_dc(inner) {}
    HGDIOBJ CreatePen(int style, int width, COLORREF color) override { return m_dc.CreatePen(style, width, color); }
    HGDIOBJ CreateFontIndirectA(const LOGFONTA& font) override { return m_dc.CreateFontIndirectA(font); }
    HGDIOBJ SelectObject(HGDIOBJ object) override { return m_dc.SelectObject(object); }
    bool DeleteObject(HGDIOBJ object) override { return m_dc.DeleteObject(object); }
    int SetBkMode(int mode) override { return m_dc.SetBkMode(mode); }
    unsigned SetTextAlign(unsigned align) override { return m_dc.SetTextAlign(align); }
    unsigned GetTextAlign() override { return m_dc.GetTextAlign(); }
    COLORREF SetTextColor(COLORREF color) override { return m_dc.SetTextColor(color); }
    COLORREF GetTextColor() override { return m_dc.GetTextColor(); }
    int SetMapMode(int mode) override { return m_dc.SetMapMode(mode); }
    int GetMapMode() override { return m_dc.GetMapMode(); }
    POINT SetWindowOrg(int x, int y) override { return m_dc.SetWindowOrg(x, y); }
    SIZE SetWindowExt(int cx, int cy) override { return m_dc.SetWindowExt(cx, cy); }
    POINT SetViewportOrg(int x, int y) override { return m_dc.SetViewportOrg(x, y); }
    SIZE SetViewportExt(int cx, int cy) override { return m_dc.SetViewportExt(cx, cy); }
    int GetDeviceCaps(int index) override { return m_dc.GetDeviceCaps(index); }
    bool GetTextMetricsA(TEXTMETRICA& metrics) override { return m_dc.GetTextMetricsA(metrics); }
    SIZE GetTextExtentPoint32A(const char* text, int count) override { return m_dc.GetTextExtentPoint32A(text, count); }
    TEXTINK GetTextInk(const char* text, int count) override { return m_dc.GetTextInk(text, count); }
    bool TextOut(int x, int y, const char* text, int count) override
    {
        // The engine draws characters with TA_BASELINE|TA_LEFT.
        if (m_dc.GetTextAlign() == (TA_BASELINE | TA_LEFT) && x > -1000) {
            TEXTMETRICA tm;
            m_dc.GetTextMetricsA(tm);
            SIZE ext = m_dc.GetTextExtentPoint32A(text, count);
            texts.push_back({QRect(x, y - tm.tmAscent, ext.cx, tm.tmAscent + tm.tmDescent), std::string(text, count)});
        }
        return m_dc.TextOut(x, y, text, count);
    }
    POINT MoveTo(int x, int y) override
    {
        m_at = QPoint(x, y);
        return m_dc.MoveTo(x, y);
    }
    bool LineTo(int x, int y) override
    {
        if (x > -1000) {
            lines.push_back(QRect(m_at, QPoint(x, y)).normalized());
            starts.push_back(m_at);
        }
        m_at = QPoint(x, y);
        return m_dc.LineTo(x, y);
    }

    struct Text {
        QRect box;
        std::string chars;
    };
    std::vector<Text> texts;
    std::vector<QRect> lines;
    std::vector<QPoint> starts;

private:
    CQtDC& m_dc;
    QPoint m_at;
};

} // namespace

class TestQtDeviceContext : public QObject {
    Q_OBJECT

private slots:
    void resolvedFamilies_data();
    void resolvedFamilies();
    void metricsAt14();
    void cellHeight();
    void advancesSumLikeStrings_data();
    void advancesSumLikeStrings();
    void objectRules_data();
    void objectRules();
    void alignment_data();
    void alignment();
    void anisotropicScale();
    void himetricIsYUp();
    void lineToLeavesOutEndPoint_data();
    void lineToLeavesOutEndPoint();
    void backgroundMode_data();
    void backgroundMode();
    void symbolText();
    void svgCarriesUnicode();
    void fontAttributes_data();
    void fontAttributes();
    void layoutAtLogicalSize_data();
    void layoutAtLogicalSize();
    void sampleLineInk();
};

void TestQtDeviceContext::resolvedFamilies_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("symbolEncoded");
    QTest::newRow("Arial") << "Arial" << "Liberation Sans" << false;
    QTest::newRow("Times New Roman") << "Times New Roman" << "Liberation Serif" << false;
    QTest::newRow("Symbol") << "Symbol" << "Standard Symbols PS" << true;
}

void TestQtDeviceContext::resolvedFamilies()
{
    QFETCH(QString, face);
    QFETCH(QString, family);
    QFETCH(bool, symbolEncoded);
    QString resolved = CQtDC::ResolvedFamily(face.toLatin1().constData());
    QVERIFY2(resolved.startsWith(family), qPrintable(resolved));
    QCOMPARE(CQtDC::IsSymbolEncoded(resolved), symbolEncoded);
}

void TestQtDeviceContext::metricsAt14()
{
    CQtDC dc(96, 96);
    HGDIOBJ font = dc.CreateFontIndirectA(Font(-14));
    QVERIFY(font != 0);
    dc.SelectObject(font);
    TEXTMETRICA tm;
    QVERIFY(dc.GetTextMetricsA(tm));
    QCOMPARE(tm.tmAscent, 13);
    QCOMPARE(tm.tmDescent, 3);
    QCOMPARE(tm.tmInternalLeading, 2);
    QCOMPARE(tm.tmHeight, 16);
    QCOMPARE(dc.GetTextExtentPoint32A("m", 1), (SIZE{12, 16}));
    QCOMPARE(dc.GetDeviceCaps(LOGPIXELSX), 96);
    QCOMPARE(dc.GetDeviceCaps(LOGPIXELSY), 96);
}

void TestQtDeviceContext::cellHeight()
{
    // A positive height is the cell: ascent plus descent, near the asked height.
    CQtDC dc(96, 96);
    dc.SelectObject(dc.CreateFontIndirectA(Font(16)));
    TEXTMETRICA tm;
    dc.GetTextMetricsA(tm);
    QVERIFY2(std::abs(tm.tmHeight - 16) <= 1, qPrintable(QString::number(tm.tmHeight)));
    QVERIFY(tm.tmInternalLeading > 0);
}

void TestQtDeviceContext::advancesSumLikeStrings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("weight");
    QTest::newRow("sample") << QByteArray("co32-(aq)<>{238,92}U=ABOVE,BELOW>") << -14 << 400;
    QTest::newRow("pangram") << QByteArray("The quick brown fox jumps over the lazy dog") << -14 << 400;
    QTest::newRow("small") << QByteArray("Fe(SCN)2+ AVAWAT") << -8 << 400;
    QTest::newRow("bold large") << QByteArray("WAVE Tiffany 1234567890") << -37 << 700;
    QTest::newRow("cp1252") << QByteArray("\xB0\xE9\xFC\x80\x96") << -14 << 400;
}

void TestQtDeviceContext::advancesSumLikeStrings()
{
    QFETCH(QByteArray, text);
    QFETCH(int, height);
    QFETCH(int, weight);
    CQtDC dc(96, 96);
    dc.SelectObject(dc.CreateFontIndirectA(Font(height, "Arial", weight)));
    int sum = 0;
    for (char c : text)
        sum += dc.GetTextExtentPoint32A(&c, 1).cx;
    QCOMPARE(dc.GetTextExtentPoint32A(text.constData(), text.size()).cx, sum);

    // What Qt itself lays out for the whole string, so multi-character TextOut lands
    // where the measured advances say.
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(-height);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    QString s;
    for (char c : text)
        s.append(QChar(static_cast<char32_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c)))));
    QCOMPARE(QFontMetrics(f).horizontalAdvance(s), sum);
}

void TestQtDeviceContext::objectRules_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("delete selected font fails") << 0;
    QTest::newRow("delete stock fails") << 1;
    QTest::newRow("select unknown changes nothing") << 2;
    QTest::newRow("select returns previous of the kind") << 3;
    QTest::newRow("deleted handle is unknown") << 4;
}

void TestQtDeviceContext::objectRules()
{
    QFETCH(int, step);
    CQtDC dc(96, 96);
    HGDIOBJ font = dc.CreateFontIndirectA(Font(-14));
    HGDIOBJ pen = dc.CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    switch (step) {
    case 0:
        dc.SelectObject(font);
        QVERIFY(!dc.DeleteObject(font));
        QCOMPARE(dc.SelectStockObject(SYSTEM_FONT), font);
        QVERIFY(dc.DeleteObject(font));
        break;
    case 1:
        QVERIFY(!dc.DeleteObject(dc.GetStockObject(BLACK_PEN)));
        QVERIFY(!dc.DeleteObject(dc.GetStockObject(SYSTEM_FONT)));
        QVERIFY(!dc.DeleteObject(0));
        break;
    case 2:
        QCOMPARE(dc.SelectObject(0), HGDIOBJ(0));
        QCOMPARE(dc.SelectObject(12345), HGDIOBJ(0));
        QCOMPARE(dc.SelectObject(pen), dc.GetStockObject(BLACK_PEN));
        break;
    case 3:
        QCOMPARE(dc.SelectObject(font), dc.GetStockObject(SYSTEM_FONT));
        QCOMPARE(dc.SelectObject(pen), dc.GetStockObject(BLACK_PEN));
        QCOMPARE(dc.SelectStockObject(NULL_BRUSH), dc.GetStockObject(WHITE_BRUSH));
        QCOMPARE(dc.SelectStockObject(BLACK_PEN), pen);
        break;
    case 4:
        QVERIFY(dc.DeleteObject(pen));
        QVERIFY(!dc.DeleteObject(pen));
        QCOMPARE(dc.SelectObject(pen), HGDIOBJ(0));
        break;
    }
}

void TestQtDeviceContext::alignment_data()
{
    // Offsets of the ink from where TA_BASELINE|TA_LEFT puts it, for "Hm" in Arial -14:
    // ascent 13, descent 3, advance 10 + 12.
    QTest::addColumn<unsigned>("align");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::newRow("top left") << (TA_TOP | TA_LEFT) << 0 << 13;
    QTest::newRow("bottom left") << (TA_BOTTOM | TA_LEFT) << 0 << -3;
    QTest::newRow("baseline center") << (TA_BASELINE | TA_CENTER) << -11 << 0;
    QTest::newRow("baseline right") << (TA_BASELINE | TA_RIGHT) << -22 << 0;
    QTest::newRow("top right") << (TA_TOP | TA_RIGHT) << -22 << 13;
    QTest::newRow("bottom center") << (TA_BOTTOM | TA_CENTER) << -11 << -3;
}

void TestQtDeviceContext::alignment()
{
    QFETCH(unsigned, align);
    QFETCH(int, dx);
    QFETCH(int, dy);
    CQtDC probe(96, 96);
    probe.SelectObject(probe.CreateFontIndirectA(Font(-14)));
    QCOMPARE(probe.GetTextExtentPoint32A("Hm", 2).cx, 22);

    QRect reference = DrawAligned(TA_BASELINE | TA_LEFT, 80, 50, "Hm");
    QVERIFY(!reference.isNull());
    // The baseline is the row under the ink of "H".
    QCOMPARE(reference.bottom(), 49);
    QCOMPARE(DrawAligned(align, 80, 50, "Hm"), reference.translated(dx, dy));
}

void TestQtDeviceContext::anisotropicScale()
{
    // Three device pixels per logical unit: the font is realised at 42 px and measured
    // back in logical units.
    QImage img = WhiteImage(300, 150);
    CQtDC dc(&img);
    QCOMPARE(dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(3, 3);
    QCOMPARE(dc.LogicalToDevice(10, 20), QPointF(30, 60));
    dc.SetWindowOrg(5, 5);
    QCOMPARE(dc.LogicalToDevice(10, 20), QPointF(15, 45));
    dc.SetWindowOrg(0, 0);

    HGDIOBJ font = dc.CreateFontIndirectA(Font(-14));
    dc.SelectObject(font);
    TEXTMETRICA tm;
    dc.GetTextMetricsA(tm);
    QVERIFY(std::abs(tm.tmAscent - 13) <= 1);
    QVERIFY(std::abs(tm.tmDescent - 3) <= 1);
    QVERIFY(std::abs(dc.GetTextExtentPoint32A("m", 1).cx - 12) <= 1);

    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_BASELINE | TA_LEFT);
    dc.TextOut(10, 30, "H", 1);
    QRect ink = Ink(img);
    // A 42-pixel "H": about 30 pixels of cap height, standing on device row 89.
    QCOMPARE(ink.bottom(), 89);
    QVERIFY2(ink.height() >= 28 && ink.height() <= 32, qPrintable(QString::number(ink.height())));
    QVERIFY(ink.left() >= 30 && ink.left() <= 36);

    // Extents outside the anisotropic mode are ignored.
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportExt(5, 5);
    QCOMPARE(dc.LogicalToDevice(10, 20), QPointF(10, 20));
}

void TestQtDeviceContext::himetricIsYUp()
{
    QImage img = WhiteImage(200, 200);
    CQtDC dc(&img);
    dc.SetMapMode(MM_HIMETRIC);
    // One inch is 2540 units and 96 pixels; y grows upwards.
    QCOMPARE(dc.LogicalToDevice(2540, -2540), QPointF(96, 96));
    QCOMPARE(dc.LogicalToDevice(0, 0), QPointF(0, 0));

    LOGFONTA lf = Font(-400); // 4 mm: 15 pixels
    dc.SelectObject(dc.CreateFontIndirectA(lf));
    TEXTMETRICA tm;
    dc.GetTextMetricsA(tm);
    QVERIFY(tm.tmAscent > 300 && tm.tmAscent < 420);

    // "T" drawn upright: its bar is at the top of its ink.
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_BASELINE | TA_LEFT);
    dc.TextOut(1000, -3000, "T", 1);
    QRect ink = Ink(img);
    QVERIFY(!ink.isNull());
    QCOMPARE(ink.bottom(), 112); // baseline at device row 113
    int topRow = 0, bottomRow = 0;
    for (int x = ink.left(); x <= ink.right(); ++x) {
        topRow += Inked(img, x, ink.top());
        bottomRow += Inked(img, x, ink.bottom());
    }
    QVERIFY2(topRow > 2 * bottomRow, "text is drawn upside down");

    // A line one inch up from the origin lies at device row 96 - 96 = 0 .. 96 up.
    QImage lines = WhiteImage(200, 200);
    CQtDC ldc(&lines);
    ldc.SetMapMode(MM_HIMETRIC);
    ldc.SetViewportOrg(0, 150);
    ldc.MoveTo(0, 2540);
    ldc.LineTo(2540, 2540);
    QCOMPARE(Ink(lines), QRect(0, 54, 96, 1));
}

void TestQtDeviceContext::lineToLeavesOutEndPoint_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QRect>("ink");
    QTest::newRow("horizontal") << QPoint(2, 5) << QPoint(10, 5) << 1 << QRect(2, 5, 8, 1);
    QTest::newRow("vertical") << QPoint(4, 2) << QPoint(4, 9) << 1 << QRect(4, 2, 1, 7);
    QTest::newRow("leftwards") << QPoint(10, 5) << QPoint(2, 5) << 1 << QRect(3, 5, 8, 1);
    QTest::newRow("diagonal") << QPoint(0, 0) << QPoint(6, 6) << 1 << QRect(0, 0, 6, 6);
    QTest::newRow("horizontal at 3x") << QPoint(2, 5) << QPoint(10, 5) << 3 << QRect(6, 15, 24, 3);
    QTest::newRow("vertical at 2x") << QPoint(4, 2) << QPoint(4, 9) << 2 << QRect(8, 4, 2, 14);
}

void TestQtDeviceContext::lineToLeavesOutEndPoint()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, scale);
    QFETCH(QRect, ink);
    QImage img = WhiteImage(40, 40);
    {
        CQtDC dc(&img);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetViewportExt(scale, scale);
        HGDIOBJ pen = dc.CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0));
        dc.SelectObject(pen);
        dc.MoveTo(from.x(), from.y());
        QVERIFY(dc.LineTo(to.x(), to.y()));
        QCOMPARE(dc.MoveTo(0, 0), (POINT{to.x(), to.y()}));
        dc.SelectStockObject(BLACK_PEN);
        dc.DeleteObject(pen);
    }
    QCOMPARE(Ink(img), ink);
    QVERIFY(!Inked(img, to.x() * scale, to.y() * scale));
}

void TestQtDeviceContext::backgroundMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("whiteBox");
    QTest::newRow("opaque") << OPAQUE << true;
    QTest::newRow("transparent") << TRANSPARENT << false;
}

void TestQtDeviceContext::backgroundMode()
{
    QFETCH(int, mode);
    QFETCH(bool, whiteBox);
    QImage img(60, 40, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 128));
    {
        CQtDC dc(&img);
        dc.SelectObject(dc.CreateFontIndirectA(Font(-14)));
        dc.SetBkMode(mode);
        dc.TextOut(10, 10, "-", 1);
    }
    // Just inside the text cell, above the hyphen.
    QCOMPARE(img.pixel(11, 11) == qRgb(255, 255, 255), whiteBox);
}

void TestQtDeviceContext::symbolText()
{
    // The nu of the Symbol face is drawn, not a Latin "n": its ink differs from the "n"
    // of the regular face at the same size.
    auto draw = [](const char* face) {
        QImage img = WhiteImage(40, 40);
        CQtDC dc(&img);
        dc.SelectObject(dc.CreateFontIndirectA(Font(-28, face)));
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(5, 5, "n", 1);
        return img;
    };
    QImage symbol = draw("Symbol");
    QImage regular = draw("Arial");
    QVERIFY(!Ink(symbol).isNull());
    QVERIFY(symbol != regular);
    QCOMPARE(CQtDC::SymbolToUnicode('n'), U'\x03BD');
    QCOMPARE(CQtDC::SymbolToUnicode('D'), U'\x0394');
    QCOMPARE(CQtDC::SymbolToUnicode(0xB0), U'\x00B0');
    QCOMPARE(CQtDC::SymbolToUnicode('2'), U'2');
}

void TestQtDeviceContext::svgCarriesUnicode()
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(100, 40));
    svg.setResolution(96);
    {
        CQtDC dc(&svg);
        dc.SelectObject(dc.CreateFontIndirectA(Font(-14)));
        dc.TextOut(0, 0, "H", 1);
        dc.SelectObject(dc.CreateFontIndirectA(Font(-14, "Symbol")));
        dc.TextOut(10, 0, "n", 1);
        dc.TextOut(20, 0, "D", 1);
        dc.TextOut(30, 0, "\xB0", 1);
    }
    QString out = QString::fromUtf8(buffer.data());
    for (QString expected : {QStringLiteral(u"\u03BD"), QStringLiteral(u"\u0394"), QStringLiteral(u"\u00B0")}) {
        bool present = out.contains(expected) ||
                       out.contains(QStringLiteral("&#x%1;").arg(expected.at(0).unicode(), 0, 16), Qt::CaseInsensitive) ||
                       out.contains(QStringLiteral("&#%1;").arg(expected.at(0).unicode()));
        QVERIFY2(present, qPrintable(expected));
    }
    QVERIFY(!out.contains(QStringLiteral("Standard Symbols")));
}

void TestQtDeviceContext::fontAttributes_data()
{
    // A blank has no ink of its own: only underline and strike-out put any there.
    QTest::addColumn<int>("underline");
    QTest::addColumn<int>("strikeOut");
    QTest::addColumn<bool>("belowBaseline");
    QTest::addColumn<bool>("aboveBaseline");
    QTest::newRow("plain") << 0 << 0 << false << false;
    QTest::newRow("underline") << 1 << 0 << true << false;
    QTest::newRow("strike-out") << 0 << 1 << false << true;
}

void TestQtDeviceContext::fontAttributes()
{
    QFETCH(int, underline);
    QFETCH(int, strikeOut);
    QFETCH(bool, belowBaseline);
    QFETCH(bool, aboveBaseline);
    QImage img = WhiteImage(60, 60);
    {
        CQtDC dc(&img);
        LOGFONTA lf = Font(-28);
        lf.lfUnderline = static_cast<std::uint8_t>(underline);
        lf.lfStrikeOut = static_cast<std::uint8_t>(strikeOut);
        dc.SelectObject(dc.CreateFontIndirectA(lf));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_BASELINE | TA_LEFT);
        dc.TextOut(10, 40, "  ", 2);
        dc.TextOut(30, 40, " ", 1);
    }
    QCOMPARE(!Ink(img, QRect(0, 40, 60, 20)).isNull(), belowBaseline);
    QCOMPARE(!Ink(img, QRect(0, 0, 60, 40)).isNull(), aboveBaseline);

    // Weight and slant reach the realised font.
    CQtDC dc(96, 96);
    HGDIOBJ regular = dc.CreateFontIndirectA(Font(-14));
    HGDIOBJ bold = dc.CreateFontIndirectA(Font(-14, "Arial", 700));
    dc.SelectObject(regular);
    const int regularWidth = dc.GetTextExtentPoint32A("iiiitttt", 8).cx;
    dc.SelectObject(bold);
    QVERIFY(dc.GetTextExtentPoint32A("iiiitttt", 8).cx > regularWidth);
    TEXTMETRICA tm;
    dc.GetTextMetricsA(tm);
    QCOMPARE(tm.tmWeight, 700);
}

void TestQtDeviceContext::layoutAtLogicalSize_data()
{
    QTest::addColumn<int>("viewport"); // per 1000 logical units
    QTest::addColumn<int>("height");
    QTest::newRow("2x") << 2000 << -14;
    QTest::newRow("3x") << 3000 << -14;
    QTest::newRow("2.5x") << 2500 << -14;
    QTest::newRow("3x small") << 3000 << -7;
}

void TestQtDeviceContext::layoutAtLogicalSize()
{
    // A scaled context that measures at the logical size answers exactly as the
    // unscaled one, so the layout of a scaled picture is the screen's.
    QFETCH(int, viewport);
    QFETCH(int, height);
    const char* samples[] = {"m", "co32-(aq)", "ABOVE", "238", "W", "\xB0"};
    CQtDC plain(96, 96);
    CQtDC scaled(96, 96);
    scaled.SetLayoutAtLogicalSize(true);
    scaled.SetMapMode(MM_ANISOTROPIC);
    scaled.SetWindowExt(1000, 1000);
    scaled.SetViewportExt(viewport, viewport);
    for (CQtDC* dc : {&plain, &scaled})
        dc->SelectObject(dc->CreateFontIndirectA(Font(height)));
    TEXTMETRICA a, b;
    plain.GetTextMetricsA(a);
    scaled.GetTextMetricsA(b);
    QCOMPARE(b.tmAscent, a.tmAscent);
    QCOMPARE(b.tmDescent, a.tmDescent);
    QCOMPARE(b.tmInternalLeading, a.tmInternalLeading);
    for (const char* s : samples)
        QCOMPARE(scaled.GetTextExtentPoint32A(s, int(std::strlen(s))), plain.GetTextExtentPoint32A(s, int(std::strlen(s))));
}

void TestQtDeviceContext::sampleLineInk()
{
    // The sample line drawn by the engine: ink inside the boxes of the characters and
    // strokes drawn, and in every box of a visible character; nothing elsewhere.
    CEquationLine line;
    line.SetText("co32-(aq)<>{238,92}U=ABOVE,BELOW>");
    CEquationOptions options;
    options.Define();
    KVEquationFont font;

    CQtDC measuring(96, 96);
    LineExtent extent = line.MeasureLine(measuring, options, font);
    QVERIFY(extent.width > 100 && extent.height > 20);

    QImage img = WhiteImage(extent.width + 20, extent.height + 20);
    CQtDC qdc(&img);
    CRecordingDC dc(qdc);
    dc.SetTextAlign(TA_TOP | TA_LEFT);
    QCOMPARE(line.DrawLine(dc, 10, 10, options, font), extent);

    // What was drawn: the upper-cased "CO", "3", "2", "-" twice, the state group, the
    // pair's fields, "U", the arrow texts' letters; and the strokes of both arrows.
    std::string drawn;
    for (const auto& t : dc.texts)
        drawn += t.chars;
    QCOMPARE(QString::fromStdString(drawn), QStringLiteral("CO32--(aq)23892UABOVEBELOW"));
    QVERIFY(dc.lines.size() >= 7);

    // Italic and hinted glyphs may reach a pixel or two beyond their advance box.
    auto allowed = [&](int x, int y) {
        for (const auto& t : dc.texts)
            if (t.box.adjusted(-2, -1, 2, 1).contains(x, y))
                return true;
        for (const QRect& l : dc.lines)
            if (l.adjusted(0, 0, 1, 1).contains(x, y))
                return true;
        return false;
    };
    int stray = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Inked(img, x, y) && !allowed(x, y))
                ++stray;
    QCOMPARE(stray, 0);
    for (const auto& t : dc.texts)
        QVERIFY2(!Ink(img, t.box).isNull(), t.chars.c_str());
    // Every stroke starts on its first point.
    for (const QPoint& p : dc.starts)
        QVERIFY(Inked(img, p.x(), p.y()));
    // The whole picture lies inside the line box.
    QVERIFY(QRect(10, 10, extent.width, extent.height).contains(Ink(img)));
}

QTEST_MAIN(TestQtDeviceContext)
#include "tst_qtdevicecontext.moc"
