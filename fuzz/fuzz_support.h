#pragma once
// Shared by the fuzz targets: inputs go through real files, as the readers take file names, and
// every tree read is written back and read again to show that its links survive.
#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kinloom::fuzz {

inline const QTemporaryDir& scratchDir() {
    static const QTemporaryDir dir;
    return dir;
}

inline QString writeInput(const uint8_t* data, size_t size, const char* name) {
    const QString path = scratchDir().filePath(QLatin1String(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

[[noreturn]] inline void fault(const char* what) {
    std::fprintf(stderr, "FUZZ FAULT: %s\n", what);
    std::abort();
}

// The tree by list position: each item's Id, and its father, mother and spouse slots as positions
// (-1 for none).
struct Shape {
    std::vector<int32_t> ids;
    std::vector<std::array<int, 2 + kMaxSpouses>> links;
    bool operator==(const Shape&) const = default;
};

inline Shape shapeOf(const ItemStore& store) {
    std::unordered_map<const PersonItem*, int> position;
    int n = 0;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) position[p] = n++;
    const auto at = [&](const PersonItem* p) { return p ? position.at(p) : -1; };
    Shape s;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        s.ids.push_back(p->Id);
        std::array<int, 2 + kMaxSpouses> l{at(p->Father), at(p->Mother)};
        for (int i = 1; i <= kMaxSpouses; ++i) l[1 + i] = at(p->Spouse[i]);
        s.links.push_back(l);
    }
    return s;
}

// After any read, Ids are positive and unique, so that a save links the same items again.
inline void checkIds(const ItemStore& store) {
    std::unordered_set<int32_t> seen;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->Id <= 0 || !seen.insert(p->Id).second) fault("an Id is repeated or not positive after reading");
        if (p->Id > store.lastId) fault("an Id is above LastId");
    }
}

inline void saveAndCompare(ItemStore& store, const char* what) {
    const Shape before = shapeOf(store);
    ScriptedPrompts prompts;
    const QString path = scratchDir().filePath(QStringLiteral("again.kl3"));
    if (!saveToFile(store, path, prompts)) fault("the tree could not be saved");
    ItemStore again(&prompts);
    ViewState view;
    if (readFromFile(again, path, view, {800, 600}, prompts) != ReadStatus::Ok) fault("our own file was not read");
    if (shapeOf(again) != before) fault(what);
    checkIds(again);
}

// Writes the tree, reads it back, and compares; then the same after "Make home" of the last item,
// which reorders the records.
inline void checkTreeRoundTrip(ItemStore& store) {
    checkIds(store);
    saveAndCompare(store, "a link changed through save and read");
    if (store.lastItem() && store.lastItem() != store.firstItem()) {
        store.moveToFront(store.lastItem());
        saveAndCompare(store, "a link changed through Make home, save and read");
    }
}

// One run of a reader of an older tree file: items read before an error stay, unlinked; they too
// must save and read back as they are.
template <class Reader>
int readOlderFile(const uint8_t* data, size_t size, const char* name, const Reader& read) {
    const QString path = writeInput(data, size, name);
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    ViewState view;
    read(store, path, view, WindowSize{800, 600}, prompts, size % 2 == 0);
    checkTreeRoundTrip(store);
    return 0;
}

}  // namespace kinloom::fuzz
