#include "shell/LevelDialog.h"
#include "shell/Translations.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "document/AppState.h"

namespace {

constexpr int kMiddle = 400;
constexpr int kLowest = -1000;
constexpr int kHighest = 1000;

// The integer form the data exchange accepts: blanks around an optionally signed
// run of digits; anything else, or a number too large for 32 bits, is rejected.
bool ParseInteger(const QString& text, int& value)
{
    const QString trimmed = text.trimmed();
    int i = 0;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
        ++i;
    if (i == trimmed.size())
        return false;
    for (int k = i; k < trimmed.size(); ++k)
        if (!trimmed[k].isDigit() || trimmed[k].unicode() > 0x7F)
            return false;
    bool ok = false;
    const int parsed = trimmed.toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

QString Name(int id) { return QStringLiteral("ctl%1").arg(id); }

// The scale's marks and the levels a click on each moves to, top to bottom; the
// middle row holds the Default button.
struct ScaleMark {
    const char* text;
    int level;
};
const ScaleMark kMarks[] = {{QT_TRANSLATE_NOOP("CLevelDialog", "Very High"), 400},
                            {QT_TRANSLATE_NOOP("CLevelDialog", "High"), 250},
                            {QT_TRANSLATE_NOOP("CLevelDialog", "A Little High"), 100},
                            {nullptr, 0},
                            {QT_TRANSLATE_NOOP("CLevelDialog", "A Little Low"), -100},
                            {QT_TRANSLATE_NOOP("CLevelDialog", "Low"), -250},
                            {QT_TRANSLATE_NOOP("CLevelDialog", "Very Low"), -400}};

QString LevelText(int level) { return CLevelDialog::tr("Level: %1").arg(level); }

} // namespace

CLevelDialog::CLevelDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Level Adjustment"));
    showMessage = [this](const QString& text) {
        QMessageBox::warning(this, QStringLiteral("Molvex 2"), text);
    };

    auto* group = new QGroupBox(tr("Your Equations Are"), this);
    auto* scale = new QGridLayout(group);
    for (int row = 0; row < 7; ++row) {
        if (kMarks[row].text) {
            auto* mark = new QLabel(tr(kMarks[row].text), group);
            mark->setObjectName(QStringLiteral("mark%1").arg(row));
            mark->setCursor(Qt::PointingHandCursor);
            mark->setToolTip(tr("Move the level to %1").arg(kMarks[row].level));
            mark->installEventFilter(this);
            m_marks[mark] = kMarks[row].level;
            scale->addWidget(mark, row, 0);
        } else {
            m_default = new QPushButton(tr("Default"), group);
            m_default->setObjectName(Name(IDC_LEVEL_DEFAULT));
            m_default->setAutoDefault(false);
            scale->addWidget(m_default, row, 0);
        }
        scale->setRowStretch(row, 1);
    }
    m_scroll = new QScrollBar(Qt::Vertical, group);
    m_scroll->setObjectName(Name(IDC_LEVEL_SCROLL));
    m_scroll->setAccessibleName(tr("Level of your equations"));
    m_scroll->setRange(0, 800);
    m_scroll->setSingleStep(2);
    m_scroll->setPageStep(50);
    // Dragging changes nothing until the thumb is released.
    m_scroll->setTracking(false);
    m_scroll->setMinimumHeight(180);
    scale->addWidget(m_scroll, 0, 1, 7, 1);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(Name(IDC_LEVEL_TEXT));
    m_edit->setVisible(false);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(Name(1));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(Name(2));
    cancel->setAutoDefault(false);
    auto* note = new QLabel(tr("Moves equations up or down against the surrounding text when they are placed "
                               "into a document. It is used by the LibreOffice extension and by any container "
                               "that reads the lowering hint."),
                            this);
    note->setObjectName(QStringLiteral("note"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setMinimumWidth(150);

    m_value = new QLabel(this);
    m_value->setObjectName(QStringLiteral("levelValue"));
    m_value->setAlignment(Qt::AlignCenter);
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_value->setText(LevelText(text.toInt())); });
    // While the thumb is dragged the value follows it; the hidden text follows on release.
    connect(m_scroll, &QScrollBar::sliderMoved, this, [this](int p) { m_value->setText(LevelText(kMiddle - p)); });

