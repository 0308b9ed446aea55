#pragma once
#include "layout/arrange_style.h"
#include "platform/console_prompts.h"

#include <QDateTime>
#include <QString>

namespace kinloom {
class ItemStore;
}

namespace kinloom::cli {

// Reads a GEDCOM file into the empty store and arranges it as the File menu import does (a family
// chart unless rows are asked for). Progress
// goes to stderr only when stderr is a terminal; a failure is reported there with the line reached,
// and a file without individuals is refused.
bool importGedcomForCli(const char* command, const QString& path, ItemStore& store, ConsolePrompts& prompts,
                        ArrangeStyle style = ArrangeStyle::FamilyChart);

// Writes the store as GEDCOM with the given header date and time; the notes files are taken in the
// folder of treeFile and read in the stored display character set. A failure is reported on stderr,
// and so are notes files that could not be read (the export still succeeds).
bool exportGedcomForCli(const char* command, const QString& path, ItemStore& store, const QDateTime& now,
                        const QString& treeFile);

// True when the file name ends in ".ged" (case ignored).
bool isGedcomName(const QString& path);

}  // namespace kinloom::cli
