// The desktop program's command line, read as main() reads it: before QApplication takes its
// own options out of argv.
#include "app/command_line.h"
#include "app/ui/main_window.h"
#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace kinloom;

class CommandLineTest : public QObject {
    Q_OBJECT
public:
    CommandLineTest(CommandLine line, QString tree) : line_(std::move(line)), tree_(std::move(tree)) {}

private slots:
    void aTreeWhoseNameLooksLikeAQtOptionOpens() {
        QVERIFY(!line_.showWelcome);
        QCOMPARE(line_.treeWords.join(' '), tree_);
        QVERIFY(!QApplication::arguments().contains("-reverse"));  // what Qt leaves is not enough
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", line_.treeWords);
        QVERIFY(prompts.records().empty());
        QCOMPARE(w.state().currentFileName, tree_);
        QCOMPARE(w.state().store.firstItem()->FirstName.str(), std::string("Ola"));
    }

private:
    CommandLine line_;
    QString tree_;
};

int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString tree = QDir(dir.path()).filePath("My -reverse Tree.kl3");
    {
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        test::addPerson(store, "Ola");
        if (!saveToFile(store, tree, prompts)) return 2;
    }
    // The path reaches the program split at its blanks.
    std::vector<std::string> words = {argv[0], "--no-welcome"};
    for (const QString& part : tree.split(' ')) words.push_back(part.toStdString());
    std::vector<char*> args;
    for (std::string& word : words) args.push_back(word.data());
    args.push_back(nullptr);
    int count = static_cast<int>(words.size());
    const CommandLine line = parseCommandLine(count, args.data());
    QApplication app(count, args.data());
    CommandLineTest test(line, tree);
    return QTest::qExec(&test, argc, argv);
}

#include "command_line_test.moc"
