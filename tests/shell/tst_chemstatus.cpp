// The status bar's balance and hints follow the line under the entry box's cursor.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

#include "shell/ChemStatus.h"

class TestChemStatus : public QObject {
    Q_OBJECT

private slots:
    void followsTheEditedLine_data();
    void followsTheEditedLine();
    void cursorPicksTheLine();
};

void TestChemStatus::followsTheEditedLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("hint"); // its beginning
    QTest::newRow("balanced") << "2H2 + O2 => 2H2O" << "Balanced" << "";
    QTest::newRow("not balanced") << "2H2 + O2 => 2H2O + O2" << QString::fromUtf8("Not balanced: O 2 \u2192 4") << "";
    QTest::newRow("charge") << "Fe3+ + e- => Fe" << QString::fromUtf8("Not balanced: charge +2 \u2192 0") << "";
    QTest::newRow("no arrow, a hint") << "co" << "" << QString::fromUtf8("\u201Cco\u201D is read as C O");
    QTest::newRow("unclosed arrow") << "2H2 + O2 = 2H2O" << "Cannot check: the arrow is not closed"
                                    << "The arrow opened by";
    QTest::newRow("empty") << "" << "" << "";
}

void TestChemStatus::followsTheEditedLine()
{
    QFETCH(QString, typed);
    QFETCH(QString, balance);
    QFETCH(QString, hint);
    QPlainTextEdit edit;
    CChemStatus status;
    status.Follow(&edit);
    edit.setPlainText(QStringLiteral("x"));
    edit.selectAll();
    edit.insertPlainText(typed);
    QTRY_COMPARE(status.BalanceText(), balance);
    if (hint.isEmpty())
        QCOMPARE(status.HintText(), QString());
    else
        QVERIFY2(status.HintText().startsWith(hint, Qt::CaseInsensitive), qPrintable(status.HintText()));
}

void TestChemStatus::cursorPicksTheLine()
{
    QPlainTextEdit edit;
    CChemStatus status;
    status.Follow(&edit);
    edit.setPlainText(QStringLiteral("2H2 + O2 => 2H2O\nN2 + H2 => NH3"));
    QTextCursor c = edit.textCursor();
    c.setPosition(edit.document()->findBlockByNumber(1).position() + 2);
    edit.setTextCursor(c);
    QTRY_COMPARE(status.BalanceText(), QString::fromUtf8("Not balanced: N 2 \u2192 1; H 2 \u2192 3"));
    c.setPosition(1);
    edit.setTextCursor(c);
    QTRY_COMPARE(status.BalanceText(), QStringLiteral("Balanced"));
}

QTEST_MAIN(TestChemStatus)
#include "tst_chemstatus.moc"
