#pragma once
// How the user is asked and told; tests replace them so nothing modal opens.
#include <QString>
#include <QStringList>
#include <functional>

struct UserPrompts {
    std::function<void(const QString& caption, const QString& text)> showMessage;
    // Returns QMessageBox::Yes, No or Cancel.
    std::function<int(const QString& documentTitle)> askToSave;
    std::function<QString(const QString& suggestedPath)> askSavePath;
    std::function<QStringList()> askOpenPaths;
};
