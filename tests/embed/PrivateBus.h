#pragma once
// A session bus of the test's own: a dbus-daemon whose only service directory holds a
// service file that starts the built molvex2 -Embedding with the given environment.
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

class PrivateBus {
public:
    // False (with why()) when no bus can be started.
    bool Start(const QStringList& serverEnvironment)
    {
        if (!m_dir.isValid())
            return Fail(QStringLiteral("no temporary folder"));
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return Fail(QStringLiteral("dbus-daemon is not installed"));
        QDir(m_dir.path()).mkpath(QStringLiteral("services"));
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        QStringList env = serverEnvironment;
        env << QStringLiteral("XDG_CONFIG_HOME=") + ConfigHome();
        QFile service(m_dir.filePath(QStringLiteral("services/com.tamrel.Molvex2.service")));
        if (!service.open(QIODevice::WriteOnly))
            return Fail(QStringLiteral("cannot write the service file"));
        service.write("[D-BUS Service]\nName=com.tamrel.Molvex2\nExec=/usr/bin/env " + env.join(' ').toUtf8() + ' ' +
                      QByteArrayLiteral(MOLVEX2_PATH) + " -Embedding\n");
        service.close();
        QFile conf(m_dir.filePath(QStringLiteral("bus.conf")));
        if (!conf.open(QIODevice::WriteOnly))
            return Fail(QStringLiteral("cannot write the bus configuration"));
        conf.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                   " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:tmpdir=" +
                   m_dir.path().toUtf8() + "</listen><servicedir>" + m_dir.filePath(QStringLiteral("services")).toUtf8() +
                   "</servicedir><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                   "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        conf.close();
        m_daemon.setProgram(daemon);
        m_daemon.setArguments({QStringLiteral("--config-file=") + conf.fileName(), QStringLiteral("--nofork"),
                               QStringLiteral("--print-address=1")});
        m_daemon.start();
        if (!m_daemon.waitForStarted(5000) || !m_daemon.waitForReadyRead(5000))
            return Fail(QStringLiteral("dbus-daemon did not start"));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_bus = QDBusConnection::connectToBus(m_address, QStringLiteral("molvex-test-bus"));
        if (!m_bus.isConnected())
            return Fail(QStringLiteral("cannot connect to the private bus"));
        return true;
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("molvex-test-bus"));
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            m_daemon.waitForFinished(3000);
        }
    }
    QDBusConnection& Bus() { return m_bus; }
    QString Address() const { return m_address; }
    QString ConfigHome() const { return m_dir.filePath(QStringLiteral("config")); }
    QString Why() const { return m_why; }

    // The process behind a bus name, 0 when none.
    uint Pid(const QString& name)
    {
        QDBusMessage m = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"));
        m << name;
        const QDBusMessage r = m_bus.call(m);
        return r.type() == QDBusMessage::ReplyMessage ? r.arguments().value(0).toUInt() : 0u;
    }
    static bool ProcessAlive(uint pid) { return pid != 0 && ::kill(static_cast<pid_t>(pid), 0) == 0; }

private:
    bool Fail(const QString& why)
    {
        m_why = why;
        return false;
    }
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_why;
    QDBusConnection m_bus{QString()};
};
