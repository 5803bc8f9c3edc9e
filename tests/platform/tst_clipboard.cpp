// Copy as Picture onto Qt's clipboard: exactly the five forms, each readable.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QtTest>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "platform/QtClipboard.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"

namespace {

std::uint16_t U16(const QByteArray& b, int at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8));
}

bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128 && qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

class TestClipboard : public QObject {
    Q_OBJECT

private slots:
    void copiesEveryForm_data();
    void copiesEveryForm();
    void closedClipboardRefusesThePicture();
};

void TestClipboard::copiesEveryForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("drawsInk");
    QTest::addColumn<QString>("plain");
    QTest::newRow("sample") << QStringLiteral("co32-(aq)<>{238,92}U=ABOVE,BELOW>") << true
                            << QStringLiteral(u"CO\u2083\u00B2\u207B(aq) \u2194 \u00B2\u00B3\u2078\u2089\u2082U \u2192[ABOVE][BELOW]");
    QTest::newRow("two lines") << QStringLiteral("2H2 + O2 => 2H2O\r\nNa+ + Cl- => NaCl") << true
                               << QStringLiteral(u"2H\u2082 + O\u2082 \u2192 2H\u2082O\nNa\u207A + Cl\u207B \u2192 NaCl");
    QTest::newRow("empty") << QString() << false << QString();
}

void TestClipboard::copiesEveryForm()
{
    QFETCH(QString, text);
    QFETCH(bool, drawsInk);
    QFETCH(QString, plain);

    QClipboard* system = QGuiApplication::clipboard();
    QVERIFY(system);
    system->setText(QStringLiteral("earlier contents"));
    QCOMPARE(system->text(), QStringLiteral("earlier contents"));

    MolvexAppState app;
    CMolvexDoc doc(app);
    doc.SetEquationText(text.toStdString());
    CQtClipboard clipboard;
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    const auto error = doc.CopyAsPicture(clipboard, *screen);
    QVERIFY2(!error, error ? error->c_str() : "");

    const QMimeData* data = system->mimeData();
    QVERIFY(data);
    // Vector forms before the bitmap, for programs that take the first they know.
    // The written-out forms after the pictures.
    QStringList expected{QString::fromLatin1(CQtClipboard::kSvgMime), QString::fromLatin1(CQtClipboard::kPdfMime),
                         QString::fromLatin1(CQtClipboard::kWmfMime), QString::fromLatin1(CQtClipboard::kPngMime),
                         QString::fromLatin1(CQtClipboard::kNativeMime), QString::fromLatin1(CQtClipboard::kHtmlMime)};
    if (!plain.isEmpty())
        expected << QString::fromLatin1(CQtClipboard::kTextMime) << QStringLiteral("text/plain")
                 << QString::fromLatin1(CQtClipboard::kMathMLMime);
    QCOMPARE(data->formats(), expected);
    QCOMPARE(data->text(), plain);
    QCOMPARE(QString::fromUtf8(data->data(QString::fromLatin1(CQtClipboard::kTextMime))), plain);
    if (!plain.isEmpty())
        QVERIFY(data->data(QString::fromLatin1(CQtClipboard::kMathMLMime))
                    .startsWith("<math xmlns=\"http://www.w3.org/1998/Math/MathML\""));

    // The metafile with its placeable header: key, checksum, a box in pixels at the
    // screen's inch, then a memory metafile of version 3.
    const QByteArray wmf = data->data(QString::fromLatin1(CQtClipboard::kWmfMime));
    QVERIFY(wmf.size() > 22 + 18);
    QCOMPARE(U16(wmf, 0), std::uint16_t(0xCDD7));
    QCOMPARE(U16(wmf, 2), std::uint16_t(0x9AC6));
    std::uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= U16(wmf, 2 * i);
    QCOMPARE(U16(wmf, 20), sum);
    const EquationBox m = doc.MeasureEquation(*screen);
    QCOMPARE(int(U16(wmf, 10)), int(m.size.cx));
    QCOMPARE(int(U16(wmf, 12)), int(m.size.cy));
    QCOMPARE(int(U16(wmf, 14)), screen->GetDeviceCaps(LOGPIXELSX));
    QCOMPARE(U16(wmf, 22), std::uint16_t(1));
    QCOMPARE(U16(wmf, 26), std::uint16_t(0x0300));

    const QByteArray svg = data->data(QString::fromLatin1(CQtClipboard::kSvgMime));
    QVERIFY(svg.contains("<svg role=\"img\""));
    if (!plain.isEmpty())
        QVERIFY(svg.contains("<title>" + plain.toHtmlEscaped().toUtf8() + "</title>"));

    // The HTML form: the same SVG as an image, lowered to the first base line.
    const QString html = QString::fromUtf8(data->data(QString::fromLatin1(CQtClipboard::kHtmlMime)));
    QVERIFY2(html.startsWith(QStringLiteral("<img src=\"data:image/svg+xml;base64,") + QString::fromLatin1(svg.toBase64())),
             qPrintable(html.left(80)));
    QVERIFY2(html.contains(QStringLiteral("vertical-align:%1px").arg(-doc.MeasureEquation(*screen).lowering)),
             qPrintable(html.right(120)));
    QVERIFY(data->data(QString::fromLatin1(CQtClipboard::kPdfMime)).startsWith("%PDF-"));

    QImage png;
    QVERIFY(png.loadFromData(data->data(QString::fromLatin1(CQtClipboard::kPngMime)), "PNG"));
    QCOMPARE(png.width(), int(m.size.cx * CQtClipboard::kPngScale));
    QCOMPARE(png.height(), int(m.size.cy * CQtClipboard::kPngScale));
    QCOMPARE(HasInk(png), drawsInk);

    // The native form opens as the same document.
    const QByteArray native = data->data(QString::fromLatin1(CQtClipboard::kNativeMime));
    const std::vector<std::uint8_t> bytes(native.begin(), native.end());
    QVERIFY(bytes == doc.SaveToBytes());
    CMolvexDoc pasted(app);
    QVERIFY(pasted.LoadFromBytes(bytes).ok);
    QCOMPARE(pasted.GetEquationText(), doc.GetEquationText());
}

void TestClipboard::closedClipboardRefusesThePicture()
{
    CQtClipboard clipboard;
    MetafilePicture picture;
    QVERIFY(!clipboard.SetPicture(picture));
    QVERIFY(clipboard.Open());
    // A picture without a metafile is refused rather than offered half-made.
    QVERIFY(!clipboard.SetPicture(picture));
    std::string error;
    QVERIFY(!CQtClipboard::PictureMimeData(picture, &error));
    QVERIFY(!error.empty());
    clipboard.Close();
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
