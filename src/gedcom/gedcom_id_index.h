#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kinloom {

struct PersonItem;

// GEDCOM ids of the items read so far, by the whole cross-reference (an item stores it cut to 20
// characters). The first item with an id wins, as a walk through the store would find it.
//
// Nearly every program numbers its individuals: "@I123@", or zero-padded to a width ("@I0001@").
// Such ids, of the one shape the first numbered id shows, are looked up by their number in a
// table; every other id (another prefix, letters, a number too large for the table) goes to a
// hash map. A million ids then cost one pointer each and no string, and a lookup touches one line
// of memory.
class GedcomIdIndex {
public:
    void clear();
    // Room for about this many ids.
    void reserve(size_t n);
    void add(std::string_view id, PersonItem* item);
    PersonItem* find(std::string_view id) const;

private:
    // The number of an id of the table's shape, or -1.
    int64_t numberOf(std::string_view id) const;
    // Takes the shape of the first numbered id: its prefix and, when zero-padded, its width.
    void learnShape(std::string_view id);
    size_t tableLimit() const;

    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    bool shapeKnown_ = false;
    std::string prefix_;    // the characters between the first "@" and the digits
    size_t width_ = 1;      // numbers are written with at least this many digits, zeros in front
    size_t expected_ = 0;
    size_t numbered_ = 0;  // ids in the table
    std::vector<PersonItem*> table_;  // by number
    std::unordered_map<std::string, PersonItem*, TextHash, std::equal_to<>> others_;
};

}  // namespace kinloom
