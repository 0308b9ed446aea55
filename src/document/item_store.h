#pragma once
#include "document/gedcom_tag_store.h"
#include "document/item_arena.h"
#include "document/person_item.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kinloom {

class Prompts;

// Where an item sits: in the list after `prev` (nil = at the front), or out of the store.
struct ItemPlace {
    bool inStore = false;
    PersonItem* prev = nullptr;
};

// Receives every change the store sees while it is set: the undo history records its steps here.
// touch/touchPlace come before the first change of an item's fields (or of its place on the
// canvas only); moved reports a change of list position. An item that leaves the store stays
// alive, detached, until the sink hands it to freeDetached. beginStep and endStep bracket the
// changes of one command (see EditStep).
class ChangeSink {
public:
    virtual ~ChangeSink() = default;
    virtual void beginStep() = 0;
    virtual void endStep(const QString& label) = 0;
    virtual void touch(PersonItem* item) = 0;
    virtual void touchPlace(PersonItem* item) = 0;
    virtual void moved(PersonItem* item, ItemPlace from, ItemPlace to) = 0;
    virtual void storeCleared() = 0;
};

// The one item store of a document: a doubly linked list in drawing order whose first item is the
// home item, with the document state that goes with it. The store owns the items; every reference
// to an item that the store knows of (links, currentItem, the selection, listeners' state) is
// cleared before the item is freed.
class ItemStore {
public:
    explicit ItemStore(Prompts* reporter = nullptr);
    ~ItemStore();
    ItemStore(const ItemStore&) = delete;
    ItemStore& operator=(const ItemStore&) = delete;

    void setReporter(Prompts* reporter) { reporter_ = reporter; }
    Prompts* reporter() const { return reporter_; }

    // The GEDCOM tag vocabulary and the per-item tag store of this document; deleteItem and
    // clearMemory drop the tags of what they free.
    GedcomTagStore& tagStore() { return tags_; }
    const GedcomTagStore& tagStore() const { return tags_; }

    PersonItem* firstItem() const { return first_; }
    PersonItem* lastItem() const { return last_; }
    bool empty() const { return first_ == nullptr; }

    // Document state, read and written directly by the commands.
    PersonItem* currentItem = nullptr;
    int32_t lastId = 0;
    std::array<int, 3> marriageSlot{};  // [1] first item's slot, [2] second item's slot
    bool modified = false;
    int pointerX = 0;
    int pointerY = 0;
    int gridSize = 5;

    // Creates an empty item on the grid under the pointer, appends it and makes it current.
    // Returns nullptr (after telling the user) when it could not be made.
    PersonItem* createItem();
    // Links two items as spouses in their lowest free slots; 1 on success, -1 when a side is full.
    int addMarriage(PersonItem* a, PersonItem* b);
    // Deletes currentItem and every reference to it; currentItem becomes nil.
    void deleteItem();
    // The first item in list order with this Id; nil for Id <= 0 or no match.
    PersonItem* findItemById(int32_t id) const;
    void clearSelection();
    void clearMemory();

    // The multi-selection in the order items were added; every listed item has Selected set.
    const std::vector<PersonItem*>& selectionList() const { return selection_; }
    void addToSelection(PersonItem* item);
    void removeFromSelection(PersonItem* item);

    // Appends an item read from a file (the readers keep the stored Id); the store takes it.
    PersonItem* appendItem(PersonItem&& item);
    PersonItem* appendItem(std::unique_ptr<PersonItem> item) { return appendItem(std::move(*item)); }
    // Appends the chain of items that starts at `first` (linked through Next), all made in `items`,
    // which the store takes whole; as appendItem for each, without moving any.
    void appendItems(ItemArena&& items, PersonItem* first);
    // Makes room for this many items, so that a reader that knows the count from the file's length
    // fills the store without growing its tables on the way.
    void reserve(size_t items);
    // Moves an item to the front of the list, making it the home item; others keep their order.
    void moveToFront(PersonItem* item);
    // Sets every item's Id to its position in the list, 1..n (the name search does this).
    void renumberIds();
    // Ids were changed by a caller directly: forget the Id lookup table.
    void idsChanged() { idIndexValid_ = false; }

