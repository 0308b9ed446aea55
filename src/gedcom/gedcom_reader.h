#pragma once
#include "gedcom/gedcom_line.h"

#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>

namespace kinloom {

class TItemStore;
struct TPersonItem;
class GedcomScratchCopy;

// GEDCOM ids of the items read so far. The first item with an id wins, as a walk through the store
// would find it; items are only ever appended while a file is read.
class GedcomIdIndex {
public:
    void Clear() { ids_.clear(); }
    void Reserve(size_t n) { ids_.reserve(n); }
    void Add(TPersonItem* item);
    TPersonItem* Find(std::string_view id) const;

private:
    std::unordered_map<std::string, TPersonItem*> ids_;
};

// The line-driven GEDCOM reader: one call per line, a little state between lines. It fills the
// store with one item per individual and turns family records into spouse and parent links.
class TGedcomReader {
public:
    TGedcomReader(TItemStore& store, GedcomScratchCopy* scratch);

    void Reset();
    // Room for about this many individuals, so that the id index does not grow step by step.
    void ExpectIndividuals(size_t n) { ids_.Reserve(n); }
    // Reads one line (without its line end). False when the line is malformed or the scratch copy
    // could not take it: the import ends there.
    bool ReadLine(std::string_view line);

    // The item of an individual read earlier whose GEDCOM id is exactly this (with the "@" signs).
    TPersonItem* FindItemByGedcomId(std::string_view id) const { return ids_.Find(id); }

    int LineCount() const { return lines_; }
    int IndividualCount() const { return individuals_; }
    int FamilyCount() const { return families_; }

    // The state between lines, readable for tests.
    const std::string& RecordKind() const { return recordKind_; }
    TPersonItem* CurrentIndividual() const { return individual_; }
    const std::string& LastLevel1Tag() const { return level1Tag_; }
    TPersonItem* FamilyHusband() const { return husband_; }
    TPersonItem* FamilyWife() const { return wife_; }
    TPersonItem* FamilyChild() const { return child_; }
    int HusbandSlot() const { return husbandSlot_; }
    int WifeSlot() const { return wifeSlot_; }

private:
    void level0(int32_t scratchPos);
    void level1();
    void level2();
    void marry();

    TItemStore& store_;
    GedcomScratchCopy* scratch_;
    GedcomIdIndex ids_;
    GedcomLine line_;

    std::string recordKind_;
    TPersonItem* individual_ = nullptr;
    std::string level1Tag_;
    TPersonItem* husband_ = nullptr;
    TPersonItem* wife_ = nullptr;
    TPersonItem* child_ = nullptr;
    std::string marriageDate_;
    std::string marriagePlace_;
    int husbandSlot_ = 0;
    int wifeSlot_ = 0;
    int lines_ = 0;
    int individuals_ = 0;
    int families_ = 0;
};

}  // namespace kinloom
