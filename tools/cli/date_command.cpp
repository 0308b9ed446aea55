#include "cli_support.h"
#include "commands.h"

#include "document/date_standardization.h"

namespace kinloom::cli {

namespace {
const char kDateHelp[] =
    "usage: kinloom-cli date [--off] TEXT...\n"
    "\n"
    "Prints each TEXT as the person dialog and the old-file import store a typed date, one per\n"
    "line: \"12/25/1900\" gives \"25 Dec 1900\", \"abt 1900\" stays \"abt 1900\".\n"
    "\n"
    "  --off   the option \"Autoformat dates according to GEDCOM standard\" switched off: every\n"
    "          TEXT comes back as it is\n";
}  // namespace

int runDate(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kDateHelp));
        return 0;
    }
    const ParsedArgs parsed = splitArgs(args);
    DateOptions options;
    for (const QString& o : parsed.options) {
        if (o == QLatin1String("--off"))
            options.dateStandardization = false;
        else
            return fail("date", QStringLiteral("unknown option %1 (see kinloom-cli date --help)").arg(o));
    }
    if (parsed.operands.isEmpty())
        return fail("date", QStringLiteral("expects at least one TEXT (see kinloom-cli date --help)"));
    QString out;
    for (const QString& text : parsed.operands) out += standardizeDate(text, options) + QLatin1Char('\n');
    printOut(out);
    return 0;
}

}  // namespace kinloom::cli
