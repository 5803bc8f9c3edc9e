#include "shell/EntryEdit.h"
#include "document/LineEnds.h"
#include "shell/ShellResources.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "engine/Cp1252.h"

namespace {

constexpr char16_t kMacron = 0x00AF;

bool IsTabKey(const QKeyEvent* k)
{
    if (k->key() == Qt::Key_Backtab)
        return true;
    // Ctrl+Tab and Alt+Tab belong to window switching.
    return k->key() == Qt::Key_Tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool IsReturnKey(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

} // namespace

CEntryEdit::CEntryEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("ctl1005"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Equation text"));
    setAccessibleDescription(tr("One equation line per line, at most 20 lines. The picture is typeset as you type."));
}

void CEntryEdit::SetTextQuietly(const QString& text)
{
    {
        const QSignalBlocker block(this);
        setPlainText(text);
        // The caret starts at the top, where the first line is.
        moveCursor(QTextCursor::Start);
    }
    emit refilled();
}

bool CEntryEdit::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (IsTabKey(k)) {
            if (e->type() == QEvent::KeyPress)
                QCoreApplication::postEvent(
                    this, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(kMacron))));
            return true;
        }
        if (IsReturnKey(k)) {
            if (e->type() == QEvent::KeyPress && textCursor().blockNumber() == blockCount() - 1) {
                // A text that lost its empty lines (all replaced by typing) gets its
                // next line back; a box with all 20 says why Return goes nowhere.
                if (blockCount() < kEquationLines && !(k->modifiers() & Qt::ShiftModifier)) {
                    QTextCursor c = textCursor();
                    c.movePosition(QTextCursor::EndOfBlock);
                    c.insertBlock();
                    setTextCursor(c);
                    return true;
                }
                emit lineLimitReached();
            }
            // Shift is kept so Shift+Return extends the selection as Shift+Down does.
            const Qt::KeyboardModifiers mods = k->modifiers() & Qt::ShiftModifier;
            QCoreApplication::postEvent(this, new QKeyEvent(e->type(), Qt::Key_Down, mods));
            return true;
        }
    } else if (e->type() == QEvent::ShortcutOverride) {
        // Keep Return and Tab from triggering a default button or a shortcut.
        auto* k = static_cast<QKeyEvent*>(e);
        if (IsTabKey(k) || IsReturnKey(k)) {
            e->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void CEntryEdit::dragEnterEvent(QDragEnterEvent* e)
{
    // Files dropped here are documents for the frame to open, not text to insert.
    if (e->mimeData()->hasUrls()) {
        e->ignore();
        return;
    }
    QPlainTextEdit::dragEnterEvent(e);
}

std::string EntryTextToDocument(const QString& text)
{
    QString t = text;
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return NormalizeLineEnds(
        Utf16ToCp1252(std::u16string(reinterpret_cast<const char16_t*>(t.utf16()), static_cast<size_t>(t.size()))));
}

QString DocumentTextToEntry(const std::string& text)
{
    QString t = QString::fromStdString(Cp1252ToUtf8(text));
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

namespace {

// Dialog units of the bar's font (Arial 8 points), as the bar's layout was drawn in.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;
    int X(int dlu) const { return dlu * baseX / 4; }
    int Y(int dlu) const { return dlu * baseY / 8; }
};

DialogUnits UnitsOf(const QFont& font)
{
    const QFontMetrics fm(font);
    DialogUnits u;
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    u.baseX = std::max(1, (fm.horizontalAdvance(sample) / 26 + 1) / 2);
    u.baseY = std::max(1, fm.height());
    return u;
}

// A thin strip that resizes the bar vertically when dragged.
class CBarGrip : public QWidget {
public:
    CBarGrip(QWidget* parent, std::function<int()> height, std::function<void(int)> resize)
        : QWidget(parent), m_height(std::move(height)), m_resize(std::move(resize))
    {
        setObjectName(QStringLiteral("entryBarGrip"));
        setCursor(Qt::SizeVerCursor);
        setFixedHeight(6);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setToolTip(QCoreApplication::translate("CEntryBar", "Drag to change the height of the entry box"));
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        m_startY = e->globalPosition().y();
        m_startHeight = m_height();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (e->buttons() & Qt::LeftButton)
            m_resize(m_startHeight + qRound(e->globalPosition().y() - m_startY));
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::Mid));
        const int mid = width() / 2, y = height() / 2;
        for (int dx = -8; dx <= 8; dx += 4)
            p.drawPoint(mid + dx, y);
    }

private:
    std::function<int()> m_height;
    std::function<void(int)> m_resize;
    double m_startY = 0;
    int m_startHeight = 0;
};

} // namespace

