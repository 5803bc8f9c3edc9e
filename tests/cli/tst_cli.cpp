// molvex2-render run as users run it: exit statuses, messages, the files it writes
// and the numbers it prints against the engine's own on the Qt context.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <QXmlStreamReader>

#include "document/AppState.h"
#include "tests/config/FullDisk.h"
#include "document/MolvexDoc.h"
#include "engine/Cp1252.h"
#include "platform/QtDeviceContext.h"

namespace {

const QString kSample = QStringLiteral("co32-(aq)<>{238,92}U=ABOVE,BELOW>");

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class CliTest : public QObject {
    Q_OBJECT

public:
private:
    // Runs the program with a configuration folder of its own (empty unless a test
    // writes MLV2.ini into it).
    // `program` replaces the renderer (with its own arguments) when given.
    Result Run(const QStringList& args, const QByteArray& input = QByteArray(), const QString& config = QString(),
               const QPair<QString, QStringList>& program = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.isEmpty() ? m_home.filePath(QStringLiteral("cfg")) : config);
        // The program must pick the offscreen platform by itself.
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
        if (program.first.isEmpty())
            p.start(QStringLiteral(MOLVEX_RENDER_PATH), args);
        else
            p.start(program.first, program.second);
        if (!p.waitForStarted())
            return {};
        if (!input.isEmpty())
            p.write(input);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QString Path(const QString& name) const { return m_home.filePath(name); }

    static void WriteFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // What the engine measures on the screen-like Qt context for an entry text, in the
    // --measure form.
    static QString EngineMeasure(const std::string& entryText)
    {
        MolvexAppState app;
        CMolvexDoc doc(app);
        doc.SetEquationText(entryText);
        CQtDC dc(96, 96);
        const EquationBox m = doc.MeasureEquation(dc);
        int amount = static_cast<int>(static_cast<double>(m.lowering) / m.size.cy * 1000.0);
        return QStringLiteral("width=%1 height=%2 depth=%3 lowering=%4 amount=%5\n")
            .arg(m.size.cx)
            .arg(m.size.cy)
            .arg(m.depth)
            .arg(m.lowering)
            .arg(amount);
    }

    QTemporaryDir m_home;

private slots:
    void explain_data();
    void explain();
    void explainCollected();
    void optionsDefaults();
    void optionsFromUserFile();
    void badUsage_data();
    void badUsage();
    void helpAndVersion();
    void outputs_data();
    void outputs();
    void scaledPng();
    void measureMatchesEngine_data();
    void measureMatchesEngine();
    void linesFromStandardInput_data();
    void linesFromStandardInput();
    void documentRoundTrip();
    void failures_data();
    void failures();
    void batch();
    void batchProgressOnATerminal();
    void fullDisk_data();
    void fullDisk();
    void chemistry_data();
    void chemistry();
    void checkTrouble();
};

void CliTest::explain_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("classes");
    QTest::addColumn<QString>("display"); // empty: the table gives only classes

