#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

namespace kinloom {

// Reads a whole file that a tree names (a picture, a notes file), but only a regular file of at
// most maxBytes: a device such as /dev/zero, a FIFO or a huge file would otherwise be read until
// memory runs out, or block for ever. nullopt when the file is not such a file or cannot be read.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

}  // namespace kinloom
