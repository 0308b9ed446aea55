#pragma once
#include <QColor>
#include <QImage>
#include <QSize>

namespace kinloom {

class ItemStore;
struct ChartDrawing;
class PosterLayout;
struct PosterSettings;

// The print window's preview of a whole chart: its pages, scaled into a picture, with the page
// boundaries, the parent and couple lines, and the boxes of the included items, each at least one
// pixel wide and high so that a large tree shows its shape. Fitted to n x n pages it is the
// printer's page (W x H device pixels at `dpi`) with the poster drawn on it as one page, divided
// into n x n; at a size on paper, every page where it lies. A null image when no item is included.
QImage posterPreview(const ItemStore& store, const PosterSettings& settings, QSize picture, QSize page, int dpi,
                     const QColor& background);
QImage posterPreview(const ChartDrawing& drawing, const PosterSettings& settings, QSize picture, QSize page, int dpi,
                     const QColor& background);

// The preview of a 1-page poster of the included items.
QImage posterPreview(const ItemStore& store, bool selectedOnly, QSize picture, QSize page, const QColor& background);

// One page of a chart as it will print, scaled into a picture.
QImage pagePreview(const PosterLayout& layout, int index, QSize picture, const QColor& background);

}  // namespace kinloom
