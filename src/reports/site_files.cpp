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
    bool written = writeAll(fd, data);
    int errorNumber = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        errorNumber = errno;
    }
    if (!written) {
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

bool commitPart(const QString& path, QString& error) {
    const QByteArray part = QFile::encodeName(partPath(path));
    const QByteArray target = QFile::encodeName(path);
    struct stat info {};
    const bool present = ::lstat(target.constData(), &info) == 0;
    if ((present && !S_ISREG(info.st_mode)) || (!present && errno != ENOENT)) {
        error = couldNotWrite(path);
        ::unlink(part.constData());
        return false;
    }
    // A page that is there already is exchanged with the new one in one step, and the old one,
    // now under the temporary name, is removed. A plain rename over it would do the same, but
    // ext4 then writes the new file out at once (so that a crash cannot leave it empty), which
    // made writing a site again soon after the last time several times as slow as writing it into
    // a new folder. Where the file system cannot exchange, or the page has gone meanwhile, the
    // rename does it.
    if (present && ::renameat2(AT_FDCWD, part.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) == 0) {
        ::unlink(part.constData());
        return true;
    }
    if (std::rename(part.constData(), target.constData()) != 0) {
        error = couldNotWrite(path);
        ::unlink(part.constData());
        return false;
    }
    return true;
}

void removePart(const QString& path) { ::unlink(QFile::encodeName(partPath(path)).constData()); }

bool writeWhole(const QString& path, const QByteArray& data, QString& error) {
    return writePart(path, data, error) && commitPart(path, error);
}

}  // namespace kinloom
