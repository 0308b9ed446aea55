#include "document/item_store.h"
#include "document/tree_file.h"
#include "document/tree_record_codec.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

using namespace kinloom;
using namespace kinloom::test;
namespace r = kinloom::tree_record;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Record(int32_t id, const std::string& first, int32_t x = 0, int32_t y = 0) {
    Bytes rec(kTreeRecordSize, 0xCC);  // garbage everywhere a reader must not look
    putInt32(rec, r::Next, 0x12345678);
    putInt32(rec, r::Prev, 0x0BADF00D);
    putInt32(rec, r::Id, id);
    for (size_t off : {r::LastName, r::BornDate, r::DiedDate, r::Sex, r::PictureFile, r::NotesFile,
                       r::Kind, r::BornPlace, r::DiedPlace, r::BaptizedDate, r::BaptizedPlace,
                       r::Occupation, r::PictureText, r::Source, r::GedcomId, r::ChildFamilyRef,
                       r::SpareRef})
        rec[off] = 0;
    putShortString(rec, r::FirstName, first);
    for (int i = 1; i <= 8; ++i) {
        rec[r::spouseTypeAt(i)] = 0;
        putInt32(rec, r::spouseIdAt(i), 0);
        rec[r::marriageDateAt(i)] = 0;
        rec[r::marriagePlaceAt(i)] = 0;
    }
    putInt32(rec, r::Mother, 0x77777777);
    putInt32(rec, r::Father, 0x66666666);
    putInt32(rec, r::MotherId, 0);
    putInt32(rec, r::FatherId, 0);
    putInt32(rec, r::X, x);
    putInt32(rec, r::Y, y);
    putInt32(rec, r::ChildCount, 0);
    putInt32(rec, r::FirstTag, 0x55555555);
    putInt32(rec, r::GedcomPos, 0);
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
    ViewState view{150.0, 11, 22};
    QString path(const QString& name) const { return dir.filePath(name); }
    ReadStatus read(const QString& file, WindowSize window = {1000, 800}) {
        return readFromFile(store, file, view, window, prompts);
    }
};

}  // namespace

