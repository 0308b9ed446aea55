#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "reports/collect_files.h"
#include "platform/file_references.h"

#include <QFileInfo>

namespace kinloom::cli {

namespace {
const char kCollectHelp[] =
    "usage: kinloom-cli collect [--no-date-standardization] TREE OUT.kl3\n"
    "\n"
    "Does what File > Collect all files does: copies every notes file and picture that the tree\n"
    "file TREE (.kl3, .kl2 or .kl) names (relative names taken in TREE's folder) into OUT's folder,\n"
    "points the items at the copies by bare file name and saves the tree as OUT. A file whose bare\n"
    "name is taken there by another file is copied under a free name (\"portrait (2).jpg\"). TREE is\n"
    "left as it was. Prints the final message. Exit status 0 when everything was collected, 2 when\n"
    "the tree was saved but some files could not be copied (their items keep the old names), 1 when\n"
    "the tree could not be read or saved.\n";
}  // namespace

int runCollect(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kCollectHelp));
        return 0;
    }
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("collect", args, 2, "TREE and OUT.kl3", operands, dates)) return 1;

    if (QFileInfo(operands[0]).absoluteFilePath() == QFileInfo(operands[1]).absoluteFilePath())
        return fail("collect", QStringLiteral("OUT must be another file than TREE, which is left as it was"));
    if (!acceptOutputFile("collect", operands[0], operands[1], {QStringLiteral("kl3")})) return 1;

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("collect", operands[0], store, prompts, dates)) return 1;
    const CollectResult result = collectAllFiles(store, treeFolderOf(operands[0]), operands[1], prompts);
    if (!result.saved) return 1;  // the writer has told why
    printOut(collectResultMessage(result) + QLatin1Char('\n'));
    return result.notCopied.isEmpty() ? 0 : 2;
}

}  // namespace kinloom::cli
