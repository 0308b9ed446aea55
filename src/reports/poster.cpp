#include "reports/poster.h"

#include "reports/poster_text.h"

#include "canvas/paint_tree.h"
#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/rounding.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <climits>

namespace kinloom {

namespace {

// A pen pattern like the printer driver's dashes: 18 pixels drawn, 6 left out.
QPen dashedPen() {
    QPen pen(Qt::black, 1, Qt::CustomDashLine);
    pen.setDashPattern({18, 6});
    return pen;
}

// True when a line between two page points may touch the page (margin: the pen's reach).
// A pen for the page; a preview draws the page scaled down, where hairlines keep it legible.
QPen pagePen(const QPainter& painter, QPen pen) {
    if (painter.worldTransform().m11() < 1.0) pen.setCosmetic(true);
    return pen;
}

bool mayTouch(QRect page, int margin, int x1, int y1, int x2, int y2) {
    if (x1 < page.left() - margin && x2 < page.left() - margin) return false;
    if (y1 < page.top() - margin && y2 < page.top() - margin) return false;
    if (x1 > page.right() + margin && x2 > page.right() + margin) return false;
    if (y1 > page.bottom() + margin && y2 > page.bottom() + margin) return false;
    return true;
}

}  // namespace

PosterLayout::PosterLayout(const ItemStore& store, const PosterSettings& settings, QSize page, int dpi)
    : PosterLayout(drawingOfStore(store, settings.selectedOnly), settings, page, dpi) {}

PosterLayout::PosterLayout(const ChartDrawing& drawing, const PosterSettings& settings, QSize page, int dpi)
    : settings_(settings), dpi_(dpi > 0 ? dpi : 300) {
    settings_.pagesPerSide = std::clamp(settings.pagesPerSide, 1, 8);
    settings_.lineThickness = std::max(1, settings.lineThickness);
    if (settings_.onePage && settings_.scale == ChartScale::FitPages) settings_.scale = ChartScale::TextSize;
    if (page.width() <= 0 || page.height() <= 0) return;
    long long maxX = LLONG_MIN, maxY = LLONG_MIN;
    minX_ = LLONG_MAX;
    minY_ = LLONG_MAX;
    items_.reserve(drawing.boxes.size());
    for (const ChartDrawing::Box& box : drawing.boxes) {
        items_.push_back(box.item);
        minX_ = std::min<long long>(minX_, box.x);
        minY_ = std::min<long long>(minY_, box.y);
        maxX = std::max<long long>(maxX, box.x);
        maxY = std::max<long long>(maxY, box.y);
    }
    if (items_.empty()) return;

    const double treeW = static_cast<double>(maxX - minX_ + kItemWidth);
    const double treeH = static_cast<double>(maxY - minY_ + kItemHeight);
    if (settings_.scale == ChartScale::FitPages)
        fitToPages(page, treeW, treeH);
    else
        drawAtSize(page, treeW, treeH);
    if (!grid_.isValid()) {
        items_.clear();
        return;
    }
    f_ = static_cast<int>(roundHalfEven(s_ * settings_.fontSize));
    // Rounded after the enlargement: a height below one pixel on the single page is still several
    // pixels on an 8 x 8 poster.
    cell_ = static_cast<int>(roundHalfEven(s_ * n_ * settings_.fontSize));
    place(drawing);
    if (grid_.pageCount() > 1) indexPages();
    for (int i = 0; i < grid_.pageCount(); ++i)
        if (!settings_.leaveOutEmptyPages || boxesOnPage_.empty() || !boxesOnPage_[i].empty() || !linesOnPage_[i].empty())
            printed_.push_back(i);
}

// The tree laid out as one page scaled to fit, enlarged n times and cut into n x n pages. With
// margins or an overlap the "one page" is the n-th part of what the pages' contents cover.
void PosterLayout::fitToPages(QSize page, double treeW, double treeH) {
    n_ = settings_.pagesPerSide;
    const bool assembly = settings_.pageLabels || settings_.cutMarks;
    grid_ = gridOf(n_, page, assembly ? millimetresToPixels(kChartMarginMm, dpi_) : 0,
                   millimetresToPixels(std::max(0.0, settings_.overlapMm), dpi_));
    if (!grid_.isValid()) return;
    const QSize total = grid_.total();
    const int W = static_cast<int>(roundHalfEven(static_cast<double>(total.width()) / n_));
    const int H = static_cast<int>(roundHalfEven(static_cast<double>(total.height()) / n_));
    // 5 % of the page stays free; the tree fills the rest in the direction that limits it.
    const double w = W - roundHalfEven(W * 0.05), h = H - roundHalfEven(H * 0.05);
    s_ = w / treeW;
    if (s_ * treeH > h) s_ = h / treeH;
    offX_ = static_cast<int>(roundHalfEven((W - s_ * treeW) * 0.5));
    offY_ = static_cast<int>(roundHalfEven((H - s_ * treeH) * 0.5));
}

// The tree at a size on paper: a box as wide as asked, or the tree font at the point size asked.
void PosterLayout::drawAtSize(QSize page, double treeW, double treeH) {
    n_ = 1;
    if (settings_.scale == ChartScale::BoxWidth) {
        s_ = settings_.boxWidthMm * dpi_ / 25.4 / kItemWidth;
    } else {
        // The font's pixel size per unit of cell height, measured large so that rounding is no matter.
        constexpr int kProbe = 1000;
        const double emPerCell = static_cast<double>(pixelSizeForCellHeight(settings_.fontName, kProbe)) / kProbe;
        s_ = settings_.textSizePt * dpi_ / 72.0 / (std::max(1, settings_.fontSize) * emPerCell);
    }
    // The right and bottom borders are drawn just inside the mapped corner; the pen may reach beyond.
    const QSize drawing(static_cast<int>(roundHalfEven(s_ * treeW)) + settings_.lineThickness,
                        static_cast<int>(roundHalfEven(s_ * treeH)) + settings_.lineThickness);
    if (settings_.onePage) {
        const int margin = millimetresToPixels(kChartMarginMm, dpi_);
        grid_ = gridOf(1, drawing + QSize(2 * margin, 2 * margin), margin, 0);
    } else {
        const bool assembly = settings_.pageLabels || settings_.cutMarks;
        grid_ = gridCovering(drawing, page, assembly ? millimetresToPixels(kChartMarginMm, dpi_) : 0,
                             millimetresToPixels(std::max(0.0, settings_.overlapMm), dpi_));
    }
    offX_ = grid_.offset.x();
    offY_ = grid_.offset.y();
}

void PosterLayout::place(const ChartDrawing& drawing) {
    placed_.reserve(drawing.boxes.size());
    for (const ChartDrawing::Box& box : drawing.boxes) {
        const double x = box.x, y = box.y;
        placed_.push_back({box.item, mapX(x), mapY(y), mapX(x + kItemWidth), mapY(y + kItemHeight), mapX(x + 70),
                           mapY(y + 32.5), mapY(y + 14.0), mapY(y + 30.0), mapY(y + 44.0)});
    }
    segments_.reserve(drawing.lines.size());
    for (const ChartDrawing::Line& l : drawing.lines)
        segments_.push_back({QLine(mapX(l.x1), mapY(l.y1), mapX(l.x2), mapY(l.y2)), l.couple});
}

namespace {

// The first and last of `count` pages along one side whose shown part, [i * step, i * step +
// content), touches [low, high]; first > last when none does.
std::pair<int, int> pagesTouching(long long low, long long high, int content, int step, int count) {
    const long long first = low - content < 0 ? 0 : (low - content) / step + 1;
    const long long last = high < 0 ? -1 : high / step;
    return {static_cast<int>(std::min<long long>(first, count)), static_cast<int>(std::min<long long>(last, count - 1))};
}

// True when the segment from (x1, y1) to (x2, y2) meets the rectangle [left, right] x [top, bottom]
// (Liang and Barsky's clipping of the segment's parameter range).
bool segmentMeets(double x1, double y1, double x2, double y2, double left, double top, double right, double bottom) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

}  // namespace

// Each page then looks only at what may fall on it: a chart of thousands of pages stays linear. A
// line is filed under the pages it crosses, a box under those it touches.
void PosterLayout::indexPages() {
    boxesOnPage_.assign(grid_.pageCount(), {});
    linesOnPage_.assign(grid_.pageCount(), {});
    const int reach = settings_.lineThickness + 1;
    const QSize content = grid_.content();
    const auto pageRange = [&](long long x1, long long y1, long long x2, long long y2) {
        const auto [c0, c1] = pagesTouching(x1 - reach, x2 + reach, content.width(), grid_.stepX(), grid_.columns);
        const auto [r0, r1] = pagesTouching(y1 - reach, y2 + reach, content.height(), grid_.stepY(), grid_.rows);
        return std::array<int, 4>{c0, c1, r0, r1};
    };
    for (size_t i = 0; i < placed_.size(); ++i) {
        const Placed& p = placed_[i];
        const auto [c0, c1, r0, r1] = pageRange(1LL * p.left * n_, 1LL * p.top * n_, 1LL * p.right * n_, 1LL * p.bottom * n_);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) boxesOnPage_[r * grid_.columns + c].push_back(static_cast<int>(i));
    }
    for (size_t i = 0; i < segments_.size(); ++i) {
        const QLine& l = segments_[i].line;
        const double x1 = 1.0 * l.x1() * n_, y1 = 1.0 * l.y1() * n_, x2 = 1.0 * l.x2() * n_, y2 = 1.0 * l.y2() * n_;
        const auto [c0, c1, r0, r1] = pageRange(static_cast<long long>(std::min(x1, x2)), static_cast<long long>(std::min(y1, y2)),
                                                static_cast<long long>(std::max(x1, x2)), static_cast<long long>(std::max(y1, y2)));
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const QRect area = grid_.shownArea(r * grid_.columns + c);
                if (segmentMeets(x1, y1, x2, y2, area.left() - reach, area.top() - reach, area.right() + reach,
                                 area.bottom() + reach))
                    linesOnPage_[r * grid_.columns + c].push_back(static_cast<int>(i));
            }
    }
}