TEST(TreeFile, ReadsAHandBuiltFile) {
    Fixture f;
    Bytes home = Record(5, "Home", 100, 200);
    putShortString(home, r::LastName, "Hansen");
    putShortString(home, r::BornDate, "1 Jan 1900");
    putShortString(home, r::Sex, "M");
    putShortString(home, r::Kind, "ALIAS");
    putShortString(home, r::PictureText, std::string(247, 'p'));
    putShortString(home, r::Source, "Church book");
    putShortString(home, r::GedcomId, "@I12@");
    putShortString(home, r::ChildFamilyRef, "@F3@");
    putShortString(home, r::SpareRef, "spare");
    putInt32(home, r::FatherId, 7);
    putInt32(home, r::MotherId, 99);  // names no record
    putInt32(home, r::spouseIdAt(1), 6);
    home[r::spouseTypeAt(1)] = 'M';
    putShortString(home, r::marriageDateAt(1), "2 Feb 1920");
    putShortString(home, r::marriagePlaceAt(8), "Bergen");
    home[r::Selected] = 1;
    putInt32(home, r::ChildCount, 3);
    putInt32(home, r::GedcomPos, 4711);
    // A text as long as its field, up to its last byte.
    putShortString(home, r::Occupation, std::string(100, 'o'));
    Bytes wife = Record(6, "Wife", -40, 7);
    putInt32(wife, r::spouseIdAt(3), 5);
    wife[r::spouseTypeAt(3)] = 'M';
    Bytes father = Record(7, "Father");
    Bytes duplicate = Record(6, "Second six");
    putInt32(duplicate, r::Next, 0);
    ASSERT_TRUE(writeBytes(f.path("t.kl3"), join({home, wife, father, duplicate})));

    f.store.modified = true;
    ASSERT_EQ(f.read(f.path("t.kl3")), ReadStatus::Ok);
    EXPECT_TRUE(f.prompts.records().empty());
    ASSERT_EQ(f.store.itemCount(), 4);
    PersonItem* h = f.store.firstItem();
    PersonItem* w = h->Next;
    PersonItem* fa = w->Next;
    PersonItem* dup = fa->Next;
    EXPECT_EQ(f.store.lastItem(), dup);
    EXPECT_EQ(dup->Next, nullptr);
    EXPECT_EQ(dup->Prev, fa);
    EXPECT_EQ(h->Prev, nullptr);
    EXPECT_EQ(h->Id, 5);
    EXPECT_EQ(h->FirstName, "Home");
    EXPECT_EQ(h->LastName, "Hansen");
    EXPECT_EQ(h->BornDate, "1 Jan 1900");
    EXPECT_EQ(h->Sex, "M");
    EXPECT_EQ(h->Kind, "ALIAS");
    EXPECT_EQ(h->PictureText.length(), 247);
    EXPECT_EQ(h->Source, "Church book");
    EXPECT_EQ(h->GedcomId, "@I12@");
    EXPECT_EQ(h->ChildFamilyRef, "@F3@");
    EXPECT_EQ(h->SpareRef, "spare");
    EXPECT_EQ(h->Occupation, std::string(100, 'o'));
    EXPECT_EQ(h->ChildCount, 3);
    EXPECT_EQ(h->GedcomPos, 4711);
    EXPECT_EQ(h->X, 100);
    EXPECT_EQ(h->Y, 200);
    EXPECT_FALSE(h->Selected);
    EXPECT_EQ(h->FirstTag, nullptr);
    // Links resolve by Id; a duplicated Id resolves to its first record; an unknown Id to nil.
    EXPECT_EQ(h->Father, fa);
    EXPECT_EQ(h->Mother, nullptr);
    EXPECT_EQ(h->Spouse[1], w);
    EXPECT_EQ(h->SpouseType[1], 'M');
    EXPECT_EQ(h->MarriageDate[1], "2 Feb 1920");
    EXPECT_EQ(h->MarriagePlace[8], "Bergen");
    EXPECT_EQ(w->Spouse[3], h);
    EXPECT_EQ(w->Father, nullptr);
    EXPECT_EQ(f.store.findItemById(6), w);
    EXPECT_EQ(w->X, -40);

    // The repeated Id is given a fresh number above the highest one.
    EXPECT_EQ(dup->Id, 8);
    EXPECT_EQ(f.store.lastId, 8);
    EXPECT_EQ(f.store.currentItem, nullptr);
    EXPECT_TRUE(f.store.modified);  // the callers decide
    EXPECT_EQ(f.view.zoom, 100.0);
    EXPECT_EQ(f.view.offsetX, 1000 / 2 - 100 - 70);
    EXPECT_EQ(f.view.offsetY, 800 / 2 - 200 - 32);

    // Odd window sizes and negative positions: div truncates.
    f.view = {};
    Bytes odd = Record(1, "Odd", -13, 5);
    putInt32(odd, r::Next, 0);
    ASSERT_TRUE(writeBytes(f.path("odd.kl3"), odd));
    ASSERT_EQ(f.read(f.path("odd.kl3"), {1001, 799}), ReadStatus::Ok);
    EXPECT_EQ(f.view.offsetX, 500 + 13 - 70);
    EXPECT_EQ(f.view.offsetY, 399 - 5 - 32);
}

