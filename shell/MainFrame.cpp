#include "shell/MainFrame.h"
#include "shell/ShellResources.h"

#include "shell/QtApplication.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTextBlock>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolTip>
#include <QUrl>
#include <QWhatsThis>

#include "document/MolvexDoc.h"
#include "platform/QtDeviceContext.h"
#include "shell/CommandIds.h"
#include "shell/CommandTables.h"
#include "shell/ChemStatus.h"
#include "shell/DocumentManager.h"
#include "shell/EntryEdit.h"
#include "shell/EquationCommands.h"
#include "shell/FontCommand.h"
#include "shell/ShellHost.h"
#include "shell/MolvexView.h"
#include "shell/OptionsDialog.h"
#include "shell/PrintCommands.h"
#include "platform/QtClipboard.h"


// ---------------------------------------------------------------------------------

namespace {

class CMaximisedTitleStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_Workspace_FillSpaceOnMaximize)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The Caps Lock and Num Lock indicators, kept up to date from every key of the
// application: X11 reports the lock states in the modifier mask of each key.
class CLockIndicatorFilter : public QObject {
public:
    CLockIndicatorFilter(QLabel* caps, QLabel* num, QObject* parent) : QObject(parent), m_caps(caps), m_num(num) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
            QGuiApplication::platformName() == QLatin1String("xcb")) {
            const quint32 state = static_cast<QKeyEvent*>(event)->nativeModifiers();
            constexpr quint32 kLockMask = 0x02, kNumMask = 0x10;
            // The frame's texts, translated where the frame's are.
            m_caps->setText(state & kLockMask ? QCoreApplication::translate("CMainFrame", "CAP") : QString());
            m_num->setText(state & kNumMask ? QCoreApplication::translate("CMainFrame", "NUM") : QString());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* m_caps;
    QLabel* m_num;
};

} // namespace

CDocFrame::CDocFrame(CDocumentManager& documents, CContainerUpdate& containerUpdate, CMolvexDoc& doc,
                     QWidget* parent)
    : QMdiSubWindow(parent), m_documents(documents), m_doc(doc)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new CMolvexView(doc, &containerUpdate, this);
    setWidget(m_view);
    setWindowIcon(QIcon(QStringLiteral(":/icons/application-x-molvex2.svg")));
    connect(m_view, &CMolvexView::modifiedChanged, this, &QWidget::setWindowModified);
    UpdateTitle();
}

CDocFrame::~CDocFrame()
{
    // The view stops observing before its document goes.
    delete m_view;
    m_view = nullptr;
    m_documents.Destroy(&m_doc);
}

void CDocFrame::UpdateTitle()
{
    setWindowTitle(m_documents.Title(m_doc) + QStringLiteral("[*]"));
    setWindowModified(m_doc.IsModified());
}

