#include "document/recovery_replay.h"

#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/prompts.h"

#include <QFileInfo>

#include <unordered_map>

namespace kinloom {

namespace {

// Keeps the first message a reader shows, as the reason a recovery failed.
class CapturingPrompts : public Prompts {
public:
    QString first;
    PromptAnswer message(const QString&, const QString& text, PromptButtons, PromptIcon) override {
        if (first.isEmpty()) first = text;
        return PromptAnswer::No;
    }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
};

// The tree being rebuilt: items by key, with links as keys and the list order as a chain of keys.
class ReplayTree {
public:
    struct Entry {
        PersonItem fields;
        uint64_t father = 0, mother = 0;
        std::array<uint64_t, kMaxSpouses + 1> spouse{};
        uint64_t prev = 0, next = 0;
        bool inList = false;
    };

    // The items of a store read from the base file, record i under keys[i].
    bool takeBase(const ItemStore& base, const std::vector<uint64_t>& keys) {
        if (static_cast<size_t>(base.itemCount()) != keys.size()) return false;
        std::unordered_map<const PersonItem*, uint64_t> keyOf;
        keyOf.reserve(keys.size());
        size_t i = 0;
        for (const PersonItem* p = base.firstItem(); p; p = p->Next) keyOf.emplace(p, keys[i++]);
        const auto key = [&keyOf](const PersonItem* p) { return p ? keyOf.at(p) : 0; };
        for (const PersonItem* p = base.firstItem(); p; p = p->Next) {
            const uint64_t k = keyOf.at(p);
            Entry& e = entries_[k];
            e.fields = *p;
            e.father = key(p->Father);
            e.mother = key(p->Mother);
            for (int s = 1; s <= kMaxSpouses; ++s) e.spouse[s] = key(p->Spouse[s]);
            insertAfter(k, tail_);
        }
        return true;
    }

    void apply(const RecoveryStep& step) {
        for (const RecoveryRecord& r : step.records) {
            Entry& e = entries_[r.key];
            switch (r.kind) {
            case RecoveryRecord::Item:
                e.fields = r.fields;
                e.father = r.father;
                e.mother = r.mother;
                e.spouse = r.spouse;
                break;
            case RecoveryRecord::Place:
                e.fields.X = r.fields.X;
                e.fields.Y = r.fields.Y;
                e.fields.ChildCount = r.fields.ChildCount;
                break;
            case RecoveryRecord::Move:
                if (e.inList) unlink(r.key);
                // As the store does it: a place after an item that is not in the list is the end.
                if (r.inStore) insertAfter(r.key, r.prev == 0 || inList(r.prev) ? r.prev : tail_);
                break;
            }
        }
        // Making an item home is no step of its own; each step says which item is home.
        if (step.home != 0 && step.home != head_ && inList(step.home)) {
            unlink(step.home);
            insertAfter(step.home, 0);
        }
        lastId_ = step.lastId;
    }

    void build(ItemStore& store) const {
        std::unordered_map<uint64_t, PersonItem*> itemOf;
        itemOf.reserve(entries_.size());
        store.reserve(entries_.size());
        for (uint64_t k = head_; k != 0; k = entries_.at(k).next) {
            PersonItem copy = entries_.at(k).fields;
            copy.Next = copy.Prev = copy.Father = copy.Mother = nullptr;
            copy.Spouse.fill(nullptr);
            copy.Selected = false;
            copy.FirstTag = nullptr;
            itemOf.emplace(k, store.appendItem(std::move(copy)));
        }
        const auto item = [&itemOf](uint64_t k) -> PersonItem* {
            const auto it = itemOf.find(k);
            return it == itemOf.end() ? nullptr : it->second;
        };
        for (const auto& [k, p] : itemOf) {
            const Entry& e = entries_.at(k);
            p->Father = item(e.father);
            p->Mother = item(e.mother);
            for (int s = 1; s <= kMaxSpouses; ++s) p->Spouse[s] = item(e.spouse[s]);
        }
        store.lastId = lastId_;
        store.currentItem = nullptr;
    }

    void setLastId(int32_t id) { lastId_ = id; }

private:
    bool inList(uint64_t k) const {
        const auto it = entries_.find(k);
        return it != entries_.end() && it->second.inList;
    }
    void unlink(uint64_t k) {
        Entry& e = entries_.at(k);
        (e.prev ? entries_.at(e.prev).next : head_) = e.next;
        (e.next ? entries_.at(e.next).prev : tail_) = e.prev;
        e.prev = e.next = 0;
        e.inList = false;
    }
    void insertAfter(uint64_t k, uint64_t prev) {
        Entry& e = entries_[k];
        e.prev = prev;
        e.next = prev ? entries_.at(prev).next : head_;
        (e.next ? entries_.at(e.next).prev : tail_) = k;
        (prev ? entries_.at(prev).next : head_) = k;
        e.inList = true;
    }

    std::unordered_map<uint64_t, Entry> entries_;
    uint64_t head_ = 0, tail_ = 0;
    int32_t lastId_ = 0;
};

QString changedSince(const QString& fileName) {
    return QStringLiteral("The file %1 has changed since these changes were made.").arg(fileName);
}

}  // namespace

std::optional<RecoverySummary> summarizeRecoveryLog(std::string_view log) {
    const std::vector<std::string_view> frames = recoveryFrames(log);
    if (frames.empty()) return std::nullopt;
    std::optional<RecoveryHeader> header = decodeRecoveryHeader(frames.front());
    if (!header) return std::nullopt;
    RecoverySummary summary;
    summary.header = std::move(*header);
    for (size_t i = 1; i < frames.size(); ++i) {
        // The fixed start of a step: kind, time, unsaved.
        const std::string_view f = frames[i];
        if (f.size() < 10 || f[0] != 'S') break;
        uint64_t time = 0;
        for (int b = 0; b < 8; ++b) time |= static_cast<uint64_t>(static_cast<unsigned char>(f[1 + b])) << (8 * b);
        summary.changedAt = static_cast<qint64>(time);
        summary.unsaved = f[9] != 0;
        ++summary.steps;
    }
    return summary;
}

std::optional<QString> replayRecoveryLog(std::string_view log, ItemStore& store) {
    // The tree is rebuilt aside; the store changes only once that succeeded.
    const std::vector<std::string_view> frames = recoveryFrames(log);
    const std::optional<RecoveryHeader> header = frames.empty() ? std::nullopt : decodeRecoveryHeader(frames.front());
    if (!header) return QStringLiteral("The recovery data is damaged.");

    ReplayTree tree;
    if (header->base == RecoveryBase::TreeFile) {
        const QFileInfo info(header->fileName);
        if (!info.exists() || info.size() != header->baseSize ||
            info.lastModified().toMSecsSinceEpoch() != header->baseModified)
            return changedSince(header->fileName);
        ItemStore base;
        CapturingPrompts prompts;
        ViewState view;
        if (readFromFile(base, header->fileName, view, WindowSize{}, prompts) != ReadStatus::Ok)
            return prompts.first.isEmpty() ? changedSince(header->fileName) : prompts.first;
        if (!tree.takeBase(base, header->baseKeys)) return changedSince(header->fileName);
        tree.setLastId(base.lastId);
    }
    for (size_t i = 1; i < frames.size(); ++i) {
        const std::optional<RecoveryStep> step = decodeRecoveryStep(frames[i]);
        if (!step) break;  // whole but unreadable: the steps before it stand
        tree.apply(*step);
    }
    store.clearMemory();
    tree.build(store);
    return std::nullopt;
}

}  // namespace kinloom
