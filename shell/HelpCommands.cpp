#include "shell/HelpCommands.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

QString HelpDocumentName(HelpDocument which)
{
    switch (which) {
    case HelpDocument::HelpFile: return QStringLiteral("molvex2.html");
    case HelpDocument::Manual: return QStringLiteral("mv2_manl.pdf");
    case HelpDocument::QuickrefCard: return QStringLiteral("mv2_card.pdf");
    }
    return QString();
}

QStringList HelpFolders(const QString& programFolder)
{
    const QDir program(programFolder.isEmpty() ? QStringLiteral(".") : programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral("../share/doc/molvex2"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../help"))), QDir::cleanPath(program.path())};
}

QString HelpDocumentPath(HelpDocument which, const QString& programFolder)
{
    const QString name = HelpDocumentName(which);
    const QStringList folders = HelpFolders(programFolder);
    for (const QString& folder : folders) {
        const QString path = folder + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return folders.first() + QLatin1Char('/') + name;
}

HelpOpener DesktopHelpOpener()
{
    HelpOpener o;
    o.open = [](const QString& path, const std::function<void()>& failedLater) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (tool.isEmpty())
            return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        // Qt's own opener reports only that xdg-open started; its exit status says
        // whether anything could show the file. It may run as long as the viewer, so
        // it is waited for without blocking.
        auto* process = new QProcess(QCoreApplication::instance());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        QObject::connect(process, &QProcess::finished, process,
                         [process, failedLater](int code, QProcess::ExitStatus status) {
                             if ((status != QProcess::NormalExit || code != 0) && failedLater)
                                 failedLater();
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process, [process, failedLater](QProcess::ProcessError e) {
            if (e != QProcess::FailedToStart)
                return;
            if (failedLater)
                failedLater();
            process->deleteLater();
        });
        process->start(tool, {path});
        return true;
    };
    o.hasViewer = [](const QString& mimeType) {
        // Without the query tool we cannot tell, and let the desktop try.
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (tool.isEmpty())
            return true;
        QProcess p;
        p.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!p.waitForFinished(3000)) {
            p.kill();
            p.waitForFinished(1000);
            return true;
        }
        return !p.readAllStandardOutput().trimmed().isEmpty();
    };
    return o;
}

HelpOutcome OpenHelpDocument(HelpDocument which, const QString& programFolder, const HelpOpener& opener,
                             const std::function<void()>& failedLater)
{
    const QString path = HelpDocumentPath(which, programFolder);
    if (!QFileInfo(path).isFile())
        return HelpOutcome::Missing;
    if (which != HelpDocument::HelpFile && opener.hasViewer) {
        const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
        if (!opener.hasViewer(mime))
            return HelpOutcome::NoViewer;
    }
    if (!opener.open || !opener.open(path, failedLater))
        return HelpOutcome::NoViewer;
    return HelpOutcome::Opened;
}

HelpMessage MessageFor(HelpOutcome outcome, HelpDocument which, const QString& path)
{
    switch (outcome) {
    case HelpOutcome::Missing:
        return {QCoreApplication::translate("HelpCommands", "File Error"),
                QCoreApplication::translate("HelpCommands", "I cannot locate that file")};
    case HelpOutcome::NoViewer: {
        const QString where = path.isEmpty()
                                  ? QString()
                                  : QCoreApplication::translate("HelpCommands", "\n\nThe document is\n%1").arg(path);
        if (which == HelpDocument::HelpFile)
            return {QCoreApplication::translate("HelpCommands", "Cannot find a web browser"),
                    QCoreApplication::translate("HelpCommands", "A web browser is needed to read the help file, and none "
                                                        "could open it.\n\nPlease install a web browser and try "
                                                        "again, or open the file yourself.") +
                        where};
        return {QCoreApplication::translate("HelpCommands", "Cannot find Adobe Acrobat"),
                QCoreApplication::translate("HelpCommands", "A PDF reader is needed to read this document, and none is set up "
                                                    "to open PDF files.\n\nPlease install a PDF reader (for example "
                                                    "Adobe Acrobat Reader, Okular or Evince) and try again.") +
                    where};
    }
    case HelpOutcome::Opened: break;
    }
    return {};
}
