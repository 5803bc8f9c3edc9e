#pragma once
// What the frames and the equation server need of the application, and no more:
// they see this, not the application object, so no shell file below the application
// includes it.
#include "shell/UserPrompts.h"

struct MolvexAppState;
class CContainerUpdate;
class CDocumentManager;
class CEntryEdit;
class CMainFrame;
class CPrinting;
class QString;
class QWidget;

class IShellHost : public UserPrompts {
public:
    virtual MolvexAppState& State() = 0;
    virtual CDocumentManager& Documents() = 0;
    virtual CEntryEdit* EntryEdit() const = 0;
    virtual CMainFrame* MainFrame() const = 0;
    virtual CContainerUpdate& ContainerUpdate() = 0;
    virtual CPrinting& Printing() = 0;
    // Application-level commands (help, about, level, default configuration file,
    // print setup); false for ids that are not the application's.
    virtual bool OnAppCommand(int id, QWidget* parent) = 0;
    // DDE-style commands: [open("path")], [new()], [append("piece")].
    virtual bool OnDDECommand(const QString& command) = 0;

protected:
    ~IShellHost() = default;
};
