#include "cli_support.h"
#include "commands.h"
#include "wall_chart_options.h"

#include "document/item_store.h"
#include "reports/chart_drawing.h"

#include <climits>


namespace kinloom::cli {

namespace {
const char kPrintHelp[] =
    "usage: kinloom-cli print [OPTIONS] TREE OUT.pdf|OUT.svg\n"
    "\n"
    "Prints a tree file (.kl3, .kl2 or .kl) as a poster of N x N pages into a PDF file, as the\n"
    "print window's \"&Print\" does on a printer of that paper and resolution, or at a readable\n"
    "size on as many pages as that needs. A PDF page has no unprintable margin. The tree font is the\n"
    "one stored in the settings. OUT.svg is one large page as an SVG drawing.\n"
    "\n";
const char kPrintOwnHelp[] =
    "  --selected ID,ID,...           print only the items with these Ids\n"
    "  --no-date-standardization      copy the dates of a .kl2 file as they are\n";
}  // namespace

int runPrint(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kPrintHelp) + kWallChartOptionsHelp + kPrintOwnHelp);
        return 0;
    }
    const auto usage = [](const QString& what) {
        return fail("print", what + QStringLiteral(" (see kinloom-cli print --help)"));
    };
    WallChartOptions o;
    QList<int> selected;
    bool dates = true;
    QStringList operands;
    const QString bad = parseWallChartArgs(args, o, operands, [&](const QStringList& list, int& i, QString& error) {
        QString v;
        if (list[i] == QLatin1String("--no-date-standardization")) {
            dates = false;
        } else if (takeValue(list, i, QStringLiteral("--selected"), v)) {
            o.poster.selectedOnly = true;
            for (const QString& id : v.split(QLatin1Char(','))) {
                int n = 0;
                if (!wholeNumberIn(id, 1, INT_MAX, n)) {
                    error = QStringLiteral("--selected needs Ids (whole numbers above 0) separated by commas");
                    return OptionTaken::Bad;
                }
                selected << n;
            }
        } else {
            return OptionTaken::NotMine;
        }
        return OptionTaken::Taken;
    });
    if (!bad.isEmpty()) return usage(bad);
    if (operands.size() != 2) return usage(QStringLiteral("expects TREE and OUT.pdf"));
    if (const QString why = checkWallChartOptions(o, operands[1]); !why.isEmpty()) return usage(why);
    if (!acceptOutputFile("print", operands[0], operands[1], {QStringLiteral("pdf"), QStringLiteral("svg")})) return 1;

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("print", operands[0], store, prompts, dates)) return 1;
    if (store.empty()) return fail("print", QStringLiteral("%1 has no items to print").arg(operands[0]));
    for (const int id : selected) {
        PersonItem* item = store.findItemById(id);
        if (!item) return fail("print", QStringLiteral("no item has the Id %1").arg(id));
        store.addToSelection(item);
    }
    return writeWallChart("print", drawingOfStore(store, o.poster.selectedOnly), o, operands[1]);
}

}  // namespace kinloom::cli
