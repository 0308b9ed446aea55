#include "layout/family_ranks.h"

#include "layout/family_rank_balance.h"

#include <algorithm>
#include <climits>
#include <numeric>

namespace kinloom {

std::size_t FamilyBlocks::bytes() const {
    return blockOf.capacity() * 4 + start.capacity() * 4 + members.capacity() * 4 + row.capacity() * 4 +
           family.capacity() * 4;
}

namespace {

class UnionFind {
public:
    explicit UnionFind(size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    int32_t find(int32_t v) {
        while (parent_[v] != v) v = parent_[v] = parent_[parent_[v]];
        return v;
    }
    // The smaller number becomes the root, so that the result does not depend on the order of joins.
    void join(int32_t a, int32_t b) {
        a = find(a);
        b = find(b);
        if (a == b) return;
        if (a < b) std::swap(a, b);
        parent_[a] = b;
    }

private:
    std::vector<int32_t> parent_;
};

// A table of lists: list i is items[start[i] .. start[i + 1]).
struct Lists {
    std::vector<uint32_t> start;
    std::vector<int32_t> items;
    // Two passes over the same pairs (list, item): count, then fill.
    template <class ForEach>
    void build(size_t lists, const ForEach& forEach) {
        start.assign(lists + 1, 0);
        forEach([&](int32_t list, int32_t) { ++start[list + 1]; });
        for (size_t i = 0; i < lists; ++i) start[i + 1] += start[i];
        items.resize(start[lists]);
        std::vector<uint32_t> cursor(start.begin(), start.end() - 1);
        forEach([&](int32_t list, int32_t item) { items[cursor[list]++] = item; });
    }
};

// Orders one block's members: the member with most partners in the middle, its partners alternately
// on either side (a man's first wife to his right, a woman's first husband to her left), each
// partner's further partners farther out on its side; an alias without links of its own right after
// its original.
class BlockSequencer {
public:
    BlockSequencer(const FamilyGraph& g, const std::vector<uint8_t>& attached, const Lists& aliasesOf,
                   const std::vector<int32_t>& blockOf)
        : g_(g), attached_(attached), aliasesOf_(aliasesOf), blockOf_(blockOf), visited_(g.size(), 0) {}

    void sequence(int32_t* first, int32_t* last) {
        if (last - first < 2) return;
        int32_t root = -1;
        uint32_t best = 0;
        for (int32_t* m = first; m != last; ++m) {
            if (attached_[*m]) continue;
            uint32_t degree = 0;
            for (uint32_t e = g_.partnerStart[*m]; e < g_.partnerStart[*m + 1]; ++e) degree += blockOf_[g_.partners[e]] == blockOf_[*m];
            if (root < 0 || degree > best || (degree == best && g_.sex[*m] > g_.sex[root])) {
                root = *m;
                best = degree;
            }
        }
        spouses_.clear();
        if (root >= 0) {
            left_.clear();
            right_.clear();
            visited_[root] = 1;
            std::vector<int32_t> leftFirst, rightFirst;
            int k = 0;
            for (uint32_t e = g_.partnerStart[root]; e < g_.partnerStart[root + 1]; ++e) {
                const int32_t q = g_.partners[e];
                if (visited_[q] || blockOf_[q] != blockOf_[root]) continue;
                visited_[q] = 1;
                ((k++ % 2 == 0) == (g_.sex[root] != FamilyGraph::kFemale) ? rightFirst : leftFirst).push_back(q);
            }
            for (int32_t q : rightFirst) preorder(q, right_);
            for (int32_t q : leftFirst) preorder(q, left_);
            spouses_.assign(left_.rbegin(), left_.rend());
            spouses_.push_back(root);
            spouses_.insert(spouses_.end(), right_.begin(), right_.end());
        }
        out_.clear();
        for (int32_t v : spouses_) withAliases(v);
        // Whatever the partner links did not reach (aliases of aliases in a circle).
        for (int32_t* m = first; m != last; ++m)
            if (!visited_[*m]) withAliases(*m);
        std::copy(out_.begin(), out_.end(), first);
    }

private:
    // Depth first from `from` in pre-order, through the lists `next` (first entry first) to the
    // nodes `accept` lets in, each once.
    template <class Accept>
    void walk(int32_t from, const std::vector<uint32_t>& start, const std::vector<int32_t>& next,
              std::vector<int32_t>& out, const Accept& accept) {
        visited_[from] = 1;
        stack_.assign(1, from);
        while (!stack_.empty()) {
            const int32_t v = stack_.back();
            stack_.pop_back();
            out.push_back(v);
            for (uint32_t e = start[v + 1]; e-- > start[v];) {
                const int32_t w = next[e];
                if (visited_[w] || !accept(v, w)) continue;
                visited_[w] = 1;
                stack_.push_back(w);
            }
        }
    }
    void preorder(int32_t q, std::vector<int32_t>& out) {
        walk(q, g_.partnerStart, g_.partners, out, [this](int32_t v, int32_t w) { return blockOf_[w] == blockOf_[v]; });
    }
    void withAliases(int32_t v) {
        walk(v, aliasesOf_.start, aliasesOf_.items, out_, [](int32_t, int32_t) { return true; });
    }