void CDocFrame::closeEvent(QCloseEvent* event)
{
    if (!m_documents.QueryClose(m_doc)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------------

CMainFrame::CMainFrame(IMainFrameHost& app, QWidget* parent) : QMainWindow(parent), m_app(app)
{
    InitShellResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/molvex2.svg")));
    setAcceptDrops(true);

    m_docStyle = new CMaximisedTitleStyle;
    m_docStyle->setParent(this);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);

    m_commands = new CCommandSet(this);
    m_commands->BuildMenuBar(menuBar(), MainMenuTable(), &m_recentAnchor);

    m_toolBar = new QToolBar(tr("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_commands->BuildToolBar(m_toolBar, MainToolbarTable());
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_commands->ApplyAccelerators(MainAccelTable());

    for (int id : {cmd::ViewToolbar, cmd::ViewStatusBar}) {
        QAction* a = m_commands->Action(id);
        a->setCheckable(true);
        a->setChecked(true);
    }

    addToolBarBreak(Qt::TopToolBarArea);
    m_entryBar = new CEntryBar(this);
    addToolBar(Qt::TopToolBarArea, m_entryBar);
    m_entryBar->AttachEntryEdit(app.EntryEdit());
    BuildStatusBar();
    m_lockFilter = new CLockIndicatorFilter(m_indicators[1], m_indicators[2], this);
    qApp->installEventFilter(m_lockFilter);
    FollowEntryBox();
    ConnectCommands();
    FollowDocuments();

    UpdateRecentFileMenu();
    UpdateCommandStates();
    UpdateTitle();
    UpdateStatusPanes();
    resize(900, 600);
    // Nothing to type into until a document is open.
    app.EntryEdit()->setEnabled(false);
}

void CMainFrame::WarnSettingsUnread(const QString& path, const QString& reason)
{
    // A pane of its own: the message area is taken over by the balance and the hints.
    const QString text = tr("The settings in %1 could not be read (%2). Changes to them will not be saved, so "
                            "that nothing in the file is lost.").arg(path, reason);
    if (!m_settingsPane) {
        m_settingsPane = new QLabel(statusBar());
        m_settingsPane->setObjectName(QStringLiteral("settingsPane"));
        m_settingsPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->insertPermanentWidget(0, m_settingsPane);
    }
    m_unreadSettings << QFileInfo(path).fileName();
    m_settingsPane->setText(tr("Settings not read: %1").arg(m_unreadSettings.join(QStringLiteral(", "))));
    m_settingsPane->setToolTip(m_settingsPane->toolTip().isEmpty() ? text : m_settingsPane->toolTip() + '\n' + text);
    m_settingsPane->setAccessibleDescription(m_settingsPane->toolTip());
}

void CMainFrame::BuildStatusBar()
{
    // The message pane, then the Caps Lock, Num Lock and Scroll Lock indicators.
    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("statusBar"));
    const char* indicators[] = {"CAP", "NUM", "SCRL"}; // their names; the texts shown are translated
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(status);
        label->setObjectName(QString::fromLatin1(indicators[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(tr("SCRL")) + 12);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setProperty("indicator", QString::fromLatin1(indicators[i]));
        status->addPermanentWidget(label);
        m_indicators[i + 1] = label;
    }
    connect(status, &QStatusBar::messageChanged, this, [status](const QString& text) {
        if (text.isEmpty())
            status->showMessage(tr("Ready"));
    });
    status->showMessage(tr("Ready"));
    m_linesPane = new QLabel(status);
    m_linesPane->setObjectName(QStringLiteral("linesPane"));
    m_linesPane->setVisible(false);
    status->insertPermanentWidget(0, m_linesPane);
    m_zoomPane = new QLabel(status);
    m_zoomPane->setObjectName(QStringLiteral("zoomPane"));
    m_zoomPane->setAlignment(Qt::AlignCenter);
    m_zoomPane->setMinimumWidth(m_zoomPane->fontMetrics().horizontalAdvance(QStringLiteral("800%")) + 12);
    m_zoomPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_zoomPane->setToolTip(tr("Zoom of the equation view"));
    status->insertPermanentWidget(1, m_zoomPane);
    // Balance and reading hints for the line being edited.
    m_chemStatus = new CChemStatus(status);
    status->insertPermanentWidget(0, m_chemStatus);
    m_chemStatus->Follow(m_app.EntryEdit());
    m_caretPane = new QLabel(status);
    m_caretPane->setObjectName(QStringLiteral("caretPane"));
    m_caretPane->setAlignment(Qt::AlignCenter);
    m_caretPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_caretPane->setToolTip(tr("The line of the equation the caret is on"));
    status->insertPermanentWidget(1, m_caretPane);
}

// The entry box edits the active document; the frame follows its text and caret.
void CMainFrame::FollowEntryBox()
{
    connect(m_app.EntryEdit(), &CEntryEdit::lineLimitReached, this, [this] {
        // Said where the user is typing too: the status bar's message pane may be
        // narrow beside the hint and the balance.
        const QString text = tr("An equation has at most %1 lines.").arg(kEquationLines);
        statusBar()->showMessage(text, kLimitMessageMs);
        CEntryEdit* edit = m_app.EntryEdit();
        QToolTip::showText(edit->mapToGlobal(edit->cursorRect().bottomLeft()), text, edit);
        QApplication::beep();
    });
    connect(m_app.EntryEdit(), &CEntryEdit::refilled, this, &CMainFrame::UpdateCaretPane);
    connect(m_app.EntryEdit(), &QPlainTextEdit::textChanged, this, [this] {
        if (m_entryBar->EntryEdit() == m_app.EntryEdit())
            OnEntryChanged();
    });
    connect(m_app.EntryEdit(), &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (m_entryBar->EntryEdit() == m_app.EntryEdit())
            FollowCaret();
    });
}

// The active window and the documents' comings and goings.
void CMainFrame::FollowDocuments()
{
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        // A different document became active: show its text, so that typing never
        // hands one document's text to another.
        if (w)
            ActivateFrame();
        // What the status said was about the other document.
        statusBar()->clearMessage();
        m_app.Documents().SetActive(ActiveDocument());
        UpdateCommandStates();
        UpdateTitle();
        UpdateStatusPanes();
    });
    CDocumentManager& documents = m_app.Documents();
    connect(&documents, &CDocumentManager::recentFilesChanged, this, &CMainFrame::UpdateRecentFileMenu);
    connect(&documents, &CDocumentManager::documentOpened, this, [this](CMolvexDoc& doc) { AddDocumentWindow(doc); });
    connect(&documents, &CDocumentManager::activationRequested, this, &CMainFrame::BringForward);
    connect(&documents, &CDocumentManager::titleChanged, this, [this](CMolvexDoc& doc) {
        if (CDocFrame* f = FrameOf(doc))
            f->UpdateTitle();
        UpdateTitle();
    });
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(m_lockFilter);
    // Document windows go first: each takes its document with it.
    const auto windows = m_mdi->subWindowList();
    for (QMdiSubWindow* w : windows)
        delete w;
}

