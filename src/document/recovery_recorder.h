#pragma once
#include "document/log_writer.h"
#include "document/recovery_log.h"
#include "document/undo_history.h"

#include <QString>

#include <functional>
#include <vector>

namespace kinloom {

class ItemStore;

// Keeps the crash recovery log of the open document in a folder of its own: when a step of the
// undo history completes (or is undone or redone), what it changed is appended to the log, so
// that after a crash the tree can be rebuilt as it was after its last whole step.
//
// The log of a tree that is its file starts with the first step and names the file; the log of a
// tree that is nowhere else (an import, a recovered tree) starts at once with a copy of every item.
// Only the log's first write makes the file, under a temporary name renamed when complete. While
// the program runs it holds a lock on the log, so that another Kinloom never offers it.
class RecoveryRecorder : public StepListener {
public:
    RecoveryRecorder(ItemStore& store, UndoHistory& history);
    ~RecoveryRecorder() override;
    RecoveryRecorder(const RecoveryRecorder&) = delete;
    RecoveryRecorder& operator=(const RecoveryRecorder&) = delete;

    // The folder of the logs; empty (the default) records nothing.
    void setFolder(const QString& folder) { folder_ = folder; }
    const QString& folder() const { return folder_; }
    // Called once with the reason when the log cannot be written; recording then stops until the
    // next start().
    std::function<void(const QString& reason)> writeFailed;
    // The time of a step, ms since the epoch (tests fix it).
    std::function<qint64()> clock;

    // The history starts afresh on the tree as it is now: `fileName` is the document's file (empty
    // when untitled), `label` how an offer to recover it names it. The previous log goes.
    void start(const QString& fileName, const QString& label);
    // The tree was written to `fileName`: the log goes, and the next step starts one from that file.
    void saved(const QString& fileName);
    // The tree is closed without saving: the log goes.
    void discard();

    // The log being written; empty while there is none.
    const QString& logPath() const { return logPath_; }

    void stepApplied(const ItemChanges& step, bool forward) override;

private:
    bool writeNewLog(const std::string& bytes);
    void fail(const QString& reason);
    void closeLog(bool remove);
    void writeSnapshotLog();
    std::string snapshotFrame() const;
    qint64 now() const;

    ItemStore& store_;
    UndoHistory& history_;
    QString folder_;
    RecoveryHeader header_;
    QString logPath_;
    int fd_ = -1;
    LogWriter writer_;
    bool failed_ = false;
    int logsMade_ = 0;
};

// "family.kl3" for a tree file, "Untitled tree" without one.
QString recoveryLabel(const QString& fileName);

}  // namespace kinloom