    // Line classification.
    QTest::newRow("2H2 + O2") << "2H2 + O2 => 2H2O" << "1 10 9 14 11 14 10 9 14 15 17 14 1 10 9 10 14"
                              << "0 0 3 0 0 0 0 3 0 7 9 0 0 0 3 0 0";
    QTest::newRow("Na+ + Cl-") << "Na+ + Cl- => NaCl(s)"
                               << "10 10 3 14 11 14 10 10 13 14 15 17 14 10 10 10 10 8 8 8 14"
                               << "0 0 2 0 0 0 0 0 2 0 7 9 0 0 0 0 0 4 4 4 0";
    QTest::newRow("fe3+") << "fe3+ + 3oh- => fe(oh)3"
                          << "12 10 3 3 14 11 14 1 12 12 13 14 15 17 14 12 10 6 12 12 7 9 14"
                          << "5 0 2 2 0 0 0 0 5 5 2 0 7 9 0 5 0 0 5 5 0 3 0";
    QTest::newRow("SO42-") << "SO42- + Ba2+ => BaSO4(s)"
                           << "10 10 2 3 13 14 11 14 10 10 3 3 14 15 17 14 10 10 10 10 2 8 8 8 14"
                           << "0 0 3 2 2 0 0 0 0 0 2 2 0 7 9 0 0 0 0 0 3 4 4 4 0";
    QTest::newRow("[Fe(CN)6]3-") << "[Fe(CN)6]3-" << "6 10 10 6 10 10 7 2 19 3 13 14" << "0 0 0 0 0 0 0 3 0 2 2 0";
    QTest::newRow("sample") << kSample
                            << "12 12 2 3 13 8 8 8 8 16 17 22 24 24 24 18 25 25 17 10 15 4 4 4 4 4 18 5 5 5 5 5 17 14"
                            << "5 5 3 2 2 4 4 4 4 8 9 10 6 6 6 6 6 6 9 0 7 6 6 6 6 6 6 6 6 6 6 6 9 0";
    QTest::newRow("N2 =heat,cat.>") << "N2 =heat,cat.> 2N" << "10 9 14 15 4 4 4 4 18 5 5 5 5 17 14 1 10 14"
                                    << "0 3 0 7 6 6 6 6 6 6 6 6 6 9 0 0 0 0";
    QTest::newRow("nuclides") << "{1,0}n + {235,92}U" << "22 24 18 25 17 10 14 11 14 22 24 24 24 18 25 25 17 10 14"
                              << "10 6 6 6 9 0 0 0 0 10 6 6 6 6 6 6 9 0 0";
    QTest::newRow("CuSO4.5H2O") << "CuSO4.5H2O" << "10 10 10 10 9 10 1 10 9 10 14" << "0 0 0 0 3 0 0 0 3 0 0";
    QTest::newRow("H2+") << "H2+" << "10 9 3 14" << "0 3 2 0";
    QTest::newRow("Ca(OH)2 (s)") << "Ca(OH)2 (s)" << "10 10 6 10 10 7 9 14 8 8 8 14" << "0 0 0 0 0 0 3 0 4 4 4 0";
    // The quoted word, a coefficient, a backquote (the degree sign) and a capital.
    QTest::newRow("quoted Heat") << "\"Heat\" 25`C" << "20 26 26 26 26 21 14 1 1 10 10 14"
                                 << "6 0 0 0 0 6 0 0 0 1 0 0";
    QTest::newRow("Na+ alone") << "Na+" << "10 10 3 14" << "";
    QTest::newRow("2 H2") << "2 H2" << "1 10 10 9 14" << "";
    QTest::newRow("blanks only") << "   " << "14 14 14 14" << "";

    // Element and ion tables.
    QTest::newRow("nacl") << "nacl" << "12 10 12 10 14" << "";
    QTest::newRow("co2") << "co2" << "12 12 9 14" << "";
    QTest::newRow("cacl2") << "cacl2" << "12 10 12 10 9 14" << "";
    QTest::newRow("hno3") << "hno3" << "12 12 12 9 14" << "";
    QTest::newRow("kmno4") << "kmno4" << "12 12 10 12 9 14" << "";
    QTest::newRow("sio2") << "sio2" << "12 12 12 9 14" << "";
    QTest::newRow("al2(so4)3") << "al2(so4)3" << "12 10 2 6 12 12 2 7 9 14" << "";
    QTest::newRow("ZnCl2") << "ZnCl2" << "10 10 10 10 9 14" << "";
    QTest::newRow("Mg2+") << "Mg2+" << "10 10 3 3 14" << "";
    QTest::newRow("mg2+") << "mg2+" << "12 10 3 3 14" << "";
    QTest::newRow("o2-") << "o2-" << "12 3 13 14" << "";
    QTest::newRow("2Fe3+") << "2Fe3+" << "1 10 10 3 3 14" << "";
    QTest::newRow("[Fe3+]") << "[Fe3+]" << "6 10 10 3 3 19 14" << "";
    QTest::newRow("xFe3+") << "xFe3+" << "10 10 10 9 3 14" << "";
    QTest::newRow("Cu2+ + 2e-") << "Cu2+ + 2e-" << "10 10 3 3 14 11 14 1 10 13 14" << "";
}

void CliTest::explain()
{
    QFETCH(QString, text);
    QFETCH(QString, classes);
    QFETCH(QString, display);
    Result r = Run({QStringLiteral("--explain"), text});
    QCOMPARE(r.exitCode, 0);
    QStringList lines = r.out.split(QLatin1Char('\n'));
    QVERIFY(lines.size() >= 4);
    QCOMPARE(lines[0], QStringLiteral("classes: ") + classes);
    if (!display.isEmpty())
        QCOMPARE(lines[1], QStringLiteral("display: ") + display);
    QVERIFY(lines[1].startsWith(QStringLiteral("display:")));
}

