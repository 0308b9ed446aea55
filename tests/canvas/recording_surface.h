#pragma once
#include "canvas/canvas_surface.h"

#include <QStringList>
#include <vector>

namespace kinloom::test {

// A canvas that only records what the interaction asked of it.
struct RecordingSurface : CanvasSurface {
    int repaints = 0;
    int paintsWithoutErase = 0;
    std::vector<QRect> inverted;
    std::vector<std::pair<QPoint, QPoint>> lines;
    std::vector<std::pair<QPoint, QPoint>> frames;
    std::vector<bool> frameDotted;
    int backgroundFills = 0;
    int silverBoxes = 0;
    int erasedBoxes = 0;
    CanvasCursor cursor = CanvasCursor::Arrow;
    QString status;
    QString hint;
    bool hintsOn = false;
    bool zoomToAreaChecked = false;
    std::vector<std::pair<bool, bool>> toolbar;

    void repaint() override { ++repaints; }
    void paintWithoutErase() override { ++paintsWithoutErase; }
    void invertRect(const QRect& rect) override { inverted.push_back(rect); }
    void invertLine(QPoint from, QPoint to) override { lines.emplace_back(from, to); }
    void invertFrame(QPoint a, QPoint b, bool dotted) override {
        frames.emplace_back(a, b);
        frameDotted.push_back(dotted);
    }
    void fillBackground() override { ++backgroundFills; }
    void fillBox(const QRect&, bool silver) override { ++(silver ? silverBoxes : erasedBoxes); }
    void setCanvasCursor(CanvasCursor c) override { cursor = c; }
    void setStatusText(const QString& text) override { status = text; }
    void setHint(const QString& text, bool enabled) override {
        hint = text;
        hintsOn = enabled;
    }
    void setZoomToAreaChecked(bool checked) override { zoomToAreaChecked = checked; }
    void setToolbarButtons(bool edit, bool create) override { toolbar.emplace_back(edit, create); }
};

}  // namespace kinloom::test
