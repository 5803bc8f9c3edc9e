#include "shell/ChemStatus.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "engine/ChemModel.h"
#include "engine/Cp1252.h"
#include "engine/EquationLine.h"

namespace {

// The engine's sentences in the user's language: each template through the translation
// tables, the arguments (formulas, numbers, text as typed) as they are.
QString InUserLanguage(const chem::Phrase& phrase)
{
    return QString::fromStdString(chem::Write(phrase, [](const char* pattern) {
        return QCoreApplication::translate(chem::kPhraseContext, pattern).toStdString();
    }));
}

} // namespace

CChemStatus::CChemStatus(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("chemHint"));
    m_balance = new QLabel(this);
    m_balance->setObjectName(QStringLiteral("chemBalance"));
    m_balance->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(m_hint);
    layout->addWidget(m_balance);
    m_balance->hide();
}

void CChemStatus::Follow(QPlainTextEdit* edit)
{
    if (m_edit)
        disconnect(m_edit, nullptr, this, nullptr);
    m_edit = edit;
    if (!edit)
        return;
    connect(edit, &QPlainTextEdit::textChanged, this, &CChemStatus::Update);
    connect(edit, &QPlainTextEdit::cursorPositionChanged, this, &CChemStatus::Update);
    connect(edit, &QObject::destroyed, this, [this] { m_edit = nullptr; });
    Update();
}

void CChemStatus::Update()
{
    if (m_edit)
        ShowLine(m_edit->textCursor().block().text());
}

void CChemStatus::ShowLine(const QString& text)
{
    // Moving the cursor along a line changes nothing to say.
    if (m_shown && text == m_shownLine)
        return;
    m_shown = true;
    m_shownLine = text;

    CEquationLine line;
    line.SetText(Utf16ToCp1252(text.toStdU16String()));
    chem::ArrowCheck::Verdict verdict{};
    QString balance =
        text.isEmpty() ? QString() : InUserLanguage(chem::BalancePhrase(chem::CheckBalance(chem::ReadLine(line)), &verdict));
    if (!balance.isEmpty())
        balance[0] = balance[0].toUpper();
    m_balance->setText(balance);
    m_balance->setToolTip(balance);
    m_balance->setVisible(!balance.isEmpty());
    // The verdict as a colour too, for a glance while typing.
    const char* colour = verdict == chem::ArrowCheck::Verdict::Balanced      ? "#1a7f37"
                         : verdict == chem::ArrowCheck::Verdict::NotBalanced ? "#b42318"
                                                                             : "palette(mid)";
    m_balance->setStyleSheet(QStringLiteral("QLabel { color: %1; padding: 0 4px; }").arg(QLatin1String(colour)));

    const std::vector<chem::Phrase> hints =
        text.isEmpty() ? std::vector<chem::Phrase>() : chem::ReadingHintPhrases(line);
    QStringList all;
    for (const chem::Phrase& h : hints)
        all << InUserLanguage(h);
    QString shown;
    if (!all.isEmpty()) {
        shown = all.first();
        shown[0] = shown[0].toUpper();
        if (all.size() > 1)
            shown += tr(" (+%1 more)").arg(all.size() - 1);
    }
    // A long hint must neither widen the window nor crowd out the status messages;
    // the whole list is in the tooltip.
    m_hint->setText(m_hint->fontMetrics().elidedText(shown, Qt::ElideRight, kHintWidth));
    m_hint->setToolTip(all.join(QLatin1Char('\n')));
    m_hintText = shown;
}

QString CChemStatus::BalanceText() const { return m_balance->text(); }

QString CChemStatus::HintText() const { return m_hintText; }
