// The built-in metrics against the Qt context: every byte of Windows-1252 (and of the
// Symbol face's encoding) at every pixel size from 1 to 200, some larger ones and some
// cell heights, in the four styles of each built-in family, and the names that
// fontconfig resolves to those families.
#include <QtTest>

#include <string>

#include "platform/QtDeviceContext.h"
#include "svg/BuiltinFonts.h"
#include "svg/SvgDC.h"

namespace {

LOGFONTA Font(const QString& face, int height, int weight, bool italic)
{
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic ? 1 : 0;
    lf.SetFaceName(face.toLatin1().constData());
    return lf;
}

// Everything a context says about the selected font, as text, so a difference shows
// where it is.
std::string Describe(CDC& dc, const LOGFONTA& lf)
{
    const HGDIOBJ font = dc.CreateFontIndirectA(lf);
    const HGDIOBJ old = dc.SelectObject(font);
    TEXTMETRICA tm;
    dc.GetTextMetricsA(tm);
    std::string s = "height " + std::to_string(lf.lfHeight) + ": ascent " + std::to_string(tm.tmAscent) + " descent " +
                    std::to_string(tm.tmDescent) + " internal " + std::to_string(tm.tmInternalLeading) + " external " +
                    std::to_string(tm.tmExternalLeading) + " average " + std::to_string(tm.tmAveCharWidth) + " max " +
                    std::to_string(tm.tmMaxCharWidth) + " weight " + std::to_string(tm.tmWeight) + " italic " +
                    std::to_string(tm.tmItalic) + "\n";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const SIZE e = dc.GetTextExtentPoint32A(&c, 1);
        s += std::to_string(b) + ":" + std::to_string(e.cx) + "," + std::to_string(e.cy) + " ";
    }
    static const char sample[] = "Fe2(SO4)3 + 6e- => 2Fe \xB1\xB0\t";
    const SIZE whole = dc.GetTextExtentPoint32A(sample, static_cast<int>(sizeof sample - 1));
    s += "sample " + std::to_string(whole.cx) + "\n";
    dc.SelectObject(old);
    dc.DeleteObject(font);
    return s;
}

} // namespace

class TestBuiltinMetrics : public QObject {
    Q_OBJECT
private slots:
    void metricsEqualQt_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        for (const char* face : {"Arial", "Times New Roman", "Courier New", "Symbol"})
            for (int style = 0; style < 4; ++style)
                QTest::addRow("%s %s%s", face, style & 1 ? "bold" : "regular", style & 2 ? " italic" : "")
                    << QString::fromLatin1(face) << (style & 1 ? 700 : 400) << ((style & 2) != 0);
    }
    void metricsEqualQt()
    {
        QFETCH(QString, face);
        QFETCH(int, weight);
        QFETCH(bool, italic);
        CQtDC qt(96, 96);
        CSvgDC builtin;
        std::vector<int> heights;
        for (int px = 1; px <= 200; ++px)
            heights.push_back(-px);
        // Larger characters, the limit, and cell heights.
        for (int h : {-256, -333, -512, -1000, -2048, 1, 8, 16, 19, 33, 100, 250})
            heights.push_back(h);
        for (int h : heights) {
            const LOGFONTA lf = Font(face, h, weight, italic);
            QCOMPARE(QString::fromStdString(Describe(builtin, lf)), QString::fromStdString(Describe(qt, lf)));
        }
        QVERIFY(builtin.AllFontsBuiltin());
    }

    void namesResolveAsQt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("builtin");
        for (const char* name : {"Arial", "arial", "Liberation Sans", "Times New Roman", "Liberation Serif", "Courier New",
                                 "Liberation Mono", "Symbol", ""})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        // Names fontconfig gives other faces.
        for (const char* name : {"Helvetica", "Times", "DejaVu Sans", "Liberation Sans Narrow", "Nimbus Sans"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
    void namesResolveAsQt()
    {
        QFETCH(QString, name);
        QFETCH(bool, builtin);
        const LOGFONTA lf = Font(name, -14, 400, false);
        const BuiltinFace* face = FindBuiltinFace(lf);
        QCOMPARE(face != nullptr, builtin);
        if (face)
            QVERIFY2(CQtDC::ResolvedFamily(lf.lfFaceName).startsWith(QLatin1String(BuiltinFamily(*face))),
                     qPrintable(CQtDC::ResolvedFamily(lf.lfFaceName)));
        else
            QVERIFY(!CQtDC::ResolvedFamily(lf.lfFaceName).startsWith(QLatin1String("Liberation Sans")) ||
                    name.contains(QLatin1String("Narrow")));
    }

    void uncertainWeightsAreNotBuiltin()
    {
        for (int weight : {100, 300, 500, 600, 800, 900})
            QVERIFY2(!FindBuiltinFace(Font(QStringLiteral("Arial"), -14, weight, false)), qPrintable(QString::number(weight)));
    }
};

QTEST_MAIN(TestBuiltinMetrics)
#include "tst_builtinmetrics.moc"