    const FamilyGraph& g_;
    const std::vector<uint8_t>& attached_;
    const Lists& aliasesOf_;
    const std::vector<int32_t>& blockOf_;
    std::vector<uint8_t> visited_;
    std::vector<int32_t> left_, right_, spouses_, out_, stack_;
};

// Generations: parents above their children (a link that would close a circle is left out), each
// founder at the row of its time, each person with children as low as they allow.
std::vector<int32_t> generationsOf(const FamilyGraph& g, const Lists& children) {
    const size_t n = g.size();
    std::vector<int32_t> order;  // reverse finishing order of a depth-first search: parents first
    order.reserve(n);
    {
        std::vector<uint8_t> seen(n, 0);
        struct Frame {
            int32_t item;
            uint32_t next;
        };
        std::vector<Frame> stack;
        for (size_t r = 0; r < n; ++r) {
            if (seen[r]) continue;
            seen[r] = 1;
            stack.push_back({static_cast<int32_t>(r), children.start[r]});
            while (!stack.empty()) {
                Frame& f = stack.back();
                if (f.next < children.start[f.item + 1]) {
                    const int32_t w = children.items[f.next++];
                    if (!seen[w]) {
                        seen[w] = 1;
                        stack.push_back({w, children.start[w]});
                    }
                } else {
                    order.push_back(f.item);
                    stack.pop_back();
                }
            }
        }
        std::reverse(order.begin(), order.end());
    }
    std::vector<int32_t> position(n);
    for (size_t i = 0; i < n; ++i) position[order[i]] = static_cast<int32_t>(i);
    // Birth years where the dates tell, else estimated from the nearest relatives a generation apart.
    constexpr int32_t kGenerationYears = 27;
    std::vector<int32_t> year(n, INT_MIN);
    for (size_t v = 0; v < n; ++v)
        if (g.birthYear[v] != 0) year[v] = g.birthYear[v];
    for (int pass = 0; pass < 4; ++pass)
        for (size_t k = 0; k < n; ++k) {
            const int32_t v = order[pass % 2 == 0 ? k : n - 1 - k];
            if (year[v] != INT_MIN) continue;
            int32_t fromParents = INT_MIN, fromChildren = INT_MAX, fromPartners = INT_MIN;
            for (const int32_t p : {g.father[v], g.mother[v]})
                if (p >= 0 && year[p] != INT_MIN) fromParents = std::max(fromParents, year[p] + kGenerationYears);
            for (uint32_t e = children.start[v]; e < children.start[v + 1]; ++e)
                if (year[children.items[e]] != INT_MIN) fromChildren = std::min(fromChildren, year[children.items[e]] - kGenerationYears);
            for (uint32_t e = g.partnerStart[v]; e < g.partnerStart[v + 1]; ++e)
                fromPartners = std::max(fromPartners, year[g.partners[e]]);
            year[v] = fromParents != INT_MIN ? fromParents : fromChildren != INT_MAX ? fromChildren : fromPartners;
        }
    int32_t firstYear = INT_MAX;
    for (size_t v = 0; v < n; ++v)
        if (year[v] != INT_MIN) firstYear = std::min(firstYear, year[v]);

    // Founders (no parents) take the row of their time, so that a pedigree recorded a few
    // generations deep stands where its years put it and not at the top; everyone else goes one row
    // below the lower parent.
    auto hasParents = [&](int32_t v) {
        for (const int32_t p : {g.father[v], g.mother[v]})
            if (p >= 0 && position[p] < position[v]) return true;
        return false;
    };
    std::vector<int32_t> row(n, 0);
    for (const int32_t v : order) {
        if (!hasParents(v)) {
            row[v] = year[v] == INT_MIN ? 0 : (year[v] - firstYear) / kGenerationYears;
            continue;
        }
        for (const int32_t p : {g.father[v], g.mother[v]})
            if (p >= 0 && position[p] < position[v]) row[v] = std::max(row[v], row[p] + 1);
    }
    year = {};
    // Everyone with children comes down to just above the highest of them (children first), so that
    // a married-in family's pedigree hangs right above its descendants; the childless keep the row
    // below their parents. A childless partner joins the couple's lower row, one without parents
    // the row of the partner.
    for (size_t i = n; i-- > 0;) {
        const int32_t v = order[i];
        int32_t high = INT_MAX;
        for (uint32_t e = children.start[v]; e < children.start[v + 1]; ++e)
            if (position[children.items[e]] > position[v]) high = std::min(high, row[children.items[e]] - 1);
        if (high != INT_MAX) row[v] = high;
    }
    for (int round = 0; round < 2; ++round)
        for (size_t v = 0; v < n; ++v) {
            if (children.start[v] != children.start[v + 1] || g.partnerStart[v] == g.partnerStart[v + 1]) continue;
            int32_t lowest = hasParents(static_cast<int32_t>(v)) ? row[v] : INT_MIN;
            for (uint32_t e = g.partnerStart[v]; e < g.partnerStart[v + 1]; ++e) lowest = std::max(lowest, row[g.partners[e]]);
            row[v] = lowest;
        }
    return row;
}

void makeBlocks(const FamilyGraph& g, FamilyBlocks& b) {
    const size_t n = g.size();
    Lists children;
    children.build(n, [&](auto&& add) {
        for (size_t i = 0; i < n; ++i)
            for (const int32_t p : {g.father[i], g.mother[i]})
                if (p >= 0) add(p, static_cast<int32_t>(i));
    });
    std::vector<int32_t> generation = generationsOf(g, children);
    // An alias with no links of its own stands next to its original.
    std::vector<uint8_t> attached(n, 0);
    for (const FamilyGraph::AliasLink& a : g.aliases)
        attached[a.alias] = g.partnerStart[a.alias] == g.partnerStart[a.alias + 1] &&
                            children.start[a.alias] == children.start[a.alias + 1] && g.mother[a.alias] < 0;
    Lists aliasesOf;
    aliasesOf.build(n, [&](auto&& add) {
        for (const FamilyGraph::AliasLink& a : g.aliases)
            if (attached[a.alias]) add(a.original, a.alias);
    });
    // Partners in the same generation make one block; the others keep their rows and their line.
    int32_t blocks = 0;
    for (int round = 0; round < 2; ++round) {
        UnionFind sets(n);
        for (size_t i = 0; i < n; ++i)
            for (uint32_t e = g.partnerStart[i]; e < g.partnerStart[i + 1]; ++e)
                if (generation[g.partners[e]] == generation[i]) sets.join(static_cast<int32_t>(i), g.partners[e]);
        for (const FamilyGraph::AliasLink& a : g.aliases)
            if (attached[a.alias]) sets.join(a.alias, a.original);
        b.blockOf.assign(n, -1);
        blocks = 0;
        for (size_t i = 0; i < n; ++i) {
            const int32_t root = sets.find(static_cast<int32_t>(i));
            if (b.blockOf[root] < 0) b.blockOf[root] = blocks++;
            b.blockOf[i] = b.blockOf[root];
        }
        b.row.assign(static_cast<size_t>(blocks), INT_MIN);
        for (size_t i = 0; i < n; ++i)
            if (!attached[i]) b.row[b.blockOf[i]] = generation[i];
        for (size_t i = 0; i < n; ++i)
            if (b.row[b.blockOf[i]] == INT_MIN) b.row[b.blockOf[i]] = generation[i];  // aliases of aliases in a circle
        // Raised blocks may now share a row with partners of theirs: then the blocks are made again.
        if (round == 1 || !raiseBlocksTowardParents(g, b.blockOf, b.row)) break;
        for (size_t i = 0; i < n; ++i) generation[i] = b.row[b.blockOf[i]];
    }
    generation = {};
    Lists members;
    members.build(static_cast<size_t>(blocks), [&](auto&& add) {
        for (size_t i = 0; i < n; ++i) add(b.blockOf[i], static_cast<int32_t>(i));
    });
    b.start = std::move(members.start);
    b.members = std::move(members.items);
    BlockSequencer sequencer(g, attached, aliasesOf, b.blockOf);
    for (int32_t c = 0; c < blocks; ++c) sequencer.sequence(&b.members[b.start[c]], &b.members[b.start[c + 1]]);

    // Families: blocks joined by any link, numbered by persons, the largest first; each family's
    // top row is row 0.
    UnionFind joined(static_cast<size_t>(blocks));
    for (size_t i = 0; i < n; ++i) {
        for (const int32_t p : {g.father[i], g.mother[i]})
            if (p >= 0) joined.join(b.blockOf[i], b.blockOf[p]);
        for (uint32_t e = g.partnerStart[i]; e < g.partnerStart[i + 1]; ++e) joined.join(b.blockOf[i], b.blockOf[g.partners[e]]);
    }
    std::vector<int32_t> persons(static_cast<size_t>(blocks), 0);
    for (int32_t c = 0; c < blocks; ++c) persons[joined.find(c)] += static_cast<int32_t>(b.start[c + 1] - b.start[c]);
    std::vector<int32_t> roots;
    for (int32_t c = 0; c < blocks; ++c)
        if (joined.find(c) == c) roots.push_back(c);
    std::stable_sort(roots.begin(), roots.end(), [&](int32_t x, int32_t y) { return persons[x] > persons[y]; });
    std::vector<int32_t>& number = persons;  // reused: root -> family number
    for (size_t k = 0; k < roots.size(); ++k) number[roots[k]] = static_cast<int32_t>(k);
    b.families = static_cast<int32_t>(roots.size());
    b.family.resize(static_cast<size_t>(blocks));
    for (int32_t c = 0; c < blocks; ++c) b.family[c] = number[joined.find(c)];
    std::vector<int32_t> top(roots.size(), INT_MAX);
    for (int32_t c = 0; c < blocks; ++c) top[b.family[c]] = std::min(top[b.family[c]], b.row[c]);
    for (int32_t c = 0; c < blocks; ++c) b.row[c] -= top[b.family[c]];
}

}  // namespace

FamilyBlocks familyBlocksOf(const FamilyGraph& graph) {
    FamilyBlocks b;
    makeBlocks(graph, b);
    return b;
}

}  // namespace kinloom
