#include "shell/InPlaceFrame.h"

#include "shell/QtApplication.h"
#include "document/MolvexDoc.h"
#include "shell/CommandIds.h"
#include "shell/CommandTables.h"
#include "shell/EntryEdit.h"
#include "shell/EquationCommands.h"
#include "shell/MainFrame.h"
#include "shell/ShellHost.h"
#include "shell/MolvexView.h"
#include "shell/FontCommand.h"
#include "shell/OptionsDialog.h"
#include "platform/QtClipboard.h"
#include "platform/QtDeviceContext.h"
#include "shell/ServerTables.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdlib>
#include <limits>
#include <xcb/xcb.h>

CInPlaceFrame::CInPlaceFrame(IShellHost& app, CMolvexDoc& doc, QObject* parent)
    : QObject(parent), m_app(app), m_doc(doc)
{
}

CInPlaceFrame::~CInPlaceFrame()
{
    // The entry box belongs to the application; take it back before the bar goes.
    if (m_entryBar)
        m_entryBar->DetachEntryEdit();
    if (m_app.MainFrame() && m_app.EntryEdit())
        m_app.MainFrame()->EntryBar()->AttachEntryEdit(m_app.EntryEdit());
    m_bars.reset();
    m_viewHost.reset();
}

CMolvexView* CInPlaceFrame::View() const { return m_view; }

namespace {
// Qt takes any number as a foreign window, so ask the X server whether it names one.
bool IsX11Window(quint64 id)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || id == 0 || id > std::numeric_limits<xcb_window_t>::max())
        return false;
    xcb_connection_t* connection = x11->connection();
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, static_cast<xcb_window_t>(id)), &error);
    const bool exists = reply != nullptr;
    std::free(reply);
    std::free(error);
    return exists;
}
} // namespace

bool CInPlaceFrame::Activate(quint64 containerFrame, quint64 objectArea)
{
    if (!IsX11Window(containerFrame) || !IsX11Window(objectArea))
        return false;
    m_frameWindow.reset(QWindow::fromWinId(static_cast<WId>(containerFrame)));
    m_objectWindow.reset(QWindow::fromWinId(static_cast<WId>(objectArea)));
    if (!m_frameWindow || !m_objectWindow)
        return false;

    m_bars = std::make_unique<QWidget>();
    m_bars->setObjectName(QStringLiteral("inPlaceBars"));
    auto* layout = new QVBoxLayout(m_bars.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_commands = new CCommandSet(m_bars.get());
    m_toolBar = new QToolBar(m_bars.get());
    m_toolBar->setMovable(false);
    m_commands->BuildToolBar(m_toolBar, InPlaceToolbarTable());
    m_commands->ApplyAccelerators(InPlaceAccelTable());
    layout->addWidget(m_toolBar);
    m_entryBar = new CEntryBar(m_bars.get());
    m_entryBar->setMovable(false);
    layout->addWidget(m_entryBar);

    CEntryEdit* edit = m_app.EntryEdit();
    if (edit) {
        m_entryBar->AttachEntryEdit(edit);
        edit->SetTextQuietly(DocumentTextToEntry(m_doc.GetEquationText()));
        connect(edit, &QPlainTextEdit::textChanged, this, [this, edit] {
            if (m_entryBar && m_entryBar->EntryEdit() == edit)
                m_doc.SetEquationText(EntryTextToDocument(edit->toPlainText()));
        });
    }
    connect(m_commands, &CCommandSet::commandTriggered, this, &CInPlaceFrame::OnCommand);

    // Native children of the container's windows: the widgets get windows of their
    // own, which are then reparented under the foreign ones.
    m_bars->winId();
    m_bars->windowHandle()->setParent(m_frameWindow.get());
    m_bars->move(0, 0);
    m_bars->resize(std::max(m_frameWindow->width(), m_bars->sizeHint().width()), m_bars->sizeHint().height());
    m_bars->show();

    m_viewHost = std::make_unique<QWidget>();
    m_viewHost->setObjectName(QStringLiteral("inPlaceView"));
    auto* viewLayout = new QVBoxLayout(m_viewHost.get());
    viewLayout->setContentsMargins(0, 0, 0, 0);
    m_view = new CMolvexView(m_doc, &m_app.ContainerUpdate(), m_viewHost.get());
    m_view->SetInPlaceActive(true);
    viewLayout->addWidget(m_view);
    // Esc reaches the view's window too when the container gives it the focus.
    m_viewCommands = new CCommandSet(m_viewHost.get());
    m_viewCommands->ApplyAccelerators(InPlaceAccelTable());
    connect(m_viewCommands, &CCommandSet::commandTriggered, this, &CInPlaceFrame::OnCommand);
    m_viewHost->winId();
    m_viewHost->windowHandle()->setParent(m_objectWindow.get());
    m_viewHost->move(0, 0);
    m_viewHost->resize(std::max(1, m_objectWindow->width()), std::max(1, m_objectWindow->height()));
    m_viewHost->show();

    FocusEntry();
    return true;
}

void CInPlaceFrame::FocusEntry()
{
    if (CEntryEdit* edit = m_app.EntryEdit())
        edit->setFocus();
}

void CInPlaceFrame::OnCommand(int id)
{
    CEntryEdit* edit = m_app.EntryEdit();
    switch (id) {
    case cmd::CancelInPlace: emit deactivateRequested(); break;
    case cmd::EditUndo:
    case cmd::EditRedo:
    case cmd::EditCut:
    case cmd::EditCopy:
    case cmd::EditPaste: RunEditCommand(edit, id); break;
    // Font, Options and Copy as Picture act on the embedded document itself, which
    // has no window of its own in the main frame.
    case cmd::Font:
    case cmd::FontToolbar: RunFontCommand(m_doc, m_app.State(), nullptr); break;
    case cmd::Options:
    case cmd::OptionsToolbar: RunOptionsCommand(m_doc, m_app.State(), nullptr); break;
    case cmd::CopyAsPicture:
        CopyEquationAsPicture(m_doc, [this](const QString& m) {
            if (m_app.showMessage)
                m_app.showMessage(QStringLiteral("Molvex"), m);
        });
        break;
    default:
        // About and help work as in the program's own window.
        if (m_app.MainFrame())
            m_app.MainFrame()->OnCommand(id);
        break;
    }
}
