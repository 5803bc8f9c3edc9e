#include "shell/Registration.h"
#include "shell/ShellResources.h"
#include "platform/Render.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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
    if (const auto reason = WriteFileAtomically(path, bytes)) {
        r.ok = false;
        if (r.error.isEmpty())
            r.error = QStringLiteral("Cannot write %1: %2").arg(path, *reason);
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

// Exec lines quote an argument with double quotes, inside which ", `, $ and \ take a
// backslash.
QString QuotedArgument(const QString& path)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The bundled desktop entry with its Exec line pointing at this program.
QByteArray DesktopEntryFor(const QString& programPath)
{
    const QString entry = QString::fromUtf8(Resource(QStringLiteral(":/%1.desktop").arg(QLatin1String(kDesktopId))));
    QStringList lines = entry.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("Exec=")))
            line = QStringLiteral("Exec=") + DesktopExecArgument(programPath) + QStringLiteral(" %f");
    }
    return lines.join(QLatin1Char('\n')).toUtf8();
}

void RunIfInstalled(const QString& tool, const QStringList& args)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (!exe.isEmpty())
        QProcess::execute(exe, args);
}

} // namespace

QString DesktopExecArgument(const QString& path)
{
    // The entry file's own escapes come on top of the quoting; % starts a field code.
    QString arg = QuotedArgument(path);
    arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return arg;
}

QString ServiceExecArgument(const QString& path) { return QuotedArgument(path); }

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

    const QString id = QLatin1String(kDesktopId);
    const QString program = QFileInfo(programPath).absoluteFilePath();
    // Earlier registrations used the short name; left alone, the menu would show the
    // program twice.
    for (const char* old : {"/mime/packages/molvex2.xml", "/applications/molvex2.desktop",
                            "/icons/hicolor/scalable/apps/molvex2.svg"})
        QFile::remove(root + QLatin1String(old));
    WriteFile(r, root + QStringLiteral("/mime/packages/%1.xml").arg(id),
              Resource(QStringLiteral(":/%1.mime.xml").arg(id)));
    WriteFile(r, root + QStringLiteral("/applications/%1.desktop").arg(id), DesktopEntryFor(program));
    WriteFile(r, root + QStringLiteral("/icons/hicolor/scalable/apps/%1.svg").arg(id), icon);
    WriteFile(r, root + QStringLiteral("/icons/hicolor/scalable/mimetypes/application-x-molvex2.svg"), docIcon);

    const QByteArray service = QByteArrayLiteral("[D-BUS Service]\nName=") + kBusServiceName +
                               QByteArrayLiteral("\nExec=") + ServiceExecArgument(program).toUtf8() +
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

int RegisterForUser(const QString& programPath, FILE* out, FILE* err)
{
    const RegistrationResult r = WriteRegistration(UserDataHome(), programPath);
    for (const QString& path : r.written)
        std::fprintf(out, "registered %s\n", qPrintable(path));
    if (!r.ok) {
        std::fprintf(err, "molvex2: registration failed: %s\n", qPrintable(r.error));
        return 1;
    }
    return 0;
}
