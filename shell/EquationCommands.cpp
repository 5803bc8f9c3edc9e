#include "shell/EquationCommands.h"

#include <QCoreApplication>

#include "document/MolvexDoc.h"
#include "platform/QtClipboard.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "shell/CommandIds.h"
#include "shell/EntryEdit.h"

#include <algorithm>

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

QString ExportEquation(CMolvexDoc& doc, const QString& path, double pngScale)
{
    const auto fail = [&path](const std::string& reason) {
        return QStringLiteral("%1: %2").arg(path, QString::fromStdString(reason));
    };
    const std::optional<PictureFormat> format = PictureFormatOfPath(path);
    if (!format)
        return fail("unknown output format");
    // A picture of nothing is a mistake, as it is on the command line.
    const auto& lines = doc.Lines().texts;
    if (std::all_of(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); }))
        return fail("nothing to typeset");
    RenderSettings settings;
    settings.scale = std::clamp(pngScale, 1.0 / kMaxScale, kMaxScale);
    std::string error;
    const QByteArray bytes = EquationPictureFile(doc, *format, settings, &error);
    if (bytes.isEmpty())
        return fail(error.empty() ? std::string("nothing to write") : error);
    if (const std::optional<QString> reason = WriteFileAtomically(path, bytes))
        return QStringLiteral("%1: %2").arg(path, *reason);
    return QString();
}
