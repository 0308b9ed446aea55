// The crash recovery log: its frames byte by byte, a replay after every step that equals the tree,
// a log cut short at every byte, a damaged frame, the three starts of a log, and a folder that
// cannot be written.
#include "document/item_store.h"
#include "document/recovery_recorder.h"
#include "document/recovery_replay.h"
#include "document/tree_file.h"
#include "document/undo_history.h"
#include "platform/scripted_prompts.h"
#include "support/recovery_steps.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

std::string readAll(const QString& path) {
    if (path.isEmpty()) return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

std::string replayed(std::string_view log, QString* error = nullptr) {
    ItemStore store;
    const std::optional<QString> failed = replayRecoveryLog(log, store);
    if (error) *error = failed.value_or(QString());
    return failed ? std::string("failed") : test::treeImage(store);
}

// A store, its history and a recorder writing into a temporary folder.
struct Recording {
    QTemporaryDir dir;
    ItemStore store;
    UndoHistory history{store};
    RecoveryRecorder recovery{store, history};
    Recording() {
        recovery.setFolder(dir.filePath("state/kinloom"));
        recovery.clock = [] { return qint64(1765190520000); };  // 2025-12-08 10:42 UTC
    }
    std::string log() const { return readAll(recovery.logPath()); }
};

}  // namespace

TEST(RecoveryLog, FramesAreLengthChecksumAndPayload) {
    EXPECT_EQ(recoveryChecksum("123456789"), 0xCBF43926u);
    std::string frame;
    appendRecoveryFrame(frame, "abc");
    EXPECT_EQ(frame, std::string("\x03\x00\x00\x00\xC2\x41\x24\x35" "abc", 11));

    // A header of an untitled tree, field by field.
    RecoveryHeader h;
    h.label = "Untitled tree";
    h.base = RecoveryBase::Snapshot;
    const std::string header = encodeRecoveryHeader(h);
    // Kind, version 1, no file name, the label, the base; no size, time or keys.
    std::string expected("H\x01\x00\x00\x00" "\x00\x00\x00\x00" "\x0D\x00\x00\x00" "Untitled tree" "\x02", 27);
    expected += std::string(20, '\0');
    EXPECT_EQ(header, expected);
    const std::optional<RecoveryHeader> back = decodeRecoveryHeader(header);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->label, "Untitled tree");
    EXPECT_EQ(back->base, RecoveryBase::Snapshot);
    // A payload cut anywhere is no header.
    for (size_t n = 0; n < header.size(); ++n) EXPECT_FALSE(decodeRecoveryHeader(header.substr(0, n))) << n;

    // Frames stop at the first that is cut short or fails its checksum.
    std::string log(kRecoveryMagic, 8);
    appendRecoveryFrame(log, "one");
    appendRecoveryFrame(log, "two");
    EXPECT_EQ(recoveryFrames(log).size(), 2u);
    EXPECT_EQ(recoveryFrames(log.substr(0, log.size() - 1)).size(), 1u);
    std::string flipped = log;
    flipped[8 + 11 + 8] ^= 1;  // the first byte of "two"
    EXPECT_EQ(recoveryFrames(flipped).size(), 1u);
    EXPECT_TRUE(recoveryFrames("KLRECOV2" + log.substr(8)).empty());
}

