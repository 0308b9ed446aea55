#include "gedcom/export_lines.h"
#include "gedcom/gedcom_commands.h"
#include "gedcom/gedcom_export.h"
#include "support/gedcom_fixture.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

using test::addPerson;
using test::lines;

const QDate kDate(2024, 3, 7);
const QTime kTime(9, 5);

void relate(ItemStore& s, PersonItem* a, PersonItem* b, const std::string& date, const std::string& place, char type) {
    ASSERT_EQ(s.addMarriage(a, b), 1);
    for (const auto& [item, slot] : {std::pair{a, s.marriageSlot[1]}, std::pair{b, s.marriageSlot[2]}}) {
        item->MarriageDate[slot] = date;
        item->MarriagePlace[slot] = place;
        item->SpouseType[slot] = type;
    }
}

void writeText(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

std::string exportFile(ItemStore& store, const QString& name, const GedcomNotesSource& notes = {},
                       GedcomExportCounts* counts = nullptr) {
    EXPECT_TRUE(writeGedcomFile(store, name, kDate, kTime, nullptr, counts, notes));
    const auto bytes = test::readBytes(name);
    return std::string(bytes.begin(), bytes.end());
}

// Every field of every person filled, each relationship type once: exported and read back, the tree
// is the same but for the notes file names (their text is in the file).
TEST(GedcomExportFields, EveryFieldComesBack) {
    test::GedcomFixture f;
    const QString folder = f.dir.path();
    writeText(QDir(folder).filePath("ola.txt"), "Farmer at Nordgard.\r\nMoved to Oslo in 1921.\r\n");
    ItemStore store;
    std::vector<PersonItem*> people;
    const char* const sexes[] = {"M", "F", "M", "F", "M", "", "F", "F", "M", "M", "", "F", "M", "F"};
    for (int i = 0; i < 14; ++i) {
        const std::string n = std::to_string(i + 1);
        PersonItem* p = addPerson(store, "Given" + n + " Second", "Surname" + n);
        p->Sex = sexes[i];
        p->BornDate = "ABT 12 DEC 18" + std::string(i < 10 ? "0" : "") + n;
        p->BornPlace = std::string(100 - n.size(), 'b') + n;  // a place is 100 bytes long
        p->BaptizedDate = "BEF 1 JAN 1900 AND AFTER 2 FEB 18" + n;
        p->BaptizedPlace = "Oslo domkirke " + n;
        p->DiedDate = "1970";
        p->DiedPlace = "Bergen, Hordaland, Norway";
        p->Occupation = "Farmer and fisher " + n;
        p->Source = "Church book of Oslo, page " + n;
        p->PictureFile = "pics/person" + n + (i % 2 ? ".JPEG" : ".gif");
        p->PictureText = "Taken at the farm, summer 19" + n;
        p->NotesFile = "ola.txt";
        people.push_back(p);
    }
    // Each type once, with the fields at their full length: a 35-byte date and a 100-byte place.
    const char types[] = {'M', 'D', 'P', 'F', 'S', 'O', 'U'};
    for (int t = 0; t < 7; ++t) {
        const std::string date = (std::string("ABT 12 JAN 19") + std::to_string(10 + t) + " OR 2 FEB 1935 LATER").substr(0, 35);
        relate(store, people[2 * t], people[2 * t + 1], date, std::string(99, 'p') + types[t], types[t]);
    }
    for (int i = 2; i < 14; ++i) {
        people[i]->Father = people[0];
        people[i]->Mother = people[1];
    }
    const std::string text = exportFile(store, QDir(folder).filePath("all.ged"), {folder, DisplayCharset()});
    EXPECT_NE(text.find("1 NOTE Farmer at Nordgard.\r\n2 CONT Moved to Oslo in 1921.\r\n2 CONT\r\n1 FAMS"),
              std::string::npos);

    ASSERT_TRUE(readGedcomFile(f.store, QDir(folder).filePath("all.ged"), f.user, f.prompts).ok);
    EXPECT_TRUE(f.prompts.records().empty());
    ASSERT_EQ(f.store.itemCount(), 14);
    for (PersonItem *a = store.firstItem(), *b = f.store.firstItem(); a; a = a->Next, b = b->Next) {
        SCOPED_TRACE(a->FirstName.str());
        EXPECT_EQ(a->Id, b->Id);
        EXPECT_EQ(a->FirstName, b->FirstName);
        EXPECT_EQ(a->LastName, b->LastName);
        EXPECT_EQ(a->Sex, b->Sex);
        EXPECT_EQ(a->BornDate, b->BornDate);
        EXPECT_EQ(a->BornPlace, b->BornPlace);
        EXPECT_EQ(a->BaptizedDate, b->BaptizedDate);
        EXPECT_EQ(a->BaptizedPlace, b->BaptizedPlace);
        EXPECT_EQ(a->DiedDate, b->DiedDate);
        EXPECT_EQ(a->DiedPlace, b->DiedPlace);
        EXPECT_EQ(a->Occupation, b->Occupation);
        EXPECT_EQ(a->Source, b->Source);
        EXPECT_EQ(a->PictureFile, b->PictureFile);
        EXPECT_EQ(a->PictureText, b->PictureText);
        EXPECT_EQ(b->NotesFile.str(), "");
        EXPECT_EQ(a->Father ? a->Father->Id : 0, b->Father ? b->Father->Id : 0);
        EXPECT_EQ(a->Mother ? a->Mother->Id : 0, b->Mother ? b->Mother->Id : 0);
        for (int i = 1; i <= kMaxSpouses; ++i) {
            EXPECT_EQ(a->Spouse[i] ? a->Spouse[i]->Id : 0, b->Spouse[i] ? b->Spouse[i]->Id : 0) << i;
            EXPECT_EQ(a->MarriageDate[i], b->MarriageDate[i]) << i;
            EXPECT_EQ(a->MarriagePlace[i], b->MarriagePlace[i]) << i;
            EXPECT_EQ(a->SpouseType[i], b->SpouseType[i]) << i;
        }
    }
}

// Each relationship type gives its own family lines, and the import reads the type back into both
// spouse slots.
TEST(GedcomExportFields, RelationshipTypesAreWrittenAndReadBack) {
    const struct {
        char type;
        const char* date;
        const char* lines;
    } cases[] = {
        {'M', "1925", "1 MARR\r\n2 DATE 1925\r\n2 PLAC Moss\r\n"},
        {'M', "", "1 MARR\r\n2 PLAC Moss\r\n"},
        {'D', "1925", "1 MARR\r\n2 DATE 1925\r\n2 PLAC Moss\r\n1 DIV\r\n"},
        {'P', "1925", "1 EVEN\r\n2 TYPE Partnership\r\n2 DATE 1925\r\n2 PLAC Moss\r\n"},
        {'F', "", "1 EVEN\r\n2 TYPE Friend\r\n2 PLAC Moss\r\n"},
        {'S', "1925", "1 EVEN\r\n2 TYPE Single\r\n2 DATE 1925\r\n2 PLAC Moss\r\n"},
        {'O', "1925", "1 EVEN\r\n2 TYPE Other\r\n2 DATE 1925\r\n2 PLAC Moss\r\n"},
        {'U', "1925", "1 EVEN\r\n2 TYPE Unknown\r\n2 DATE 1925\r\n2 PLAC Moss\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.type) + c.date);
        ItemStore store;
        PersonItem* h = addPerson(store, "H");
        PersonItem* w = addPerson(store, "W");
        h->Sex = "M";
        w->Sex = "F";
        relate(store, w, h, c.date, "Moss", c.type);
        test::GedcomFixture f;
        const std::string text = exportFile(store, QDir(f.dir.path()).filePath("t.ged"));
        EXPECT_NE(text.find("0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n" + std::string(c.lines) + "0 TRLR\r\n"),
                  std::string::npos)
            << text;
        ASSERT_TRUE(f.read(text).ok);
        EXPECT_EQ(f.item(0)->Spouse[1], f.item(1));
        EXPECT_EQ(f.item(0)->Spouse[2], nullptr);
        EXPECT_EQ(f.item(0)->SpouseType[1], c.type);
        EXPECT_EQ(f.item(1)->SpouseType[1], c.type);
        EXPECT_EQ(f.item(1)->MarriageDate[1].str(), c.date);
        EXPECT_EQ(f.item(1)->MarriagePlace[1].str(), "Moss");
    }
    // A divorce without date or place is the divorce line alone.
    ItemStore store;
    PersonItem* h = addPerson(store, "H");
    PersonItem* w = addPerson(store, "W");
    relate(store, h, w, "", "", 'D');
    test::GedcomFixture f;
    EXPECT_NE(exportFile(store, QDir(f.dir.path()).filePath("d.ged")).find("1 WIFE @I2@\r\n1 DIV\r\n0 TRLR"),
              std::string::npos);
}

TEST(GedcomExportFields, PictureIsAnObjectWithFileFormatAndTitle) {
    const struct {
        const char* file;
        const char* text;
        const char* lines;
    } cases[] = {
        {"pics/ola.jpg", "Ola in 1920", "1 OBJE\r\n2 FILE pics/ola.jpg\r\n2 FORM jpg\r\n2 TITL Ola in 1920\r\n"},
        {"C:\\Slekt\\OLA.JPEG", "", "1 OBJE\r\n2 FILE C:\\Slekt\\OLA.JPEG\r\n2 FORM jpg\r\n"},
        {"scan.TIFF", "", "1 OBJE\r\n2 FILE scan.TIFF\r\n2 FORM tif\r\n"},
        {"C:\\pics.old\\ola", "", "1 OBJE\r\n2 FILE C:\\pics.old\\ola\r\n"},  // no extension, no format
        {"ola.", "", "1 OBJE\r\n2 FILE ola.\r\n"},
        {"", "A description alone", "1 OBJE\r\n2 TITL A description alone\r\n"},
    };
    for (const auto& c : cases) {
        ItemStore store;
        PersonItem* ola = addPerson(store, "Ola");
        ola->PictureFile = c.file;
        ola->PictureText = c.text;
        test::GedcomFixture f;
        const std::string text = exportFile(store, QDir(f.dir.path()).filePath("p.ged"));
        EXPECT_NE(text.find("1 SEX \r\n" + std::string(c.lines) + "0 TRLR"), std::string::npos) << text;
    }
}

TEST(GedcomExportFields, NotesAreReadAsThePersonDialogReadsThem) {
    test::GedcomFixture f;
    const QDir folder(f.dir.path());
    ASSERT_TRUE(folder.mkpath("notes"));
    // Windows-1252 bytes, shown as text by the person dialog, are written as UTF-8.
    writeText(folder.filePath("notes/kari.txt"), "Gift p\xE5 \xC6rlig g\xE5rd\r\n\r\nSee also Per.");
    const std::string longLine = std::string(248, 'x') + " " + std::string(300, 'y');
    writeText(folder.filePath("long.txt"), QByteArray::fromStdString(longLine));
    writeText(folder.filePath("empty.txt"), "");
    ItemStore store;
    PersonItem* kari = addPerson(store, "Kari");
    kari->NotesFile = "NOTES\\Kari.txt";  // as a tree made on Windows names it
    PersonItem* lang = addPerson(store, "Lang");
    lang->NotesFile = folder.filePath("long.txt").toStdString();  // absolute
    addPerson(store, "Empty")->NotesFile = "empty.txt";
    addPerson(store, "Missing")->NotesFile = "missing.txt";
    addPerson(store, "Folder")->NotesFile = "notes";

    GedcomExportCounts counts;
    const std::string text = exportFile(store, folder.filePath("n.ged"), {folder.path(), DisplayCharset()}, &counts);
    EXPECT_EQ(counts.unreadableNotes, 2);  // the missing file and the folder
    EXPECT_EQ(text.substr(text.find("1 CHAR ")), "1 CHAR UTF-8\r\n"
              "0 @I1@ INDI\r\n1 NAME Kari//\r\n2 GIVN Kari\r\n2 SURN \r\n1 SEX \r\n"
              "1 NOTE Gift p\xC3\xA5 \xC3\x86rlig g\xC3\xA5rd\r\n2 CONT\r\n2 CONT See also Per.\r\n"
              "0 @I2@ INDI\r\n1 NAME Lang//\r\n2 GIVN Lang\r\n2 SURN \r\n1 SEX \r\n"
              // The long line goes on in CONC lines of at most 255 bytes, split beside no blank.
              "1 NOTE " + std::string(247, 'x') + "\r\n2 CONC x " + std::string(246, 'y') + "\r\n2 CONC " +
              std::string(54, 'y') + "\r\n"
              "0 @I3@ INDI\r\n1 NAME Empty//\r\n2 GIVN Empty\r\n2 SURN \r\n1 SEX \r\n"
              "0 @I4@ INDI\r\n1 NAME Missing//\r\n2 GIVN Missing\r\n2 SURN \r\n1 SEX \r\n"
              "0 @I5@ INDI\r\n1 NAME Folder//\r\n2 GIVN Folder\r\n2 SURN \r\n1 SEX \r\n0 TRLR\r\n");
    EXPECT_EQ(gedcomExportStatus(counts, "/t/n.ged"),
              "GEDCOM export: 5 persons and 0 families written to /t/n.ged (2 notes files could not be read)");
    EXPECT_EQ(gedcomExportStatus({1, 2, 1}, "/t/a.ged"),
              "GEDCOM export: 1 person and 2 families written to /t/a.ged (1 notes file could not be read)");

    // Texts of the tree in Windows-1252 make the file ANSI: the notes are written in the same set.
    kari->LastName = "M\xFCller";
    const std::string ansi = exportFile(store, folder.filePath("a.ged"), {folder.path(), DisplayCharset()});
    EXPECT_NE(ansi.find("1 CHAR ANSI\r\n"), std::string::npos);
    EXPECT_NE(ansi.find("1 NOTE Gift p\xE5 \xC6rlig g\xE5rd\r\n"), std::string::npos);

    // Notes that the reader is shown in Greek are read in Greek.
    writeText(folder.filePath("notes/kari.txt"), "\xE1\xE2");
    kari->LastName = "";
    const std::string greek = exportFile(store, folder.filePath("g.ged"), {folder.path(), DisplayCharset(6)});
    EXPECT_NE(greek.find("1 NOTE \xCE\xB1\xCE\xB2\r\n"), std::string::npos);
}

TEST(GedcomExportFields, LongLinesSplitNeitherInACharacterNorBesideABlank) {
    // A line of 300 two-byte characters after one letter: each piece ends on a whole character.
    std::string value = "a";
    for (int i = 0; i < 300; ++i) value += "\xC3\xB8";
    std::string out;
    appendGedcomLine(out, "1 NOTE ", value);
    EXPECT_EQ(out, "1 NOTE " + value.substr(0, 247) + "\r\n2 CONC " + value.substr(247, 248) + "\r\n2 CONC " +
                       value.substr(495) + "\r\n");
    // Nothing but blanks cannot be split beside no blank; it is split at the limit.
    out.clear();
    appendGedcomLine(out, "1 NOTE ", std::string(300, ' '));
    EXPECT_EQ(out, "1 NOTE " + std::string(248, ' ') + "\r\n2 CONC " + std::string(52, ' ') + "\r\n");
}

}  // namespace
}  // namespace kinloom
