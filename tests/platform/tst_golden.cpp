// Pictures of a fixed corpus of equations, compared with the fingerprints in
// golden.txt: the PNG pixels, the metafile bytes, and what the metafile draws when
// played back (every text and stroke with its font, colour, alignment and pen), so a
// change in how layout is built can be checked against the pictures users had.
// MOLVEX_GOLDEN_WRITE=1 rewrites the file from the current build.
#include <QtTest>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "engine/EquationLine.h"
#include "engine/EquationOptions.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "tests/support/GoldenCorpus.h"

namespace {

using golden::ApplyOptionSet;
using golden::Fnv;
using golden::FontOf;
using golden::Hex;
using golden::Playback;
using golden::Unescape;

std::uint64_t PixelHash(const QImage& image)
{
    std::uint64_t h = Fnv(nullptr, 0);
    const int w = image.width(), hgt = image.height();
    h = Fnv(&w, sizeof w, h);
    h = Fnv(&hgt, sizeof hgt, h);
    for (int y = 0; y < hgt; ++y)
        h = Fnv(image.constScanLine(y), static_cast<std::size_t>(w) * 4, h);
    return h;
}

struct Case {
    std::string options, font, mode, text; // text escaped as stored
};

struct Fingerprint {
    std::string png, wmf, drawn;
};

// Modes: "doc" is the whole document as a picture and a recorded metafile; "c", "r"
// and "b" draw one line anchored at its centre, right or baseline.
Fingerprint Render(const Case& c)
{
    MolvexAppState app;
    ApplyOptionSet(app.options, c.options);
    app.options.font.SetFont(FontOf(c.font));
    CMolvexDoc doc(app);
    const std::string text = Unescape(c.text);
    Fingerprint f;
    CQtDC attribute(96, 96);
    if (c.mode == "doc") {
        doc.SetEquationText(text);
        const RecordedPicture pic = RecordEquationPicture(doc, attribute).value();
        f.wmf = Hex(Fnv(pic.metafile.data(), pic.metafile.size()));
        f.drawn = Hex(Fnv(Playback(pic.metafile).data(), Playback(pic.metafile).size()));
        f.png = Hex(PixelHash(RenderImage(EquationDrawing(doc), RenderSettings{1.0, 4, false, false})));
        return f;
    }
    CEquationLine line;
    line.SetText(text);
    const KVEquationFont font = app.options.font.Get();
    const unsigned align = c.mode == "c" ? (TA_CENTER | TA_BOTTOM) : c.mode == "r" ? (TA_RIGHT | TA_TOP) : (TA_BASELINE | TA_LEFT);
    Drawing d;
    d.measure = [&](CDC& dc) {
        const LineExtent e = line.MeasureLine(dc, app.options, font);
        return SIZE{e.width, e.height};
    };
    d.draw = [&](CDC& dc, int x, int y) {
        const LineExtent e = line.MeasureLine(dc, app.options, font);
        dc.SetTextAlign(align);
        const int ax = c.mode == "c" ? x + e.width / 2 : c.mode == "r" ? x + e.width : x;
        const int ay = c.mode == "c" ? y + e.height : c.mode == "r" ? y : y + e.height - e.depth;
        line.DrawLine(dc, ax, ay, app.options, font);
    };
    f.png = Hex(PixelHash(RenderImage(d, RenderSettings{1.0, 4, false, false})));
    CMetafileDC recorder(attribute);
    recorder.SetMapMode(MM_ANISOTROPIC);
    const LineExtent e = line.MeasureLine(attribute, app.options, font);
    recorder.SetWindowOrg(0, 0);
    recorder.SetWindowExt(e.width + 8, e.height + 8);
    recorder.SetViewportExt(e.width + 8, e.height + 8);
    d.draw(recorder, 4, 4);
    const std::vector<std::uint8_t> wmf = recorder.Close();
    f.wmf = Hex(Fnv(wmf.data(), wmf.size()));
    const std::string drawn = Playback(wmf);
    f.drawn = Hex(Fnv(drawn.data(), drawn.size()));
    return f;
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT
private slots:
    void corpusDrawsAsRecorded()
    {
        const std::vector<golden::Case> corpus = golden::ReadCases(golden::CorpusPath());
        QVERIFY2(corpus.size() > 100, "golden.txt not found");
        const bool write = qEnvironmentVariableIntValue("MOLVEX_GOLDEN_WRITE") == 1;
        std::ostringstream rewritten;
        rewritten << "# options\tfont\tmode\tpng\tmetafile bytes\tmetafile playback\ttext (escaped)\n";
        QStringList differences;
        for (const golden::Case& stored : corpus) {
            const Case c{stored.options, stored.font, stored.mode, stored.text};
            const Fingerprint f = Render(c);
            const std::string name = c.options + " " + c.font + " " + c.mode + " " + c.text;
            if (f.png != stored.png)
                differences << QString::fromStdString("png   " + name);
            if (f.drawn != stored.drawn)
                differences << QString::fromStdString("drawn " + name);
            if (f.wmf != stored.wmf)
                differences << QString::fromStdString("bytes " + name);
            rewritten << c.options << '\t' << c.font << '\t' << c.mode << '\t' << f.png << '\t' << f.wmf << '\t'
                      << f.drawn << '\t' << c.text << '\n';
        }
        if (write) {
            std::ofstream(golden::CorpusPath()) << rewritten.str();
            return;
        }
        for (const QString& d : differences)
            qWarning("%s", qPrintable(d));
        QCOMPARE(differences.size(), 0);
    }
};

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
