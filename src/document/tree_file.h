#pragma once
#include "document/view_state.h"

#include <QString>

namespace kinloom {

class ItemStore;
class Prompts;
class SaveFile;

enum class ReadStatus {
    Ok,             // the store holds the file's items
    NotRecognized,  // "Error: Kinloom did not recognize the file" was shown; the store is empty
    IoError,        // the file could not be opened; the system's message was shown; the store is empty
    NotEnoughMemory,  // the file is larger than memory; this was shown; the store is as it was
                      // (memory running out part way gives IoError with the same message)
    ImportAsGedcom, // as NotRecognized, for a .ged file whose box the user answered: import it as GEDCOM
};

// Writes the whole store as a tree file (.kl3). A name that does not end in "kl3" is refused with
// "Incorrect file type. Kinloom did not save the file." and leaves Modified true. The file is written
// beside the target and renamed over it only when complete, so a failure never harms the old file.
bool saveToFile(ItemStore& store, const QString& fileName, Prompts& prompts);
// The writing part of saveToFile, through a given save file (tests inject faults into it).
bool writeTreeFile(ItemStore& store, SaveFile& file, Prompts& prompts);

// "Kinloom could not open the file NAME." and the system's reason on a second line.
QString openFailureMessage(const QString& fileName, const QString& reason);

// Replaces the store with a tree file, resolves the stored Ids into links, sets Zoom 100 and centres
// the home item in a window of the given outer size. Does not change Modified.
ReadStatus readFromFile(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                        Prompts& prompts);

}  // namespace kinloom
