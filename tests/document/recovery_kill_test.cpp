// A Kinloom killed at any moment: a child process edits a tree with recovery data on and is
// stopped with SIGKILL at random points; the tree rebuilt from what it left is always the tree
// after one of its completed steps, never a mix of two.
#include "document/item_store.h"
#include "document/recovery_replay.h"
#include "document/undo_history.h"
#include "support/recovery_steps.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <random>
#include <map>

using namespace kinloom;

TEST(RecoveryKill, EveryRecoveredTreeIsOneAfterACompletedStep) {
    constexpr int kSteps = 1500;
    const unsigned seed = 11;
    // The trees the child passes through, computed here with the same steps.
    std::map<size_t, int> trees;  // the hash of each tree's image, and the first step that makes it
    {
        ItemStore store;
        UndoHistory history(store);
        test::RecoverySteps steps(store, history, seed);
        for (int i = 1; i <= kSteps; ++i) {
            steps.next();
            trees.try_emplace(std::hash<std::string>{}(test::treeImage(store)), i);
        }
    }
    std::mt19937 random(2024);
    std::set<int> recoveredSteps;
    for (int run = 0; run < 24; ++run) {
        QTemporaryDir dir;
        QProcess child;
        child.start(KINLOOM_RECOVERY_CHILD_PATH, {dir.path(), QString::number(seed), QString::number(kSteps)});
        ASSERT_TRUE(child.waitForStarted());
        // Once it starts, the child takes at least 60 ms for its steps (it pauses after each).
        ASSERT_TRUE(child.waitForReadyRead(10000));
        QThread::msleep(std::uniform_int_distribution<int>(0, 45)(random));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardError().toStdString();

        const QStringList logs = QDir(dir.path()).entryList({"*.klr"}, QDir::Files);
        if (logs.isEmpty()) continue;  // killed before its first step
        ASSERT_EQ(logs.size(), 1);
        QFile f(QDir(dir.path()).filePath(logs.first()));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        ItemStore store;
        ASSERT_FALSE(replayRecoveryLog({bytes.constData(), static_cast<size_t>(bytes.size())}, store));
        const auto tree = trees.find(std::hash<std::string>{}(test::treeImage(store)));
        ASSERT_NE(tree, trees.end()) << "run " << run << ", " << bytes.size() << " bytes";
        recoveredSteps.insert(tree->second);
    }
    // The kills fell at many points of the sequence, not only after its end.
    EXPECT_GE(recoveredSteps.size(), 5u);
}
