#pragma once
// The entry box where equations are typed, and the bar that carries it.
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolBar>
#include <string>

#include "engine/EquationLine.h"

class QLabel;
class QHBoxLayout;

// The one multi-line entry box of the application. Tab types the character 175 (the
// macron, which the equation language uses) instead of moving the focus; Return moves
// the caret one line down and never types a line break, so the text keeps its 20
// lines. Both replacements are posted and so arrive after the current key.
class CEntryEdit : public QPlainTextEdit {
    Q_OBJECT
public:

    explicit CEntryEdit(QWidget* parent = nullptr);

    // Sets the text without a change notification (and so without touching the
    // document), as a refill from the document must.
    void SetTextQuietly(const QString& text);

signals:
    // The text was replaced quietly: what describes the caret's line is out of date.
    void refilled();
    // Return was pressed on the last line, where there is no line to move down to.
    void lineLimitReached();

protected:
    bool event(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
};

// The box's text as the document takes it (lines joined by CR LF, Windows-1252), and
// the document's text as the box shows it.
std::string EntryTextToDocument(const QString& text);
QString DocumentTextToEntry(const std::string& text);

// The entry bar: the application icon, the entry box of the frame that attached it,
// and the label "Molvex 2". The bar never owns the box: detaching (or destroying the
// bar) hands it back unparented to the application that owns it. The box takes the
// bar's width; a grip along the bar's bottom edge drags its height.
class CEntryBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kBarId = 110;
    static constexpr int kEditId = 1005;
    static constexpr int kMinLines = 5;  // the box never shows fewer
    static constexpr int kMaxLines = kEquationLines; // the whole equation

    explicit CEntryBar(QWidget* parent = nullptr);
    ~CEntryBar() override;

    void AttachEntryEdit(CEntryEdit* edit);
    void DetachEntryEdit();
    CEntryEdit* EntryEdit() const { return m_edit; }

    // The box's height in pixels, kept between the heights of kMinLines and kMaxLines.
    int EditHeight() const { return m_editHeight; }
    void SetEditHeight(int pixels);
    int HeightForLines(int lines) const;
    QWidget* Grip() const { return m_grip; }

private:
    QWidget* m_body = nullptr;
    QWidget* m_grip = nullptr;
    int m_editHeight = 0;
    QHBoxLayout* m_layout = nullptr;
    QPointer<CEntryEdit> m_edit;
};
