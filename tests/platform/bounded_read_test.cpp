#include "editor/person_save.h"
#include "platform/bounded_read.h"
#include "platform/charsets.h"
#include "platform/imagecodec.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kinloom;

namespace {

QString sparseFile(const QTemporaryDir& dir, const QString& name, qint64 size) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(size));
    return path;
}

// Paths that a tree may name but that must never be read whole: a device that never ends, a FIFO
// whose open would block, a folder, and files above the limits.
TEST(BoundedRead, OnlyRegularFilesWithinTheLimitsAreRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const qint64 pictureLimit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    const QString bigNotes = sparseFile(dir, "big.txt", kMaxNotesFileSize + 1);
    const QString bigPicture = sparseFile(dir, "big.bmp", pictureLimit + 1);
    const DisplayCharset cs;

    for (const QString& path : {QString("/dev/zero"), fifo, dir.path(), bigNotes, bigPicture}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(readRegularFile(path, kMaxNotesFileSize).has_value());
        EXPECT_FALSE(readNotesFile(path, cs).has_value());
        EXPECT_TRUE(notesFileUnreadable(path));  // so the memo is never saved over it
        EXPECT_TRUE(loadImageFile(path).isNull());
    }
    EXPECT_FALSE(notesFileUnreadable(dir.filePath("missing.txt")));

    // Exactly at the limit is still read.
    const QString atLimit = sparseFile(dir, "limit.txt", kMaxNotesFileSize);
    ASSERT_TRUE(readNotesFile(atLimit, cs).has_value());
    EXPECT_EQ(readNotesFile(atLimit, cs)->size(), kMaxNotesFileSize);
    EXPECT_FALSE(notesFileUnreadable(atLimit));
}

}  // namespace
