#pragma once
// The status bar's account of the line being edited: whether it balances, and how
// the program reads what the user may not have meant.
#include <QWidget>

class QLabel;
class QPlainTextEdit;

class CChemStatus : public QWidget {
    Q_OBJECT

public:
    explicit CChemStatus(QWidget* parent = nullptr);

    // Follows the line under the cursor of `edit` (one equation line per block).
    void Follow(QPlainTextEdit* edit);
    // Shows the account of one line (Unicode text as typed).
    void ShowLine(const QString& line);

    QString BalanceText() const;
    QString HintText() const;
    QLabel* HintLabel() const { return m_hint; }
    QLabel* BalanceLabel() const { return m_balance; }

    // The widest the hint may be, in pixels (a share of the window's width); a hint
    // that does not fit is cut with its whole text in the tooltip.
    void SetHintRoom(int pixels);

private:
    void Update();
    void ShowHint();

    QPlainTextEdit* m_edit = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_balance = nullptr;
    QString m_shownLine;
    QString m_hintText;
    QString m_hintTip;
    int m_hintRoom = kHintWidth;
    static constexpr int kHintWidth = 420; // pixels, the least room a hint has
    bool m_shown = false;
};
