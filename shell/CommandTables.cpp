#include "shell/CommandTables.h"
#include "shell/ShellResources.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include "shell/CommandIds.h"

namespace {

// Standard framework commands keep the framework's own prompts. The texts are marked for
// translation here and translated where the actions are made.
const CommandInfo kCommands[] = {
    {cmd::FileNew, QT_TRANSLATE_NOOP("Commands", "&New\tCtrl+N"), QT_TRANSLATE_NOOP("Commands", "Create a new document\nNew"), ":/icons/new.svg"},
    {cmd::FileOpen, QT_TRANSLATE_NOOP("Commands", "&Open...\tCtrl+O"), QT_TRANSLATE_NOOP("Commands", "Open an existing document\nOpen"), ":/icons/open.svg"},
    {cmd::FileClose, QT_TRANSLATE_NOOP("Commands", "&Close"), QT_TRANSLATE_NOOP("Commands", "Close the active document\nClose"), nullptr},
    {cmd::FileSave, QT_TRANSLATE_NOOP("Commands", "&Save\tCtrl+S"), QT_TRANSLATE_NOOP("Commands", "Save the active document\nSave"), ":/icons/save.svg"},
    {cmd::FileSaveAs, QT_TRANSLATE_NOOP("Commands", "Save &As..."), QT_TRANSLATE_NOOP("Commands", "Save the active document with a new name\nSave As"), nullptr},
    {cmd::FileExport, QT_TRANSLATE_NOOP("Commands", "&Export..."), QT_TRANSLATE_NOOP("Commands", "Write the equation as a picture file: PNG, SVG, PDF or WMF\nExport"), nullptr},
    {cmd::FilePrintSetup, QT_TRANSLATE_NOOP("Commands", "P&rint Setup..."), QT_TRANSLATE_NOOP("Commands", "Change the printer and printing options\nPrint Setup"), nullptr},
    {cmd::FilePrint, QT_TRANSLATE_NOOP("Commands", "&Print...\tCtrl+P"), QT_TRANSLATE_NOOP("Commands", "Print the active document\nPrint"), ":/icons/print.svg"},
    {cmd::FilePrintDirect, "", QT_TRANSLATE_NOOP("Commands", "Print the active document using current options\nQuick Print"), nullptr},
    {cmd::FilePrintPreview, QT_TRANSLATE_NOOP("Commands", "Print Pre&view"), QT_TRANSLATE_NOOP("Commands", "Display full pages\nPrint Preview"), nullptr},
    {cmd::FileUpdate, QT_TRANSLATE_NOOP("Commands", "&Update\tCtrl+S"), QT_TRANSLATE_NOOP("Commands", "Update the container to show any changes\nUpdate"), nullptr},
    {cmd::FileSaveCopyAs, QT_TRANSLATE_NOOP("Commands", "Save Copy &As..."), QT_TRANSLATE_NOOP("Commands", "Save a copy of the active document with a new name\nSave Copy"),
     nullptr},
    {cmd::AppExit, QT_TRANSLATE_NOOP("Commands", "E&xit"), QT_TRANSLATE_NOOP("Commands", "Quit the application; prompts to save documents\nExit"), nullptr},
    {cmd::EditUndo, QT_TRANSLATE_NOOP("Commands", "&Undo\tCtrl+Z"), QT_TRANSLATE_NOOP("Commands", "Undo the last action\nUndo"), nullptr},
    {cmd::EditRedo, QT_TRANSLATE_NOOP("Commands", "&Redo\tCtrl+Y"), QT_TRANSLATE_NOOP("Commands", "Redo the previously undone action\nRedo"), nullptr},
    {cmd::EditCut, QT_TRANSLATE_NOOP("Commands", "Cu&t\tCtrl+X"), QT_TRANSLATE_NOOP("Commands", "Cut the selection and put it on the Clipboard\nCut"), ":/icons/cut.svg"},
    {cmd::EditCopy, QT_TRANSLATE_NOOP("Commands", "&Copy\tCtrl+C"), QT_TRANSLATE_NOOP("Commands", "Copy the selection and put it on the Clipboard\nCopy"), ":/icons/copy.svg"},
    {cmd::EditPaste, QT_TRANSLATE_NOOP("Commands", "&Paste\tCtrl+V"), QT_TRANSLATE_NOOP("Commands", "Insert Clipboard contents\nPaste"), ":/icons/paste.svg"},
    {cmd::CopyAsPicture, QT_TRANSLATE_NOOP("Commands", "Copy as Picture\tCtrl+M"), QT_TRANSLATE_NOOP("Commands", "Copies Equation to Clipboard as a Picture"),
     ":/icons/picture.svg"},
    {cmd::ViewToolbar, QT_TRANSLATE_NOOP("Commands", "&Toolbar"), QT_TRANSLATE_NOOP("Commands", "Show or hide the toolbar\nToggle ToolBar"), nullptr},
    {cmd::ViewStatusBar, QT_TRANSLATE_NOOP("Commands", "&Status Bar"), QT_TRANSLATE_NOOP("Commands", "Show or hide the status bar\nToggle StatusBar"), nullptr},
    {cmd::CancelInPlace, "", "", nullptr},
    {cmd::ZoomIn, QT_TRANSLATE_NOOP("Commands", "Zoom &In\tCtrl++"), QT_TRANSLATE_NOOP("Commands", "Show the equation larger\nZoom In"), nullptr},
    {cmd::ZoomOut, QT_TRANSLATE_NOOP("Commands", "Zoom &Out\tCtrl+-"), QT_TRANSLATE_NOOP("Commands", "Show the equation smaller\nZoom Out"), nullptr},
    {cmd::ZoomActual, QT_TRANSLATE_NOOP("Commands", "&Actual Size\tCtrl+0"), QT_TRANSLATE_NOOP("Commands", "Show the equation at its actual size\nActual Size"), nullptr},
    {cmd::WindowCascade, QT_TRANSLATE_NOOP("Commands", "&Cascade"), QT_TRANSLATE_NOOP("Commands", "Arrange windows so they overlap\nCascade Windows"), nullptr},
    {cmd::WindowTile, QT_TRANSLATE_NOOP("Commands", "&Tile"), QT_TRANSLATE_NOOP("Commands", "Arrange windows as non-overlapping tiles\nTile Windows"), nullptr},
    {cmd::WindowNext, QT_TRANSLATE_NOOP("Commands", "Ne&xt\tCtrl+F6"), QT_TRANSLATE_NOOP("Commands", "Activate the next document window\nNext Window"), nullptr},
    {cmd::WindowPrevious, QT_TRANSLATE_NOOP("Commands", "Pre&vious\tCtrl+Shift+F6"), QT_TRANSLATE_NOOP("Commands", "Activate the previous document window\nPrevious Window"),
     nullptr},
    {cmd::Font, QT_TRANSLATE_NOOP("Commands", "&Font ..."), QT_TRANSLATE_NOOP("Commands", "Select font used for equations"), nullptr},
    {cmd::FontToolbar, "", QT_TRANSLATE_NOOP("Commands", "Change the Default Font"), ":/icons/font.svg"},
    {cmd::Options, QT_TRANSLATE_NOOP("Commands", "&Options ..."), QT_TRANSLATE_NOOP("Commands", "Set options for drawing equations"), nullptr},
    {cmd::OptionsToolbar, "", QT_TRANSLATE_NOOP("Commands", "Change the Equation Options"), ":/icons/options.svg"},
    {cmd::AdjustLevel, QT_TRANSLATE_NOOP("Commands", "&Adjust Level ..."), QT_TRANSLATE_NOOP("Commands", "Adjust the level when returned to a document"), nullptr},
    {cmd::WriteDefaultConfig, QT_TRANSLATE_NOOP("Commands", "Write Default Configuration File"),
     QT_TRANSLATE_NOOP("Commands", "Writes the default configuration file for all users"), nullptr},
    {cmd::ReadHelpFile, QT_TRANSLATE_NOOP("Commands", "Read &Help File"), QT_TRANSLATE_NOOP("Commands", "Open the help file\nHelp File"), nullptr},
    {cmd::ReadManual, QT_TRANSLATE_NOOP("Commands", "Read &Manual (PDF)"), QT_TRANSLATE_NOOP("Commands", "Open the manual\nManual"), nullptr},
    {cmd::ReadQuickrefCard, QT_TRANSLATE_NOOP("Commands", "Read &Quickref Card"), QT_TRANSLATE_NOOP("Commands", "Open the quick reference card\nQuickref Card"), nullptr},
    {cmd::AppAbout, QT_TRANSLATE_NOOP("Commands", "&About Molvex 2..."), QT_TRANSLATE_NOOP("Commands", "Display program information, version number and copyright\nAbout"),
     ":/icons/about.svg"},
    {cmd::AboutTamrel, QT_TRANSLATE_NOOP("Commands", "About &Tamrel..."), QT_TRANSLATE_NOOP("Commands", "How to contact Tamrel Software\nContact"), nullptr},
    {cmd::HelpIndex, "", QT_TRANSLATE_NOOP("Commands", "List Help topics\nHelp Topics"), nullptr},
    {cmd::ContextHelp, "", QT_TRANSLATE_NOOP("Commands", "Display help for clicked on buttons, menus and windows\nHelp"), nullptr},
    {cmd::Help, "", QT_TRANSLATE_NOOP("Commands", "Display help for current task or command\nHelp"), nullptr},
    {cmd::HelpUsing, "", QT_TRANSLATE_NOOP("Commands", "Display instructions about how to use help\nHelp"), nullptr},
    {cmd::NextPane, "", QT_TRANSLATE_NOOP("Commands", "Switch to the next window pane\nNext Pane"), nullptr},
    {cmd::PrevPane, "", QT_TRANSLATE_NOOP("Commands", "Switch back to the previous window pane\nPrevious Pane"), nullptr},
};

MenuEntry Cmd(int id) { return {MenuEntryKind::Command, id}; }
MenuEntry Sep() { return {MenuEntryKind::Separator, 0}; }

} // namespace

