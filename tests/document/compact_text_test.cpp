#include "document/item_store.h"
#include "document/text_heap.h"
#include "document/tree_file.h"
#include "document/tree_record_codec.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace kinloom;
using namespace kinloom::test;
namespace r = kinloom::tree_record;

namespace {

// Bytes of every value a stored text may hold, NUL and high bytes included, starting at `seed`.
std::string bytesOf(size_t length, int seed) {
    std::string text(length, '\0');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>((seed + 37 * i) % 256);
    return text;
}

// Every text field with its offset, capacity and a way to reach it.
struct Field {
    size_t offset;
    int capacity;
    std::function<std::string_view(const PersonItem&)> get;
    std::function<void(PersonItem&, std::string_view)> set;
};

template <int N>
Field field(size_t offset, ShortString<N> PersonItem::*member) {
    return {offset, N, [member](const PersonItem& p) { return std::string_view(p.*member); },
            [member](PersonItem& p, std::string_view text) { p.*member = text; }};
}
template <int N>
Field slotField(size_t offset, SpouseSlots<ShortString<N>> PersonItem::*member, int slot) {
    return {offset, N, [member, slot](const PersonItem& p) { return std::string_view((p.*member)[slot]); },
            [member, slot](PersonItem& p, std::string_view text) { (p.*member)[slot] = text; }};
}

std::vector<Field> everyTextField() {
    std::vector<Field> fields = {
        field(r::FirstName, &PersonItem::FirstName),         field(r::LastName, &PersonItem::LastName),
        field(r::BornDate, &PersonItem::BornDate),           field(r::DiedDate, &PersonItem::DiedDate),
        field(r::Sex, &PersonItem::Sex),                     field(r::PictureFile, &PersonItem::PictureFile),
        field(r::NotesFile, &PersonItem::NotesFile),         field(r::Kind, &PersonItem::Kind),
        field(r::BornPlace, &PersonItem::BornPlace),         field(r::DiedPlace, &PersonItem::DiedPlace),
        field(r::BaptizedDate, &PersonItem::BaptizedDate),   field(r::BaptizedPlace, &PersonItem::BaptizedPlace),
        field(r::Occupation, &PersonItem::Occupation),       field(r::PictureText, &PersonItem::PictureText),
        field(r::Source, &PersonItem::Source),               field(r::GedcomId, &PersonItem::GedcomId),
        field(r::ChildFamilyRef, &PersonItem::ChildFamilyRef), field(r::SpareRef, &PersonItem::SpareRef),
    };
    for (int i = 1; i <= kMaxSpouses; ++i) {
        fields.push_back(slotField(r::marriageDateAt(i), &PersonItem::MarriageDate, i));
        fields.push_back(slotField(r::marriagePlaceAt(i), &PersonItem::MarriagePlace, i));
    }
    return fields;
}

}  // namespace

