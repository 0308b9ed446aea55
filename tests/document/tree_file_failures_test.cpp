#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace kinloom;

TEST(TreeFileFailures, AGedcomFileThatIsNoTreeOffersTheImport) {
    QTemporaryDir dir;
    const std::string gedcom = "0 HEAD\r\n1 CHAR UTF-8\r\n0 TRLR\r\n";
    const auto notRecognized = [&dir](const char* name) {
        return "Error: Kinloom did not recognize the file\n" + QDir(dir.path()).filePath(name) +
               " is not a Kinloom tree file.";
    };
    const struct {
        const char* name;
        std::optional<PromptAnswer> answer;  // none: a plain error box with OK
        ReadStatus status;
    } cases[] = {
        {"family.ged", PromptAnswer::Yes, ReadStatus::ImportAsGedcom},
        {"FAMILY.GED", PromptAnswer::No, ReadStatus::NotRecognized},
        {"family.kl3", std::nullopt, ReadStatus::NotRecognized},
    };
    for (const auto& c : cases) {
        const QString path = QDir(dir.path()).filePath(c.name);
        ASSERT_TRUE(test::writeBytes(path, std::vector<unsigned char>(gedcom.begin(), gedcom.end())));
        ScriptedPrompts prompts;
        if (c.answer) prompts.answerButton(*c.answer);
        ItemStore store(&prompts);
        test::addPerson(store, "Old");
        ViewState view;
        EXPECT_EQ(readFromFile(store, path, view, {800, 600}, prompts), c.status) << c.name;
        // The open tree stays as it was until the import empties it.
        EXPECT_EQ(store.itemCount(), 1);
        EXPECT_TRUE(store.modified);
        ASSERT_EQ(prompts.records().size(), 1u);
        const auto& box = prompts.records()[0];
        EXPECT_EQ(box.icon, PromptIcon::Error);
        if (c.answer) {
            // The words stay as they are; the offer follows them.
            EXPECT_EQ(box.text, notRecognized(c.name) +
                                    "\n\nThis looks like a GEDCOM file. Do you want to import it as GEDCOM?");
            EXPECT_EQ(box.buttons, PromptButtons::YesNo);
        } else {
            EXPECT_EQ(box.text, notRecognized(c.name));
            EXPECT_EQ(box.buttons, PromptButtons::Ok);
        }
    }
}

TEST(TreeFileFailures, AWritableTreeInAReadOnlyFolderIsSavedInPlace) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("tree.kl3");
    ASSERT_TRUE(test::writeBytes(path, std::vector<unsigned char>(100, 1)));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    // The save runs in a child process that gives up root when it has it: only then does the
    // read-only folder refuse the temporary file.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
            ScriptedPrompts prompts;
            ItemStore store(&prompts);
            test::addPerson(store, "Ola");
            test::addPerson(store, "Kari");
            std::_Exit(saveToFile(store, path, prompts) && prompts.records().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(QFileInfo(path).size(), 2 * 2560);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"tree.kl3"});  // no temporary file left
}
