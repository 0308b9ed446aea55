#include "reports/person_box.h"

#include "document/person_item.h"
#include "platform/charsets.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace kinloom {

namespace {

// A text fitted to a width: cut and ended with "..." only when it is too wide. `width` gets the
// result's width, so that centring it needs no second measurement.
QString fitted(const QString& text, const QFontMetrics& metrics, int limit, int& width) {
    width = metrics.horizontalAdvance(text);
    if (width <= limit) return text;
    QString t = text;
    const QString dots = QStringLiteral("...");
    while (!t.isEmpty() && (width = metrics.horizontalAdvance(t + dots)) > limit) t.chop(1);
    if (t.isEmpty()) width = metrics.horizontalAdvance(dots);
    return t + dots;
}

}  // namespace

PersonBoxPainter::PersonBoxPainter(const BoxStyle& style, const DisplayCharset* charset)
    : style_(style), charset_(charset) {
    font_.setFamily(style.fontName);
    // Points at the 96 dots per inch the boxes were always drawn at.
    font_.setPixelSize(std::max(1, (style.fontSize * 96 + 36) / 72));
    font_.setBold(style.bold);
    font_.setItalic(style.italic);
    font_.setUnderline(style.underline);
    font_.setStrikeOut(style.strikeout);
    // Crisp pixels like a bitmap font, and few colours for the GIF palette.
    font_.setStyleStrategy(QFont::NoAntialias);
    // The height of "X" is the font's cell height.
    lineStep_ = (49 - QFontMetrics(font_).height()) / 3;
}

QString PersonBoxPainter::text(const std::string& bytes) const {
    return charset_ ? charset_->decode(bytes) : decodeUtf8OrWindows1252(bytes);
}

void PersonBoxPainter::draw(QPainter& painter, const PersonItem& item, QPoint origin) const {
    painter.save();
    painter.translate(origin);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor frame = colorFromRef(style_.frameColor);
    const QColor fill = colorFromRef(style_.boxColor);
    // The shadow lines along the bottom and right edge, then the outlined box (0,0)-(138,48).
    painter.fillRect(0, 49, 139, 1, frame);
    painter.fillRect(139, 0, 1, 50, frame);
    painter.fillRect(0, 0, 139, 49, frame);
    painter.fillRect(1, 1, 137, 47, fill);

    painter.setFont(font_);
    painter.setPen(colorFromRef(style_.fontColor));
    painter.setClipRect(QRect(QPoint(1, 1), QPoint(137, 47)));
    const QFontMetrics metrics(font_);
    // Each line is measured once: boxes are drawn by the thousand.
    auto line = [&](const QString& t, int width, int index, int minLeft) {
        if (t.isEmpty()) return;
        const int left = std::max(minLeft, 70 - width / 2);
        painter.drawText(left, 1 + index * lineStep_ + metrics.ascent(), t);
    };
    int width = 0;
    const QString first = fitted(text(item.FirstName.str()), metrics, 137, width);
    line(first, width, 0, -1000);
    const QString last = fitted(text(item.LastName.str()), metrics, 109, width);
    line(last, width, 1, 29);
    const QString born = text(item.BornDate.str());
    line(born, metrics.horizontalAdvance(born), 2, -1000);
    const QString died = QStringLiteral("- ") + text(item.DiedDate.str());
    line(died, metrics.horizontalAdvance(died), 3, -1000);
    painter.setClipping(false);

    if (!item.NotesFile.empty()) {
        painter.setPen(frame);
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygon({QPoint(129, 31), QPoint(136, 31), QPoint(136, 46), QPoint(124, 46), QPoint(124, 36)}));
        painter.drawPolyline(QPolygon({QPoint(124, 36), QPoint(129, 36), QPoint(129, 31)}));
        painter.drawLine(127, 39, 134, 39);
        painter.drawLine(127, 42, 134, 42);
    }
    painter.restore();
}

QImage PersonBoxPainter::image(const PersonItem& item) const {
    QImage box(kBoxImageWidth, kBoxImageHeight, QImage::Format_RGB32);
    box.fill(Qt::white);
    QPainter painter(&box);
    draw(painter, item);
    return box;
}

void PersonBoxPainter::addThumbnail(QImage& box, const QImage& picture) {
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return;
    const double scale = std::min({25.0 / picture.width(), 30.0 / picture.height(), 1.0});
    const int w = std::max(1, static_cast<int>(picture.width() * scale));
    const int h = std::max(1, static_cast<int>(picture.height() * scale));
    const QImage small = picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&box);
    painter.drawImage(QRect(2, 47 - h, w, h), small);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(2, 47 - h, w, h).adjusted(-1, -1, 0, 0));
}

QImage blankImage() {
    QImage image(kBoxImageWidth, kBoxImageHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage arrowImage() {
    QImage image = blankImage();
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPolygon(QPolygon({QPoint(70, 10), QPoint(60, 30), QPoint(67, 30), QPoint(67, 40), QPoint(73, 40),
                                  QPoint(73, 30), QPoint(80, 30)}));
    return image;
}

}  // namespace kinloom
