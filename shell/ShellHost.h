#pragma once
// What the frames and the equation server need of the application, and no more:
// they see these, not the application object, so no shell file below the application
// includes it.
#include "shell/UserPrompts.h"

struct MolvexAppState;
class CContainerUpdate;
class CDocumentManager;
class CEntryEdit;
class CMainFrame;
class CPrinting;
class QWidget;

// What the in-place frame and the equation server use: the state, the documents, the
// one entry box, the main window the in-place frame hands commands on to, and how the
// user is asked and told.
class IShellHost : public UserPrompts {
public:
    virtual MolvexAppState& State() = 0;
    virtual CDocumentManager& Documents() = 0;
    virtual CEntryEdit* EntryEdit() const = 0;
    virtual CMainFrame* MainFrame() const = 0;
    virtual CContainerUpdate& ContainerUpdate() = 0;

protected:
    ~IShellHost() = default;
};

// The main window uses besides the printer and the commands that are the application's.
class IMainFrameHost : public IShellHost {
public:
    virtual CPrinting& Printing() = 0;
    // Application-level commands (help, about, level, default configuration file,
    // print setup); false for ids that are not the application's.
    virtual bool OnAppCommand(int id, QWidget* parent) = 0;

protected:
    ~IMainFrameHost() = default;
};
