#pragma once
// The Font command: the font dialog, with colour, underline and strike-out offered,
// and the conversion between the equation font record and Qt's fonts.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <optional>

#include "engine/LogRecords.h"

class QComboBox;
class QFontDialog;
class CMolvexDoc;
struct MolvexAppState;

// The family's face nearest to a weight and slant, plain widths first; empty when the
// family is unknown.
QString StyleForRecord(const QString& family, int weight, bool italic);
// The font record's font as the dialog shows it, at `logPixelsY` dots per inch.
QFont FontFromRecord(const KVLogFont& record, int logPixelsY);
// The record after the dialog's choice: the record's other fields stay, the height
// is the chosen size in pixels at `logPixelsY` (negative: a character height), and
// the HIMETRIC size is the size in tenths of a point x 3.52777777777777, truncated.
KVLogFont RecordFromChoice(const KVLogFont& base, const QFont& font, COLORREF color, int logPixelsY);
// The chosen size in tenths of a point.
int PointSizeTenths(const QFont& font, int logPixelsY);

// Qt's font dialog with a colour list below it, as the system font dialog offers one.
class CFontChooser : public QDialog {
    Q_OBJECT
public:
    CFontChooser(const QFont& font, COLORREF color, QWidget* parent = nullptr);
    QFont SelectedFont() const;
    COLORREF SelectedColor() const;
    QFontDialog* FontDialog() const { return m_fonts; }
    QComboBox* ColorBox() const { return m_colors; }
    // Whether the user changed anything since the dialog opened.
    bool Changed() const;

private:
    QFontDialog* m_fonts = nullptr;
    QComboBox* m_colors = nullptr;
    QFont m_initialFont;
    COLORREF m_initialColor = 0;
};

// The record the dialog's choice makes, or nothing when the choice is unchanged.
std::optional<KVLogFont> ChosenFont(const CFontChooser& chooser, const KVLogFont& current, int logPixelsY);

// The document's Font command. A failed save of the main store is shown to the user.
void RunFontCommand(CMolvexDoc& doc, MolvexAppState& app, QWidget* parent);