void CliTest::explainCollected()
{
    Result r = Run({QStringLiteral("--explain"), kSample});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QStringLiteral("arrows: 2\narrow 0 above: \narrow 0 below: \n"
                                          "arrow 1 above: ABOVE\narrow 1 below: BELOW\npairs: 1\npair 0: 238 / 92\n")));
    // Each position in words, then the reading hints.
    QVERIFY2(r.out.contains(QStringLiteral("\n0 \"c\": element initial (12), capital (5)\n")), qPrintable(r.out));
    QVERIFY2(r.out.endsWith(QStringLiteral(u"hint: \u201Cco\u201D is read as C O (carbon, oxygen): "
                                           u"type a capital letter to keep your own case\n"
                                           u"hint: \u201Cco32-\u201D is read as CO3 with charge \u00B2\u207B: "
                                           u"the last digit before a sign is the charge\n")),
             qPrintable(r.out));
    // UTF-8 in, UTF-8 out: the backquote comes back as the degree sign.
    r = Run({QStringLiteral("--explain"), QStringLiteral(u"=25`C,\u00E9>")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral(u"arrow 0 above: 25\u00B0C\narrow 0 below: \u00E9\n")), qPrintable(r.out));
}

void CliTest::optionsDefaults()
{
    Result r = Run({QStringLiteral("--options")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("[Options]\nEquilibriumArrow=1\nArrowWidth=3.000000\nLevelArrow=0.500000\n"
                                   "LevelSuper=0.500000\nLevelSub=0.500000\nLevelPhase=0.500000\n"
                                   "TextArrow=0.500000\nTextSuper=0.500000\nTextSub=0.500000\n"
                                   "TextPhase=0.500000\nItalicPhase=1\nVerticalSpacing=15\n"
                                   "Font=-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial\n"));
}

void CliTest::optionsFromUserFile()
{
    QString config = Path(QStringLiteral("usercfg"));
    QVERIFY(QDir().mkpath(config + QStringLiteral("/Tamrel")));
    WriteFile(config + QStringLiteral("/Tamrel/MLV2.ini"),
              "[Options]\nEquilibriumArrow=3\nVerticalSpacing=40000\nItalicPhase=2\nTextSub=0.25\n");
    Result r = Run({QStringLiteral("--options")}, {}, config);
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QStringLiteral("\nEquilibriumArrow=3\n")));
    QVERIFY(r.out.contains(QStringLiteral("\nVerticalSpacing=0\n")));
    QVERIFY(r.out.contains(QStringLiteral("\nItalicPhase=0\n")));
    QVERIFY(r.out.contains(QStringLiteral("\nTextSub=0.250000\n")));
    // Printing is not saving.
    QCOMPARE(ReadFile(config + QStringLiteral("/Tamrel/MLV2.ini")),
             QByteArray("[Options]\nEquilibriumArrow=3\nVerticalSpacing=40000\nItalicPhase=2\nTextSub=0.25\n"));
}

void CliTest::badUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    QTest::newRow("explain without text") << QStringList{"--explain"};
    QTest::newRow("explain and options") << QStringList{"--explain", "H2", "--options"};
    QTest::newRow("no output") << QStringList{"H2O"};
    QTest::newRow("unknown extension") << QStringList{"H2O", "-o", "x.gif"};
    QTest::newRow("unknown format") << QStringList{"H2O", "--format", "gif", "-o", "x.png"};
    QTest::newRow("scale zero") << QStringList{"H2O", "--scale", "0", "-o", "x.png"};
    QTest::newRow("scale not a number") << QStringList{"H2O", "--scale", "3x", "-o", "x.png"};
    QTest::newRow("font height negative") << QStringList{"H2O", "--font-height", "-4", "-o", "x.png"};
    QTest::newRow("font height huge") << QStringList{"H2O", "--font-height", "99999999999", "-o", "x.png"};
    QTest::newRow("margin negative") << QStringList{"H2O", "--margin", "-1", "-o", "x.png"};
    QTest::newRow("two inputs, one output") << QStringList{"H2O", "CO2", "-o", "x.png"};
    QTest::newRow("text in batch") << QStringList{"H2O", "--out-dir", "d"};
    QTest::newRow("stdin twice") << QStringList{"-f", "-", "-f", "-", "--out-dir", "d"};
    QTest::newRow("output and out-dir") << QStringList{"-f", "a.txt", "-o", "x.png", "--out-dir", "d"};
    QTest::newRow("check with output") << QStringList{"--check", "H2O", "-o", "x.png"};
    QTest::newRow("check and explain") << QStringList{"--check", "--explain", "H2O"};
    QTest::newRow("stdout needs a format") << QStringList{"H2O", "-o", "-"};
    QTest::newRow("same output name") << QStringList{"-f", "a/x.txt", "-f", "b/x.mv2", "--out-dir", "d"};
}

