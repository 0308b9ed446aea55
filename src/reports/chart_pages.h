#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace kinloom {

// A paper a chart is printed on, portrait, in millimetres.
struct Paper {
    QString name;
    QSizeF millimetres;
};

// A0 to A5, Letter, Legal and Tabloid, in the order the print window lists them.
const std::vector<Paper>& standardPapers();

// "A3", "letter" (case ignored) or a custom "WxHmm" such as "914x2000mm" (roll paper) as a size in
// millimetres, portrait as given; nothing when the text names no paper or a side is out of 10 to
// 100,000 mm.
std::optional<QSizeF> parsePaper(const QString& text);

// The papers kinloom-cli accepts, for its messages: "A0|A1|...|Tabloid|WxHmm".
QString paperChoices();

// Device pixels for millimetres or points at a resolution, rounded half to even.
int millimetresToPixels(double millimetres, int dpi);
int pointsToPixels(double points, int dpi);

// How the pages of a chart cut its drawing, everything in device pixels. Each page leaves a margin
// on every side (where page labels and cut marks go) and prints the rest, its content, from the
// drawing; a page repeats the last `overlap` pixels of its left and upper neighbours, so that the
// pages can be laid over each other and glued. Pages go row by row, left to right.
struct PageGrid {
    QSize page;       // the paper (or its printable part)
    int margin = 0;   // on every side of a page
    int overlap = 0;  // the strip a page shares with its neighbour
    int columns = 1, rows = 1;
    QPoint offset;  // where the drawing's (0, 0) lies on the grid's total area: it is centred there

    int pageCount() const { return columns * rows; }
    QSize content() const { return {page.width() - 2 * margin, page.height() - 2 * margin}; }
    // From one page's content to the next one's, across and down.
    int stepX() const { return content().width() - overlap; }
    int stepY() const { return content().height() - overlap; }
    // All pages' content laid over each other at their overlaps.
    QSize total() const;
    // The content on page `index`, in the page's own pixels.
    QRect contentRect() const { return {QPoint(margin, margin), content()}; }
    // The part of the grid's total area that page `index` prints.
    QRect shownArea(int index) const;
    // What to add to a point of the grid's total area to place it on page `index`.
    QPoint pageOrigin(int index) const;
    // True when the steps are positive (overlap and margins leave something of every page).
    bool isValid() const { return stepX() > 0 && stepY() > 0; }
};

// The fewest columns and rows of pages whose content covers a drawing of the given size, the
// drawing centred on them. A drawing that fits on one page's content takes one page.
PageGrid gridCovering(QSize drawing, QSize page, int margin, int overlap);

// Exactly n x n pages.
PageGrid gridOf(int n, QSize page, int margin, int overlap);

}  // namespace kinloom
