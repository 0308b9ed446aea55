#pragma once
#include <QString>

#include <array>

namespace kinloom {

struct PersonItem;

// One free GEDCOM tag of an item (level, tag, value). The program never makes one: the person
// dialog's "Detailed information" page is still under construction.
struct GedcomTag {
    int level = 0;
    QString tag;
    QString value;
    GedcomTag* Next = nullptr;
};

// One row of the GEDCOM tag vocabulary: the tag, the label shown to the user, and its category
// ("Event", "Attribute", "Family" or empty).
struct TagRow {
    const char* tag;
    const char* label;
    const char* category;
};

inline constexpr int kTagRowCount = 132;

// The GEDCOM tag vocabulary with its lookups, and the per-item tag store, which holds nothing.
// The item store owns the one instance of the document.
class GedcomTagStore {
public:
    // Rows numbered 1..132; row 89 repeats the PEDI row 95 out of alphabetical order.
    static const std::array<TagRow, kTagRowCount>& rows();

    // The label shown for a tag; a few tags have fixed labels, otherwise the last row whose tag
    // begins the given tag wins ("BIRTH" gives "Born"), and an unmatched tag comes back unchanged.
    static QString tagToLabel(const QString& tag);
    // The category of a tag (exact match, last row wins); empty when it has none or is unknown.
    static QString tagToCategory(const QString& tag);
    // The row number 1..132 of a label (last row wins); 0 when no row has it.
    static int labelToIndex(const QString& label);
    // The tag of a label (last row wins); "_UNKNOWN" when no row has it.
    static QString labelToTag(const QString& label);

    // The tag store operations. Adding yields no tag and deleting finds nothing to delete.
    GedcomTag* insertTag(GedcomTag* after, int level, const QString& tag, const QString& value);
    GedcomTag* createTag(PersonItem* item, int level, const QString& tag, const QString& value);
    GedcomTag* deleteTag(GedcomTag* node);
    bool deleteItemTags(PersonItem* item);
    bool clearTags();

    GedcomTag* firstNode() const { return first_; }
    GedcomTag* lastNode() const { return last_; }
    int nodeCount() const { return count_; }

private:
    GedcomTag* first_ = nullptr;
    GedcomTag* last_ = nullptr;
    int count_ = 0;
};

}  // namespace kinloom
