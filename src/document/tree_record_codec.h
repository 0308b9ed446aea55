#pragma once
#include "document/person_item.h"

#include <cstddef>
#include <span>

namespace kinloom {

// One item of a tree file (.kl3): 2560 bytes laid out like the item record of the 32-bit Windows
// program, little-endian, references stored as 4 meaningless bytes and links as Ids.
inline constexpr int kTreeRecordSize = 2560;

namespace tree_record {
inline constexpr size_t Next = 0, Prev = 4, Id = 8;
inline constexpr size_t FirstName = 12, LastName = 113, BornDate = 214, DiedDate = 250, Sex = 286;
inline constexpr size_t PictureFile = 288, NotesFile = 389, Kind = 490, BornPlace = 501,
                        DiedPlace = 602;
inline constexpr size_t BaptizedDate = 703, BaptizedPlace = 739, Occupation = 840, PictureText = 941;
inline constexpr size_t SpouseType = 1189;  // slot i at 1188 + i
inline constexpr size_t Source = 1197;
inline constexpr size_t Mother = 1300, Father = 1304, MotherId = 1308, FatherId = 1312;
inline constexpr size_t Spouse = 1316, SpouseId = 1348;  // slot i at base + 4 * (i - 1)
inline constexpr size_t MarriageDate = 1380;             // slot i at 1344 + 36 * i
inline constexpr size_t MarriagePlace = 1668;            // slot i at 1567 + 101 * i
inline constexpr size_t X = 2476, Y = 2480, Selected = 2484;
inline constexpr size_t GedcomId = 2485, ChildFamilyRef = 2506, SpareRef = 2527;
inline constexpr size_t ChildCount = 2548, FirstTag = 2552, GedcomPos = 2556;

inline constexpr size_t spouseTypeAt(int slot) { return SpouseType + slot - 1; }
inline constexpr size_t spouseAt(int slot) { return Spouse + 4 * (slot - 1); }
inline constexpr size_t spouseIdAt(int slot) { return SpouseId + 4 * (slot - 1); }
inline constexpr size_t marriageDateAt(int slot) { return 1344 + 36 * slot; }
inline constexpr size_t marriagePlaceAt(int slot) { return 1567 + 101 * slot; }
}  // namespace tree_record

// Writes an item into a record of kTreeRecordSize bytes. The stored link numbers (FatherId,
// MotherId, SpouseId) are written as the item holds them; fill them first. `Next` is non-zero
// unless `isLast`; the other reference fields hold a non-zero mark when set. Padding and the unused
// tails of texts are zero.
void encodeTreeRecord(const PersonItem& item, bool isLast, std::span<unsigned char, kTreeRecordSize> out);

// Whether bytes can be (the start of) a record of a tree file: every text whose length byte is
// among them fits its field, and a Kind that is among them is "", "ALIAS" or "REF". The program
// never writes anything else, so a record that fails is not a Kinloom tree file (a text file, a
// picture) however long it is. Takes a whole record or the start of one that was cut short.
bool isTreeRecord(std::span<const unsigned char> bytes);

// Reads every stored field of a record into an item. References (Next, Prev, Father, Mother,
// Spouse, FirstTag) become null; the stored Ids are kept for the caller to resolve.
void decodeTreeRecord(std::span<const unsigned char, kTreeRecordSize> record, PersonItem& item);

}  // namespace kinloom
