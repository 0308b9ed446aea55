#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

#include <sys/types.h>

namespace kinloom {

// The files of a web site are written whole under a temporary name beside their own ("2.html.part")
// and renamed when complete, so that no page is ever left half written. The temporary file is
// always made afresh: whatever already has its name (a link planted in the folder, a file left by
// a run that was cut short) is removed, never followed or written into. The rename goes only over
// a regular file or over nothing, never over a link or a folder.
QString partPath(const QString& path);

// Writes data into path's temporary file. False with `error` ("Could not write PATH: reason") when
// that fails; no temporary file is then left.
bool writePart(const QString& path, const QByteArray& data, QString& error);

// Whether a finished file may take this name: nothing is there, or a regular file.
bool replaceableByPart(const QString& path);

// Removes path's temporary file, if any.
void removePart(const QString& path);

// Puts the files of a site in place one after the other, in a folder that may hold the site of an
// earlier run. A file that is there already is exchanged with its new version in one step
// (renameat2 RENAME_EXCHANGE), so that the name always holds a whole file. The old file then
// lies under the temporary name; rather than removing it, which on a file system that discards
// freed blocks costs far more than writing the page, it is kept as a spare, and the next file is
// written into it (its blocks overwritten, the file cut to the new size) before that file is
// exchanged in turn. Only an old file that is a regular file with no other name is kept so; one
// with a second name (a hard link elsewhere) is only unnamed here, and stays as it was. A spare is
// opened without following links and must still be the file that was exchanged out. The spares
// left at the end are removed by finish() or the destructor.
class SiteFileReplacer {
public:
    SiteFileReplacer() = default;
    ~SiteFileReplacer() { finish(); }
    SiteFileReplacer(const SiteFileReplacer&) = delete;
    SiteFileReplacer& operator=(const SiteFileReplacer&) = delete;

    // Writes data as the file path. False with `error` ("Could not write PATH", with the reason
    // when known) when path names something other than a regular file or writing fails; nothing
    // is then left under a temporary name.
    bool write(const QString& path, const QByteArray& data, QString& error);
    // Puts path's temporary file, written by writePart, in place; false as write().
    bool commitPart(const QString& path, QString& error);
    // Removes the spare files.
    void finish();

private:
    struct Spare {
        QByteArray name;
        dev_t device;
        ino_t inode;
    };
    // A spare opened for writing, or -1 (and none is left) when there is none fit for it.
    int openSpare(QByteArray& name);
    bool putInPlace(const QString& path, const QByteArray& temporary, QString& error);

    std::vector<Spare> spares_;
};

}  // namespace kinloom
