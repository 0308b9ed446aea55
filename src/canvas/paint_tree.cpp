#include "canvas/paint_tree.h"

#include "canvas/direct_pixels.h"
#include "canvas/invert.h"
#include "canvas/link_lines.h"
#include "canvas/program_version.h"
#include "canvas/tree_walk.h"
#include "canvas/view_math.h"
#include "document/item_store.h"
#include "platform/charsets.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

namespace kinloom {

namespace {

const QColor kSpouseColour(128, 0, 128);
const QColor kFatherColour(0, 0, 128);
const QColor kMotherColour(128, 0, 0);
const QColor kBlue(0, 0, 255);

// Fills rectangles with opaque colours. On a 32-bit image with nothing but plain painting in force
// it writes the pixels itself, which is many times quicker than the painter for the tens of
// thousands of tiny boxes of a large tree at a small zoom; anywhere else it asks the painter.
class RectFiller {
public:
    // `clipped`: the painter clips while the rectangles are filled.
    RectFiller(QPainter& painter, bool clipped)
        : painter_(painter), pixels_(clipped ? DirectPixels{} : directPixelsOf(painter)) {}
    void fill(const QRect& rect, const BoxFill& with) {
        if (!pixels_.bits) {
            painter_.fillRect(rect, with.brush);
            return;
        }
        const DeviceSpan span = deviceSpanOf(rect, pixels_.ratio, pixels_.width, pixels_.height);
        if (span.empty()) return;
        for (int y = span.top; y < span.bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(pixels_.bits + static_cast<qsizetype>(y) * pixels_.stride) + span.left;
            std::fill_n(line, span.right - span.left, with.rgba);
        }
    }

private:
    QPainter& painter_;
    DirectPixels pixels_;
};

// What a box paints, all of it opaque: the edge and shadow along its bottom and its right, just
// outside the filled rectangle, and the filled rectangle. An edge too short to show is empty.
struct BoxPaint {
    QRect bottomEdge, rightEdge, fill;
};
BoxPaint boxPaintOf(const BoxEdges& e) {
    BoxPaint paint{QRect(), QRect(), e.rect()};
    if (e.right > e.left + 1) paint.bottomEdge = QRect(e.left + 1, e.bottom, e.right - e.left, 1);
    if (e.bottom > e.top + 1) paint.rightEdge = QRect(e.right, e.top + 2, 1, e.bottom - e.top - 1);
    return paint;
}

}  // namespace

// Drops characters until the text and "..." fit the box width.
QString shortenName(const QString& text, const QFontMetrics& fm, int width) {
    if (fm.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    QString t = text;
    while (!t.isEmpty() && fm.horizontalAdvance(t + dots) > width) t.chop(1);
    return t + dots;
}

namespace {

// Texts in the painter's font and pen: centred on the box and clipped to a rectangle.
struct TextLine {
    QPainter& painter;
    const QFontMetrics& fm;
    int left;
    int halfWidth;
    void draw(const QString& text, int y, const QRect& clip) const {
        const int x = left + halfWidth - (fm.horizontalAdvance(text) / 2);
        painter.setClipRect(clip);
        painter.drawText(x, y + fm.ascent(), text);
    }
};

}  // namespace

int pixelSizeForCellHeight(const QString& family, int cellHeight) {
    if (cellHeight <= 1) cellHeight = 1;
    static QHash<QString, QHash<int, int>> cache;
    QHash<int, int>& sizes = cache[family];
    const auto found = sizes.constFind(cellHeight);
    if (found != sizes.constEnd()) return *found;
    // Ascent + descent grows with the pixel size: find the largest size that stays within the cell.
    QFont font(family);
    int lo = 1, hi = cellHeight, best = 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        font.setPixelSize(mid);
        const QFontMetrics fm(font);
        if (fm.ascent() + fm.descent() <= cellHeight) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    sizes.insert(cellHeight, best);
    return best;
}

void paintSelected(QPainter& painter, const ItemStore& store, const ViewState& view) {
    for (const PersonItem* item : store.selectionList()) invertBox(painter, *item, view);
}

PaintResult paintTree(QPainter& painter, const ItemStore& store, const ViewState& view, QSize target,
                      const PaintSettings& settings) {
    PaintResult result;
    if (!settings.paintEnabled) {
        result.painted = false;
        return result;
    }
    result.caption = windowCaption(settings.currentFileName);
    if (!painter.isActive()) {
        // Reported to the user; the tree itself is left alone.
        result.ok = false;
        result.error = kTreeCannotBeDrawn;
        return result;
    }
    static const DisplayCharset kDefaultCharset;
    const DisplayCharset& charset = settings.charset ? *settings.charset : kDefaultCharset;
    const double s = view.zoom * 0.01;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Smooth text; the boxes and lines stay on whole pixels.
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(Qt::NoBrush);

    // One walk over the store gathers the lines and the boxes to draw and counts the items; the
    // drawing then follows in the fixed order: spouse links, parent links, boxes, highlight.
    static thread_local TreeWalk front, back;
    walkTree(store, view, target, settings, front, back);
    result.items = front.items + back.items;
    result.persons = front.persons + back.persons;
    const TreeWalk* const walks[] = {&front, &back};

    // The lines go out in the order gathered.
    LinkLines links(painter);
    links.reserve(front.spouseLines.size() + back.spouseLines.size() + front.parentLines.size() + back.parentLines.size());
    const LinkLines::Pen spousePen(kSpouseColour, true), fatherPen(kFatherColour, false), motherPen(kMotherColour, false);
    for (const TreeWalk* walk : walks)
        for (const TreeWalk::Line& l : walk->spouseLines) links.add(QLine(l.x1, l.y1, l.x2, l.y2), spousePen);
    for (const TreeWalk* walk : walks)
        for (const TreeWalk::Line& l : walk->parentLines)
            links.add(QLine(l.x1, l.y1, l.x2, l.y2), l.kind == 1 ? fatherPen : motherPen);
    // At a small zoom the boxes hide most of the lines' pixels.
    for (const TreeWalk* walk : walks)
        for (const TreeWalk::Box& b : walk->boxes) {
            const BoxPaint paint = boxPaintOf(b.edges);
            links.paintedOver(paint.bottomEdge);
            links.paintedOver(paint.rightEdge);
            links.paintedOver(paint.fill);
        }
    links.finish();

    // The font's cell height follows the zoom; one pixel at the least.
    const int cell = std::max<int>(1, static_cast<int>(roundHalfEven(view.zoom * 0.01 * settings.screenFontSize)));
    QFont plainFont(settings.screenFontName);
    plainFont.setPixelSize(pixelSizeForCellHeight(settings.screenFontName, cell));
    // Smoothed, with the stems snapped to whole pixels so that small dates stay legible.
    plainFont.setHintingPreference(QFont::PreferFullHinting);
    QFont aliasFont = plainFont, originalFont = plainFont;
    aliasFont.setItalic(true);
    aliasFont.setUnderline(true);
    originalFont.setUnderline(true);
    const QFontMetrics plainMetrics(plainFont), aliasMetrics(aliasFont), originalMetrics(originalFont);
    const int hw = static_cast<int>(roundHalfEven(s * 140 * 0.5));
    const bool withText = view.zoom > 15;

    static const BoxFill edge(Qt::black);
    // With texts, each box is filled after the clipping of the texts before it is turned off; without,
    // under the clip that the caller set, if any.
    RectFiller filler(painter, !withText && painter.hasClipping());
    for (const TreeWalk* walk : walks) {
        for (const TreeWalk::Box& b : walk->boxes) {
            const PersonItem* item = b.item;
            const BoxEdges& e = b.edges;
            const BoxFill& fill = *b.fill;
            if (withText) painter.setClipping(false);  // only the texts clip
            const BoxPaint paint = boxPaintOf(e);
            if (!paint.bottomEdge.isNull()) filler.fill(paint.bottomEdge, edge);
            if (!paint.rightEdge.isNull()) filler.fill(paint.rightEdge, edge);
            const QRect& box = paint.fill;
            filler.fill(box, fill);
            if (!withText) continue;

            const QFont* font = &plainFont;
            const QFontMetrics* fm = &plainMetrics;
            QColor colour = Qt::black;
            if (item->isAlias()) {
                font = &aliasFont;
                fm = &aliasMetrics;
                colour = kBlue;
            } else if (!item->Kind.empty()) {
                font = &originalFont;
                fm = &originalMetrics;
                colour = kBlue;
            }
            painter.setFont(*font);
            painter.setPen(colour);
            const TextLine line{painter, *fm, e.left, hw};
            const int width = e.right - e.left;
            line.draw(shortenName(charset.decode(item->FirstName), *fm, width), e.top, box);
            const int y2 = toScreen(static_cast<long long>(item->Y) + 14, view.offsetY, s);
            line.draw(shortenName(charset.decode(item->LastName), *fm, width), y2, QRect(e.left, y2, width, e.bottom - y2));
            if (!item->BornDate.empty()) {
                const int y3 = toScreen(static_cast<long long>(item->Y) + 30, view.offsetY, s);
                line.draw(charset.decode(item->BornDate), y3, QRect(e.left, y3, width, e.bottom - y3));
            }
            if (!item->DiedDate.empty()) {
                const int y4 = toScreen(static_cast<long long>(item->Y) + 44, view.offsetY, s);
                line.draw(QStringLiteral("- ") + charset.decode(item->DiedDate), y4,
                          QRect(e.left, y4, width, e.bottom - y4));
            }
        }
    }
    painter.setClipping(false);

    // The current item or the multi-selection is shown inverted.
    if (!store.selectionList().empty())
        paintSelected(painter, store, view);
    else if (store.currentItem)
        invertBox(painter, *store.currentItem, view);
    painter.restore();

    result.itemsLabel = QStringLiteral("Items: ") + QString::number(result.items);
    result.personsLabel = QStringLiteral("Persons: ") + QString::number(result.persons);
    result.zoomLabel = QStringLiteral("Zoom: ") + QString::number(roundHalfEven(view.zoom)) + QStringLiteral(" %");
    return result;
}

}  // namespace kinloom