void CliTest::badUsage()
{
    QFETCH(QStringList, args);
    Result r = Run(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.startsWith(QStringLiteral("molvex2-render: ")), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY(!QFile::exists(QStringLiteral("x.png")));
}

void CliTest::helpAndVersion()
{
    Result r = Run({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("Usage: molvex2-render")));
    r = Run({QStringLiteral("--version")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(QRegularExpression(QStringLiteral("^molvex2-render \\d+\\.\\d+\\.\\d+\n$")).match(r.out).hasMatch());
}

void CliTest::outputs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QByteArray>("signature");
    QTest::newRow("png") << "s.png" << QStringList() << QByteArray("\x89PNG\r\n\x1A\n", 8);
    QTest::newRow("svg") << "s.svg" << QStringList() << QByteArray("<?xml");
    QTest::newRow("pdf") << "s.pdf" << QStringList() << QByteArray("%PDF-");
    QTest::newRow("wmf") << "s.wmf" << QStringList() << QByteArray("\xD7\xCD\xC6\x9A", 4);
    QTest::newRow("mv2") << "s.mv2" << QStringList() << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    QTest::newRow("forced svg") << "s.out" << QStringList{"--format", "svg"} << QByteArray("<?xml");
    QTest::newRow("upper-case extension") << "S.PNG" << QStringList() << QByteArray("\x89PNG", 4);
}

void CliTest::outputs()
{
    QFETCH(QString, name);
    QFETCH(QStringList, extra);
    QFETCH(QByteArray, signature);
    const QString out = Path(name);
    Result r = Run(QStringList{kSample, QStringLiteral("-o"), out} + extra);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QByteArray bytes = ReadFile(out);
    QVERIFY(bytes.size() > 100);
    QVERIFY(bytes.startsWith(signature));
    if (name.endsWith(QStringLiteral("svg")) || extra.contains(QStringLiteral("svg"))) {
        // The picture's text is in the SVG: the upper-cased formula and the arrow texts.
        QVERIFY(bytes.contains(">C<") && bytes.contains(">O<") && bytes.contains(">U<"));
        QVERIFY(bytes.contains(">A<") && bytes.contains(">W<"));
    }
}

void CliTest::scaledPng()
{
    // The same picture at 1x and 3x: three times the pixels, ink in the same places.
    Result r1 = Run({kSample, QStringLiteral("--measure"), QStringLiteral("-o"), Path(QStringLiteral("x1.png"))});
    Result r3 = Run({kSample, QStringLiteral("--scale"), QStringLiteral("3"), QStringLiteral("-o"), Path(QStringLiteral("x3.png"))});
    QCOMPARE(r1.exitCode, 0);
    QCOMPARE(r3.exitCode, 0);
    QImage one(Path(QStringLiteral("x1.png")));
    QImage three(Path(QStringLiteral("x3.png")));
    QCOMPARE(r1.out, EngineMeasure(Utf8ToCp1252(kSample.toStdString())));
    QStringList fields = r1.out.split(QLatin1Char(' '));
    QCOMPARE(one.width(), fields[0].section(QLatin1Char('='), 1).toInt());
    QCOMPARE(one.height(), fields[1].section(QLatin1Char('='), 1).toInt());
    QCOMPARE(three.size(), one.size() * 3);

    // Each 3x3 block of the large picture is inked where the small picture is, for
    // the great majority of pixels (glyphs rasterise a little differently per size).
    int agree = 0, inked = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) {
            bool small = qGray(one.pixel(x, y)) < 128;
            int dark = 0;
            for (int dy = 0; dy < 3; ++dy)
                for (int dx = 0; dx < 3; ++dx)
                    dark += qGray(three.pixel(3 * x + dx, 3 * y + dy)) < 128;
            inked += small;
            agree += small == (dark >= 5);
        }
    QVERIFY(inked > 100);
    QVERIFY2(agree >= one.width() * one.height() * 95 / 100, qPrintable(QString::number(agree)));
    // Blank where nothing is drawn: the top-right corner above the ABOVE text.
    QCOMPARE(qGray(one.pixel(one.width() - 1, 0)), 255);
}

void CliTest::measureMatchesEngine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("lines"); // what the -f file holds, if any
    QTest::addColumn<QByteArray>("entry");  // the document's entry text
    QTest::newRow("sample") << QStringList{kSample} << QByteArray() << kSample.toUtf8();
    QTest::newRow("reaction") << QStringList{"2H2 + O2 => 2H2O"} << QByteArray() << QByteArray("2H2 + O2 => 2H2O");
    QTest::newRow("single letter") << QStringList{"H"} << QByteArray() << QByteArray("H");
    QTest::newRow("two lines") << QStringList() << QByteArray("Na+ + Cl- => NaCl(s)\r\n2H2 + O2 => 2H2O\n")
                               << QByteArray("Na+ + Cl- => NaCl(s)\r\n2H2 + O2 => 2H2O");
    QTest::newRow("empty line between") << QStringList() << QByteArray("A\n\nB\n") << QByteArray("A\r\n\r\nB");
    QTest::newRow("first line empty") << QStringList() << QByteArray("\nH2O\n") << QByteArray("\r\nH2O");
    QTest::newRow("empty equation") << QStringList() << QByteArray("\n") << QByteArray("");
}

