#include "gedcom/gedcom_reader.h"
#include "support/gedcom_fixture.h"

#include <gtest/gtest.h>

namespace kinloom {
namespace {

using test::GedcomFixture;

// CONC goes on without a separator, CONT with a blank, or with a line break in the picture
// description; continuation lines of values that are not kept change nothing.
TEST(GedcomContinuation, ValuesAreJoined) {
    const struct {
        std::vector<std::string> lines;  // after "0 @I1@ INDI"
        const char* field;
        std::string expected;
    } cases[] = {
        {{"1 NAME Ola Jo", "2 CONC han /Nord", "2 CONC mann/"}, "given", "Ola Johan"},
        {{"1 NAME Ola Jo", "2 CONC han /Nord", "2 CONC mann/"}, "surname", "Nordmann"},
        {{"1 NAME Ola", "2 CONT Johan /Nordmann/"}, "given", "Ola Johan"},
        {{"1 OCCU Farmer and", "2 CONT fisher"}, "occupation", "Farmer and fisher"},
        // Blanks at the ends of a piece are part of the value when a CONC follows.
        {{"1 SOUR Church book ", "2 CONC of Oslo,", "2 CONC  page 12"}, "source", "Church book of Oslo, page 12"},
        {{"1 SOUR Church", "2 CONT", "2 CONT book"}, "source", "Church  book"},
        {{"1 SOUR Church", "2 CONT"}, "source", "Church"},
        {{"1 BIRT", "2 PLAC Bergen,", "3 CONT Hordaland"}, "born place", "Bergen, Hordaland"},
        {{"1 BIRT", "2 DATE 12 DEC", "3 CONC  1900"}, "born date", "12 DEC 1900"},
        {{"1 BAPM", "2 PLAC Oslo dom", "3 CONC kirke"}, "baptized place", "Oslo domkirke"},
        {{"1 DEAT", "2 DATE 1970", "2 PLAC Moss", "3 CONT Norway"}, "died place", "Moss Norway"},
        {{"1 OBJE", "2 FILE pics/o", "3 CONC la.jpg", "2 TITL Ola at", "3 CONT the farm"}, "picture",
         "pics/ola.jpg"},
        {{"1 OBJE", "2 FILE pics/o", "3 CONC la.jpg", "2 TITL Ola at", "3 CONT the farm"},
         "picture text", "Ola at\r\nthe farm"},
        // Lines at another level, after another line, or under a value not kept are no continuation.
        {{"1 OCCU Farmer", "3 CONT fisher"}, "occupation", "Farmer"},
        {{"1 OCCU Farmer", "2 DATE 1900", "2 CONT fisher"}, "occupation", "Farmer"},
        {{"1 BIRT", "2 PLAC Oslo", "1 BIRT", "2 PLAC Moss", "3 CONT Norway"}, "born place", "Oslo"},
        {{"1 NAME Ola /Nordmann/", "1 NAME Other", "2 CONC wise"}, "given", "Ola"},
        {{"1 NOTE Farmer", "2 CONT and", "1 OCCU Smith"}, "occupation", "Smith"},
    };
    for (const auto& c : cases) {
        std::string text = "0 @I1@ INDI\r\n";
        for (const std::string& l : c.lines) text += l + "\r\n";
        SCOPED_TRACE(text);
        GedcomFixture f;
        ASSERT_TRUE(f.read(text).ok);
        const PersonItem& p = *f.item(0);
        const std::string field = c.field;
        const std::string got = field == "given"            ? p.FirstName.str()
                                : field == "surname"        ? p.LastName.str()
                                : field == "occupation"     ? p.Occupation.str()
                                : field == "source"         ? p.Source.str()
                                : field == "born place"     ? p.BornPlace.str()
                                : field == "born date"      ? p.BornDate.str()
                                : field == "baptized place" ? p.BaptizedPlace.str()
                                : field == "died place"     ? p.DiedPlace.str()
                                : field == "picture"        ? p.PictureFile.str()
                                                            : p.PictureText.str();
        EXPECT_EQ(got, c.expected) << field;
    }
}

TEST(GedcomContinuation, MarriageDataIsJoinedAndLongValuesStayWithinTheirField) {
    GedcomFixture f;
    std::string text = "0 @I1@ INDI\r\n1 OCCU x\r\n";
    for (int i = 0; i < 100; ++i) text += "2 CONC " + std::string(200, 'o') + "\r\n";
    text += "0 @I2@ INDI\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 MARR\r\n2 PLAC Drammen,\r\n"
            "3 CONT Buskerud\r\n2 DATE 5 MAY\r\n3 CONC  1925\r\n";
    ASSERT_TRUE(f.read(text).ok);
    EXPECT_EQ(f.item(0)->Occupation.str(), "x" + std::string(99, 'o'));
    EXPECT_EQ(f.item(0)->MarriagePlace[1].str(), "Drammen, Buskerud");
    EXPECT_EQ(f.item(1)->MarriageDate[1].str(), "5 MAY 1925");
}

}  // namespace
}  // namespace kinloom
