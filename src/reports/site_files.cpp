#include "reports/site_files.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinloom {

namespace {

QString couldNotWrite(const QString& path) { return QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(path)); }

QString couldNotWrite(const QString& path, int errorNumber) {
    return couldNotWrite(path) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errorNumber));
}

int createExclusively(const QByteArray& name) {
    return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

bool writeAll(int fd, const QByteArray& data) {
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;  // a full disk may take nothing without saying why
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Writes data into fd from its start, cuts the file there when `cut`, and closes fd; 0, or the
// error number of what failed.
int writeAndClose(int fd, const QByteArray& data, bool cut) {
    int errorNumber = writeAll(fd, data) && (!cut || ::ftruncate(fd, data.size()) == 0) ? 0 : errno;
    if (::close(fd) != 0 && errorNumber == 0) errorNumber = errno;
    return errorNumber;
}

}  // namespace

QString partPath(const QString& path) { return path + QStringLiteral(".part"); }

bool writePart(const QString& path, const QByteArray& data, QString& error) {
    const QByteArray part = QFile::encodeName(partPath(path));
    int fd = createExclusively(part);
    // Only the name is removed: a link goes, what it points at stays as it was.
    if (fd < 0 && errno == EEXIST && (::unlink(part.constData()) == 0 || errno == ENOENT)) fd = createExclusively(part);
    if (fd < 0) {
        error = couldNotWrite(path, errno);
        return false;
    }
    if (const int errorNumber = writeAndClose(fd, data, false)) {
        error = couldNotWrite(path, errorNumber);
        ::unlink(part.constData());
        return false;
    }
    return true;
}

bool replaceableByPart(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

void removePart(const QString& path) { ::unlink(QFile::encodeName(partPath(path)).constData()); }

bool SiteFileReplacer::write(const QString& path, const QByteArray& data, QString& error) {
    QByteArray temporary;
    const int spare = openSpare(temporary);
    if (spare < 0) return writePart(path, data, error) && commitPart(path, error);
    // The spare's old bytes are overwritten from the start and whatever lies beyond the new size is cut off.
    if (const int errorNumber = writeAndClose(spare, data, true)) {
        error = couldNotWrite(path, errorNumber);
        ::unlink(temporary.constData());
        return false;
    }
    return putInPlace(path, temporary, error);
}

bool SiteFileReplacer::commitPart(const QString& path, QString& error) {
    return putInPlace(path, QFile::encodeName(partPath(path)), error);
}

int SiteFileReplacer::openSpare(QByteArray& name) {
    while (!spares_.empty()) {
        const Spare spare = std::move(spares_.back());
        spares_.pop_back();
        // No link is followed, and a name that now holds something else (a fifo included) is not
        // written into: the file must be the very one that was exchanged out, still without a second name.
        const int fd = ::open(spare.name.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat info {};
        if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
            info.st_dev == spare.device && info.st_ino == spare.inode) {
            name = spare.name;
            return fd;
        }
        if (fd >= 0) ::close(fd);
        ::unlink(spare.name.constData());
    }
    return -1;
}

bool SiteFileReplacer::putInPlace(const QString& path, const QByteArray& temporary, QString& error) {
    const QByteArray target = QFile::encodeName(path);
    struct stat info {};
    const bool present = ::lstat(target.constData(), &info) == 0;
    if ((present && !S_ISREG(info.st_mode)) || (!present && errno != ENOENT)) {
        error = couldNotWrite(path);
        ::unlink(temporary.constData());
        return false;
    }
    // A plain rename over the old file would do as well, but ext4 then writes the new file out at
    // once (so that a crash cannot leave it empty), which makes writing a site again several times
    // as slow as writing it into a new folder. Where the file system cannot exchange, or the file
    // has gone meanwhile, the rename does it.
    if (present && ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) == 0) {
        struct stat old {};
        if (::lstat(temporary.constData(), &old) == 0 && S_ISREG(old.st_mode) && old.st_nlink == 1)
            spares_.push_back({temporary, old.st_dev, old.st_ino});
        else
            ::unlink(temporary.constData());
        return true;
    }
    if (std::rename(temporary.constData(), target.constData()) != 0) {
        error = couldNotWrite(path);
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

void SiteFileReplacer::finish() {
    for (const Spare& spare : spares_) ::unlink(spare.name.constData());
    spares_.clear();
}

}  // namespace kinloom
