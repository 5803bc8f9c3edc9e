#include "shell/MolvexView.h"
#include "shell/ContainerUpdate.h"

#include <QPaintEvent>
#include <algorithm>
#include <QPainter>
#include <QPrinter>

#include "platform/QtDeviceContext.h"

CMolvexView::CMolvexView(CMolvexDoc& doc, CContainerUpdate* containerUpdate, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_containerUpdate(containerUpdate)
{
    setObjectName(QStringLiteral("equationView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The view is focusable so that the Edit commands can be shown to reach the entry
    // box whatever has the focus; it has no keyboard handling of its own.
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(40, 30);
    m_doc.AddObserver(this);
}

CMolvexView::~CMolvexView() { m_doc.RemoveObserver(this); }

void CMolvexView::SetInPlaceActive(bool active)
{
    m_inPlace = active;
    update();
}

void CMolvexView::OnPrepareDC(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(1, 1);
}

void CMolvexView::OnDraw(CDC& dc, QSize windowSize)
{
    dc.SetTextAlign(TA_TOP | TA_LEFT);
    dc.SetMapMode(MM_ANISOTROPIC);
    const EquationMetrics m = m_doc.MeasureEquation(dc);

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
    }
    m_doc.DrawEquation(dc, m.lineTops, x, y);

    // Taken first: updating the views below schedules another paint.
    if (m_inPlace && m_containerUpdate && m_containerUpdate->Take()) {
        m_doc.SetModifiedFlag(true);
        m_doc.UpdateAllViews();
        m_doc.UpdateAllItems();
    }
}

void CMolvexView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    CQtDC dc(&painter);
    OnPrepareDC(dc);
    OnDraw(dc, size());
}

bool CMolvexView::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    {
        CQtDC dc(&painter);
        OnPrepareDC(dc);
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        painter.setClipRect(QRect(QPoint(0, 0), page.size()));
        OnDraw(dc, page.size());
    }
    painter.end();
    return true;
}

void CMolvexView::UpdateView(CMolvexDoc&) { update(); }

void CMolvexView::ModifiedChanged(CMolvexDoc&, bool modified) { emit modifiedChanged(modified); }
