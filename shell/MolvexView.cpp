#include "shell/MolvexView.h"
#include "shell/ContainerUpdate.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <iterator>
#include <limits>
#include <memory>

#include "document/EquationText.h"
#include "engine/ChemText.h"
#include "engine/Cp1252.h"
#include "engine/Explain.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"

CMolvexView::CMolvexView(CMolvexDoc& doc, CContainerUpdate* containerUpdate, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_containerUpdate(containerUpdate)
{
    setObjectName(QStringLiteral("equationView"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    // The view is focusable so that the Edit commands can be shown to reach the entry
    // box whatever has the focus; it has no keyboard handling of its own.
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(40, 30);
    m_doc.AddObserver(this);
    Measure();
    UpdateAccessibleText();
}

void CMolvexView::SetCaretLine(int line)
{
    if (line == m_caretLine)
        return;
    m_caretLine = line;
    UpdateAccessibleText();
}

void CMolvexView::UpdateAccessibleText()
{
    const auto& texts = m_doc.Lines().texts;
    const int lines = static_cast<int>(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return !t.empty(); }));
    const QString whole = QString::fromStdString(EquationSpeech(m_doc));
    QString description;
    if (lines == 0) {
        description = tr("The equation is empty.");
    } else {
        description = whole;
        // With more than one line, the line being edited is said on its own first.
        const std::string& current = texts[static_cast<std::size_t>(std::clamp(m_caretLine, 0, kEquationLines - 1))];
        if (lines > 1)
            description = (current.empty() ? tr("Line %1 is empty.").arg(m_caretLine + 1)
                                           : tr("Line %1: %2.").arg(m_caretLine + 1).arg(QString::fromStdString(
                                                 chem::SpeechText(chem::ReadText(current))))) +
                          QLatin1Char(' ') + tr("The whole equation: %1").arg(whole);
    }
    const QString name = lines == 0 ? tr("Equation picture") : tr("Equation picture: %1").arg(whole);
    // Setting them sends the name and description changes to assistive technology.
    if (accessibleName() != name)
        setAccessibleName(name);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

CMolvexView::~CMolvexView() { m_doc.RemoveObserver(this); }

void CMolvexView::SetInPlaceActive(bool active)
{
    m_inPlace = active;
    // In place the equation fills the window: there is nothing to scroll.
    const Qt::ScrollBarPolicy policy = active ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    UpdateScrollBars();
    viewport()->update();
}

void CMolvexView::OnPrepareDC(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(1, 1);
    if (m_inPlace)
        return;
    if (m_zoom != 100) {
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(m_zoom, m_zoom);
    }
    dc.SetViewportOrg(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

void CMolvexView::OnDraw(CDC& dc, QSize windowSize, std::optional<EquationBand> only)
{
    dc.SetTextAlign(TA_TOP | TA_LEFT);
    dc.SetMapMode(MM_ANISOTROPIC);
    const std::shared_ptr<const EquationBox> equation = m_doc.Layout(dc);
    const EquationBox& m = *equation;

    dc.SetTextAlign(TA_TOP | TA_LEFT);
    dc.SetTextAlign(TA_BASELINE);
    dc.SetMapMode(MM_ANISOTROPIC);

    int x = kMargin;
    int y = kMargin;
    if (m_inPlace) {
        dc.SetWindowOrg(0, 0);
        // An empty-looking equation still measures like a digit, so the extent is
        // never zero; guard anyway, a zero extent would divide by zero when mapping.
        dc.SetWindowExt(std::max(1, m.size.cx), std::max(1, m.size.cy));
        dc.SetViewportExt(windowSize.width() - kInPlaceShrink, windowSize.height() - kInPlaceShrink);
        x = 0;
        y = 0;
        only.reset(); // stretched: every line is everywhere
    }
    DrawEquationBox(m, dc, x, y, only);

    // Taken first: updating the views below schedules another paint.
    if (m_inPlace && m_containerUpdate && m_containerUpdate->Take()) {
        m_doc.SetModifiedFlag(true);
        m_doc.UpdateAllViews();
        m_doc.UpdateAllItems();
    }
}

void CMolvexView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    CQtDC dc(&painter);
    OnPrepareDC(dc);
    // A typed character repaints only its line's rows: the other lines are not laid
    // out into glyphs again.
    OnDraw(dc, viewport()->size(), area == viewport()->rect() ? std::nullopt : std::optional(RowsShownIn(area)));
}

EquationBand CMolvexView::RowsShownIn(const QRect& area) const
{
    // Back through the mapping, widened by a row for the truncation of zoomed values.
    const long long scroll = verticalScrollBar()->value();
    return {(area.top() + scroll) * 100 / m_zoom - kMargin - 1, (area.bottom() + 1 + scroll) * 100 / m_zoom - kMargin + 2};
}

QRect CMolvexView::ChangedArea(const EquationBox& before) const
{
    const QRect all = viewport()->rect();
    if (m_inPlace)
        return all;
    const EquationBox& now = *m_layout;
    std::int64_t top = std::numeric_limits<std::int64_t>::max();
    std::int64_t bottom = std::numeric_limits<std::int64_t>::min();
    for (int i = 0; i < kEquationLines; ++i) {
        const auto line = static_cast<std::size_t>(i);
        // A line keeps its very box while its text and the layout's inputs stay.
        if (before.lines[line] == now.lines[line]) {
            // A line that moved is drawn elsewhere: everything is new.
            if (before.lineTops[line] != now.lineTops[line] || before.Ink(i) != now.Ink(i))
                return all;
            continue;
        }
        // The rows the line took and the rows it takes now.
        for (const EquationBand& ink : {before.Ink(i), now.Ink(i)})
            if (!ink.Empty()) {
                top = std::min(top, ink.top);
                bottom = std::max(bottom, ink.bottom);
            }
    }
    if (top >= bottom)
        return QRect();
    // Onto the viewport, a pixel wider each way for the truncation of zoomed values.
    const long long scroll = verticalScrollBar()->value();
    const long long y0 = (kMargin + top) * m_zoom / 100 - scroll - 1;
    const long long y1 = (kMargin + bottom) * m_zoom / 100 - scroll + 2;
    const long long clampedTop = std::clamp<long long>(y0, all.top(), all.bottom() + 1);
    const long long clampedBottom = std::clamp<long long>(y1, all.top(), all.bottom() + 1);
    return QRect(0, static_cast<int>(clampedTop), all.width(), static_cast<int>(clampedBottom - clampedTop));
}

bool CMolvexView::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        // Paper shows the actual size, whatever the zoom and scrolling on screen.
        CQtDC dc(&painter);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(0, 0);
        dc.SetWindowExt(1, 1);
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        painter.setClipRect(QRect(QPoint(0, 0), page.size()));
        OnDraw(dc, page.size());
    }
    painter.end();
    return true;
}

std::unique_ptr<CQtDC> CMolvexView::MeasuringDC() const
{
    std::unique_ptr<CQtDC> dc = CreateScreenDC();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(1, 1);
    // Fonts are realised at the zoomed size, whose metrics are not the actual size's
    // scaled: the scroll range and hit testing must use what painting lays out.
    if (!m_inPlace && m_zoom != 100) {
        dc->SetWindowExt(100, 100);
        dc->SetViewportExt(m_zoom, m_zoom);
    }
    return dc;
}

void CMolvexView::Measure()
{
    m_layout = m_doc.Layout(*MeasuringDC());
    UpdateScrollBars();
}

std::optional<LineHit> CMolvexView::HitAt(QPoint viewportPos)
{
    if (m_inPlace)
        return std::nullopt;
    const std::unique_ptr<CQtDC> dc = MeasuringDC();
    // Back through the view's mapping: scrolled, then zoomed.
    const long long x = (static_cast<long long>(viewportPos.x()) + horizontalScrollBar()->value()) * 100 / m_zoom;
    const long long y = (static_cast<long long>(viewportPos.y()) + verticalScrollBar()->value()) * 100 / m_zoom;
    return m_doc.HitTest(*dc, POINT{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)}, kMargin, kMargin);
}

