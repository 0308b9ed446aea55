#pragma once
// How readable an arrangement is, measured on the lines the canvas draws: from a child (65 or 75
// units into its box, half way down) straight to the centre of its father's and mother's box, from
// partner centre to partner centre, with the boxes painted over the lines.
#include "document/item_store.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace kinloom::test {

struct ChartMetrics {
    long long crossings = 0;     // pairs of lines that cross away from their ends
    long long linesUnderBoxes = 0;  // lines that pass under a box other than their own two
    double meanLength = 0;       // in box widths
    long long overlaps = 0;      // pairs of boxes that overlap
    long long parentLines = 0;
    long long upwardLines = 0;   // parent lines that go up from the child
    double upwardPercent() const { return parentLines ? 100.0 * upwardLines / parentLines : 100.0; }
};

struct MeasuredLine {
    int64_t x1, y1, x2, y2;
    const PersonItem *a, *b;
    bool toParent;  // a is the child, b the parent
};

inline std::vector<MeasuredLine> measuredLines(const ItemStore& store) {
    std::vector<MeasuredLine> lines;
    std::set<std::pair<const PersonItem*, const PersonItem*>> couples;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        for (int s = 1; s <= kMaxSpouses; ++s) {
            const PersonItem* q = p->Spouse[s];
            if (!q || q == p || !couples.insert(std::minmax(p, q)).second) continue;
            lines.push_back({p->X + kLinkDX, p->Y + kLinkDY, q->X + kLinkDX, q->Y + kLinkDY, p, q, false});
        }
        if (p->isAlias()) continue;  // an alias's Father is its original and gets no line
        if (p->Father) lines.push_back({p->X + 65, p->Y + kLinkDY, p->Father->X + kLinkDX, p->Father->Y + kLinkDY, p, p->Father, true});
        if (p->Mother) lines.push_back({p->X + 75, p->Y + kLinkDY, p->Mother->X + kLinkDX, p->Mother->Y + kLinkDY, p, p->Mother, true});
    }
    return lines;
}

inline int orientation(int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t cx, int64_t cy) {
    const int64_t v = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    return (v > 0) - (v < 0);
}

// Does the segment meet the closed rectangle? (Liang and Barsky's clipping.)
inline bool segmentMeetsBox(const MeasuredLine& l, double left, double top, double right, double bottom) {
    double t0 = 0, t1 = 1;
    const double dx = static_cast<double>(l.x2 - l.x1), dy = static_cast<double>(l.y2 - l.y1);
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {l.x1 - left, right - l.x1, l.y1 - top, bottom - l.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

inline ChartMetrics measureChart(const ItemStore& store) {
    ChartMetrics m;
    std::vector<MeasuredLine> lines = measuredLines(store);
    double length = 0;
    for (const MeasuredLine& l : lines) {
        length += std::hypot(static_cast<double>(l.x2 - l.x1), static_cast<double>(l.y2 - l.y1)) / kItemWidth;
        if (l.toParent) {
            ++m.parentLines;
            m.upwardLines += l.y2 < l.y1;
        }
    }
    m.meanLength = lines.empty() ? 0 : length / static_cast<double>(lines.size());

    // Crossings: lines sorted by their left end; a line only meets those that start before it ends.
    std::sort(lines.begin(), lines.end(), [](const MeasuredLine& a, const MeasuredLine& b) {
        return std::min(a.x1, a.x2) < std::min(b.x1, b.x2);
    });
    for (size_t i = 0; i < lines.size(); ++i) {
        const MeasuredLine& a = lines[i];
        const int64_t right = std::max(a.x1, a.x2);
        for (size_t j = i + 1; j < lines.size() && std::min(lines[j].x1, lines[j].x2) <= right; ++j) {
            const MeasuredLine& b = lines[j];
            if (std::max(a.y1, a.y2) < std::min(b.y1, b.y2) || std::max(b.y1, b.y2) < std::min(a.y1, a.y2)) continue;
            const int o1 = orientation(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1), o2 = orientation(a.x1, a.y1, a.x2, a.y2, b.x2, b.y2);
            const int o3 = orientation(b.x1, b.y1, b.x2, b.y2, a.x1, a.y1), o4 = orientation(b.x1, b.y1, b.x2, b.y2, a.x2, a.y2);
            m.crossings += o1 * o2 < 0 && o3 * o4 < 0;
        }
    }

    // Boxes sorted by X: a line can only pass under those whose left edge lies within its reach.
    std::vector<const PersonItem*> boxes;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) boxes.push_back(p);
    std::sort(boxes.begin(), boxes.end(), [](const PersonItem* a, const PersonItem* b) { return a->X < b->X; });
    for (const MeasuredLine& l : lines) {
        const int64_t from = std::min(l.x1, l.x2) - kItemWidth, to = std::max(l.x1, l.x2);
        auto it = std::lower_bound(boxes.begin(), boxes.end(), from, [](const PersonItem* p, int64_t x) { return p->X < x; });
        for (; it != boxes.end() && (*it)->X <= to; ++it) {
            const PersonItem* box = *it;
            if (box == l.a || box == l.b) continue;
            if (segmentMeetsBox(l, box->X, box->Y, box->X + kItemWidth, box->Y + kItemHeight)) {
                ++m.linesUnderBoxes;
                break;
            }
        }
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size() && boxes[j]->X < boxes[i]->X + kItemWidth; ++j)
            m.overlaps += std::abs(int64_t{boxes[j]->Y} - boxes[i]->Y) < kItemHeight;
    return m;
}

}  // namespace kinloom::test
