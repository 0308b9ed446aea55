#include "cli_support.h"
#include "commands.h"
#include "gedcom_cli_support.h"

#include "document/item_store.h"
#include "document/tree_file.h"

namespace kinloom::cli {

namespace {
const char kImportHelp[] =
    "usage: kinloom-cli import [--arrange chart|rows] IN.ged OUT.kl3\n"
    "\n"
    "Reads the GEDCOM file IN into a new tree as the File menu's \"Import GEDCOM file\" does: one\n"
    "item per individual, spouse and parent links from the families, then arranges it as a family\n"
    "chart (--arrange chart, the default) or in generation rows as Tools > Auto Arrange Items does\n"
    "(--arrange rows). Saves the tree as OUT, whose name must end in kl3. Progress is shown on\n"
    "stderr when it is a terminal.\n"
    "On a malformed line, or when the file holds no individuals, nothing is written and the reason\n"
    "is reported. Marriages beyond a person's 8 spouse slots are counted in one line on stderr.\n";
}  // namespace

int runImport(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kImportHelp));
        return 0;
    }
    QStringList rest = args;
    ArrangeStyle style = ArrangeStyle::FamilyChart;
    if (!takeArrangeStyle("import", rest, QStringLiteral("--arrange"), style)) return 1;
    const ParsedArgs parsed = splitArgs(rest);
    if (!parsed.options.isEmpty())
        return fail("import", QStringLiteral("unknown option %1 (see kinloom-cli import --help)").arg(parsed.options[0]));
    if (parsed.operands.size() != 2)
        return fail("import", QStringLiteral("expects IN.ged and OUT.kl3 (see kinloom-cli import --help)"));
    if (!acceptOutputFile("import", parsed.operands[0], parsed.operands[1], {QStringLiteral("kl3")})) return 1;
    auto& [prompts, store] = commandTree();
    if (!importGedcomForCli("import", parsed.operands[0], store, prompts, style)) return 1;
    return saveToFile(store, parsed.operands[1], prompts) ? 0 : 1;
}

}  // namespace kinloom::cli
