#include "layout/ancestor_tree.h"

#include "document/item_store.h"
#include "layout/pedigree_height.h"
#include "platform/prompts.h"
#include "platform/rounding.h"

#include <algorithm>
#include <limits>

namespace kinloom {

namespace {

constexpr double kPositionWidth = 150.0;  // width per position of the outermost generation
constexpr double kPitch = 65.0;
constexpr double kCompactRise = 0.2;
constexpr double kCompactCubic = 0.04;

int clampToCanvas(long long v) {
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int treeWidth(int generations) {
    return static_cast<int>(roundHalfEven(kPositionWidth * static_cast<double>(1 << (generations - 1))));
}

}  // namespace

CanvasPoint ancestorPosition(TreeStyle style, int generations, int g, int k, int x0, int y0) {
    const double n = generations;
    const double w = treeWidth(generations);
    const double m = static_cast<double>(1 << g);
    const double spread = (k - 0.5) * w / m - w * 0.5;
    long long x = x0;
    long long y = y0;
    if (style == TreeStyle::Compact) {
        x += roundHalfEven(spread * (g / (n - 1)));
        y -= roundHalfEven((g + kCompactRise) * kPitch * (n - 1) + (kPitch * g * g * g) * kCompactCubic);
    } else {
        x += roundHalfEven(spread);
        y += roundHalfEven(kPitch * (n - g) * (n - g)) - roundHalfEven(kPitch * n * n);
    }
    // Worked out wide: a root near the end of the canvas gets its ancestors at the end, not
    // wrapped round to the far side.
    return {clampToCanvas(x), clampToCanvas(y)};
}

void AncestorWalk::reset() {
    maxDepth = 1;
    for (auto& row : table_) row.fill(nullptr);
    heights_.clear();
}

int AncestorWalk::checkOut(PersonItem* item, int depth, int position) {
    if (!item) return maxDepth;
    if (depth >= 1 && depth <= kTableDepth && position >= 1 && position <= kTableWidth)
        table_[depth - 1][position - 1] = item;
    if (depth > maxDepth) maxDepth = depth;
    if (maxDepth > kDepthLimit) return maxDepth;
    if (item->isAlias()) return maxDepth;
    if (depth >= kTableDepth) {
        // Nothing below the table is stored: only the depth it reaches counts, and that is the
        // height of the pedigree above this item (31 when the walk would stop at its limit).
        const int height = pedigreeHeight(item, heights_, kDepthLimit + 1);
        maxDepth = std::max(maxDepth, std::min(kDepthLimit + 1, depth + height - 1));
        return maxDepth;
    }
    if (item->Father) checkOut(item->Father, depth + 1, 2 * position - 1);
    if (item->Mother) checkOut(item->Mother, depth + 1, 2 * position);
    return maxDepth;
}

std::vector<int> pedigreeDepths(ItemStore& store) {
    // Each item's place in the list, held in its ChildCount (the layout's scratch field) meanwhile.
    int32_t n = 0;
    for (PersonItem* p = store.firstItem(); p; p = p->Next) p->ChildCount = n++;
    IndexedHeights memo(static_cast<size_t>(n), [](const PersonItem* p) { return static_cast<size_t>(p->ChildCount); });
    std::vector<int> depths;
    depths.reserve(static_cast<size_t>(n));
    for (const PersonItem* p = store.firstItem(); p; p = p->Next)
        depths.push_back(pedigreeHeight(p, memo, AncestorWalk::kDepthLimit + 1));
    for (PersonItem* p = store.firstItem(); p; p = p->Next) p->ChildCount = 0;
    return depths;
}

void organizeTree(ItemStore& store, TreeStyle style, int limit, Prompts& prompts) {
    PersonItem* root = store.currentItem;
    if (!root) return;
    AncestorWalk walk;
    walk.reset();
    const int n = walk.checkOut(root, 1, 1);
    if (n < 2) return;
    if (n >= AncestorWalk::kDepthLimit) {
        prompts.message(QStringLiteral("Error"),
                        QStringLiteral("The tree is very large. There might be circular references!"),
                        PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    if (limit >= 1 && n > limit) {
        prompts.message(kAppTitle,
                        QStringLiteral("The tree contains more than ") + QString::number(limit) +
                            QStringLiteral(" generations and will not be organized."),
                        PromptButtons::Ok, PromptIcon::None);
        return;
    }
    // The table holds eight generations; a larger limit cannot organise more than that.
    if (n > AncestorWalk::kTableDepth) return;
    store.modified = true;
    const int x0 = root->X;
    const int y0 = root->Y;
    for (int g = 1; g <= n - 1; ++g)
        for (int k = 1; k <= (1 << g); ++k)
            if (PersonItem* item = walk.at(g + 1, k)) {
                const CanvasPoint p = ancestorPosition(style, n, g, k, x0, y0);
                store.touchPlace(item);
                item->X = p.x;
                item->Y = p.y;
            }
    store.currentItem = nullptr;
}

bool createTree(ItemStore& store, TreeStyle style, const GenerationsDialog& askGenerations,
                Prompts& prompts, const BusyCursorHook& busy) {
    PersonItem* root = store.currentItem;
    // Only an item without parents that is not an alias gets a new tree, as the Edit menu's rule
    // says: the toolbar button may still be enabled after a parent was linked and must not replace
    // the link, and an alias's Father is where its original belongs.
    if (!root || root->Father || root->Mother || root->isAlias()) return false;
    int n = 0;
    for (;;) {
        store.modified = true;  // set before asking: a cancelled dialog leaves it set
        const std::optional<QString> text = askGenerations();
        if (!text) return false;
        bool ok = false;
        n = text->trimmed().toInt(&ok);
        if (!ok) {
            prompts.error(kAppTitle, QStringLiteral("'") + *text +
                                         QStringLiteral("' is not a valid integer value"));
            return false;
        }
        if (n < 2) {
            prompts.message(QStringLiteral("PSST"), QStringLiteral("Minimum 2 generations!"),
                            PromptButtons::Ok, PromptIcon::None);
            continue;
        }
        if (n > 7) {
            prompts.message(QStringLiteral("PSST"),
                            QStringLiteral("Maximum 7 generations per tree, please."),
                            PromptButtons::Ok, PromptIcon::None);
            continue;
        }
        break;
    }
    if (busy) busy(true);
    store.modified = true;
    const int x0 = root->X;
    const int y0 = root->Y;
    // Each generation is appended left to right right after the one below it, so following the
    // list from the root's father visits the parents of the next generation in order.
    PersonItem* parent = root;
    bool made = false;
    for (int g = 1; g <= n - 1; ++g) {
        for (int k = 1; k <= (1 << g); ++k) {
            PersonItem* item = store.createItem();
            if (!item) {  // the store told the user; keep what was made
                store.currentItem = nullptr;
                if (busy) busy(false);
                return made;
            }
            made = true;
            item->Sex = "M";
            const CanvasPoint p = ancestorPosition(style, n, g, k, x0, y0);
            item->X = p.x;
            item->Y = p.y;
            store.touch(parent);
            if (k % 2 == 1) {
                parent->Father = item;
            } else {
                item->Sex = "F";
                parent->Mother = item;
                parent = g == 1 ? root->Father : parent->Next;
            }
        }
    }
    if (busy) busy(false);
    store.currentItem = nullptr;
    return made;
}

}  // namespace kinloom
