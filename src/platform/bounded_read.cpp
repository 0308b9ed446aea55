#include "platform/bounded_read.h"

#include <QFile>
#include <QFileInfo>

namespace kinloom {

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty()) return std::nullopt;
    // isFile() is true for regular files only (a link counts as what it points at); asking before
    // opening keeps a FIFO from blocking the open.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // The file may have grown since it was looked at: never take more than the limit.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes) return std::nullopt;
    return bytes;
}

}  // namespace kinloom
