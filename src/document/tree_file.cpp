#include "document/tree_file.h"

#include "document/centre_home.h"
#include "document/fresh_ids.h"
#include "document/item_store.h"
#include "document/tree_record_codec.h"
#include "platform/prompts.h"
#include "platform/save_file.h"

#include <QFile>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace kinloom {

namespace {

// Records are written and read in blocks of this many, so that a large tree costs few system calls
// and little memory.
constexpr int kRecordsPerBlock = 256;

void fillStoredLinks(ItemStore& store) {
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        p->FatherId = p->Father ? p->Father->Id : 0;
        p->MotherId = p->Mother ? p->Mother->Id : 0;
        for (int i = 1; i <= kMaxSpouses; ++i) p->SpouseId[i] = p->Spouse[i] ? p->Spouse[i]->Id : 0;
    }
}

void resolveStoredLinks(ItemStore& store) {
    // findItemById keeps an index that the appends filled in list order, so the first record with
    // a duplicated Id wins and the whole pass stays linear.
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        p->FirstTag = nullptr;
        p->Father = store.findItemById(p->FatherId);
        p->Mother = store.findItemById(p->MotherId);
        for (int i = 1; i <= kMaxSpouses; ++i)
            p->Spouse[i] = p->SpouseId[i] > 0 ? store.findItemById(p->SpouseId[i]) : nullptr;
    }
}

const QString kNotRecognized = QStringLiteral("Error: Kinloom did not recognize the file");

// A GEDCOM file opened by mistake is common: its box also offers the import.
ReadStatus tellNotATree(const QString& fileName, Prompts& prompts) {
    const QString message = notATreeFileMessage(fileName);
    if (!fileName.endsWith(QLatin1String(".ged"), Qt::CaseInsensitive)) {
        prompts.error(kAppTitle, message);
        return ReadStatus::NotRecognized;
    }
    const QString offer = QStringLiteral("\n\nThis looks like a GEDCOM file. Do you want to import it as GEDCOM?");
    return prompts.message(kAppTitle, message + offer, PromptButtons::YesNo, PromptIcon::Error) == PromptAnswer::Yes
               ? ReadStatus::ImportAsGedcom
               : ReadStatus::NotRecognized;
}

// Whether this many items could be held at all: a file larger than the machine's memory is refused
// before the open tree is given up, rather than being read until the system stops the program.
bool fitsInMemory(qint64 records) {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return true;
    const long double needed = static_cast<long double>(records) * (sizeof(PersonItem) + 64);
    return needed <= static_cast<long double>(pages) * static_cast<long double>(pageSize);
}

// The file's records, read apart from the store so that a file that turns out not to be a tree
// costs the open tree nothing. They are made in an arena of their own, which the store takes
// whole, so that a large tree is never held twice.
struct FileRecords {
    enum class End { Whole, CutShort, NotATree, ReadError } end = End::Whole;
    ItemArena arena;
    PersonItem* first = nullptr;
    PersonItem* last = nullptr;
    size_t count = 0;

    FileRecords() = default;
    FileRecords(const FileRecords&) = delete;
    FileRecords& operator=(const FileRecords&) = delete;
    ~FileRecords() { arena.clear(first); }

    PersonItem& append() {
        PersonItem* item = arena.create();
        item->Prev = last;
        (last ? last->Next : first) = item;
        last = item;
        ++count;
        return *item;
    }
};

// Reads and checks every record; stops at the first that is not a tree record. Throws
// std::bad_alloc when memory runs out.
void readRecords(QFile& file, FileRecords& out) {
    if (!file.isSequential()) out.arena.reserve(static_cast<size_t>(file.size() / kTreeRecordSize));
    std::vector<unsigned char> block(static_cast<size_t>(kRecordsPerBlock) * kTreeRecordSize);
    size_t pending = 0;  // bytes of an incomplete record carried over to the next block
    for (;;) {
        const qint64 got = file.read(reinterpret_cast<char*>(block.data() + pending),
                                     static_cast<qint64>(block.size() - pending));
        if (got < 0) {
            out.end = FileRecords::End::ReadError;
            return;
        }
        if (got == 0) break;
        const size_t have = pending + static_cast<size_t>(got);
        size_t at = 0;
        for (; at + kTreeRecordSize <= have; at += kTreeRecordSize) {
            const std::span<const unsigned char, kTreeRecordSize> record(block.data() + at, kTreeRecordSize);
            if (!isTreeRecord(record)) {
                out.end = FileRecords::End::NotATree;
                return;
            }
            PersonItem& item = out.append();
            decodeTreeRecord(record, item);
        }
        pending = have - at;
        std::copy(block.begin() + static_cast<std::ptrdiff_t>(at),
                  block.begin() + static_cast<std::ptrdiff_t>(have), block.begin());
    }
    // What is left of a record cut short must look like the start of one, else the file is something
    // else that happens to begin like a tree.
    if (pending > 0)
        out.end = isTreeRecord(std::span<const unsigned char>(block.data(), pending)) ? FileRecords::End::CutShort
                                                                                    : FileRecords::End::NotATree;
}

// Replaces the store's items with the records read.
void replaceItems(ItemStore& store, FileRecords& read) {
    store.clearMemory();
    store.lastId = 0;
    store.reserve(read.count);
    for (PersonItem* p = read.first; p; p = p->Next) {
        p->Selected = false;
        if (p->Id > store.lastId) store.lastId = p->Id;
    }
    // From here on the items are the store's, whatever happens.
    PersonItem* first = std::exchange(read.first, nullptr);
    PersonItem* last = std::exchange(read.last, nullptr);
    read.count = 0;
    store.appendItems(std::move(read.arena), first);
    store.currentItem = last;
}

