#include "platform/save_file.h"

#include <cerrno>
#include <cstring>

namespace kinloom {

QString describeFileError(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC: return QStringLiteral("There is no space left on the device.");
    case ENOMEM: return QStringLiteral("There is not enough memory.");
    case EFBIG: return QStringLiteral("The file would be larger than the system allows.");
    default: return QString::fromLocal8Bit(std::strerror(errorNumber)) + QLatin1Char('.');
    }
}

bool SaveFile::fail(const QString& reason) {
    error_ = reason;
    file_.cancelWriting();
    return false;
}

bool SaveFile::open() {
    if (file_.open(QIODevice::WriteOnly)) return true;
    error_ = file_.errorString();
    return false;
}

bool SaveFile::write(const char* data, qint64 size) {
    if (++writes_ == failWrite_) return fail(describeFileError(injectedError_));
    // A write to a filling disk may come back short without an error; the next one tells why.
    while (size > 0) {
        const qint64 written = file_.write(data, size);
        if (written <= 0) {
            if (file_.error() == QFileDevice::ResourceError) return fail(describeFileError(ENOSPC));
            return fail(file_.error() == QFileDevice::NoError ? describeFileError(EIO) : file_.errorString());
        }
        data += written;
        size -= written;
    }
    return true;
}

bool SaveFile::commit() {
    if (failCommit_) return fail(describeFileError(injectedError_));
    // QSaveFile renames its file even when the last buffered bytes could not be written (a disk
    // that fills up at the very end): write them out first and give up when that fails.
    if (!file_.flush())
        return fail(file_.error() == QFileDevice::ResourceError ? describeFileError(ENOSPC) : file_.errorString());
    if (file_.commit()) return true;
    // The temporary file is removed when the flush or the rename fails.
    error_ = file_.error() == QFileDevice::ResourceError ? describeFileError(ENOSPC) : file_.errorString();
    return false;
}

bool SaveFile::writeWhole(const QByteArray& data) { return open() && write(data.constData(), data.size()) && commit(); }

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
    SaveFile file(path);
    if (file.writeWhole(data)) return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace kinloom
