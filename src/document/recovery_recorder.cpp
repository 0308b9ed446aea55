#include "document/recovery_recorder.h"

#include "document/item_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <unordered_set>

namespace kinloom {

namespace {

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Gathers a step's records: the list moves as they happened, then the whole state of every item
// that moved or whose fields changed, then the places of the others.
class StepRecords : public ItemChanges::Visitor {
public:
    explicit StepRecords(RecoveryStepEncoder& out) : out_(out) {}
    void moved(const PersonItem* item, ItemPlace to) override {
        out_.move(item, to.inStore, to.prev);
        whole(item);
    }
    void fieldsChanged(const PersonItem* item) override { whole(item); }
    void placeChanged(const PersonItem* item) override { places_.push_back(item); }
    void finish() {
        out_.reserve(items_.size(), places_.size());
        for (const PersonItem* item : items_) out_.item(*item);
        // Mostly a step changes places only (a move, an arrangement) or fields only.
        for (const PersonItem* item : places_)
            if (seen_.empty() || !seen_.contains(item)) out_.place(*item);
    }

private:
    void whole(const PersonItem* item) {
        if (seen_.insert(item).second) items_.push_back(item);
    }
    RecoveryStepEncoder& out_;
    std::vector<const PersonItem*> items_, places_;
    std::unordered_set<const PersonItem*> seen_;
};

}  // namespace

QString recoveryLabel(const QString& fileName) {
    return fileName.isEmpty() ? QStringLiteral("Untitled tree") : QFileInfo(fileName).fileName();
}

RecoveryRecorder::RecoveryRecorder(ItemStore& store, UndoHistory& history) : store_(store), history_(history) {
    history_.setStepListener(this);
}

RecoveryRecorder::~RecoveryRecorder() {
    history_.setStepListener(nullptr);
    // A run that ends without Exit (a crash is not this) leaves its log for the next start.
    if (fd_ >= 0) {
        writer_.forget(fd_, true);
        ::close(fd_);
    }
}

qint64 RecoveryRecorder::now() const { return clock ? clock() : QDateTime::currentMSecsSinceEpoch(); }

void RecoveryRecorder::closeLog(bool remove) {
    if (fd_ >= 0) {
        writer_.forget(fd_, !remove);
        ::close(fd_);
    }
    fd_ = -1;
    if (remove && !logPath_.isEmpty()) QFile::remove(logPath_);
    logPath_.clear();
}

void RecoveryRecorder::fail(const QString& reason) {
    failed_ = true;
    if (writeFailed) writeFailed(reason);
}

void RecoveryRecorder::start(const QString& fileName, const QString& label) {
    closeLog(true);
    failed_ = false;
    header_ = RecoveryHeader{};
    header_.fileName = fileName;
    header_.label = label;
    const QFileInfo file(fileName);
    if (store_.empty()) {
        header_.base = RecoveryBase::Empty;
    } else if (!fileName.isEmpty() && !store_.modified && file.isFile()) {
        // The file is the tree: only the keys of its records are kept, the log starts with a step.
        header_.base = RecoveryBase::TreeFile;
        header_.baseSize = file.size();
        header_.baseModified = file.lastModified().toMSecsSinceEpoch();
        header_.baseKeys.reserve(static_cast<size_t>(store_.itemCount()));
        for (const PersonItem* p = store_.firstItem(); p; p = p->Next) header_.baseKeys.push_back(recoveryKey(p));
    } else {
        // The tree is nowhere else: a copy of it starts the log now.
        header_.base = RecoveryBase::Snapshot;
        if (!folder_.isEmpty()) writeSnapshotLog();
    }
}

void RecoveryRecorder::saved(const QString& fileName) {
    const bool wasModified = store_.modified;
    store_.modified = false;  // the file holds the tree now
    start(fileName, recoveryLabel(fileName));
    store_.modified = wasModified;
}

void RecoveryRecorder::discard() {
    closeLog(true);
    header_ = RecoveryHeader{};
}

void RecoveryRecorder::writeSnapshotLog() {
    std::string bytes(kRecoveryMagic, sizeof kRecoveryMagic);
    appendRecoveryFrame(bytes, encodeRecoveryHeader(header_));
    appendRecoveryFrame(bytes, snapshotFrame());
    writeNewLog(bytes);
}

std::string RecoveryRecorder::snapshotFrame() const {
    RecoveryStepEncoder out(now(), store_.modified, store_.lastId, store_.firstItem());
    for (const PersonItem* p = store_.firstItem(); p; p = p->Next) {
        out.item(*p);
        out.move(p, true, p->Prev);
    }
    return out.finish();
}

void RecoveryRecorder::stepApplied(const ItemChanges& step, bool forward) {
    if (folder_.isEmpty() || failed_) return;
    if (const std::optional<QString> error = writer_.takeError()) {
        // What is in the log up to here still recovers an earlier step; nothing more goes after
        // a frame that may be cut short.
        fail(*error);
        return;
    }
    if (fd_ < 0 && header_.base == RecoveryBase::Snapshot) {
        // The copy that should have started the log was not made (no folder then): the tree as
        // it is now, this step included, starts it.
        writeSnapshotLog();
        return;
    }
    const bool unsaved = store_.modified || !history_.stack().isClean();
    RecoveryStepEncoder out(now(), unsaved, store_.lastId, store_.firstItem());
    StepRecords records(out);
    step.visit(forward, records);
    records.finish();
    if (fd_ >= 0) {
        writer_.append(fd_, out.finish());
        return;
    }
    std::string bytes(kRecoveryMagic, sizeof kRecoveryMagic);
    appendRecoveryFrame(bytes, encodeRecoveryHeader(header_));
    appendRecoveryFrame(bytes, out.finish());
    writeNewLog(bytes);
}

bool RecoveryRecorder::writeNewLog(const std::string& bytes) {
    if (!QDir().mkpath(folder_)) {
        fail(QStringLiteral("The folder %1 cannot be made.").arg(folder_));
        return false;
    }
    const QString path = QDir(folder_).filePath(QStringLiteral("tree-%1-%2-%3.klr")
                                                    .arg(::getpid())
                                                    .arg(QDateTime::currentMSecsSinceEpoch())
                                                    .arg(++logsMade_));
    const QString temporary = path + QStringLiteral(".tmp");
    const QByteArray temporaryName = QFile::encodeName(temporary);
    // Locked before it gets its real name, so that no other Kinloom ever sees it unlocked.
    const int fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || !writeAllBytes(fd, bytes) ||
        ::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = systemReason();
        if (fd >= 0) ::close(fd);
        ::unlink(temporaryName.constData());
        fail(reason);
        return false;
    }
    fd_ = fd;
    logPath_ = path;
    writer_.flushLater(fd_);
    return true;
}

}  // namespace kinloom
