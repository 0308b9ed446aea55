#pragma once
#include "document/person_item.h"

#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace kinloom {

class ItemStore;
class DisplayCharset;

// The line written at the top of the poster's first row of pages.
inline const QString kPosterHeader = QStringLiteral("Printed with Kinloom 2.0 beta 3.6");

// What the print window (or the command line) asks of a poster.
struct PosterSettings {
    int pagesPerSide = 1;   // n: the poster is n x n pages
    int lineThickness = 1;  // pen width of box outlines and parent lines, in device pixels
    bool selectedOnly = false;
    QString fontName = QStringLiteral("Times New Roman");
    int fontSize = 16;  // the tree font's cell height in canvas units
    const DisplayCharset* charset = nullptr;  // nil: System Default
};

// The poster of a tree on pages of W x H device pixels: the included items' bounding box scaled to
// fit 95 % of one page, centred, then enlarged n times and cut into n x n pages, row by row.
class PosterLayout {
public:
    PosterLayout(const ItemStore& store, const PosterSettings& settings, QSize page);

    bool isEmpty() const { return items_.empty(); }
    int pageCount() const { return isEmpty() ? 0 : n_ * n_; }
    QSize pageSize() const { return page_; }
    double scale() const { return s_; }
    // The tree font's cell height on one page, before the poster enlarges it.
    int fontHeight() const { return f_; }

    // A canvas point on the single-page drawing: Round(s * (p - min)) + centring offset.
    int mapX(double canvasX) const;
    int mapY(double canvasY) const;
    bool includes(const PersonItem* item) const;

    // The included items in store order, and the box of the i-th of them on the single-page
    // drawing, from its mapped top-left corner to its mapped bottom-right corner (exclusive).
    const std::vector<const PersonItem*>& items() const { return items_; }
    QRect boxOf(size_t i) const;

    // Draws page `index` (0 is the top-left page, then row by row) with the painter's origin at
    // the page's top-left corner. Only what can fall on the page is drawn.
    void drawPage(QPainter& painter, int index) const;

private:
    // Where an item lies on the single-page drawing, worked out once for all pages.
    struct Placed {
        const PersonItem* item;
        int left, top, right, bottom;
        int centreX, centreY;
        int lastNameY, bornY, diedY;  // the tops of the second, third and fourth lines
    };
    // A couple's (dashed) or a parent's (solid) line on the single-page drawing.
    struct Segment {
        QLine line;
        bool dashed;
    };
    void drawLines(QPainter& painter, QRect page, int originX, int originY) const;
    void drawBoxes(QPainter& painter, QRect page, int originX, int originY) const;

    PosterSettings settings_;
    QSize page_;
    int n_ = 1;
    std::vector<const PersonItem*> items_;
    std::vector<Placed> placed_;
    std::vector<Segment> segments_;
    long long minX_ = 0, minY_ = 0;
    double s_ = 0;
    int f_ = 0;
    int offX_ = 0, offY_ = 0;
};

// Prints every page of the poster onto a printer or a PDF writer, whose page size (without
// its unprintable margins) gives W and H. False when the device could not be painted on.
bool printPoster(QPagedPaintDevice& device, const ItemStore& store, const PosterSettings& settings);

}  // namespace kinloom