QString Translated(const char* text)
{
    return *text ? QCoreApplication::translate("Commands", text) : QString();
}

const CommandInfo* FindCommand(int id)
{
    if (id >= cmd::FileMruFirst && id < cmd::FileMruFirst + cmd::FileMruCount) {
        static const CommandInfo mru{cmd::FileMruFirst, QT_TRANSLATE_NOOP("Commands", "Recent File"),
                                     QT_TRANSLATE_NOOP("Commands", "Open this document"), nullptr};
        return &mru;
    }
    if (id >= cmd::WindowListFirst && id < cmd::WindowListFirst + cmd::WindowListCount) {
        static const CommandInfo window{cmd::WindowListFirst, "", QT_TRANSLATE_NOOP("Commands", "Activate this window"),
                                        nullptr};
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
    const QString p = Translated(c->prompt);
    return p.section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipText(int id)
{
    const CommandInfo* c = FindCommand(id);
    if (!c)
        return {};
    const QString p = Translated(c->prompt);
    const int nl = p.indexOf(QLatin1Char('\n'));
    return nl >= 0 ? p.mid(nl + 1) : p;
}

const MenuTable& MainMenuTable()
{
    static const MenuTable table = {
        {QT_TRANSLATE_NOOP("Commands", "&File"),
         {Cmd(cmd::FileNew), Cmd(cmd::FileOpen), Cmd(cmd::FileSave), Cmd(cmd::FileSaveAs), Cmd(cmd::FileExport), Sep(),
          Cmd(cmd::FilePrint), Cmd(cmd::FilePrintPreview), Cmd(cmd::FilePrintSetup), Sep(),
          {MenuEntryKind::RecentFiles, cmd::FileMruFirst}, Sep(), Cmd(cmd::AppExit)}},
        {QT_TRANSLATE_NOOP("Commands", "&Edit"), {Cmd(cmd::EditUndo), Cmd(cmd::EditRedo), Sep(), Cmd(cmd::EditCut), Cmd(cmd::EditCopy), Cmd(cmd::EditPaste), Sep(),
                   Cmd(cmd::CopyAsPicture)}},
        {QT_TRANSLATE_NOOP("Commands", "&View"), {Cmd(cmd::ViewToolbar), Cmd(cmd::ViewStatusBar), Sep(), Cmd(cmd::ZoomIn), Cmd(cmd::ZoomOut),
                   Cmd(cmd::ZoomActual)}},
        {QT_TRANSLATE_NOOP("Commands", "&Tools"), {Cmd(cmd::Font), Cmd(cmd::Options), Cmd(cmd::AdjustLevel), Cmd(cmd::WriteDefaultConfig)}},
        {QT_TRANSLATE_NOOP("Commands", "&Window"), {Cmd(cmd::WindowCascade), Cmd(cmd::WindowTile), Sep(), Cmd(cmd::WindowNext),
                     Cmd(cmd::WindowPrevious), Sep(), {MenuEntryKind::WindowList, cmd::WindowListFirst}}},
        {QT_TRANSLATE_NOOP("Commands", "&Help"), {Cmd(cmd::ReadHelpFile), Cmd(cmd::ReadManual), Cmd(cmd::ReadQuickrefCard), Sep(),
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
        action->setText(Translated(c->text));
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
    emit actionCreated(id, action);
    return action;
}

void CCommandSet::BuildMenuBar(QMenuBar* bar, const MenuTable& table, QAction** recentAnchor)
{
    for (const MenuPopup& popup : table) {
        QMenu* menu = bar->addMenu(Translated(popup.title));
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
