#include "document/item_store.h"

#include "platform/prompts.h"

#include <algorithm>
#include <limits>
#include <new>

namespace kinloom {

ItemStore::ItemStore(Prompts* reporter) : reporter_(reporter) {}

ItemStore::~ItemStore() {
    freeAllDetached();
    // Free the list without notifying: nothing outside may outlive the store anyway.
    items_.clear(first_);
}

void ItemStore::report(const QString& text) const {
    if (reporter_) reporter_->message(kAppTitle, text, PromptButtons::Ok, PromptIcon::Error);
}

void ItemStore::notifyRemoval(const PersonItem* item) {
    for (auto& listener : listeners_) listener(item);
}

PersonItem* ItemStore::createItem() {
    modified = true;
    if (lastId == std::numeric_limits<int32_t>::max()) {
        report(QStringLiteral("Integer overflow"));
        return nullptr;
    }
    PersonItem* raw = nullptr;
    try {
        raw = items_.create();
    } catch (const std::bad_alloc&) {
        report(QStringLiteral("Failed to create new person item"));
        return nullptr;
    }
    ++lastId;
    raw->Id = lastId;
    // Snap the box's centre to the grid under the pointer (div truncates toward zero). Worked out
    // wide and kept within the canvas, for a pointer at the very end of it.
    const auto snap = [this](long long pointer, int centre) {
        const long long g = gridSize > 0 ? gridSize : 1;
        const long long v = ((pointer - centre) / g) * g - (g / 2);
        return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    raw->X = snap(pointerX, kLinkDX);
    raw->Y = snap(pointerY, kLinkDY);
    linkAtEnd(raw);
    currentItem = raw;
    return raw;
}

PersonItem* ItemStore::appendItem(PersonItem&& item) { return linkAtEnd(items_.create(std::move(item))); }

void ItemStore::appendItems(ItemArena&& items, PersonItem* first) {
    items_.absorb(std::move(items));
    for (PersonItem* p = first; p;) {
        PersonItem* next = p->Next;
        linkAtEnd(p);
        p = next;
    }
}

void ItemStore::reserve(size_t items) {
    reserved_ = items;
    items_.reserve(items);
    idTable_.reserve(items + 1);
}

void ItemStore::indexId(PersonItem* item) const {
    if (item->Id <= 0) return;
    const auto id = static_cast<size_t>(item->Id);
    const size_t limit = std::max<size_t>(1024, 4 * std::max(items_.size(), reserved_));
    if (id >= limit) {
        largeIds_.try_emplace(item->Id, item);
        return;
    }
    if (id >= idTable_.size()) idTable_.resize(std::min(limit, std::max(id + 1, 2 * idTable_.size())), nullptr);
    if (!idTable_[id]) idTable_[id] = item;
}

PersonItem* ItemStore::linkAtEnd(PersonItem* raw) {
    raw->Prev = last_;
    raw->Next = nullptr;
    if (last_)
        last_->Next = raw;
    else
        first_ = raw;
    last_ = raw;
    recordMove(raw, {}, {true, raw->Prev});
    // An appended item is last in list order, so an earlier item with the same Id keeps winning.
    if (idIndexValid_) indexId(raw);
    return raw;
}

int spouseSlotOf(const PersonItem& item, const PersonItem* partner) {
    for (int i = 1; i <= kMaxSpouses; ++i)
        if (item.Spouse[i] == partner) return i;
    return 0;
}

int partnerSlotOf(const PersonItem& partner, const PersonItem* self, std::string_view date,
                  std::string_view place, char type) {
    int backLinks = 0;
    int lastBackLink = 0;
    for (int k = 1; k <= kMaxSpouses; ++k) {
        if (partner.Spouse[k] != self) continue;
        ++backLinks;
        lastBackLink = k;
        if (partner.MarriageDate[k] == date && partner.MarriagePlace[k] == place && partner.SpouseType[k] == type)
            return k;
    }
    if (backLinks >= 2) return -1;
    return lastBackLink;
}

int ItemStore::addMarriage(PersonItem* a, PersonItem* b) {
    PersonItem* pair[3] = {nullptr, a, b};
    touch(a);
    touch(b);
    for (int pass = 1; pass <= 2; ++pass) {
        PersonItem* item = pair[pass];
        PersonItem* partner = pair[3 - pass];
        marriageSlot[pass] = 0;
        const int slot = spouseSlotOf(*item, nullptr);
        if (slot == 0) {
            // Undo the first side so that neither item keeps half a link.
            if (pass == 2) a->Spouse[marriageSlot[1]] = nullptr;
            report(QStringLiteral("Error: Could not create marriage. This version only supports ") +
                   QString::number(kMaxSpouses) + QStringLiteral(" marriages."));
            return -1;
        }
        marriageSlot[pass] = slot;
        item->Spouse[slot] = partner;
        item->MarriagePlace[slot].clear();
        item->MarriageDate[slot].clear();
        item->SpouseType[slot] = 'M';
    }
    return 1;
}

void ItemStore::unlinkFromList(PersonItem* x) {
    if (x->Prev) x->Prev->Next = x->Next;
    if (x->Next) x->Next->Prev = x->Prev;
    if (last_ == x) last_ = x->Prev;
    if (first_ == x) first_ = x->Next;
    x->Next = x->Prev = nullptr;
}

void ItemStore::deleteItem() {
    PersonItem* x = currentItem;
    if (!x) return;
    // The undo history keeps the item and its tags until it forgets the step.
    if (!sink_) tags_.deleteItemTags(x);
    touch(x);
    // An original loses its alias mark as soon as one of its aliases goes, even if others remain.
    if (x->isAlias() && x->Father) {
        touch(x->Father);
        x->Father->Kind.clear();
    }
    for (PersonItem* r = first_; r; r = r->Next) {
        if (r == x) continue;
        if (sink_ && (r->Father == x || r->Mother == x || spouseSlotOf(*r, x) != 0)) touch(r);
        if (r->Father == x) {
            r->Father = nullptr;
            // An alias of the deleted original becomes an ordinary item and takes its place.
            if (r->isAlias()) r->Kind.clear();
        }
        if (r->Mother == x) r->Mother = nullptr;
        for (int i = 1; i <= kMaxSpouses; ++i)
            if (r->Spouse[i] == x) r->Spouse[i] = nullptr;  // date, place and type stay
    }
    removeFromSelection(x);
    const ItemPlace from{true, x->Prev};
    unlinkFromList(x);
    currentItem = nullptr;
    idIndexValid_ = false;
    notifyRemoval(x);
    if (sink_) {
        detached_.insert(x);
        recordMove(x, from, {});
    } else {
        items_.destroy(x);
    }
}

void ItemStore::detachItem(PersonItem* item) {
    if (!contains(item)) return;
    if (currentItem == item) currentItem = nullptr;
    std::erase(selection_, item);
    unlinkFromList(item);
    idIndexValid_ = false;
    notifyRemoval(item);
    detached_.insert(item);
}

void ItemStore::insertItemAfter(PersonItem* item, PersonItem* prev) {
    if (detached_.erase(item) == 0) return;
    if (prev && !contains(prev)) prev = last_;
    item->Prev = prev;
    item->Next = prev ? prev->Next : first_;
    if (item->Next)
        item->Next->Prev = item;
    else
        last_ = item;
    if (prev)
        prev->Next = item;
    else
        first_ = item;
    if (item->Selected) selection_.push_back(item);
    idIndexValid_ = false;
}

void ItemStore::freeDetached(PersonItem* item) {
    if (detached_.erase(item) == 0) return;
    tags_.deleteItemTags(item);
    items_.destroy(item);
}

void ItemStore::freeAllDetached() {
    for (const PersonItem* item : detached_) items_.destroy(const_cast<PersonItem*>(item));
    detached_.clear();
}

void ItemStore::setSelected(PersonItem* item, bool selected) {
    if (item->Selected == selected) return;
    if (selected)
        addToSelection(item);
    else
        removeFromSelection(item);
}

PersonItem* ItemStore::findItemById(int32_t id) const {
    if (id <= 0) return nullptr;
    if (!idIndexValid_) {
        idTable_.clear();
        largeIds_.clear();
        for (PersonItem* p = first_; p; p = p->Next) indexId(p);
        idIndexValid_ = true;
    }
    if (!largeIds_.empty())
        if (const auto it = largeIds_.find(id); it != largeIds_.end()) return it->second;
    const auto i = static_cast<size_t>(id);
    return i < idTable_.size() ? idTable_[i] : nullptr;
}

void ItemStore::addToSelection(PersonItem* item) {
    if (!item || item->Selected) return;
    item->Selected = true;
    selection_.push_back(item);
}

void ItemStore::removeFromSelection(PersonItem* item) {
    if (!item) return;
    std::erase(selection_, item);
    item->Selected = false;
}

void ItemStore::clearSelection() {
    for (PersonItem* item : selection_) item->Selected = false;
    selection_.clear();
}

void ItemStore::clearMemory() {
    lastId = 0;
    if (sink_) sink_->storeCleared();
    freeAllDetached();
    clearSelection();
    tags_.clearTags();
    notifyRemoval(nullptr);
    PersonItem* first = first_;
    first_ = last_ = nullptr;
    currentItem = nullptr;
    items_.clear(first);
    idTable_ = {};
    largeIds_ = {};
    idIndexValid_ = true;
    reserved_ = 0;
}

void ItemStore::moveToFront(PersonItem* item) {
    if (!item || item == first_) return;
    recordMove(item, {true, item->Prev}, {true, nullptr});
    linkAtFront(item);
}

void ItemStore::linkAtFront(PersonItem* item) {
    unlinkFromList(item);
    item->Next = first_;
    if (first_) first_->Prev = item;
    first_ = item;
    if (!last_) last_ = item;
    idIndexValid_ = false;
}

void ItemStore::renumberIds() {
    int32_t n = 0;
    for (PersonItem* p = first_; p; p = p->Next) p->Id = ++n;
    idIndexValid_ = false;
}

int ItemStore::personCount() const {
    int n = 0;
    for (const PersonItem* p = first_; p; p = p->Next)
        if (!p->isAlias() && p->hasName()) ++n;
    return n;
}

}  // namespace kinloom
