#pragma once
#include "document/view_state.h"
#include "gedcom/import_user.h"
#include "layout/arrange_style.h"

#include <QString>

namespace kinloom {

class ItemStore;
class Prompts;

struct GedcomImportResult {
    bool ok = false;
    int lines = 0;  // lines read, the failing one included
    int individuals = 0;
    int families = 0;
    int refusedMarriages = 0;  // marriages not made because a partner had no free spouse slot
    int skippedLines = 0;       // lines that were not GEDCOM
    int firstSkippedLine = 0;   // the number of the first of them
};

// The exact words of a failed import: the message box, and the status line after it.
QString gedcomImportFailedMessage();
QString gedcomImportFailedStatus(int line);
// The main window's status line after an import: what was read from where, or the failure.
QString gedcomImportStatus(const GedcomImportResult& result, const QString& fileName);
// Lines that were not GEDCOM are told once, at the end of the import: "N lines could not be read
// and were skipped (the first is line L)".
QString skippedLinesMessage(int count, int firstLine);
// Marriages refused for want of a free spouse slot are told once, at the end, with their number.
QString refusedMarriagesMessage(int count);

// Reads a GEDCOM file into the store, without arranging it: one item per individual, at (0, 0).
// Progress, counters and status go to user; a failure shows "GEDCOM import failed" through prompts
// and leaves the items read so far. Nothing but the tree is written.
GedcomImportResult readGedcomFile(ItemStore& store, const QString& fileName, GedcomImportUser& user,
                                  Prompts& prompts);

// Lays an imported tree out as a family chart or with auto arrange, makes the first item current
// and centres it.
void arrangeImportedTree(ItemStore& store, ViewState& view, WindowSize window,
                         ArrangeStyle style = ArrangeStyle::FamilyChart);

// The whole import: read, and when the file was read to its end, arrange and zoom ("Done."), then
// tell the lines that were skipped.
GedcomImportResult importGedcomFile(ItemStore& store, ViewState& view, WindowSize window,
                                    const QString& fileName, GedcomImportUser& user, Prompts& prompts,
                                    ArrangeStyle style = ArrangeStyle::FamilyChart);

}  // namespace kinloom
