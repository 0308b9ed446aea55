#include "app/crash_recovery.h"

#include "app/app_state.h"
#include "app/file_commands.h"
#include "document/centre_home.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTimeZone>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace kinloom {

namespace {

// The log's bytes when no running Kinloom holds it; nullopt when one does.
std::optional<QByteArray> readUnheldLog(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    QByteArray bytes;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) bytes = file.readAll();
    ::close(fd);
    return bytes;
}

std::string_view viewOf(const QByteArray& bytes) { return {bytes.constData(), static_cast<size_t>(bytes.size())}; }

}  // namespace

QString defaultRecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG_STATE_HOME counts only as an absolute path; a relative one falls back to the default.
    if (state.isEmpty() || QDir::isRelativePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/kinloom");
}

std::vector<RecoverableTree> findRecoverableTrees(const QString& folder) {
    std::vector<RecoverableTree> trees;
    if (folder.isEmpty()) return trees;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.klr"), QStringLiteral("*.klr.tmp")}, QDir::Files)) {
        const QString path = dir.filePath(name);
        const std::optional<QByteArray> bytes = readUnheldLog(path);
        if (!bytes) continue;  // another Kinloom is writing it
        const std::optional<RecoverySummary> summary =
            name.endsWith(QLatin1String(".tmp")) ? std::nullopt : summarizeRecoveryLog(viewOf(*bytes));
        if (!summary || !summary->unsaved) {
            QFile::remove(path);
            continue;
        }
        trees.push_back({path, *summary});
    }
    std::stable_sort(trees.begin(), trees.end(), [](const RecoverableTree& a, const RecoverableTree& b) {
        return a.summary.changedAt < b.summary.changedAt;
    });
    return trees;
}

QString recoverableTreeText(const RecoverySummary& summary, const QDateTime& now) {
    const QDateTime changed = QDateTime::fromMSecsSinceEpoch(summary.changedAt, now.timeZone());
    const QLocale c = QLocale::c();
    const QString when = changed.date() == now.date() ? c.toString(changed, QStringLiteral("HH:mm"))
                                                      : c.toString(changed, QStringLiteral("d MMM yyyy HH:mm"));
    return summary.header.label + QStringLiteral(", changed ") + when;
}

void offerRecovery(AppState& state) {
    for (const RecoverableTree& tree : findRecoverableTrees(state.recovery.folder())) {
        const QString named = recoverableTreeText(tree.summary, QDateTime::currentDateTime());
        const PromptAnswer answer = state.prompts.message(
            kAppTitle,
            QStringLiteral("Kinloom was stopped before these changes were saved:\n\n%1\n\nDo you want to recover them?")
                .arg(named),
            PromptButtons::YesNo, PromptIcon::Question);
        if (answer != PromptAnswer::Yes) {
            QFile::remove(tree.logPath);
            continue;
        }
        const std::optional<QByteArray> bytes = readUnheldLog(tree.logPath);
        const std::optional<QString> error =
            bytes ? replayRecoveryLog(viewOf(*bytes), state.store) : QStringLiteral("Its recovery data is in use.");
        if (error) {
            state.prompts.error(kAppTitle, QStringLiteral("Kinloom could not recover %1.\n%2").arg(named, *error));
            QFile::remove(tree.logPath);
            continue;
        }
        state.currentFileName = tree.summary.header.fileName;
        state.store.modified = true;
        state.view.zoom = 100;
        centreHomeItem(state.store, state.view, state.windowOuterSize());
        // The recovered tree starts a log of its own, with a copy of every item, before the old one goes.
        startFreshHistory(state, tree.summary.header.label);
        QFile::remove(tree.logPath);
        state.repaint();
        if (state.hooks.showWholeTreeIfLarge) state.hooks.showWholeTreeIfLarge();
        state.setStatus(QStringLiteral("Recovered ") + named);
        return;  // one window holds one tree: the others wait for the next start
    }
}

}  // namespace kinloom
