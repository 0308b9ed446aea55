#include "layout/chart_selection.h"

#include <algorithm>

namespace kinloom {

namespace {

// Aliases of aliases are followed this far; a longer chain (or a circle of aliases, which only a
// damaged file has) leaves each of its items a person of its own.
constexpr int kMaxAliasChain = 32;

}  // namespace

PersonLinks::PersonLinks(const FamilyGraph& tree) : tree_(tree) {
    const auto n = static_cast<int32_t>(tree.size());
    std::vector<int32_t> direct(n);
    for (int32_t i = 0; i < n; ++i) direct[i] = i;
    for (const FamilyGraph::AliasLink& a : tree.aliases)
        if (a.alias >= 0 && a.alias < n && a.original >= 0 && a.original < n) direct[a.alias] = a.original;
    person_.resize(n);
    for (int32_t i = 0; i < n; ++i) {
        int32_t j = i;
        for (int step = 0; step < kMaxAliasChain && direct[j] != j; ++step) j = direct[j];
        person_[i] = direct[j] == j ? j : i;
    }

    father_.assign(n, -1);
    mother_.assign(n, -1);
    childStart_.assign(n + 1, 0);
    for (int32_t p = 0; p < n; ++p) {
        if (person_[p] != p) continue;
        const int32_t f = tree.father[p] >= 0 ? person_[tree.father[p]] : -1;
        const int32_t m = tree.mother[p] >= 0 ? person_[tree.mother[p]] : -1;
        father_[p] = f == p ? -1 : f;
        mother_[p] = m == p || m == father_[p] ? -1 : m;
        if (father_[p] >= 0) ++childStart_[father_[p] + 1];
        if (mother_[p] >= 0) ++childStart_[mother_[p] + 1];
    }
    for (int32_t i = 0; i < n; ++i) childStart_[i + 1] += childStart_[i];
    children_.resize(childStart_[n]);
    {
        std::vector<uint32_t> cursor(childStart_.begin(), childStart_.end() - 1);
        for (int32_t c = 0; c < n; ++c) {
            if (father_[c] >= 0) children_[cursor[father_[c]]++] = c;
            if (mother_[c] >= 0) children_[cursor[mother_[c]]++] = c;
        }
    }

    // Partners: the original's own first, then its aliases', each partner once.
    std::vector<uint32_t> rawStart(n + 1, 0);
    for (int32_t i = 0; i < n; ++i) rawStart[person_[i] + 1] += tree.partnerStart[i + 1] - tree.partnerStart[i];
    for (int32_t i = 0; i < n; ++i) rawStart[i + 1] += rawStart[i];
    std::vector<int32_t> raw(rawStart[n]);
    std::vector<uint32_t> cursor(rawStart.begin(), rawStart.end() - 1);
    for (const bool originals : {true, false})
        for (int32_t i = 0; i < n; ++i) {
            if ((person_[i] == i) != originals) continue;
            for (uint32_t e = tree.partnerStart[i]; e < tree.partnerStart[i + 1]; ++e)
                raw[cursor[person_[i]]++] = person_[tree.partners[e]];
        }
    std::vector<int32_t> stamp(n, -1);
    partnerStart_.assign(n + 1, 0);
    partners_.reserve(raw.size());
    for (int32_t p = 0; p < n; ++p) {
        for (uint32_t e = rawStart[p]; e < rawStart[p + 1]; ++e) {
            const int32_t q = raw[e];
            if (q == p || stamp[q] == p) continue;
            stamp[q] = p;
            partners_.push_back(q);
        }
        partnerStart_[p + 1] = static_cast<uint32_t>(partners_.size());
    }
}

template <typename Next>
std::vector<int32_t> PersonLinks::walk(int32_t start, int generations, Next next, int& reached) const {
    std::vector<int32_t> found{start};
    std::vector<bool> seen(person_.size(), false);
    seen[start] = true;
    reached = 1;
    for (size_t rowBegin = 0; generations <= 0 || reached < generations; ++reached) {
        const size_t rowEnd = found.size();
        for (size_t k = rowBegin; k < rowEnd; ++k)
            next(found[k], [&](int32_t q) {
                if (q < 0 || seen[q]) return;
                seen[q] = true;
                found.push_back(q);
            });
        if (found.size() == rowEnd) break;
        rowBegin = rowEnd;
    }
    return found;
}

ChartSelection PersonLinks::ancestors(int32_t item, int generations) const {
    if (item < 0 || item >= static_cast<int32_t>(person_.size())) return {};
    int reached = 0;
    std::vector<int32_t> found = walk(person_[item], generations, [&](int32_t p, auto&& add) {
        add(father_[p]);
        add(mother_[p]);
    }, reached);
    return subgraph(std::move(found), reached);
}

ChartSelection PersonLinks::descendants(int32_t item, int generations) const {
    if (item < 0 || item >= static_cast<int32_t>(person_.size())) return {};
    const int32_t root = person_[item];
    int reached = 0;
    std::vector<int32_t> found = walk(root, generations, [&](int32_t p, auto&& add) {
        for (uint32_t e = childStart_[p]; e < childStart_[p + 1]; ++e) add(children_[e]);
    }, reached);
    // Each descendant with its partners, and each child's other parent even when the two were
    // never linked as a couple.
    std::vector<bool> seen(person_.size(), false);
    for (const int32_t p : found) seen[p] = true;
    const size_t descendantCount = found.size();
    const auto add = [&](int32_t q) {
        if (q < 0 || seen[q]) return;
        seen[q] = true;
        found.push_back(q);
    };
    for (size_t k = 0; k < descendantCount; ++k) {
        const int32_t p = found[k];
        for (uint32_t e = partnerStart_[p]; e < partnerStart_[p + 1]; ++e) add(partners_[e]);
        if (p == root) continue;
        add(father_[p]);
        add(mother_[p]);
    }
    return subgraph(std::move(found), reached);
}

ChartSelection PersonLinks::completeTree() const {
    std::vector<int32_t> all;
    for (int32_t i = 0; i < static_cast<int32_t>(person_.size()); ++i)
        if (person_[i] == i) all.push_back(i);
    return subgraph(std::move(all), 0);
}

ChartSelection PersonLinks::select(ChartKind kind, int32_t item, int generations) const {
    switch (kind) {
    case ChartKind::Ancestors:
        return ancestors(item, generations);
    case ChartKind::Descendants:
        return descendants(item, generations);
    case ChartKind::CompleteTree:
        break;
    }
    return completeTree();
}

ChartSelection PersonLinks::subgraph(std::vector<int32_t> persons, int generations) const {
    ChartSelection out;
    out.generations = generations;
    std::sort(persons.begin(), persons.end());
    out.items = std::move(persons);
    const size_t count = out.items.size();
    std::vector<int32_t> index(person_.size(), -1);
    for (size_t i = 0; i < count; ++i) index[out.items[i]] = static_cast<int32_t>(i);
    FamilyGraph& g = out.graph;
    g.father.assign(count, -1);
    g.mother.assign(count, -1);
    g.sex.resize(count);
    g.birthYear.resize(count);
    g.partnerStart.assign(count + 1, 0);
    for (size_t i = 0; i < count; ++i) {
        const int32_t p = out.items[i];
        if (father_[p] >= 0) g.father[i] = index[father_[p]];
        if (mother_[p] >= 0) g.mother[i] = index[mother_[p]];
        g.sex[i] = tree_.sex[p];
        g.birthYear[i] = tree_.birthYear[p];
        for (uint32_t e = partnerStart_[p]; e < partnerStart_[p + 1]; ++e)
            if (index[partners_[e]] >= 0) g.partners.push_back(index[partners_[e]]);
        g.partnerStart[i + 1] = static_cast<uint32_t>(g.partners.size());
    }
    return out;
}

}  // namespace kinloom
