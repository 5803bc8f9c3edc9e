#include "shell/ChemStatus.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

#include "engine/ChemModel.h"
#include "shell/EntryEdit.h"
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
    if (auto* entry = qobject_cast<CEntryEdit*>(edit))
        connect(entry, &CEntryEdit::refilled, this, &CChemStatus::Update);
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
    m_balance->setVisible(!balance.isEmpty());
    // The verdict as a colour too, for a glance while typing.
    const char* colour = verdict == chem::ArrowCheck::Verdict::Balanced      ? "#1a7f37"
                         : verdict == chem::ArrowCheck::Verdict::NotBalanced ? "#b42318"
                                                                             : "palette(mid)";
    // Set only when it changes: each setting restyles the label and lays the status
    // bar out again.
    const QString style = QStringLiteral("QLabel { color: %1; padding: 0 4px; }").arg(QLatin1String(colour));
    if (m_balance->styleSheet() != style)
        m_balance->setStyleSheet(style);

    const std::vector<chem::Phrase> hints =
        text.isEmpty() ? std::vector<chem::Phrase>() : chem::ReadingHintPhrases(line);
    QStringList all;
    for (const chem::Phrase& h : hints)
        all << InUserLanguage(h);
    all.removeDuplicates();
    for (QString& h : all)
        h[0] = h[0].toUpper();
    QString shown;
    if (!all.isEmpty()) {
        shown = all.first();
        if (all.size() > 1)
            shown += tr(" (+%1 more)").arg(all.size() - 1);
    }
    m_hintText = shown;
    m_hintTip = all.join(QLatin1Char('\n'));
    ShowHint();
    // A screen reader hears the pane's purpose with its text; setting the name
    // tells it of the change.
    m_balance->setAccessibleName(balance.isEmpty() ? tr("Balance") : tr("Balance: %1").arg(balance));
    m_hint->setAccessibleName(m_hintTip.isEmpty() ? tr("Reading hint") : tr("Reading hint: %1").arg(m_hintTip));
}

void CChemStatus::SetHintRoom(int pixels)
{
    m_hintRoom = std::max(kHintWidth, pixels);
    ShowHint();
}

void CChemStatus::ShowHint()
{
    // A long hint must neither widen the window nor crowd out the status messages.
    // The tooltip gives every hint whole, once, when the label cannot.
    const QString elided = m_hint->fontMetrics().elidedText(m_hintText, Qt::ElideRight, m_hintRoom);
    m_hint->setText(elided);
    m_hint->setToolTip(elided == m_hintText && !m_hintTip.contains(QLatin1Char('\n')) ? QString() : m_hintTip);
}

QString CChemStatus::BalanceText() const { return m_balance->text(); }

QString CChemStatus::HintText() const { return m_hintText; }
