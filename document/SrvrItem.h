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
