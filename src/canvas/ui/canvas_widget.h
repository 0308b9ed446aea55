#pragma once
#include "canvas/canvas_surface.h"
#include "canvas/paint_tree.h"
#include "canvas/interaction.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

namespace kinloom {

class ItemStore;
class Prompts;
class CanvasPopupMenu;

// The canvas of the main window. Everything is drawn into a back buffer the size of the client
// area, in the screen's own pixels (twice as many each way on a 2x screen, with the same geometry in
// logical pixels): the tree by paintTree and the inverted highlights on top; paintEvent only copies it. Mouse
// and keys go to the core's CanvasInteraction, which calls back through CanvasSurface.
class CanvasWidget : public QWidget, public CanvasSurface {
    Q_OBJECT
public:
    // The store and the view belong to the main window and outlive the widget.
    CanvasWidget(ItemStore& store, ViewState& view, QWidget* parent = nullptr);
    ~CanvasWidget() override;

    CanvasInteraction& interaction() { return *interaction_; }
    CanvasPopupMenu& popupMenu() { return *popup_; }
    const QImage& backBuffer() const { return buffer_; }
    const PaintResult& lastPaint() const { return lastPaint_; }
    // The paint settings (font, colour code, file name, character set) used by every paint.
    PaintSettings& settings() { return settings_; }
    // Called before every paint to bring the settings up to date from the application state.
    void setSettingsSource(std::function<void(PaintSettings&)> source) { settingsSource_ = std::move(source); }
    // Where "Tree cannot be drawn - error in database" is told; null: not told.
    void setPrompts(Prompts* prompts) { prompts_ = prompts; }
    // The main window's outer size, used by the zoom commands and the visibility test.
    WindowSize windowSize() const;

    // Erase and paint (the repaint that nearly every command asks for).
    void repaintTree();
    // Paint over the picture without erasing.
    void paintTreeWithoutErase();
    // Zoom › Fit Whole Tree and Fit Selection, over the client area.
    void fitWholeTree();
    void fitSelection();
    // After a tree was read: shown whole when it does not fit at 100 %.
    void showWholeTreeIfLarge();

    // CanvasSurface
    void repaint() override;
    void paintWithoutErase() override;
    void invertRect(const QRect& rect) override;
    void invertLine(QPoint from, QPoint to) override;
    void invertFrame(QPoint a, QPoint b, bool dotted) override;
    void fillBackground() override;
    void fillBox(const QRect& rect, bool silver) override;
    void setCanvasCursor(CanvasCursor cursor) override;
    void setStatusText(const QString& text) override;
    void setHint(const QString& text, bool enabled) override;
    void setZoomToAreaChecked(bool checked) override;
    void setToolbarButtons(bool editProperties, bool createAncestorTree) override;

signals:
    // After every paint: the caption and the navigator's counter labels.
    void painted(const kinloom::PaintResult& result);
    void statusTextChanged(const QString& text);
    void zoomToAreaCheckedChanged(bool checked);
    void toolbarButtonsChanged(bool editProperties, bool createAncestorTree);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void paintTree(bool erase);
    void syncWindowSize();

    ItemStore& store_;
    ViewState& view_;
    PaintSettings settings_;
    std::function<void(PaintSettings&)> settingsSource_;
    Prompts* prompts_ = nullptr;
    QImage buffer_;
    PaintResult lastPaint_;
    std::unique_ptr<CanvasInteraction> interaction_;
    CanvasPopupMenu* popup_;
};

}  // namespace kinloom
