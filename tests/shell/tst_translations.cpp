// The editor in German, as a user with LANGUAGE=de gets it (ctest sets the variable):
// its menus and commands, the chemistry sentences of the status bar, and Qt's own
// texts in the standard dialogs.
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include "config/IniStore.h"
#include "shell/ChemStatus.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/Translations.h"

class TestTranslations : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QuietEditor> m_editor;

private slots:
    void initTestCase()
    {
        QCOMPARE(qgetenv("LANGUAGE"), QByteArray("de"));
        const QString built = qEnvironmentVariable("MOLVEX_BINARY_DIR") + QStringLiteral("/translations");
        QVERIFY2(InstallTranslations(*qApp, QLocale(), {built}), qPrintable(built));
        m_editor = std::make_unique<QuietEditor>();
        QVERIFY(m_editor->app->InitInstance({}));
    }
    void cleanupTestCase()
    {
        m_editor.reset();
        QVERIFY(NoVisibleTopLevelWidget());
    }

    void menusAreGerman()
    {
        QStringList titles;
        for (QAction* a : m_editor->app->MainFrame()->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, QStringList({QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"),
                                      QStringLiteral("&Ansicht"), QStringLiteral("E&xtras"),
                                      QStringLiteral("&Fenster"), QStringLiteral("&Hilfe")}));
    }

    void commandsAreGerman_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("statusTip");
        QTest::newRow("open") << int(cmd::FileOpen) << QStringLiteral("Ö&ffnen...\tStrg+O")
                              << QStringLiteral("Öffnet ein vorhandenes Dokument");
        QTest::newRow("copy as picture") << int(cmd::CopyAsPicture) << QStringLiteral("Als Bild kopieren\tStrg+M")
                                         << QStringLiteral("Kopiert die Gleichung als Bild in die Zwischenablage");
        QTest::newRow("options") << int(cmd::Options) << QStringLiteral("&Optionen ...")
                                 << QStringLiteral("Legt die Optionen für das Zeichnen der Gleichungen fest");
    }
    void commandsAreGerman()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(QString, statusTip);
        QAction* found = nullptr;
        for (QAction* a : m_editor->app->MainFrame()->findChildren<QAction*>())
            if (!a->isSeparator() && a->data().toInt() == id)
                found = a;
        QVERIFY(found);
        QCOMPARE(found->text(), text);
        QCOMPARE(found->statusTip(), statusTip);
    }

    void chemistryIsGerman_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("hint");
        QTest::newRow("balanced") << "2H2 + O2 => 2H2O" << "Ausgeglichen" << "";
        QTest::newRow("not balanced") << "Fe3+ + e- => Fe" << QString::fromUtf8("Nicht ausgeglichen: Ladung +2 → 0")
                                      << "";
        QTest::newRow("hint in an arrow text")
            << "N2 =co> 2N" << "Ausgeglichen"
            << QString::fromUtf8("Über Pfeil 1: „co“ wird als C O (Kohlenstoff, Sauerstoff) gelesen: mit einem "
                                 "Großbuchstaben bleibt Ihre Schreibweise erhalten");
    }
    void chemistryIsGerman()
    {
        QFETCH(QString, typed);
        QFETCH(QString, balance);
        QFETCH(QString, hint);
        CChemStatus status;
        status.ShowLine(typed);
        QCOMPARE(status.BalanceText(), balance);
        QCOMPARE(status.HintText(), hint);
    }

    // A configuration file that cannot be written: the store's message, in German, with
    // the path as it is (a "%2" in it stays).
    void saveErrorIsGerman()
    {
        CIniStore store;
        store.SetCompany("Tamrel");
        store.SetFileName("MLV2");
        store.SetLocation(-1);
        store.SetPath("/proc/no-such-%2-folder/MLV2.ini");
        store.SetString("Options", "Spacing", "15", true);
        const std::optional<IniSaveError> error = store.Save();
        QVERIFY(error);
        QCOMPARE(SaveErrorCaption(*error), QStringLiteral("Fehler beim Speichern"));
        QCOMPARE(SaveErrorText(*error).section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Die Datei /proc/no-such-%2-folder/MLV2.ini kann nicht geschrieben werden."));
    }

    // Message boxes and the file, font and print dialogs come from Qt.
    void standardButtonsAreGerman()
    {
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    }

    // The other languages are built and installed the same way; their menu titles and
    // a chemistry sentence, read straight from their files.
    void otherLanguagesAreBuilt_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("balanced");
        QTest::newRow("fr") << "fr"
                            << QStringList{"&Fichier", "É&dition", "&Affichage", "&Outils", "Fe&nêtre", "Aid&e"}
                            << QString::fromUtf8("équilibrée");
        QTest::newRow("es") << "es"
                            << QStringList{"&Archivo", "&Edición", "&Ver", "&Herramientas", "Ve&ntana", "A&yuda"}
                            << "ajustada";
    }
    void otherLanguagesAreBuilt()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, menus);
        QFETCH(QString, balanced);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("molvex2_") + language,
                                qEnvironmentVariable("MOLVEX_BINARY_DIR") + QStringLiteral("/translations")));
        const char* const english[] = {"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"};
        QStringList titles;
        for (const char* title : english)
            titles << translator.translate("Commands", title);
        QCOMPARE(titles, menus);
        QCOMPARE(translator.translate("chem", "balanced"), balanced);
    }

    void englishNeedsNoFiles()
    {
        const QString built = qEnvironmentVariable("MOLVEX_BINARY_DIR") + QStringLiteral("/translations");
        QVERIFY(!InstallTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedKingdom), {built}));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