TEST(TreeFile, WritesEveryFieldAtItsOffset) {
    Fixture f;
    PersonItem* a = addPerson(f.store, "Anna", "Berg", 10, -20);
    PersonItem* b = addPerson(f.store, "Bjørn", "Berg", 300, 40);
    PersonItem* c = addPerson(f.store, "Carl", "", 5, 6);
    a->BornDate = "3 MAR 1850";
    a->DiedDate = "1 Jan 1920";
    a->Sex = "F";
    a->PictureFile = "/pics/a.jpg";
    a->NotesFile = "/notes/a.txt";
    a->BornPlace = "Oslo";
    a->DiedPlace = "Bergen";
    a->BaptizedDate = "ABT 1850";
    a->BaptizedPlace = "Kirke";
    a->Occupation = "Farmer";
    a->PictureText = "Portrait";
    a->Source = "Census";
    a->GedcomId = "@I1@";
    a->ChildFamilyRef = "@F1@";
    a->SpareRef = "x";
    a->ChildCount = 9;
    a->GedcomPos = 123;
    c->Father = b;
    c->Mother = a;
    f.store.addMarriage(b, a);
    f.store.addMarriage(b, c);
    b->MarriageDate[2] = "1900";
    b->MarriagePlace[2] = "Rome";
    b->SpouseType[2] = 'D';
    f.store.addToSelection(b);
    c->Kind = "REF";

    ASSERT_TRUE(saveToFile(f.store, f.path("out.kl3"), f.prompts));
    const Bytes bytes = readBytes(f.path("out.kl3"));
    ASSERT_EQ(bytes.size(), 3u * kTreeRecordSize);
    const auto rec = [&](int k) {
        return Bytes(bytes.begin() + k * kTreeRecordSize, bytes.begin() + (k + 1) * kTreeRecordSize);
    };
    const Bytes ra = rec(0), rb = rec(1), rc = rec(2);
    EXPECT_NE(getInt32(ra, r::Next), 0);
    EXPECT_NE(getInt32(rb, r::Next), 0);
    EXPECT_EQ(getInt32(rc, r::Next), 0);
    EXPECT_EQ(getInt32(ra, r::Id), 1);
    EXPECT_EQ(getInt32(rc, r::Id), 3);
    EXPECT_EQ(getShortString(ra, r::FirstName), "Anna");
    EXPECT_EQ(getShortString(ra, r::LastName), "Berg");
    EXPECT_EQ(getShortString(rb, r::FirstName), "Bj\xC3\xB8rn");
    EXPECT_EQ(getShortString(ra, r::BornDate), "3 MAR 1850");
    EXPECT_EQ(getShortString(ra, r::DiedDate), "1 Jan 1920");
    EXPECT_EQ(getShortString(ra, r::Sex), "F");
    EXPECT_EQ(getShortString(ra, r::PictureFile), "/pics/a.jpg");
    EXPECT_EQ(getShortString(ra, r::NotesFile), "/notes/a.txt");
    EXPECT_EQ(getShortString(rc, r::Kind), "REF");
    EXPECT_EQ(getShortString(ra, r::BornPlace), "Oslo");
    EXPECT_EQ(getShortString(ra, r::DiedPlace), "Bergen");
    EXPECT_EQ(getShortString(ra, r::BaptizedDate), "ABT 1850");
    EXPECT_EQ(getShortString(ra, r::BaptizedPlace), "Kirke");
    EXPECT_EQ(getShortString(ra, r::Occupation), "Farmer");
    EXPECT_EQ(getShortString(ra, r::PictureText), "Portrait");
    EXPECT_EQ(getShortString(ra, r::Source), "Census");
    EXPECT_EQ(ra[1298], 0);
    EXPECT_EQ(ra[1299], 0);
    EXPECT_EQ(getInt32(rc, r::FatherId), 2);
    EXPECT_EQ(getInt32(rc, r::MotherId), 1);
    EXPECT_EQ(getInt32(ra, r::FatherId), 0);
    EXPECT_EQ(getInt32(rb, 1348), 1);  // SpouseId slot 1
    EXPECT_EQ(getInt32(rb, 1352), 3);  // SpouseId slot 2
    EXPECT_EQ(getInt32(ra, 1348), 2);
    EXPECT_EQ(getInt32(rb, 1356), 0);
    EXPECT_EQ(rb[1189], 'M');
    EXPECT_EQ(rb[1190], 'D');
    EXPECT_EQ(rb[1191], 0);
    EXPECT_EQ(getShortString(rb, 1344 + 36 * 2), "1900");
    EXPECT_EQ(getShortString(rb, 1567 + 101 * 2), "Rome");
    EXPECT_EQ(getInt32(ra, 2476), 10);
    EXPECT_EQ(getInt32(ra, 2480), -20);
    EXPECT_EQ(ra[2484], 0);
    EXPECT_EQ(rb[2484], 1);  // Selected is written as it stands
    EXPECT_EQ(getShortString(ra, 2485), "@I1@");
    EXPECT_EQ(getShortString(ra, 2506), "@F1@");
    EXPECT_EQ(getShortString(ra, 2527), "x");
    EXPECT_EQ(getInt32(ra, 2548), 9);
    EXPECT_EQ(getInt32(ra, 2552), 0);
    EXPECT_EQ(getInt32(ra, 2556), 123);
    EXPECT_TRUE(f.prompts.records().empty());  // no message on success
}

