#include "document/tree_record_codec.h"

#include "document/record_bytes.h"

#include <algorithm>

namespace kinloom {

namespace {
// Reference fields keep only "set or not" in a file; the reader never uses the value.
constexpr int32_t kReferenceMark = 1;
int32_t Mark(const void* reference) { return reference ? kReferenceMark : 0; }
}  // namespace

void EncodeTreeRecord(const TPersonItem& item, bool isLast, std::span<unsigned char, kTreeRecordSize> out) {
    namespace r = tree_record;
    std::fill(out.begin(), out.end(), 0);
    RecordWriter w(out);
    // Older readers stop at the record whose Next is zero, so only the last one may carry zero.
    w.Int32(r::Next, isLast ? 0 : kReferenceMark);
    w.Int32(r::Prev, Mark(item.Prev));
    w.Int32(r::Id, item.Id);
    w.Write(r::FirstName, item.FirstName);
    w.Write(r::LastName, item.LastName);
    w.Write(r::BornDate, item.BornDate);
    w.Write(r::DiedDate, item.DiedDate);
    w.Write(r::Sex, item.Sex);
    w.Write(r::PictureFile, item.PictureFile);
    w.Write(r::NotesFile, item.NotesFile);
    w.Write(r::Kind, item.Kind);
    w.Write(r::BornPlace, item.BornPlace);
    w.Write(r::DiedPlace, item.DiedPlace);
    w.Write(r::BaptizedDate, item.BaptizedDate);
    w.Write(r::BaptizedPlace, item.BaptizedPlace);
    w.Write(r::Occupation, item.Occupation);
    w.Write(r::PictureText, item.PictureText);
    w.Write(r::Source, item.Source);
    w.Int32(r::Mother, Mark(item.Mother));
    w.Int32(r::Father, Mark(item.Father));
    w.Int32(r::MotherId, item.MotherId);
    w.Int32(r::FatherId, item.FatherId);
    for (int i = 1; i <= kMaxSpouses; ++i) {
        w.Byte(r::SpouseTypeAt(i), static_cast<unsigned char>(item.SpouseType[i]));
        w.Int32(r::SpouseAt(i), Mark(item.Spouse[i]));
        w.Int32(r::SpouseIdAt(i), item.SpouseId[i]);
        w.Write(r::MarriageDateAt(i), item.MarriageDate[i]);
        w.Write(r::MarriagePlaceAt(i), item.MarriagePlace[i]);
    }
    w.Int32(r::X, item.X);
    w.Int32(r::Y, item.Y);
    w.Byte(r::Selected, item.Selected ? 1 : 0);
    w.Write(r::GedcomId, item.GedcomId);
    w.Write(r::ChildFamilyRef, item.ChildFamilyRef);
    w.Write(r::SpareRef, item.SpareRef);
    w.Int32(r::ChildCount, item.ChildCount);
    w.Int32(r::FirstTag, 0);  // tags never go into the file
    w.Int32(r::GedcomPos, item.GedcomPos);
}

void DecodeTreeRecord(std::span<const unsigned char, kTreeRecordSize> record, TPersonItem& item) {
    namespace r = tree_record;
    const RecordReader in(record);
    item.Next = item.Prev = nullptr;
    item.Father = item.Mother = nullptr;
    item.FirstTag = nullptr;
    item.Id = in.Int32(r::Id);
    in.Read(r::FirstName, item.FirstName);
    in.Read(r::LastName, item.LastName);
    in.Read(r::BornDate, item.BornDate);
    in.Read(r::DiedDate, item.DiedDate);
    in.Read(r::Sex, item.Sex);
    in.Read(r::PictureFile, item.PictureFile);
    in.Read(r::NotesFile, item.NotesFile);
    in.Read(r::Kind, item.Kind);
    in.Read(r::BornPlace, item.BornPlace);
    in.Read(r::DiedPlace, item.DiedPlace);
    in.Read(r::BaptizedDate, item.BaptizedDate);
    in.Read(r::BaptizedPlace, item.BaptizedPlace);
    in.Read(r::Occupation, item.Occupation);
    in.Read(r::PictureText, item.PictureText);
    in.Read(r::Source, item.Source);
    item.MotherId = in.Int32(r::MotherId);
    item.FatherId = in.Int32(r::FatherId);
    item.Spouse[0] = nullptr;
    for (int i = 1; i <= kMaxSpouses; ++i) {
        item.SpouseType[i] = static_cast<char>(in.Byte(r::SpouseTypeAt(i)));
        item.Spouse[i] = nullptr;
        item.SpouseId[i] = in.Int32(r::SpouseIdAt(i));
        in.Read(r::MarriageDateAt(i), item.MarriageDate[i]);
        in.Read(r::MarriagePlaceAt(i), item.MarriagePlace[i]);
    }
    item.X = in.Int32(r::X);
    item.Y = in.Int32(r::Y);
    item.Selected = in.Byte(r::Selected) != 0;
    in.Read(r::GedcomId, item.GedcomId);
    in.Read(r::ChildFamilyRef, item.ChildFamilyRef);
    in.Read(r::SpareRef, item.SpareRef);
    item.ChildCount = in.Int32(r::ChildCount);
    item.GedcomPos = in.Int32(r::GedcomPos);
}

}  // namespace kinloom