void CliTest::measureMatchesEngine()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, lines);
    QFETCH(QByteArray, entry);
    if (!lines.isEmpty()) {
        WriteFile(Path(QStringLiteral("m.txt")), lines);
        args << QStringLiteral("-f") << Path(QStringLiteral("m.txt"));
    }
    Result r = Run(args << QStringLiteral("--measure"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, EngineMeasure(Utf8ToCp1252(entry.toStdString())));
}

void CliTest::linesFromStandardInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("LF") << QByteArray("H2O\nCO2\n");
    QTest::newRow("CR LF") << QByteArray("H2O\r\nCO2\r\n");
    QTest::newRow("lone CR") << QByteArray("H2O\rCO2");
}

void CliTest::linesFromStandardInput()
{
    QFETCH(QByteArray, input);
    const QString out = Path(QStringLiteral("stdin.png"));
    Result r = Run({QStringLiteral("-f"), QStringLiteral("-"), QStringLiteral("--measure"), QStringLiteral("-o"), out},
                   input);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, EngineMeasure("H2O\r\nCO2"));
    QVERIFY(QImage(out).height() > 30);

    // Stored as two whole lines, whatever ended them.
    const QString mv2 = Path(QStringLiteral("stdin.mv2"));
    QCOMPARE(Run({QStringLiteral("-f"), QStringLiteral("-"), QStringLiteral("-o"), mv2}, input).exitCode, 0);
    MolvexAppState app;
    CMolvexDoc doc(app);
    QVERIFY(doc.OpenFile(mv2.toStdString()).ok);
    QCOMPARE(doc.Lines().texts[0], std::string("H2O"));
    QCOMPARE(doc.Lines().texts[1], std::string("CO2"));
}

void CliTest::documentRoundTrip()
{
    const QString mv2 = Path(QStringLiteral("eq.mv2"));
    Result saved = Run({QStringLiteral("--font-height"), QStringLiteral("20"), kSample, QStringLiteral("-o"), mv2});
    QCOMPARE(saved.exitCode, 0);

    MolvexAppState app;
    CMolvexDoc doc(app);
    DocResult opened = doc.OpenFile(mv2.toStdString());
    QVERIFY2(opened.ok, opened.message.c_str());
    QCOMPARE(QString::fromStdString(doc.Lines().texts[0]), kSample);
    for (int i = 1; i < kEquationLines; ++i)
        QVERIFY(doc.Lines().texts[i].empty());

    // The document measures as its text; the font height is not part of a document.
    Result measured = Run({mv2, QStringLiteral("--measure")});
    QCOMPARE(measured.exitCode, 0);
    QCOMPARE(measured.out, EngineMeasure(kSample.toStdString()));
    Result svg = Run({mv2, QStringLiteral("-o"), Path(QStringLiteral("eq.svg"))});
    QCOMPARE(svg.exitCode, 0);
    QVERIFY(ReadFile(Path(QStringLiteral("eq.svg"))).contains(">U<"));
}

