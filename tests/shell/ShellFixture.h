#pragma once
// An editor brought up for a test: no modal box ever opens (messages and questions are
// recorded and answered here), no socket is shared with a running editor.
#include "shell/QtApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <memory>

#include "shell/MolvexApp.h"

struct QuietEditor {
    std::unique_ptr<CMolvexApp> app = std::make_unique<CMolvexApp>();
    QStringList messages; // "caption|text"
    int saveAnswer = QMessageBox::No;
    int questions = 0;
    QString savePath;

    explicit QuietEditor(const QString& programFolder = QString())
    {
        // Every test starts with an empty recent-file list.
        QCoreApplication::setOrganizationName(QStringLiteral("Tamrel Software"));
        QCoreApplication::setApplicationName(QStringLiteral("Molvex"));
        QSettings().remove(QStringLiteral("Recent File List"));
        app->instanceName.clear();
        app->programFolder = programFolder;
        app->showMessage = [this](const QString& caption, const QString& text) {
            messages << caption + QLatin1Char('|') + text;
        };
        app->askToSave = [this](const QString&) {
            ++questions;
            return saveAnswer;
        };
        app->askSavePath = [this](const QString&) { return savePath; };
        app->askOpenPaths = [] { return QStringList(); };
    }
};

// True when a test left no window on screen behind it.
inline bool NoVisibleTopLevelWidget()
{
    const auto widgets = QApplication::topLevelWidgets();
    return std::none_of(widgets.begin(), widgets.end(), [](QWidget* w) { return w->isVisible(); });
}
