#include "app/app_state.h"
#include "app/file_commands.h"
#include "document/item_store.h"
#include "document/tree_file.h"
#include "document/tree_record_codec.h"
#include "editor/person_save.h"
#include "gedcom/gedcom_export.h"
#include "platform/charsets.h"
#include "platform/registry.h"
#include "platform/save_file.h"
#include "platform/scripted_prompts.h"
#include "reports/alphabetical_list.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <fstream>

using namespace kinloom;
using namespace kinloom::test;

namespace {

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

TEST(SaveFaults, AFailureAtAnyWriteOrAtTheRenameLeavesTheOldFileByteForByte) {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    // 600 items take three blocks of records, so the writer writes three times, then renames.
    for (int i = 0; i < 600; ++i) addPerson(store, "P" + std::to_string(i));
    store.lastItem()->Father = store.firstItem();
    const QString path = dir.filePath("tree.kl3");
    const std::vector<unsigned char> old{'o', 'l', 'd', '\n'};
    ASSERT_TRUE(writeBytes(path, old));

    const QString noSpace = "Kinloom could not save the file " + path + ".\nThere is no space left on the device.";
    int writes = 0;
    for (int n = 1;; ++n) {
        prompts.clear();
        SaveFile file(path);
        file.failWrite(n, ENOSPC);
        const bool saved = writeTreeFile(store, file, prompts);
        if (saved) {
            writes = file.writeCount();
            break;
        }
        EXPECT_EQ(readBytes(path), old) << "write " << n;
        EXPECT_EQ(entries(dir), QStringList{"tree.kl3"}) << "write " << n;
        EXPECT_EQ(prompts.messageTexts(), std::vector<QString>{noSpace});
    }
    EXPECT_EQ(writes, 3);

    ASSERT_TRUE(writeBytes(path, old));
    prompts.clear();
    SaveFile renameFails(path);
    renameFails.failCommit(EACCES);
    EXPECT_FALSE(writeTreeFile(store, renameFails, prompts));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(entries(dir), QStringList{"tree.kl3"});
    EXPECT_EQ(prompts.messageTexts(),
              std::vector<QString>{"Kinloom could not save the file " + path + ".\nPermission denied."});
}

TEST(SaveFaults, EveryWholeFileWriterKeepsTheOldFileWhenTheSystemRefusesTheBytes) {
    // In a child process, files may grow to 100 bytes only; each writer has more to write than
    // that, all of it held in a write buffer until the end. Every one must fail, say why where it
    // can, and leave the old file as it was with no temporary file beside it.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto writeUnderLimit = [] {
        QTemporaryDir dir;
        const std::vector<unsigned char> old{'o', 'l', 'd', '\r', '\n'};
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        for (int i = 0; i < 20; ++i) addPerson(store, "Person" + std::to_string(i));
        const QByteArray bytes(500, 'x');
        const std::vector<std::string> lines(20, std::string(40, 'n'));
        QString error;
        const std::vector<std::pair<QString, std::function<bool(const QString&)>>> writers{
            {"bytes", [&](const QString& path) { return writeFileAtomically(path, bytes, &error); }},
            {"notes", [&](const QString& path) { return writeNotesFile(path, QString(500, QLatin1Char('x')), DisplayCharset()); }},
            {"gedcom", [&](const QString& path) { return writeGedcomFile(store, path, {2000, 1, 1}, {12, 0}, &error); }},
            {"list", [&](const QString& path) { return writeAlphabeticalList(lines, path, &error); }},
        };
        for (const auto& [name, write] : writers)
            if (!writeBytes(dir.filePath(name), old)) std::_Exit(100);

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        int faults = 0;
        for (const auto& [name, write] : writers) {
            error = name == "notes" ? "(gives no reason)" : "";
            const bool written = write(dir.filePath(name));
            if (written || error.isEmpty() || readBytes(dir.filePath(name)) != old) {
                std::fprintf(stderr, "%s: written %d, error \"%s\"\n", qPrintable(name), written, qPrintable(error));
                ++faults;
            }
        }
        if (entries(dir) != QStringList{"bytes", "gedcom", "list", "notes"}) {
            std::fprintf(stderr, "left behind: %s\n", qPrintable(entries(dir).join(' ')));
            ++faults;
        }
        dir.remove();
        std::_Exit(faults);
    };
    EXPECT_EXIT(writeUnderLimit(), testing::ExitedWithCode(0), "");
}

// A sparse file of whole records, as large as asked, that costs no disk space.
void makeSparseTree(const QString& path, qint64 records) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(records * kTreeRecordSize));
}

TEST(SaveFaults, ATreeFileLargerThanMemoryIsRefusedAndTheOpenTreeIsKept) {
    QTemporaryDir dir;
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state{registry, prompts};
    bindTreeFiles(state);
    state.hooks.windowOuterSize = [] { return WindowSize{800, 600}; };
    addPerson(state.store, "Kept");
    state.store.modified = true;
    state.currentFileName = dir.filePath("kept.kl3");

    // More records than the machine has memory for.
    const qint64 memory = static_cast<qint64>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE);
    const QString huge = dir.filePath("huge.kl3");
    makeSparseTree(huge, memory / static_cast<qint64>(sizeof(PersonItem)) + 1);
    prompts.answerButton(PromptAnswer::No);  // do not save the changes first
    prompts.answerText(huge);
    openTree(state);
    EXPECT_EQ(prompts.messageTexts().back(),
              "Kinloom could not open the file " + huge + ".\nThere is not enough memory to read it.");
    ASSERT_EQ(state.store.itemCount(), 1);
    EXPECT_EQ(state.store.firstItem()->FirstName, "Kept");
    EXPECT_TRUE(state.store.modified);
    EXPECT_EQ(state.currentFileName, dir.filePath("kept.kl3"));
}

// AddressSanitizer reserves far more address space than it uses, so a limit on it means nothing.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KINLOOM_ADDRESS_SANITIZER 1
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(KINLOOM_ADDRESS_SANITIZER)
TEST(SaveFaults, RunningOutOfMemoryWhileReadingSaysSo) {
    // The address space of a child process is limited to what it uses now and 256 MB more; the
    // file holds items for twice that.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir dir;
    const QString big = dir.filePath("big.kl3");
    makeSparseTree(big, static_cast<qint64>((512u << 20) / sizeof(PersonItem)));
    const auto readUnderLimit = [&] {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (256u << 20);
        setrlimit(RLIMIT_AS, &limit);
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        addPerson(store, "Kept");
        ViewState view;
        const ReadStatus status = readFromFile(store, big, view, {800, 600}, prompts);
        // The file is read apart from the open tree, which stays as it was.
        const bool kept = store.itemCount() == 1 && store.firstItem()->FirstName == "Kept";
        const bool told = prompts.messageTexts() ==
            std::vector<QString>{"Kinloom could not open the file " + big + ".\nThere is not enough memory to read it."};
        std::_Exit(status == ReadStatus::NotEnoughMemory && kept && told ? 0 : 1);
    };
    EXPECT_EXIT(readUnderLimit(), testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
