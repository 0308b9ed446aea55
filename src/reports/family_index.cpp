#include "reports/family_index.h"

#include "document/item_store.h"

namespace kinloom {

FamilyIndex::FamilyIndex(const ItemStore& store) {
    int n = 0;
    for (const PersonItem* q = store.firstItem(); q; q = q->Next) {
        position_[q] = n++;
        if (q->Father) byFather_[q->Father].push_back(q);
        if (q->Mother) byMother_[q->Mother].push_back(q);
    }
}

const PersonItem* FamilyIndex::resolved(const PersonItem* item) {
    if (!item || !item->isAlias()) return item;
    return item->Father && !item->Father->isAlias() ? item->Father : nullptr;
}

const std::vector<const PersonItem*>& FamilyIndex::withFather(const PersonItem* parent) const {
    const auto it = parent ? byFather_.find(parent) : byFather_.end();
    return it == byFather_.end() ? none_ : it->second;
}

const std::vector<const PersonItem*>& FamilyIndex::withMother(const PersonItem* parent) const {
    const auto it = parent ? byMother_.find(parent) : byMother_.end();
    return it == byMother_.end() ? none_ : it->second;
}

// Two lists in store order merged into one, an item in both listed once.
std::vector<const PersonItem*> FamilyIndex::merged(const std::vector<const PersonItem*>& a,
                                                   const std::vector<const PersonItem*>& b) const {
    std::vector<const PersonItem*> out;
    out.reserve(a.size() + b.size());
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && position_.at(a[i]) < position_.at(b[j]))) {
            out.push_back(a[i++]);
        } else if (i == a.size() || position_.at(b[j]) < position_.at(a[i])) {
            out.push_back(b[j++]);
        } else {
            out.push_back(a[i++]);
            ++j;
        }
    }
    return out;
}

std::vector<const PersonItem*> FamilyIndex::childrenOf(const PersonItem* parent) const {
    return merged(withFather(parent), withMother(parent));
}

std::vector<const PersonItem*> FamilyIndex::siblingsOf(const PersonItem& person) const {
    std::vector<const PersonItem*> out;
    for (const PersonItem* q : merged(withFather(person.Father), withMother(person.Mother)))
        if (q != &person && !q->isAlias()) out.push_back(q);
    return out;
}

}  // namespace kinloom
