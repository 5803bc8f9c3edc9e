#pragma once
// How the user is asked and told; tests replace them so nothing modal opens.
#include <QString>
#include <QStringList>
#include <QList>
#include <functional>
#include <optional>

// Where and how a picture is exported.
struct ExportChoice {
    QString path; // its extension names the format
    double scale = 1.0; // device pixels per unit, for PNG
};

struct UserPrompts {
    std::function<void(const QString& caption, const QString& text)> showMessage;
    // A yes-or-no question before something that cannot be taken back; true for yes.
    std::function<bool(const QString& caption, const QString& text)> confirm;
    // Returns QMessageBox::Yes, No or Cancel.
    std::function<int(const QString& documentTitle)> askToSave;
    // Several unsaved documents at once: the indexes of those to save (all, some or
    // none), or nothing when the user cancels.
    std::function<std::optional<QList<int>>(const QStringList& documentTitles)> askToSaveMany;
    std::function<QString(const QString& suggestedPath)> askSavePath;
    std::function<QStringList()> askOpenPaths;
    // The file to export a picture to, suggested by a bare name; nothing: cancelled.
    std::function<std::optional<ExportChoice>(const QString& suggestedName)> askExport;
};
