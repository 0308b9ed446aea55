#pragma once
#include <QPoint>
#include <QRect>
#include <QString>

namespace kinloom {

struct TPersonItem;

enum class CanvasCursor { Arrow, Cross, PointingHand };

// What the interaction state machine asks of the window it runs in. The canvas widget draws these
// into its back buffer; tests record them. Rectangles, lines and points are in screen pixels.
class CanvasSurface {
public:
    virtual ~CanvasSurface() = default;
    // Erase to the background colour and paint the tree.
    virtual void Repaint() = 0;
    // Paint the tree over what is there, without erasing.
    virtual void PaintWithoutErase() = 0;
    virtual void InvertRect(const QRect& rect) = 0;
    virtual void InvertLine(QPoint from, QPoint to) = 0;
    virtual void InvertFrame(QPoint a, QPoint b, bool dotted) = 0;
    // Fills the whole client area with the background colour (start of panning).
    virtual void FillBackground() = 0;
    // Fills and edges one rectangle in a colour (the silver boxes of panning, and erasing them).
    virtual void FillBox(const QRect& rect, bool silver) = 0;
    virtual void SetCursor(CanvasCursor cursor) = 0;
    virtual void SetStatusText(const QString& text) = 0;
    // The window's hint text and whether hints are shown.
    virtual void SetHint(const QString& text, bool enabled) = 0;
    // The check mark of "Zoom to &Area".
    virtual void SetZoomToAreaChecked(bool checked) = 0;
    // The enabled state of the toolbar's "Edit properties" and "Create ancestor tree".
    virtual void SetToolbarButtons(bool editProperties, bool createAncestorTree) = 0;
};

}  // namespace kinloom
