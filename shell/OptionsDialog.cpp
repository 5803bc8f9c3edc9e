#include "shell/OptionsDialog.h"
#include "shell/Translations.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionSlider>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "engine/EquationLine.h"
#include "engine/LineBox.h"
#include "engine/LogRecords.h"
#include "platform/QtDeviceContext.h"

namespace {

// The eight level and size sliders. Levels of subscripts and all sizes count from
// the top, so that every thumb moves its item the way it moves.
struct LevelSlider {
    int id;
    DoubleOption CEquationOptions::*option;
    bool fromTop; // position trunc((1 - v) * 100), value 1 - p * 0.01
};
const LevelSlider kLevelSliders[] = {
    {COptionsDialog::IDC_LEVEL_ARROW, &CEquationOptions::levelArrow, false},
    {COptionsDialog::IDC_LEVEL_SUPER, &CEquationOptions::levelSuper, false},
    {COptionsDialog::IDC_LEVEL_SUB, &CEquationOptions::levelSub, true},
    {COptionsDialog::IDC_LEVEL_PHASE, &CEquationOptions::levelPhase, false},
    {COptionsDialog::IDC_TEXT_ARROW, &CEquationOptions::textArrow, true},
    {COptionsDialog::IDC_TEXT_SUPER, &CEquationOptions::textSuper, true},
    {COptionsDialog::IDC_TEXT_SUB, &CEquationOptions::textSub, true},
    {COptionsDialog::IDC_TEXT_PHASE, &CEquationOptions::textPhase, true},
};

const int kBindingOrder[10] = {
    COptionsDialog::IDC_SPACING, COptionsDialog::IDC_TEXT_SUPER, COptionsDialog::IDC_TEXT_SUB,
    COptionsDialog::IDC_TEXT_PHASE, COptionsDialog::IDC_TEXT_ARROW, COptionsDialog::IDC_LEVEL_SUPER,
    COptionsDialog::IDC_LEVEL_SUB, COptionsDialog::IDC_LEVEL_PHASE, COptionsDialog::IDC_LEVEL_ARROW,
    COptionsDialog::IDC_ARROW_WIDTH,
};

const int kArrowTypeIds[4] = {COptionsDialog::IDC_ARROW_TYPE_0, COptionsDialog::IDC_ARROW_TYPE_1,
                              COptionsDialog::IDC_ARROW_TYPE_2, COptionsDialog::IDC_ARROW_TYPE_3};
const char* const kArrowTypeTexts[4] = {QT_TRANSLATE_NOOP("COptionsDialog", "Single line half arrows"),
                                        QT_TRANSLATE_NOOP("COptionsDialog", "Single line full arrows"),
                                        QT_TRANSLATE_NOOP("COptionsDialog", "Double lines half arrows"),
                                        QT_TRANSLATE_NOOP("COptionsDialog", "Double lines full arrows")};

// Positions and values are computed in extended precision, where the products below
// are exact: 3.333333333333333 (position 10 of the arrow width) times 3 is just under
// 10 and truncates to 9, where double arithmetic would round it up to 10.
constexpr double kHundredth = 0.01;
constexpr double kThird = 0.3333333333333333;

double FromPosition(int position, double step, bool fromTop)
{
    const long double v = position * static_cast<long double>(step);
    return static_cast<double>(fromTop ? 1.0L - v : v);
}

// A truncated position as the slider shows it: options in range can still lie far
// outside a slider's scale (a level of 1e15), and converting those to int is undefined.
int ToPosition(long double position, const QSlider* slider)
{
    const long double t = std::trunc(position);
    if (!(t >= slider->minimum()))
        return slider->minimum();
    if (t > slider->maximum())
        return slider->maximum();
    return static_cast<int>(t);
}

QString Name(int id) { return QStringLiteral("ctl%1").arg(id); }

constexpr int kPreviewPad = 4; // room between the sample and the preview's edges

// Vertical sliders count positions from the top, so Qt fills them from the top. Drawn
// mirrored, the fill grows from the bottom up to the thumb, as an amount reads; the
// thumb stays where it is, and so does everything the mouse hits.
class CFillFromBottomStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        if (control == CC_Slider) {
            if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
                slider && slider->orientation == Qt::Vertical) {
                QStyleOptionSlider mirrored = *slider;
                mirrored.upsideDown = !slider->upsideDown;
                mirrored.sliderPosition = slider->minimum + slider->maximum - slider->sliderPosition;
                mirrored.sliderValue = slider->minimum + slider->maximum - slider->sliderValue;
                QProxyStyle::drawComplexControl(control, &mirrored, painter, widget);
                return;
            }
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

} // namespace

