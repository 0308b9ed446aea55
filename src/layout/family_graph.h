#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace kinloom {

class ItemStore;

// The links of a tree as the family chart needs them, items numbered by their place in the list.
// An alias item's Father is its original, not a parent: it is kept apart in `aliases`.
struct FamilyGraph {
    std::vector<int32_t> father, mother;  // index or -1
    std::vector<uint32_t> partnerStart;   // partners of item i: partners[partnerStart[i] .. partnerStart[i + 1])
    std::vector<int32_t> partners;        // both ends of every spouse link, own slots first, no repeats, no self
    // Husbands stand left of their wives; a person of unknown sex stands as a husband would, after one
    // known to be a man.
    enum Sex : uint8_t { kFemale = 0, kUnknown = 1, kMale = 2 };
    std::vector<uint8_t> sex;
    std::vector<int16_t> birthYear;  // negative before Christ, 0 when the birth date gives no year
    struct AliasLink {
        int32_t alias, original;
    };
    std::vector<AliasLink> aliases;

    size_t size() const { return father.size(); }
    std::size_t bytes() const;
};

// The year of a date as people type it: the last run of three or four digits ("ABT 1850",
// "12 Jan 1900", "1799/00" gives 1799), negative before Christ ("300 B.C."); 0 when there is none.
int birthYearOf(std::string_view date);

// The graph of every item of the store. The items are left exactly as they were.
FamilyGraph familyGraphOf(ItemStore& store);

}  // namespace kinloom
