#pragma once
// Menus, toolbars and accelerator tables as data built from the command ids, and the
// one place that turns them into QActions. Every frame builds its bars from these, so
// each action carries its command id and its status-bar prompt the same way.
#include <QKeyCombination>
#include <QObject>
#include <QString>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

struct CommandInfo {
    int id;
    const char* text;   // menu text with mnemonic and accelerator text after a tab
    const char* prompt; // status-bar text, then "\n" and the tool-tip text
    const char* icon;   // resource path of the toolbar image, or nullptr
};

// Every command of every frame; nullptr for an unknown id.
const CommandInfo* FindCommand(int id);
// A marked text of the tables in the user's language ("" stays empty).
QString Translated(const char* text);
// The status-bar part and the tool-tip part of a command's prompt.
QString StatusPrompt(int id);
QString ToolTipText(int id);

enum class MenuEntryKind { Command, Separator, RecentFiles, GroupMarker, WindowList };
struct MenuEntry {
    MenuEntryKind kind;
    int id;
};
struct MenuPopup {
    const char* title;
    std::vector<MenuEntry> entries;
};
using MenuTable = std::vector<MenuPopup>;

// 0 in a toolbar table is a separator.
using ToolbarTable = std::vector<int>;

struct AccelEntry {
    QKeyCombination key;
    int id;
};
using AccelTable = std::vector<AccelEntry>;

const MenuTable& MainMenuTable();      // 128
const ToolbarTable& MainToolbarTable(); // 128
const AccelTable& MainAccelTable();    // 128

// The QActions of one frame, one per command id, parented to that frame. Triggering
// any of them emits commandTriggered with its id.
class CCommandSet : public QObject {
    Q_OBJECT
public:
    explicit CCommandSet(QWidget* owner);

    // The action of an id, created on first use from the command catalogue.
    QAction* Action(int id);
    bool Has(int id) const { return m_actions.count(id) != 0; }
    const std::map<int, QAction*>& Actions() const { return m_actions; }

    // Fills a menu bar; the recent-file entry becomes a hidden placeholder action
    // returned through recentAnchor (the frame inserts the list before it).
    // The window list entry is a hidden anchor found by WindowListAnchor().
    void BuildMenuBar(QMenuBar* bar, const MenuTable& table, QAction** recentAnchor = nullptr);
    // The menu that holds the hidden anchor of a list (recent files, windows), if built.
    static QMenu* MenuOf(QAction* anchor);
    void BuildToolBar(QToolBar* bar, const ToolbarTable& table);
    // Gives each action the keys of the table; commands without a menu entry or
    // button get their action added to the owner so the keys still work.
    void ApplyAccelerators(const AccelTable& table);

signals:
    void commandTriggered(int id);
    void actionCreated(int id, QAction* action);

private:
    QWidget* m_owner;
    std::map<int, QAction*> m_actions;
};
