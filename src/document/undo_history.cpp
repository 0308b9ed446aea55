#include "document/undo_history.h"

#include <QUndoCommand>

#include <cstdlib>

namespace kinloom {

ItemChanges::ItemChanges(ItemStore& store) : store_(store) {}

ItemChanges::~ItemChanges() {
    for (PersonItem* item : parked_) store_.freeDetached(item);
}

ItemChanges::Place ItemChanges::placeOf(const PersonItem& item) {
    return {item.X, item.Y, item.ChildCount, item.Selected};
}

void ItemChanges::touch(PersonItem* item) {
    if (fieldIndex_.contains(item)) return;
    fieldIndex_.emplace(item, fields_.size());
    fields_.push_back({item, *item, {}});
}

void ItemChanges::touchPlace(PersonItem* item) {
    if (fieldIndex_.contains(item) || placeIndex_.contains(item)) return;
    placeIndex_.emplace(item, places_.size());
    places_.push_back({item, placeOf(*item), {}});
}

void ItemChanges::moved(PersonItem* item, ItemPlace from, ItemPlace to) {
    moves_.push_back({item, from, to});
    if (to.inStore)
        parked_.erase(item);
    else
        parked_.insert(item);
}

void ItemChanges::finish(int32_t lastIdBefore, PersonItem* currentBefore) {
    for (FieldChange& c : fields_) c.after = *c.item;
    for (PlaceChange& c : places_) c.after = placeOf(*c.item);
    // A command that touched an item and then changed nothing (a notes file that could not be
    // saved) leaves no trace.
    std::erase_if(fields_, [](const FieldChange& c) { return sameItemContent(c.before, c.after, ItemComparison::Exact); });
    std::erase_if(places_, [](const PlaceChange& c) { return c.before == c.after; });
    fieldIndex_ = {};
    placeIndex_ = {};
    fields_.shrink_to_fit();
    places_.shrink_to_fit();
    moves_.shrink_to_fit();
    lastIdBefore_ = lastIdBefore;
    lastIdAfter_ = store_.lastId;
    currentBefore_ = currentBefore;
    currentAfter_ = store_.currentItem;
}

void ItemChanges::setPlace(PersonItem* item, const Place& place) {
    item->X = place.x;
    item->Y = place.y;
    item->ChildCount = place.childCount;
    if (store_.contains(item))
        store_.setSelected(item, place.selected);
    else
        item->Selected = place.selected;
}

void ItemChanges::setFields(PersonItem* item, const PersonItem& fields) {
    PersonItem* const next = item->Next;
    PersonItem* const prev = item->Prev;
    const bool selected = item->Selected;
    // No step changes an item's Id, but the name search renumbers them all: an old Id put back
    // could give two items the same number and mix up their links in the file.
    const int32_t id = item->Id;
    *item = fields;
    item->Next = next;
    item->Prev = prev;
    item->Selected = selected;
    item->Id = id;
    if (store_.contains(item))
        store_.setSelected(item, fields.Selected);
    else
        item->Selected = fields.Selected;
}

void ItemChanges::putAt(PersonItem* item, ItemPlace where) {
    if (store_.contains(item))
        store_.detachItem(item);
    else
        parked_.erase(item);
    if (where.inStore)
        store_.insertItemAfter(item, where.prev);
    else
        parked_.insert(item);
}

void ItemChanges::apply(bool forward) {
    if (forward) {
        for (const Move& m : moves_) putAt(m.item, m.to);
        for (const PlaceChange& c : places_) setPlace(c.item, c.after);
        for (const FieldChange& c : fields_) setFields(c.item, c.after);
    } else {
        for (auto m = moves_.rbegin(); m != moves_.rend(); ++m) putAt(m->item, m->from);
        // Fields first: a place taken before the item's first full touch is older.
        for (const FieldChange& c : fields_) setFields(c.item, c.before);
        for (const PlaceChange& c : places_) setPlace(c.item, c.before);
    }
    store_.lastId = forward ? lastIdAfter_ : lastIdBefore_;
    PersonItem* current = forward ? currentAfter_ : currentBefore_;
    store_.currentItem = store_.contains(current) ? current : nullptr;
}

void ItemChanges::visit(bool forward, Visitor& visitor) const {
    if (forward)
        for (const Move& m : moves_) visitor.moved(m.item, m.to);
    else
        for (auto m = moves_.rbegin(); m != moves_.rend(); ++m) visitor.moved(m->item, m->from);
    for (const FieldChange& c : fields_) visitor.fieldsChanged(c.item);
    for (const PlaceChange& c : places_) visitor.placeChanged(c.item);
}

size_t ItemChanges::memoryUse() const {
    size_t bytes = sizeof(*this) + fields_.capacity() * sizeof(FieldChange) + places_.capacity() * sizeof(PlaceChange) +
                   moves_.capacity() * sizeof(Move) + parked_.size() * (sizeof(PersonItem) + 4 * sizeof(void*));
    return bytes;
}

namespace {

// One step on the stack. It is pushed after its command ran, so the first redo does nothing.
class ItemStep : public QUndoCommand {
public:
    ItemStep(std::unique_ptr<ItemChanges> changes, const QString& label)
        : QUndoCommand(label), changes_(std::move(changes)) {}
    void undo() override { changes_->apply(false); }
    void redo() override {
        if (done_) changes_->apply(true);
        done_ = true;
    }
    const ItemChanges& changes() const { return *changes_; }

private:
    std::unique_ptr<ItemChanges> changes_;
    bool done_ = false;
};

}  // namespace

UndoHistory::UndoHistory(ItemStore& store) : store_(store) {
    stack_.setUndoLimit(200);
    store_.setChangeSink(this);
#ifdef NDEBUG
    setChecking(qEnvironmentVariableIsSet("KINLOOM_CHECK_STEPS"));
#else
    setChecking(true);
#endif
}

void UndoHistory::setChecking(bool on) {
    if (!on) {
        checker_.reset();
    } else if (!checker_) {
        checker_ = std::make_unique<StepChecker>(store_);
        checker_->takeSnapshot();
    }
}

void UndoHistory::fault(const QString& text) {
    const QString message = QStringLiteral("Undo history: ") + text;
    if (faultHandler_)
        faultHandler_(message);
    else
        qFatal("%s", qPrintable(message));
}

void UndoHistory::settleChangesOutsideStep() {
    if (checker_) {
        const QString changed = checker_->changesOutsideStep();
        if (!changed.isEmpty()) {
            fault(changed + QStringLiteral(" while no edit step was open"));
            checker_->takeSnapshot();  // told once
        }
    }
    if (pending_ && !pending_->empty()) {
        if (checker_) fault(QStringLiteral("the store recorded a change while no edit step was open"));
        commit(QStringLiteral("Edit"));
    }
}

void UndoHistory::beginStep() {
    if (depth_++ > 0) return;
    settleChangesOutsideStep();
    pending_ = std::make_unique<ItemChanges>(store_);
    baseCurrent_ = store_.currentItem;
    baseLastId_ = store_.lastId;
}

void UndoHistory::endStep(const QString& label) {
    if (depth_ == 0 || --depth_ > 0) return;
    if (checker_) {
        const ItemChanges* step = pending_.get();
        const QString missed = checker_->unrecordedChanges(label, [step](const PersonItem* item, bool placeOnly) {
            return step && step->holds(item, placeOnly);
        });
        if (!missed.isEmpty()) fault(missed);
    }
    commit(label);
    if (checker_) checker_->takeSnapshot();
}

UndoHistory::~UndoHistory() {
    if (store_.changeSink() == this) store_.setChangeSink(nullptr);
}

ItemChanges& UndoHistory::pending() {
    if (!pending_) {
        pending_ = std::make_unique<ItemChanges>(store_);
        baseCurrent_ = store_.currentItem;
    }
    return *pending_;
}

void UndoHistory::touch(PersonItem* item) { pending().touch(item); }
void UndoHistory::touchPlace(PersonItem* item) { pending().touchPlace(item); }
void UndoHistory::moved(PersonItem* item, ItemPlace from, ItemPlace to) {
    pending().moved(item, from, to);
}

void UndoHistory::commit(const QString& label) {
    if (pending_) pending_->finish(baseLastId_, baseCurrent_);
    if (pending_ && !pending_->empty()) {
        lastStepBytes_ = pending_->memoryUse();
        auto* step = new ItemStep(std::move(pending_), label);
        stack_.push(step);
        if (listener_) listener_->stepApplied(step->changes(), true);
    }
    pending_.reset();
    baseLastId_ = store_.lastId;
}

void UndoHistory::storeCleared() {
    // Every item goes now: no step may keep a reference to one.
    pending_.reset();
    stack_.clear();
    if (checker_) checker_->forget();
}

void UndoHistory::clear() {
    pending_.reset();
    stack_.clear();
    baseLastId_ = store_.lastId;
    if (checker_) checker_->takeSnapshot();
}

void UndoHistory::markSaved() {
    if (depth_ == 0) settleChangesOutsideStep();
    stack_.setClean();
}

void UndoHistory::afterStackMove() {
    store_.modified = !stack_.isClean();
    baseLastId_ = store_.lastId;
    if (checker_) checker_->takeSnapshot();
}

void UndoHistory::undo() {
    settleChangesOutsideStep();
    if (!stack_.canUndo()) return;
    const auto* step = static_cast<const ItemStep*>(stack_.command(stack_.index() - 1));
    store_.setChangeSink(nullptr);
    stack_.undo();
    store_.setChangeSink(this);
    afterStackMove();
    if (listener_) listener_->stepApplied(step->changes(), false);
}

void UndoHistory::redo() {
    settleChangesOutsideStep();
    if (!stack_.canRedo()) return;
    const auto* step = static_cast<const ItemStep*>(stack_.command(stack_.index()));
    store_.setChangeSink(nullptr);
    stack_.redo();
    store_.setChangeSink(this);
    afterStackMove();
    if (listener_) listener_->stepApplied(step->changes(), true);
}

QString moveLabel(int count) {
    return count == 1 ? QStringLiteral("Move 1 item") : QStringLiteral("Move %1 items").arg(count);
}

}  // namespace kinloom
