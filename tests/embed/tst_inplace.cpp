// In-place editing in a test container's X11 windows under a private Xvfb: the bars
// go into the container's frame window, the view into the object's area, Esc ends it.
#include "shell/EquationServer.h"
#include "shell/QtApplication.h"

#include <QDBusMessage>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <memory>

#include "tests/embed/PrivateBus.h"

namespace {
const QString kService = QString::fromLatin1(kEquationService);
const QString kPath = QString::fromLatin1(kEquationPath);
const QString kInterface = QString::fromLatin1(kEquationInterface);
QString g_display;
QString g_skip;

class SignalCounter : public QObject {
    Q_OBJECT
public:
    int updated = 0;
public slots:
    void OnUpdated(const QByteArray&) { ++updated; }
};

// The X11 child windows of a window, from xwininfo.
QStringList ChildWindows(WId window)
{
    QProcess p;
    p.start(QStringLiteral("xwininfo"), {QStringLiteral("-children"), QStringLiteral("-id"), QString::number(window)});
    p.waitForFinished(5000);
    QStringList ids;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const QString t = line.trimmed();
        if (t.startsWith(QStringLiteral("0x")))
            ids << t.section(' ', 0, 0);
    }
    return ids;
}
} // namespace

class TestInPlace : public QObject {
    Q_OBJECT
    PrivateBus m_bus;
    uint m_pid = 0;

    QDBusMessage Call(const QString& owner, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(owner, kPath, kInterface, method);
        call.setArguments(args);
        return m_bus.Bus().call(call, QDBus::Block, 20000);
    }

private slots:
    void initTestCase()
    {
        if (!g_skip.isEmpty())
            QSKIP(qPrintable(g_skip));
        if (QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xwininfo and xdotool are needed to look into the container's windows");
        if (!m_bus.Start({QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=") + g_display}))
            QSKIP(qPrintable(QStringLiteral("no private session bus: ") + m_bus.Why()));
    }
    void cleanupTestCase()
    {
        if (PrivateBus::ProcessAlive(m_pid))
            ::kill(static_cast<pid_t>(m_pid), SIGTERM);
    }

    void windowIdsThatNameNoWindowAreRefused_data()
    {
        QTest::addColumn<qulonglong>("frame");
        QTest::addColumn<qulonglong>("area");
        QTest::newRow("zero") << qulonglong(0) << qulonglong(0);
        QTest::newRow("one") << qulonglong(1) << qulonglong(1);
        QTest::newRow("all ones") << qulonglong(0xFFFFFFFF) << qulonglong(0xFFFFFFFF);
        QTest::newRow("beyond 32 bits") << qulonglong(1) << qulonglong(0x100000000ull);
        QTest::newRow("real frame, no area") << qulonglong(~0ull) << qulonglong(0x3FFFFFF);
    }
    void windowIdsThatNameNoWindowAreRefused()
    {
        QFETCH(qulonglong, frame);
        QFETCH(qulonglong, area);
        QWidget container;
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        if (frame == ~0ull)
            frame = container.winId();
        QDBusMessage create = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("New"));
        const QString owner = m_bus.Bus().call(create, QDBus::Block, 20000).arguments().value(0).toString();
        QVERIFY(!owner.isEmpty());
        m_pid = m_bus.Pid(owner);
        const QDBusMessage r = Call(owner, QStringLiteral("ActivateInPlace"),
                                    {QVariant::fromValue(frame), QVariant::fromValue(area)});
        QCOMPARE(r.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        Call(owner, QStringLiteral("Release"));
        QTRY_VERIFY_WITH_TIMEOUT(!PrivateBus::ProcessAlive(m_pid), 10000);
    }

    void barsAndViewGoIntoTheContainerAndEscEndsIt()
    {
        QWidget frame;
        frame.setWindowTitle(QStringLiteral("test container"));
        frame.resize(500, 300);
        auto* area = new QWidget(&frame);
        area->setGeometry(50, 150, 300, 100);
        area->setAttribute(Qt::WA_NativeWindow);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QStringList before = ChildWindows(frame.winId());

        QDBusMessage create = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("New"));
        const QString owner = m_bus.Bus().call(create, QDBus::Block, 20000).arguments().value(0).toString();
        QVERIFY(!owner.isEmpty());
        m_pid = m_bus.Pid(owner);
        SignalCounter counter;
        QVERIFY(m_bus.Bus().connect(owner, kPath, kInterface, QStringLiteral("Updated"), &counter,
                                    SLOT(OnUpdated(QByteArray))));
        Call(owner, QStringLiteral("SetEquationText"), {QStringLiteral("2Na + Cl2 -> 2NaCl")});

        const QDBusMessage r = Call(owner, QStringLiteral("ActivateInPlace"),
                                    {QVariant::fromValue(qulonglong(frame.winId())),
                                     QVariant::fromValue(qulonglong(area->winId()))});
        QCOMPARE(r.type(), QDBusMessage::ReplyMessage);

        // A new child window of the container's frame holds the bars, one of the
        // object's area the view.
        QStringList bars;
        QTRY_VERIFY_WITH_TIMEOUT((bars = ChildWindows(frame.winId())).size() > before.size(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!ChildWindows(area->winId()).isEmpty(), 10000);
        QString barWindow;
        for (const QString& id : bars)
            if (!before.contains(id))
                barWindow = id;
        QVERIFY(!barWindow.isEmpty());

        // The entry box inside shows the equation: the bars change when the text does.
        QScreen* screen = frame.screen();
        QTest::qWait(300);
        const QImage shown = screen->grabWindow(frame.winId()).toImage();
        Call(owner, QStringLiteral("SetEquationText"), {QStringLiteral("CaCO3 -> CaO + CO2")});
        QTest::qWait(300);
        QVERIFY(screen->grabWindow(frame.winId()).toImage() != shown);

        // Esc in the bars ends the session: the windows leave and the container is updated.
        QProcess key;
        key.start(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), barWindow,
                                              QStringLiteral("key"), QStringLiteral("Escape")});
        QVERIFY(key.waitForFinished(10000));
        QTRY_COMPARE_WITH_TIMEOUT(counter.updated, 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(ChildWindows(frame.winId()).size(), before.size(), 10000);

        Call(owner, QStringLiteral("Release"));
        QTRY_VERIFY_WITH_TIMEOUT(!PrivateBus::ProcessAlive(m_pid), 10000);
    }

    void ownWindowUpdatesTheContainerOnCtrlS()
    {
        QDBusMessage create = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("New"));
        const QString owner = m_bus.Bus().call(create, QDBus::Block, 20000).arguments().value(0).toString();
        QVERIFY(!owner.isEmpty());
        m_pid = m_bus.Pid(owner);
        SignalCounter counter;
        QVERIFY(m_bus.Bus().connect(owner, kPath, kInterface, QStringLiteral("Updated"), &counter,
                                    SLOT(OnUpdated(QByteArray))));
        Call(owner, QStringLiteral("SetEquationText"), {QStringLiteral("N2 + 3H2 = 2NH3")});
        QCOMPARE(Call(owner, QStringLiteral("OpenWindow")).type(), QDBusMessage::ReplyMessage);

        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = [this] {
                                      QProcess p;
                                      p.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--pid"),
                                                                          QString::number(m_pid)});
                                      p.waitForFinished(5000);
                                      return QString::fromUtf8(p.readAllStandardOutput()).section('\n', 0, 0).trimmed();
                                  }()).isEmpty(),
                                 10000);
        QTest::qWait(300);
        QProcess key;
        key.start(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window,
                                              QStringLiteral("key"), QStringLiteral("ctrl+s")});
        QVERIFY(key.waitForFinished(10000));
        QTRY_COMPARE_WITH_TIMEOUT(counter.updated, 1, 10000);
        Call(owner, QStringLiteral("Release"));
        QTRY_VERIFY_WITH_TIMEOUT(!PrivateBus::ProcessAlive(m_pid), 10000);
    }
};

