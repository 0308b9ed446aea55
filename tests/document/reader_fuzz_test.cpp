// Random and truncated files through the three tree-file readers: none may crash, read outside
// its data or leave a reference to something that is not in the store.
#include "document/item_store.h"
#include "document/legacy_file.h"
#include "document/tree_file.h"
#include "document/tree_record_codec.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <random>
#include <unordered_set>

using namespace kinloom;
using namespace kinloom::test;

namespace {

using Bytes = std::vector<unsigned char>;

// The list is well formed and every link points at an item of the list.
void expectSoundStore(const ItemStore& store) {
    std::unordered_set<const PersonItem*> items;
    const PersonItem* prev = nullptr;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        ASSERT_EQ(p->Prev, prev);
        ASSERT_TRUE(items.insert(p).second) << "the list runs in a circle";
        prev = p;
    }
    ASSERT_EQ(store.lastItem(), prev);
    ASSERT_EQ(store.itemCount(), static_cast<int>(items.size()));
    const auto known = [&](const PersonItem* q) { return q == nullptr || items.count(q) == 1; };
    EXPECT_TRUE(known(store.currentItem));
    for (const PersonItem* p : items) {
        EXPECT_TRUE(known(p->Father));
        EXPECT_TRUE(known(p->Mother));
        for (int i = 1; i <= kMaxSpouses; ++i) EXPECT_TRUE(known(p->Spouse[i]));
        EXPECT_LE(p->FirstName.length(), 100);
        EXPECT_LE(p->PictureText.length(), 247);
        EXPECT_LE(p->BornDate.length(), 35);
    }
}

// The first item in list order with an Id, found the slow way.
// Links resolve to the item of the first record that stored the Id, whatever Id that item has
// after repeated and non-positive Ids were given fresh ones.
const PersonItem* firstWithId(const ItemStore& store, const std::vector<int32_t>& stored, int32_t id) {
    if (id <= 0) return nullptr;
    size_t k = 0;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next, ++k)
        if (stored[k] == id) return p;
    return nullptr;
}

// Each item keeps its stored Id when that is positive and first of its kind; the others get fresh
// Ids above every stored one. No two items share an Id afterwards.
void expectFreshIds(const ItemStore& store, const std::vector<int32_t>& stored) {
    const int32_t highest = stored.empty() ? 0 : *std::max_element(stored.begin(), stored.end());
    std::set<int32_t> seen;
    size_t k = 0;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next, ++k) {
        const bool first = stored[k] > 0 && std::find(stored.begin(), stored.begin() + k, stored[k]) == stored.begin() + k;
        if (first)
            EXPECT_EQ(p->Id, stored[k]);
        else
            EXPECT_GT(p->Id, highest);
        EXPECT_TRUE(seen.insert(p->Id).second);
        EXPECT_LE(p->Id, store.lastId);
    }
}

Bytes randomBytes(std::mt19937& rng, size_t size) {
    Bytes out(size);
    for (auto& b : out) b = static_cast<unsigned char>(rng() & 0xFF);
    return out;
}

// Random bytes whose Ids and link numbers are small, so that links, duplicates and dangling
// numbers all happen; the texts keep their random length bytes.
Bytes randomRecords(std::mt19937& rng, size_t recordSize, int count, const std::vector<size_t>& intOffsets) {
    Bytes out = randomBytes(rng, recordSize * static_cast<size_t>(count));
    std::uniform_int_distribution<int> small(-2, 7);
    for (int k = 0; k < count; ++k)
        for (size_t off : intOffsets) putInt32(out, recordSize * static_cast<size_t>(k) + off, small(rng));
    return out;
}

struct Fixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store{&prompts};
    ViewState view;
    QString write(const QString& name, const Bytes& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
};

std::vector<size_t> treeIntOffsets() {
    namespace r = tree_record;
    std::vector<size_t> offsets = {r::Id, r::FatherId, r::MotherId};
    for (int i = 1; i <= kMaxSpouses; ++i) offsets.push_back(r::spouseIdAt(i));
    return offsets;
}

}  // namespace

