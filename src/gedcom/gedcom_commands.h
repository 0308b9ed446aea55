#pragma once
#include "gedcom/gedcom_export.h"

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
// Writes the tree to a chosen file, with the notes found through `notes`; a write error is shown
// with the system's words, after beforeError has run (a window ends its busy cursor there).
// store.modified stays as it was: a GEDCOM file holds no box positions or notes file names, so only a
// tree file counts as saved. On success `status` (when given) gets the line that tells what was
// written and where.
bool exportGedcomTo(ItemStore& store, const QString& fileName, const QDateTime& now, Prompts& prompts,
                    const std::function<void()>& beforeError = {}, QString* status = nullptr,
                    const GedcomNotesSource& notes = {});

// "GEDCOM export: 12 persons and 5 families written to /home/ola/tree.ged", and when some notes
// files could not be read " (2 notes files could not be read)".
QString gedcomExportStatus(const GedcomExportCounts& counts, const QString& fileName);

// File > Export to GEDCOM file: asks for a name ("Export to GEDCOM format") and writes the tree with
// the given date and time in its header. A write error is shown with the system's words. True when
// the file was written.
bool exportGedcomCommand(ItemStore& store, Prompts& prompts, const QDateTime& now, QString* status = nullptr,
                         const GedcomNotesSource& notes = {});

}  // namespace kinloom
