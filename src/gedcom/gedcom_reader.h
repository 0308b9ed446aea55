#pragma once
#include "gedcom/gedcom_id_index.h"
#include "gedcom/gedcom_line.h"
#include "gedcom/kept_lines.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;
class GedcomScratchCopy;

// The line-driven GEDCOM reader: one call per line, a little state between lines. It fills the
// store with one item per individual. Family records may come before the individuals they name,
// so their lines are kept and turned into spouse and parent links by finish(), in file order.
class GedcomReader {
public:
    GedcomReader(ItemStore& store, GedcomScratchCopy* scratch);

    void reset();
    // Room for about this many individuals, so that the id index does not grow step by step.
    void expectIndividuals(size_t n) { ids_.reserve(n); }
    // Reads one line (without its line end). A line that is not GEDCOM (its level is no number) is
    // skipped and counted, and the reading goes on. False when the scratch copy could not take the
    // line: the import ends there.
    bool readLine(std::string_view line);
    // Links the families read so far; call it once after the last line, a failed one too.
    void finish();

    // The item of an individual read earlier whose GEDCOM id is exactly this (with the "@" signs).
    PersonItem* findItemByGedcomId(std::string_view id) const { return ids_.find(id); }

    int lineCount() const { return lines_; }
    // Lines that were not GEDCOM, and the number of the first of them (0 when none).
    int skippedLines() const { return skippedLines_; }
    int firstSkippedLine() const { return firstSkippedLine_; }
    int individualCount() const { return individuals_; }
    int familyCount() const { return families_; }
    // Marriages that finish() could not make because a partner had no free spouse slot.
    int refusedMarriages() const { return refusedMarriages_; }

    // The state between lines, readable for tests.
    const std::string& recordKind() const { return recordKind_; }
    PersonItem* currentIndividual() const { return individual_; }
    const std::string& lastLevel1Tag() const { return level1Tag_; }
    PersonItem* familyHusband() const { return husband_; }
    PersonItem* familyWife() const { return wife_; }
    PersonItem* familyChild() const { return child_; }
    int husbandSlot() const { return husbandSlot_; }
    int wifeSlot() const { return wifeSlot_; }

private:
    void level0(int32_t scratchPos);
    void level1();
    void level2();

    // A value just stored, which CONT and CONC lines one level deeper go on: the joined value is
    // stored again through `set` (or into the kept family line when `set` is none).
    using FieldSetter = void (*)(PersonItem&, std::string_view);
    void store(FieldSetter set, std::string_view value, const char* lineBreak = " ");
    void expectContinuation(FieldSetter set, const char* lineBreak);
    void continueValue();

    // A family line that matters to the links, kept until every individual is known. A Type line
    // holds the relationship letter of a family event; Start, Divorce and Detail lines need no value.
    enum class FamilyStep : uint8_t {
        Start, Husband, Wife, Child, Divorce, Date, Place, Detail, Type, DivorceDate, DivorcePlace
    };
    void keep(FamilyStep step, std::string_view value) { familyLines_.append(static_cast<uint8_t>(step), value); }
    void keep(FamilyStep step) { keep(step, line_.value); }
    void link(FamilyStep step, std::string_view value);
    // The first family (by number) that names this child, noting `family_` when it is the first.
    int firstFamilyNaming(const PersonItem* child);
    void marry();
    void markRelationship();
    void setChildsParents(PersonItem* father, PersonItem* mother);
    void storeMarriageData();

    ItemStore& store_;
    GedcomScratchCopy* scratch_;
    GedcomIdIndex ids_;
    GedcomLine line_;

    std::string recordKind_;
    PersonItem* individual_ = nullptr;
    std::string level1Tag_;
    // BIRT, DEAT and BAPM events of the current individual so far: only the first one counts.
    int births_ = 0, deaths_ = 0, baptisms_ = 0, pictures_ = 0;
    bool firstPicture_ = false;       // the level-1 line is the individual's first embedded OBJE
    bool relationshipEvent_ = false;  // the level-1 line is an EVEN whose TYPE names a relationship
    std::string_view text_;           // the line being read, as it came
    int continuedLevel_ = -1;         // the level of the value that CONT and CONC go on; -1 for none
    std::string continued_;           // that value so far, as written
    FieldSetter continuedSet_ = nullptr;
    const char* lineBreak_ = " ";
    KeptLines familyLines_;

    // Linking state, for the family whose lines finish() is going through.
    int family_ = 0;
    // The first family naming each child: by the child's Id while Ids are few and distinct, which
    // they are in an import, and by the item otherwise.
    struct ChildFamily {
        const PersonItem* child = nullptr;
        int family = 0;
    };
    std::vector<ChildFamily> familyById_;
    std::unordered_map<const PersonItem*, int> familyByItem_;
    int childFamily_ = 0;  // the first family naming child_
    PersonItem* husband_ = nullptr;
    PersonItem* wife_ = nullptr;
    PersonItem* child_ = nullptr;
    std::string marriageDate_;
    std::string marriagePlace_;
    int husbandSlot_ = 0;
    int wifeSlot_ = 0;
    bool married_ = false;      // this family has made its marriage (or tried to)
    char relationship_ = 'M';   // its type: 'D' after a DIV line, or the letter of a family event
    int lines_ = 0;
    int skippedLines_ = 0;
    int firstSkippedLine_ = 0;
    int individuals_ = 0;
    int families_ = 0;
    int refusedMarriages_ = 0;
};

}  // namespace kinloom
