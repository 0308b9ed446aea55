#pragma once
#include "document/short_string.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace kinloom {

// Spouse slots are numbered 1..8 like everywhere in the program.
inline constexpr int kMaxSpouses = 8;
// Every box is 140 x 65 canvas units; links meet at (X + 70, Y + 32).
inline constexpr int kItemWidth = 140;
inline constexpr int kItemHeight = 65;
inline constexpr int kLinkDX = 70;
inline constexpr int kLinkDY = 32;

// One value per spouse slot, numbered 1..8 as everywhere in the program (no slot 0 is kept).
template <typename T>
class SpouseSlots {
public:
    using value_type = T;
    T& operator[](int slot) {
        assert(slot >= 1 && slot <= kMaxSpouses);
        return values_[static_cast<size_t>(slot - 1)];
    }
    const T& operator[](int slot) const {
        assert(slot >= 1 && slot <= kMaxSpouses);
        return values_[static_cast<size_t>(slot - 1)];
    }
    void fill(const T& value) { values_.fill(value); }
    auto begin() { return values_.begin(); }
    auto end() { return values_.end(); }
    auto begin() const { return values_.begin(); }
    auto end() const { return values_.end(); }
    friend bool operator==(const SpouseSlots&, const SpouseSlots&) = default;

private:
    std::array<T, kMaxSpouses> values_{};
};

// The item's chain of GEDCOM tags: always empty in this program, so it takes no room. It can be
// set to nil and compared with nil like the reference the tree record has in its place.
struct EmptyTagChain {
    EmptyTagChain& operator=(std::nullptr_t) { return *this; }
    friend bool operator==(EmptyTagChain, std::nullptr_t) { return true; }
};

inline constexpr std::string_view kKindAlias = "ALIAS";  // an original that has alias items
inline constexpr std::string_view kKindRef = "REF";      // an alias item; Father is its original

// One person box. The store owns every item; Next/Prev/Father/Mother/Spouse are non-owning
// references that the store clears before it frees an item, so none of them can dangle.
struct PersonItem {
    PersonItem* Next = nullptr;
    PersonItem* Prev = nullptr;
    int32_t Id = 0;
    ShortString<100> FirstName;
    ShortString<100> LastName;
    ShortString<35> BornDate;
    ShortString<35> DiedDate;
    ShortString<1> Sex;
    ShortString<100> PictureFile;
    ShortString<100> NotesFile;
    ShortString<10> Kind;
    ShortString<100> BornPlace;
    ShortString<100> DiedPlace;
    ShortString<35> BaptizedDate;
    ShortString<100> BaptizedPlace;
    ShortString<100> Occupation;
    ShortString<247> PictureText;
    SpouseSlots<char> SpouseType;  // 'M','P','D','F','S','O','U' or 0
    ShortString<100> Source;
    PersonItem* Mother = nullptr;
    PersonItem* Father = nullptr;  // in an alias item: its original
    int32_t MotherId = 0;           // stored link numbers, meaningful only in a file image
    int32_t FatherId = 0;
    SpouseSlots<PersonItem*> Spouse;
    SpouseSlots<int32_t> SpouseId;
    SpouseSlots<ShortString<35>> MarriageDate;
    SpouseSlots<ShortString<100>> MarriagePlace;
    int32_t X = 0;
    int32_t Y = 0;
    bool Selected = false;
    ShortString<20> GedcomId;
    ShortString<20> ChildFamilyRef;
    ShortString<20> SpareRef;
    int32_t ChildCount = 0;
    [[no_unique_address]] EmptyTagChain FirstTag;
    int32_t GedcomPos = 0;

    bool isAlias() const { return Kind == kKindRef; }
    bool hasAliases() const { return !Kind.empty() && !isAlias(); }
    bool hasName() const { return !(FirstName.empty() && LastName.empty()); }
};

}  // namespace kinloom
