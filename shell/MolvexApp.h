#pragma once
// The application object: owns what is application-wide (options with the font, the
// configuration stores, the level adjustment, the one entry box), the document manager
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
#include "shell/DocumentManager.h"
#include "shell/ShellHost.h"

class CEntryEdit;
class CFileDialogs;
class CInstanceServer;
class CMainFrame;
class CMolvexDoc;
class CPrinting;
class CDdeExecute;
class QWidget;

// The frames and the server see it as their host (and how the user is asked and told).
class CMolvexApp : public QObject, public IMainFrameHost {
    Q_OBJECT
public:
    explicit CMolvexApp(QObject* parent = nullptr);
    ~CMolvexApp() override;
    CMolvexApp(const CMolvexApp&) = delete;
    CMolvexApp& operator=(const CMolvexApp&) = delete;

    // Start-up; false when the program is to end at once ("-r" included).
    bool InitInstance(const QStringList& arguments);

    MolvexAppState& State() override { return m_state; }
    CEntryEdit* EntryEdit() const override { return m_entryEdit.get(); }
    CMainFrame* MainFrame() const override { return m_mainFrame.get(); }
    // True when the command line started the equation server (no window).
    bool StartedForEmbedding() const { return m_embedded; }

    // Raised at the end of a normal start-up; the first drawing in place takes it.
    CContainerUpdate& ContainerUpdate() override { return m_containerUpdate; }

    // The open documents, their paths and titles, the recent files.
    CDocumentManager& Documents() override { return m_documents; }

    // The interpreter of DDE-style commands: [open("path")] and [new()], one or more in
    // a row. False at the first command it cannot run.
    bool OnDDECommand(const QString& command);
    // A command from another launch: false (refused) when it cannot be read; else it
    // runs as soon as the answer has gone, or after the modal dialog that holds the
    // editor has closed.
    bool OnInstanceCommand(const QString& command);

    // Application-level commands (help, about, level, default configuration file,
    // print setup); false for ids that are not the application's.
    bool OnAppCommand(int id, QWidget* parent) override;
    CPrinting& Printing() override { return *m_printing; }
    // Takes in the commands another launch hands over; null before start-up.
    CDdeExecute* DdeExecute() const { return m_dde.get(); }

    // The folder of the program, where the help files and the default configuration
    // file live (empty: the running program's folder).
    QString programFolder;
    // Where "-r" writes to (empty: $XDG_DATA_HOME or ~/.local/share).
    QString registrationFolder;
    // The socket of the one running editor; empty disables the hand-over.
    QString instanceName;

private:
    QString ProgramFolder() const;
    void StartInstanceServer();
    void RunQueuedCommands();

    MolvexAppState m_state;
    CContainerUpdate m_containerUpdate;
    CDocumentManager m_documents;
    std::unique_ptr<CEntryEdit> m_entryEdit;
    std::unique_ptr<CFileDialogs> m_fileDialogs;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<CInstanceServer> m_instanceServer;
    std::unique_ptr<CPrinting> m_printing;
    std::unique_ptr<CDdeExecute> m_dde;
    QStringList m_queuedCommands;
    QTimer m_queueRetry;
    QString m_pendingPath; // leading pieces of a long path handed over by [append]
    bool m_embedded = false;
};