TEST(CompactTexts, EveryFieldKeepsItsCapacityCutAndBytesThroughAFile) {
    const std::vector<Field> fields = everyTextField();
    ASSERT_EQ(fields.size(), 34u);
    // Three items: every field at its capacity, every field one byte over it, and short texts of
    // 0 to 4 bytes that sit in the field itself or just past that.
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    {
        ItemStore store(&prompts);
        for (int variant = 0; variant < 3; ++variant) {
            PersonItem* p = store.createItem();
            for (size_t k = 0; k < fields.size(); ++k) {
                const size_t length = variant == 0 ? fields[k].capacity
                                      : variant == 1 ? fields[k].capacity + 1
                                                     : k % 5;
                fields[k].set(*p, bytesOf(length, static_cast<int>(k)));
            }
        }
        ASSERT_TRUE(saveToFile(store, dir.filePath("t.kl3"), prompts));
    }
    QFile file(dir.filePath("t.kl3"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray all = file.readAll();
    ASSERT_EQ(all.size(), 3 * static_cast<int>(kTreeRecordSize));
    for (int variant = 0; variant < 3; ++variant) {
        const std::vector<unsigned char> rec(all.begin() + variant * kTreeRecordSize,
                                             all.begin() + (variant + 1) * kTreeRecordSize);
        for (size_t k = 0; k < fields.size(); ++k) {
            const size_t stored = variant == 2 ? std::min<size_t>(k % 5, fields[k].capacity) : fields[k].capacity;
            SCOPED_TRACE(testing::Message() << "variant " << variant << " field at " << fields[k].offset);
            ASSERT_EQ(rec[fields[k].offset], stored);
            EXPECT_EQ(getShortString(rec, fields[k].offset), bytesOf(stored, static_cast<int>(k)));
            // The rest of the field is zero: nothing of a longer text leaks past its cut.
            for (size_t i = fields[k].offset + 1 + stored; i <= fields[k].offset + fields[k].capacity; ++i)
                ASSERT_EQ(rec[i], 0) << i;
        }
    }

    // A tree file holds no Kind but "", "ALIAS" and "REF": the file read back has empty ones.
    QByteArray sound = all;
    for (int variant = 0; variant < 3; ++variant) sound[variant * kTreeRecordSize + static_cast<int>(r::Kind)] = 0;
    {
        QFile out(dir.filePath("sound.kl3"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(sound), sound.size());
    }
    ItemStore store(&prompts);
    ViewState view;
    ASSERT_EQ(readFromFile(store, dir.filePath("sound.kl3"), view, {800, 600}, prompts), ReadStatus::Ok);
    int variant = 0;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next, ++variant)
        for (size_t k = 0; k < fields.size(); ++k) {
            if (fields[k].offset == r::Kind) {
                EXPECT_EQ(p->Kind, "");
                continue;
            }
            const size_t stored = variant == 2 ? std::min<size_t>(k % 5, fields[k].capacity) : fields[k].capacity;
            ASSERT_EQ(fields[k].get(*p), bytesOf(stored, static_cast<int>(k))) << variant << " " << k;
        }
    EXPECT_EQ(variant, 3);
}

TEST(CompactTexts, ValuesStayIndependentThroughCopiesAndReuse) {
    // A random run of assignments, copies and moves against std::string as the model.
    std::mt19937 rng(7);
    std::vector<ShortString<100>> texts(40);
    std::vector<std::string> model(40);
    for (int step = 0; step < 20000; ++step) {
        const size_t a = rng() % texts.size(), b = rng() % texts.size();
        switch (rng() % 5) {
        case 0: {
            const std::string t = bytesOf(rng() % 120, step);
            texts[a] = t;
            model[a] = t.substr(0, 100);
            break;
        }
        case 1:
            texts[a] = texts[b];
            model[a] = model[b];
            break;
        case 2:
            texts[a] = std::move(texts[b]);
            model[a] = model[b];
            model[b].clear();
            if (a == b) model[a] = std::string(texts[a]);  // self-move keeps the value
            break;
        case 3: {  // a part of its own text
            const size_t n = rng() % (model[a].size() + 1);
            texts[a] = std::string_view(texts[a]).substr(model[a].size() - n);
            model[a] = model[a].substr(model[a].size() - n);
            break;
        }
        default:
            texts[a].clear();
            model[a].clear();
        }
        ASSERT_EQ(std::string_view(texts[a]), model[a]) << step;
        ASSERT_EQ(std::string_view(texts[b]), model[b]) << step;
        ASSERT_EQ(texts[a].empty(), model[a].empty());
    }
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].str(), model[i]);

    // Enough texts of every size to fill several of the heap's chunks, each still itself.
    std::vector<ShortString<247>> many(400000);
    for (size_t i = 0; i < many.size(); ++i) many[i] = bytesOf(i % 248, static_cast<int>(i));
    for (size_t i = 0; i < many.size(); ++i) ASSERT_EQ(std::string_view(many[i]), bytesOf(i % 248, static_cast<int>(i))) << i;
    ShortString<10> narrow;
    narrow = texts[0];  // a wider field's text is cut to the narrower capacity
    EXPECT_EQ(narrow.str(), model[0].substr(0, 10));
}

TEST(CompactTexts, AStoreBuiltFromAFileGivesBackEveryText) {
    const size_t before = TextHeap::instance().liveBlocks();
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    {
        ItemStore store(&prompts);
        for (int i = 0; i < 3000; ++i) {
            PersonItem* p = store.createItem();
            p->FirstName = "Given name " + std::to_string(i);
            p->BornPlace = "Bergen, Hordaland, Norway";
            p->MarriagePlace[1 + i % 8] = bytesOf(i % 101, i);
            if (i > 0) p->Father = p->Prev;
        }
        ASSERT_TRUE(saveToFile(store, dir.filePath("t.kl3"), prompts));
    }
    EXPECT_EQ(TextHeap::instance().liveBlocks(), before);
    {
        auto store = std::make_unique<ItemStore>(&prompts);
        ViewState view;
        ASSERT_EQ(readFromFile(*store, dir.filePath("t.kl3"), view, {800, 600}, prompts), ReadStatus::Ok);
        ASSERT_EQ(store->itemCount(), 3000);
        EXPECT_GT(TextHeap::instance().liveBlocks(), before + 6000);
        // Deleting some items reuses their places for new ones.
        for (int i = 0; i < 100; ++i) {
            store->currentItem = store->lastItem()->Prev;
            store->deleteItem();
        }
        for (int i = 0; i < 50; ++i) store->createItem()->LastName = "Reused place " + std::to_string(i);
        EXPECT_EQ(store->itemCount(), 2950);
        EXPECT_EQ(store->lastItem()->LastName, std::string_view("Reused place 49"));
        EXPECT_EQ(store->findItemById(2), store->firstItem()->Next);
        store.reset();  // the whole store at once
    }
    EXPECT_EQ(TextHeap::instance().liveBlocks(), before);
    {
        ItemStore store(&prompts);
        ViewState view;
        ASSERT_EQ(readFromFile(store, dir.filePath("t.kl3"), view, {800, 600}, prompts), ReadStatus::Ok);
        store.clearMemory();
        EXPECT_TRUE(store.empty());
        EXPECT_EQ(store.itemCount(), 0);
    }
    EXPECT_EQ(TextHeap::instance().liveBlocks(), before);
}
