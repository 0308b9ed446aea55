#pragma once
#include <QImage>

class QPagedPaintDevice;

namespace kinloom {

// Tools > Print Screen: a picture of the main window on one page, scaled to fit it with its
// proportions kept and centred. False when the device could not be painted on.
bool printImageOnPage(QPagedPaintDevice& device, const QImage& image);

// Where such a picture lies on a page of the given size.
QRect fittedRect(QSize image, QSize page);

}  // namespace kinloom
