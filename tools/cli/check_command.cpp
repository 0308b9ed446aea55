#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "reports/quality_check.h"
#include "platform/file_references.h"

namespace kinloom::cli {

namespace {
const char kCheckHelp[] =
    "usage: kinloom-cli check [--no-date-standardization] TREE\n"
    "\n"
    "Runs the quality check of Tools > Quality check over a tree file (.kl3, .kl2 or .kl): every\n"
    "notes file and picture an item names must exist; relative names are taken in TREE's folder.\n"
    "Prints one line per problem, PERSON<TAB>MESSAGE, in the order of the quality check window,\n"
    "then \"Quality check complete: N error(s)\". Exit status 0 without problems, 2 with problems,\n"
    "1 when the tree cannot be read.\n";
}  // namespace

int runCheck(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kCheckHelp));
        return 0;
    }
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("check", args, 1, "one TREE", operands, dates)) return 1;

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("check", operands[0], store, prompts, dates)) return 1;
    const QualityCheckResult result = runQualityCheck(store, treeFolderOf(operands[0]));
    QString out;
    for (const QualityProblem& row : result.rows) out += row.person + QLatin1Char('\t') + row.message + QLatin1Char('\n');
    out += qualityCheckSummary(result.count) + QLatin1Char('\n');
    printOut(out);
    return result.count == 0 ? 0 : 2;
}

}  // namespace kinloom::cli
