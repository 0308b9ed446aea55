#include "support/gedcom_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kinloom;
using namespace kinloom::test;

namespace {

// The scratch copy of earlier versions was never read back: a temporary folder that cannot take
// it must not fail the import, and the individuals keep the positions it would have given them.
TEST(GedcomImport, ATemporaryFolderThatCannotBeWrittenDoesNotMatter) {
    GedcomFixture f;
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/proc/no/such/folder");
    f.read(lines({"0 HEAD", "0 @I1@ INDI", "1 NAME Ola /Nordmann/", "0 @I2@ INDI", "0 TRLR"}));
    if (saved.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);

    EXPECT_TRUE(f.result.ok);
    EXPECT_TRUE(f.prompts.records().empty());
    ASSERT_EQ(f.store.itemCount(), 2);
    EXPECT_EQ(f.item(0)->GedcomPos, 6 + 11);
    EXPECT_EQ(f.item(1)->GedcomPos, 17 + (11 + 11) + (21 + 11));
    EXPECT_EQ(f.user.statuses.last(), "Importing file...");
}

}  // namespace
