#include "shell/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

#include "config/IniStore.h"
#include "config/TextTemplate.h"

QStringList TranslationFolders(const QString& programFolder)
{
    const QDir program(programFolder.isEmpty() ? QStringLiteral(".") : programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral("../share/molvex2/translations"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../translations")))};
}

bool InstallTranslations(QCoreApplication& app, const QLocale& locale, const QStringList& folders)
{
    // QTranslator::load walks the locale's UI languages (de_AT, de, ...) itself; the
    // source texts are English, so an English first choice needs no file.
    if (locale.uiLanguages().value(0).startsWith(QLatin1String("en")))
        return false;
    bool found = false;
    for (const QString& folder : folders) {
        auto own = std::make_unique<QTranslator>(&app);
        if (own->load(locale, QStringLiteral("molvex2"), QStringLiteral("_"), folder)) {
            app.installTranslator(own.release());
            found = true;
            break;
        }
    }
    // Qt's own texts: the buttons of message boxes, the file, font and print dialogs.
    auto qt = std::make_unique<QTranslator>(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt.release());
    return found;
}

QString SaveErrorCaption(const IniSaveError& error)
{
    return QCoreApplication::translate("CIniStore", error.caption.c_str());
}

QString SaveErrorText(const IniSaveError& error)
{
    if (!error.pattern)
        return QString::fromStdString(error.text);
    const QByteArray pattern = QCoreApplication::translate("CIniStore", error.pattern).toUtf8();
    return QString::fromStdString(FillPattern(pattern.toStdString(), error.places));
}
