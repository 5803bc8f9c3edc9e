#include "document/SrvrItem.h"

#include <cmath>

#include "document/AppState.h"
#include "document/PictureExport.h"

CMolvexSrvrItem::CMolvexSrvrItem(CMolvexDoc& doc, bool linkItem) : m_doc(doc), m_link(linkItem)
{
    m_doc.AddObserver(this);
}

CMolvexSrvrItem::~CMolvexSrvrItem() { m_doc.RemoveObserver(this); }

void CMolvexSrvrItem::Serialize(CArchive& ar)
{
    if (!m_link)
        m_doc.Serialize(ar);
}

std::vector<std::uint8_t> CMolvexSrvrItem::NativeData()
{
    if (m_link)
        return {};
    return m_doc.SaveToBytes();
}

std::int32_t LoweringAmount(const EquationBox& m)
{
    // An empty equation still measures as "3", but a hostile font record could make
    // the height zero; no hint is better than a division by zero.
    if (m.size.cy == 0)
        return 0;
    const double a = static_cast<double>(m.lowering) / static_cast<double>(m.size.cy) * 1000.0;
    if (!std::isfinite(a) || std::fabs(a) >= 2147483647.0)
        return 0;
    return static_cast<std::int32_t>(a);
}

PicturePlacement CMolvexSrvrItem::Placement(CDC& dc) const
{
    PicturePlacement p;
    p.metrics = m_doc.MeasureEquation(dc);
    p.amount = LoweringAmount(p.metrics);
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    p.himetricSize = SIZE{LogicalToHimetric(p.metrics.size.cx, dpiX), LogicalToHimetric(p.metrics.size.cy, dpiY)};
    p.himetricLowering = LogicalToHimetric(p.metrics.lowering, dpiY);
    return p;
}

bool CMolvexSrvrItem::OnDraw(CDC& dc, SIZE& size)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    size = SIZE{0, 0};

    const PicturePlacement placement = Placement(dc);
    const EquationBox& m = placement.metrics;
    const std::int32_t amount = placement.amount;
    lastAmount = amount;

    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(m.size.cx, m.size.cy);
    dc.SetViewportExt(m.size.cx, m.size.cy);

    size = placement.himetricSize;

    MolvexAppState& app = m_doc.App();
    app.adjustStore.SetInt("Lowering Hint", "Amount", amount, true);
    app.adjustStore.SetInt("Lowering Hint", "PointSize", -app.options.font.Get().lf.lfHeight, true);
    app.levelAdjust.Save(app.adjustStore);
    (void)app.adjustStore.Save();

    DrawEquationBox(m, dc, 0, 0);

    if (onFocusEntry)
        onFocusEntry();
    return true;
}

bool CMolvexSrvrItem::OnGetExtent(int aspect, SIZE& size) const
{
    if (aspect != DVASPECT_CONTENT) {
        size = SIZE{0, 0};
        return false;
    }
    size = SIZE{10000, 10000};
    return true;
}

void CMolvexSrvrItem::ItemsChanged(CMolvexDoc&)
{
    if (onChanged)
        onChanged();
}
