#pragma once
// The embedded object's item: what a container gets from a document (its native
// data, its picture with the picture's size, its extents) and the notification that
// the picture has gone stale.
#include <cstdint>
#include <functional>
#include <vector>

#include "document/MolvexDoc.h"

class CArchive;

// Drawing aspects a container may ask about.
constexpr int DVASPECT_CONTENT = 1;

// The lowering hint's Amount: the distance from the picture's bottom edge up to the
// first line's base line, in thousandths of the picture's height (0 when the height
// is zero or the ratio does not fit).
std::int32_t LoweringAmount(const EquationBox& m);

// Where a container puts the picture: its size and the lowering, both in hundredths
// of a millimetre of the attribute context the equation was measured on.
struct PicturePlacement {
    EquationBox metrics;
    SIZE himetricSize{0, 0};
    std::int32_t himetricLowering = 0;
    std::int32_t amount = 0;
};

class CMolvexSrvrItem : public IDocumentObserver {
public:
    // Observes the document until destroyed. A link item serializes nothing.
    explicit CMolvexSrvrItem(CMolvexDoc& doc, bool linkItem = false);
    ~CMolvexSrvrItem() override;
    CMolvexSrvrItem(const CMolvexSrvrItem&) = delete;
    CMolvexSrvrItem& operator=(const CMolvexSrvrItem&) = delete;

    CMolvexDoc& GetDocument() const { return m_doc; }

    void Serialize(CArchive& ar);
    // The native data: the archive bytes as Serialize writes them.
    std::vector<std::uint8_t> NativeData();
    // Draws the equation with one logical unit per device unit of dc's attribute
    // side, publishes the lowering hint, and returns the size in hundredths of a mm.
    bool OnDraw(CDC& dc, SIZE& size);
    // What OnDraw publishes, measured on dc without drawing or publishing.
    PicturePlacement Placement(CDC& dc) const;
    bool OnGetExtent(int aspect, SIZE& size) const;

    void ItemsChanged(CMolvexDoc&) override;

    // The shell hangs the entry box's focus and the container's notification here.
    std::function<void()> onFocusEntry;
    std::function<void()> onChanged;
    // Amount published by the last OnDraw, for whoever wants it without the store.
    std::int32_t lastAmount = 0;

private:
    CMolvexDoc& m_doc;
    bool m_link;
};