void CliTest::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named"); // the file the message must name
    QTest::addColumn<QString>("output"); // must not exist afterwards
    QTest::newRow("missing document") << QStringList{"nothere.mv2", "-o", "@/o1.png"}
                                      << "cannot open nothere.mv2: No such file or directory" << "@/o1.png";
    QTest::newRow("damaged document") << QStringList{"@/bad.mv2", "-o", "@/o2.png"} << "bad.mv2" << "@/o2.png";
    QTest::newRow("not an equation") << QStringList{"@/junk.mv2", "-o", "@/o7.png"}
                                     << "junk.mv2: Unexpected file format." << "@/o7.png";
    QTest::newRow("missing lines file") << QStringList{"-f", "@/none.txt", "-o", "@/o3.png"}
                                        << "none.txt: No such file or directory" << "@/o3.png";
    QTest::newRow("empty equation") << QStringList{"", "-o", "@/o8.png"} << "nothing to typeset" << "@/o8.png";
    QTest::newRow("empty lines file") << QStringList{"-f", "@/blank.txt", "-o", "@/o9.svg"} << "nothing to typeset"
                                      << "@/o9.svg";
    QTest::newRow("metafile too large") << QStringList{QString(40000, QLatin1Char('x')), "-o", "@/o10.wmf"}
                                        << "the picture is too large" << "@/o10.wmf";
    QTest::newRow("21 lines") << QStringList{"-f", "@/many.txt", "-o", "@/o4.png"} << "many.txt" << "@/o4.png";
    QTest::newRow("folder missing") << QStringList{"H2O", "-o", "@/no/such/o5.png"} << "o5.png" << "@/no/such/o5.png";
    QTest::newRow("mv2 folder missing") << QStringList{"H2O", "-o", "@/no/such/o6.mv2"} << "o6.mv2" << "@/no/such/o6.mv2";
}

void CliTest::failures()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    QFETCH(QString, output);
    WriteFile(Path(QStringLiteral("bad.mv2")), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1garbage", 15));
    WriteFile(Path(QStringLiteral("junk.mv2")), QByteArray("\x7F" "ELF\x02\x01\x01 some program"));
    WriteFile(Path(QStringLiteral("blank.txt")), QByteArray("\n\n\n"));
    QByteArray many;
    for (int i = 0; i < 21; ++i)
        many += "H2O\n";
    WriteFile(Path(QStringLiteral("many.txt")), many);
    for (QString& a : args)
        a.replace(QStringLiteral("@"), m_home.path());
    output.replace(QStringLiteral("@"), m_home.path());

    Result r = Run(args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("molvex2-render: ")) && r.err.contains(named), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY(!QFile::exists(output));
    // Nothing half-written beside it either.
    QDir folder(QFileInfo(output).absolutePath());
    if (folder.exists())
        for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden))
            QVERIFY2(!entry.contains(QFileInfo(output).fileName()), qPrintable(entry));
}

void CliTest::batch()
{
    QDir().mkpath(Path(QStringLiteral("in")));
    QStringList args;
    for (int i = 0; i < 12; ++i) {
        QString name = Path(QStringLiteral("in/eq%1.txt").arg(i));
        WriteFile(name, QByteArray("H2O\n") + QByteArray::number(i) + "CO2\n");
        args << QStringLiteral("-f") << name;
    }
    args << QStringLiteral("-f") << Path(QStringLiteral("in/missing.txt"));
    args << QStringLiteral("--out-dir") << Path(QStringLiteral("out")) << QStringLiteral("--format") << QStringLiteral("svg");
    Result r = Run(args);
    // One input failed, the others were written.
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(QStringLiteral("missing.txt")));
    QVERIFY2(r.err.contains(QStringLiteral("13/13")), qPrintable(r.err));
    for (int i = 0; i < 12; ++i)
        QVERIFY(ReadFile(Path(QStringLiteral("out/eq%1.svg").arg(i))).startsWith("<?xml"));
    QVERIFY(!QFile::exists(Path(QStringLiteral("out/missing.svg"))));

    // Documents by their names, PNG unless told.
    Result d = Run({kSample, QStringLiteral("-o"), Path(QStringLiteral("in/doc.mv2"))});
    QCOMPARE(d.exitCode, 0);
    Result b = Run({Path(QStringLiteral("in/doc.mv2")), QStringLiteral("--out-dir"), Path(QStringLiteral("out2"))});
    QCOMPARE(b.exitCode, 0);
    QVERIFY(b.err.isEmpty());
    QVERIFY(!QImage(Path(QStringLiteral("out2/doc.png"))).isNull());
}