TEST(TreeFile, RoundTripKeepsOrderLinksAndFields) {
    Fixture f;
    PersonItem* a = addPerson(f.store, "A", "One", 0, 0);
    PersonItem* b = addPerson(f.store, "B", "Two", 200, 0);
    PersonItem* c = addPerson(f.store, "C", "Three", 100, 150);
    PersonItem* alias = addPerson(f.store, "A", "One", 400, 0);
    c->Father = a;
    c->Mother = b;
    alias->Kind = "REF";
    alias->Father = a;
    a->Kind = "ALIAS";
    f.store.addMarriage(a, b);
    a->MarriageDate[1] = b->MarriageDate[1] = "5 May 1925";
    f.store.moveToFront(c);  // the home item need not be the first one made
    f.store.addToSelection(a);
    ASSERT_TRUE(saveToFile(f.store, f.path("rt.KL3"), f.prompts));  // case is ignored

    ASSERT_EQ(f.read(f.path("rt.KL3"), {640, 480}), ReadStatus::Ok);
    std::vector<std::string> names;
    for (PersonItem* p = f.store.firstItem(); p; p = p->Next) {
        names.push_back(p->FirstName.str());
        EXPECT_FALSE(p->Selected);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"C", "A", "B", "A"}));
    PersonItem* c2 = f.store.firstItem();
    PersonItem* a2 = c2->Next;
    PersonItem* b2 = a2->Next;
    PersonItem* alias2 = b2->Next;
    EXPECT_EQ(c2->Father, a2);
    EXPECT_EQ(c2->Mother, b2);
    EXPECT_EQ(alias2->Father, a2);
    EXPECT_EQ(alias2->Kind, "REF");
    EXPECT_EQ(a2->Spouse[1], b2);
    EXPECT_EQ(b2->Spouse[1], a2);
    EXPECT_EQ(b2->MarriageDate[1], "5 May 1925");
    EXPECT_EQ(f.store.lastId, 4);
    EXPECT_TRUE(f.store.selectionList().empty());
    EXPECT_EQ(f.view.offsetX, 320 - 100 - 70);
    EXPECT_EQ(f.view.offsetY, 240 - 150 - 32);
}

TEST(TreeFile, RefusesAWrongExtensionAndKeepsEmptyStoresEmpty) {
    Fixture f;
    addPerson(f.store, "A");
    for (const char* name : {"t.kl2", "t.ged", "kl3.txt"}) {
        f.store.modified = false;
        EXPECT_FALSE(saveToFile(f.store, f.path(name), f.prompts));
        EXPECT_TRUE(f.store.modified);
        EXPECT_FALSE(QFileInfo::exists(f.path(name)));
    }
    ASSERT_EQ(f.prompts.records().size(), 3u);
    EXPECT_EQ(f.prompts.records()[0].text, "Incorrect file type. Kinloom did not save the file.");
    EXPECT_EQ(f.prompts.records()[0].caption, kAppTitle);
    EXPECT_EQ(f.prompts.records()[0].icon, PromptIcon::Error);
    EXPECT_EQ(f.prompts.records()[0].buttons, PromptButtons::Ok);
    // Only the last three characters count.
    EXPECT_TRUE(saveToFile(f.store, f.path("nodotkl3"), f.prompts));

    // An empty store gives an empty file, which reads back as an empty document, view untouched.
    f.store.clearMemory();
    ASSERT_TRUE(saveToFile(f.store, f.path("empty.kl3"), f.prompts));
    EXPECT_EQ(QFileInfo(f.path("empty.kl3")).size(), 0);
    addPerson(f.store, "stale");
    ASSERT_EQ(f.read(f.path("empty.kl3")), ReadStatus::Ok);
    EXPECT_TRUE(f.store.empty());
    EXPECT_EQ(f.store.lastId, 0);
    EXPECT_EQ(f.view.offsetX, 11);
    EXPECT_EQ(f.view.offsetY, 22);
    EXPECT_EQ(f.prompts.records().size(), 3u);
}

