#include "document/tree_record_codec.h"

#include "document/record_bytes.h"

#include <algorithm>
#include <vector>

namespace kinloom {

namespace {
// Reference fields keep only "set or not" in a file; the reader never uses the value.
constexpr int32_t kReferenceMark = 1;
int32_t mark(const void* reference) { return reference ? kReferenceMark : 0; }

struct TextField {
    size_t offset;
    int capacity;
};

// Every text of a record with the capacity of its field, in file order.
std::vector<TextField> textFields() {
    namespace r = tree_record;
    using P = PersonItem;
    std::vector<TextField> fields = {
        {r::FirstName, decltype(P::FirstName)::capacity},         {r::LastName, decltype(P::LastName)::capacity},
        {r::BornDate, decltype(P::BornDate)::capacity},           {r::DiedDate, decltype(P::DiedDate)::capacity},
        {r::Sex, decltype(P::Sex)::capacity},                     {r::PictureFile, decltype(P::PictureFile)::capacity},
        {r::NotesFile, decltype(P::NotesFile)::capacity},         {r::Kind, decltype(P::Kind)::capacity},
        {r::BornPlace, decltype(P::BornPlace)::capacity},         {r::DiedPlace, decltype(P::DiedPlace)::capacity},
        {r::BaptizedDate, decltype(P::BaptizedDate)::capacity},   {r::BaptizedPlace, decltype(P::BaptizedPlace)::capacity},
        {r::Occupation, decltype(P::Occupation)::capacity},       {r::PictureText, decltype(P::PictureText)::capacity},
        {r::Source, decltype(P::Source)::capacity},
    };
    for (int i = 1; i <= kMaxSpouses; ++i) {
        fields.push_back({r::marriageDateAt(i), decltype(P::MarriageDate)::value_type::capacity});
        fields.push_back({r::marriagePlaceAt(i), decltype(P::MarriagePlace)::value_type::capacity});
    }
    fields.push_back({r::GedcomId, decltype(P::GedcomId)::capacity});
    fields.push_back({r::ChildFamilyRef, decltype(P::ChildFamilyRef)::capacity});
    fields.push_back({r::SpareRef, decltype(P::SpareRef)::capacity});
    return fields;
}
}  // namespace

bool isTreeRecord(std::span<const unsigned char> bytes) {
    static const std::vector<TextField> fields = textFields();
    for (const TextField& f : fields)
        if (f.offset < bytes.size() && bytes[f.offset] > f.capacity) return false;
    const size_t kindLength = tree_record::Kind < bytes.size() ? bytes[tree_record::Kind] : 0;
    if (tree_record::Kind + 1 + kindLength <= bytes.size()) {
        const std::string_view kind(reinterpret_cast<const char*>(bytes.data() + tree_record::Kind + 1), kindLength);
        if (!kind.empty() && kind != kKindAlias && kind != kKindRef) return false;
    }
    return true;
}

void encodeTreeRecord(const PersonItem& item, bool isLast, std::span<unsigned char, kTreeRecordSize> out) {
    namespace r = tree_record;
    std::fill(out.begin(), out.end(), 0);
    RecordWriter w(out);
    // Older readers stop at the record whose Next is zero, so only the last one may carry zero.
    w.int32(r::Next, isLast ? 0 : kReferenceMark);
    w.int32(r::Prev, mark(item.Prev));
    w.int32(r::Id, item.Id);
    w.write(r::FirstName, item.FirstName);
    w.write(r::LastName, item.LastName);
    w.write(r::BornDate, item.BornDate);
    w.write(r::DiedDate, item.DiedDate);
    w.write(r::Sex, item.Sex);
    w.write(r::PictureFile, item.PictureFile);
    w.write(r::NotesFile, item.NotesFile);
    w.write(r::Kind, item.Kind);
    w.write(r::BornPlace, item.BornPlace);
    w.write(r::DiedPlace, item.DiedPlace);
    w.write(r::BaptizedDate, item.BaptizedDate);
    w.write(r::BaptizedPlace, item.BaptizedPlace);
    w.write(r::Occupation, item.Occupation);
    w.write(r::PictureText, item.PictureText);
    w.write(r::Source, item.Source);
    w.int32(r::Mother, mark(item.Mother));
    w.int32(r::Father, mark(item.Father));
    w.int32(r::MotherId, item.MotherId);
    w.int32(r::FatherId, item.FatherId);
    for (int i = 1; i <= kMaxSpouses; ++i) {
        w.byte(r::spouseTypeAt(i), static_cast<unsigned char>(item.SpouseType[i]));
        w.int32(r::spouseAt(i), mark(item.Spouse[i]));
        w.int32(r::spouseIdAt(i), item.SpouseId[i]);
        w.write(r::marriageDateAt(i), item.MarriageDate[i]);
        w.write(r::marriagePlaceAt(i), item.MarriagePlace[i]);
    }
    w.int32(r::X, item.X);
    w.int32(r::Y, item.Y);
    w.byte(r::Selected, item.Selected ? 1 : 0);
    w.write(r::GedcomId, item.GedcomId);
    w.write(r::ChildFamilyRef, item.ChildFamilyRef);
    w.write(r::SpareRef, item.SpareRef);
    w.int32(r::ChildCount, item.ChildCount);
    w.int32(r::FirstTag, 0);  // tags never go into the file
    w.int32(r::GedcomPos, item.GedcomPos);
}

void decodeTreeRecord(std::span<const unsigned char, kTreeRecordSize> record, PersonItem& item) {
    namespace r = tree_record;
    const RecordReader in(record);
    item.Next = item.Prev = nullptr;
    item.Father = item.Mother = nullptr;
    item.FirstTag = nullptr;
    item.Id = in.int32(r::Id);
    in.read(r::FirstName, item.FirstName);
    in.read(r::LastName, item.LastName);
    in.read(r::BornDate, item.BornDate);
    in.read(r::DiedDate, item.DiedDate);
    in.read(r::Sex, item.Sex);
    in.read(r::PictureFile, item.PictureFile);
    in.read(r::NotesFile, item.NotesFile);
    in.read(r::Kind, item.Kind);
    in.read(r::BornPlace, item.BornPlace);
    in.read(r::DiedPlace, item.DiedPlace);
    in.read(r::BaptizedDate, item.BaptizedDate);
    in.read(r::BaptizedPlace, item.BaptizedPlace);
    in.read(r::Occupation, item.Occupation);
    in.read(r::PictureText, item.PictureText);
    in.read(r::Source, item.Source);
    item.MotherId = in.int32(r::MotherId);
    item.FatherId = in.int32(r::FatherId);
    for (int i = 1; i <= kMaxSpouses; ++i) {
        item.SpouseType[i] = static_cast<char>(in.byte(r::spouseTypeAt(i)));
        item.Spouse[i] = nullptr;
        item.SpouseId[i] = in.int32(r::spouseIdAt(i));
        in.read(r::marriageDateAt(i), item.MarriageDate[i]);
        in.read(r::marriagePlaceAt(i), item.MarriagePlace[i]);
    }
    item.X = in.int32(r::X);
    item.Y = in.int32(r::Y);
    item.Selected = in.byte(r::Selected) != 0;
    in.read(r::GedcomId, item.GedcomId);
    in.read(r::ChildFamilyRef, item.ChildFamilyRef);
    in.read(r::SpareRef, item.SpareRef);
    item.ChildCount = in.int32(r::ChildCount);
    item.GedcomPos = in.int32(r::GedcomPos);
}

}  // namespace kinloom
