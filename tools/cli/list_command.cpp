#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "reports/alphabetical_list.h"

namespace kinloom::cli {

namespace {
const char kListHelp[] =
    "usage: kinloom-cli list [--no-date-standardization] TREE OUT.txt\n"
    "\n"
    "Writes the alphabetical list of all individuals of a tree file (.kl3, .kl2 or .kl) to OUT as\n"
    "Reports > Alphabetical list > All individuals does: one line per placed item,\n"
    "\"LastName FirstName (born - died)\" in the stored bytes, sorted without regard to case, each\n"
    "ended by CR LF. OUT is replaced only when all of it was written.\n";
}  // namespace

int runList(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kListHelp));
        return 0;
    }
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("list", args, 2, "TREE and OUT.txt", operands, dates)) return 1;
    if (!acceptOutputFile("list", operands[0], operands[1], {QStringLiteral("txt")})) return 1;

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("list", operands[0], store, prompts, dates)) return 1;
    QString error;
    if (!writeAlphabeticalList(alphabeticalListLines(store), operands[1], &error))
        return fail("list", QStringLiteral("could not save %1: %2").arg(operands[1], error));
    return 0;
}

}  // namespace kinloom::cli
