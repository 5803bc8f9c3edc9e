#pragma once
// A device context that records a 16-bit Windows metafile (the format of clipboard
// metafile pictures and .wmf files), byte for byte as GDI lays it out. Measuring
// goes to an attribute context given at construction, which sees the same fonts
// selected, so the recorded layout is the one that context would produce.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "document/Clipboard.h"
#include "engine/DrawingState.h"

namespace wmf {
// Record function numbers (low byte: function, high byte: parameter words).
constexpr std::uint16_t META_EOF = 0x0000;
constexpr std::uint16_t META_SETBKMODE = 0x0102;
constexpr std::uint16_t META_SETMAPMODE = 0x0103;
constexpr std::uint16_t META_SETTEXTCOLOR = 0x0209;
constexpr std::uint16_t META_SETWINDOWORG = 0x020B;
constexpr std::uint16_t META_SETWINDOWEXT = 0x020C;
constexpr std::uint16_t META_SETVIEWPORTORG = 0x020D;
constexpr std::uint16_t META_SETVIEWPORTEXT = 0x020E;
constexpr std::uint16_t META_LINETO = 0x0213;
constexpr std::uint16_t META_MOVETO = 0x0214;
constexpr std::uint16_t META_SELECTOBJECT = 0x012D;
constexpr std::uint16_t META_SETTEXTALIGN = 0x012E;
constexpr std::uint16_t META_DELETEOBJECT = 0x01F0;
constexpr std::uint16_t META_TEXTOUT = 0x0521;
constexpr std::uint16_t META_CREATEPENINDIRECT = 0x02FA;
constexpr std::uint16_t META_CREATEFONTINDIRECT = 0x02FB;
constexpr std::uint16_t META_CREATEBRUSHINDIRECT = 0x02FC;

constexpr std::uint16_t kHeaderWords = 9;
constexpr std::uint16_t kVersion = 0x0300;
constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableHeaderBytes = 22;

constexpr std::uint16_t BS_SOLID = 0;
constexpr std::uint16_t BS_NULL = 1;
} // namespace wmf

class CMetafileDC : public CStateDC {
public:
    // The attribute context must outlive the recorder. Whatever the recorder changes
    // on it (mapping, alignment, colour, selected objects) is put back by Close or
    // the destructor, and every object created through the recorder is deleted there.
    explicit CMetafileDC(CDC& attribute);
    ~CMetafileDC() override;
    CMetafileDC(const CMetafileDC&) = delete;
    CMetafileDC& operator=(const CMetafileDC&) = delete;

    HGDIOBJ CreatePen(int style, int width, COLORREF color) override;
    HGDIOBJ CreateFontIndirectA(const LOGFONTA& font) override;
    bool DeleteObject(HGDIOBJ object) override;

    // Each state call is recorded, passed on to the attribute context, and kept.
    int SetBkMode(int mode) override;
    unsigned SetTextAlign(unsigned align) override;
    COLORREF SetTextColor(COLORREF color) override;

    int SetMapMode(int mode) override;
    int GetMapMode() override;
    POINT SetWindowOrg(int x, int y) override;
    SIZE SetWindowExt(int cx, int cy) override;
    POINT SetViewportOrg(int x, int y) override;
    SIZE SetViewportExt(int cx, int cy) override;
    int GetDeviceCaps(int index) override;
    CDC& Attribute() override { return m_attr; }
    std::uint64_t MetricsKey() override { return m_attr.MetricsKey(); }

    bool GetTextMetricsA(TEXTMETRICA& metrics) override;
    SIZE GetTextExtentPoint32A(const char* text, int count) override;
    TEXTINK GetTextInk(const char* text, int count) override { return m_attr.GetTextInk(text, count); }

    bool TextOut(int x, int y, const char* text, int count) override;
    POINT MoveTo(int x, int y) override;

    // Ends the recording (EOF record, header) and returns the metafile. Later calls
    // return the same bytes; drawing after Close records nothing.
    //
    // Readers that find a picture's bounds by scanning what it draws (libwmf among
    // them) would shrink the picture to its ink, and refuse one that draws nothing; so
    // once a window extent has been set, an invisible null-pen stroke from corner to
    // corner of the window ends the recording.
    std::vector<std::uint8_t> Close();
    bool IsClosed() const { return m_closed; }

protected:
    ObjectKind KindOf(HGDIOBJ object) override;
    ObjectKind CreatedKind(HGDIOBJ object) override;
    void Selected(ObjectKind kind, HGDIOBJ object, HGDIOBJ previous) override;
    bool DrawLine(POINT from, POINT to) override;

private:
    struct Object {
        ObjectKind kind = ObjectKind::Pen;
        HGDIOBJ attribute = 0;            // the twin on the attribute context
        int slot = -1;                    // metafile object table index once recorded
        std::vector<std::uint16_t> create; // parameter words of its creation record
        std::uint16_t createFunction = 0;
    };

    void Record(std::uint16_t function, const std::vector<std::uint16_t>& params);
    int AllocateSlot();
    // Makes sure the object has a slot in the metafile's object table, recording its
    // creation on first use; returns the slot.
    int Realise(Object& object);
    std::optional<Object> StockObject(HGDIOBJ handle) const;
    Object* Find(HGDIOBJ handle);
    void RestoreAttribute();

    CDC& m_attr;
    std::vector<std::uint8_t> m_records; // everything after the header
    std::uint32_t m_maxRecordWords = 0;
    std::optional<SIZE> m_recordedWindowExt; // the last window extent recorded
    std::vector<bool> m_slots;           // object table: true = in use
    std::map<HGDIOBJ, Object> m_objects; // created through this recorder
    std::map<HGDIOBJ, Object> m_stock;   // stock objects given a slot
    HGDIOBJ m_nextHandle = 1;

    // What the attribute context had before the recorder first changed it.
    std::optional<int> m_attrMapMode, m_attrBkMode;
    std::optional<unsigned> m_attrAlign;
    std::optional<COLORREF> m_attrTextColor;
    std::optional<POINT> m_attrWindowOrg, m_attrViewportOrg;
    std::optional<SIZE> m_attrWindowExt, m_attrViewportExt;
    std::array<HGDIOBJ, 3> m_attrSelected{}; // by ObjectKind; 0 = not changed

    bool m_closed = false;
    std::vector<std::uint8_t> m_result;
};

// A metafile with the 22-byte placeable header in front, as .wmf files and other
// programs' clipboard formats carry it so that the picture keeps its physical size.
// The box is in the metafile's logical units; unitsPerInch is how many of them make
// an inch. Values beyond 16 bits are saturated.
std::vector<std::uint8_t> WithPlaceableHeader(const std::vector<std::uint8_t>& wmf, int left, int top,
                                              int right, int bottom, int unitsPerInch);

// The logical inch of a clipboard picture, recovered from its two sizes (the record
// carries only hundredths of a millimetre); 96 when it cannot be told.
int PictureUnitsPerInch(const MetafilePicture& picture);

// A clipboard picture as a .wmf file: placeable header with the box in logical units.
// Kept here, apart from the document, so the platform layer can use it without the
// engine's line header.
std::vector<std::uint8_t> PlaceableMetafile(const MetafilePicture& picture);
