#pragma once
// The equation view: draws its document's equation and takes no input of its own;
// text is typed in the entry bar. Printing and print preview draw the same way.
#include <QSize>
#include <QWidget>
#include <cstdint>

#include "document/MolvexDoc.h"

class CDC;
class QPrinter;

class CContainerUpdate;

class CMolvexView : public QWidget, public IDocumentObserver {
    Q_OBJECT
public:
    // containerUpdate is what the first drawing in place takes; it may be null when
    // nothing owns one.
    CMolvexView(CMolvexDoc& doc, CContainerUpdate* containerUpdate, QWidget* parent = nullptr);
    ~CMolvexView() override;

    CMolvexDoc& GetDocument() const { return m_doc; }

    // Set while the document is edited inside a container: the equation is then
    // stretched over the whole window.
    void SetInPlaceActive(bool active);
    bool IsInPlaceActive() const { return m_inPlace; }

    // One logical unit per device unit, origin at the top left.
    void OnPrepareDC(CDC& dc);
    // Draws the equation for a window (or page) of the given size.
    void OnDraw(CDC& dc, QSize windowSize);

    // Prints the document on a printer that is set up already; false when the printer
    // could not be started.
    bool PrintTo(QPrinter& printer);

    void UpdateView(CMolvexDoc&) override;
    void ModifiedChanged(CMolvexDoc&, bool modified) override;

    static constexpr int kMargin = 10;    // the drawing offset outside in-place editing
    static constexpr int kInPlaceShrink = 3;

signals:
    void modifiedChanged(bool modified);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CMolvexDoc& m_doc;
    CContainerUpdate* m_containerUpdate;
    bool m_inPlace = false;
};
