#include "shell/CommandTables.h"
#include "shell/ShellResources.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include "shell/CommandIds.h"

namespace {

// Standard framework commands keep the framework's own prompts.
const CommandInfo kCommands[] = {
    {cmd::FileNew, "&New\tCtrl+N", "Create a new document\nNew", ":/icons/new.svg"},
    {cmd::FileOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen", ":/icons/open.svg"},
    {cmd::FileClose, "&Close", "Close the active document\nClose", nullptr},
    {cmd::FileSave, "&Save\tCtrl+S", "Save the active document\nSave", ":/icons/save.svg"},
    {cmd::FileSaveAs, "Save &As...", "Save the active document with a new name\nSave As", nullptr},
    {cmd::FilePrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", nullptr},
    {cmd::FilePrint, "&Print...\tCtrl+P", "Print the active document\nPrint", ":/icons/print.svg"},
    {cmd::FilePrintDirect, "", "Print the active document using current options\nQuick Print", nullptr},
    {cmd::FilePrintPreview, "Print Pre&view", "Display full pages\nPrint Preview", nullptr},
    {cmd::FileUpdate, "&Update\tCtrl+S", "Update the container to show any changes\nUpdate", nullptr},
    {cmd::FileSaveCopyAs, "Save Copy &As...", "Save a copy of the active document with a new name\nSave Copy",
     nullptr},
    {cmd::AppExit, "E&xit", "Quit the application; prompts to save documents\nExit", nullptr},
    {cmd::EditUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo", nullptr},
    {cmd::EditRedo, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo", nullptr},
    {cmd::EditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut", ":/icons/cut.svg"},
    {cmd::EditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", ":/icons/copy.svg"},
    {cmd::EditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", ":/icons/paste.svg"},
    {cmd::CopyAsPicture, "Copy as Picture\tCtrl+M", "Copies Equation to Clipboard as a Picture",
     ":/icons/picture.svg"},
    {cmd::ViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", nullptr},
    {cmd::ViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", nullptr},
    {cmd::CancelInPlace, "", "", nullptr},
    {cmd::ZoomIn, "Zoom &In\tCtrl++", "Show the equation larger\nZoom In", nullptr},
    {cmd::ZoomOut, "Zoom &Out\tCtrl+-", "Show the equation smaller\nZoom Out", nullptr},
    {cmd::ZoomActual, "&Actual Size\tCtrl+0", "Show the equation at its actual size\nActual Size", nullptr},
    {cmd::WindowCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows", nullptr},
    {cmd::WindowTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", nullptr},
    {cmd::WindowNext, "Ne&xt\tCtrl+F6", "Activate the next document window\nNext Window", nullptr},
    {cmd::WindowPrevious, "Pre&vious\tCtrl+Shift+F6", "Activate the previous document window\nPrevious Window",
     nullptr},
    {cmd::Font, "&Font ...", "Select font used for equations", nullptr},
    {cmd::FontToolbar, "", "Change the Default Font", ":/icons/font.svg"},
    {cmd::Options, "&Options ...", "Set options for drawing equations", nullptr},
    {cmd::OptionsToolbar, "", "Change the Equation Options", ":/icons/options.svg"},
    {cmd::AdjustLevel, "&Adjust Level ...", "Adjust the level when returned to a document", nullptr},
    {cmd::WriteDefaultConfig, "Write Default Configuration File",
     "Writes the default configuration file for all users", nullptr},
    {cmd::ReadHelpFile, "Read &Help File", "Open the help file\nHelp File", nullptr},
    {cmd::ReadManual, "Read &Manual (PDF)", "Open the manual\nManual", nullptr},
    {cmd::ReadQuickrefCard, "Read &Quickref Card", "Open the quick reference card\nQuickref Card", nullptr},
    {cmd::AppAbout, "&About Molvex 2...", "Display program information, version number and copyright\nAbout",
     ":/icons/about.svg"},
    {cmd::AboutTamrel, "About &Tamrel...", "How to contact Tamrel Software\nContact", nullptr},
    {cmd::HelpIndex, "", "List Help topics\nHelp Topics", nullptr},
    {cmd::ContextHelp, "", "Display help for clicked on buttons, menus and windows\nHelp", nullptr},
    {cmd::Help, "", "Display help for current task or command\nHelp", nullptr},
    {cmd::HelpUsing, "", "Display instructions about how to use help\nHelp", nullptr},
    {cmd::NextPane, "", "Switch to the next window pane\nNext Pane", nullptr},
    {cmd::PrevPane, "", "Switch back to the previous window pane\nPrevious Pane", nullptr},
};

MenuEntry Cmd(int id) { return {MenuEntryKind::Command, id}; }
MenuEntry Sep() { return {MenuEntryKind::Separator, 0}; }

} // namespace

const CommandInfo* FindCommand(int id)
{
    if (id >= cmd::FileMruFirst && id < cmd::FileMruFirst + cmd::FileMruCount) {
        static const CommandInfo mru{cmd::FileMruFirst, "Recent File", "Open this document", nullptr};
        return &mru;
    }
    if (id >= cmd::WindowListFirst && id < cmd::WindowListFirst + cmd::WindowListCount) {
        static const CommandInfo window{cmd::WindowListFirst, "", "Activate this window", nullptr};
        return &window;
    }
    for (const CommandInfo& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

QString StatusPrompt(int id)
{
    const CommandInfo* c = FindCommand(id);
    if (!c)
        return {};
    const QString p = QString::fromUtf8(c->prompt);
    return p.section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipText(int id)
{
    const CommandInfo* c = FindCommand(id);
    if (!c)
        return {};
    const QString p = QString::fromUtf8(c->prompt);
    const int nl = p.indexOf(QLatin1Char('\n'));
    return nl >= 0 ? p.mid(nl + 1) : p;
}

const MenuTable& MainMenuTable()
{
    static const MenuTable table = {
        {"&File",
         {Cmd(cmd::FileNew), Cmd(cmd::FileOpen), Cmd(cmd::FileSave), Cmd(cmd::FileSaveAs), Sep(),
          Cmd(cmd::FilePrint), Cmd(cmd::FilePrintPreview), Cmd(cmd::FilePrintSetup), Sep(),
          {MenuEntryKind::RecentFiles, cmd::FileMruFirst}, Sep(), Cmd(cmd::AppExit)}},
        {"&Edit", {Cmd(cmd::EditUndo), Cmd(cmd::EditRedo), Sep(), Cmd(cmd::EditCut), Cmd(cmd::EditCopy), Cmd(cmd::EditPaste), Sep(),
                   Cmd(cmd::CopyAsPicture)}},
        {"&View", {Cmd(cmd::ViewToolbar), Cmd(cmd::ViewStatusBar), Sep(), Cmd(cmd::ZoomIn), Cmd(cmd::ZoomOut),
                   Cmd(cmd::ZoomActual)}},
        {"&Tools", {Cmd(cmd::Font), Cmd(cmd::Options), Cmd(cmd::AdjustLevel), Cmd(cmd::WriteDefaultConfig)}},
        {"&Window", {Cmd(cmd::WindowCascade), Cmd(cmd::WindowTile), Sep(), Cmd(cmd::WindowNext),
                     Cmd(cmd::WindowPrevious), Sep(), {MenuEntryKind::WindowList, cmd::WindowListFirst}}},
        {"&Help", {Cmd(cmd::ReadHelpFile), Cmd(cmd::ReadManual), Cmd(cmd::ReadQuickrefCard), Sep(),
                   Cmd(cmd::AppAbout), Cmd(cmd::AboutTamrel)}},
    };
    return table;
}

const ToolbarTable& MainToolbarTable()
{
    static const ToolbarTable table = {cmd::FileNew,       cmd::FileOpen,    cmd::FileSave,       0,
                                       cmd::EditCut,       cmd::EditCopy,    cmd::EditPaste,      0,
                                       cmd::FilePrint,     cmd::FontToolbar, cmd::OptionsToolbar, cmd::CopyAsPicture,
                                       cmd::AppAbout};
    return table;
}

const AccelTable& MainAccelTable()
{
    static const AccelTable table = {
        {Qt::CTRL | Qt::Key_C, cmd::EditCopy},
        {Qt::CTRL | Qt::Key_X, cmd::EditCut},
        {Qt::CTRL | Qt::Key_V, cmd::EditPaste},
        {Qt::CTRL | Qt::Key_Z, cmd::EditUndo},
        {Qt::CTRL | Qt::Key_Y, cmd::EditRedo},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, cmd::EditRedo},
        {Qt::ALT | Qt::Key_Backspace, cmd::EditUndo},
        {Qt::SHIFT | Qt::Key_Delete, cmd::EditCut},
        {Qt::CTRL | Qt::Key_Insert, cmd::EditCopy},
        {Qt::SHIFT | Qt::Key_Insert, cmd::EditPaste},
        {Qt::CTRL | Qt::Key_M, cmd::CopyAsPicture},
        {Qt::CTRL | Qt::Key_N, cmd::FileNew},
        {Qt::CTRL | Qt::Key_O, cmd::FileOpen},
        {Qt::CTRL | Qt::Key_S, cmd::FileSave},
        {Qt::CTRL | Qt::Key_P, cmd::FilePrint},
        {QKeyCombination(Qt::Key_F1), cmd::Help},
        {Qt::SHIFT | Qt::Key_F1, cmd::ContextHelp},
        {QKeyCombination(Qt::Key_F6), cmd::NextPane},
        {Qt::SHIFT | Qt::Key_F6, cmd::PrevPane},
        {Qt::CTRL | Qt::Key_Plus, cmd::ZoomIn},
        {Qt::CTRL | Qt::Key_Equal, cmd::ZoomIn}, // the plus key without Shift
        {Qt::CTRL | Qt::Key_Minus, cmd::ZoomOut},
        {Qt::CTRL | Qt::Key_0, cmd::ZoomActual},
        {Qt::CTRL | Qt::Key_F6, cmd::WindowNext},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_F6, cmd::WindowPrevious},
    };
    return table;
}

CCommandSet::CCommandSet(QWidget* owner) : QObject(owner), m_owner(owner) { InitShellResources(); }

QAction* CCommandSet::Action(int id)
{
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(m_owner);
    if (const CommandInfo* c = FindCommand(id)) {
        action->setText(QString::fromUtf8(c->text));
        action->setStatusTip(StatusPrompt(id));
        action->setToolTip(ToolTipText(id));
        if (c->icon)
            action->setIcon(QIcon(QString::fromUtf8(c->icon)));
    }
    action->setData(id);
    // Keys apply while any widget of the frame has the focus, the entry box included.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
    m_actions.emplace(id, action);
    return action;
}

void CCommandSet::BuildMenuBar(QMenuBar* bar, const MenuTable& table, QAction** recentAnchor)
{
    for (const MenuPopup& popup : table) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(popup.title));
        for (const MenuEntry& e : popup.entries) {
            switch (e.kind) {
            case MenuEntryKind::Command:
                menu->addAction(Action(e.id));
                break;
            case MenuEntryKind::Separator:
                menu->addSeparator();
                break;
            case MenuEntryKind::RecentFiles: {
                QAction* anchor = Action(e.id);
                anchor->setEnabled(false);
                menu->addAction(anchor);
                if (recentAnchor)
                    *recentAnchor = anchor;
                break;
            }
            case MenuEntryKind::WindowList: {
                // The frame fills the list in front of this hidden anchor.
                QAction* anchor = Action(e.id);
                anchor->setVisible(false);
                menu->addAction(anchor);
                break;
            }
            case MenuEntryKind::GroupMarker:
                // Places where a container merges its own menus; nothing of ours.
                break;
            }
        }
    }
}

QMenu* CCommandSet::MenuOf(QAction* anchor)
{
    if (!anchor)
        return nullptr;
    for (QObject* o : anchor->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o))
            return menu;
    return nullptr;
}

void CCommandSet::BuildToolBar(QToolBar* bar, const ToolbarTable& table)
{
    for (int id : table) {
        if (id == 0)
            bar->addSeparator();
        else
            bar->addAction(Action(id));
    }
}

void CCommandSet::ApplyAccelerators(const AccelTable& table)
{
    std::map<int, QList<QKeySequence>> keys;
    for (const AccelEntry& a : table)
        keys[a.id].append(QKeySequence(a.key));
    for (const auto& [id, list] : keys) {
        const bool existed = Has(id);
        QAction* action = Action(id);
        action->setShortcuts(list);
        if (!existed || action->associatedObjects().isEmpty())
            m_owner->addAction(action);
    }
}