    // The undo history listens here; nil stops recording.
    void setChangeSink(ChangeSink* sink) { sink_ = sink; }
    ChangeSink* changeSink() const { return sink_; }
    // Every command calls these before it changes an item's fields (touch) or only its X, Y,
    // ChildCount and Selected (touchPlace), so that the change can be undone.
    void touch(PersonItem* item) { if (sink_ && item) sink_->touch(item); }
    void touchPlace(PersonItem* item) { if (sink_ && item) sink_->touchPlace(item); }
    // A live item in the list (not one that is detached); the undo history asks this.
    bool contains(const PersonItem* item) const { return item && !detached_.contains(item); }
    // Undo and redo: take an item out of the list as it is (its own fields untouched), or put a
    // detached one back after `prev` (nil = at the front; a prev that is not in the list = at the end).
    void detachItem(PersonItem* item);
    void insertItemAfter(PersonItem* item, PersonItem* prev);
    // Frees a detached item for good, with its tags.
    void freeDetached(PersonItem* item);
    // Sets an item's Selected flag and keeps the selection list in step.
    void setSelected(PersonItem* item, bool selected);

    int itemCount() const { return static_cast<int>(items_.size() - detached_.size()); }
    // Every item's number in the store's memory, below placeCount(), from its address alone (see
    // ItemArena::placeOf): for passes over the whole tree that keep their data in arrays.
    uint32_t placeOf(const PersonItem* item) const { return items_.placeOf(item); }
    size_t placeCount() const { return items_.placeCount(); }
    // Items that are not aliases and have a first or last name.
    int personCount() const;

    // Called with the item just before it is freed, or with nullptr when the whole store is emptied,
    // so that state outside the store (the canvas, open windows) can drop its references.
    using RemovalListener = std::function<void(const PersonItem*)>;
    void addRemovalListener(RemovalListener listener) { listeners_.push_back(std::move(listener)); }

private:
    void report(const QString& text) const;
    void unlinkFromList(PersonItem* item);
    void linkAtFront(PersonItem* item);
    void notifyRemoval(const PersonItem* item);
    PersonItem* linkAtEnd(PersonItem* item);
    void indexId(PersonItem* item) const;

    void recordMove(PersonItem* item, ItemPlace from, ItemPlace to) {
        if (sink_) sink_->moved(item, from, to);
    }
    void freeAllDetached();

    Prompts* reporter_ = nullptr;
    ChangeSink* sink_ = nullptr;
    std::unordered_set<const PersonItem*> detached_;  // alive for the undo history, out of the list
    GedcomTagStore tags_;
    PersonItem* first_ = nullptr;
    PersonItem* last_ = nullptr;
    ItemArena items_;
    std::vector<PersonItem*> selection_;
    std::vector<RemovalListener> listeners_;

    // Id -> first item in list order with that Id; rebuilt on demand after anything but an append.
    // Ids are mostly 1..n, so a table by number serves them without hashing; far larger ones go to
    // the map, which is looked at first (an Id that went there came before any in the table).
    mutable std::vector<PersonItem*> idTable_;
    mutable std::unordered_map<int32_t, PersonItem*> largeIds_;
    mutable bool idIndexValid_ = true;
    size_t reserved_ = 0;
};

// One edit step on a store, open for the life of this object (as KTextEditor's
// EditingTransaction): a command that changes the tree makes one around its work, and the undo
// history cuts the step when it closes. Steps nest; an inner one joins the outer. Without a
// change sink it does nothing.
class EditStep {
public:
    EditStep(ItemStore& store, QString label) : sink_(store.changeSink()), label_(std::move(label)) {
        if (sink_) sink_->beginStep();
    }
    ~EditStep() {
        if (sink_) sink_->endStep(label_);
    }
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;
    // The name may be known only at the end (a drag names its step after the items it moved).
    void setLabel(const QString& label) { label_ = label; }

private:
    ChangeSink* sink_;
    QString label_;
};

// The number of a spouse slot's partner in a given item: the slot i in 1..8 whose Spouse is partner,
// or 0.
int spouseSlotOf(const PersonItem& item, const PersonItem* partner);

// The partner's side of a relationship that `self` holds with the given date, place and type: the
// partner's slot pointing back at `self` with the same three values, else its only slot pointing
// back at `self`. 0 when no slot points back; -1 when several do and none matches.
int partnerSlotOf(const PersonItem& partner, const PersonItem* self, std::string_view date,
                  std::string_view place, char type);

}  // namespace kinloom
