#include "shell/ServerTables.h"

#include "shell/CommandIds.h"

#include <string>

namespace {
MenuEntry Cmd(int id) { return {MenuEntryKind::Command, id}; }
MenuEntry Sep() { return {MenuEntryKind::Separator, 0}; }
MenuEntry Group() { return {MenuEntryKind::GroupMarker, 0}; }

// Everything after File is shared with the program's own windows.
MenuTable WithoutFile(const MenuTable& main)
{
    MenuTable rest;
    for (std::size_t i = 1; i < main.size(); ++i)
        rest.push_back(main[i]);
    return rest;
}
} // namespace

const MenuTable& OpenServerMenuTable()
{
    static const MenuTable table = [] {
        MenuTable t{{"&File",
                     {Cmd(cmd::FileUpdate), Cmd(cmd::FileSaveCopyAs), Sep(), Cmd(cmd::FilePrint),
                      Cmd(cmd::FilePrintPreview), Cmd(cmd::FilePrintSetup), Sep(), Cmd(cmd::AppExit)}}};
        for (const MenuPopup& p : WithoutFile(MainMenuTable()))
            t.push_back(p);
        return t;
    }();
    return table;
}

const MenuTable& InPlaceMenuTable()
{
    static const MenuTable table = [] {
        const MenuTable rest = WithoutFile(MainMenuTable());
        MenuTable t;
        t.push_back(rest[0]); // Edit
        t.push_back({"&View", {Cmd(cmd::ViewToolbar)}});
        t.push_back({"", {Group()}});
        t.push_back({"", {Group()}});
        for (const MenuPopup& p : rest) // Tools and Help
            if (std::string(p.title) == "&Tools" || std::string(p.title) == "&Help")
                t.push_back(p);
        return t;
    }();
    return table;
}

const ToolbarTable& InPlaceToolbarTable()
{
    static const ToolbarTable table = {cmd::EditCut,     cmd::EditCopy,       cmd::EditPaste,     0,
                                       cmd::FontToolbar, cmd::OptionsToolbar, cmd::CopyAsPicture, cmd::AppAbout};
    return table;
}

namespace {
AccelTable EditKeys()
{
    return {
        {Qt::CTRL | Qt::Key_C, cmd::EditCopy},      {Qt::CTRL | Qt::Key_X, cmd::EditCut},
        {Qt::CTRL | Qt::Key_V, cmd::EditPaste},     {Qt::CTRL | Qt::Key_Z, cmd::EditUndo},
        {Qt::ALT | Qt::Key_Backspace, cmd::EditUndo}, {Qt::SHIFT | Qt::Key_Delete, cmd::EditCut},
        {Qt::CTRL | Qt::Key_Insert, cmd::EditCopy}, {Qt::SHIFT | Qt::Key_Insert, cmd::EditPaste},
        {Qt::CTRL | Qt::Key_Y, cmd::EditRedo},      {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, cmd::EditRedo},
    };
}
} // namespace

const AccelTable& InPlaceAccelTable()
{
    static const AccelTable table = [] {
        AccelTable t = EditKeys();
        t.push_back({Qt::CTRL | Qt::Key_M, cmd::CopyAsPicture});
        t.push_back({QKeyCombination(Qt::Key_F1), cmd::Help});
        t.push_back({Qt::SHIFT | Qt::Key_F1, cmd::ContextHelp});
        t.push_back({QKeyCombination(Qt::Key_Escape), cmd::CancelInPlace});
        return t;
    }();
    return table;
}

const AccelTable& OpenServerAccelTable()
{
    static const AccelTable table = [] {
        AccelTable t = EditKeys();
        t.push_back({Qt::CTRL | Qt::Key_S, cmd::FileUpdate});
        t.push_back({Qt::CTRL | Qt::Key_P, cmd::FilePrint});
        t.push_back({QKeyCombination(Qt::Key_F1), cmd::Help});
        t.push_back({Qt::SHIFT | Qt::Key_F1, cmd::ContextHelp});
        t.push_back({QKeyCombination(Qt::Key_F6), cmd::NextPane});
        t.push_back({Qt::SHIFT | Qt::Key_F6, cmd::PrevPane});
        return t;
    }();
    return table;
}
