#include "cli_support.h"
#include "commands.h"
#include "gedcom_cli_support.h"

#include "document/item_store.h"

#include <QDateTime>

namespace kinloom::cli {

namespace {
const char kExportHelp[] =
    "usage: kinloom-cli export [--now=YYYY-MM-DDTHH:MM] IN OUT.ged\n"
    "\n"
    "Reads the tree file IN (.kl3, .kl2 or .kl) and writes it as the GEDCOM file OUT, as the File\n"
    "menu's \"Export to GEDCOM file\" does. OUT is replaced only when all of it was written.\n"
    "Notes files named relative to IN are taken in its folder; those that cannot be read are\n"
    "left out and counted on stderr.\n"
    "\n"
    "  --now=YYYY-MM-DDTHH:MM  the date and time for the header (default: the current time)\n";
}  // namespace

int runExport(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kExportHelp));
        return 0;
    }
    const ParsedArgs parsed = splitArgs(args);
    QDateTime now = QDateTime::currentDateTime();
    for (const QString& o : parsed.options) {
        if (o.startsWith(QLatin1String("--now="))) {
            now = QDateTime::fromString(o.mid(6), Qt::ISODate);
            if (!now.isValid()) return fail("export", QStringLiteral("--now expects YYYY-MM-DDTHH:MM, not %1").arg(o.mid(6)));
        } else {
            return fail("export", QStringLiteral("unknown option %1 (see kinloom-cli export --help)").arg(o));
        }
    }
    if (parsed.operands.size() != 2)
        return fail("export", QStringLiteral("expects IN and OUT.ged (see kinloom-cli export --help)"));
    if (!acceptOutputFile("export", parsed.operands[0], parsed.operands[1], {QStringLiteral("ged")})) return 1;
    auto& [prompts, store] = commandTree();
    if (!loadTreeFile("export", parsed.operands[0], store, prompts, true)) return 1;
    return exportGedcomForCli("export", parsed.operands[1], store, now, parsed.operands[0]) ? 0 : 1;
}

}  // namespace kinloom::cli
