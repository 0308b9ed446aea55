#pragma once
#include <QString>

#include <array>

namespace kinloom {

struct TPersonItem;

// One free GEDCOM tag of an item (level, tag, value). The program never makes one: the person
// dialog's "Detailed information" page is still under construction.
struct TGedcomTag {
    int Level = 0;
    QString Tag;
    QString Value;
    TGedcomTag* Next = nullptr;
};

// One row of the GEDCOM tag vocabulary: the tag, the label shown to the user, and its category
// ("Event", "Attribute", "Family" or empty).
struct TagRow {
    const char* Tag;
    const char* Label;
    const char* Category;
};

inline constexpr int kTagRowCount = 132;

// The GEDCOM tag vocabulary with its lookups, and the per-item tag store, which holds nothing.
// The item store owns the one instance of the document.
class TGCT {
public:
    // Rows numbered 1..132; row 89 repeats the PEDI row 95 out of alphabetical order.
    static const std::array<TagRow, kTagRowCount>& Rows();

    // The label shown for a tag; a few tags have fixed labels, otherwise the last row whose tag
    // begins the given tag wins ("BIRTH" gives "Born"), and an unmatched tag comes back unchanged.
    static QString TagToLabel(const QString& tag);
    // The category of a tag (exact match, last row wins); empty when it has none or is unknown.
    static QString TagToCategory(const QString& tag);
    // The row number 1..132 of a label (last row wins); 0 when no row has it.
    static int LabelToIndex(const QString& label);
    // The tag of a label (last row wins); "_UNKNOWN" when no row has it.
    static QString LabelToTag(const QString& label);

    // The tag store operations. Adding yields no tag and deleting finds nothing to delete.
    TGedcomTag* InsertTag(TGedcomTag* after, int level, const QString& tag, const QString& value);
    TGedcomTag* CreateTag(TPersonItem* item, int level, const QString& tag, const QString& value);
    TGedcomTag* DeleteTag(TGedcomTag* node);
    bool DeleteItemTags(TPersonItem* item);
    bool ClearTags();

    TGedcomTag* FirstNode() const { return first_; }
    TGedcomTag* LastNode() const { return last_; }
    int NodeCount() const { return count_; }

private:
    TGedcomTag* first_ = nullptr;
    TGedcomTag* last_ = nullptr;
    int count_ = 0;
};

}  // namespace kinloom
