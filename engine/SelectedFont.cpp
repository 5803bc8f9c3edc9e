#include "engine/SelectedFont.h"

#include <cstdint>
#include <limits>

CSelectedFont::~CSelectedFont()
{
    if (!m_dc)
        return;
    m_dc->SelectStockObject(SYSTEM_FONT);
    if (m_created)
        m_dc->DeleteObject(m_created);
}

LOGFONTA CSelectedFont::DeviceLogFont(const KVEquationFont& description, bool himetric)
{
    LOGFONTA lf = description.lf;
    if (himetric) {
        // Negating INT_MIN would overflow; the nearest representable height serves.
        std::int64_t h = -static_cast<std::int64_t>(description.himetricHeight);
        if (h > std::numeric_limits<std::int32_t>::max())
            h = std::numeric_limits<std::int32_t>::max();
        lf.lfHeight = static_cast<std::int32_t>(h);
    }
    return lf;
}

int CSelectedFont::Select(CDC& dc, bool himetric)
{
    if (m_dc)
        Deselect(*m_dc); // never leak a font selected twice
    const LOGFONTA lf = DeviceLogFont(font, himetric);
    m_created = dc.CreateFontIndirectA(lf);
    m_previousFont = dc.SelectObject(m_created);
    m_previousColor = dc.SetTextColor(font.color);
    m_dc = &dc;
    std::int64_t magnitude = lf.lfHeight < 0 ? -static_cast<std::int64_t>(lf.lfHeight) : lf.lfHeight;
    if (magnitude > std::numeric_limits<int>::max())
        magnitude = std::numeric_limits<int>::max();
    return static_cast<int>(magnitude);
}

void CSelectedFont::Deselect(CDC& dc)
{
    if (!m_dc)
        return; // nothing selected: leave the text colour alone
    if (m_previousFont)
        dc.SelectObject(m_previousFont);
    dc.SetTextColor(m_previousColor);
    if (m_created)
        dc.DeleteObject(m_created);
    m_previousFont = 0;
    m_created = 0;
    m_dc = nullptr;
}