QSizeF PosterLayout::pageSizeMm() const {
    return QSizeF(grid_.page.width() * 25.4 / dpi_, grid_.page.height() * 25.4 / dpi_);
}

QString PosterLayout::pageLabel(int index) const {
    index = gridIndexOf(index);
    return QStringLiteral("row %1, column %2").arg(index / grid_.columns + 1).arg(index % grid_.columns + 1);
}

QRect PosterLayout::boxOf(size_t i) const {
    const Placed& p = placed_.at(i);
    return QRect(p.left, p.top, p.right - p.left, p.bottom - p.top);
}

int PosterLayout::mapX(double canvasX) const {
    return static_cast<int>(roundHalfEven(s_ * (canvasX - static_cast<double>(minX_)))) + offX_;
}

int PosterLayout::mapY(double canvasY) const {
    return static_cast<int>(roundHalfEven(s_ * (canvasY - static_cast<double>(minY_)))) + offY_;
}

void PosterLayout::drawPage(QPainter& painter, int index) const {
    if (index < 0 || index >= pageCount()) return;
    const int printedIndex = index;
    index = gridIndexOf(index);
    const QPoint origin = grid_.pageOrigin(index);
    const QRect content = grid_.contentRect();
    const std::vector<int>* boxes = boxesOnPage_.empty() ? nullptr : &boxesOnPage_[index];
    const std::vector<int>* lines = linesOnPage_.empty() ? nullptr : &linesOnPage_[index];

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    if (index < grid_.columns) {
        QFont headerFont(QStringLiteral("Arial"));
        headerFont.setPointSize(6);
        painter.setFont(headerFont);
        painter.setPen(Qt::black);
        const QFontMetrics fm = painter.fontMetrics();
        const int x = static_cast<int>(roundHalfEven((grid_.page.width() - fm.horizontalAdvance(kPosterHeader)) * 0.5));
        painter.drawText(x, fm.ascent(), kPosterHeader);
    }
    drawAssembly(painter, printedIndex);
    // With a margin the drawing stops at the content's edge; without one the paper's edge stops it.
    if (grid_.margin > 0) painter.setClipRect(content);
    drawLines(painter, content, origin.x(), origin.y(), lines);
    drawBoxes(painter, content, origin.x(), origin.y(), boxes);
    painter.restore();
}