QLabel* CMainFrame::Indicator(int pane) const { return pane >= 1 && pane <= 3 ? m_indicators[pane] : nullptr; }

CDocFrame* CMainFrame::AddDocumentWindow(CMolvexDoc& doc)
{
    auto* frame = new CDocFrame(m_app.Documents(), m_app.ContainerUpdate(), doc);
    // Maximised, the window keeps its own title bar, so that the main window's title is
    // not rewritten into "main - [document]".
    frame->setStyle(m_docStyle);
    m_mdi->addSubWindow(frame);
    // The size the window returns to when restored from maximised.
    const QSize area = m_mdi->viewport()->size();
    frame->resize(std::max(kRestoredWidth, area.width() * 2 / 3), std::max(kRestoredHeight, area.height() * 2 / 3));
    connect(frame, &QObject::destroyed, this, &CMainFrame::DocumentWindowGone);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates, Qt::WindowStates now) {
        if (now & Qt::WindowMaximized)
            m_arranged = false;
    });
    // After the window's own mark: the title shows the active document's.
    connect(frame->View(), &CMolvexView::modifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(frame->View(), &CMolvexView::characterClicked, this, &CMainFrame::PlaceCaret);
    connect(frame->View(), &CMolvexView::characterHovered, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    connect(frame->View(), &CMolvexView::zoomChanged, this, [this] {
        UpdateStatusPanes();
        FollowCaret();
    });
    frame->showMaximized();
    m_mdi->setActiveSubWindow(frame);
    UpdateCommandStates();
    UpdateTitle();
    // A new or opened document is what the user is about to type into. A window that
    // is not active yet (start-up, another launch) moves the focus when it becomes so.
    m_app.EntryEdit()->setEnabled(true);
    m_focusEntryPending = true;
    if (isActiveWindow())
        FocusEntryIfPending();
    return frame;
}

void CMainFrame::FocusEntryIfPending()
{
    if (!m_focusEntryPending)
        return;
    m_focusEntryPending = false;
    if (m_entryBar->EntryEdit() == m_app.EntryEdit() && ActiveDocFrame())
        m_app.EntryEdit()->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::BringForward(const CMolvexDoc& doc)
{
    if (CDocFrame* f = FrameOf(doc))
        m_mdi->setActiveSubWindow(f);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void CMainFrame::DocumentWindowGone(QObject* frame)
{
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (static_cast<QObject*>(w) != frame)
            return;
    // The last document is gone: the box must not show text that belongs to nobody.
    CEntryEdit* edit = m_app.EntryEdit();
    edit->SetTextQuietly(QString());
    edit->document()->clearUndoRedoStacks();
    edit->setEnabled(false);
    UpdateCommandStates();
    UpdateTitle();
    UpdateStatusPanes();
}

CDocFrame* CMainFrame::FrameOf(const CMolvexDoc& doc) const
{
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (auto* f = qobject_cast<CDocFrame*>(w); f && &f->Document() == &doc)
            return f;
    return nullptr;
}

CDocFrame* CMainFrame::ActiveDocFrame() const
{
    // The current window stays current while another program has the focus.
    return qobject_cast<CDocFrame*>(m_mdi->currentSubWindow());
}

CMolvexDoc* CMainFrame::ActiveDocument() const
{
    CDocFrame* f = ActiveDocFrame();
    return f ? &f->Document() : nullptr;
}

void CMainFrame::ActivateFrame()
{
    QMdiSubWindow* w = m_mdi->currentSubWindow();
    if (!w)
        return;
    // Windows the user cascaded or tiled stay so until one is maximised again.
    if (!w->isMaximized() && !m_arranged)
        w->showMaximized();
    auto* frame = qobject_cast<CDocFrame*>(w);
    if (!frame)
        return;
    CEntryEdit* edit = m_app.EntryEdit();
    m_entryBar->AttachEntryEdit(edit);
    edit->setEnabled(true);
    edit->SetTextQuietly(DocumentTextToEntry(frame->Document().GetEquationText()));
    UpdateStatusPanes();
}

void CMainFrame::OnEntryChanged()
{
    CMolvexDoc* doc = ActiveDocument();
    if (!doc)
        return;
    CEntryEdit* edit = m_app.EntryEdit();
    m_entryBar->AttachEntryEdit(edit);
    doc->SetEquationText(EntryTextToDocument(edit->toPlainText()));
    UpdateStatusPanes();
    FollowCaret();
}

void CMainFrame::PlaceCaret(int line, int position)
{
    CMolvexDoc* doc = ActiveDocument();
    CEntryEdit* edit = m_app.EntryEdit();
    if (!doc || line < 0 || line >= kEquationLines || !edit->isEnabled())
        return;
    // The last line holds the rest of a longer text with its CR LF pairs, one line
    // break each in the box.
    const std::string& text = doc->Lines().texts[static_cast<size_t>(line)];
    int offset = 0;
    for (int i = 0; i < position && i < static_cast<int>(text.size()); ++i)
        if (!(text[static_cast<size_t>(i)] == '\r' && i + 1 < static_cast<int>(text.size()) &&
              text[static_cast<size_t>(i) + 1] == '\n'))
            ++offset;
    const QTextBlock block = edit->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor c(edit->document());
    c.setPosition(std::min(block.position() + offset, edit->document()->characterCount() - 1));
    edit->setTextCursor(c);
    edit->setFocus(Qt::MouseFocusReason);
}

void CMainFrame::UpdateCaretPane()
{
    const CEntryEdit* edit = m_app.EntryEdit();
    const bool shown = ActiveDocFrame() && m_entryBar->EntryEdit() == edit;
    m_caretPane->setVisible(shown);
    if (shown)
        m_caretPane->setText(tr("Line %1 of %2")
                                 .arg(edit->textCursor().blockNumber() + 1)
                                 .arg(std::max(kEquationLines, edit->blockCount())));
}

void CMainFrame::FollowCaret()
{
    UpdateCaretPane();
    if (CDocFrame* f = ActiveDocFrame()) {
        const QTextCursor caret = m_app.EntryEdit()->textCursor();
        // Beyond the last line the text is not typeset: nothing to follow across.
        const bool typeset = caret.blockNumber() < kEquationLines;
        f->View()->EnsureLineVisible(std::min(caret.blockNumber(), kEquationLines - 1),
                                     typeset ? caret.positionInBlock() : -1);
        f->View()->SetCaretLine(std::min(caret.blockNumber(), kEquationLines - 1));
    }
}

void CMainFrame::UpdateStatusPanes()
{
    CDocFrame* f = ActiveDocFrame();
    m_zoomPane->setText(f ? QStringLiteral("%1%").arg(f->View()->Zoom()) : QString());
    UpdateCaretPane();
    // Line 20 holds whatever follows the 19th line break, so its breaks count the rest.
    int lines = 0;
    if (f) {
        const std::string& last = f->Document().Lines().texts[kEquationLines - 1];
        lines = kEquationLines + static_cast<int>(std::count(last.begin(), last.end(), '\n'));
    }
    m_linesPane->setVisible(lines > kEquationLines);
    if (lines > kEquationLines)
        m_linesPane->setText(tr("Only the first %1 of %2 lines are typeset").arg(kEquationLines).arg(lines));
}

void CMainFrame::CopyAsPicture()
{
    if (CMolvexDoc* doc = ActiveDocument())
        CopyEquationAsPicture(*doc, [this](const QString& m) { m_app.showMessage(QStringLiteral("Molvex"), m); });
}

void CMainFrame::ExportActive()
{
    CMolvexDoc* doc = ActiveDocument();
    if (!doc || !m_app.askExport)
        return;
    const std::optional<ExportChoice> choice = m_app.askExport(QFileInfo(m_app.Documents().Title(*doc)).completeBaseName());
    if (!choice)
        return;
    const QString failure = ExportEquation(*doc, choice->path, choice->scale);
    if (!failure.isEmpty())
        m_app.showMessage(tr("Export"), failure);
    else
        statusBar()->showMessage(tr("The picture was written to %1").arg(choice->path), kLimitMessageMs);
}

void CMainFrame::ConnectCommands()
{
    CDocumentManager* docs = &m_app.Documents();
    // Commands on the active document do nothing while there is none.
    const auto onDocument = [this](std::function<void(CMolvexDoc&)> act) {
        return [this, act] {
            if (CMolvexDoc* doc = ActiveDocument())
                act(*doc);
        };
    };
    const auto zoom = [this](void (CMolvexView::*act)()) {
        return [this, act] {
            if (CDocFrame* f = ActiveDocFrame())
                (f->View()->*act)();
        };
    };
    const auto print = [this](CPrinting::Way way) {
        return [this, way] {
            if (CDocFrame* f = ActiveDocFrame())
                m_app.Printing().Print(way, *f->View(), m_app.Documents().Title(f->Document()), this, m_app);
        };
    };
    m_handlers = {
        {cmd::FileNew, [docs] { docs->New(); }},
        {cmd::FileOpen, [docs] { docs->OpenAsked(); }},
        {cmd::FileSave, onDocument([docs](CMolvexDoc& d) { docs->Save(d, false); })},
        {cmd::FileSaveAs, onDocument([docs](CMolvexDoc& d) { docs->Save(d, true); })},
        {cmd::FileClose,
         [this] {
             if (CDocFrame* f = ActiveDocFrame())
                 f->close();
         }},
        {cmd::FileExport, [this] { ExportActive(); }},
        {cmd::FilePrint, print(CPrinting::Way::Ask)},
        {cmd::FilePrintDirect, print(CPrinting::Way::Direct)},
        {cmd::FilePrintPreview, print(CPrinting::Way::Preview)},
        {cmd::AppExit, [this] { close(); }},
        {cmd::CopyAsPicture, [this] { CopyAsPicture(); }},
        {cmd::ViewToolbar, [this] { m_toolBar->setVisible(m_commands->Action(cmd::ViewToolbar)->isChecked()); }},
        {cmd::ViewStatusBar, [this] { statusBar()->setVisible(m_commands->Action(cmd::ViewStatusBar)->isChecked()); }},
        {cmd::ZoomIn, zoom(&CMolvexView::ZoomIn)},
        {cmd::ZoomOut, zoom(&CMolvexView::ZoomOut)},
        {cmd::ZoomActual,
         [this] {
             if (CDocFrame* f = ActiveDocFrame())
                 f->View()->SetZoom(100);
         }},
        {cmd::WindowCascade,
         [this] {
             m_arranged = true;
             m_mdi->cascadeSubWindows();
         }},
        {cmd::WindowTile,
         [this] {
             m_arranged = true;
             m_mdi->tileSubWindows();
         }},
        {cmd::WindowNext, [this] { m_mdi->activateNextSubWindow(); }},
        {cmd::WindowPrevious, [this] { m_mdi->activatePreviousSubWindow(); }},
        {cmd::ContextHelp, [] { QWhatsThis::enterWhatsThisMode(); }},
        // Document windows have a single pane.
        {cmd::NextPane, [] {}},
        {cmd::PrevPane, [] {}},
    };
    for (int id : {cmd::EditUndo, cmd::EditRedo, cmd::EditCut, cmd::EditCopy, cmd::EditPaste})
        m_handlers[id] = [this, id] { RunEditCommand(m_app.EntryEdit(), id); };
    for (int id : {cmd::Font, cmd::FontToolbar})
        m_handlers[id] = onDocument([this](CMolvexDoc& d) { RunFontCommand(d, m_app.State(), this); });
    for (int id : {cmd::Options, cmd::OptionsToolbar})
        m_handlers[id] = onDocument([this](CMolvexDoc& d) { RunOptionsCommand(d, m_app.State(), this); });

    for (const auto& [id, action] : m_commands->Actions())
        ConnectAction(id, action);
    // Actions a frame gets later (the equation server's menus) are connected as well.
    connect(m_commands, &CCommandSet::actionCreated, this, &CMainFrame::ConnectAction);
}

void CMainFrame::ConnectAction(int id, QAction* action)
{
    const auto it = m_handlers.find(id);
    if (it != m_handlers.end())
        connect(action, &QAction::triggered, this, it->second);
    else // the lists' anchors and the application's commands
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
}

void CMainFrame::OpenRecentFile(int i)
{
    const QStringList files = m_app.Documents().RecentFiles();
    if (i >= 0 && i < files.size())
        m_app.Documents().Open(files[i]);
}

void CMainFrame::OnCommand(int id)
{
    if (const auto it = m_handlers.find(id); it != m_handlers.end())
        it->second();
    else if (id >= cmd::WindowListFirst && id < cmd::WindowListFirst + cmd::WindowListCount)
        ActivateListedWindow(id);
    else if (id >= cmd::FileMruFirst && id < cmd::FileMruFirst + cmd::FileMruCount)
        OpenRecentFile(id - cmd::FileMruFirst);
    else
        m_app.OnAppCommand(id, this);
}

void CMainFrame::UpdateRecentFileMenu()
{
    QMenu* menu = nullptr;
    if (m_recentAnchor && !m_recentAnchor->associatedObjects().isEmpty())
        menu = qobject_cast<QMenu*>(m_recentAnchor->associatedObjects().constFirst());
    for (QAction* a : m_recentActions)
        delete a;
    m_recentActions.clear();
    if (!menu)
        return;
    const QStringList files = m_app.Documents().RecentFiles();
    for (int i = 0; i < files.size() && i < cmd::FileMruCount; ++i) {
        QString shown = files[i];
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        const int id = cmd::FileMruFirst + i;
        a->setData(id);
        a->setStatusTip(StatusPrompt(id));
        connect(a, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        menu->insertAction(m_recentAnchor, a);
        m_recentActions << a;
    }
    // The grey placeholder shows only while the list is empty.
    m_recentAnchor->setVisible(files.isEmpty());
}

void CMainFrame::ActivateListedWindow(int id)
{
    const auto windows = m_mdi->subWindowList();
    const int i = id - cmd::WindowListFirst;
    if (i >= 0 && i < windows.size())
        m_mdi->setActiveSubWindow(windows[i]);
}

void CMainFrame::UpdateWindowMenu()
{
    QAction* anchor = m_commands->Has(cmd::WindowListFirst) ? m_commands->Action(cmd::WindowListFirst) : nullptr;
    QMenu* menu = CCommandSet::MenuOf(anchor);
    // Activation changes arrive while Qt walks the window's children (hiding, closing):
    // the old entries leave the menu now and are deleted later, never in that walk.
    for (QAction* a : m_windowActions) {
        for (QObject* o : a->associatedObjects())
            if (auto* w = qobject_cast<QWidget*>(o))
                w->removeAction(a);
        a->deleteLater();
    }
    m_windowActions.clear();
    if (!menu)
        return;
    const auto windows = m_mdi->subWindowList();
    QMdiSubWindow* current = m_mdi->currentSubWindow();
    for (int i = 0; i < windows.size() && i < cmd::WindowListCount; ++i) {
        auto* f = qobject_cast<CDocFrame*>(windows[i]);
        if (!f)
            continue;
        QString shown = m_app.Documents().Title(f->Document());
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        if (f->Document().IsModified())
            shown += QLatin1Char('*');
        auto* a = new QAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(shown) : shown, menu);
        const int id = cmd::WindowListFirst + i;
        a->setData(id);
        a->setCheckable(true);
        a->setChecked(windows[i] == current);
        a->setStatusTip(StatusPrompt(id));
        connect(a, &QAction::triggered, this, [this, id] { ActivateListedWindow(id); });
        menu->insertAction(anchor, a);
        m_windowActions << a;
    }
}

void CMainFrame::UpdateCommandStates()
{
    const bool hasDoc = ActiveDocument() != nullptr;
    for (int id : {cmd::FileSave, cmd::FileSaveAs, cmd::FileExport, cmd::FilePrint, cmd::FilePrintPreview, cmd::Font,
                   cmd::FontToolbar, cmd::Options, cmd::OptionsToolbar, cmd::ZoomIn, cmd::ZoomOut, cmd::ZoomActual,
                   cmd::WindowCascade, cmd::WindowTile, cmd::WindowNext, cmd::WindowPrevious})
        m_commands->Action(id)->setEnabled(hasDoc);
}

void CMainFrame::UpdateTitle()
{
    // The desktop's form: the document with its modified mark; the platform adds the
    // application's name once (the display name), and shows it alone without one.
    CMolvexDoc* doc = ActiveDocument();
    setWindowTitle(doc ? m_app.Documents().Title(*doc) + QStringLiteral("[*]") : QStringLiteral("Molvex 2"));
    setWindowModified(doc && doc->IsModified());
    UpdateWindowMenu();
}

bool CMainFrame::event(QEvent* e)
{
    const bool result = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate) {
        ActivateFrame();
        FocusEntryIfPending();
    }
    return result;
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The hint may take up to this share of the window, and keeps the rest of the
    // status bar for the messages and panes.
    m_chemStatus->SetHintRoom(width() * 35 / 100);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_app.Documents().QueryCloseAll()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

namespace {

QStringList LocalFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    for (const QString& f : files)
        m_app.Documents().Open(f);
}

