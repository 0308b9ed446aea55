#pragma once
#include "document/gct_unit.h"
#include "document/person_item.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kinloom {

class Prompts;

// The one item store of a document: a doubly linked list in drawing order whose first item is the
// home item, with the document state that goes with it. The store owns the items; every reference
// to an item that the store knows of (links, CurrentItem, the selection, listeners' state) is
// cleared before the item is freed.
class TItemStore {
public:
    explicit TItemStore(Prompts* reporter = nullptr);
    ~TItemStore();
    TItemStore(const TItemStore&) = delete;
    TItemStore& operator=(const TItemStore&) = delete;

    void setReporter(Prompts* reporter) { reporter_ = reporter; }
    Prompts* reporter() const { return reporter_; }

    // The GEDCOM tag vocabulary and the per-item tag store of this document; DeleteItem and
    // ClearMemory drop the tags of what they free.
    TGCT& TagStore() { return tags_; }
    const TGCT& TagStore() const { return tags_; }

    TPersonItem* FirstItem() const { return first_; }
    TPersonItem* LastItem() const { return last_; }
    bool empty() const { return first_ == nullptr; }

    // Document state, read and written directly by the commands.
    TPersonItem* CurrentItem = nullptr;
    int32_t LastId = 0;
    std::array<int, 3> MarriageSlot{};  // [1] first item's slot, [2] second item's slot
    bool Modified = false;
    int PointerX = 0;
    int PointerY = 0;
    int GridSize = 5;

    // Creates an empty item on the grid under the pointer, appends it and makes it current.
    // Returns nullptr (after telling the user) when it could not be made.
    TPersonItem* LagNyPerson();
    // Links two items as spouses in their lowest free slots; 1 on success, -1 when a side is full.
    int AddMarriage(TPersonItem* a, TPersonItem* b);
    // Deletes CurrentItem and every reference to it; CurrentItem becomes nil.
    void DeleteItem();
    // The first item in list order with this Id; nil for Id <= 0 or no match.
    TPersonItem* FindItemById(int32_t id) const;
    void ClearSelection();
    void ClearMemory();

    // The multi-selection in the order items were added; every listed item has Selected set.
    const std::vector<TPersonItem*>& SelectionList() const { return selection_; }
    void AddToSelection(TPersonItem* item);
    void RemoveFromSelection(TPersonItem* item);

    // Appends an item read from a file (the readers keep the stored Id); the store takes it.
    TPersonItem* AppendItem(std::unique_ptr<TPersonItem> item);
    // Moves an item to the front of the list, making it the home item; others keep their order.
    void MoveToFront(TPersonItem* item);
    // Sets every item's Id to its position in the list, 1..n (the name search does this).
    void RenumberIds();
    // Ids were changed by a caller directly: forget the Id lookup table.
    void IdsChanged() { idIndexValid_ = false; }

    int ItemCount() const { return static_cast<int>(owned_.size()); }
    // Items that are not aliases and have a first or last name.
    int PersonCount() const;

    // Called with the item just before it is freed, or with nullptr when the whole store is emptied,
    // so that state outside the store (the canvas, open windows) can drop its references.
    using RemovalListener = std::function<void(const TPersonItem*)>;
    void addRemovalListener(RemovalListener listener) { listeners_.push_back(std::move(listener)); }

private:
    void report(const QString& text) const;
    void unlinkFromList(TPersonItem* item);
    void notifyRemoval(const TPersonItem* item);

    Prompts* reporter_ = nullptr;
    TGCT tags_;
    TPersonItem* first_ = nullptr;
    TPersonItem* last_ = nullptr;
    std::unordered_map<const TPersonItem*, std::unique_ptr<TPersonItem>> owned_;
    std::vector<TPersonItem*> selection_;
    std::vector<RemovalListener> listeners_;

    // Id -> first item in list order with that Id; rebuilt on demand after anything but an append.
    mutable std::unordered_map<int32_t, TPersonItem*> idIndex_;
    mutable bool idIndexValid_ = true;
};

// The number of a spouse slot's partner in a given item: the slot i in 1..8 whose Spouse is partner,
// or 0.
int SpouseSlotOf(const TPersonItem& item, const TPersonItem* partner);

// The partner's side of a relationship that `self` holds with the given date, place and type: the
// partner's slot pointing back at `self` with the same three values, else its only slot pointing
// back at `self`. 0 when no slot points back; -1 when several do and none matches.
int PartnerSlotOf(const TPersonItem& partner, const TPersonItem* self, std::string_view date,
                  std::string_view place, char type);

}  // namespace kinloom