TEST(RecoveryLog, ReplayAfterEveryStepIsTheTreeAndACutLogIsAnEarlierStep) {
    Recording r;
    r.recovery.start({}, "Untitled tree");
    EXPECT_TRUE(r.recovery.logPath().isEmpty());  // an empty tree has nothing to keep yet
    test::RecoverySteps steps(r.store, r.history, 7);
    std::vector<std::string> trees{test::treeImage(r.store)};  // the tree after each frame
    std::vector<size_t> frameEnds;
    for (int i = 0; i < 120; ++i) {
        const size_t before = r.log().size();
        const std::string step = steps.next();
        const std::string log = r.log();
        if (log.size() == before) continue;  // an undo or redo with nothing to do
        frameEnds.push_back(log.size());
        trees.push_back(test::treeImage(r.store));
        ASSERT_EQ(replayed(log), trees.back()) << "after step " << i << " (" << step << ")";
    }
    ASSERT_GT(frameEnds.size(), 100u);
    ASSERT_TRUE(QFileInfo(r.recovery.logPath()).absolutePath().startsWith(r.dir.path()));

    // Cut at every byte of the last frames: the tree of the last whole frame, never a mix.
    const std::string log = r.log();
    const size_t from = frameEnds[frameEnds.size() - 6];
    for (size_t n = from; n <= log.size(); ++n) {
        const size_t whole = static_cast<size_t>(std::upper_bound(frameEnds.begin(), frameEnds.end(), n) - frameEnds.begin());
        ASSERT_EQ(replayed(std::string_view(log).substr(0, n)), trees[whole]) << "cut at " << n;
    }
    // A damaged byte in the last frame: the step before it.
    std::string damaged = log;
    damaged[frameEnds[frameEnds.size() - 2] + 12] ^= 0x40;
    EXPECT_EQ(replayed(damaged), trees[trees.size() - 2]);

    const std::optional<RecoverySummary> summary = summarizeRecoveryLog(log);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->steps, static_cast<int>(frameEnds.size()));
    EXPECT_EQ(summary->changedAt, 1765190520000);
    EXPECT_TRUE(summary->unsaved);

    // Closing without saving removes the log.
    const QString path = r.recovery.logPath();
    r.recovery.discard();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(RecoveryLog, ATreeFileStartsTheLogUntilItChanges) {
    Recording r;
    ScriptedPrompts prompts;
    const QString file = r.dir.filePath("family.kl3");
    {
        ItemStore source;
        PersonItem* father = test::addPerson(source, "Ola", "Hansen", 100, 100);
        PersonItem* child = test::addPerson(source, "Kari", "Hansen", 100, 300);
        child->Father = father;
        ASSERT_TRUE(saveToFile(source, file, prompts));
    }
    ViewState view;
    ASSERT_EQ(readFromFile(r.store, file, view, {}, prompts), ReadStatus::Ok);
    r.history.clear();
    r.recovery.start(file, recoveryLabel(file));
    EXPECT_TRUE(r.recovery.logPath().isEmpty());  // nothing to keep until the first step

    PersonItem* kari = r.store.lastItem();
    {
        EditStep step(r.store, "Properties");
        r.store.touch(kari);
        kari->Father = nullptr;
        kari->BornDate = "1901";
        r.store.modified = true;
    }
    const std::string log = r.log();
    const std::optional<RecoverySummary> summary = summarizeRecoveryLog(log);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->header.fileName, file);
    EXPECT_EQ(summary->header.label, "family.kl3");
    EXPECT_EQ(summary->header.base, RecoveryBase::TreeFile);
    EXPECT_EQ(replayed(log), test::treeImage(r.store));
    // The header names only the file and its two records, not their fields.
    EXPECT_LT(log.size(), 400u);

    // Undone to the file: nothing unsaved is left to offer.
    r.history.undo();
    EXPECT_FALSE(summarizeRecoveryLog(r.log())->unsaved);
    EXPECT_EQ(replayed(r.log()), test::treeImage(r.store));

    // Save removes the log; the next step starts one from the saved file.
    r.history.redo();
    const QString firstLog = r.recovery.logPath();
    ASSERT_TRUE(saveToFile(r.store, file, prompts));
    r.store.modified = false;
    r.recovery.saved(file);
    EXPECT_FALSE(QFile::exists(firstLog));
    {
        EditStep step(r.store, "Properties");
        r.store.touch(kari);
        kari->FirstName = "Karin";
    }
    EXPECT_EQ(replayed(r.log()), test::treeImage(r.store));

    // The file changed behind our back: its changes cannot be applied to it.
    ItemStore other;
    test::addPerson(other, "Someone");
    ASSERT_TRUE(saveToFile(other, file, prompts));
    QString error;
    EXPECT_EQ(replayed(r.log(), &error), "failed");
    EXPECT_EQ(error, QString("The file %1 has changed since these changes were made.").arg(file));
}

TEST(RecoveryLog, AnUnsavedTreeIsCopiedAtOnceAndAFolderThatFailsIsToldOnce) {
    Recording r;
    test::addPerson(r.store, "Imported", "Person");
    test::addPerson(r.store, "Second");
    r.store.modified = true;  // a GEDCOM import
    r.history.clear();
    r.recovery.start({}, "Untitled tree imported from family.ged");
    const std::string log = r.log();
    ASSERT_FALSE(log.empty());
    EXPECT_FALSE(QFile::exists(r.recovery.logPath() + ".tmp"));
    const std::optional<RecoverySummary> summary = summarizeRecoveryLog(log);
    EXPECT_EQ(summary->header.base, RecoveryBase::Snapshot);
    EXPECT_EQ(summary->header.label, "Untitled tree imported from family.ged");
    EXPECT_TRUE(summary->unsaved);
    EXPECT_EQ(replayed(log), test::treeImage(r.store));

    // Where the folder cannot be made, the failure is told once and the steps go on.
    ASSERT_TRUE(test::writeBytes(r.dir.filePath("blocked"), {'x'}));
    r.recovery.setFolder(r.dir.filePath("blocked/kinloom"));
    QStringList told;
    r.recovery.writeFailed = [&told](const QString& reason) { told << reason; };
    r.recovery.start({}, "Untitled tree");
    EXPECT_EQ(told, QStringList{QString("The folder %1 cannot be made.").arg(r.dir.filePath("blocked/kinloom"))});
    test::RecoverySteps steps(r.store, r.history, 3);
    for (int i = 0; i < 5; ++i) steps.next();
    EXPECT_EQ(told.size(), 1);
    EXPECT_GE(r.history.stack().count(), 1);
}