    auto* side = new QVBoxLayout;
    side->addWidget(ok);
    side->addWidget(cancel);
    side->addSpacing(8);
    side->addWidget(m_value);
    side->addSpacing(8);
    side->addWidget(note);
    side->addStretch(1);

    auto* root = new QHBoxLayout(this);
    root->addWidget(group);
    root->addLayout(side);
    root->setSizeConstraint(QLayout::SetFixedSize);
    // Wide enough that the window manager shows the whole caption beside its buttons.
    QFont caption = font();
    caption.setBold(true);
    setMinimumWidth(QFontMetrics(caption).horizontalAdvance(windowTitle()) * 3 / 2 + 120);

    connect(ok, &QPushButton::clicked, this, &CLevelDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CLevelDialog::reject);
    connect(m_default, &QPushButton::clicked, this, &CLevelDialog::OnDefault);
    connect(m_scroll, &QScrollBar::actionTriggered, this, &CLevelDialog::OnSliderAction);
}

void CLevelDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised && !event->spontaneous()) {
        m_initialised = true;
        UpdateData(false);
    }
    QDialog::showEvent(event);
}

bool CLevelDialog::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        int value = 0;
        if (!ParseInteger(m_edit->text(), value)) {
            showMessage(tr("Please enter an integer."));
            return false;
        }
        if (value < kLowest || value > kHighest) {
            showMessage(tr("Please enter an integer between %1 and %2.").arg(kLowest).arg(kHighest));
            return false;
        }
        m_nLevel = value;
    } else {
        m_edit->setText(QString::number(m_nLevel));
    }
    m_scroll->setRange(0, 800);
    // The scroll bar keeps the position in its range, so a stored 900 shows at the top
    // while the hidden text keeps 900.
    m_scroll->setValue(static_cast<int>(std::clamp<long long>(kMiddle - static_cast<long long>(m_nLevel), 0, 800)));
    return true;
}

void CLevelDialog::accept()
{
    if (UpdateData(true))
        QDialog::accept();
}

void CLevelDialog::OnSliderAction(int action)
{
    // Qt has already moved the position for the action; the notification decides
    // the position itself, so start again from the committed one.
    const int thumb = m_scroll->sliderPosition();
    m_scroll->setSliderPosition(m_scroll->value());
    int code = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = m_scroll->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION; break;
    default: break;
    }
    OnVScroll(code, thumb);
    // Every action ends here, so the text follows the final position.
    OnVScroll(SB_ENDSCROLL, 0);
}

void CLevelDialog::OnVScroll(int code, int thumbPosition)
{
    const int c = m_scroll->sliderPosition();
    switch (code) {
    case SB_LINEUP: m_scroll->setSliderPosition(c - 2); break;
    case SB_LINEDOWN: m_scroll->setSliderPosition(c + 2); break;
    case SB_PAGEUP: m_scroll->setSliderPosition(c - 50); break;
    case SB_PAGEDOWN: m_scroll->setSliderPosition(c + 50); break;
    case SB_THUMBPOSITION: m_scroll->setSliderPosition(thumbPosition); break;
    default: break;
    }
    m_edit->setText(QString::number(kMiddle - c));
}

void CLevelDialog::MoveTo(int level)
{
    // As if the thumb were dropped there, so the hidden text follows as it does then.
    OnVScroll(SB_THUMBPOSITION, kMiddle - level);
    OnVScroll(SB_ENDSCROLL, 0);
    m_scroll->setValue(m_scroll->sliderPosition());
}

bool CLevelDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto it = m_marks.find(watched);
        if (it != m_marks.end() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            MoveTo(it->second);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CLevelDialog::OnDefault()
{
    m_scroll->setValue(kMiddle);
    m_edit->setText(QStringLiteral("0"));
}

void RunAdjustLevelCommand(MolvexAppState& app, QWidget* parent)
{
    CLevelDialog dialog(parent);
    dialog.m_nLevel = app.levelAdjust.Get();
    if (dialog.exec() != QDialog::Accepted)
        return;
    app.levelAdjust.Set(dialog.m_nLevel);
    app.levelAdjust.Save(app.mainStore);
    if (auto error = app.mainStore.Save())
        QMessageBox::warning(parent, SaveErrorCaption(*error), SaveErrorText(*error));
}
