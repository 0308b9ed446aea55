#pragma once
#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace kinloom {

// A file written beside its target and renamed over it only when complete (QSaveFile), with the
// reason of a failure in words a user understands: a full disk says "no space left on the device"
// rather than Qt's "Unknown error" after a short write.
//
// Tests can make the n-th write or the final rename fail with a given errno, to show that no
// failure at any point harms the file that was there before.
class SaveFile {
public:
    explicit SaveFile(const QString& fileName) : file_(fileName) {}

    // Write in place where the folder forbids the temporary file (QSaveFile's direct-write fallback).
    void setDirectWriteFallback(bool enabled) { file_.setDirectWriteFallback(enabled); }
    bool open();
    // Writes all of data; false (and the temporary file is dropped) when that fails.
    bool write(const char* data, qint64 size);
    // Renames the temporary file over the target; false when that fails.
    bool commit();
    // open, write and commit in one: all of data or, on failure, the target as it was.
    bool writeWhole(const QByteArray& data);
    // Drops the temporary file; the target stays as it was.
    void cancel() { file_.cancelWriting(); }

    QString fileName() const { return file_.fileName(); }
    // Why the last operation failed, as a sentence.
    QString errorString() const { return error_; }

    // Fault injection: the n-th call of write (1-based), or the rename, fails with errorNumber.
    void failWrite(int n, int errorNumber) { failWrite_ = n, injectedError_ = errorNumber; }
    void failCommit(int errorNumber) { failCommit_ = true, injectedError_ = errorNumber; }
    int writeCount() const { return writes_; }

private:
    bool fail(const QString& reason);

    QSaveFile file_;
    QString error_;
    int writes_ = 0;
    int failWrite_ = 0;
    bool failCommit_ = false;
    int injectedError_ = 0;
};

// Writes data to path through a SaveFile. False, with the reason in `error` when given, when any
// step fails; whatever was at path is then untouched.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// The sentence for an errno value: ENOSPC gives "There is no space left on the device.", ENOMEM
// "There is not enough memory."; others the system's text.
QString describeFileError(int errorNumber);

}  // namespace kinloom
