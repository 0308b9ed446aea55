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
bool mayTouch(QRect page, int margin, int x1, int y1, int x2, int y2) {
    if (x1 < page.left() - margin && x2 < page.left() - margin) return false;
    if (y1 < page.top() - margin && y2 < page.top() - margin) return false;
    if (x1 > page.right() + margin && x2 > page.right() + margin) return false;
    if (y1 > page.bottom() + margin && y2 > page.bottom() + margin) return false;
    return true;
}

}  // namespace

PosterLayout::PosterLayout(const ItemStore& store, const PosterSettings& settings, QSize page)
    : settings_(settings), page_(page), n_(std::clamp(settings.pagesPerSide, 1, 8)) {
    settings_.pagesPerSide = n_;
    settings_.lineThickness = std::max(1, settings.lineThickness);
    if (page.width() <= 0 || page.height() <= 0) return;
    long long maxX = LLONG_MIN, maxY = LLONG_MIN;
    minX_ = LLONG_MAX;
    minY_ = LLONG_MAX;
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        if (!includes(item)) continue;
        items_.push_back(item);
        minX_ = std::min<long long>(minX_, item->X);
        minY_ = std::min<long long>(minY_, item->Y);
        maxX = std::max<long long>(maxX, item->X);
        maxY = std::max<long long>(maxY, item->Y);
    }
    if (items_.empty()) return;

    const double treeW = static_cast<double>(maxX - minX_ + kItemWidth);
    const double treeH = static_cast<double>(maxY - minY_ + kItemHeight);
    const int W = page.width(), H = page.height();
    // 5 % of the page stays free; the tree fills the rest in the direction that limits it.
    const double w = W - roundHalfEven(W * 0.05), h = H - roundHalfEven(H * 0.05);
    s_ = w / treeW;
    if (s_ * treeH > h) s_ = h / treeH;
    f_ = static_cast<int>(roundHalfEven(s_ * settings.fontSize));
    offX_ = static_cast<int>(roundHalfEven((W - s_ * treeW) * 0.5));
    offY_ = static_cast<int>(roundHalfEven((H - s_ * treeH) * 0.5));

    placed_.reserve(items_.size());
    for (const PersonItem* item : items_) {
        const double x = item->X, y = item->Y;
        placed_.push_back({item, mapX(x), mapY(y), mapX(x + kItemWidth), mapY(y + kItemHeight), mapX(x + 70),
                           mapY(y + 32.5), mapY(y + 14.0), mapY(y + 30.0), mapY(y + 44.0)});
    }
    const auto centreOf = [&](const PersonItem* p) { return QPoint(mapX(p->X + 70.0), mapY(p->Y + 32.5)); };
    for (const Placed& p : placed_) {
        const PersonItem& item = *p.item;
        // Each couple once, from the side with the lower Id.
        for (int i = 1; i <= kMaxSpouses; ++i) {
            const PersonItem* spouse = item.Spouse[i];
            if (spouse && spouse->Id > item.Id && includes(spouse))
                segments_.push_back({QLine(QPoint(p.centreX, p.centreY), centreOf(spouse)), true});
        }
        // An alias item's Father is its original: no parent lines start from it.
        if (item.isAlias()) continue;
        if (item.Father && includes(item.Father))
            segments_.push_back({QLine(QPoint(mapX(item.X + 65.0), p.centreY), centreOf(item.Father)), false});
        if (item.Mother && includes(item.Mother))
            segments_.push_back({QLine(QPoint(mapX(item.X + 75.0), p.centreY), centreOf(item.Mother)), false});
    }
}

QRect PosterLayout::boxOf(size_t i) const {
    const Placed& p = placed_.at(i);
    return QRect(p.left, p.top, p.right - p.left, p.bottom - p.top);
}

bool PosterLayout::includes(const PersonItem* item) const { return !settings_.selectedOnly || item->Selected; }

int PosterLayout::mapX(double canvasX) const {
    return static_cast<int>(roundHalfEven(s_ * (canvasX - static_cast<double>(minX_)))) + offX_;
}

int PosterLayout::mapY(double canvasY) const {
    return static_cast<int>(roundHalfEven(s_ * (canvasY - static_cast<double>(minY_)))) + offY_;
}

