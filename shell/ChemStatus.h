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

private:
    void Update();

    QPlainTextEdit* m_edit = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_balance = nullptr;
    QString m_shownLine;
    QString m_hintText;
    static constexpr int kHintWidth = 420; // pixels
    bool m_shown = false;
};