// A file that is no tree, or one cut short whose records the user does not open, leaves the open
// tree, its Modified flag and the view exactly as they were; the box names the file and the reason.
TEST(TreeFile, FilesThatAreNoTreeOrCutShortLeaveTheOpenTreeAsItWas) {
    const Bytes three = join({Record(1, "a"), Record(2, "b"), Record(3, "c")});
    const auto with = [&three](size_t record, size_t offset, std::initializer_list<unsigned char> bytes) {
        Bytes out = three;
        std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(record * kTreeRecordSize + offset));
        return out;
    };
    const auto cut = [](Bytes bytes, size_t size) {
        bytes.resize(size, 0);
        return bytes;
    };
    Bytes text;
    for (const char c : std::string("0 HEAD\n1 SOUR notes, lists and letters\n"))
        text.push_back(static_cast<unsigned char>(c));
    while (text.size() < 2 * kTreeRecordSize) text.insert(text.end(), text.begin(), text.begin() + 40);
    text.resize(2 * kTreeRecordSize);
    const struct {
        const char* name;
        Bytes bytes;
        QString reason;  // the box's second line; "?" marks the question of a file cut short
    } cases[] = {
        {"a text file of two records' length", text, "is not a Kinloom tree file."},
        {"a first name of 101 bytes", with(2, r::FirstName, {101}), "is not a Kinloom tree file."},
        {"a sex of 2 bytes", with(0, r::Sex, {2, 'M', 'F'}), "is not a Kinloom tree file."},
        {"a kind of its own", with(1, r::Kind, {3, 'X', 'Y', 'Z'}), "is not a Kinloom tree file."},
        {"a kind in lower case", with(1, r::Kind, {3, 'r', 'e', 'f'}), "is not a Kinloom tree file."},
        {"the last marriage place too long", with(2, r::marriagePlaceAt(8), {101}), "is not a Kinloom tree file."},
        {"the spare reference too long", with(0, r::SpareRef, {21}), "is not a Kinloom tree file."},
        {"cut short inside a text's length", cut(three, 3 * kTreeRecordSize + r::Sex + 1), "?3"},
        {"cut short with a bad length in the piece", cut(with(2, r::Sex, {9}), 2 * kTreeRecordSize + 300),
         "is not a Kinloom tree file."},
        {"cut short before the first record ends", cut(Record(1, "a"), 2000), "is not a Kinloom tree file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        ASSERT_TRUE(writeBytes(f.path("bad.kl3"), c.bytes));
        PersonItem* before = addPerson(f.store, "before");
        f.store.modified = true;
        f.store.currentItem = before;
        if (c.reason.startsWith('?')) f.prompts.answerButton(PromptAnswer::No);
        EXPECT_EQ(f.read(f.path("bad.kl3")), ReadStatus::NotRecognized);
        ASSERT_EQ(f.store.itemCount(), 1);
        EXPECT_EQ(f.store.firstItem(), before);
        EXPECT_EQ(f.store.currentItem, before);
        EXPECT_TRUE(f.store.modified);
        EXPECT_EQ(f.view.zoom, 150.0);
        EXPECT_EQ(f.view.offsetX, 11);
        ASSERT_EQ(f.prompts.records().size(), 1u);
        const auto& box = f.prompts.records()[0];
        if (c.reason.startsWith('?')) {
            const QString n = c.reason.mid(1);
            EXPECT_EQ(box.text, f.path("bad.kl3") + " is cut short after record " + n + ".\n\nOnly " + n +
                                    " of its items could be read. Open them?");
            EXPECT_EQ(box.buttons, PromptButtons::YesNo);
        } else {
            EXPECT_EQ(box.text, "Error: Kinloom did not recognize the file\n" + f.path("bad.kl3") + " " + c.reason);
            EXPECT_EQ(box.buttons, PromptButtons::Ok);
            EXPECT_EQ(box.icon, PromptIcon::Error);
        }
    }
    // A missing file: the system's message, and the tree stays.
    Fixture f;
    addPerson(f.store, "before");
    EXPECT_EQ(f.read(f.path("missing.kl3")), ReadStatus::IoError);
    EXPECT_EQ(f.store.itemCount(), 1);
    ASSERT_EQ(f.prompts.messageTexts().size(), 1u);
    EXPECT_TRUE(f.prompts.messageTexts().back().contains("missing.kl3"));
}

