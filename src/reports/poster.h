#pragma once
#include "canvas/program_version.h"
#include "canvas/tree_font.h"
#include "document/person_item.h"
#include "reports/chart_drawing.h"
#include "reports/chart_pages.h"

#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace kinloom {

class ItemStore;
class DisplayCharset;

// The line written at the top of the poster's first row of pages.
inline const QString kPosterHeader = QStringLiteral("Printed with Kinloom ") + kVersionLabel;

// How large the tree is drawn: fitted to n x n pages, or at a size on paper that the pages follow.
enum class ChartScale { FitPages, BoxWidth, TextSize };

// What the print window (or the command line) asks of a poster.
struct PosterSettings {
    ChartScale scale = ChartScale::FitPages;
    int pagesPerSide = 1;   // n: the poster is n x n pages (FitPages)
    double boxWidthMm = 30;  // a box's width on paper (BoxWidth)
    double textSizePt = 8;   // the tree font's size on paper, in points (TextSize)
    // The whole drawing on one page of its own size, at the box width or text size (a plotter's
    // sheet); FitPages then draws at the text size.
    bool onePage = false;
    // Assembly: a strip repeated on the neighbouring page, page labels and cut marks in a margin.
    double overlapMm = 0;
    bool pageLabels = false;
    bool cutMarks = false;
    // Pages on which no box and no line falls are not printed (a sparse tree's wall chart); the
    // page labels keep the places of the others.
    bool leaveOutEmptyPages = false;
    int lineThickness = 1;  // pen width of box outlines and parent lines, in device pixels
    bool selectedOnly = false;
    QString fontName = kDefaultScreenFontName;
    int fontSize = kDefaultScreenFontSize;  // the tree font's cell height in canvas units
    const DisplayCharset* charset = nullptr;  // null: System Default
};

// The margin around each page's content when it carries labels or cut marks, and around one large page.
constexpr double kChartMarginMm = 10;
// The overlap the print window offers when overlapping is chosen.
constexpr double kDefaultOverlapMm = 10;

// The poster of a tree on pages of W x H device pixels at `dpi`. Fitted to n x n pages: the
// included items' bounding box scaled to fit 95 % of one page, centred, then enlarged n times and
// cut into n x n pages. At a size on paper: the drawing at that scale, centred on as many columns
// and rows of pages as it needs, or on one page of its own size. Pages go row by row.
class PosterLayout {
public:
    // The tree as it stands on the canvas (its selected items with selectedOnly), or any drawing;
    // the drawing need not outlive the layout, its items must.
    PosterLayout(const ItemStore& store, const PosterSettings& settings, QSize page, int dpi = 300);
    PosterLayout(const ChartDrawing& drawing, const PosterSettings& settings, QSize page, int dpi = 300);

    bool isEmpty() const { return items_.empty(); }
    // The pages printed: the grid's, less the empty ones when those are left out.
    int pageCount() const { return isEmpty() ? 0 : static_cast<int>(printed_.size()); }
    // Which page of the grid the index-th printed page is.
    int gridIndexOf(int index) const { return printed_.at(index); }
    const PageGrid& grid() const { return grid_; }
    bool isOnePage() const { return settings_.onePage; }
    QSize pageSize() const { return grid_.page; }
    // The page in millimetres: the paper, or for one large page the drawing's own size.
    QSizeF pageSizeMm() const;
    double scale() const { return s_; }
    // The number the single-page drawing is enlarged by (n for n x n pages, else 1).
    int enlargement() const { return n_; }
    // The tree font's cell height on one page, before the poster enlarges it.
    int fontHeight() const { return f_; }
    // The tree font's cell height as printed: rounded after the enlargement, so that a large
    // poster of a large tree still has legible text.
    int printedFontHeight() const { return cell_; }
    // The text of the index-th printed page's label: "row 2, column 3".
    QString pageLabel(int index) const;

    // A canvas point on the single-page drawing: Round(s * (p - min)) + centring offset.
    int mapX(double canvasX) const;
    int mapY(double canvasY) const;

    // The drawing's items in its order (for the tree: the included items in store order), and the box of the i-th of them on the single-page
    // drawing, from its mapped top-left corner to its mapped bottom-right corner (exclusive).
    const std::vector<const PersonItem*>& items() const { return items_; }
    QRect boxOf(size_t i) const;
    // The lines on the single-page drawing, and whether each is a couple's (dashed).
    size_t lineCount() const { return segments_.size(); }
    QLine lineOf(size_t i) const { return segments_.at(i).line; }

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
    void fitToPages(QSize page, double treeW, double treeH);
    void drawAtSize(QSize page, double treeW, double treeH);
    void place(const ChartDrawing& drawing);
    void indexPages();
    void drawLines(QPainter& painter, QRect page, int originX, int originY, const std::vector<int>* only) const;
    void drawBoxes(QPainter& painter, QRect page, int originX, int originY, const std::vector<int>* only) const;
    void drawAssembly(QPainter& painter, int index) const;

    PosterSettings settings_;
    PageGrid grid_;
    int dpi_ = 300;
    int n_ = 1;
    int cell_ = 0;
    std::vector<const PersonItem*> items_;
    std::vector<Placed> placed_;
    std::vector<Segment> segments_;
    long long minX_ = 0, minY_ = 0;
    double s_ = 0;
    int f_ = 0;
    int offX_ = 0, offY_ = 0;
    // For each page of a poster of several pages, the boxes and lines that may fall on it.
    std::vector<std::vector<int>> boxesOnPage_, linesOnPage_;
    std::vector<int> printed_;  // the grid's pages that are printed, in order
};

// The pages a layout makes, as the print window and kinloom-cli announce them before printing:
// "6 pages (3 columns x 2 rows)", or for one large page "1 page of 1048 x 93 mm".
QString describePages(const PosterLayout& layout);

// Told before each page is drawn (counted from 1, of how many); returning false stops printing.
using PageProgress = std::function<bool(int page, int pages)>;

// Prints every page of the poster onto a printer or a PDF writer, whose page size (without
// its unprintable margins) gives W and H; for one large page the device's page becomes the
// drawing's size first. False when the device could not be painted on or progress said stop.
bool printPoster(QPagedPaintDevice& device, const ItemStore& store, const PosterSettings& settings,
                 const PageProgress& progress = {});
bool printPoster(QPagedPaintDevice& device, const ChartDrawing& drawing, const PosterSettings& settings,
                 const PageProgress& progress = {});

}  // namespace kinloom
