#pragma once
#include <QByteArray>
#include <QString>

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

// Renames the temporary file to path. False with `error` ("Could not write PATH") when path names
// something other than a regular file or the rename fails; the temporary file is then removed.
bool commitPart(const QString& path, QString& error);

// Removes path's temporary file, if any.
void removePart(const QString& path);

// writePart and commitPart in one.
bool writeWhole(const QString& path, const QByteArray& data, QString& error);

}  // namespace kinloom
