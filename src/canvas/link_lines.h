#pragma once
#include <QColor>
#include <QLine>

#include <vector>

class QPainter;

namespace kinloom {

// Draws runs of one-pixel link lines in one colour, solid or dotted. On a 32-bit image with nothing
// but plain painting in force it sets the pixels itself, choosing exactly the pixels that the
// painter's own line drawing chooses, many times quicker when a large tree's long links cross the
// canvas; anywhere else it hands the lines to the painter in one call.
class LinkLines {
public:
    explicit LinkLines(QPainter& painter);
    void draw(const std::vector<QLine>& lines, const QColor& colour, bool dotted);

private:
    void drawLine(QLine line, quint32 pixel, bool dotted);
    QPainter& painter_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace kinloom
