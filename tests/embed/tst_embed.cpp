// A test container: drives molvex2 -Embedding over a private session bus, as a
// container program would.
#include "document/AppState.h"
#include "document/CompoundFile.h"
#include "document/MolvexDoc.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "shell/EquationServer.h"
#include "shell/QtApplication.h"

#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <set>

#include "tests/embed/PrivateBus.h"

namespace {
const QString kService = QString::fromLatin1(kEquationService);
const QString kPath = QString::fromLatin1(kEquationPath);
const QString kInterface = QString::fromLatin1(kEquationInterface);

// Receives the object's signals on the test's side of the bus.
class SignalCounter : public QObject {
    Q_OBJECT
public:
    int changed = 0;
    int closed = 0;
public slots:
    void OnChanged() { ++changed; }
    void OnClosed() { ++closed; }
};
} // namespace

class TestEmbed : public QObject {
    Q_OBJECT
private:
    PrivateBus m_bus;
    std::set<uint> m_pids;

    // A new object in a new process; returns the unique name that serves it.
    QString NewObject()
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("New"));
        const QDBusMessage r = m_bus.Bus().call(call, QDBus::Block, 20000);
        if (r.type() != QDBusMessage::ReplyMessage) {
            qWarning("New failed: %s", qPrintable(r.errorMessage()));
            return {};
        }
        const QString owner = r.arguments().value(0).toString();
        m_pids.insert(m_bus.Pid(owner));
        return owner;
    }
    QDBusMessage Call(const QString& owner, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(owner, kPath, kInterface, method);
        call.setArguments(args);
        return m_bus.Bus().call(call, QDBus::Block, 20000);
    }
    void Release(const QString& owner) { Call(owner, QStringLiteral("Release")); }

    QString AdjustValue(const QString& key)
    {
        QFile f(m_bus.ConfigHome() + QStringLiteral("/Tamrel/MLV2ADJ.ini"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(f.readAll());
        const QRegularExpression re(QStringLiteral("\\[Lowering Hint\\][^\\[]*^%1=(-?\\d+)").arg(key),
                                    QRegularExpression::MultilineOption);
        return re.match(text).captured(1);
    }

    // Methods and signals of our interface with their arguments, one string each.
    static QStringList Members(const QByteArray& xml)
    {
        QStringList members;
        QXmlStreamReader r(xml);
        bool inside = false;
        QString current;
        while (!r.atEnd()) {
            r.readNext();
            const auto name = r.name();
            if (r.isStartElement() && name == QLatin1String("interface"))
                inside = r.attributes().value(QLatin1String("name")) == kInterface;
            else if (r.isEndElement() && name == QLatin1String("interface"))
                inside = false;
            if (!inside)
                continue;
            if (r.isStartElement() && (name == QLatin1String("method") || name == QLatin1String("signal")))
                current = name.toString() + ' ' + r.attributes().value(QLatin1String("name")).toString() + ':';
            else if (r.isStartElement() && name == QLatin1String("arg"))
                current += ' ' + r.attributes().value(QLatin1String("type")).toString() + '/' +
                           r.attributes().value(QLatin1String("direction")).toString();
            else if (r.isEndElement() && (name == QLatin1String("method") || name == QLatin1String("signal")))
                members << current.replace(QStringLiteral("/in"), QString());
        }
        members.sort();
        return members;
    }

    // What the equation measures on this side, on the same kind of screen.
    static EquationBox Measure(const QString& text)
    {
        MolvexAppState state;
        state.options.Define();
        CMolvexDoc doc(state);
        doc.SetEquationText(text.toStdString());
        std::unique_ptr<CQtDC> screen = CreateScreenDC();
        return doc.MeasureEquation(*screen);
    }

private slots:
    void initTestCase()
    {
        // No display and no platform chosen for it: the server must manage on its own.
        if (!m_bus.Start({QStringLiteral("-u"), QStringLiteral("DISPLAY"), QStringLiteral("-u"),
                          QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("-u"), QStringLiteral("QT_QPA_PLATFORM")}))
            QSKIP(qPrintable(QStringLiteral("no private session bus: ") + m_bus.Why()));
    }

    void cleanupTestCase()
    {
        // Whatever a failed test left running goes with the bus.
        for (uint pid : m_pids)
            if (PrivateBus::ProcessAlive(pid))
                ::kill(static_cast<pid_t>(pid), SIGTERM);
    }

    void activationGivesOneObjectPerProcess()
    {
        const QString first = NewObject();
        const QString second = NewObject();
        QVERIFY(!first.isEmpty());
        QVERIFY(!second.isEmpty());
        QVERIFY(first != second);
        QVERIFY(m_bus.Pid(first) != m_bus.Pid(second));
        // A process that serves an object hands a second one over to a fresh process.
        const QDBusMessage again = Call(first, QStringLiteral("New"));
        QCOMPARE(again.type(), QDBusMessage::ReplyMessage);
        const QString third = again.arguments().value(0).toString();
        m_pids.insert(m_bus.Pid(third));
        QVERIFY(third != first && third != second);
        Release(first);
        Release(second);
        Release(third);
    }

    void concurrentCreationsAllSucceed()
    {
        std::vector<QDBusPendingCall> calls;
        for (int i = 0; i < 10; ++i) {
            QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("New"));
            calls.push_back(m_bus.Bus().asyncCall(call, 60000));
        }
        std::set<QString> owners;
        for (QDBusPendingCall& c : calls) {
            c.waitForFinished();
            QVERIFY2(!c.isError(), qPrintable(c.error().message()));
            const QString owner = c.reply().arguments().value(0).toString();
            m_pids.insert(m_bus.Pid(owner));
            owners.insert(owner);
        }
        QCOMPARE(owners.size(), std::size_t(10));
        for (const QString& owner : owners)
            Release(owner);
    }

    void processWithoutObjectEnds_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("damaged native data") << QStringLiteral("Load") << QVariantList{QByteArray("\x04MLV2junk")}
                                             << QStringLiteral("com.tamrel.Molvex2.Error.Format");
        QTest::newRow("native data too large")
            << QStringLiteral("Load") << QVariantList{QByteArray(qsizetype(kMaxDocumentBytes) + 1, '\0')}
            << QStringLiteral("com.tamrel.Molvex2.Error.TooLarge");
        QTest::newRow("picture before New") << QStringLiteral("GetPicture") << QVariantList{}
                                            << QStringLiteral("com.tamrel.Molvex2.Error.NoObject");
    }
    void processWithoutObjectEnds()
    {
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        QFETCH(QString, error);
        // A ping starts the process without making an object.
        QDBusMessage ping = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Peer"),
                                                           QStringLiteral("Ping"));
        QCOMPARE(m_bus.Bus().call(ping, QDBus::Block, 20000).type(), QDBusMessage::ReplyMessage);
        const uint pid = m_bus.Pid(kService);
        m_pids.insert(pid);
        QVERIFY(PrivateBus::ProcessAlive(pid));
        const QDBusMessage r = Call(kService, method, args);
        QCOMPARE(r.errorName(), error);
        QTRY_VERIFY_WITH_TIMEOUT(!PrivateBus::ProcessAlive(pid), 10000);
    }

    void limitsAndMissingDisplayGiveErrors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("error");
        const QString huge = QStringLiteral("CaCO3 -> CaO + CO2 ").repeated(19000);
        const QString error = QStringLiteral("com.tamrel.Molvex2.Error.");
        QTest::newRow("metafile of a huge equation") << huge << QStringLiteral("GetPicture") << QVariantList{}
                                                     << error + QStringLiteral("TooLarge");
        QTest::newRow("svg of a huge equation") << huge << QStringLiteral("GetSvgWithHint") << QVariantList{}
                                                << error + QStringLiteral("TooLarge");
        QTest::newRow("text too long") << QString() << QStringLiteral("SetEquationText")
                                       << QVariantList{QString(qsizetype(kMaxDocumentBytes) + 1, QLatin1Char('H'))}
                                       << QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
        QTest::newRow("own window") << QString() << QStringLiteral("OpenWindow") << QVariantList{}
                                    << error + QStringLiteral("NoDisplay");
        QTest::newRow("in place") << QString() << QStringLiteral("ActivateInPlace")
                                  << QVariantList{QVariant::fromValue(qulonglong(1)), QVariant::fromValue(qulonglong(2))}
                                  << error + QStringLiteral("NoDisplay");
        QTest::newRow("unknown text form") << QString() << QStringLiteral("GetText") << QVariantList{QStringLiteral("rtf")}
                                           << QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    }
    void limitsAndMissingDisplayGiveErrors()
    {
        QFETCH(QString, text);
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        QFETCH(QString, error);
        const QString owner = NewObject();
        if (!text.isEmpty())
            Call(owner, QStringLiteral("SetEquationText"), {text});
        QCOMPARE(Call(owner, method, args).errorName(), error);
        // The object carries on.
        QCOMPARE(Call(owner, QStringLiteral("Save")).type(), QDBusMessage::ReplyMessage);
        Release(owner);
    }

    void nativeDataRoundTripsThroughAnMv2File()
    {
        QTemporaryDir dir;
        MolvexAppState state;
        state.options.Define();
        CMolvexDoc doc(state);
        doc.SetEquationText("CH4 + 2O2 -> CO2 + 2H2O\r\n\xb0 Na+ + Cl- -> NaCl");
        const std::string path = dir.filePath(QStringLiteral("eq.mv2")).toStdString();
        QVERIFY(doc.SaveFile(path).ok);
        const auto contents = CCompoundFile::ReadStreamFromFile(path, "Contents");
        QVERIFY(contents.has_value());
        const QByteArray bytes(reinterpret_cast<const char*>(contents->data()), static_cast<int>(contents->size()));

        const QString owner = NewObject();
        QVERIFY(Call(owner, QStringLiteral("Load"), {bytes}).type() == QDBusMessage::ReplyMessage);
        const QDBusMessage saved = Call(owner, QStringLiteral("Save"));
        QCOMPARE(saved.arguments().value(0).toByteArray(), bytes);

        // Damaged data is refused and leaves the object as it was.
        const QDBusMessage bad = Call(owner, QStringLiteral("Load"), {bytes.left(bytes.size() / 2)});
        QCOMPARE(bad.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(bad.errorMessage(), QStringLiteral("Unexpected file format."));
        QCOMPARE(Call(owner, QStringLiteral("Save")).arguments().value(0).toByteArray(), bytes);
        Release(owner);
    }

    void pictureAfterTextChange()
    {
        const QString wmf2svg = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
        const QString owner = NewObject();
        const QString text = QStringLiteral("2H2 + O2 -> 2H2O");
        Call(owner, QStringLiteral("SetEquationText"), {text});
        const QDBusMessage r = Call(owner, QStringLiteral("GetPicture"));
        QCOMPARE(r.type(), QDBusMessage::ReplyMessage);
        const QByteArray wmf = r.arguments().value(0).toByteArray();
        const int cx = r.arguments().value(1).toInt();
        const int cy = r.arguments().value(2).toInt();

        const EquationBox m = Measure(text);
        std::unique_ptr<CQtDC> screen = CreateScreenDC();
        const int dpiX = screen->GetDeviceCaps(LOGPIXELSX);
        const int dpiY = screen->GetDeviceCaps(LOGPIXELSY);
        QCOMPARE(cx, static_cast<int>(std::lround(m.size.cx * 2540.0 / dpiX)));
        QCOMPARE(cy, static_cast<int>(std::lround(m.size.cy * 2540.0 / dpiY)));

        // A metafile header, and the window extent is the measured size.
        QVERIFY(wmf.size() > 18);
        QCOMPARE(static_cast<quint8>(wmf[0]), quint8(1));
        QVERIFY(wmf.contains(QByteArray::fromHex("050000000c02") +
                             QByteArray(reinterpret_cast<const char*>(&m.size.cy), 2) +
                             QByteArray(reinterpret_cast<const char*>(&m.size.cx), 2)));

        if (wmf2svg.isEmpty())
            QSKIP("wmf2svg (libwmf-bin) is not installed");
        // Placeable header: key, handle, box in logical units, units per inch, checksum.
        QByteArray header(22, '\0');
        auto put16 = [&](int at, quint16 v) {
            header[at] = static_cast<char>(v & 0xff);
            header[at + 1] = static_cast<char>(v >> 8);
        };
        put16(0, 0xCDD7);
        put16(2, 0x9AC6);
        put16(10, static_cast<quint16>(m.size.cx));
        put16(12, static_cast<quint16>(m.size.cy));
        put16(14, static_cast<quint16>(dpiX));
        quint16 sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= static_cast<quint16>(static_cast<quint8>(header[i]) | (static_cast<quint8>(header[i + 1]) << 8));
        put16(20, sum);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("p.wmf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(header + wmf);
        file.close();
        QProcess p;
        p.start(wmf2svg, {QStringLiteral("-o"), dir.filePath(QStringLiteral("p.svg")), file.fileName()});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QFile svg(dir.filePath(QStringLiteral("p.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));

        // The renditions are of the same drawing.
        QVERIFY(Call(owner, QStringLiteral("GetSvg")).arguments().value(0).toByteArray().contains("<svg"));
        QVERIFY(Call(owner, QStringLiteral("GetPng"), {2.0}).arguments().value(0).toByteArray().startsWith("\x89PNG"));
        QCOMPARE(Call(owner, QStringLiteral("GetPng"), {1000.0}).type(), QDBusMessage::ErrorMessage);
        Release(owner);
    }

    void loweringHintIsPublished_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("firstLineInUpperHalf");
        QTest::newRow("one line") << QStringLiteral("H2SO4") << false;
        QTest::newRow("two alike lines") << QStringLiteral("H2SO4\r\nH2SO4") << true;
    }
    void loweringHintIsPublished()
    {
        QFETCH(QString, text);
        QFETCH(bool, firstLineInUpperHalf);
        const QString owner = NewObject();
        Call(owner, QStringLiteral("SetEquationText"), {text});
        Call(owner, QStringLiteral("GetPicture"));
        const EquationBox m = Measure(text);
        const int expected = static_cast<int>(static_cast<double>(m.lowering) / m.size.cy * 1000.0);
        QCOMPARE(AdjustValue(QStringLiteral("Amount")).toInt(), expected);
        QCOMPARE(AdjustValue(QStringLiteral("PointSize")), QStringLiteral("14"));
        // The hint is the first line's base line, so with two lines it lies above the middle.
        QCOMPARE(expected > 500, firstLineInUpperHalf);
        Release(owner);
    }

    void svgComesWithItsPlacement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level");
        QTest::newRow("one line, no level") << QStringLiteral("CaCO3(s) =900`C> CaO(s) + CO2(g)") << 0;
        QTest::newRow("two lines, level") << QStringLiteral("H2SO4\r\nH2SO4") << 250;
    }
    void svgComesWithItsPlacement()
    {
        QFETCH(QString, text);
        QFETCH(int, level);
        const QString ini = m_bus.ConfigHome() + QStringLiteral("/Tamrel/MLV2.ini");
        QDir().mkpath(QFileInfo(ini).path());
        QFile config(ini);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("[Adjustment]\nLevel=%1\n").arg(level).toUtf8());
        config.close();
        const QString owner = NewObject();
        QFile::remove(ini);
        Call(owner, QStringLiteral("SetEquationText"), {text});
        const QDBusMessage r = Call(owner, QStringLiteral("GetSvgWithHint"));
        QCOMPARE(r.type(), QDBusMessage::ReplyMessage);
        const QVariantList a = r.arguments();
        QVERIFY(a.value(0).toByteArray().contains("<svg"));
        const QDBusMessage picture = Call(owner, QStringLiteral("GetPicture"));
        QCOMPARE(a.value(1).toInt(), picture.arguments().value(1).toInt());
        QCOMPARE(a.value(2).toInt(), picture.arguments().value(2).toInt());
        const EquationBox m = Measure(text);
        std::unique_ptr<CQtDC> screen = CreateScreenDC();
        QCOMPARE(a.value(3).toInt(), static_cast<int>(std::lround(m.lowering * 2540.0 / screen->GetDeviceCaps(LOGPIXELSY))));
        // The published Amount names the same base line, to its rounding.
        const int height = a.value(2).toInt();
        QVERIFY(std::abs(AdjustValue(QStringLiteral("Amount")).toInt() * height / 1000 - a.value(3).toInt()) <=
                1 + height / 1000);
        QCOMPARE(a.value(4).toInt(), level);
        Release(owner);
    }

    void extentDependsOnTheAspectOnly_data()
    {
        QTest::addColumn<uint>("aspect");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("size");
        QTest::newRow("content") << 1u << true << 10000;
        QTest::newRow("thumbnail") << 2u << false << 0;
        QTest::newRow("icon") << 4u << false << 0;
    }
    void extentDependsOnTheAspectOnly()
    {
        QFETCH(uint, aspect);
        QFETCH(bool, ok);
        QFETCH(int, size);
        const QString owner = NewObject();
        Call(owner, QStringLiteral("SetEquationText"), {QStringLiteral("a very long line of text -> products")});
        const QDBusMessage r = Call(owner, QStringLiteral("GetExtent"), {QVariant::fromValue(aspect)});
        QCOMPARE(r.arguments().value(0).toBool(), ok);
        QCOMPARE(r.arguments().value(1).toInt(), size);
        QCOMPARE(r.arguments().value(2).toInt(), size);
        Release(owner);
    }

    void textFormsAsTheRendererWritesThem_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("expected");
        QTest::newRow("starmath") << "starmath" << QString::fromUtf8("{\"SO\"_4^\"2\u2212\"} toward {\"BaSO\"_4 \"(s)\"}");
        QTest::newRow("speech") << "speech" << "S O 4, 2 minus yields Ba S O 4 solid";
        QTest::newRow("mhchem") << "mhchem" << "\\ce{SO4^{2-} -> BaSO4(s)}";
    }
    void textFormsAsTheRendererWritesThem()
    {
        QFETCH(QString, form);
        QFETCH(QString, expected);
        const QString owner = NewObject();
        Call(owner, QStringLiteral("SetEquationText"), {QStringLiteral("SO42- => BaSO4(s)")});
        QCOMPARE(Call(owner, QStringLiteral("GetText"), {form}).arguments().value(0).toString(), expected);
        Release(owner);
    }

    void changedOnEveryChangeAndReleaseEndsTheProcess()
    {
        const QString owner = NewObject();
        const uint pid = m_bus.Pid(owner);
        QVERIFY(PrivateBus::ProcessAlive(pid));
        SignalCounter counter;
        QVERIFY(m_bus.Bus().connect(owner, kPath, kInterface, QStringLiteral("Changed"), &counter, SLOT(OnChanged())));
        QVERIFY(m_bus.Bus().connect(owner, kPath, kInterface, QStringLiteral("Closed"), &counter, SLOT(OnClosed())));
        const QStringList texts = {QStringLiteral("H2"), QStringLiteral("H2O"), QStringLiteral("H2O2")};
        for (const QString& t : texts)
            Call(owner, QStringLiteral("SetEquationText"), {t});
        QTRY_COMPARE(counter.changed, 3);
        QCOMPARE(Call(owner, QStringLiteral("GetEquationText")).arguments().value(0).toString().section('\n', 0, 0),
                 QStringLiteral("H2O2"));
        Release(owner);
        QTRY_COMPARE(counter.closed, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!PrivateBus::ProcessAlive(pid), 10000);
    }

    void containerLeavingTheBusReleasesTheObject()
    {
        const QString name = QStringLiteral("molvex-test-container");
        uint pid = 0;
        {
            // The connection closes only once no handle to it is left.
            QDBusConnection container = QDBusConnection::connectToBus(m_bus.Address(), name);
            QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("New"));
            const QString owner = container.call(call, QDBus::Block, 20000).arguments().value(0).toString();
            QVERIFY(!owner.isEmpty());
            pid = m_bus.Pid(owner);
            m_pids.insert(pid);
            container.call(QDBusMessage::createMethodCall(owner, kPath, kInterface, QStringLiteral("WatchContainer")));
            QVERIFY(PrivateBus::ProcessAlive(pid));
        }
        QDBusConnection::disconnectFromBus(name);
        QTRY_VERIFY_WITH_TIMEOUT(!PrivateBus::ProcessAlive(pid), 10000);
    }

    void interfaceIsAsDocumented()
    {
        QFile file(QStringLiteral(MOLVEX_SOURCE_ROOT "/resources/com.tamrel.Molvex2.Equation.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList documented = Members(file.readAll());
        const QString owner = NewObject();
        QDBusMessage call = QDBusMessage::createMethodCall(owner, kPath, QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                                           QStringLiteral("Introspect"));
        const QString live = m_bus.Bus().call(call).arguments().value(0).toString();
        QVERIFY(!documented.isEmpty());
        QCOMPARE(Members(live.toUtf8()), documented);
        Release(owner);
    }

    void scriptWithoutOurCodeEmbedsAnEquation()
    {
        QTemporaryDir dir;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.Address());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("sh"), {QStringLiteral(MOLVEX_EMBED_SOURCE_DIR "/gdbus_demo.sh"), dir.path()});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        QFile contents(dir.filePath(QStringLiteral("contents.bin")));
        QVERIFY(contents.open(QIODevice::ReadOnly));
        QVERIFY(contents.readAll().startsWith("\x04MLV2"));
        QFile wmf(dir.filePath(QStringLiteral("picture.wmf")));
        QVERIFY(wmf.open(QIODevice::ReadOnly));
        QVERIFY(wmf.size() > 100);
    }
};

QTEST_MAIN(TestEmbed)
#include "tst_embed.moc"
