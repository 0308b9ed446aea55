#include "document/tree_record_codec.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace kinloom;
using namespace kinloom::test;
namespace r = kinloom::tree_record;

TEST(TreeRecordCodec, LengthBytesAboveCapacityAreClampedInsideTheRecord) {
    // Every byte 0xFF: every length byte says 255, every text is as long as its field allows.
    std::vector<unsigned char> rec(kTreeRecordSize, 0xFF);
    PersonItem item;
    item.Father = &item;
    decodeTreeRecord(std::span<const unsigned char, kTreeRecordSize>(rec.data(), kTreeRecordSize), item);
    EXPECT_EQ(item.FirstName.length(), 100);
    EXPECT_EQ(item.BornDate.length(), 35);
    EXPECT_EQ(item.Sex.length(), 1);
    EXPECT_EQ(item.Kind.length(), 10);
    EXPECT_EQ(item.PictureText.length(), 247);
    EXPECT_EQ(item.MarriageDate[8].length(), 35);
    EXPECT_EQ(item.MarriagePlace[8].length(), 100);
    EXPECT_EQ(item.SpareRef.length(), 20);  // the last text ends where ChildCount starts
    EXPECT_EQ(item.Id, -1);
    EXPECT_EQ(item.SpouseId[8], -1);
    EXPECT_EQ(item.SpouseType[8], '\xFF');
    EXPECT_EQ(item.Father, nullptr);
    EXPECT_TRUE(item.Selected);

    // Written back, each length byte holds the capacity and the padding is zero.
    item.Next = nullptr;
    std::vector<unsigned char> out(kTreeRecordSize, 0xAA);
    encodeTreeRecord(item, true, std::span<unsigned char, kTreeRecordSize>(out.data(), kTreeRecordSize));
    EXPECT_EQ(out[r::FirstName], 100);
    EXPECT_EQ(out[r::PictureText], 247);
    EXPECT_EQ(out[r::SpareRef], 20);
    EXPECT_EQ(out[1298], 0);
    EXPECT_EQ(out[1299], 0);
    EXPECT_EQ(getInt32(out, r::Next), 0);
    EXPECT_EQ(getInt32(out, r::Father), 0);
    EXPECT_EQ(getInt32(out, r::FirstTag), 0);
    EXPECT_EQ(getInt32(out, r::GedcomPos), -1);
    EXPECT_EQ(out[r::Selected], 1);
}

TEST(TreeRecordCodec, ShortTextsLeaveZeroTails) {
    PersonItem item;
    item.FirstName = "Ann";
    item.Prev = &item;
    std::vector<unsigned char> out(kTreeRecordSize, 0xAA);
    encodeTreeRecord(item, false, std::span<unsigned char, kTreeRecordSize>(out.data(), kTreeRecordSize));
    EXPECT_EQ(getShortString(out, r::FirstName), "Ann");
    for (size_t i = r::FirstName + 4; i < r::LastName; ++i) ASSERT_EQ(out[i], 0) << i;
    EXPECT_NE(getInt32(out, r::Next), 0);
    EXPECT_NE(getInt32(out, r::Prev), 0);
}