CEntryBar::CEntryBar(QWidget* parent) : QToolBar(parent)
{
    InitShellResources();
    setObjectName(QStringLiteral("entryBar"));
    setWindowTitle(tr("Equation"));
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    // Not listed in the context menu of the bars: the entry bar is always there.
    toggleViewAction()->setVisible(false);

    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    const DialogUnits du = UnitsOf(font);

    m_body = new QWidget(this);
    m_body->setFont(font);
    m_body->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* column = new QVBoxLayout(m_body);
    column->setContentsMargins(du.X(1), du.Y(1), du.X(2), 0);
    column->setSpacing(0);
    m_layout = new QHBoxLayout;
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(du.X(2));
    column->addLayout(m_layout);
    m_grip = new CBarGrip(
        m_body, [this] { return m_editHeight; }, [this](int h) { SetEditHeight(h); });
    column->addWidget(m_grip);

    auto* icon = new QLabel(m_body);
    icon->setObjectName(QStringLiteral("ctl128"));
    const int side = du.X(20);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/molvex2.svg")).pixmap(side, side));
    icon->setFixedSize(side, du.Y(20));
    icon->setAlignment(Qt::AlignCenter);
    m_layout->addWidget(icon, 0, Qt::AlignTop);

    auto* label = new QLabel(QStringLiteral("Molvex 2"), m_body);
    label->setObjectName(QStringLiteral("entryBarLabel"));
    label->setFixedWidth(du.X(59));
    m_layout->addWidget(label, 0, Qt::AlignTop);
    addWidget(m_body);
    m_editHeight = HeightForLines(kMinLines);
}

int CEntryBar::HeightForLines(int lines) const
{
    // The box's own font, its frame and document margins, and room for the
    // horizontal scroll bar that a long line brings.
    const QFontMetrics fm(m_body->font());
    const int frame = 2 * (style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return lines * fm.lineSpacing() + frame + scrollBar;
}

void CEntryBar::SetEditHeight(int pixels)
{
    m_editHeight = std::clamp(pixels, HeightForLines(kMinLines), HeightForLines(kMaxLines));
    if (m_edit)
        m_edit->setFixedHeight(m_editHeight);
}

CEntryBar::~CEntryBar() { DetachEntryEdit(); }

void CEntryBar::AttachEntryEdit(CEntryEdit* edit)
{
    if (m_edit == edit)
        return;
    DetachEntryEdit();
    if (!edit)
        return;
    m_edit = edit;
    const DialogUnits du = UnitsOf(m_body->font());
    edit->setParent(m_body);
    edit->setMinimumWidth(du.X(199));
    edit->setMaximumWidth(QWIDGETSIZE_MAX);
    edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    edit->setFixedHeight(m_editHeight);
    m_layout->insertWidget(1, edit, 1);
    edit->show();
}

void CEntryBar::DetachEntryEdit()
{
    if (!m_edit)
        return;
    CEntryEdit* edit = m_edit;
    m_edit = nullptr;
    m_layout->removeWidget(edit);
    edit->hide();
    edit->setParent(nullptr);
}
