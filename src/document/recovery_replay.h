#pragma once
#include "document/recovery_log.h"

#include <QString>

#include <optional>
#include <string_view>

namespace kinloom {

class ItemStore;

// What a recovery log holds, without building its tree: enough to offer it.
struct RecoverySummary {
    RecoveryHeader header;
    qint64 changedAt = 0;  // the last whole step, ms since the epoch; 0 when there is none
    bool unsaved = false;  // the tree after that step differs from its file
    int steps = 0;
};

// Nullopt when the log has no whole header.
std::optional<RecoverySummary> summarizeRecoveryLog(std::string_view log);

// Replaces the store's items with the tree as it was after the log's last whole step (nothing
// selected, no current item, store.modified untouched). On failure the reason, and the store as it was.
std::optional<QString> replayRecoveryLog(std::string_view log, ItemStore& store);

}  // namespace kinloom
