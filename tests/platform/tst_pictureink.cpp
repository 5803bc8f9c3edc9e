// A picture contains everything drawn in it: over random option sets (within what the
// dialogs allow), fonts and scales, the equation rendered with a wide margin leaves no
// ink outside the box the picture has without the margin, on any side.
#include <QRandomGenerator>
#include <QtTest>

#include <string>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "engine/EquationOptions.h"
#include "platform/Render.h"

namespace {

constexpr int kMargin = 40; // logical units, wider than anything drawn outside a box

const char* const kTexts[] = {
    "Fe3+ + 3OH- => Fe(OH)3(s)",
    "2H2 + O2 => 2H2O",
    "SO42- + Ba2+ => BaSO4(s)",
    "[Fe(CN)6]3- + CuSO4.5H2O",
    "{235,92}U + {1,0}n => {141,56}Ba + {92,36}Kr + 3{1,0}n",
    "N2 + 3H2 <Fe,450`C> 2NH3(g)",
    "CaCO3(s) =900`C> CaO(s) + CO2(g)",
    "A =x=y>z> B",
    "\"Egypt jq\" + deh \"= -92 kJ\" nu_",
    "Hg22+ + 2Cl- <> Hg2Cl2(s)\r\nZn(s) + Cu2+(aq) => Zn2+(aq) + Cu(s)",
};

const char* const kFaces[] = {"Liberation Sans", "Liberation Serif", "Liberation Mono", "DejaVu Sans",
                              "DejaVu Serif"};

// The ink's extent: pixels that are not the white background.
QRect Ink(const QImage& image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// A level or size as the options dialog sets it: hundredths from 0.01 to 1.00.
double Hundredths(QRandomGenerator& random) { return random.bounded(1, 101) / 100.0; }

} // namespace

class TestPictureInk : public QObject {
    Q_OBJECT

private slots:
    void noInkOutsideThePicture_data()
    {
        QTest::addColumn<quint32>("seed");
        // 0: a large subscript font that was cut off (Liberation Serif 21, subscript
        // size 0.94, at scale 3).
        for (quint32 seed = 0; seed <= 80; ++seed)
            QTest::addRow("set %u", seed) << seed;
    }
    void noInkOutsideThePicture()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        MolvexAppState app;
        CEquationOptions& o = app.options;
        o.levelArrow.Set(Hundredths(random));
        o.levelSuper.Set(Hundredths(random));
        o.levelSub.Set(1.0 - Hundredths(random)); // its slider counts from the top
        o.levelPhase.Set(Hundredths(random));
        o.textArrow.Set(Hundredths(random));
        o.textSuper.Set(Hundredths(random));
        o.textSub.Set(Hundredths(random));
        o.textPhase.Set(Hundredths(random));
        o.arrowWidth.Set(random.bounded(1, 37) / 3.0);
        o.verticalSpacing.Set(random.bounded(1, 61));
        o.equilibriumArrow.Set(random.bounded(4));
        o.italicPhase.Set(random.bounded(2) == 1);
        KVLogFont font;
        font.lf.SetFaceName(kFaces[random.bounded(static_cast<int>(std::size(kFaces)))]);
        font.lf.lfHeight = -random.bounded(8, 49);
        font.lf.lfItalic = random.bounded(3) == 0 ? 1 : 0;
        font.lf.lfWeight = random.bounded(2) == 0 ? 400 : 700;
        o.font.SetFont(font);
        CMolvexDoc doc(app);
        doc.SetEquationText(kTexts[random.bounded(static_cast<int>(std::size(kTexts)))]);
        RenderSettings settings;
        settings.scale = random.bounded(1, 4);
        if (seed == 0) {
            app.options.Define();
            app.options.textSub.Set(0.94);
            font = KVLogFont();
            font.lf.SetFaceName("Liberation Serif");
            font.lf.lfHeight = -21;
            app.options.font.SetFont(font);
            doc.SetEquationText(kTexts[0]);
            settings.scale = 3;
        }

        const Drawing drawing = EquationDrawing(doc);
        settings.margin = kMargin;
        const QImage image = RenderImage(drawing, settings);
        QVERIFY(!image.isNull());
        const int edge = static_cast<int>(kMargin * settings.scale);
        const QRect box(edge, edge, image.width() - 2 * edge, image.height() - 2 * edge);
        const QRect ink = Ink(image);
        QVERIFY(ink.isValid());
        QVERIFY2(box.contains(ink),
                 qPrintable(QStringLiteral("%1 %2px, scale %3: ink %4,%5..%6,%7 outside the picture %8,%9..%10,%11")
                                .arg(QString::fromLatin1(font.lf.lfFaceName))
                                .arg(-font.lf.lfHeight)
                                .arg(settings.scale)
                                .arg(ink.left())
                                .arg(ink.top())
                                .arg(ink.right())
                                .arg(ink.bottom())
                                .arg(box.left())
                                .arg(box.top())
                                .arg(box.right())
                                .arg(box.bottom())));
    }
};

QTEST_MAIN(TestPictureInk)
#include "tst_pictureink.moc"
