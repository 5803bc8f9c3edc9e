#pragma once
// The About box and the contact dialog.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

#include "shell/UserPrompts.h"

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

class QListWidget;
class QPushButton;

// Leaving with several unsaved documents: one list, each ticked to be saved. Save
// saves the ticked ones ("Save All" while all are ticked), Discard All saves none.
class CSaveChangesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSaveChangesDialog(const QStringList& titles, QWidget* parent = nullptr);
    // The ticked documents' indexes; all of them after Save All, none after Discard All.
    QList<int> Chosen() const;
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* DiscardButton() const { return m_discard; }
    QListWidget* List() const { return m_list; }

private:
    void UpdateSaveText();
    QListWidget* m_list = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_discard = nullptr;
    bool m_discarded = false;
};

// The Open and Save As dialogs; each starts in the folder that the last one used, or
// with none used yet, in the folder of the most recent file.
class CFileDialogs {
public:
    QStringList AskOpenPaths(QWidget* parent, const QStringList& recentFiles);
    QString AskSavePath(QWidget* parent, const QString& suggestedPath, const QStringList& recentFiles);
    // Export: the picture file (its type chosen by the filter or the extension), and
    // for PNG the scale; each starts as the last export left it.
    std::optional<ExportChoice> AskExport(QWidget* parent, const QString& suggestedName,
                                          const QStringList& recentFiles);
    // Where the next dialog starts; empty when nothing says.
    QString StartFolder(const QStringList& recentFiles) const;
    void Remember(const QString& chosenPath);

private:
    QString m_folder;
    QString m_exportFolder;
    QString m_exportSuffix = QStringLiteral("png");
    double m_exportScale = 2.0;
};
