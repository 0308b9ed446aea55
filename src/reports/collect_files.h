#pragma once
#include "platform/charsets.h"

#include <QString>
#include <QStringList>

namespace kinloom {

class ItemStore;
class Prompts;

struct CollectResult {
    int count = 0;          // files now in the target folder for the tree, the tree file included
    QString targetFolder;   // the tree file's folder, ending in a separator
    QStringList notCopied;  // the names of the files that could not be copied, as stored
    bool saved = false;     // the tree file was written
};

// Copies every notes file and picture the items name (relative names taken in `sourceFolder`)
// into the folder of `treeFileName`, points each item at its copy by bare file name, and saves
// the tree there. One source file named by several items is copied once and shared; a different
// file whose bare name is taken there gets a free name ("portrait (2).jpg"). A reference whose
// file could not be copied names it by its absolute path instead of a relative one, so that it
// still leads to where the file was (an absolute name, or one too long for the field, is kept). A failed save is told through `prompts`.
CollectResult collectAllFiles(ItemStore& store, const QString& sourceFolder, const QString& treeFileName,
                              Prompts& prompts, const DisplayCharset& charset = DisplayCharset());

// "Collected N files to directory D", followed by the files that could not be copied.
QString collectResultMessage(const CollectResult& result);

}  // namespace kinloom
