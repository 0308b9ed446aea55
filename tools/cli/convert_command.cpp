#include "cli_support.h"
#include "commands.h"
#include "gedcom_cli_support.h"

#include "document/item_store.h"
#include "document/tree_file.h"

#include <QDateTime>

namespace kinloom::cli {

namespace {
const char kConvertHelp[] =
    "usage: kinloom-cli convert [--no-date-standardization] IN OUT\n"
    "\n"
    "Reads the tree file IN (.kl3, .kl2 or .kl, chosen by its extension) and saves it as the\n"
    "current tree file OUT, whose name must end in kl3. OUT is replaced only when all of it was\n"
    "written; on any failure nothing is written.\n"
    "A GEDCOM file (.ged) may stand on either side: IN.ged is imported and arranged as by\n"
    "kinloom-cli import, OUT.ged is written as by kinloom-cli export (dated now).\n"
    "\n"
    "  --no-date-standardization  copy the dates of a .kl2 file as they are instead of\n"
    "                             autoformatting them (on by default)\n";
}  // namespace

int runConvert(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kConvertHelp));
        return 0;
    }
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("convert", args, 2, "IN and OUT", operands, dates)) return 1;

    const QString& in = operands[0];
    const QString& out = operands[1];
    if (!acceptOutputFile("convert", in, out, {QStringLiteral("kl3"), QStringLiteral("ged")})) return 1;
    auto& [prompts, store] = commandTree();
    if (isGedcomName(in) ? !importGedcomForCli("convert", in, store, prompts)
                         : !loadTreeFile("convert", in, store, prompts, dates))
        return 1;
    if (isGedcomName(out)) return exportGedcomForCli("convert", out, store, QDateTime::currentDateTime(), in) ? 0 : 1;
    return saveToFile(store, out, prompts) ? 0 : 1;
}

}  // namespace kinloom::cli
