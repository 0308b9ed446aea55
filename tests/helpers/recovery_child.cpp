// Edits a tree with recovery data on, step after step, until it is killed: the crash recovery
// test stops it with SIGKILL at random moments and rebuilds the tree from what it left.
//   kinloom_recovery_child FOLDER SEED STEPS
#include "document/item_store.h"
#include "document/recovery_recorder.h"
#include "document/undo_history.h"
#include "support/recovery_steps.h"

#include <QString>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    using namespace kinloom;
    ItemStore store;
    UndoHistory history(store);
    RecoveryRecorder recovery(store, history);
    recovery.setFolder(QString::fromLocal8Bit(argv[1]));
    recovery.writeFailed = [](const QString& reason) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        std::_Exit(3);
    };
    recovery.start(QString(), QStringLiteral("Untitled tree"));
    test::RecoverySteps steps(store, history, static_cast<unsigned>(std::atoi(argv[2])));
    const int count = std::atoi(argv[3]);
    std::printf("start\n");
    std::fflush(stdout);
    for (int i = 0; i < count; ++i) {
        steps.next();
        // A pause after each step makes the sequence outlast the test's longest wait before its
        // kill however fast the machine is, so the kills fall all along it.
        usleep(40);
    }
    std::printf("done\n");
    std::fflush(stdout);
    pause();  // the test kills us here at the latest
    return 0;
}
