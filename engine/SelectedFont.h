#pragma once
// A font description together with the live font made from it while it is selected
// into a device context. Fonts live only from Select to Deselect.
#include "engine/DeviceContext.h"
#include "engine/LogRecords.h"

class CSelectedFont {
public:
    CSelectedFont() = default;
    explicit CSelectedFont(const KVEquationFont& description) : font(description) {}
    // Still selected: the stock system font goes back in and the created font is deleted.
    ~CSelectedFont();
    CSelectedFont(const CSelectedFont&) = delete;
    CSelectedFont& operator=(const CSelectedFont&) = delete;

    // Creates the font (under MM_HIMETRIC with the negated HIMETRIC height as character
    // height), selects it and sets the text colour to the description's colour. Returns
    // the magnitude of the character height used.
    int Select(CDC& dc, bool himetric);
    // Selects the previous font again (if there was one), restores the previous text
    // colour and deletes the created font.
    void Deselect(CDC& dc);

    // The LOGFONT a selection creates: under MM_HIMETRIC the character height is the
    // negated HIMETRIC height.
    static LOGFONTA DeviceLogFont(const KVEquationFont& description, bool himetric);

    bool IsSelected() const { return m_dc != nullptr; }

    KVEquationFont font;

private:
    COLORREF m_previousColor = 0;
    HGDIOBJ m_previousFont = 0;
    HGDIOBJ m_created = 0;
    CDC* m_dc = nullptr;
};