COptionsDialog::COptionsDialog(MolvexAppState& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setWindowTitle(tr("Molvex 2 Options"));
    showMessage = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(this, caption, text);
    };

    for (int i = 0; i < 10; ++i) {
        const int id = kBindingOrder[i];
        m_sliders[static_cast<size_t>(i)] =
            id == IDC_ARROW_WIDTH ? MakeSlider(id, Qt::Horizontal, 1, 36)
                                  : MakeSlider(id, Qt::Vertical, 1, id == IDC_SPACING ? 60 : 100);
    }

    auto sliderColumns = [this](const QString& title, const std::vector<std::pair<int, const char*>>& columns) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        int column = 0;
        for (const auto& [id, label] : columns) {
            auto* text = new QLabel(tr(label), box);
            text->setAlignment(Qt::AlignHCenter);
            grid->addWidget(text, 0, column, Qt::AlignHCenter);
            grid->addWidget(Slider(id), 1, column, Qt::AlignHCenter);
            // Two columns are both called "Super": the group tells them apart.
            Slider(id)->setAccessibleName(tr("%1: %2").arg(title, text->text()));
            grid->addWidget(ValueLabel(id), 2, column, Qt::AlignHCenter);
            ++column;
        }
        grid->setRowStretch(1, 1);
        return box;
    };
    QGroupBox* levels = sliderColumns(tr("Levels"), {{IDC_LEVEL_ARROW, QT_TR_NOOP("Arrows")},
                                                     {IDC_LEVEL_SUPER, QT_TR_NOOP("Super")},
                                                     {IDC_LEVEL_SUB, QT_TR_NOOP("Subscript")},
                                                     {IDC_LEVEL_PHASE, QT_TR_NOOP("Phase")}});
    QGroupBox* sizes = sliderColumns(tr("Text Sizes"), {{IDC_TEXT_ARROW, QT_TR_NOOP("Arrow Text")},
                                                        {IDC_TEXT_SUPER, QT_TR_NOOP("Super")},
                                                        {IDC_TEXT_SUB, QT_TR_NOOP("Subscript")},
                                                        {IDC_TEXT_PHASE, QT_TR_NOOP("Phase")}});
    QGroupBox* vertical = sliderColumns(tr("Vertical"), {{IDC_SPACING, QT_TR_NOOP("Spacing")}});

    auto* arrowBox = new QGroupBox(tr("Equilibrium Arrow Type"), this);
    auto* arrowLayout = new QGridLayout(arrowBox);
    m_arrowType = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(tr(kArrowTypeTexts[i]), arrowBox);
        radio->setObjectName(Name(kArrowTypeIds[i]));
        m_arrowType->addButton(radio, i);
        // Single lines in the first column, double lines in the second.
        arrowLayout->addWidget(radio, i % 2, i / 2);
    }
    m_italicBox = new QCheckBox(tr("Italicize Phase"), this);
    m_italicBox->setObjectName(Name(IDC_ITALIC));
    auto* widthBox = new QGroupBox(tr("Default Arrow Width"), this);
    auto* widthLayout = new QHBoxLayout(widthBox);
    widthLayout->addWidget(Slider(IDC_ARROW_WIDTH), 1);
    Slider(IDC_ARROW_WIDTH)->setAccessibleName(widthBox->title());
    widthLayout->addWidget(ValueLabel(IDC_ARROW_WIDTH));

    auto* sliders = new QHBoxLayout;
    sliders->addWidget(levels);
    sliders->addWidget(sizes);
    sliders->addWidget(vertical);

    auto* side = new QVBoxLayout;
    side->addWidget(widthBox);
    side->addWidget(m_italicBox);
    side->addStretch(1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(arrowBox, 1);
    choices->addLayout(side);

    auto button = [this](const char* text, int id) {
        auto* b = new QPushButton(tr(text), this);
        b->setObjectName(Name(id));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* reset = button(QT_TR_NOOP("Reset"), IDC_RESET);
    QPushButton* setDefault = button(QT_TR_NOOP("Set as Default"), IDC_SET_DEFAULT);
    QPushButton* ok = button(QT_TR_NOOP("OK"), 1);
    ok->setDefault(true);
    QPushButton* cancel = button(QT_TR_NOOP("Cancel"), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addWidget(setDefault);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* root = new QVBoxLayout(this);
    m_root = root;
    // The preview is painted on the dialog itself above the controls.
    const QRect band = PreviewBand(true);
    m_previewBottom = band.bottom();
    root->setContentsMargins(band.left(), band.bottom() + 1 + 10, band.left(), band.left());
    // Wide enough for the whole preview band.
    root->addSpacerItem(new QSpacerItem(band.width(), 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
    root->addLayout(sliders, 1);
    root->addLayout(choices);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(reset, &QPushButton::clicked, this, &COptionsDialog::OnReset);
    connect(setDefault, &QPushButton::clicked, this, &COptionsDialog::OnSetAsDefault);
    connect(ok, &QPushButton::clicked, this, &COptionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &COptionsDialog::reject);
    connect(m_arrowType, &QButtonGroup::buttonClicked, this, [this] { update(Band(false)); });
    connect(m_italicBox, &QCheckBox::clicked, this, [this] { update(Band(false)); });
}

COptionsDialog::~COptionsDialog() = default;

QSlider* COptionsDialog::MakeSlider(int id, Qt::Orientation orientation, int minimum, int maximum)
{
    auto* slider = new QSlider(orientation, this);
    slider->setObjectName(Name(id));
    if (!m_sliderStyle) {
        m_sliderStyle = new CFillFromBottomStyle;
        m_sliderStyle->setParent(this);
    }
    slider->setStyle(m_sliderStyle);
    auto* value = new QLabel(this);
    value->setObjectName(QStringLiteral("value%1").arg(id));
    value->setAlignment(Qt::AlignCenter);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0.00")) + 4);
    m_valueLabels[id] = value;
    slider->setRange(minimum, maximum);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setPageStep(orientation == Qt::Vertical ? 10 : 6);
    if (orientation == Qt::Vertical) {
        // Position 1 at the top, and the arrow keys move the thumb the way they point.
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
        slider->setMinimumHeight(130);
    } else {
        slider->setMinimumWidth(120);
    }
    // Every change repaints the preview band, which reads the controls afresh.
    const bool tall = orientation == Qt::Horizontal;
    auto repaint = [this, tall] { update(Band(tall)); };
    connect(slider, &QSlider::actionTriggered, this, repaint);
    connect(slider, &QSlider::valueChanged, this, repaint);
    connect(slider, &QSlider::sliderReleased, this, repaint);
    connect(slider, &QSlider::valueChanged, this, [this, id] { ShowValue(id); });
    connect(slider, &QSlider::sliderMoved, this, [this, id] { ShowValue(id); });
    return slider;
}

QRect COptionsDialog::PreviewBand(bool horizontalSlider)
{
    return QRect(QPoint(10, 10), QPoint(499, horizontalSlider ? 79 : 69));
}

QRect COptionsDialog::Band(bool horizontalSlider) const
{
    QRect band = PreviewBand(horizontalSlider);
    band.setBottom(band.bottom() + m_previewBottom - PreviewBand(true).bottom());
    return band;
}

QLabel* COptionsDialog::ValueLabel(int id) const
{
    const auto it = m_valueLabels.find(id);
    return it == m_valueLabels.end() ? nullptr : it->second;
}

QString COptionsDialog::ValueText(int id, int position)
{
    if (id == IDC_SPACING)
        return QString::number(61 - position);
    if (id == IDC_ARROW_WIDTH)
        return QString::number(FromPosition(position, kThird, false), 'f', 2);
    for (const LevelSlider& s : kLevelSliders)
        if (s.id == id)
            return QString::number(FromPosition(position, kHundredth, s.fromTop), 'f', 2);
    return QString();
}

void COptionsDialog::ShowValue(int id)
{
    // The value the option takes from the thumb's position, while dragging too.
    if (QLabel* label = ValueLabel(id)) {
        label->setText(ValueText(id, Slider(id)->sliderPosition()));
        // The slider's own value is a position; what it means is the label's.
        Slider(id)->setAccessibleDescription(tr("Value %1").arg(label->text()));
    }
}

QSlider* COptionsDialog::Slider(int id) const
{
    for (int i = 0; i < 10; ++i)
        if (kBindingOrder[i] == id)
            return m_sliders[static_cast<size_t>(i)];
    return nullptr;
}

QAbstractButton* COptionsDialog::ArrowTypeButton(int index) const { return m_arrowType->button(index); }

void COptionsDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised && !event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void COptionsDialog::InitDialog()
{
    m_initialised = true;
    for (const LevelSlider& s : kLevelSliders) {
        QSlider* slider = Slider(s.id);
        slider->setRange(1, 100);
        const long double v = (options.*s.option).Get();
        slider->setValue(ToPosition((s.fromTop ? 1.0L - v : v) * 100, slider));
    }
    QSlider* width = Slider(IDC_ARROW_WIDTH);
    width->setRange(1, 36);
    width->setValue(ToPosition(static_cast<long double>(options.arrowWidth.Get()) * 3, width));
    QSlider* spacing = Slider(IDC_SPACING);
    spacing->setRange(1, 60);
    spacing->setValue(ToPosition(61.0L - options.verticalSpacing.Get(), spacing));

    m_nArrowType = options.equilibriumArrow.Get();
    m_nItalic = options.italicPhase.Get() ? 1 : 0;
    // A style without a button leaves all four unchecked.
    m_arrowType->setExclusive(false);
    for (int i = 0; i < 4; ++i)
        m_arrowType->button(i)->setChecked(i == m_nArrowType);
    m_arrowType->setExclusive(true);
    m_italicBox->setChecked(m_nItalic != 0);
    for (int id : kBindingOrder)
        ShowValue(id);
}

void COptionsDialog::ReadControls()
{
    m_nArrowType = m_arrowType->checkedId();
    m_nItalic = m_italicBox->isChecked() ? 1 : 0;

    for (const LevelSlider& s : kLevelSliders) {
        const int p = Slider(s.id)->value();
        DoubleOption& option = options.*s.option;
        option.Set(FromPosition(p, kHundredth, s.fromTop));
    }
    options.arrowWidth.Set(FromPosition(Slider(IDC_ARROW_WIDTH)->value(), kThird, false));
    options.verticalSpacing.Set(61 - Slider(IDC_SPACING)->value());

    options.equilibriumArrow.Set(m_nArrowType);
    options.italicPhase.Set(m_nItalic != 0);
}

void COptionsDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    ReadControls();

    QPainter painter(this);
    // The panel spans the dialog; a change of a control repaints only its band.
    const QRect band = Band(true);
    const QRect panel(band.topLeft(), QPoint(width() - 1 - band.left(), band.bottom()));
    painter.fillRect(panel, Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(panel.adjusted(0, 0, -1, -1));
    painter.setClipRect(panel.adjusted(1, 1, -1, -1));

    KVLogFont font;
    font.lf.lfHeight = -18;
    CEquationLine line;
    {
        CQtDC dc(&painter);
        dc.SetTextAlign(TA_BASELINE | TA_LEFT);
        line.SetText(kSample);
        // Large arrow texts or levels reach above the usual base line or below the
        // panel: lower the sample and let the panel grow so the whole line shows.
        const LineBox box = LayOutLine(line, dc, options, KVEquationFont(font));
        const LineExtent extent = box.Measured();
        const int baseline = std::max(kSampleY, band.top() + kPreviewPad + (extent.height - extent.depth));
        const int bottom = baseline + extent.depth + kPreviewPad;
        if (bottom > m_previewBottom) {
            m_previewBottom = bottom;
            // Not while painting: the layout moves the controls down afterwards.
            QMetaObject::invokeMethod(this, [this] { GrowPreview(); }, Qt::QueuedConnection);
        }
        dc.SetTextAlign(TA_BASELINE | TA_LEFT);
        DrawLineBox(box, dc, kSampleX, baseline);
    }
}

void COptionsDialog::GrowPreview()
{
    const QMargins m = m_root->contentsMargins();
    m_root->setContentsMargins(m.left(), m_previewBottom + 1 + 10, m.right(), m.bottom());
    update();
}

void COptionsDialog::OnReset()
{
    for (const LevelSlider& s : kLevelSliders)
        Slider(s.id)->setValue(50);
    Slider(IDC_SPACING)->setValue(46);
    update(PreviewBand(false));
}

void COptionsDialog::OnSetAsDefault()
{
    // The last paint may not have happened yet; the controls hold the truth.
    ReadControls();
    m_app.options = options;
    if (auto error = m_app.options.Save(m_app.mainStore))
        showMessage(SaveErrorCaption(*error), SaveErrorText(*error));
}

void COptionsDialog::accept()
{
    ReadControls();
    QDialog::accept();
}

void RunOptionsCommand(CMolvexDoc& doc, MolvexAppState& app, QWidget* parent)
{
    COptionsDialog dialog(app, parent);
    dialog.options = app.options;
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (auto error = doc.ApplyOptions(dialog.options))
        QMessageBox::warning(parent, SaveErrorCaption(*error), SaveErrorText(*error));
}
