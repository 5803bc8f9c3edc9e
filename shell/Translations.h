#pragma once
// The editor in the user's language: its own translations and Qt's for the standard
// dialogs, chosen from the locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
#include <QString>
#include <QStringList>

class QCoreApplication;
class QLocale;
struct IniSaveError;

// Where the compiled translations are looked for: the installed share folder beside
// the program's bin folder, then the build tree's.
QStringList TranslationFolders(const QString& programFolder);

// Installs the program's and Qt's translators for `locale` on `app` (they are its
// children). English needs none; a language without files leaves the English texts.
// Returns whether the program's own translation was found.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale, const QStringList& folders);

// A configuration file's failed save, in the user's language.
QString SaveErrorCaption(const IniSaveError& error);
QString SaveErrorText(const IniSaveError& error);