// The X server must be up before the application connects to it.
int main(int argc, char** argv)
{
    // The test program talks only to its private bus. Without a session bus address
    // libdbus would try X11 autolaunch for Qt's own use of the bus, and that failure
    // leaks a buffer in Qt's D-Bus thread; an address that leads nowhere fails cleanly.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/molvex-test-bus");
    std::unique_ptr<QProcess> xvfb;
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (server.isEmpty()) {
        g_skip = QStringLiteral("Xvfb is not installed: in-place editing is not tested");
    } else {
        xvfb = std::make_unique<QProcess>();
        const int display = 90 + static_cast<int>(QCoreApplication::applicationPid() % 500);
        g_display = QStringLiteral(":%1").arg(display);
        xvfb->start(server, {g_display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!xvfb->waitForStarted(5000))
            g_skip = QStringLiteral("Xvfb did not start");
        for (int i = 0; i < 50 && g_skip.isEmpty(); ++i) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
                break;
            QThread::msleep(100);
        }
        qputenv("DISPLAY", g_display.toUtf8());
        qputenv("QT_QPA_PLATFORM", g_skip.isEmpty() ? "xcb" : "offscreen");
    }
    if (!g_skip.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int rc = 0;
    {
        QApplication app(argc, argv);
        TestInPlace test;
        rc = QTest::qExec(&test, argc, argv);
    }
    if (xvfb) {
        xvfb->terminate();
        xvfb->waitForFinished(3000);
    }
    return rc;
}
#include "tst_inplace.moc"
