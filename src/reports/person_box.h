#pragma once
#include "reports/html_settings.h"

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

namespace kinloom {

struct PersonItem;
class DisplayCharset;

inline constexpr int kBoxImageWidth = 140;
inline constexpr int kBoxImageHeight = 50;

// Draws person boxes of the web pages: 140 x 50 pixels with a one-pixel shadow at the right and
// bottom, first names, last names, birth and "- " death date, and a sheet when there are notes.
// The font is made once; boxes of a large tree are drawn by the thousand.
class PersonBoxPainter {
public:
    PersonBoxPainter(const BoxStyle& style, const DisplayCharset* charset);

    // Draws one box with its top-left corner at origin.
    void draw(QPainter& painter, const PersonItem& item, QPoint origin = {}) const;
    // A fresh 140 x 50 picture of the box.
    QImage image(const PersonItem& item) const;
    // Copies a picture reduced to at most 25 x 30 pixels into the box's lower left corner, in a
    // black frame.
    static void addThumbnail(QImage& box, const QImage& picture);

    const QFont& font() const { return font_; }

private:
    QString text(const std::string& bytes) const;

    BoxStyle style_;
    const DisplayCharset* charset_;
    QFont font_;
    int lineStep_ = 12;
};

// The spacer: a fully transparent 140 x 50 picture.
QImage blankImage();
// An up arrow on a transparent 140 x 50 picture, filled silver with a black outline.
QImage arrowImage();

}  // namespace kinloom