namespace {

// The texts of a tree record, (offset, capacity), as the file format lays them out; written here
// apart from the reader, to check it against.
std::vector<std::pair<size_t, int>> treeTexts() {
    std::vector<std::pair<size_t, int>> texts = {
        {12, 100},  {113, 100}, {214, 35},  {250, 35},  {286, 1},   {288, 100},  {389, 100}, {490, 10},
        {501, 100}, {602, 100}, {703, 35},  {739, 100}, {840, 100}, {941, 247}, {1197, 100}, {2485, 20},
        {2506, 20}, {2527, 20}};
    for (int i = 1; i <= 8; ++i) {
        texts.push_back({static_cast<size_t>(1344 + 36 * i), 35});
        texts.push_back({static_cast<size_t>(1567 + 101 * i), 100});
    }
    return texts;
}

// Random records whose texts mostly fit; now and then one length or Kind is spoilt.
Bytes randomTreeRecords(std::mt19937& rng, int count) {
    Bytes out = randomRecords(rng, kTreeRecordSize, count, treeIntOffsets());
    static const std::vector<std::pair<size_t, int>> texts = treeTexts();
    const std::vector<std::string> kinds = {"", "ALIAS", "REF", "Alias", "REFX"};
    for (int k = 0; k < count; ++k) {
        const size_t base = static_cast<size_t>(k) * kTreeRecordSize;
        for (const auto& [offset, capacity] : texts) out[base + offset] = static_cast<unsigned char>(rng() % (capacity + 1));
        putShortString(out, base + 490, kinds[rng() % 8 < 7 ? rng() % 3 : 3 + rng() % 2]);
        if (rng() % 8 == 0) {
            const auto& [offset, capacity] = texts[rng() % texts.size()];
            out[base + offset] = static_cast<unsigned char>(capacity + 1 + rng() % (255 - capacity));
        }
    }
    return out;
}

// Whether bytes (whole records, then maybe a piece of one) can be a tree file's.
bool soundTreeBytes(const Bytes& bytes) {
    static const std::vector<std::pair<size_t, int>> texts = treeTexts();
    for (size_t base = 0; base < bytes.size(); base += kTreeRecordSize) {
        const size_t size = std::min<size_t>(kTreeRecordSize, bytes.size() - base);
        for (const auto& [offset, capacity] : texts)
            if (offset < size && bytes[base + offset] > capacity) return false;
        const size_t kindLength = 490 < size ? bytes[base + 490] : 0;
        if (490 + 1 + kindLength <= size) {
            const std::string kind(bytes.begin() + static_cast<std::ptrdiff_t>(base + 491),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(base + 491 + kindLength));
            if (kind != "" && kind != "ALIAS" && kind != "REF") return false;
        }
    }
    return true;
}

}  // namespace

TEST(ReaderFuzz, TreeFileTakesWholeSoundRecordsAndLeavesTheTreeForAnythingElse) {
    std::mt19937 rng(20261207);
    int opened = 0, refused = 0, offered = 0;
    for (int round = 0; round < 120; ++round) {
        Fixture f;
        PersonItem* before = addPerson(f.store, "before");
        const int count = static_cast<int>(rng() % 6);
        Bytes bytes = randomTreeRecords(rng, count);
        const bool cut = round % 3 == 0 && !bytes.empty();
        if (cut) bytes.resize(rng() % bytes.size());
        const QString path = f.write("fuzz.kl3", bytes);
        const bool yes = round % 2 == 0;
        f.prompts.answerButton(yes ? PromptAnswer::Yes : PromptAnswer::No);

        const ReadStatus status = readFromFile(f.store, path, f.view, {800, 600}, f.prompts);
        expectSoundStore(f.store);
        const size_t whole = bytes.size() / kTreeRecordSize;
        const bool ragged = bytes.size() % kTreeRecordSize != 0;
        ReadStatus expected = ReadStatus::Ok;
        if (!soundTreeBytes(bytes)) {
            expected = ReadStatus::NotRecognized;
            ++refused;
        } else if (ragged) {
            offered += whole > 0;
            expected = whole > 0 && yes ? ReadStatus::PartlyRead : ReadStatus::NotRecognized;
        }
        ASSERT_EQ(status, expected) << "round " << round;
        if (expected == ReadStatus::NotRecognized) {
            ASSERT_EQ(f.store.itemCount(), 1);
            EXPECT_EQ(f.store.firstItem(), before);
            EXPECT_EQ(f.prompts.records().size(), 1u);
            continue;
        }
        ++opened;
        EXPECT_EQ(f.prompts.records().size(), ragged ? 1u : 0u);
        ASSERT_EQ(f.store.itemCount(), static_cast<int>(whole));
        std::vector<int32_t> stored;
        for (size_t at = 0; at + kTreeRecordSize <= bytes.size(); at += kTreeRecordSize)
            stored.push_back(getInt32(bytes, at + tree_record::Id));
        expectFreshIds(f.store, stored);  // file order is list order
        int32_t highest = 0;
        size_t k = 0;
        for (const PersonItem* p = f.store.firstItem(); p; p = p->Next, ++k) {
            const size_t at = k * kTreeRecordSize;
            EXPECT_FALSE(p->Selected);
            highest = std::max(highest, p->Id);
            EXPECT_EQ(p->Kind.length() == 0 || p->Kind == "ALIAS" || p->Kind == "REF", true);
            EXPECT_EQ(p->Father, firstWithId(f.store, stored, getInt32(bytes, at + tree_record::FatherId)));
            EXPECT_EQ(p->Mother, firstWithId(f.store, stored, getInt32(bytes, at + tree_record::MotherId)));
            for (int i = 1; i <= kMaxSpouses; ++i)
                EXPECT_EQ(p->Spouse[i], firstWithId(f.store, stored, getInt32(bytes, at + tree_record::spouseIdAt(i))));
        }
        EXPECT_EQ(f.store.lastId, highest);
        EXPECT_EQ(f.store.currentItem, nullptr);
    }
    // Every road was taken.
    EXPECT_GT(opened, 10);
    EXPECT_GT(refused, 10);
    EXPECT_GT(offered, 5);
}

