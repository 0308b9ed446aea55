#pragma once
#include "document/recovery_replay.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace kinloom {

struct AppState;

// The folder of the recovery logs: $XDG_STATE_HOME/kinloom, by default ~/.local/state/kinloom.
QString defaultRecoveryFolder();

struct RecoverableTree {
    QString logPath;
    RecoverySummary summary;
};

// The logs in the folder that no running Kinloom holds and whose tree had unsaved changes, the
// oldest first. Logs with nothing to recover, and temporary files left by a log never finished,
// are removed.
std::vector<RecoverableTree> findRecoverableTrees(const QString& folder);

// How an offer names a tree: "family.kl3, changed 10:42" (the date too when not today).
QString recoverableTreeText(const RecoverySummary& summary, const QDateTime& now);

// At start: offers each tree that a Kinloom stopped before it was saved. Yes opens the tree,
// modified, under its own name (only one: the others are offered at the next start); No removes
// its recovery data.
void offerRecovery(AppState& state);

}  // namespace kinloom
