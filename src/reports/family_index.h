#pragma once
#include <unordered_map>
#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

// The children of every item, found once for the whole store so that a page per person does not
// walk the store per person. Lists keep store order.
class FamilyIndex {
public:
    explicit FamilyIndex(const ItemStore& store);

    // The item whose page stands for this one: an alias item's original, any other item itself.
    // Nothing for an alias item whose original is missing: it has no page and no box image, and
    // counts as a missing relative.
    static const PersonItem* resolved(const PersonItem* item);

    // Items whose Father, or whose Mother, is the given item (alias items included: an alias
    // item's Father is its original).
    const std::vector<const PersonItem*>& withFather(const PersonItem* parent) const;
    const std::vector<const PersonItem*>& withMother(const PersonItem* parent) const;
    // Items whose Father or Mother is the given item, each once, in store order.
    std::vector<const PersonItem*> childrenOf(const PersonItem* parent) const;
    // Items other than the person and not alias items that share its non-empty Father or its
    // non-empty Mother, in store order.
    std::vector<const PersonItem*> siblingsOf(const PersonItem& person) const;

private:
    std::vector<const PersonItem*> merged(const std::vector<const PersonItem*>& a,
                                          const std::vector<const PersonItem*>& b) const;

    std::unordered_map<const PersonItem*, int> position_;
    std::unordered_map<const PersonItem*, std::vector<const PersonItem*>> byFather_;
    std::unordered_map<const PersonItem*, std::vector<const PersonItem*>> byMother_;
    std::vector<const PersonItem*> none_;
};

}  // namespace kinloom
