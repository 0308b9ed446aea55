#pragma once
#include "document/item_store.h"
#include "document/step_checker.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kinloom {

// The changes of one step: the before and after of the items it touched (their fields, or only
// their place on the canvas), the moves of items in and out of the list, and the document state
// around them. Items out of the store in the current state are kept here, so every link held by
// a step points at a live item of its own identity.
class ItemChanges {
public:
    explicit ItemChanges(ItemStore& store);
    ~ItemChanges();
    ItemChanges(const ItemChanges&) = delete;
    ItemChanges& operator=(const ItemChanges&) = delete;

    void touch(PersonItem* item);
    void touchPlace(PersonItem* item);
    void moved(PersonItem* item, ItemPlace from, ItemPlace to);
    bool empty() const { return fields_.empty() && places_.empty() && moves_.empty(); }
    // Whether the step holds this item: its place (placeOnly), or its fields.
    bool holds(const PersonItem* item, bool placeOnly) const {
        auto* key = const_cast<PersonItem*>(item);  // a lookup only
        return fieldIndex_.contains(key) || (placeOnly && placeIndex_.contains(key));
    }

    // What this step changes, in the order that replays it: the list moves (undone in reverse,
    // with their start places), then each item whose fields it changed and each item of which it
    // changed only the place. An item may be named more than once.
    struct Visitor {
        virtual ~Visitor() = default;
        virtual void moved(const PersonItem* item, ItemPlace to) = 0;
        virtual void fieldsChanged(const PersonItem* item) = 0;
        virtual void placeChanged(const PersonItem* item) = 0;
    };
    void visit(bool forward, Visitor& visitor) const;
    int touchedCount() const { return static_cast<int>(fields_.size() + places_.size()); }

    // Takes the after state and forgets the items that were touched but came out unchanged; the
    // step is complete (and may now be empty).
    void finish(int32_t lastIdBefore, PersonItem* currentBefore);
    void apply(bool forward);
    size_t memoryUse() const;

private:
    struct Place {
        int32_t x = 0, y = 0, childCount = 0;
        bool selected = false;
        bool operator==(const Place&) const = default;
    };
    struct FieldChange {
        PersonItem* item;
        PersonItem before, after;
    };
    struct PlaceChange {
        PersonItem* item;
        Place before, after;
    };
    struct Move {
        PersonItem* item;
        ItemPlace from, to;
    };
    static Place placeOf(const PersonItem& item);
    void setPlace(PersonItem* item, const Place& place);
    void setFields(PersonItem* item, const PersonItem& fields);
    void putAt(PersonItem* item, ItemPlace where);

    ItemStore& store_;
    std::vector<FieldChange> fields_;
    std::vector<PlaceChange> places_;
    std::vector<Move> moves_;
    std::unordered_map<PersonItem*, size_t> fieldIndex_, placeIndex_;  // only while recording
    std::unordered_set<PersonItem*> parked_;  // detached items whose fate this step decides
    int32_t lastIdBefore_ = 0, lastIdAfter_ = 0;
    PersonItem *currentBefore_ = nullptr, *currentAfter_ = nullptr;
};

// Hears of every step that has changed the store: one just committed or redone (forward), or one
// undone; and of a history that starts afresh.
class StepListener {
public:
    virtual ~StepListener() = default;
    virtual void stepApplied(const ItemChanges& step, bool forward) = 0;
};

// The undo history of a document. It listens to the store all the time; every change belongs to
// the edit step open at the time (see EditStep), and the step goes on the stack when it closes.
// The store's Modified flag follows the stack's clean state on undo and redo.
class UndoHistory : public ChangeSink {
public:
    explicit UndoHistory(ItemStore& store);
    ~UndoHistory() override;

    QUndoStack& stack() { return stack_; }
    // Steps nest: only the outermost counts. When it closes, what changed since it opened becomes
    // one step called `label`; nothing changed, no step. EditStep calls these.
    void beginStep() override;
    void endStep(const QString& label) override;
    bool stepOpen() const { return depth_ > 0; }
    // Forgets every step and what is pending: Open, New and the imports start here.
    void clear();
    // The document was saved: this is the clean state.
    void markSaved();
    void undo();
    void redo();
    // Told of every step after it changed the store; nil stops it.
    void setStepListener(StepListener* listener) { listener_ = listener; }
    // The memory the last committed step holds, for the benchmarks and tests.
    size_t lastStepBytes() const { return lastStepBytes_; }

    // Checking proves that no change escapes the history: a change made while no step is open,
    // or an item changed by a step that did not touch it, is a fault. It copies the tree at every
    // step, so it is on in debug builds and where KINLOOM_CHECK_STEPS is set (every test).
    void setChecking(bool on);
    bool checking() const { return checker_ != nullptr; }
    // Hears of each fault; by default the program stops with the fault's text.
    void setFaultHandler(std::function<void(const QString&)> handler) { faultHandler_ = std::move(handler); }

    void touch(PersonItem* item) override;
    void touchPlace(PersonItem* item) override;
    void moved(PersonItem* item, ItemPlace from, ItemPlace to) override;
    void storeCleared() override;

private:
    ItemChanges& pending();
    void commit(const QString& label);
    // Changes made while no step was open: a fault when checking, else a step of their own.
    void settleChangesOutsideStep();
    void fault(const QString& text);
    void afterStackMove();

    ItemStore& store_;
    QUndoStack stack_;
    std::unique_ptr<ItemChanges> pending_;
    int32_t baseLastId_ = 0;         // lastId when the pending step began
    PersonItem* baseCurrent_ = nullptr;
    size_t lastStepBytes_ = 0;
    StepListener* listener_ = nullptr;
    int depth_ = 0;
    std::unique_ptr<StepChecker> checker_;
    std::function<void(const QString&)> faultHandler_;
};


// "Move 1 item", "Move 3 items".
QString moveLabel(int count);

}  // namespace kinloom
