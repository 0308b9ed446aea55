#include "editor/person_save.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

using test::addPerson;

PersonFormValues valuesOf(const PersonItem& p, const DisplayCharset& cs) {
    PersonFormValues v;
    v.firstName = cs.decode(p.FirstName);
    v.lastName = cs.decode(p.LastName);
    v.pictureFile = cs.decode(p.PictureFile);
    v.pictureText = cs.decode(p.PictureText);
    v.notesFile = cs.decode(p.NotesFile);
    v.spouses = spouseGridRows(p, cs);
    return v;
}

TEST(PersonSave, NotesFileProposals) {
    EXPECT_EQ(proposeNotesFileName("Anne-Marie", "O'Neil"), "Anne_Marie O_Neil.txt");
    EXPECT_EQ(proposeNotesFileName("J. R.", "(Jr)"), "J_ R_ _Jr.txt");
    EXPECT_EQ(proposeNotesFileName("", ""), "Person.txt");
    EXPECT_EQ(proposeNotesFileName("Ola 2nd", ""), "Ola _nd.txt");
    EXPECT_EQ(proposeNotesFileName("Åse", "Bø"), "Åse Bø.txt");
}

TEST(PersonSave, FieldsSexAndPictureText) {
    ItemStore store;
    DisplayCharset cs;
    PersonItem* p = addPerson(store, "Ola", "Nordmann");
    p->PictureText = "old description";
    p->BaptizedDate = "1 Jan 1900";
    p->Sex = "U";  // as GEDCOM "SEX U" stores it
    store.modified = false;
    PersonItem copy = *p;
    ScriptedPrompts prompts;
    PersonFormValues v = valuesOf(copy, cs);
    v.firstName = "Ola Johan";
    v.bornDate = "12 Jan 1900";
    v.diedPlace = "Oslo";
    v.pictureText = "typed, but no picture";
    v.occupation = QString(150, 'x');
    v.gender = Gender::Unknown;
    ASSERT_TRUE(savePersonForm(store, copy, *p, v, prompts, cs));
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(copy.FirstName, "Ola Johan");
    EXPECT_EQ(copy.BornDate, "12 Jan 1900");
    EXPECT_EQ(copy.DiedPlace, "Oslo");
    EXPECT_EQ(copy.PictureText, "");  // a description is kept only with a picture
    EXPECT_EQ(copy.Occupation.length(), 100);
    EXPECT_EQ(copy.Sex, "U");  // unknown stays as it was
    EXPECT_EQ(copy.BaptizedDate, "1 Jan 1900");
    EXPECT_EQ(p->FirstName, "Ola");  // the real item changes only at the commit
    v.pictureFile = "/pictures/ola.jpg";
    v.gender = Gender::Female;
    ASSERT_TRUE(savePersonForm(store, copy, *p, v, prompts, cs));
    EXPECT_EQ(copy.PictureText, "typed, but no picture");
    EXPECT_EQ(copy.Sex, "F");
    EXPECT_TRUE(prompts.records().empty());
}

TEST(PersonSave, RelationshipsOnBothSides) {
    ItemStore store;
    DisplayCharset cs;
    ScriptedPrompts prompts;
    PersonItem* p = addPerson(store, "Per", "A");
    PersonItem* s = addPerson(store, "Siri", "B");
    PersonItem* t = addPerson(store, "Tove", "C");
    store.addMarriage(p, s);           // p1 <-> s1, both plain
    store.addMarriage(p, t);           // p2 <-> t1
    store.addMarriage(p, t);           // p3 <-> t2: married twice
    t->MarriagePlace[1] = "Oslo";      // neither of t's slots matches p's slot 3 now
    t->MarriagePlace[2] = "Bergen";
    PersonItem copy = *p;
    PersonFormValues v = valuesOf(copy, cs);
    ASSERT_EQ(v.spouses.size(), 3u);
    EXPECT_EQ(v.spouses[0].spouse, "Siri B");
    EXPECT_EQ(v.spouses[0].type, "M");
    v.spouses[0].date = "1 May 1950";
    v.spouses[0].type = "D";
    v.spouses[2].place = "Trondheim";
    ASSERT_TRUE(savePersonForm(store, copy, *p, v, prompts, cs));
    EXPECT_EQ(s->MarriageDate[1], "1 May 1950");  // the spouse is changed at once
    EXPECT_EQ(s->SpouseType[1], 'D');
    EXPECT_EQ(copy.MarriageDate[1], "1 May 1950");
    EXPECT_EQ(p->MarriageDate[1], "");             // the real item waits for the commit
    EXPECT_EQ(copy.MarriagePlace[3], "Trondheim");
    EXPECT_EQ(t->MarriagePlace[1], "Oslo");
    EXPECT_EQ(t->MarriagePlace[2], "Bergen");
    // Slot 2 of the copy and t's slots differ too, so the message comes for both of t's rows.
    const auto texts = prompts.messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Relationship could not be updated on both sides because date or place did not match");
}