// Page labels and cut marks in the margin.
void PosterLayout::drawAssembly(QPainter& painter, int index) const {
    const int m = grid_.margin;
    if (m <= 0 || settings_.onePage) return;
    const QRect content = grid_.contentRect();
    if (settings_.pageLabels) {
        QFont font(settings_.fontName);
        font.setPixelSize(std::max(1, pointsToPixels(8, dpi_)));
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetrics fm = painter.fontMetrics();
        const int gap = millimetresToPixels(2, dpi_);
        painter.drawText(content.left(), content.top() - gap - fm.descent(), pageLabel(index));
    }
    if (settings_.cutMarks) {
        // Each corner of the content gets two short lines in the margin, on the lines to cut along,
        // starting a little away from the corner so that no mark shows on the glued chart.
        painter.setPen(pagePen(painter, QPen(Qt::black, std::max(1, millimetresToPixels(0.2, dpi_)))));
        const int gap = millimetresToPixels(2, dpi_);
        const int l = content.left(), t = content.top();
        const int r = content.left() + content.width(), b = content.top() + content.height();
        const QLine marks[] = {
            {l, t - gap, l, 0}, {l - gap, t, 0, t}, {r, t - gap, r, 0}, {r + gap, t, grid_.page.width(), t},
            {l, b + gap, l, grid_.page.height()}, {l - gap, b, 0, b}, {r, b + gap, r, grid_.page.height()},
            {r + gap, b, grid_.page.width(), b},
        };
        painter.drawLines(marks, 8);
    }
}

