// Random trees through our own writer and reader: every field of every item, every link and the
// list order come back, and writing what was read gives the same bytes.
#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace kinloom;

namespace {

// Every stored field of an item as text, links by the Id of the item they point at; written
// field by field here rather than through the codec, so that a field the codec drops shows.
std::string describe(const PersonItem& p) {
    std::ostringstream out;
    const auto id = [](const PersonItem* q) { return q ? q->Id : 0; };
    const auto text = [&out](const char* name, std::string_view v) { out << name << '=' << v << '|'; };
    out << "Id=" << p.Id << '|';
    text("FirstName", p.FirstName);
    text("LastName", p.LastName);
    text("BornDate", p.BornDate);
    text("DiedDate", p.DiedDate);
    text("Sex", p.Sex);
    text("PictureFile", p.PictureFile);
    text("NotesFile", p.NotesFile);
    text("Kind", p.Kind);
    text("BornPlace", p.BornPlace);
    text("DiedPlace", p.DiedPlace);
    text("BaptizedDate", p.BaptizedDate);
    text("BaptizedPlace", p.BaptizedPlace);
    text("Occupation", p.Occupation);
    text("PictureText", p.PictureText);
    text("Source", p.Source);
    out << "Father=" << id(p.Father) << "|Mother=" << id(p.Mother) << '|';
    for (int i = 1; i <= kMaxSpouses; ++i) {
        out << "Slot" << i << '=' << id(p.Spouse[i]) << ',' << static_cast<int>(p.SpouseType[i]) << ',';
        text("date", p.MarriageDate[i]);
        text("place", p.MarriagePlace[i]);
    }
    out << "X=" << p.X << "|Y=" << p.Y << '|';
    text("GedcomId", p.GedcomId);
    text("ChildFamilyRef", p.ChildFamilyRef);
    text("SpareRef", p.SpareRef);
    out << "ChildCount=" << p.ChildCount << "|GedcomPos=" << p.GedcomPos;
    return out.str();
}

std::vector<std::string> describeAll(const ItemStore& store) {
    std::vector<std::string> all;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) all.push_back(describe(*p));
    return all;
}

class RandomTree {
public:
    explicit RandomTree(unsigned seed) : rng_(seed) {}

    // Texts of any length, over the capacity too, of any bytes but 0.
    std::string text(int longest) {
        const int length = chance(4) ? 0 : number(0, longest);
        std::string t;
        for (int i = 0; i < length; ++i) t.push_back(static_cast<char>(number(1, 255)));
        return t;
    }
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool chance(int oneIn) { return number(1, oneIn) == 1; }

    void fill(ItemStore& store, int count) {
        std::vector<PersonItem*> items;
        for (int n = 0; n < count; ++n) {
            PersonItem* p = store.createItem();
            for (auto field : {&PersonItem::FirstName, &PersonItem::LastName, &PersonItem::PictureFile,
                               &PersonItem::NotesFile, &PersonItem::BornPlace, &PersonItem::DiedPlace,
                               &PersonItem::BaptizedPlace, &PersonItem::Occupation, &PersonItem::Source})
                p->*field = text(120);
            for (auto field : {&PersonItem::BornDate, &PersonItem::DiedDate, &PersonItem::BaptizedDate})
                p->*field = text(40);
            for (auto field : {&PersonItem::GedcomId, &PersonItem::ChildFamilyRef, &PersonItem::SpareRef})
                p->*field = text(25);
            p->Sex = text(2);
            p->Kind = chance(3) ? "ALIAS" : chance(2) ? "REF" : "";
            p->PictureText = text(260);
            for (int i = 1; i <= kMaxSpouses; ++i) {
                p->SpouseType[i] = chance(2) ? "MPDFSOU"[number(0, 6)] : 0;
                p->MarriageDate[i] = text(40);
                p->MarriagePlace[i] = text(110);
            }
            p->X = number(-2000000, 2000000);
            p->Y = number(-2000000, 2000000);
            p->ChildCount = number(-5, 100000);
            p->GedcomPos = number(0, 1 << 30);
            items.push_back(p);
        }
        const auto any = [&]() -> PersonItem* { return chance(3) ? nullptr : items[static_cast<size_t>(number(0, count - 1))]; };
        for (PersonItem* p : items) {
            p->Father = any();
            p->Mother = any();
            for (int i = 1; i <= kMaxSpouses; ++i) p->Spouse[i] = any();
        }
        // Not in creation order, and not numbered 1..n (but without repeats: 1..n plus thousands).
        store.moveToFront(items[static_cast<size_t>(number(0, count - 1))]);
        for (PersonItem* p : items) p->Id += 1000 * number(0, 3);
        store.idsChanged();
    }

private:
    std::mt19937 rng_;
};

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(TreeFileProperty, EveryFieldAndLinkOfRandomItemsSurvivesWritingAndReading) {
    QTemporaryDir dir;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        ScriptedPrompts prompts;
        ItemStore written(&prompts);
        RandomTree(seed).fill(written, 40);
        int32_t highestId = 0;
        for (const PersonItem* p = written.firstItem(); p; p = p->Next) highestId = std::max(highestId, p->Id);

        const QString first = dir.filePath(QStringLiteral("first%1.kl3").arg(seed));
        const QString second = dir.filePath(QStringLiteral("second%1.kl3").arg(seed));
        ASSERT_TRUE(saveToFile(written, first, prompts));
        // Read into a store that holds another tree, which the file replaces.
        ItemStore read(&prompts);
        RandomTree(seed + 100).fill(read, 7);
        ViewState view;
        ASSERT_EQ(readFromFile(read, first, view, WindowSize{800, 600}, prompts), ReadStatus::Ok);
        EXPECT_EQ(describeAll(read), describeAll(written)) << "seed " << seed;
        EXPECT_EQ(read.itemCount(), 40);
        EXPECT_EQ(read.lastId, highestId);
        ASSERT_TRUE(saveToFile(read, second, prompts));
        EXPECT_EQ(contents(second), contents(first)) << "seed " << seed;
        EXPECT_EQ(contents(first).size(), 40 * 2560);

        // The store goes on working: a new item gets the next Id and the old ones are found.
        PersonItem* fresh = read.createItem();
        ASSERT_NE(fresh, nullptr);
        EXPECT_EQ(fresh->Id, highestId + 1);
        EXPECT_EQ(read.findItemById(fresh->Id), fresh);
        for (const PersonItem* p = read.firstItem(); p; p = p->Next) EXPECT_EQ(read.findItemById(p->Id), p);
        EXPECT_TRUE(prompts.records().empty());
    }
}

}  // namespace
