#pragma once
// The application object: owns what is application-wide (options with the font, the
// configuration stores, the level adjustment, the one entry box), the open documents
// and the main window, and brings the program up from its command line.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/AppState.h"
#include "shell/ContainerUpdate.h"

class CEntryEdit;
class CInstanceServer;
class CMainFrame;
class CMolvexDoc;
class QPrinter;
class QWidget;

class CMolvexApp : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 10;

    explicit CMolvexApp(QObject* parent = nullptr);
    ~CMolvexApp() override;
    CMolvexApp(const CMolvexApp&) = delete;
    CMolvexApp& operator=(const CMolvexApp&) = delete;

    // Start-up; false when the program is to end at once ("-r" included).
    bool InitInstance(const QStringList& arguments);

    MolvexAppState& State() { return m_state; }
    CEntryEdit* EntryEdit() const { return m_entryEdit.get(); }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    // True when the command line started the equation server (no window).
    bool StartedForEmbedding() const { return m_embedded; }

    // Raised at the end of a normal start-up; the first drawing in place takes it.
    CContainerUpdate& ContainerUpdate() { return m_containerUpdate; }

    // Documents.
    CMolvexDoc& CreateDocument();             // no window (a container's object)
    CMolvexDoc* OnFileNew();                  // a new document in a window of its own
    void OnFileOpen();                        // asks for files, then opens them
    CMolvexDoc* OpenDocumentFile(const QString& path); // shows why when it fails
    bool SaveDocument(CMolvexDoc& doc, bool askForName);
    bool SaveDocumentTo(CMolvexDoc& doc, const QString& path);
    // Asks whether to save a modified document; false when the user cancels or the
    // save fails.
    bool QueryCloseDocument(CMolvexDoc& doc);
    bool QueryCloseAll();
    void DestroyDocument(CMolvexDoc* doc);
    std::size_t DocumentCount() const { return m_docs.size(); }
    CMolvexDoc* Document(std::size_t i) const;
    QString DocumentTitle(const CMolvexDoc& doc) const;
    QString DocumentPath(const CMolvexDoc& doc) const;

    QStringList RecentFiles() const { return m_recentFiles; }
    void AddToRecentFiles(const QString& path);

    // The interpreter of DDE-style commands: [open("path")] and [new()], one or more in
    // a row. False at the first command it cannot run.
    bool OnDDECommand(const QString& command);
    // A command from another launch: false (refused) when it cannot be read; else it
    // runs now, or after the modal dialog that holds the editor has closed.
    bool OnInstanceCommand(const QString& command);

    // Application-level commands (help, about, level, default configuration file,
    // print setup); false for ids that are not the application's.
    bool OnAppCommand(int id, QWidget* parent);
    QPrinter& Printer();

    // The folder of the program, where the help files and the default configuration
    // file live (empty: the running program's folder).
    QString programFolder;
    // Where "-r" writes to (empty: $XDG_DATA_HOME or ~/.local/share).
    QString registrationFolder;
    // The socket of the one running editor; empty disables the hand-over.
    QString instanceName;

    // How the user is asked and told; tests replace them so nothing modal opens.
    std::function<void(const QString& caption, const QString& text)> showMessage;
    // Returns QMessageBox::Yes, No or Cancel.
    std::function<int(const QString& documentTitle)> askToSave;
    std::function<QString(const QString& suggestedPath)> askSavePath;
    std::function<QStringList()> askOpenPaths;

signals:
    void recentFilesChanged();

private:
    struct DocEntry {
        std::unique_ptr<CMolvexDoc> doc;
        QString path;
        QString title;
    };
    DocEntry* Entry(const CMolvexDoc& doc) const;
    QString ProgramFolder() const;
    void LoadRecentFiles();
    void SaveRecentFiles();
    void StartInstanceServer();
    void RunQueuedCommands();

    MolvexAppState m_state;
    CContainerUpdate m_containerUpdate;
    std::unique_ptr<CEntryEdit> m_entryEdit;
    std::vector<std::unique_ptr<DocEntry>> m_docs;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<CInstanceServer> m_instanceServer;
    std::unique_ptr<QPrinter> m_printer;
    QStringList m_recentFiles;
    QStringList m_queuedCommands;
    QTimer m_queueRetry;
    QString m_pendingPath; // leading pieces of a long path handed over by [append]
    int m_untitledCount = 0;
    bool m_embedded = false;
};