void PosterLayout::drawLines(QPainter& painter, QRect page, int originX, int originY,
                             const std::vector<int>* only) const {
    const int margin = settings_.lineThickness + 1;
    // Lines are all black: those of one pen go out together, fewer calls and pen changes for a
    // printer. Batches stay moderate so that a large tree needs no huge path at once.
    constexpr size_t kBatch = 4096;
    std::vector<QLine> batch[2];
    const QPen pens[2] = {pagePen(painter, QPen(Qt::black, settings_.lineThickness)), pagePen(painter, dashedPen())};
    // A PDF engine that has not been told of a pen since the page began strokes lines as filled
    // outlines: make sure the first batch's pen reaches it as a change.
    painter.setPen(Qt::NoPen);
    const auto flush = [&](int kind) {
        if (batch[kind].empty()) return;
        painter.setPen(pens[kind]);
        painter.drawLines(batch[kind].data(), static_cast<int>(batch[kind].size()));
        batch[kind].clear();
    };
    const auto each = [&](const Segment& s) {
        const int x1 = s.line.x1() * n_ + originX, y1 = s.line.y1() * n_ + originY;
        const int x2 = s.line.x2() * n_ + originX, y2 = s.line.y2() * n_ + originY;
        if (!mayTouch(page, margin, x1, y1, x2, y2)) return;
        const int kind = s.dashed ? 1 : 0;
        batch[kind].emplace_back(x1, y1, x2, y2);
        if (batch[kind].size() == kBatch) flush(kind);
    };
    if (only)
        for (const int i : *only) each(segments_[i]);
    else
        for (const Segment& s : segments_) each(s);
    flush(1);
    flush(0);
}

