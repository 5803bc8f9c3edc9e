#pragma once
// The options dialog: every equation option on a slider, radio button or check box,
// with a sample line drawn by the equation engine across the top as a live preview.
#include <QDialog>
#include <QRect>
#include <array>
#include <functional>
#include <map>

#include "engine/EquationOptions.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QStyle;
class QVBoxLayout;
class QSlider;
class CMolvexDoc;
struct MolvexAppState;

class COptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids, also the objectNames "ctl<id>" of the controls.
    enum {
        IDC_LEVEL_ARROW = 1000, IDC_LEVEL_SUPER = 1001, IDC_LEVEL_SUB = 1002, IDC_LEVEL_PHASE = 1003,
        IDC_TEXT_ARROW = 1004, IDC_TEXT_SUPER = 1005, IDC_TEXT_SUB = 1006, IDC_TEXT_PHASE = 1007,
        IDC_ARROW_TYPE_0 = 1008, IDC_ARROW_TYPE_1 = 1009, IDC_ARROW_TYPE_2 = 1010,
        IDC_ARROW_WIDTH = 1011, IDC_ITALIC = 1012, IDC_ARROW_TYPE_3 = 1013, IDC_SPACING = 1014,
        IDC_RESET = 3, IDC_SET_DEFAULT = 4,
    };
    static constexpr const char* kSample = "co32-(aq)<>{238,92}U=ABOVE,BELOW>";
    static constexpr int kSampleX = 15;
    static constexpr int kSampleY = 35;

    COptionsDialog(MolvexAppState& app, QWidget* parent = nullptr);
    ~COptionsDialog() override;

    // Puts the options into the controls; runs once, when the dialog is first shown.
    void InitDialog();
    // Reads every control into the options, through the range rule.
    void ReadControls();
    void OnReset();
    void OnSetAsDefault();

    // The band of the preview that a change of a control repaints: the horizontal
    // slider's is taller.
    static QRect PreviewBand(bool horizontalSlider);
    // The same bands of this dialog, lengthened by what its preview had to grow to
    // show the whole sample line.
    QRect Band(bool horizontalSlider) const;
    // The value a slider's position stands for, as shown beside it.
    static QString ValueText(int id, int position);
    QLabel* ValueLabel(int id) const;

    QSlider* Slider(int id) const;
    QAbstractButton* ArrowTypeButton(int index) const;
    QCheckBox* ItalicBox() const { return m_italicBox; }

    CEquationOptions options; // the copy being edited
    // How a failed save reaches the user; replaceable so that tests need no modal box.
    std::function<void(const QString& caption, const QString& text)> showMessage;

public slots:
    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QSlider* MakeSlider(int id, Qt::Orientation orientation, int minimum, int maximum);
    void ShowValue(int id);
    void GrowPreview();

    MolvexAppState& m_app;
    // In binding order: 1014, 1005, 1006, 1007, 1004, 1001, 1002, 1003, 1000, 1011.
    std::array<QSlider*, 10> m_sliders{};
    QButtonGroup* m_arrowType = nullptr;
    QCheckBox* m_italicBox = nullptr;
    int m_nArrowType = -1;
    int m_nItalic = 0;
    bool m_initialised = false;
    std::map<int, QLabel*> m_valueLabels;
    QStyle* m_sliderStyle = nullptr; // owned as a child
    QVBoxLayout* m_root = nullptr;
    int m_previewBottom = 0; // the preview panel's last row
};

// The document's Options command: edits a copy of the application's options and, on
// OK, makes it the application's (saved, views redrawn, document modified).
void RunOptionsCommand(CMolvexDoc& doc, MolvexAppState& app, QWidget* parent);
