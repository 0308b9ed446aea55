#pragma once
#include "canvas/unset_pixels.h"

#include <QColor>
#include <QLine>
#include <QRect>

#include <vector>

class QPainter;

namespace kinloom {

// Draws runs of link lines in one colour, solid or dotted, one logical pixel wide. On a 32-bit image
// with nothing but plain painting in force it sets the pixels itself: at pixel ratio 1 exactly the
// pixels that the painter's own one-pixel line drawing chooses; at a whole-number ratio r a line r
// device pixels wide between the centres of the logical pixels at its ends, so that it meets the
// boxes' edges as at ratio 1 and slants in device-pixel steps. Anywhere else it hands the lines to
// the painter in one call.
//
// A large tree at a small zoom draws each pixel a hundred times over, and only the last line to
// cross a pixel shows. So the lines are kept until finish() and drawn last first, each pixel set
// once. The pixels still to set are kept as bits in small squares (UnsetPixels): a stretch of line
// over large squares with no such small square under it is stepped over whole, and in a small one
// the line's pixels meet the bits in one go. Pixels that opaque drawing after the lines will cover
// (the boxes) count as set from the start: at a small zoom the boxes hide most of the lines.
// Many lines are drawn by several threads: the latest in bands of rows, one thread a band, while
// most pixels are still to set; then the rest in runs of lines, one thread a run, a pixel taking
// the colour of the latest run that sets it.
class LinkLines {
public:
    // `threads`: how many threads may draw many lines; 0 for as many as the machine has cores.
    explicit LinkLines(QPainter& painter, int threads = 0);
    ~LinkLines();
    LinkLines(const LinkLines&) = delete;
    LinkLines& operator=(const LinkLines&) = delete;

    // A colour and style, with the pixel value worked out once.
    struct Pen {
        Pen(const QColor& colour, bool dotted)
            : colour(colour), pixel(colour.rgba()), dotted(dotted), opaque(colour.alpha() == 255) {}
        QColor colour;
        quint32 pixel;
        bool dotted;
        bool opaque;
    };

    void draw(const std::vector<QLine>& lines, const QColor& colour, bool dotted);
    void add(const QLine& line, const Pen& pen);
    void reserve(size_t lines) { pending_.reserve(pending_.size() + lines); }
    // Tells that `rect` (in logical pixels) will be painted over opaquely once the lines are done,
    // so that the lines need not set its pixels.
    void paintedOver(const QRect& rect);
    // Puts every line drawn so far into the picture.
    void finish();

private:
    // The lines first to end (one past), drawn by one thread into the rows top to bottom (one
    // past). Its pixels go straight into the picture when direct, else into `writes`; with
    // `marks` they are also marked in the mask.
    struct Batch {
        struct Write {
            quint32 at;  // y * width + x
            quint32 pixel;
        };
        size_t first = 0;
        size_t end = 0;
        int top = 0;
        int bottom = 0;
        bool direct = true;
        bool marks = false;
        UnsetPixels unset;
        std::vector<Write> writes;
    };
    struct Pending {
        QLine line;
        quint32 pixel;
        bool dotted;
    };
    // The device pixels that a line may set, inclusive, a pixel or two to spare.
    struct LineBox {
        int left, top, right, bottom;
    };
    LineBox boxOf(const QLine& line) const;
    struct Scratch;
    static Scratch& scratch();
    void drawRun();
    void startMask();
    void drawBatch(Batch& batch);
    void drawLine(Batch& batch, QLine line, quint32 pixel, bool dotted);
    void drawWideLine(Batch& batch, QLine line, quint32 pixel, bool dotted);
    template <bool Steep, class MinorAt, class IsOn>
    void walkSmall(Batch& batch, int column, int row, int from, int to, int thickness, const MinorAt& minorAt,
                   const IsOn& isOn, quint32 pixel);
    template <class MinorAt, class IsOn>
    void walkAny(Batch& batch, bool steep, bool rising, int from, int end, int thickness, const MinorAt& minorAt,
                 const IsOn& isOn, quint32 pixel);
    template <bool Steep, bool Rising, class MinorAt, class IsOn>
    void walk(Batch& batch, int from, int end, int thickness, const MinorAt& minorAt, const IsOn& isOn, quint32 pixel);

    QPainter& painter_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    int ratio_ = 1;
    int threads_ = 0;
    std::vector<Pending> pending_;
    // For the painter: the lines of one colour and style, drawn in one call when these change.
    std::vector<QLine> run_;
    QColor runColour_;
    bool runDotted_ = false;
    std::vector<unsigned char> set_;  // a pixel already holds its final colour, or will be painted over
    bool masking_ = false;            // set_ is sized and counts what is painted over
};

}  // namespace kinloom
