#pragma once
// The main window: document windows in an MDI area, toolbar, status bar and the entry
// bar along the top; the Edit commands always edit the entry box.
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <map>

class CChemStatus;
class CCommandSet;
class CEntryBar;
class CContainerUpdate;
class CDocumentManager;
class IMainFrameHost;
class CMolvexDoc;
class CMolvexView;
class QLabel;
class QMdiArea;
class QStyle;
class QToolBar;

// A document window: one view of one document.
class CDocFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CDocFrame(CDocumentManager& documents, CContainerUpdate& containerUpdate, CMolvexDoc& doc,
              QWidget* parent = nullptr);
    ~CDocFrame() override;

    CMolvexDoc& Document() const { return m_doc; }
    CMolvexView* View() const { return m_view; }
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CDocumentManager& m_documents;
    CMolvexDoc& m_doc;
    CMolvexView* m_view = nullptr;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The least size of a document window restored from maximised.
    static constexpr int kRestoredWidth = 480;
    static constexpr int kRestoredHeight = 320;
    static constexpr int kLimitMessageMs = 5000; // how long a passing status message stays

    explicit CMainFrame(IMainFrameHost& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdi; }
    CEntryBar* EntryBar() const { return m_entryBar; }
    QToolBar* ToolBar() const { return m_toolBar; }
    CCommandSet& Commands() const { return *m_commands; }
    QLabel* Indicator(int pane) const; // 1 CAP, 2 NUM, 3 SCRL

    // Adds a window for a document, maximised, and puts the keyboard focus into the
    // entry box so that the user can type at once.
    CDocFrame* AddDocumentWindow(CMolvexDoc& doc);
    // Makes the document's window the active one and the main window the front one,
    // so that a question about the document is asked where the user sees it.
    void BringForward(const CMolvexDoc& doc);
    CDocFrame* FrameOf(const CMolvexDoc& doc) const;
    CDocFrame* ActiveDocFrame() const;
    CMolvexDoc* ActiveDocument() const;

    // Maximises the active document window and refills the entry box from its
    // document, without a change notification, so the document stays unmodified.
    void ActivateFrame();
    // Puts the entry box's caret before a position of a line of the active document's
    // text and the focus into the box.
    void PlaceCaret(int line, int position);
    // The entry box changed: its whole text goes to the active document.
    void OnEntryChanged();
    // Runs a command as its action does (the in-place frame hands on what it does not
    // handle itself); the application's commands go to the host.
    void OnCommand(int id);

    void UpdateRecentFileMenu();
    void UpdateWindowMenu();
    void UpdateCommandStates();
    void UpdateTitle();

    // Status-bar panes: the active view's zoom, and the warning that only the first
    // lines of a longer text are typeset (hidden while the text fits).
    QLabel* ZoomPane() const { return m_zoomPane; }
    QLabel* LinesPane() const { return m_linesPane; }
    // Which line of the equation the entry box's caret is on.
    QLabel* CaretPane() const { return m_caretPane; }
    CChemStatus* ChemStatus() const { return m_chemStatus; }
    // Says in the status bar, for as long as the program runs, that a settings file
    // could not be read and why (its settings are then neither used nor saved).
    void WarnSettingsUnread(const QString& path, const QString& reason);
    QLabel* SettingsPane() const { return m_settingsPane; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildStatusBar();
    void FollowEntryBox();
    void FollowDocuments();
    // Each action is connected to the one handler of its command.
    void ConnectCommands();
    void ConnectAction(int id, QAction* action);
    void OpenRecentFile(int i);
    void ActivateListedWindow(int id);
    void DocumentWindowGone(QObject* frame);
    void UpdateStatusPanes();
    void FollowCaret();
    void UpdateCaretPane();
    void FocusEntryIfPending();
    void CopyAsPicture();
    void ExportActive();

    IMainFrameHost& m_app;
    std::map<int, std::function<void()>> m_handlers; // the one handler of each command
    QMdiArea* m_mdi = nullptr;
    QStyle* m_docStyle = nullptr; // document windows' style, owned as a child
    QToolBar* m_toolBar = nullptr;
    CEntryBar* m_entryBar = nullptr;
    CCommandSet* m_commands = nullptr;
    QAction* m_recentAnchor = nullptr;
    QList<QAction*> m_windowActions;
    QLabel* m_zoomPane = nullptr;
    QLabel* m_linesPane = nullptr;
    QLabel* m_settingsPane = nullptr;
    QStringList m_unreadSettings; // the names of the settings files that could not be read
    QLabel* m_caretPane = nullptr;
    CChemStatus* m_chemStatus = nullptr;
    bool m_focusEntryPending = false; // a document window was added: type into it
    bool m_arranged = false;          // cascaded or tiled: activation does not maximise
    QList<QAction*> m_recentActions;
    QLabel* m_indicators[4] = {};
    QObject* m_lockFilter = nullptr; // the application-wide key filter behind the indicators
};
