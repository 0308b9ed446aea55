#pragma once
#include <QString>

namespace kinloom {

// Notes and picture files are named relative to the tree file when their names are relative.
// These helpers find them there without changing the process's current folder.

// The folder a tree's relative names are taken in: the tree file's folder, or the current folder
// for an untitled tree.
QString treeFolderOf(const QString& treeFileName);

// Where a stored file name points: the name itself when it is absolute, else the name inside `folder`.
QString referencedPath(const QString& name, const QString& folder);

// A plain existence test: a file (not a folder) of that name is there.
bool referencedFileExists(const QString& path);

}  // namespace kinloom
