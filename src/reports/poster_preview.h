#pragma once
#include <QColor>
#include <QImage>
#include <QSize>

namespace kinloom {

class ItemStore;

// The print window's schematic preview: the printer's page (W x H device pixels) scaled into a
// picture, with the boxes of the included items where one page of the poster puts them; no
// lines, no texts, no header. A null image when no item is included.
QImage posterPreview(const ItemStore& store, bool selectedOnly, QSize picture, QSize page, const QColor& background);

}  // namespace kinloom
