#pragma once
#include <QPoint>
#include <QRect>
#include <QString>

namespace kinloom {

struct PersonItem;

enum class CanvasCursor { Arrow, Cross, PointingHand, ClosedHand };

// What the interaction state machine asks of the window it runs in. The canvas widget draws these
// into its back buffer; tests record them. Rectangles, lines and points are in screen pixels.
class CanvasSurface {
public:
    virtual ~CanvasSurface() = default;
    // Erase to the background colour and paint the tree.
    virtual void repaint() = 0;
    // Paint the tree over what is there, without erasing.
    virtual void paintWithoutErase() = 0;
    virtual void invertRect(const QRect& rect) = 0;
    virtual void invertLine(QPoint from, QPoint to) = 0;
    virtual void invertFrame(QPoint a, QPoint b, bool dotted) = 0;
    // Fills the whole client area with the background colour (start of panning).
    virtual void fillBackground() = 0;
    // Fills and edges one rectangle in a colour (the silver boxes of panning, and erasing them).
    virtual void fillBox(const QRect& rect, bool silver) = 0;
    virtual void setCanvasCursor(CanvasCursor cursor) = 0;
    virtual void setStatusText(const QString& text) = 0;
    // The window's hint text and whether hints are shown.
    virtual void setHint(const QString& text, bool enabled) = 0;
    // The check mark of "Zoom to &Area".
    virtual void setZoomToAreaChecked(bool checked) = 0;
    // The enabled state of the toolbar's "Edit properties" and "Create ancestor tree".
    virtual void setToolbarButtons(bool editProperties, bool createAncestorTree) = 0;
};

}  // namespace kinloom
