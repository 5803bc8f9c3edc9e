#pragma once
// An editor brought up for a test: no modal box ever opens (messages and questions are
// recorded and answered here), no socket is shared with a running editor.
#include "shell/QtApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "document/MolvexDoc.h"
#include "shell/CommandTables.h"
#include "shell/MainFrame.h"
#include "shell/MolvexApp.h"
#include "shell/MolvexView.h"

struct QuietEditor {
    std::unique_ptr<CMolvexApp> app = std::make_unique<CMolvexApp>();
    QStringList messages; // "caption|text"
    int saveAnswer = QMessageBox::No;
    int questions = 0;
    QString savePath;
    QStringList exportAsked;                  // the names suggested for export
    std::optional<ExportChoice> exportChoice; // the answer (nothing: Cancel)
    QStringList confirmations; // "caption|text"
    bool confirmAnswer = false;
    QList<QStringList> manyAsked;         // the lists of unsaved documents asked about
    std::optional<QList<int>> saveMany;   // the answer (nothing: Cancel)

    explicit QuietEditor(const QString& programFolder = QString())
    {
        // Every test starts with an empty recent-file list.
        QCoreApplication::setOrganizationName(QStringLiteral("Tamrel Software"));
        QCoreApplication::setApplicationName(QStringLiteral("Molvex"));
        QSettings(app->Documents().settingsPath, QSettings::IniFormat).remove(QStringLiteral("Recent File List"));
        app->instanceName.clear();
        app->programFolder = programFolder;
        app->showMessage = [this](const QString& caption, const QString& text) {
            messages << caption + QLatin1Char('|') + text;
        };
        app->confirm = [this](const QString& caption, const QString& text) {
            confirmations << caption + QLatin1Char('|') + text;
            return confirmAnswer;
        };
        app->askToSave = [this](const QString&) {
            ++questions;
            return saveAnswer;
        };
        app->askSavePath = [this](const QString&) { return savePath; };
        app->askOpenPaths = [] { return QStringList(); };
        app->askExport = [this](const QString& name) -> std::optional<ExportChoice> {
            exportAsked << name;
            return exportChoice;
        };
        app->askToSaveMany = [this](const QStringList& titles) -> std::optional<QList<int>> {
            manyAsked << titles;
            return saveMany;
        };
    }
};

// True when a test left no window on screen behind it.
inline bool NoVisibleTopLevelWidget()
{
    const auto widgets = QApplication::topLevelWidgets();
    return std::none_of(widgets.begin(), widgets.end(), [](QWidget* w) { return w->isVisible(); });
}

// Base of the tests that work in a running editor: a fresh one per test (StartEditor
// from init), active, with its folder for files; each test leaves no window behind
// (StopEditor from cleanup).
class EditorTest : public QObject {
protected:
    QTemporaryDir m_dir;
    std::unique_ptr<QuietEditor> m_editor;
    CMolvexApp& App() { return *m_editor->app; }
    CMainFrame* Frame() { return m_editor->app->MainFrame(); }
    CEntryEdit* Edit() { return m_editor->app->EntryEdit(); }
    CMolvexView* View() { return Frame()->ActiveDocFrame()->View(); }
    void Command(int id) { Frame()->Commands().Action(id)->trigger(); }

    // A document file holding text, in the test's folder; empty when it cannot be saved.
    QString SavedDocument(const QString& name, const char* text)
    {
        CMolvexDoc doc(App().State());
        doc.SetEquationText(text);
        const QString path = m_dir.filePath(name);
        return doc.SaveFile(path.toStdString()).ok ? path : QString();
    }

    void StartEditor()
    {
        m_editor = std::make_unique<QuietEditor>(m_dir.path());
        QVERIFY(App().InitInstance({}));
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
    }
    void StopEditor()
    {
        m_editor.reset();
        QVERIFY(NoVisibleTopLevelWidget());
    }
};