void PosterLayout::drawBoxes(QPainter& painter, QRect page, int originX, int originY,
                             const std::vector<int>* only) const {
    static const DisplayCharset kDefaultCharset;
    const DisplayCharset& charset = settings_.charset ? *settings_.charset : kDefaultCharset;
    const int margin = settings_.lineThickness + 1;
    painter.setPen(pagePen(painter, QPen(Qt::black, settings_.lineThickness)));
    painter.setBrush(Qt::white);

    // The tree font grows with the poster; a height that rounds to nothing leaves the boxes empty.
    const int cell = cell_;
    QFont font(settings_.fontName);
    if (cell > 0) font.setPixelSize(pixelSizeForCellHeight(settings_.fontName, cell));
    painter.setFont(font);
    PosterText texts(painter);
    const QFontMetrics& fm = texts.metrics();
    const int textHeight = fm.ascent() + fm.descent();
    const int halfBox = static_cast<int>(roundHalfEven(s_ * 70 * n_));
    const QString dash = QStringLiteral("- ");

    const auto each = [&](const Placed& p) {
        const int left = p.left * n_ + originX, top = p.top * n_ + originY;
        const int right = p.right * n_ + originX, bottom = p.bottom * n_ + originY;
        if (right < page.left() - margin || bottom < page.top() - margin || left > page.right() + margin ||
            top > page.bottom() + margin)
            return;
        // Filled white inside a border of the chosen thickness; the right and bottom edges are
        // just inside the mapped corner, as a printer driver's rectangle has them.
        painter.drawRect(QRect(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1)));
        if (cell <= 0) return;

        const QRect box(left, top, right - left, bottom - top);
        const PersonItem& item = *p.item;
        const auto text = [&](PosterText::Line t, int y) {
            if (t.isEmpty()) return;
            const int x = left + halfBox - (t.width() / 2);
            // Clipping costs a printer state change per line: only lines that stick out need it.
            const bool inside = box.contains(QRect(x, y, std::max(t.width(), 1), textHeight));
            texts.draw(x, y + fm.ascent(), t, inside ? QRect() : box);
        };
        const int width = right - left;
        text(texts.line(charset.decode(item.FirstName), width), top);
        text(texts.line(charset.decode(item.LastName), width), p.lastNameY * n_ + originY);
        text(texts.line(charset.decode(item.BornDate)), p.bornY * n_ + originY);
        // The dash is written also when there is no death date.
        text(texts.line(dash + charset.decode(item.DiedDate)), p.diedY * n_ + originY);
        texts.flush();
    };
    if (only)
        for (const int i : *only) each(placed_[i]);
    else
        for (const Placed& p : placed_) each(p);
}

QString describePages(const PosterLayout& layout) {
    if (layout.isEmpty()) return QStringLiteral("Nothing to print");
    if (layout.isOnePage())
        return QStringLiteral("1 page of %1 x %2 mm")
            .arg(roundHalfEven(layout.pageSizeMm().width()))
            .arg(roundHalfEven(layout.pageSizeMm().height()));
    const PageGrid& grid = layout.grid();
    const auto count = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    QString text = QStringLiteral("%1 (%2 x %3")
                       .arg(count(layout.pageCount(), "page", "pages"), count(grid.columns, "column", "columns"),
                            count(grid.rows, "row", "rows"));
    if (layout.pageCount() < grid.pageCount()) text += QStringLiteral(", %1 empty left out").arg(grid.pageCount() - layout.pageCount());
    return text + QLatin1Char(')');
}

bool printPoster(QPagedPaintDevice& device, const ItemStore& store, const PosterSettings& settings,
                 const PageProgress& progress) {
    return printPoster(device, drawingOfStore(store, settings.selectedOnly), settings, progress);
}

bool printPoster(QPagedPaintDevice& device, const ChartDrawing& drawing, const PosterSettings& settings,
                 const PageProgress& progress) {
    const PosterLayout layout(drawing, settings, QSize(device.width(), device.height()), device.logicalDpiX());
    if (layout.isEmpty()) return false;
    if (settings.onePage &&
        !device.setPageLayout(QPageLayout(QPageSize(layout.pageSizeMm(), QPageSize::Millimeter), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0))))
        return false;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int i = 0; i < layout.pageCount(); ++i) {
        if ((progress && !progress(i + 1, layout.pageCount())) || (i > 0 && !device.newPage())) {
            painter.end();
            return false;
        }
        layout.drawPage(painter, i);
    }
    return painter.end();
}

}  // namespace kinloom
