#include "canvas/paint_tree.h"

#include "canvas/direct_pixels.h"
#include "canvas/invert.h"
#include "canvas/link_lines.h"
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

constexpr int kClampLimit = 20000;
const QString kProgramVersion = QStringLiteral("2.0 beta 3.6");
const QColor kSpouseColour(128, 0, 128);
const QColor kFatherColour(0, 0, 128);
const QColor kMotherColour(128, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kCyan(0, 255, 255);
const QColor kBlue(0, 0, 255);

int clamp(long long v) { return static_cast<int>(std::clamp<long long>(v, -kClampLimit, kClampLimit)); }

// A solid colour to fill boxes with, and its pixel value.
struct BoxFill {
    explicit BoxFill(const QColor& colour) : brush(colour), rgba(colour.rgba()) {}
    QBrush brush;
    QRgb rgba;
};

// Fills rectangles with opaque colours. On a 32-bit image with nothing but plain painting in force
// it writes the pixels itself, which is many times quicker than the painter for the tens of
// thousands of tiny boxes of a large tree at a small zoom; anywhere else it asks the painter.
class RectFiller {
public:
    explicit RectFiller(QPainter& painter) : painter_(painter), pixels_(directPixelsOf(painter)) {}
    void fill(const QRect& rect, const BoxFill& with) {
        if (!pixels_.bits || painter_.hasClipping()) {
            painter_.fillRect(rect, with.brush);
            return;
        }
        // The rectangle in device pixels, cut to the picture.
        const int r = pixels_.ratio;
        const int left = std::max(rect.left() * r, 0), top = std::max(rect.top() * r, 0);
        const int right = std::min((rect.right() + 1) * r, pixels_.width), bottom = std::min((rect.bottom() + 1) * r, pixels_.height);
        if (left >= right || top >= bottom) return;
        const QRgb value = with.rgba;
        for (int y = top; y < bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(pixels_.bits + static_cast<qsizetype>(y) * pixels_.stride) + left;
            std::fill_n(line, right - left, value);
        }
    }

private:
    QPainter& painter_;
    DirectPixels pixels_;
};

// A link line in screen pixels; kind 0 spouse, 1 father, 2 mother.
struct Segment {
    int x1, y1, x2, y2;
    int kind;
};

// Adds a link line between two canvas points, its rounded ends clamped to +-20000. A line whose ends
// both lie beyond the same edge of the target cannot touch it and is left out: this keeps a repaint
// of a huge tree cheap.
void addLink(std::vector<Segment>& out, double s, const ViewState& v, QSize target, long long x1, long long y1,
             long long x2, long long y2, int kind) {
    const int sx1 = clamp(roundHalfEven((static_cast<double>(x1) + v.offsetX) * s));
    const int sy1 = clamp(roundHalfEven((static_cast<double>(y1) + v.offsetY) * s));
    const int sx2 = clamp(roundHalfEven((static_cast<double>(x2) + v.offsetX) * s));
    const int sy2 = clamp(roundHalfEven((static_cast<double>(y2) + v.offsetY) * s));
    if ((sx1 < 0 && sx2 < 0) || (sy1 < 0 && sy2 < 0)) return;
    if ((sx1 >= target.width() && sx2 >= target.width()) || (sy1 >= target.height() && sy2 >= target.height()))
        return;
    out.push_back({sx1, sy1, sx2, sy2, kind});
}

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

// Brushes made once: a tree at a small zoom fills many thousands of tiny rectangles.
const BoxFill& fillOf(const PersonItem& item, ColourCode mode) {
    static const BoxFill silver(kSilver), yellow(kYellow), cyan(kCyan), white(Qt::white);
    if (!item.hasName()) return silver;
    switch (mode) {
    case ColourCode::None:
        break;
    case ColourCode::Notes:
        if (!item.NotesFile.empty()) return yellow;
        break;
    case ColourCode::Gender:
        if (item.Sex == std::string_view("F")) return cyan;
        break;
    case ColourCode::Picture:
        if (!item.PictureFile.empty()) return yellow;
        break;
    }
    return white;
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

QString captionFor(const QString& currentFileName) {
    QString caption = QStringLiteral("Kinloom ") + kProgramVersion;
    if (!currentFileName.isEmpty()) caption += QStringLiteral(" [") + currentFileName + QStringLiteral("]");
    return caption;
}

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
    result.caption = captionFor(settings.currentFileName);
    if (!painter.isActive()) {
        // Reported to the user; the tree itself is left alone.
        result.ok = false;
        result.error = kTreeCannotBeDrawn;
        return result;
    }
    static const DisplayCharset kDefaultCharset;
    const DisplayCharset& charset = settings.charset ? *settings.charset : kDefaultCharset;
    const double s = view.zoom * 0.01;
    const int W = target.width(), H = target.height();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Smooth text; the boxes and lines stay on whole pixels.
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(Qt::NoBrush);

    // One walk over the store gathers the lines and the boxes to draw and counts the items; the
    // drawing then follows in the fixed order: spouse links, parent links, boxes, highlight.
    // The lists keep their room from one repaint to the next: a large tree needs megabytes of them,
    // and asking the system for fresh pages every time costs more than filling them.
    static thread_local std::vector<Segment> spouseLines, parentLines;
    spouseLines.clear();
    parentLines.clear();
    // A box to draw: what its drawing needs is kept here, so that a tree at a small zoom is drawn
    // without a second pass over the items' memory.
    struct Box {
        const PersonItem* item;
        BoxEdges edges;
        const BoxFill* fill;
    };
    static thread_local std::vector<Box> boxes;
    boxes.clear();
    // The items that an item links to lie anywhere in memory: their places are fetched a few items
    // ahead of the walk, so that many of these fetches are on their way at once. The item's own
    // fields are fetched further ahead still, so that they are at hand by then.
    constexpr int kLinkLookahead = 8, kItemLookahead = 16;
    const PersonItem* ahead = store.firstItem();
    for (int i = 0; i < kLinkLookahead && ahead; ++i) ahead = ahead->Next;
    const PersonItem* far = ahead;
    for (int i = kLinkLookahead; i < kItemLookahead && far; ++i) far = far->Next;
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        if (far) {
            __builtin_prefetch(&far->Father);
            __builtin_prefetch(&far->Spouse[1]);
            __builtin_prefetch(&far->Spouse[kMaxSpouses]);
            far = far->Next;
            if (far) __builtin_prefetch(&far->Next);
        }
        // An item spans many cache lines; fetch the ones read here for the next item meanwhile, so
        // that a tree of 100,000 items is walked at memory speed rather than miss by miss.
        if (const PersonItem* next = item->Next) {
            __builtin_prefetch(&next->Next);
            __builtin_prefetch(&next->LastName);
            __builtin_prefetch(&next->Kind);
            __builtin_prefetch(&next->Father);
            __builtin_prefetch(&next->Spouse[kMaxSpouses]);
            __builtin_prefetch(&next->X);
        }
        if (ahead) {
            if (ahead->Father) __builtin_prefetch(&ahead->Father->X);
            if (ahead->Mother) __builtin_prefetch(&ahead->Mother->X);
            for (int i = 1; i <= kMaxSpouses; ++i)
                if (const PersonItem* spouse = ahead->Spouse[i]) {
                    __builtin_prefetch(&spouse->Id);
                    __builtin_prefetch(&spouse->X);
                }
            ahead = ahead->Next;
        }
        // Spouse links, once per pair from the side with the lower Id.
        for (int i = 1; i <= kMaxSpouses; ++i) {
            const PersonItem* spouse = item->Spouse[i];
            if (spouse && spouse->Id > item->Id)
                addLink(spouseLines, s, view, target, 0LL + item->X + kLinkDX, 0LL + item->Y + kLinkDY,
                        0LL + spouse->X + kLinkDX, 0LL + spouse->Y + kLinkDY, 0);
        }
        // Parent lines leave the child 10 units apart, father on the left; an alias's Father is its
        // original and gets no line.
        if (!item->isAlias()) {
            if (item->Father)
                addLink(parentLines, s, view, target, 0LL + item->X + 65, 0LL + item->Y + kLinkDY,
                        0LL + item->Father->X + kLinkDX, 0LL + item->Father->Y + kLinkDY, 1);
            if (item->Mother)
                addLink(parentLines, s, view, target, 0LL + item->X + 75, 0LL + item->Y + kLinkDY,
                        0LL + item->Mother->X + kLinkDX, 0LL + item->Mother->Y + kLinkDY, 2);
        }
        if (settings.dragging && item == store.currentItem) continue;
        ++result.items;
        if (item->hasName() && !item->isAlias()) ++result.persons;
        const BoxEdges e = boxEdgesOf(*item, view);
        if (e.bottom > 0 && e.right > 0 && e.left < W && e.top < H)
            boxes.push_back({item, e, &fillOf(*item, settings.colourCodeMode)});
    }

    // The lines go out in the order gathered.
    LinkLines links(painter);
    links.reserve(spouseLines.size() + parentLines.size());
    const LinkLines::Pen spousePen(kSpouseColour, true), fatherPen(kFatherColour, false), motherPen(kMotherColour, false);
    for (const Segment& l : spouseLines) links.add(QLine(l.x1, l.y1, l.x2, l.y2), spousePen);
    for (const Segment& l : parentLines) links.add(QLine(l.x1, l.y1, l.x2, l.y2), l.kind == 1 ? fatherPen : motherPen);
    // At a small zoom the boxes hide most of the lines' pixels.
    for (const Box& b : boxes) {
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
    RectFiller filler(painter);
    for (const Box& b : boxes) {
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
