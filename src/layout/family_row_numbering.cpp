#include "layout/family_row_numbering.h"

#include <numeric>

namespace kinloom {

std::size_t RowNumberedChart::bytes() const {
    return graph.bytes() + blocks.bytes() + children.bytes() + rows.bytes() + itemOf.capacity() * 4;
}

RowNumberedChart numberByRows(const FamilyGraph& g, FamilyBlocks b, FamilyChildren children, const FamilyRows& first) {
    RowNumberedChart out;
    const size_t n = g.size(), blockCount = b.count();
    out.itemOf.reserve(n);
    out.blocks.start.reserve(blockCount + 1);
    out.blocks.row.reserve(blockCount);
    out.blocks.family.reserve(blockCount);
    out.blocks.blockOf.resize(n);
    out.blocks.start.push_back(0);
    for (const int32_t c : first.order) {
        const auto block = static_cast<int32_t>(out.blocks.row.size());
        for (uint32_t k = b.start[c]; k < b.start[c + 1]; ++k) {
            out.blocks.blockOf[out.itemOf.size()] = block;
            out.itemOf.push_back(b.members[k]);
        }
        out.blocks.start.push_back(static_cast<uint32_t>(out.itemOf.size()));
        out.blocks.row.push_back(b.row[c]);
        out.blocks.family.push_back(b.family[c]);
    }
    out.blocks.families = b.families;
    out.blocks.members.resize(n);
    std::iota(out.blocks.members.begin(), out.blocks.members.end(), 0);
    b = {};

    std::vector<int32_t> newOf(n);
    for (size_t v = 0; v < n; ++v) newOf[out.itemOf[v]] = static_cast<int32_t>(v);
    auto renamed = [&](int32_t old) { return old < 0 ? old : newOf[old]; };

    FamilyGraph& graph = out.graph;
    graph.father.resize(n);
    graph.mother.resize(n);
    graph.partnerStart.resize(n + 1);
    graph.partners.reserve(g.partners.size());
    FamilyChildren& kids = out.children;
    kids.start.resize(n + 1);
    kids.items.reserve(children.items.size());
    kids.birthRank.resize(n);
    for (size_t v = 0; v < n; ++v) {
        const int32_t u = out.itemOf[v];
        graph.father[v] = renamed(g.father[u]);
        graph.mother[v] = renamed(g.mother[u]);
        graph.partnerStart[v] = static_cast<uint32_t>(graph.partners.size());
        for (uint32_t e = g.partnerStart[u]; e < g.partnerStart[u + 1]; ++e) graph.partners.push_back(newOf[g.partners[e]]);
        kids.start[v] = static_cast<uint32_t>(kids.items.size());
        for (uint32_t e = children.start[u]; e < children.start[u + 1]; ++e) kids.items.push_back(newOf[children.items[e]]);
        kids.birthRank[v] = children.birthRank[u];
    }
    graph.partnerStart[n] = static_cast<uint32_t>(graph.partners.size());
    kids.start[n] = static_cast<uint32_t>(kids.items.size());

    out.rows.rowStart = first.rowStart;
    out.rows.order.resize(blockCount);
    std::iota(out.rows.order.begin(), out.rows.order.end(), 0);
    return out;
}

}  // namespace kinloom
