#pragma once
// The level adjustment dialog: how far equations placed into a word processor are
// raised or lowered, from +400 ("Very High") to -400 ("Very Low").
#include <QDialog>
#include <functional>
#include <map>

class QLabel;
class QLineEdit;
class QScrollBar;
class QPushButton;
struct MolvexAppState;

class CLevelDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids, also the objectNames "ctl<id>" of the controls.
    enum { IDC_LEVEL_TEXT = 1010, IDC_LEVEL_SCROLL = 1011, IDC_LEVEL_DEFAULT = 1012 };
    // Scroll notification codes, as the scroll bar reports its actions.
    enum ScrollCode {
        SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3,
        SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8
    };

    explicit CLevelDialog(QWidget* parent = nullptr);

    // Moves m_nLevel to the controls (false) or validates the hidden text and takes it
    // back (true); false when the text was rejected, after the message was shown.
    bool UpdateData(bool saveAndValidate);
    // One scroll notification: the position moves by the code, and the hidden text
    // takes the value of the position before the move.
    void OnVScroll(int code, int thumbPosition);
    void OnDefault();
    // A click on a mark of the scale: the scroll bar moves to that mark's level.
    void MoveTo(int level);

    QScrollBar* ScrollBar() const { return m_scroll; }
    QLineEdit* ValueEdit() const { return m_edit; }
    QLabel* ValueLabel() const { return m_value; }

    int m_nLevel = 0;
    // How the validation messages reach the user; replaceable so that tests need no
    // modal message box.
    std::function<void(const QString& text)> showMessage;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSliderAction(int action);

    QScrollBar* m_scroll = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_default = nullptr;
    QLabel* m_value = nullptr;
    std::map<QObject*, int> m_marks; // scale marks and their levels
    bool m_initialised = false;
};

// The application's "Adjust Level" command: opens the dialog on the current level
// adjustment and, on OK, stores the new one in the main configuration store.
void RunAdjustLevelCommand(MolvexAppState& app, QWidget* parent);