TEST(ReaderFuzz, OldFilesKeepWhatWasReadAndNeverLinkOutsideTheStore) {
    std::mt19937 rng(1372480);
    for (int round = 0; round < 80; ++round) {
        const bool v15 = round % 2 == 0;
        const size_t size = v15 ? kVersion15RecordSize : kVersion10RecordSize;
        std::vector<size_t> ints = {464, 468, 472};
        if (v15) ints.push_back(896);
        Fixture f;
        const int count = static_cast<int>(rng() % 5);
        Bytes bytes = randomRecords(rng, size, count, ints);
        if (round % 4 < 2 && !bytes.empty()) bytes.resize(rng() % bytes.size());
        const QString path = f.write(v15 ? "fuzz.kl2" : "fuzz.kl", bytes);

        const bool complete = v15 ? readVersion15File(f.store, path, f.view, {800, 600}, f.prompts, round % 3 != 0)
                                  : readVersion10File(f.store, path, f.view, {800, 600}, f.prompts, true);
        expectSoundStore(f.store);
        // Every record, the incomplete one included, has its item.
        EXPECT_EQ(f.store.itemCount(), static_cast<int>((bytes.size() + size - 1) / size));
        EXPECT_EQ(complete, bytes.size() % size == 0);
        if (!complete) {
            EXPECT_EQ(f.prompts.messageTexts(), std::vector<QString>{"There was an error opening the file"});
            for (const PersonItem* p = f.store.firstItem(); p; p = p->Next) {
                EXPECT_EQ(p->Father, nullptr);  // links stay unresolved
                EXPECT_EQ(p->Spouse[1], nullptr);
            }
            continue;
        }
        EXPECT_TRUE(f.prompts.records().empty());
        std::vector<int32_t> stored;
        for (size_t at = 0; at < bytes.size(); at += size) stored.push_back(getInt32(bytes, at + 464));
        expectFreshIds(f.store, stored);
        size_t k = 0;
        for (const PersonItem* p = f.store.firstItem(); p; p = p->Next, ++k) {
            EXPECT_EQ(p->Father, firstWithId(f.store, stored, getInt32(bytes, k * size + 472)));
            EXPECT_EQ(p->Mother, firstWithId(f.store, stored, getInt32(bytes, k * size + 468)));
            EXPECT_EQ(p->Spouse[1], v15 ? firstWithId(f.store, stored, getInt32(bytes, k * size + 896)) : nullptr);
            for (int i = 2; i <= kMaxSpouses; ++i) EXPECT_EQ(p->Spouse[i], nullptr);
        }
    }
}

TEST(ReaderFuzz, PureNoiseOfAnyLengthIsSafe) {
    std::mt19937 rng(42);
    for (int round = 0; round < 30; ++round) {
        const size_t length = rng() % (3 * kTreeRecordSize + 7);
        const Bytes noise = randomBytes(rng, length);
        Fixture f;
        readFromFile(f.store, f.write("n.kl3", noise), f.view, {800, 600}, f.prompts);
        expectSoundStore(f.store);
        readVersion15File(f.store, f.write("n.kl2", noise), f.view, {800, 600}, f.prompts, true);
        expectSoundStore(f.store);
        readVersion10File(f.store, f.write("n.kl", noise), f.view, {800, 600}, f.prompts, true);
        expectSoundStore(f.store);
        // Whatever was read saves and reads back as the same number of items.
        const int items = f.store.itemCount();
        ASSERT_TRUE(saveToFile(f.store, f.dir.filePath("back.kl3"), f.prompts));
        ASSERT_EQ(readFromFile(f.store, f.dir.filePath("back.kl3"), f.view, {800, 600}, f.prompts), ReadStatus::Ok);
        EXPECT_EQ(f.store.itemCount(), items);
        expectSoundStore(f.store);
    }
}
