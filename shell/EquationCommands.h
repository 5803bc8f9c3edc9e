#pragma once
// Commands that the program's own window and the in-place frame run alike.
#include <QString>
#include <functional>

class CEntryEdit;
class CMolvexDoc;

// Undo, Cut, Copy and Paste on the entry box; false for any other id. A box that no
// frame holds is no window: the command has no effect there.
bool RunEditCommand(CEntryEdit* edit, int id);

// Copy as Picture of the document at the screen's resolution; `tell` gets the
// message when the clipboard refuses it.
void CopyEquationAsPicture(CMolvexDoc& doc, const std::function<void(const QString&)>& tell);

// Writes the document's picture to a file in the format its extension names (PNG at
// the given scale), with molvex2-render's writer; on failure the message it gives
// ("path: reason"), else an empty text.
QString ExportEquation(CMolvexDoc& doc, const QString& path, double pngScale);
