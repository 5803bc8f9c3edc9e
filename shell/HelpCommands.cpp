#include "shell/HelpCommands.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

QString HelpDocumentPath(HelpDocument which, const QString& programFolder)
{
    QString name;
    switch (which) {
    case HelpDocument::HelpFile: name = QStringLiteral("molvex2.chm"); break;
    case HelpDocument::Manual: name = QStringLiteral("mv2_manl.pdf"); break;
    case HelpDocument::QuickrefCard: name = QStringLiteral("mv2_card.pdf"); break;
    }
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name;
}

HelpOpener DesktopHelpOpener()
{
    HelpOpener o;
    o.open = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
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

HelpOutcome OpenHelpDocument(HelpDocument which, const QString& programFolder, const HelpOpener& opener)
{
    const QString path = HelpDocumentPath(which, programFolder);
    if (!QFileInfo(path).isFile())
        return HelpOutcome::Missing;
    if (which != HelpDocument::HelpFile && opener.hasViewer) {
        const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
        if (!opener.hasViewer(mime))
            return HelpOutcome::NoViewer;
    }
    if (!opener.open || !opener.open(path))
        return which == HelpDocument::HelpFile ? HelpOutcome::Failed : HelpOutcome::NoViewer;
    return HelpOutcome::Opened;
}

HelpMessage MessageFor(HelpOutcome outcome)
{
    switch (outcome) {
    case HelpOutcome::Missing:
        return {QStringLiteral("File Error"), QStringLiteral("I cannot locate that file")};
    case HelpOutcome::NoViewer:
        return {QStringLiteral("Cannot find Adobe Acrobat"),
                QStringLiteral("A PDF reader is needed to read this document, and none is set up to open "
                               "PDF files.\n\nPlease install a PDF reader (for example Adobe Acrobat Reader, "
                               "Okular or Evince) and try again.")};
    case HelpOutcome::Opened:
    case HelpOutcome::Failed:
        break;
    }
    return {};
}
