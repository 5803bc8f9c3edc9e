#include "shell/EquationCommands.h"

#include <QCoreApplication>

#include "document/MolvexDoc.h"
#include "platform/QtClipboard.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "shell/CommandIds.h"
#include "shell/EntryEdit.h"

bool RunEditCommand(CEntryEdit* edit, int id)
{
    switch (id) {
    case cmd::EditUndo:
    case cmd::EditRedo:
    case cmd::EditCut:
    case cmd::EditCopy:
    case cmd::EditPaste: break;
    default: return false;
    }
    // A box that no frame holds is no window, and a disabled one holds no document:
    // the command has no effect.
    if (!edit || !edit->parentWidget() || !edit->isEnabled())
        return true;
    switch (id) {
    case cmd::EditUndo: edit->undo(); break;
    case cmd::EditRedo: edit->redo(); break;
    case cmd::EditCut: edit->cut(); break;
    case cmd::EditCopy: edit->copy(); break;
    default: edit->paste(); break;
    }
    return true;
}

void CopyEquationAsPicture(CMolvexDoc& doc, const std::function<void(const QString&)>& tell)
{
    const std::unique_ptr<CQtDC> screen = CreateScreenDC();
    CQtClipboard clipboard;
    if (const auto message = doc.CopyAsPicture(clipboard, *screen))
        if (tell)
            tell(QCoreApplication::translate("CMolvexDoc", message->c_str()));
}
