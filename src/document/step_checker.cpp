#include "document/step_checker.h"

#include "document/item_store.h"
#include "document/tree_record_codec.h"

#include <array>

namespace kinloom {

namespace {

std::array<unsigned char, kTreeRecordSize> contentBytes(const PersonItem& item, ItemComparison how) {
    PersonItem copy = item;
    copy.Next = copy.Prev = nullptr;
    copy.Id = 0;
    // Stored link numbers mean something only in a file image; a save fills them in.
    copy.FatherId = copy.MotherId = 0;
    copy.SpouseId = {};
    if (how != ItemComparison::Exact) copy.Selected = false;
    if (how == ItemComparison::IgnoringPlace) copy.X = copy.Y = copy.ChildCount = 0;
    std::array<unsigned char, kTreeRecordSize> bytes{};
    encodeTreeRecord(copy, true, bytes);
    return bytes;
}

QString nameOf(const PersonItem& item) {
    return QStringLiteral("item %1 (%2 %3)")
        .arg(item.Id)
        .arg(QString::fromLatin1(item.FirstName.str().data(), item.FirstName.length()),
             QString::fromLatin1(item.LastName.str().data(), item.LastName.length()));
}

}  // namespace

bool sameItemContent(const PersonItem& a, const PersonItem& b, ItemComparison how) {
    // The record holds links only as marks; the references themselves are compared here.
    return a.Father == b.Father && a.Mother == b.Mother && a.Spouse == b.Spouse &&
           contentBytes(a, how) == contentBytes(b, how);
}

void StepChecker::takeSnapshot() {
    order_.clear();
    items_.clear();
    for (const PersonItem* p = store_.firstItem(); p; p = p->Next) {
        order_.push_back(p);
        items_.emplace(p, *p);
    }
    valid_ = true;
}

void StepChecker::forget() {
    valid_ = false;
    order_.clear();
    items_.clear();
}

QString StepChecker::changesOutsideStep() const {
    if (!valid_) return {};
    size_t at = 0;
    for (const PersonItem* p = store_.firstItem(); p; p = p->Next, ++at) {
        if (at >= order_.size() || order_[at] != p) return QStringLiteral("the list order changed at ") + nameOf(*p);
        if (!sameItemContent(items_.at(p), *p, ItemComparison::IgnoringSelection)) return nameOf(*p) + QStringLiteral(" changed");
    }
    if (at != order_.size()) return QStringLiteral("items left the list");
    return {};
}

QString StepChecker::unrecordedChanges(const QString& stepLabel,
                                       const std::function<bool(const PersonItem*, bool)>& recorded) const {
    if (!valid_) return {};
    for (const PersonItem* p = store_.firstItem(); p; p = p->Next) {
        const auto before = items_.find(p);
        if (before == items_.end()) continue;  // new: its arrival is a recorded move
        if (sameItemContent(before->second, *p, ItemComparison::IgnoringSelection)) continue;
        const bool placeOnly = sameItemContent(before->second, *p, ItemComparison::IgnoringPlace);
        if (!recorded(p, placeOnly))
            return QStringLiteral("\"%1\" changed %2 without touching it first").arg(stepLabel, nameOf(*p));
    }
    return {};
}

}  // namespace kinloom
