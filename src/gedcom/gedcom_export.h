#pragma once
#include "platform/charsets.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

// A family as the export derives it from parent links and spouse slots; it lives for one export.
struct GedcomFamily {
    int number = 0;
    PersonItem* husband = nullptr;  // never an alias placement
    PersonItem* wife = nullptr;
};

// The relationship of a family as written: date, place and the type letter of the spouse slot
// ('M', 'D', 'P', 'F', 'S', 'O', 'U'; 0 when the slot has none).
struct GedcomMarriage {
    std::string date;
    std::string place;
    char type = 0;
};

// Where the export finds the notes files and how it reads them: relative names are taken in
// `folder`, and the bytes are read in `charset`, as the person dialog reads them.
struct GedcomNotesSource {
    QString folder;
    DisplayCharset charset{DisplayCharset::kSystemDefault};
};

// Builds the families of a store and writes the GEDCOM text. The family list is kept in creation
// order. The tables are flat and small (a few dozen bytes a family), so that exporting a large tree
// costs little memory beside the tree itself; marriage data is read from the items as it is written.
class GedcomExporter {
public:
    explicit GedcomExporter(ItemStore& store, GedcomNotesSource notes = {});

    // Derives every family from the store (clearing ChildFamilyRef and SpareRef first).
    void buildFamilies();
    const std::vector<GedcomFamily>& families() const { return families_; }
    // The number of this couple's family, 0 when there is none.
    int familyNumber(const PersonItem* husband, const PersonItem* wife) const;
    // A family's children, in store order, as many as there are.
    std::vector<PersonItem*> childrenOf(int number) const;
    GedcomMarriage marriageOf(const GedcomFamily& family) const;
    // The last alias placement in store order that stands for item; item itself when there is none.
    PersonItem* findReferringAlias(PersonItem* item) const;

    // The individual records the last text() wrote.
    int personCount() const { return persons_; }
    // The notes files that the last text() could not read (and so left out).
    int unreadableNotes() const { return unreadableNotes_; }
    // The whole file: header with this date and time, individuals, families, trailer; CR LF ends.
    std::string text(QDate date, QTime time);
    // The same bytes handed to `sink` in blocks of some 64 KiB, so that a large tree is written
    // without ever holding its whole text; stops with false as soon as the sink fails.
    bool write(QDate date, QTime time, const std::function<bool(std::string_view)>& sink);

private:
    // The index of the couple's family in the list, made if new; -1 when both are none. eitherWay:
    // the family of the same two the other way round counts too.
    int findOrAddFamily(PersonItem* husband, PersonItem* wife, bool eitherWay = false);
    // The family of two spouses: a man is the husband and a woman the wife; of two of the same or
    // of unknown sex, the one met first. A couple met the other way round before keeps that family.
    void addCouple(PersonItem* a, PersonItem* b);
    // Reads the notes file of every person that names one (as buildFamilies found them) as UTF-8
    // text, counting those that cannot be read.
    void readNotes();
    // For a file whose texts are not UTF-8: the notes in the code page the tree's texts are in.
    void encodeNotesAsStored();
    // Where the couple's family is in the couple table, or the free place where it would go.
    size_t coupleSlot(const PersonItem* husband, const PersonItem* wife) const;
    void growCoupleTable();
    bool takeSlotData(GedcomMarriage& marriage, const PersonItem* husband, const PersonItem* wife) const;
    void writeIndividual(std::string& out, const PersonItem& item) const;
    void writeFamily(std::string& out, const GedcomFamily& family) const;

    ItemStore& store_;
    std::vector<GedcomFamily> families_;
    std::vector<int> coupleTable_;  // open addressing: family index + 1, 0 for free; a power of two long
    std::vector<int> childStart_;   // family index -> first of its children in children_; one past the end last
    std::vector<PersonItem*> children_;
    // (partner, family number) for every partner of every family, by partner and then number.
    std::vector<std::pair<const PersonItem*, int>> partners_;
    std::unordered_map<const PersonItem*, PersonItem*> lastAlias_;
    GedcomNotesSource notesSource_;
    std::vector<const PersonItem*> withNotes_;  // persons that name a notes file, in store order
    std::unordered_map<const PersonItem*, std::string> notes_;  // the text of each readable notes file
    int persons_ = 0;
    int unreadableNotes_ = 0;
};

// What an export wrote, for the status line.
struct GedcomExportCounts {
    int persons = 0;
    int families = 0;
    int unreadableNotes = 0;
};

// Writes the store as a GEDCOM file. The date and time go into the header; the file is written
// beside the target and renamed over it when complete. On failure returns false with the system's
// message in error. The tree changes only in ChildFamilyRef and SpareRef.
bool writeGedcomFile(ItemStore& store, const QString& fileName, QDate date, QTime time,
                     QString* error = nullptr, GedcomExportCounts* counts = nullptr,
                     const GedcomNotesSource& notes = {});

}  // namespace kinloom
