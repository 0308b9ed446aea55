#pragma once
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
    std::string marriageDate;   // at most 20 characters
    std::string marriagePlace;  // at most 70 characters
    std::vector<PersonItem*> children;  // in store order, as many as there are
};

// Builds the families of a store and writes the GEDCOM text. The family list is kept in creation
// order; indexes by couple, by partner and by alias make every step independent of the tree's size.
class GedcomExporter {
public:
    explicit GedcomExporter(ItemStore& store);

    // Derives every family from the store (clearing ChildFamilyRef and SpareRef first).
    void buildFamilies();
    // The family of this couple, made if new, with its marriage data; nullptr when both are none.
    GedcomFamily* findOrAddFamily(PersonItem* husband, PersonItem* wife);
    // Adds the item to the family's children and sets its ChildFamilyRef.
    bool addChildToFamily(GedcomFamily* family, PersonItem* item);
    // The last alias placement in store order that stands for item; item itself when there is none.
    PersonItem* findReferringAlias(PersonItem* item) const;

    const std::vector<std::unique_ptr<GedcomFamily>>& families() const { return families_; }
    // The individual records the last text() wrote.
    int personCount() const { return persons_; }
    // The whole file: header with this date and time, individuals, families, trailer; CR LF ends.
    std::string text(QDate date, QTime time);
    // The same bytes handed to `sink` in blocks of some 64 KiB, so that a large tree is written
    // without ever holding its whole text; stops with false as soon as the sink fails.
    bool write(QDate date, QTime time, const std::function<bool(std::string_view)>& sink);

private:
    bool takeSlotData(GedcomFamily& family, const PersonItem* husband, const PersonItem* wife);
    void writeIndividual(std::string& out, const PersonItem& item) const;
    void writeFamily(std::string& out, const GedcomFamily& family) const;

    ItemStore& store_;
    std::vector<std::unique_ptr<GedcomFamily>> families_;
    std::unordered_map<const PersonItem*, std::unordered_map<const PersonItem*, GedcomFamily*>> byCouple_;
    std::unordered_map<const PersonItem*, std::vector<int>> familiesOf_;  // numbers, in list order
    std::unordered_map<const PersonItem*, PersonItem*> lastAlias_;
    int persons_ = 0;
};

// What an export wrote, for the status line.
struct GedcomExportCounts {
    int persons = 0;
    int families = 0;
};

// Writes the store as a GEDCOM file. The date and time go into the header; the file is written
// beside the target and renamed over it when complete. On failure returns false with the system's
// message in error. The tree changes only in ChildFamilyRef and SpareRef.
bool writeGedcomFile(ItemStore& store, const QString& fileName, QDate date, QTime time,
                     QString* error = nullptr, GedcomExportCounts* counts = nullptr);

}  // namespace kinloom
