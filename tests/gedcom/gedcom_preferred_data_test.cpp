// Where a file says a thing twice (two names, two births, two families of one child), the first
// statement is the author's preferred one and is what the item gets.
#include "support/gedcom_fixture.h"

#include <gtest/gtest.h>

namespace kinloom {
namespace {

using test::GedcomFixture;
using test::lines;

TEST(GedcomPreferredData, FirstNameThatGivesANameWins) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({
        "0 @I1@ INDI", "1 NAME Mary Geneva /Doud/", "2 GIVN Mary Geneva", "1 NAME Mamie //", "2 TYPE aka",
        "0 @I2@ INDI", "1 NAME Anna /Berg/", "2 TYPE birth", "1 NAME Anna /Lie/", "2 TYPE married",
        "0 @I3@ INDI", "1 NAME Ola /Dahl/", "1 NAME",                  // an empty trailing NAME
        "0 @I4@ INDI", "1 NAME", "1 NAME //", "1 NAME Kari /Moe/",     // empty names give none
        "0 @I5@ INDI", "1 NAME /Liu/ Qin", "1 NAME Qin Liu",           // surname first
        "0 @I6@ INDI", "1 NAME /Kamakau/ Samuel Manaiakalani",
        "0 @I7@ INDI", "1 NAME /Smith/", "1 NAME John /Smith/",        // a surname is a name too
        "0 @I8@ INDI", "1 NAME John /Smith/ Jr",
        "0 @I9@ INDI", "1 NAME /Liu Qin",                              // no closing slash
        "0 TRLR"})).ok);
    const struct { int index; const char* first; const char* last; } expected[] = {
        {0, "Mary Geneva", "Doud"}, {1, "Anna", "Berg"}, {2, "Ola", "Dahl"}, {3, "Kari", "Moe"},
        {4, "Qin", "Liu"}, {5, "Samuel Manaiakalani", "Kamakau"}, {6, "", "Smith"}, {7, "John", "Smith Jr"},
        {8, "", "Liu Qin"}};
    ASSERT_EQ(f.store.itemCount(), 9);
    for (const auto& e : expected) {
        EXPECT_EQ(f.item(e.index)->FirstName.str(), e.first) << e.index;
        EXPECT_EQ(f.item(e.index)->LastName.str(), e.last) << e.index;
    }
}

TEST(GedcomPreferredData, FirstBirthDeathAndBaptismWin) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({
        "0 @I1@ INDI", "1 BIRT", "2 DATE 1 JAN 1900", "2 PLAC Oslo", "1 BIRT", "2 DATE ABT 1901", "2 PLAC Moss",
        "1 DEAT", "2 DATE 1970", "1 DEAT Y", "2 DATE 1971", "2 PLAC Bergen",
        "1 BAPM", "2 PLAC Oslo domkirke", "1 OCCU Farmer", "1 BAPM", "2 DATE 7 JAN 1900",
        "0 @I2@ INDI", "1 BIRT", "1 BIRT", "2 DATE 1850",  // the first birth says nothing: nor does the item
        "0 @I3@ INDI", "1 BIRT", "2 DATE 1800", "1 DEAT", "2 DATE 1880",  // a new individual starts afresh
        "0 TRLR"})).ok);
    PersonItem* a = f.item(0);
    EXPECT_EQ(a->BornDate.str(), "1 JAN 1900");
    EXPECT_EQ(a->BornPlace.str(), "Oslo");
    EXPECT_EQ(a->DiedDate.str(), "1970");
    EXPECT_EQ(a->DiedPlace.str(), "");  // the second death's place belongs to that event
    EXPECT_EQ(a->BaptizedDate.str(), "");
    EXPECT_EQ(a->BaptizedPlace.str(), "Oslo domkirke");
    EXPECT_EQ(a->Occupation.str(), "Farmer");
    EXPECT_EQ(f.item(1)->BornDate.str(), "");
    EXPECT_EQ(f.item(2)->BornDate.str(), "1800");
    EXPECT_EQ(f.item(2)->DiedDate.str(), "1880");
}

TEST(GedcomPreferredData, ChildTakesBothParentsFromItsFirstFamily) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({
        "0 @I1@ INDI", "1 NAME Father //", "0 @I2@ INDI", "1 NAME Mother //", "0 @I3@ INDI", "1 NAME Step //",
        "0 @I4@ INDI", "1 NAME Kid //", "0 @I5@ INDI", "1 NAME Adopted //", "0 @I6@ INDI", "1 NAME Late //",
        // Birth family; then a stepfamily naming the kid before and after its parents.
        "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I4@", "1 CHIL @I6@",
        "0 @F2@ FAM", "1 CHIL @I5@", "1 CHIL @I4@", "1 HUSB @I3@", "1 WIFE @I2@", "1 CHIL @I4@",
        // A family with only a mother names the late child again; an adoptive father comes last.
        "0 @F3@ FAM", "1 WIFE @I2@", "1 CHIL @I6@", "0 @F4@ FAM", "1 CHIL @I6@", "1 HUSB @I3@",
        "0 TRLR"})).ok);
    PersonItem* father = f.item(0);
    PersonItem* mother = f.item(1);
    PersonItem* step = f.item(2);
    EXPECT_EQ(f.item(3)->Father, father);
    EXPECT_EQ(f.item(3)->Mother, mother);
    EXPECT_EQ(f.item(5)->Father, father);
    EXPECT_EQ(f.item(5)->Mother, mother);
    // Inside its first family the order of lines works as ever: CHIL before HUSB and WIFE links
    // only the last child listed, and that was the kid of the first family.
    EXPECT_EQ(f.item(4)->Father, nullptr);
    EXPECT_EQ(f.item(4)->Mother, nullptr);
    // The marriages are made all the same.
    EXPECT_EQ(mother->Spouse[1], father);
    EXPECT_EQ(mother->Spouse[2], step);
}

}  // namespace
}  // namespace kinloom