void CliTest::batchProgressOnATerminal()
{
    if (!QFile::exists(QStringLiteral("/usr/bin/script")))
        QSKIP("util-linux's script is not installed: no terminal to run under");
    const QString a = Path(QStringLiteral("tty/a.txt")), b = Path(QStringLiteral("tty/b.txt"));
    QDir().mkpath(Path(QStringLiteral("tty")));
    WriteFile(a, "H2O\n");
    WriteFile(b, "CO2\n");
    const QString command = QStringLiteral("'%1' -f '%2' -f '%3' --out-dir '%4'")
                                .arg(QStringLiteral(MOLVEX_RENDER_PATH), a, b, Path(QStringLiteral("tty/out")));
    // Two inputs, far below the count that a log gets progress for.
    Result r = Run({}, {}, {}, {QStringLiteral("/usr/bin/script"), {"-qec", command, "/dev/null"}});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral("2/2")), qPrintable(r.out));
}

void CliTest::fullDisk_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"eq.png", "eq.svg", "eq.pdf", "eq.wmf", "eq.mv2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Writing onto a full disk fails with the system's reason and keeps the old file.
void CliTest::fullDisk()
{
    QFETCH(QString, name);
    FullDisk disk;
    const QString path = QString::fromStdString((disk.Folder() / name.toStdString()).string());
    QCOMPARE(Run({QStringLiteral("H2O"), QStringLiteral("-o"), path}).exitCode, 0);
    const QByteArray before = ReadFile(path);
    QVERIFY(!before.isEmpty());

    disk.Fill();
    Result r = Run({kSample + QStringLiteral(" + ") + kSample, QStringLiteral("-o"), path});
    disk.Release();
    QCOMPARE(r.exitCode, 1);
    const QString reason = disk.IsTmpfs() ? QStringLiteral("No space left on device") : QStringLiteral("File too large");
    QVERIFY2(r.err.contains(name + QStringLiteral(": ") + reason), qPrintable(r.err));
    QCOMPARE(ReadFile(path), before);
    // No temporary file is left beside it.
    QStringList left = QDir(path.section(QLatin1Char('/'), 0, -2)).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral(".filler"));
    QCOMPARE(left, QStringList{name});
}

void CliTest::chemistry_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    const QByteArray none;
    QTest::newRow("balanced") << QStringList{"--check", "2H2 + O2 => 2H2O"} << none << 0 << "line 1: balanced\n";
    QTest::newRow("not balanced") << QStringList{"--check", "2H2 + O2 => H2O"} << none << 1
                                  << QString::fromUtf8("line 1: not balanced: H 4 \u2192 2; O 2 \u2192 1\n");
    // Lines without an arrow are not reported; cannot-check does not fail the run.
    QTest::newRow("lines from stdin") << QStringList{"--check", "-f", "-"}
                                      << QByteArray("H2O\n\"heat\" => x\nNa+ + Cl- => NaCl\n") << 0
                                      << QString::fromUtf8("line 2: cannot check: \u201Cheat\u201D is not a species\n"
                                                           "line 3: balanced\n");
    QTest::newRow("text") << QStringList{"--format", "text", "-o", "-", "SO42-(aq) + Ba2+ => BaSO4(s)"} << none << 0
                          << QString::fromUtf8("SO\u2084\u00B2\u207B(aq) + Ba\u00B2\u207A \u2192 BaSO\u2084(s)\n");
    QTest::newRow("speech") << QStringList{"--format", "speech", "-o", "-", "N2 + 3H2 <450`C,Fe> 2NH3"} << none << 0
                            << "N 2 plus 3 H 2 is in equilibrium with over 450 degrees C, under Fe, 2 N H 3\n";
    QTest::newRow("mhchem, two lines") << QStringList{"--format", "mhchem", "-o", "-", "-f", "-"}
                                       << QByteArray("CuSO4.5H2O\n{238,92}U\n") << 0
                                       << "\\ce{CuSO4*5H2O}\n\\ce{^{238}_{92}U}\n";
    QTest::newRow("starmath, two lines") << QStringList{"--format", "StarMath", "-o", "-", "-f", "-"}
                                         << QByteArray("H2O\n{238,92}U\n") << 0
                                         << "\"H\"_2 \"O\" newline {\"U\"} lsup 238 lsub 92\n";
}

