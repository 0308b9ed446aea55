#include "layout/family_graph.h"

#include "document/item_store.h"

#include <algorithm>

namespace kinloom {

std::size_t FamilyGraph::bytes() const {
    return father.capacity() * 4 + mother.capacity() * 4 + partnerStart.capacity() * 4 + partners.capacity() * 4 +
           sex.capacity() + birthYear.capacity() * 2 + aliases.capacity() * sizeof(AliasLink);
}

int birthYearOf(std::string_view date) {
    int year = 0;
    for (size_t i = 0; i < date.size();) {
        if (date[i] < '0' || date[i] > '9') {
            ++i;
            continue;
        }
        size_t j = i;
        int value = 0;
        while (j < date.size() && date[j] >= '0' && date[j] <= '9') value = value * 10 + (date[j++] - '0');
        if (j - i == 3 || j - i == 4) year = value;
        // "1799/00": the part after a slash is the same year written the other way.
        if (j < date.size() && date[j] == '/' && year == value) break;
        i = j;
    }
    // "ABT 300 B.C.", "44 BC": years before Christ count backwards.
    const auto bc = date.find("B.C"), plain = date.find("BC");
    if (year != 0 && (bc != std::string_view::npos || plain != std::string_view::npos)) year = -year;
    return year;
}

FamilyGraph familyGraphOf(ItemStore& store) {
    FamilyGraph g;
    const size_t n = static_cast<size_t>(store.itemCount());
    // ChildCount numbers the items while the links are read; the old values go back afterwards.
    std::vector<int32_t> saved;
    saved.reserve(n);
    int32_t index = 0;
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        saved.push_back(p->ChildCount);
        p->ChildCount = index++;
    }
    g.father.assign(n, -1);
    g.mother.assign(n, -1);
    g.sex.assign(n, FamilyGraph::kUnknown);
    g.birthYear.assign(n, 0);
    g.partnerStart.assign(n + 1, 0);
    auto ownsLink = [](const PersonItem* p, const PersonItem* partner) {
        for (int s = 1; s <= kMaxSpouses; ++s)
            if (p->Spouse[s] == partner) return true;
        return false;
    };
    // Each item's partners: its own slots in slot order, then those who name it without being named.
    auto forEachPartner = [&](auto&& add) {
        for (PersonItem* p = store.firstItem(); p; p = p->Next)
            for (int s = 1; s <= kMaxSpouses; ++s) {
                const PersonItem* q = p->Spouse[s];
                if (!q || q == p) continue;
                bool repeated = false;
                for (int t = 1; t < s; ++t) repeated = repeated || p->Spouse[t] == q;
                if (repeated) continue;
                add(p->ChildCount, q->ChildCount);
                if (!ownsLink(q, p)) add(q->ChildCount, p->ChildCount);
            }
    };
    forEachPartner([&](int32_t a, int32_t) { ++g.partnerStart[a + 1]; });
    for (size_t i = 0; i < n; ++i) g.partnerStart[i + 1] += g.partnerStart[i];
    g.partners.resize(g.partnerStart[n]);
    {
        std::vector<uint32_t> cursor(g.partnerStart.begin(), g.partnerStart.end() - 1);
        forEachPartner([&](int32_t a, int32_t b) { g.partners[cursor[a]++] = b; });
    }
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        const int32_t i = p->ChildCount;
        // Own slots first: move them to the front keeping their order.
        auto begin = g.partners.begin() + g.partnerStart[i], end = g.partners.begin() + g.partnerStart[i + 1];
        std::stable_partition(begin, end, [&](int32_t q) {
            for (int s = 1; s <= kMaxSpouses; ++s)
                if (p->Spouse[s] && p->Spouse[s]->ChildCount == q) return true;
            return false;
        });
        g.sex[i] = p->Sex == "M" ? FamilyGraph::kMale : p->Sex == "F" ? FamilyGraph::kFemale : FamilyGraph::kUnknown;
        g.birthYear[i] = static_cast<int16_t>(birthYearOf(p->BornDate.view()));
        if (p->isAlias()) {
            if (p->Father && p->Father != p) g.aliases.push_back({i, p->Father->ChildCount});
        } else if (p->Father && p->Father != p) {
            g.father[i] = p->Father->ChildCount;
        }
        if (p->Mother && p->Mother != p && p->Mother != p->Father) g.mother[i] = p->Mother->ChildCount;
    }
    size_t k = 0;
    for (PersonItem* p = store.firstItem(); p; p = p->Next) p->ChildCount = saved[k++];
    return g;
}

}  // namespace kinloom
