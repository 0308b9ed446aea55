#include "document/item_store.h"

#include "platform/prompts.h"

#include <algorithm>
#include <limits>
#include <new>

namespace kinloom {

ItemStore::ItemStore(Prompts* reporter) : reporter_(reporter) {}

ItemStore::~ItemStore() {
    // Free the list without notifying: nothing outside may outlive the store anyway.
    owned_.clear();
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
    std::unique_ptr<PersonItem> item;
    try {
        item = std::make_unique<PersonItem>();
    } catch (const std::bad_alloc&) {
        report(QStringLiteral("Failed to create new person item"));
        return nullptr;
    }
    PersonItem* raw = item.get();
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
    appendItem(std::move(item));
    currentItem = raw;
    return raw;
}

PersonItem* ItemStore::appendItem(std::unique_ptr<PersonItem> item) {
    PersonItem* raw = item.get();
    raw->Prev = last_;
    raw->Next = nullptr;
    if (last_)
        last_->Next = raw;
    else
        first_ = raw;
    last_ = raw;
    owned_.emplace(raw, std::move(item));
    recordMove(raw, {}, {true, raw->Prev});
    // An appended item is last in list order, so an earlier item with the same Id keeps winning.
    if (idIndexValid_ && raw->Id > 0) idIndex_.try_emplace(raw->Id, raw);
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
    auto node = owned_.extract(x);
    if (sink_) recordMove(x, from, {}, std::move(node.mapped()));
}

void ItemStore::recordMove(PersonItem* item, ItemPlace from, ItemPlace to, std::unique_ptr<PersonItem> removed) {
    if (sink_) sink_->moved(item, from, to, std::move(removed));
}

std::unique_ptr<PersonItem> ItemStore::detachItem(PersonItem* item) {
    auto node = owned_.extract(item);
    if (node.empty()) return nullptr;
    if (currentItem == item) currentItem = nullptr;
    std::erase(selection_, item);
    unlinkFromList(item);
    idIndexValid_ = false;
    notifyRemoval(item);
    return std::move(node.mapped());
}

void ItemStore::insertItemAfter(std::unique_ptr<PersonItem> item, PersonItem* prev) {
    PersonItem* raw = item.get();
    if (prev && !contains(prev)) prev = last_;
    raw->Prev = prev;
    raw->Next = prev ? prev->Next : first_;
    if (raw->Next)
        raw->Next->Prev = raw;
    else
        last_ = raw;
    if (prev)
        prev->Next = raw;
    else
        first_ = raw;
    owned_.emplace(raw, std::move(item));
    if (raw->Selected) selection_.push_back(raw);
    idIndexValid_ = false;
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
        idIndex_.clear();
        idIndex_.reserve(owned_.size());
        for (PersonItem* p = first_; p; p = p->Next)
            if (p->Id > 0) idIndex_.try_emplace(p->Id, p);
        idIndexValid_ = true;
    }
    const auto it = idIndex_.find(id);
    return it == idIndex_.end() ? nullptr : it->second;
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
    clearSelection();
    tags_.clearTags();
    notifyRemoval(nullptr);
    first_ = last_ = nullptr;
    currentItem = nullptr;
    owned_.clear();
    idIndex_.clear();
    idIndexValid_ = true;
}

void ItemStore::moveToFront(PersonItem* item) {
    if (!item || item == first_) return;
    recordMove(item, {true, item->Prev}, {true, nullptr});
    moveToFrontUnrecorded(item);
}

void ItemStore::moveToFrontUnrecorded(PersonItem* item) {
    if (!item || item == first_) return;
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
