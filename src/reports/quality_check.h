#pragma once
#include "platform/charsets.h"
#include "platform/prompts.h"

#include <QString>

#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

enum class ReferenceKind { NotesFile, PictureFile };

// One problem the quality check found: a notes or picture file that an item names and that is
// not there. An item with both problems gives two rows.
struct QualityProblem {
    QString person;               // "LastName FirstName", trimmed
    PersonItem* item = nullptr;   // whoever keeps rows must clear this when the item is deleted
    ReferenceKind kind = ReferenceKind::NotesFile;
    QString message;              // "Text file not found: ..."; empty once the row is resolved
};

struct QualityCheckResult {
    std::vector<QualityProblem> rows;  // sorted by person; one person's rows in the order found
    int count = 0;
};

// Checks every item's notes file and picture file, in store order. Relative names are looked up
// in `treeFolder` (see treeFolderOf); the current folder of the process is left alone.
QualityCheckResult runQualityCheck(const ItemStore& store, const QString& treeFolder,
                                   const DisplayCharset& charset = DisplayCharset());

// "Quality check complete: N error(s)"
QString qualityCheckSummary(int count);

// The two open dialogs of the resolve command.
FileDialogRequest findTextFileDialog();
FileDialogRequest findImageFileDialog();

// The warning when a chosen file's path does not fit the field, even relative to the tree's folder.
QString pathTooLongText(const QString& path);

// Repairs a row: the user chooses the file again, or agrees to remove the reference. Either marks
// the tree modified and clears the row's message; a cancelled dialog and No leave item and row alone. A
// chosen path longer than the field is kept relative to the tree's folder; when even that is too
// long the user is told so and item and row stay as they were.
// Returns true when the item changed.
bool resolveQualityProblem(ItemStore& store, QualityProblem& row, const QString& treeFolder, Prompts& prompts,
                           const DisplayCharset& charset = DisplayCharset());

}  // namespace kinloom