void PosterLayout::drawPage(QPainter& painter, int index) const {
    if (index < 0 || index >= pageCount()) return;
    const int row = index / n_, column = index % n_;
    const int originX = -column * page_.width(), originY = -row * page_.height();
    const QRect page(QPoint(0, 0), page_);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    if (row == 0) {
        QFont headerFont(QStringLiteral("Arial"));
        headerFont.setPointSize(6);
        painter.setFont(headerFont);
        painter.setPen(Qt::black);
        const QFontMetrics fm = painter.fontMetrics();
        const int x = static_cast<int>(roundHalfEven((page_.width() - fm.horizontalAdvance(kPosterHeader)) * 0.5));
        painter.drawText(x, fm.ascent(), kPosterHeader);
    }
    drawLines(painter, page, originX, originY);
    drawBoxes(painter, page, originX, originY);
    painter.restore();
}

void PosterLayout::drawLines(QPainter& painter, QRect page, int originX, int originY) const {
    const int margin = settings_.lineThickness + 1;
    // Lines are all black: those of one pen go out together, fewer calls and pen changes for a
    // printer. Batches stay moderate so that a large tree needs no huge path at once.
    constexpr size_t kBatch = 4096;
    std::vector<QLine> batch[2];
    const QPen pens[2] = {QPen(Qt::black, settings_.lineThickness), dashedPen()};
    // A PDF engine that has not been told of a pen since the page began strokes lines as filled
    // outlines: make sure the first batch's pen reaches it as a change.
    painter.setPen(Qt::NoPen);
    const auto flush = [&](int kind) {
        if (batch[kind].empty()) return;
        painter.setPen(pens[kind]);
        painter.drawLines(batch[kind].data(), static_cast<int>(batch[kind].size()));
        batch[kind].clear();
    };
    for (const Segment& s : segments_) {
        const int x1 = s.line.x1() * n_ + originX, y1 = s.line.y1() * n_ + originY;
        const int x2 = s.line.x2() * n_ + originX, y2 = s.line.y2() * n_ + originY;
        if (!mayTouch(page, margin, x1, y1, x2, y2)) continue;
        const int kind = s.dashed ? 1 : 0;
        batch[kind].emplace_back(x1, y1, x2, y2);
        if (batch[kind].size() == kBatch) flush(kind);
    }
    flush(1);
    flush(0);
}

void PosterLayout::drawBoxes(QPainter& painter, QRect page, int originX, int originY) const {
    static const DisplayCharset kDefaultCharset;
    const DisplayCharset& charset = settings_.charset ? *settings_.charset : kDefaultCharset;
    const int margin = settings_.lineThickness + 1;
    painter.setPen(QPen(Qt::black, settings_.lineThickness));
    painter.setBrush(Qt::white);

    // The tree font grows with the poster; a height that rounds to nothing leaves the boxes empty.
    const int cell = f_ * n_;
    QFont font(settings_.fontName);
    if (cell > 0) font.setPixelSize(pixelSizeForCellHeight(settings_.fontName, cell));
    painter.setFont(font);
    PosterText texts(painter);
    const QFontMetrics& fm = texts.metrics();
    const int textHeight = fm.ascent() + fm.descent();
    const int halfBox = static_cast<int>(roundHalfEven(s_ * 70 * n_));
    const QString dash = QStringLiteral("- ");

    for (const Placed& p : placed_) {
        const int left = p.left * n_ + originX, top = p.top * n_ + originY;
        const int right = p.right * n_ + originX, bottom = p.bottom * n_ + originY;
        if (right < page.left() - margin || bottom < page.top() - margin || left > page.right() + margin ||
            top > page.bottom() + margin)
            continue;
        // Filled white inside a border of the chosen thickness; the right and bottom edges are
        // just inside the mapped corner, as a printer driver's rectangle has them.
        painter.drawRect(QRect(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1)));
        if (cell <= 0) continue;

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
    }
}

bool printPoster(QPagedPaintDevice& device, const ItemStore& store, const PosterSettings& settings) {
    const PosterLayout layout(store, settings, QSize(device.width(), device.height()));
    if (layout.isEmpty()) return false;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int i = 0; i < layout.pageCount(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        layout.drawPage(painter, i);
    }
    return painter.end();
}

}  // namespace kinloom
