#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

namespace kinloom {

// The folder a tree's relative file names are taken in: the tree file's folder, or the current
// folder for an untitled tree.
QString treeFolderOf(const QString& treeFileName);

// Finds the files that a tree's notes and picture references name, as every part of the program
// opens them. Relative names are taken in the tree's folder. Trees made on Windows name files as
// "pics\ola.jpg", "PICS\OLA.JPG" or "C:\Slekt\pics\ola.jpg": a backslash separates folders; when
// the exact name is missing, the one existing file whose path matches ignoring case is taken (none
// when two match); a drive-letter (or \\server\share) path is looked for below the tree's folder,
// with as many of its last folder names as are there: "Slekt/pics/ola.jpg", then "pics/ola.jpg",
// then "ola.jpg". The stored text itself is never changed here.
//
// Folders are listed once per resolver; make one per run over a tree, and one per thread.
class FileReferences {
public:
    explicit FileReferences(const QString& treeFolder = QString());

    const QString& treeFolder() const { return treeFolder_; }

    // The existing file (not a folder) that the stored name refers to; empty when none is found.
    QString find(const QString& name) const;
    // find(name), or when nothing is found, where the name points read plainly (backslashes as
    // separators, relative names in the tree's folder): for messages, dialogs and new files.
    QString path(const QString& name) const;

private:
    QString matchBelow(const QString& base, const QStringList& parts) const;
    const QHash<QString, QStringList>& listing(const QString& folder) const;

    QString treeFolder_;
    // Folder -> its entries by case-folded name.
    mutable QHash<QString, QHash<QString, QStringList>> listings_;
};

}  // namespace kinloom
