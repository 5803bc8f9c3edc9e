#pragma once
// The help file, the manual and the quick reference card beside the program, opened
// with the desktop's default programs.
#include <QString>
#include <functional>

class QWidget;

enum class HelpDocument { HelpFile, Manual, QuickrefCard };

// "molvex2.chm", "mv2_manl.pdf" or "mv2_card.pdf" in programFolder.
QString HelpDocumentPath(HelpDocument which, const QString& programFolder);

enum class HelpOutcome { Opened, Missing, NoViewer, Failed };

struct HelpOpener {
    // Opens a file with the desktop's default program; false on failure.
    std::function<bool(const QString& path)> open;
    // Whether any program is set up to open documents of a MIME type.
    std::function<bool(const QString& mimeType)> hasViewer;
};
// The desktop's own opener.
HelpOpener DesktopHelpOpener();

HelpOutcome OpenHelpDocument(HelpDocument which, const QString& programFolder, const HelpOpener& opener);

// The message for an outcome the user must see; empty caption when none.
struct HelpMessage {
    QString caption;
    QString text;
};
HelpMessage MessageFor(HelpOutcome outcome);
