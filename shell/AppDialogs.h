#pragma once
// The About box and the contact dialog.
#include <QDialog>
#include <QString>
#include <QStringList>

// "Molvex V2.001.0": major, minor as three digits, patch.
QString VersionLine();

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

class CContactDialog : public QDialog {
    Q_OBJECT
public:
    explicit CContactDialog(QWidget* parent = nullptr);
};

// The Open and Save As dialogs; each starts in the folder that the last one used, or
// with none used yet, in the folder of the most recent file.
class CFileDialogs {
public:
    QStringList AskOpenPaths(QWidget* parent, const QStringList& recentFiles);
    QString AskSavePath(QWidget* parent, const QString& suggestedPath, const QStringList& recentFiles);
    // Where the next dialog starts; empty when nothing says.
    QString StartFolder(const QStringList& recentFiles) const;
    void Remember(const QString& chosenPath);

private:
    QString m_folder;
};
