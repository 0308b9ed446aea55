#include "gedcom/gedcom_reader.h"
#include "support/gedcom_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace kinloom {
namespace {

using test::GedcomFixture;

std::string personId(int n) { return "@I" + std::to_string(n) + "@"; }
// A place long enough that the kept family lines fill several blocks, continued on a CONC line.
std::string placeOf(int family) { return "Parish " + std::to_string(family) + std::string(90, 'p'); }

// Families come before the individuals they name, so every family line is kept until the end,
// far more than one block of them, and each marriage place is joined from two lines. Individuals
// are either far smaller or far larger than the 200 bytes a record the import expects, so the
// tables sized from the file's length are either too small or too large. Every record is read
// back whole, with its links and its joined values.
TEST(GedcomLargeRead, EveryRecordAndLinkIsKeptWhateverTheRecordSize) {
    constexpr int kFamilies = 15000;  // three persons each: husband, wife, child
    for (const size_t noteLength : {size_t{0}, size_t{400}}) {
        SCOPED_TRACE(noteLength);
        std::string text = "0 HEAD\r\n";
        for (int f = 1; f <= kFamilies; ++f) {
            const std::string place = placeOf(f);
            text += "0 @F" + std::to_string(f) + "@ FAM\r\n1 HUSB " + personId(3 * f - 2) + "\r\n1 WIFE " +
                    personId(3 * f - 1) + "\r\n1 CHIL " + personId(3 * f) + "\r\n1 MARR\r\n2 DATE " +
                    std::to_string(1700 + f % 300) + "\r\n2 PLAC " + place.substr(0, 40) + "\r\n3 CONC " +
                    place.substr(40) + "\r\n";
        }
        const std::string note = noteLength ? "1 NOTE " + std::string(noteLength, 'n') + "\r\n" : std::string();
        for (int i = 1; i <= 3 * kFamilies; ++i)
            text += "0 " + personId(i) + " INDI\r\n1 NAME P" + std::to_string(i) + " /S/\r\n" + note;
        text += "0 TRLR\r\n";

        GedcomFixture f;
        const GedcomImportResult result = f.read(text);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.individuals, 3 * kFamilies);
        EXPECT_EQ(result.families, kFamilies);
        EXPECT_EQ(result.refusedMarriages, 0);
        EXPECT_EQ(f.store.itemCount(), 3 * kFamilies);

        int wrong = 0;
        int index = 0;
        for (const PersonItem* p = f.store.firstItem(); p; p = p->Next, ++index) {
            const int n = index + 1;
            const int family = (n + 2) / 3;
            const bool ok = [&] {
                if (p->GedcomId != personId(n) || p->FirstName != "P" + std::to_string(n)) return false;
                if (n % 3 == 0) {  // the child
                    return p->Father && p->Father->GedcomId == personId(n - 2) && p->Mother &&
                           p->Mother->GedcomId == personId(n - 1) && !p->Spouse[1];
                }
                const std::string partner = personId(n % 3 == 1 ? n + 1 : n - 1);
                return p->Spouse[1] && p->Spouse[1]->GedcomId == partner && !p->Spouse[2] &&
                       p->MarriagePlace[1] == placeOf(family).substr(0, 100) &&
                       p->MarriageDate[1] == std::to_string(1700 + family % 300) && !p->Father && !p->Mother;
            }();
            if (!ok && ++wrong <= 3) ADD_FAILURE() << "item " << n << " (" << p->GedcomId.view() << ") is not as written";
        }
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
}  // namespace kinloom