void CliTest::chemistry()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    Result r = Run(args, input);
    QCOMPARE(r.out, out);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
}

void CliTest::checkTrouble()
{
    // An unreadable input is trouble (2) even when another input is not balanced.
    Result r = Run({QStringLiteral("--check"), QStringLiteral("2H2 + O2 => H2O"), QStringLiteral("-f"),
                    Path(QStringLiteral("missing.txt"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("missing.txt")), qPrintable(r.err));
    // Each input that cannot be read is named once, with the system's reason.
    QVERIFY2(r.err.count(QStringLiteral("missing.txt")) == 1 && r.err.contains(QStringLiteral("No such file")),
             qPrintable(r.err));
    r = Run({QStringLiteral("--check"), QStringLiteral("nothere.mv2")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("cannot open nothere.mv2: No such file or directory")), qPrintable(r.err));
    // The file extension picks the text form; the document file is checked like text.
    r = Run({QStringLiteral("2H2 + O2 => 2H2O"), QStringLiteral("-o"), Path(QStringLiteral("eq.mml"))});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(ReadFile(Path(QStringLiteral("eq.mml"))).startsWith("<math xmlns=\"http://www.w3.org/1998/Math/MathML\""));
    r = Run({QStringLiteral("2H2 + O2 => H2O"), QStringLiteral("-o"), Path(QStringLiteral("eq.mv2"))});
    QCOMPARE(r.exitCode, 0);
    r = Run({QStringLiteral("--check"), Path(QStringLiteral("eq.mv2"))});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QString::fromUtf8("line 1: not balanced: H 4 \u2192 2; O 2 \u2192 1\n"));
    // An SVG says what it shows: the text as its title, the speech as its description.
    r = Run({QStringLiteral("Na+ + Cl- => NaCl"), QStringLiteral("-o"), Path(QStringLiteral("eq.svg"))});
    QCOMPARE(r.exitCode, 0);
    const QString svg = QString::fromUtf8(ReadFile(Path(QStringLiteral("eq.svg"))));
    QVERIFY2(svg.contains(QStringLiteral("<svg role=\"img\"")), qPrintable(svg.left(200)));
    QVERIFY2(svg.contains(QString::fromUtf8("<title>Na\u207A + Cl\u207B \u2192 NaCl</title>")), qPrintable(svg.left(400)));
    QVERIFY2(svg.contains(QStringLiteral("<desc>Na plus, plus Cl minus yields Na Cl</desc>")), qPrintable(svg.left(400)));
    // Quoted markup characters and control characters (which XML cannot carry at all)
    // still give well-formed XML, the picture's title and the MathML alike.
    const struct {
        const char* text;
        const char* title;
    } quoted[] = {{"H2 + \"a < b & c\" => X", "a < b & c"}, {"\"a\x01" "b\" + H2 => H2", "ab"}};
    for (const auto& q : quoted) {
        for (const QString& file : {QStringLiteral("q.svg"), QStringLiteral("q.mml")}) {
            r = Run({QString::fromUtf8(q.text), QStringLiteral("-o"), Path(file)});
            QCOMPARE(r.exitCode, 0);
            QXmlStreamReader xml(ReadFile(Path(file)));
            QString title;
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
                    title = xml.readElementText();
            QVERIFY2(!xml.hasError(), qPrintable(file + QLatin1Char(' ') + xml.errorString()));
            QVERIFY2(file.endsWith(QLatin1String(".mml")) || title.contains(QString::fromUtf8(q.title)), qPrintable(title));
        }
    }
}

QTEST_MAIN(CliTest)
#include "tst_cli.moc"
