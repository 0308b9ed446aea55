#pragma once
#include <QColor>
#include <QLine>

#include <vector>

class QPainter;

namespace kinloom {

// Draws runs of one-pixel link lines in one colour, solid or dotted. On a 32-bit image with nothing
// but plain painting in force it sets the pixels itself, choosing exactly the pixels that the
// painter's own line drawing chooses; anywhere else it hands the lines to the painter in one call.
//
// A large tree at a small zoom draws each pixel a hundred times over, and only the last line to
// cross a pixel shows. So the lines are kept until finish() and drawn last first, each pixel set
// once; a stretch of line over squares of the picture that are already wholly set is stepped over.
class LinkLines {
public:
    explicit LinkLines(QPainter& painter);
    ~LinkLines() { finish(); }
    LinkLines(const LinkLines&) = delete;
    LinkLines& operator=(const LinkLines&) = delete;

    void draw(const std::vector<QLine>& lines, const QColor& colour, bool dotted);
    // Puts every line drawn so far into the picture.
    void finish();

private:
    static constexpr int kTile = 16;
    struct Pending {
        QLine line;
        quint32 pixel;
        bool dotted;
    };
    void drawLine(QLine line, quint32 pixel, bool dotted);
    void plot(int x, int y, quint32 pixel);
    bool covered(bool steep, int major, int minor0, int minor1) const;

    QPainter& painter_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<Pending> pending_;
    std::vector<unsigned char> set_;    // a pixel already holds its final colour
    std::vector<int> unsetInTile_;      // pixels of each square not set yet
    int tilesAcross_ = 0;
};

}  // namespace kinloom
