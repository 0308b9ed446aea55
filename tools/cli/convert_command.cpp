#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "document/tree_file.h"

namespace kinloom::cli {

namespace {
const char kConvertHelp[] =
    "usage: kinloom-cli convert [--no-date-standardization] IN OUT\n"
    "\n"
    "Reads the tree file IN (.kl3, .kl2 or .kl, chosen by its extension) and saves it as the\n"
    "current tree file OUT, whose name must end in kl3. OUT is replaced only when all of it was\n"
    "written; on any failure nothing is written.\n"
    "\n"
    "  --no-date-standardization  copy the dates of a .kl2 file as they are instead of\n"
    "                             autoformatting them (on by default)\n";
}  // namespace

int RunConvert(const QStringList& args) {
    if (WantsHelp(args)) {
        PrintOut(QByteArray(kConvertHelp));
        return 0;
    }
    const ParsedArgs parsed = SplitArgs(args);
    bool dates = true;
    for (const QString& o : parsed.options) {
        if (o == QLatin1String("--no-date-standardization"))
            dates = false;
        else
            return Fail("convert", QStringLiteral("unknown option %1 (see kinloom-cli convert --help)").arg(o));
    }
    if (parsed.operands.size() != 2)
        return Fail("convert", QStringLiteral("expects IN and OUT (see kinloom-cli convert --help)"));

    ConsolePrompts prompts;
    TItemStore store(&prompts);
    if (!LoadTreeFile("convert", parsed.operands[0], store, prompts, dates)) return 1;
    return SavetoFile(store, parsed.operands[1], prompts) ? 0 : 1;
}

}  // namespace kinloom::cli
