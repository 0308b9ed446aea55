#pragma once
#include <QStringList>

namespace kinloom {

class ItemStore;
class Prompts;
class DisplayCharset;
struct PersonItem;

// The lines of the "Delete Link" dialog: one per filled spouse slot of the item, in slot order.
QStringList spouseUnlinkLines(const PersonItem& item, const DisplayCharset& charset);

// "Delete" in that dialog for the line of the given rank (0 = first filled slot): clears the
// relationship on this side and, where it can be told apart, on the spouse's side too.
// Returns false when the rank names no filled slot (nothing changes).
bool deleteSpouseLink(ItemStore& store, PersonItem& item, int rank, Prompts& prompts);

// The slot of the rank-th filled spouse slot (rank counts from 0); 0 when there is none.
int filledSpouseSlot(const PersonItem& item, int rank);

}  // namespace kinloom
