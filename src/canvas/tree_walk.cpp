#include "canvas/tree_walk.h"

#include "document/item_store.h"
#include "platform/run_together.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace kinloom {

namespace {

constexpr int kClampLimit = 20000;
// Below this many items a second thread costs more than it saves.
constexpr int kItemsForTwoWalks = 16384;

int clamp(long long v) { return static_cast<int>(std::clamp<long long>(v, -kClampLimit, kClampLimit)); }

// Adds a link line between two canvas points, its rounded ends clamped to +-20000. A line whose ends
// both lie beyond the same edge of the target cannot touch it and is left out: this keeps a repaint
// of a huge tree cheap.
void addLink(std::vector<TreeWalk::Line>& out, double s, const ViewState& v, QSize target, long long x1, long long y1,
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

// Brushes made once: a tree at a small zoom fills many thousands of tiny rectangles.
const BoxFill& fillOf(const PersonItem& item, ColourCode mode) {
    static const BoxFill silver(kSilver), yellow(QColor(255, 255, 0)), cyan(QColor(0, 255, 255)), white(Qt::white);
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

// Walks `count` items from `start`, along Next when Forward and along Prev when not. Going back,
// everything an item adds is added in reverse, so that the lists come out in list order once
// turned round.
template <bool Forward>
void walkItems(const PersonItem* start, int count, const ItemStore& store, const ViewState& view, QSize target,
               const PaintSettings& settings, TreeWalk& out) {
    const auto step = [](const PersonItem* item) { return Forward ? item->Next : item->Prev; };
    const double s = scaleOf(view);
    const int W = target.width(), H = target.height();
    // The items that an item links to lie anywhere in memory: their places are fetched a few items
    // ahead of the walk, so that many of these fetches are on their way at once. The item's own
    // fields are fetched further ahead still, so that they are at hand by then.
    constexpr int kLinkLookahead = 8, kItemLookahead = 16;
    const PersonItem* ahead = start;
    for (int i = 0; i < kLinkLookahead && ahead; ++i) ahead = step(ahead);
    const PersonItem* far = ahead;
    for (int i = kLinkLookahead; i < kItemLookahead && far; ++i) far = step(far);
    const auto spouseLink = [&](const PersonItem* item, int i) {
        const PersonItem* spouse = item->Spouse[i];
        // Once per pair, from the side with the lower Id.
        if (spouse && spouse->Id > item->Id)
            addLink(out.spouseLines, s, view, target, 0LL + item->X + kLinkDX, 0LL + item->Y + kLinkDY,
                    0LL + spouse->X + kLinkDX, 0LL + spouse->Y + kLinkDY, 0);
    };
    // Parent lines leave the child 10 units apart, father on the left.
    const auto fatherLink = [&](const PersonItem* item) {
        addLink(out.parentLines, s, view, target, 0LL + item->X + 65, 0LL + item->Y + kLinkDY,
                0LL + item->Father->X + kLinkDX, 0LL + item->Father->Y + kLinkDY, 1);
    };
    const auto motherLink = [&](const PersonItem* item) {
        addLink(out.parentLines, s, view, target, 0LL + item->X + 75, 0LL + item->Y + kLinkDY,
                0LL + item->Mother->X + kLinkDX, 0LL + item->Mother->Y + kLinkDY, 2);
    };
    const PersonItem* item = start;
    for (int n = 0; n < count && item; ++n, item = step(item)) {
        if (far) {
            __builtin_prefetch(&far->Father);
            __builtin_prefetch(&far->Spouse[1]);
            __builtin_prefetch(&far->Spouse[kMaxSpouses]);
            far = step(far);
            if (far) __builtin_prefetch(&far->Next);
        }
        // An item spans many cache lines; fetch the ones read here for the next item meanwhile, so
        // that a tree of 100,000 items is walked at memory speed rather than miss by miss.
        if (const PersonItem* next = step(item)) {
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
            ahead = step(ahead);
        }
        if (Forward)
            for (int i = 1; i <= kMaxSpouses; ++i) spouseLink(item, i);
        else
            for (int i = kMaxSpouses; i >= 1; --i) spouseLink(item, i);
        // An alias's Father is its original and gets no line.
        if (!item->isAlias()) {
            if (Forward && item->Father) fatherLink(item);
            if (item->Mother) motherLink(item);
            if (!Forward && item->Father) fatherLink(item);
        }
        if (settings.dragging && item == store.currentItem) continue;
        ++out.items;
        if (item->hasName() && !item->isAlias()) ++out.persons;
        const BoxEdges e = boxEdgesOf(*item, view);
        if (e.bottom > 0 && e.right > 0 && e.left < W && e.top < H)
            out.boxes.push_back({item, e, &fillOf(*item, settings.colourCodeMode)});
    }
    if (!Forward) {
        std::reverse(out.spouseLines.begin(), out.spouseLines.end());
        std::reverse(out.parentLines.begin(), out.parentLines.end());
        std::reverse(out.boxes.begin(), out.boxes.end());
    }
}

}  // namespace

void TreeWalk::clear() {
    spouseLines.clear();
    parentLines.clear();
    boxes.clear();
    items = 0;
    persons = 0;
}

void walkTree(const ItemStore& store, const ViewState& view, QSize target, const PaintSettings& settings,
              TreeWalk& front, TreeWalk& back, WalkSplit split) {
    front.clear();
    back.clear();
    const int count = store.itemCount();
    if (split == WalkSplit::Auto)
        split = count >= kItemsForTwoWalks && std::thread::hardware_concurrency() >= 2 ? WalkSplit::BothEnds
                                                                                        : WalkSplit::FrontOnly;
    if (split == WalkSplit::FrontOnly) {
        walkItems<true>(store.firstItem(), INT_MAX, store, view, target, settings, front);
        return;
    }
    const int half = count / 2;
    runTogether({[&] { walkItems<false>(store.lastItem(), count - half, store, view, target, settings, back); },
                 [&] { walkItems<true>(store.firstItem(), half, store, view, target, settings, front); }});
}

}  // namespace kinloom
