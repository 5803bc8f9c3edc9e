#pragma once
// Editing an equation inside a container's window: toolbar 4 and an entry bar go into
// the container's frame window, the stretched view into the object's area. The
// container hands over X11 window ids; this side never owns those windows.
#include <QObject>
#include <QPointer>
#include <memory>

class CCommandSet;
class CEntryBar;
class IShellHost;
class CMolvexDoc;
class CMolvexView;
class QToolBar;
class QWidget;
class QWindow;

class CInPlaceFrame : public QObject {
    Q_OBJECT
public:
    CInPlaceFrame(IShellHost& app, CMolvexDoc& doc, QObject* parent = nullptr);
    ~CInPlaceFrame() override;

    // Puts the bars and the view into the container's windows; false when either id
    // names no window.
    bool Activate(quint64 containerFrame, quint64 objectArea);

    QWidget* BarHost() const { return m_bars.get(); }
    CMolvexView* View() const;
    QToolBar* ToolBar() const { return m_toolBar; }
    CEntryBar* EntryBar() const { return m_entryBar; }

signals:
    // Esc (command 32769): the container should end the in-place session.
    void deactivateRequested();

private:
    void OnCommand(int id);
    void FocusEntry();

    IShellHost& m_app;
    CMolvexDoc& m_doc;
    std::unique_ptr<QWidget> m_bars;
    std::unique_ptr<QWidget> m_viewHost;
    QToolBar* m_toolBar = nullptr;
    CEntryBar* m_entryBar = nullptr;
    CMolvexView* m_view = nullptr;
    CCommandSet* m_commands = nullptr;
    CCommandSet* m_viewCommands = nullptr;
    // Foreign windows stand for the container's; deleting them leaves those alone.
    std::unique_ptr<QWindow> m_frameWindow;
    std::unique_ptr<QWindow> m_objectWindow;
};
