#include "shell/Registration.h"
#include "shell/ShellResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool WriteFile(RegistrationResult& r, const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        r.ok = false;
        if (r.error.isEmpty())
            r.error = QStringLiteral("Cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        r.ok = false;
        if (r.error.isEmpty())
            r.error = QStringLiteral("Cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    r.written << path;
    return true;
}

QByteArray Resource(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void RunIfInstalled(const QString& tool, const QStringList& args)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (!exe.isEmpty())
        QProcess::execute(exe, args);
}

} // namespace

QString UserDataHome()
{
    const QString env = qEnvironmentVariable("XDG_DATA_HOME");
    if (!env.isEmpty() && QDir::isAbsolutePath(env))
        return env;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

RegistrationResult WriteRegistration(const QString& dataHome, const QString& programPath, bool refreshCaches)
{
    RegistrationResult r;
    InitShellResources();
    const QString root = QDir(dataHome).absolutePath();
    const QByteArray icon = Resource(QStringLiteral(":/icons/molvex2.svg"));
    const QByteArray docIcon = Resource(QStringLiteral(":/icons/application-x-molvex2.svg"));

    WriteFile(r, root + QStringLiteral("/mime/packages/molvex2.xml"), Resource(QStringLiteral(":/molvex2-mime.xml")));
    WriteFile(r, root + QStringLiteral("/applications/molvex2.desktop"), Resource(QStringLiteral(":/molvex2.desktop")));
    WriteFile(r, root + QStringLiteral("/icons/hicolor/scalable/apps/molvex2.svg"), icon);
    WriteFile(r, root + QStringLiteral("/icons/hicolor/scalable/mimetypes/application-x-molvex2.svg"), docIcon);

    const QByteArray service = QByteArrayLiteral("[D-BUS Service]\nName=") + kBusServiceName +
                               QByteArrayLiteral("\nExec=") + QFileInfo(programPath).absoluteFilePath().toUtf8() +
                               QByteArrayLiteral(" -Embedding\n");
    WriteFile(r, root + QStringLiteral("/dbus-1/services/") + QString::fromLatin1(kBusServiceName) +
                     QStringLiteral(".service"),
              service);

    if (r.ok && refreshCaches) {
        RunIfInstalled(QStringLiteral("update-mime-database"), {root + QStringLiteral("/mime")});
        RunIfInstalled(QStringLiteral("update-desktop-database"), {root + QStringLiteral("/applications")});
    }
    return r;
}
