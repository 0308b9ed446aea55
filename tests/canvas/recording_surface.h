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

    void Repaint() override { ++repaints; }
    void PaintWithoutErase() override { ++paintsWithoutErase; }
    void InvertRect(const QRect& rect) override { inverted.push_back(rect); }
    void InvertLine(QPoint from, QPoint to) override { lines.emplace_back(from, to); }
    void InvertFrame(QPoint a, QPoint b, bool dotted) override {
        frames.emplace_back(a, b);
        frameDotted.push_back(dotted);
    }
    void FillBackground() override { ++backgroundFills; }
    void FillBox(const QRect&, bool silver) override { ++(silver ? silverBoxes : erasedBoxes); }
    void SetCursor(CanvasCursor c) override { cursor = c; }
    void SetStatusText(const QString& text) override { status = text; }
    void SetHint(const QString& text, bool enabled) override {
        hint = text;
        hintsOn = enabled;
    }
    void SetZoomToAreaChecked(bool checked) override { zoomToAreaChecked = checked; }
    void SetToolbarButtons(bool edit, bool create) override { toolbar.emplace_back(edit, create); }
};

}  // namespace kinloom::test
