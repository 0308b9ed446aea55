#pragma once
#include "document/view_state.h"

#include <QString>

namespace kinloom {

class ItemStore;
class Prompts;
class SaveFile;

// How reading a tree file ended. Only Ok, PartlyRead and StoreEmptied change the store; after any
// other the store, and so the open tree, is exactly as it was.
enum class ReadStatus {
    Ok,             // the store holds the file's items
    PartlyRead,     // the file was cut short and the user chose to open its whole records, which the
                    // store now holds: the tree must become untitled and modified, so that the
                    // damaged file is never written over
    NotRecognized,  // not a tree file, or cut short and not opened; the box said which
    IoError,        // the file could not be opened or read; the system's message was shown
    NotEnoughMemory,  // the file is larger than memory; this was shown
    ImportAsGedcom, // as NotRecognized, for a .ged file whose box the user answered: import it as GEDCOM
    StoreEmptied,   // memory ran out while the items read were put in place, which was shown: the
                    // store is empty and the tree must become untitled
};

// Whether a file cut short inside a record offers to open the records before the cut ("Only N of
// its items could be read. Open them?") or is refused as not recognized (batch commands).
enum class CutShortFiles { Offer, Refuse };

// Writes the whole store as a tree file (.kl3). A name that does not end in "kl3" is refused with
// "Incorrect file type. Kinloom did not save the file." and leaves the tree marked modified. The file is written
// beside the target and renamed over it only when complete, so a failure never harms the old file.
bool saveToFile(ItemStore& store, const QString& fileName, Prompts& prompts);
// The writing part of saveToFile, through a given save file (tests inject faults into it).
bool writeTreeFile(ItemStore& store, SaveFile& file, Prompts& prompts);

// "Kinloom could not open the file NAME." and the system's reason on a second line.
QString openFailureMessage(const QString& fileName, const QString& reason);

// The box of a file that is no tree file, and of one cut short after `records` whole records.
QString notATreeFileMessage(const QString& fileName);
QString cutShortMessage(const QString& fileName, int records);
QString openWholeRecordsQuestion(const QString& fileName, int records);

// Reads a tree file; only when it is one (every record whole and sound, or the user opens the whole
// records of a file cut short) does it replace the store with it, resolve the stored Ids into
// links, set the zoom to 100 % and centre the home item in a window of the given outer size. Anything else
// is told and leaves store and view as they were. Does not change store.modified.
ReadStatus readFromFile(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                        Prompts& prompts, CutShortFiles cutShort = CutShortFiles::Offer);

}  // namespace kinloom