QString CMolvexView::Describe(const LineHit& hit)
{
    const CEquationLine line = m_doc.ClassifiedLine(hit.line);
    const auto i = static_cast<size_t>(hit.position);
    if (i >= line.text.size() || i >= line.classes.size() || i >= line.display.size())
        return QString();
    const QString character = QString::fromStdString(Cp1252ToUtf8(line.text.substr(i, 1)));
    return tr("Line %1, “%2”: %3 (class %4), %5 (display code %6)")
        .arg(hit.line + 1)
        .arg(character)
        .arg(QLatin1String(CharClassName(line.classes[i])))
        .arg(ToInt(line.classes[i]))
        .arg(QLatin1String(DisplayCodeName(line.display[i])))
        .arg(ToInt(line.display[i]));
}

void CMolvexView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        if (const auto hit = HitAt(event->position().toPoint())) {
            emit characterClicked(hit->line, hit->position);
            return;
        }
    QAbstractScrollArea::mousePressEvent(event);
}

void CMolvexView::mouseMoveEvent(QMouseEvent* event)
{
    const auto hit = HitAt(event->position().toPoint());
    if (!(hit == m_hovered)) {
        m_hovered = hit;
        emit characterHovered(hit ? Describe(*hit) : QString());
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CMolvexView::leaveEvent(QEvent* event)
{
    if (m_hovered) {
        m_hovered.reset();
        emit characterHovered(QString());
    }
    QAbstractScrollArea::leaveEvent(event);
}

QSize CMolvexView::ContentSize() const
{
    return QSize(ToScreen(m_layout->size.cx + 2 * kMargin), ToScreen(m_layout->size.cy + 2 * kMargin));
}

void CMolvexView::UpdateScrollBars()
{
    if (m_inPlace) {
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
        return;
    }
    const QSize content = ContentSize();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, content.height() - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setSingleStep(20);
}

void CMolvexView::SetZoom(int percent)
{
    percent = std::clamp(percent, kZoomSteps[0], kZoomSteps[std::size(kZoomSteps) - 1]);
    if (percent == m_zoom)
        return;
    // Keep the point at the top left corner where it is in the equation.
    const double ratio = static_cast<double>(percent) / m_zoom;
    const int h = qRound(horizontalScrollBar()->value() * ratio);
    const int v = qRound(verticalScrollBar()->value() * ratio);
    m_zoom = percent;
    Measure();
    horizontalScrollBar()->setValue(h);
    verticalScrollBar()->setValue(v);
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void CMolvexView::ZoomIn()
{
    for (int step : kZoomSteps)
        if (step > m_zoom) {
            SetZoom(step);
            return;
        }
}

void CMolvexView::ZoomOut()
{
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < m_zoom) {
            SetZoom(*it);
            return;
        }
}

void CMolvexView::EnsureLineVisible(int line, int position)
{
    if (m_inPlace || line < 0 || line >= kEquationLines)
        return;
    const auto& texts = m_doc.Lines().texts;
    // Empty lines take no room: an empty line sits where the next drawn line begins.
    int bottom = m_layout->size.cy;
    for (int i = line + 1; i < kEquationLines; ++i)
        if (!texts[static_cast<size_t>(i)].empty()) {
            bottom = m_layout->lineTops[static_cast<size_t>(i)];
            break;
        }
    const int top = texts[static_cast<size_t>(line)].empty() ? bottom : m_layout->lineTops[static_cast<size_t>(line)];
    const int screenTop = ToScreen(kMargin + top);
    const int screenBottom = ToScreen(kMargin + bottom);
    QScrollBar* bar = verticalScrollBar();
    const int height = viewport()->height();
    if (screenBottom - screenTop >= height || screenTop < bar->value())
        bar->setValue(screenTop - ToScreen(kMargin));
    else if (screenBottom > bar->value() + height)
        bar->setValue(screenBottom - height + ToScreen(kMargin));

    if (position < 0)
        return;
    const std::optional<std::int64_t> caret = m_doc.CaretX(*MeasuringDC(), line, position);
    if (!caret)
        return;
    const int screenX = ToScreen(static_cast<int>(std::clamp<std::int64_t>(kMargin + *caret, 0, INT_MAX / 8)));
    QScrollBar* across = horizontalScrollBar();
    const int width = viewport()->width();
    if (screenX < across->value())
        across->setValue(screenX - ToScreen(kMargin));
    else if (screenX > across->value() + width - ToScreen(kMargin))
        across->setValue(screenX - width + ToScreen(kMargin));
}

void CMolvexView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CMolvexView::wheelEvent(QWheelEvent* event)
{
    if (!m_inPlace && (event->modifiers() & Qt::ControlModifier)) {
        const int delta = event->angleDelta().y();
        if (delta > 0)
            ZoomIn();
        else if (delta < 0)
            ZoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CMolvexView::scrollContentsBy(int, int) { viewport()->update(); }

void CMolvexView::UpdateView(CMolvexDoc&)
{
    const std::shared_ptr<const EquationBox> before = m_layout;
    Measure();
    UpdateAccessibleText();
    const QRect changed = ChangedArea(*before);
    if (!changed.isEmpty())
        viewport()->update(changed);
}

void CMolvexView::ModifiedChanged(CMolvexDoc&, bool modified) { emit modifiedChanged(modified); }