QString notEnoughMemory(const QString& fileName) {
    return QStringLiteral("Kinloom could not open the file %1.\nThere is not enough memory to read it.").arg(fileName);
}

QString saveFailure(const QString& fileName, const QString& reason) {
    return QStringLiteral("Kinloom could not save the file %1.\n%2").arg(fileName, reason);
}

}  // namespace

bool saveToFile(ItemStore& store, const QString& fileName, Prompts& prompts) {
    // Only the last three characters count: no check of the dot or of the rest of the name.
    if (fileName.right(3).compare(QLatin1String("kl3"), Qt::CaseInsensitive) != 0) {
        prompts.error(kAppTitle, QStringLiteral("Incorrect file type. Kinloom did not save the file."));
        store.modified = true;
        return false;
    }
    SaveFile file(fileName);
    // Only where the folder forbids the temporary file (a writable tree in a read-only folder) is
    // the file written in place.
    file.setDirectWriteFallback(true);
    return writeTreeFile(store, file, prompts);
}

bool writeTreeFile(ItemStore& store, SaveFile& file, Prompts& prompts) {
    fillStoredLinks(store);

    // The records go to a temporary file beside the target, which replaces the target only once
    // all of it is written: a full disk or a crash half-way never costs the user the old tree.
    if (!file.open()) {
        prompts.error(kAppTitle, saveFailure(file.fileName(), file.errorString()));
        return false;
    }
    std::vector<unsigned char> block(static_cast<size_t>(kRecordsPerBlock) * kTreeRecordSize);
    const PersonItem* p = store.firstItem();
    while (p) {
        size_t used = 0;
        for (; p && used < block.size(); p = p->Next, used += kTreeRecordSize)
            encodeTreeRecord(*p, p->Next == nullptr,
                             std::span<unsigned char, kTreeRecordSize>(block.data() + used, kTreeRecordSize));
        if (!file.write(reinterpret_cast<const char*>(block.data()), static_cast<qint64>(used))) {
            prompts.error(kAppTitle, saveFailure(file.fileName(), file.errorString()));
            return false;
        }
    }
    if (!file.commit()) {
        prompts.error(kAppTitle, saveFailure(file.fileName(), file.errorString()));
        return false;
    }
    return true;
}

QString openFailureMessage(const QString& fileName, const QString& reason) {
    return QStringLiteral("Kinloom could not open the file %1.\n%2").arg(fileName, reason);
}

QString notATreeFileMessage(const QString& fileName) {
    return kNotRecognized + QStringLiteral("\n%1 is not a Kinloom tree file.").arg(fileName);
}

QString cutShortMessage(const QString& fileName, int records) {
    return kNotRecognized + QStringLiteral("\n%1 is cut short after record %2.").arg(fileName).arg(records);
}

QString openWholeRecordsQuestion(const QString& fileName, int records) {
    return QStringLiteral("%1 is cut short after record %2.\n\nOnly %2 of its items could be read. Open them?")
        .arg(fileName)
        .arg(records);
}

ReadStatus readFromFile(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                        Prompts& prompts, CutShortFiles cutShort) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts.error(kAppTitle, openFailureMessage(fileName, file.errorString()));
        return ReadStatus::IoError;
    }
    // A file larger than memory is refused before anything is read.
    if (!file.isSequential() && !fitsInMemory(file.size() / kTreeRecordSize)) {
        prompts.error(kAppTitle, notEnoughMemory(fileName));
        return ReadStatus::NotEnoughMemory;
    }
    FileRecords read;
    try {
        readRecords(file, read);
    } catch (const std::bad_alloc&) {
        prompts.error(kAppTitle, notEnoughMemory(fileName));
        return ReadStatus::NotEnoughMemory;
    }
    const int whole = static_cast<int>(read.count);
    switch (read.end) {
    case FileRecords::End::Whole:
        break;
    case FileRecords::End::ReadError:
        prompts.error(kAppTitle, openFailureMessage(fileName, file.errorString()));
        return ReadStatus::IoError;
    case FileRecords::End::NotATree:
        return tellNotATree(fileName, prompts);
    case FileRecords::End::CutShort:
        // Without one whole record nothing tells a tree cut short from a short file of another kind.
        if (whole == 0) return tellNotATree(fileName, prompts);
        if (cutShort == CutShortFiles::Refuse) {
            prompts.error(kAppTitle, cutShortMessage(fileName, whole));
            return ReadStatus::NotRecognized;
        }
        if (prompts.message(kAppTitle, openWholeRecordsQuestion(fileName, whole), PromptButtons::YesNo,
                            PromptIcon::Warning) != PromptAnswer::Yes)
            return ReadStatus::NotRecognized;
        break;
    }
    file.close();
    try {
        replaceItems(store, read);
    } catch (const std::bad_alloc&) {
        // The open tree is gone by now: leave an empty one rather than half of the file.
        store.clearMemory();
        store.currentItem = nullptr;
        prompts.error(kAppTitle, notEnoughMemory(fileName));
        return ReadStatus::StoreEmptied;
    }

    view.zoom = 100;
    resolveStoredLinks(store);
    giveFreshIdsToRepeats(store);
    store.currentItem = nullptr;
    centreHomeItem(store, view, window);
    return read.end == FileRecords::End::CutShort ? ReadStatus::PartlyRead : ReadStatus::Ok;
}

}  // namespace kinloom
