#include "document/item_store.h"
#include "document/legacy_file.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;
using namespace kinloom::test;

namespace {

using Bytes = std::vector<unsigned char>;

// A version 1.5.x record (1372 bytes) or the first 480 bytes of one for version 1.0.
Bytes oldRecord(size_t size, int32_t id, const std::string& first, int32_t father = 0,
                int32_t mother = 0, int32_t spouse = 0) {
    Bytes rec(size, 0);
    putShortString(rec, 0, first);
    putShortString(rec, 101, "Last" + std::to_string(id));
    putShortString(rec, 202, "12/25/1900");
    putShortString(rec, 213, "1.2.1950");
    putShortString(rec, 224, "F");
    putShortString(rec, 226, "pic.jpg");
    putShortString(rec, 327, "notes.txt");
    putInt32(rec, 448, 10 * id);
    putInt32(rec, 452, -id);
    putInt32(rec, 464, id);
    putInt32(rec, 468, mother);
    putInt32(rec, 472, father);
    if (size >= 1372) {
        putShortString(rec, 477, "Born place");
        putShortString(rec, 578, "Died place");
        putShortString(rec, 679, "Wed place");
        putShortString(rec, 780, "3 mar 1850");
        putShortString(rec, 791, "Font");
        putInt32(rec, 896, spouse);
        putShortString(rec, 900, "07-06-1921");
        putShortString(rec, 911, "Smith");
        putShortString(rec, 1012, std::string(255, 'd'));
        putShortString(rec, 1268, "Parish book");
    } else {
        // Bytes a 1.0 reader must not take: the 1.5.x places would be here.
        for (size_t i = 476; i < size; ++i) rec[i] = 'z';
    }
    return rec;
}

Bytes join(const std::vector<Bytes>& records) {
    Bytes out;
    for (const Bytes& rec : records) out.insert(out.end(), rec.begin(), rec.end());
    return out;
}

struct Fixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store{&prompts};
    ViewState view{50.0, 0, 0};
    QString path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace

TEST(LegacyFile, Version15ReadsEveryFieldAndLinksSpousesInPairs) {
    Fixture f;
    Bytes a = oldRecord(1372, 1, "Anna", 0, 0, 5);
    Bytes b = oldRecord(1372, 5, "Bernt", 0, 0, 1);
    Bytes c = oldRecord(1372, 9, "Cato", 5, 1, 0);
    putShortString(c, 428, "REF");
    a[101] = 255;  // clamped to the 100 characters of a last name
    std::fill(a.begin() + 102, a.begin() + 202, 'L');
    ASSERT_TRUE(writeBytes(f.path("old.kl2"), join({a, b, c})));

    ASSERT_TRUE(readVersion15File(f.store, f.path("old.kl2"), f.view, {800, 600}, f.prompts, true));
    EXPECT_TRUE(f.prompts.records().empty());
    ASSERT_EQ(f.store.itemCount(), 3);
    PersonItem* pa = f.store.firstItem();
    PersonItem* pb = pa->Next;
    PersonItem* pc = pb->Next;
    EXPECT_EQ(pa->FirstName, "Anna");
    EXPECT_EQ(pa->LastName, std::string(100, 'L'));
    EXPECT_EQ(pb->LastName, "Last5");
    EXPECT_EQ(pa->BornDate, "25 Dec 1900");  // through the date autoformat
    EXPECT_EQ(pa->DiedDate, "1 Feb 1950");
    EXPECT_EQ(pa->BaptizedDate, "3 Mar 1850");
    EXPECT_EQ(pa->MarriageDate[1], "07 Jun 1921");  // the day keeps its zero
    EXPECT_EQ(pa->Sex, "F");
    EXPECT_EQ(pa->PictureFile, "pic.jpg");
    EXPECT_EQ(pa->NotesFile, "notes.txt");
    EXPECT_EQ(pa->BornPlace, "Born place");
    EXPECT_EQ(pa->DiedPlace, "Died place");
    EXPECT_EQ(pa->MarriagePlace[1], "Wed place");
    EXPECT_EQ(pa->BaptizedPlace, "Font");
    EXPECT_EQ(pa->Occupation, "Smith");
    EXPECT_EQ(pa->PictureText, std::string(247, 'd'));
    EXPECT_EQ(pa->Source, "Parish book");
    EXPECT_EQ(pa->SpouseType[1], 0);
    EXPECT_EQ(pc->Kind, "REF");
    EXPECT_EQ(pb->X, 50);
    EXPECT_EQ(pb->Y, -5);
    EXPECT_EQ(pa->Spouse[1], pb);
    EXPECT_EQ(pb->Spouse[1], pa);
    EXPECT_EQ(pc->Spouse[1], nullptr);
    EXPECT_EQ(pc->Father, pb);
    EXPECT_EQ(pc->Mother, pa);
    EXPECT_EQ(f.store.lastId, 9);
    EXPECT_EQ(f.store.createItem()->Id, 10);
    f.store.currentItem = nullptr;
    EXPECT_EQ(f.view.zoom, 100.0);
    EXPECT_EQ(f.view.offsetX, 400 - 10 - 70);
    EXPECT_EQ(f.view.offsetY, 300 + 1 - 32);

    // With the option off the dates stay as they were typed.
    ASSERT_TRUE(readVersion15File(f.store, f.path("old.kl2"), f.view, {800, 600}, f.prompts, false));
    EXPECT_EQ(f.store.firstItem()->BornDate, "12/25/1900");
    EXPECT_EQ(f.store.firstItem()->MarriageDate[1], "07-06-1921");
    EXPECT_EQ(f.store.currentItem, nullptr);
}

TEST(LegacyFile, Version10HasNoPlacesSpousesOrAutoformat) {
    Fixture f;
    Bytes a = oldRecord(480, 2, "Ola");
    Bytes b = oldRecord(480, 3, "Kari", 2, 0);
    ASSERT_TRUE(writeBytes(f.path("old.kl"), join({a, b})));
    ASSERT_TRUE(readVersion10File(f.store, f.path("old.kl"), f.view, {200, 100}, f.prompts, true));
    ASSERT_EQ(f.store.itemCount(), 2);
    PersonItem* pa = f.store.firstItem();
    PersonItem* pb = pa->Next;
    EXPECT_EQ(pa->FirstName, "Ola");
    EXPECT_EQ(pa->BornDate, "12/25/1900");  // copied as it is
    EXPECT_EQ(pa->PictureFile, "pic.jpg");
    EXPECT_TRUE(pa->BornPlace.empty());
    EXPECT_TRUE(pa->Occupation.empty());
    EXPECT_TRUE(pa->Source.empty());
    EXPECT_TRUE(pa->PictureText.empty());
    EXPECT_TRUE(pa->MarriagePlace[1].empty());
    EXPECT_EQ(pa->SpouseId[1], 0);
    EXPECT_EQ(pb->Father, pa);
    EXPECT_EQ(pb->Mother, nullptr);
    EXPECT_EQ(f.store.lastId, 3);
    EXPECT_EQ(f.view.offsetX, 100 - 20 - 70);
}

TEST(LegacyFile, AnIncompleteRecordKeepsWhatWasReadUnlinked) {
    Fixture f;
    Bytes bytes = join({oldRecord(1372, 1, "A"), oldRecord(1372, 2, "B", 1)});
    bytes.resize(bytes.size() + 100, 0);
    ASSERT_TRUE(writeBytes(f.path("cut.kl2"), bytes));
    const LegacyImportResult result =
        importVersion15(f.store, f.path("cut.kl2"), f.view, {800, 600}, f.prompts, true);
    EXPECT_FALSE(result.complete);
    EXPECT_TRUE(result.currentFileName.isEmpty());
    EXPECT_TRUE(result.repaint);
    EXPECT_FALSE(f.store.modified);
    ASSERT_EQ(f.prompts.messageTexts(), std::vector<QString>{"There was an error opening the file"});
    ASSERT_EQ(f.store.itemCount(), 3);  // including the empty item of the record that failed
    PersonItem* b = f.store.firstItem()->Next;
    EXPECT_EQ(b->FirstName, "B");
    EXPECT_EQ(b->FatherId, 1);
    EXPECT_EQ(b->Father, nullptr);  // links stay unresolved
    EXPECT_TRUE(f.store.lastItem()->FirstName.empty());
    EXPECT_EQ(f.view.zoom, 50.0);
    EXPECT_EQ(f.store.findItemById(2), b);  // the Id index follows the stored Ids

    // A missing file and a 1.0 file cut short.
    EXPECT_FALSE(importVersion10(f.store, f.path("none.kl"), f.view, {}, f.prompts, true).complete);
    EXPECT_TRUE(f.store.empty());
    Bytes shortV1 = oldRecord(480, 1, "A");
    shortV1.resize(479);
    ASSERT_TRUE(writeBytes(f.path("cut.kl"), shortV1));
    EXPECT_FALSE(readVersion10File(f.store, f.path("cut.kl"), f.view, {}, f.prompts, true));
    EXPECT_EQ(f.store.itemCount(), 1);
    EXPECT_EQ(f.prompts.messageTexts().size(), 3u);

    // The import dialogs.
    EXPECT_EQ(version15OpenDialog().filter, "Kinloom version 1.5.x (*.kl2)|*.kl2");
    EXPECT_EQ(version15OpenDialog().title, "Import from version 1.5.x");
    EXPECT_EQ(version10OpenDialog().filter, "Kinloom version 1.0 (*.kl)|*.kl");
    EXPECT_EQ(version10OpenDialog().title, "Import from version 1.0");
    EXPECT_EQ(version10OpenDialog().defaultExtension, "kl");
}