TEST(PersonSave, AliasPropagationReachesOnlyTheFirstAlias) {
    ItemStore store;
    DisplayCharset cs;
    ScriptedPrompts prompts;
    PersonItem* o = addPerson(store, "Old", "Name");
    o->Kind = "ALIAS";
    PersonItem* a1 = addPerson(store, "Old", "Name");
    a1->Kind = "REF";
    a1->Father = o;
    PersonItem* a2 = addPerson(store, "Old", "Name");
    a2->Kind = "REF";
    a2->Father = o;
    PersonItem copy = *o;
    PersonFormValues v = valuesOf(copy, cs);
    v.firstName = "New";
    v.bornDate = "1800";
    ASSERT_TRUE(savePersonForm(store, copy, *o, v, prompts, cs));
    EXPECT_EQ(a1->FirstName, "New");
    EXPECT_EQ(a1->BornDate, "1800");
    EXPECT_EQ(a1->Sex, "M");
    EXPECT_EQ(a2->FirstName, "Old");
}

TEST(PersonSave, NotesFileRules) {
    QTemporaryDir dir;
    ItemStore store;
    DisplayCharset cs;
    PersonItem* p = addPerson(store, "Ola");
    // A missing notes file is created.
    {
        ScriptedPrompts prompts;
        PersonItem copy = *p;
        PersonFormValues v = valuesOf(copy, cs);
        v.notesFile = dir.filePath("ola.txt");
        v.notesText = "line 1\nline 2";
        v.notesChanged = true;
        ASSERT_TRUE(savePersonForm(store, copy, *p, v, prompts, cs));
        EXPECT_EQ(readNotesFile(dir.filePath("ola.txt"), cs), QString("line 1\nline 2"));
        EXPECT_EQ(test::readBytes(dir.filePath("ola.txt")).size(), 14u);  // CR LF line ends
        EXPECT_TRUE(prompts.records().empty());
    }
    // A file that exists but could not be read when the dialog opened is left as it is.
    {
        ScriptedPrompts prompts;
        const QString unreadable = dir.filePath("notes-dir.txt");
        ASSERT_TRUE(QDir().mkdir(unreadable));
        EXPECT_TRUE(notesFileUnreadable(unreadable));
        EXPECT_FALSE(notesFileUnreadable(dir.filePath("ola.txt")));
        EXPECT_FALSE(notesFileUnreadable(dir.filePath("missing.txt")));
        PersonItem copy = *p;
        PersonFormValues v = valuesOf(copy, cs);
        v.notesFile = unreadable;
        v.notesUnreadable = true;
        ASSERT_TRUE(savePersonForm(store, copy, *p, v, prompts, cs));
        ASSERT_EQ(prompts.messageTexts().size(), 1u);
        EXPECT_EQ(prompts.messageTexts()[0],
                  "The memo text file \"" + unreadable + "\" could not be read, so it was left unchanged.");
        EXPECT_EQ(copy.NotesFile, unreadable.toStdString());
        EXPECT_TRUE(QFileInfo(unreadable).isDir());
    }
    // A save that fails warns and offers another place.
    {
        ScriptedPrompts prompts;
        prompts.answerButton(PromptAnswer::Ok);
        prompts.answerText(dir.filePath("elsewhere.txt"));
        PersonItem copy = *p;
        PersonFormValues v = valuesOf(copy, cs);
        const QString bad = dir.filePath("no/such/folder/ola.txt");
        v.notesFile = bad;
        v.notesText = "kept";
        v.notesChanged = true;
        ASSERT_TRUE(savePersonForm(store, copy, *p, v, prompts, cs));
        ASSERT_GE(prompts.records().size(), 2u);
        EXPECT_EQ(prompts.records()[0].text,
                  "The memo text file \"" + bad + "\" could not be saved. Please choose a new location.");
        EXPECT_EQ(prompts.records()[1].kind, "save");
        EXPECT_EQ(prompts.records()[1].caption, "Create new text file");
        EXPECT_EQ(prompts.records()[1].file.fileName, "ola.txt");
        EXPECT_EQ(copy.NotesFile, dir.filePath("elsewhere.txt").toStdString());
        EXPECT_EQ(readNotesFile(dir.filePath("elsewhere.txt"), cs), QString("kept"));
    }
    // When the second place fails too, the rest of the saving is skipped.
    {
        ScriptedPrompts prompts;
        prompts.answerButton(PromptAnswer::Ok);
        prompts.answerText(dir.filePath("no/such/other.txt"));
        PersonItem copy = *p;
        PersonFormValues v = valuesOf(copy, cs);
        v.notesFile = dir.filePath("no/such/folder/ola.txt");
        v.notesChanged = true;
        v.firstName = "Changed";
        EXPECT_FALSE(savePersonForm(store, copy, *p, v, prompts, cs));
        EXPECT_EQ(copy.FirstName, "Ola");
        EXPECT_EQ(prompts.records().back().icon, PromptIcon::Error);
    }
}

}  // namespace
}  // namespace kinloom
