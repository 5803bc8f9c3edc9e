#pragma once
// The equation view: draws its document's equation and takes no text input of its
// own; text is typed in the entry bar. Outside in-place editing it scrolls and zooms;
// zoom changes only the view's mapping, never the font or the pictures. Printing and
// print preview draw at the actual size.
#include <QAbstractScrollArea>
#include <QSize>
#include <cstdint>
#include <memory>
#include <optional>

#include "document/MolvexDoc.h"

class CDC;
class CQtDC;
class QPrinter;

class CContainerUpdate;

class CMolvexView : public QAbstractScrollArea, public IDocumentObserver {
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

    // One logical unit per device unit at 100 %, origin at the top left, scrolled.
    void OnPrepareDC(CDC& dc);
    // Draws the equation for a window (or page) of the given size; with `only`, just
    // the lines that reach into those rows of the equation.
    void OnDraw(CDC& dc, QSize windowSize, std::optional<EquationBand> only = std::nullopt);

    // Prints the document on a printer that is set up already; false when the printer
    // could not be started.
    bool PrintTo(QPrinter& printer);

    // Zoom in percent, one of kZoomSteps.
    int Zoom() const { return m_zoom; }
    void SetZoom(int percent);
    void ZoomIn();
    void ZoomOut();
    static constexpr int kZoomSteps[] = {25, 33, 50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400, 600, 800};

    // Scrolls so that the given equation line (0-based) is in sight, and across to
    // the caret before a position of it when one is given.
    void EnsureLineVisible(int line, int position = -1);
    // The equation's size on screen at the current zoom, margins included.
    QSize ContentSize() const;
    // The character under a point of the viewport, if any.
    std::optional<LineHit> HitAt(QPoint viewportPos);
    // How the character at a position of a line was read, in words.
    QString Describe(const LineHit& hit);

    // The line the entry box's caret is on: what the view tells assistive technology
    // names it as well as the whole equation.
    void SetCaretLine(int line);

    void UpdateView(CMolvexDoc&) override;
    void ModifiedChanged(CMolvexDoc&, bool modified) override;

    static constexpr int kMargin = 10;    // the drawing offset outside in-place editing
    static constexpr int kInPlaceShrink = 3;

signals:
    void modifiedChanged(bool modified);
    void zoomChanged(int percent);
    // A click on a character: the entry box's caret goes before it.
    void characterClicked(int line, int position);
    // The pointer moved onto a character (an empty text: onto none).
    void characterHovered(const QString& description);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Measure();
    // The view is painted by hand: its accessible name and description carry the
    // equation's spoken form, set (with the change announced) whenever it changes.
    void UpdateAccessibleText();
    // A screen context mapped as painting maps it, without the scrolling: measured on
    // it, the equation has the extent it is drawn with at the current zoom.
    std::unique_ptr<CQtDC> MeasuringDC() const;
    // The part of the viewport a change of the document leaves different from what
    // was drawn with `before`: the rows of the changed lines when no other line moved,
    // else all of it.
    QRect ChangedArea(const EquationBox& before) const;
    // The rows of the equation that a part of the viewport shows.
    EquationBand RowsShownIn(const QRect& area) const;
    void UpdateScrollBars();
    int ToScreen(int logical) const { return static_cast<int>(static_cast<long long>(logical) * m_zoom / 100); }

    CMolvexDoc& m_doc;
    CContainerUpdate* m_containerUpdate;
    bool m_inPlace = false;
    int m_zoom = 100;
    // The equation as last measured; its lines are what the viewport shows.
    std::shared_ptr<const EquationBox> m_layout = std::make_shared<const EquationBox>();
    std::optional<LineHit> m_hovered;
    int m_caretLine = 0;
};
