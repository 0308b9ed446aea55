#pragma once
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace kinloom {

class ItemStore;
class Prompts;

// The open dialog of the GEDCOM import: the file to read, or nothing when the user cancels.
std::optional<QString> askGedcomFileToImport(Prompts& prompts);

// The save dialog of the GEDCOM export ("Export to GEDCOM format").
std::optional<QString> askGedcomExportFile(Prompts& prompts);
// Writes the tree to a chosen file and clears Modified; a write error is shown with the system's words,
// after beforeError has run (a window ends its busy cursor there).
bool exportGedcomTo(ItemStore& store, const QString& fileName, const QDateTime& now, Prompts& prompts,
                    const std::function<void()>& beforeError = {});

// File > Export to GEDCOM file: asks for a name ("Export to GEDCOM format"), writes the tree with
// the given date and time in its header and clears Modified, so that an exported tree counts as
// saved. A write error is shown with the system's words. True when the file was written.
bool exportGedcomCommand(ItemStore& store, Prompts& prompts, const QDateTime& now);

}  // namespace kinloom