// Yes to the question of a file cut short: its whole records replace the tree; batch commands
// refuse such a file outright.
TEST(TreeFile, TheWholeRecordsOfAFileCutShortOpenOnYes) {
    Bytes child = Record(3, "Child");
    putInt32(child, r::FatherId, 1);
    putInt32(child, r::MotherId, 4);  // in the lost part
    Bytes bytes = join({Record(1, "Father"), Record(2, "x"), child, Record(4, "Mother")});
    bytes.resize(3 * kTreeRecordSize + 1234);
    Fixture f;
    ASSERT_TRUE(writeBytes(f.path("copy.kl3"), bytes));
    addPerson(f.store, "before");
    f.prompts.answerButton(PromptAnswer::Yes);
    EXPECT_EQ(f.read(f.path("copy.kl3")), ReadStatus::PartlyRead);
    ASSERT_EQ(f.store.itemCount(), 3);
    EXPECT_EQ(f.store.firstItem()->FirstName, "Father");
    EXPECT_EQ(f.store.lastItem()->Father, f.store.firstItem());
    EXPECT_EQ(f.store.lastItem()->Mother, nullptr);
    EXPECT_EQ(f.store.lastId, 3);
    EXPECT_EQ(f.view.zoom, 100.0);
    EXPECT_EQ(f.prompts.messageTexts(),
              std::vector<QString>{f.path("copy.kl3") +
                                   " is cut short after record 3.\n\nOnly 3 of its items could be read. Open them?"});

    Fixture g;
    addPerson(g.store, "before");
    EXPECT_EQ(readFromFile(g.store, f.path("copy.kl3"), g.view, {800, 600}, g.prompts, CutShortFiles::Refuse),
              ReadStatus::NotRecognized);
    EXPECT_EQ(g.store.itemCount(), 1);
    EXPECT_EQ(g.prompts.messageTexts(),
              std::vector<QString>{"Error: Kinloom did not recognize the file\n" + f.path("copy.kl3") +
                                   " is cut short after record 3."});
}

TEST(TreeFile, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    Fixture f;
    addPerson(f.store, "A");
    // A folder in the way: the records are written, but the rename over the target fails.
    ASSERT_TRUE(QDir(f.dir.path()).mkdir("taken.kl3"));
    ASSERT_TRUE(writeBytes(f.path("taken.kl3/keep.txt"), {'k'}));
    EXPECT_FALSE(saveToFile(f.store, f.path("taken.kl3"), f.prompts));
    EXPECT_TRUE(QFileInfo(f.path("taken.kl3")).isDir());
    EXPECT_EQ(readBytes(f.path("taken.kl3/keep.txt")), Bytes{'k'});
    // A folder that does not exist.
    EXPECT_FALSE(saveToFile(f.store, f.path("nowhere/t.kl3"), f.prompts));
    ASSERT_EQ(f.prompts.messageTexts().size(), 2u);
    EXPECT_TRUE(f.prompts.messageTexts()[0].startsWith("Kinloom could not save the file"));
    EXPECT_EQ(f.prompts.records()[0].icon, PromptIcon::Error);
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"taken.kl3"});

    // Saving over an existing tree replaces it whole.
    const Bytes old = join({Record(1, "x"), Record(2, "y")});
    ASSERT_TRUE(writeBytes(f.path("tree.kl3"), old));
    ASSERT_TRUE(saveToFile(f.store, f.path("tree.kl3"), f.prompts));
    EXPECT_EQ(readBytes(f.path("tree.kl3")).size(), static_cast<size_t>(kTreeRecordSize));
}

TEST(TreeFile, ADiskThatFillsUpHalfWayCostsNothing) {
    Fixture f;
    for (int i = 0; i < 100; ++i) addPerson(f.store, "P" + std::to_string(i));
    const Bytes old = join({Record(1, "old")});
    ASSERT_TRUE(writeBytes(f.path("tree.kl3"), old));

    // Files may grow to 100,000 bytes only: the save fails part way through its 256,000 bytes,
    // as it would on a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = saveToFile(f.store, f.path("tree.kl3"), f.prompts);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readBytes(f.path("tree.kl3")), old);
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"tree.kl3"});
    ASSERT_EQ(f.prompts.messageTexts().size(), 1u);
    EXPECT_TRUE(f.prompts.messageTexts()[0].startsWith("Kinloom could not save the file"));
}
