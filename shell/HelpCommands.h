#pragma once
// The help file (the HTML manual), the manual and the quick reference card, opened with
// the desktop's default programs. They are looked for where an install puts them
// (PREFIX/share/doc/molvex2 for PREFIX/bin/molvex2), then in the build tree (help/ beside
// the program's folder), then beside the program.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

enum class HelpDocument { HelpFile, Manual, QuickrefCard };

// "molvex2.html", "mv2_manl.pdf" or "mv2_card.pdf".
QString HelpDocumentName(HelpDocument which);
// The folders searched, in order, for a program in programFolder.
QStringList HelpFolders(const QString& programFolder);
// The first of the folders that holds the document; the installed place when none does.
QString HelpDocumentPath(HelpDocument which, const QString& programFolder);

enum class HelpOutcome { Opened, Missing, NoViewer };

struct HelpOpener {
    // Opens a file with the desktop's default program: false when that fails at once;
    // a failure found only later (the opener's exit status) calls failedLater.
    std::function<bool(const QString& path, const std::function<void()>& failedLater)> open;
    // Whether any program is set up to open documents of a MIME type.
    std::function<bool(const QString& mimeType)> hasViewer;
};
// The desktop's own opener.
HelpOpener DesktopHelpOpener();

// failedLater: the opener found later that nothing could show the document.
HelpOutcome OpenHelpDocument(HelpDocument which, const QString& programFolder, const HelpOpener& opener,
                             const std::function<void()>& failedLater = {});

// The message for an outcome the user must see (empty caption when none); a missing
// viewer names the document's path, so the user can open it another way.
struct HelpMessage {
    QString caption;
    QString text;
};
HelpMessage MessageFor(HelpOutcome outcome, HelpDocument which = HelpDocument::Manual,
                       const QString& path = QString());
