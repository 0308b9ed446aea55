#include "reports/poster_preview.h"

#include "platform/rounding.h"
#include "reports/poster.h"

#include <QPainter>

#include <algorithm>

namespace kinloom {

QImage posterPreview(const ItemStore& store, bool selectedOnly, QSize picture, QSize page, const QColor& background) {
    if (picture.isEmpty() || page.isEmpty()) return {};
    const int bw = picture.width(), bh = picture.height();
    const double k = std::min(static_cast<double>(bw) / page.width(), static_cast<double>(bh) / page.height());
    const int pw = static_cast<int>(roundHalfEven(k * page.width()));
    const int ph = static_cast<int>(roundHalfEven(k * page.height()));
    PosterSettings settings;
    settings.selectedOnly = selectedOnly;
    // The boxes lie as on a printed page of the preview's size: scaled to 95 % of the page by
    // whichever side limits, centred. This also places a single row or a single item sensibly.
    const PosterLayout layout(store, settings, QSize(pw, ph));
    if (layout.isEmpty()) return {};

    QImage image(picture, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    const QColor navy(0, 0, 128);
    painter.setPen(navy);
    painter.setBrush(Qt::white);
    const int left = (bw - pw) / 2, top = (bh - ph) / 2;
    const int right = (bw + pw) / 2, bottom = (bh + ph) / 2;
    painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    for (size_t i = 0; i < layout.items().size(); ++i) {
        const QRect box = layout.boxOf(i).translated(left, top);
        painter.drawRect(QRect(box.left(), box.top(), std::max(0, box.width() - 1), std::max(0, box.height() - 1)));
    }
    return image;
}

}  // namespace kinloom
