#include "cli_support.h"
#include "commands.h"
#include "wall_chart_options.h"

#include "document/item_store.h"
#include "reports/person_chart.h"

namespace kinloom::cli {

namespace {
const char kChartHelp[] =
    "usage: kinloom-cli chart [OPTIONS] ancestors|descendants|tree TREE OUT.pdf|OUT.svg\n"
    "\n"
    "Writes a chart of Reports > Charts from a tree file (.kl3, .kl2 or .kl): the ancestors of a\n"
    "person, its descendants with their partners, or the complete tree. Each person is one box, however\n"
    "often it is placed on the canvas; the chart is laid out for itself as a family chart, and the\n"
    "tree file is not changed. Prints the persons and the pages on stdout, and writes the chart as\n"
    "kinloom-cli print writes a tree: a PDF of pages, or OUT.svg as one large page.\n"
    "\n"
    "  --person ID                    the person charted (default: the home item); an alias stands\n"
    "                                 for its original\n"
    "  --generations N                generations with the person as the first, 1 to 999 (default:\n"
    "                                 all there are)\n";
const char kChartOwnHelp[] = "  --no-date-standardization      copy the dates of a .kl2 file as they are\n";

bool kindOf(const QString& word, ChartKind& kind) {
    if (word == QLatin1String("ancestors"))
        kind = ChartKind::Ancestors;
    else if (word == QLatin1String("descendants"))
        kind = ChartKind::Descendants;
    else if (word == QLatin1String("tree"))
        kind = ChartKind::CompleteTree;
    else
        return false;
    return true;
}

}  // namespace

int runChart(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kChartHelp) + kWallChartOptionsHelp + kChartOwnHelp);
        return 0;
    }
    const auto usage = [](const QString& what) {
        return fail("chart", what + QStringLiteral(" (see kinloom-cli chart --help)"));
    };
    WallChartOptions o;
    int personId = 0, generations = 0;
    bool dates = true;
    QStringList operands;
    const QString bad = parseWallChartArgs(args, o, operands, [&](const QStringList& list, int& i, QString& error) {
        QString v;
        if (list[i] == QLatin1String("--no-date-standardization")) {
            dates = false;
        } else if (takeValue(list, i, QStringLiteral("--person"), v)) {
            if (!wholeNumberIn(v, 1, INT32_MAX, personId)) error = QStringLiteral("--person needs an Id (a whole number above 0)");
        } else if (takeValue(list, i, QStringLiteral("--generations"), v)) {
            if (!wholeNumberIn(v, 1, 999, generations)) error = QStringLiteral("--generations needs a number from 1 to 999");
        } else {
            return OptionTaken::NotMine;
        }
        return error.isEmpty() ? OptionTaken::Taken : OptionTaken::Bad;
    });
    if (!bad.isEmpty()) return usage(bad);
    if (operands.size() != 3) return usage(QStringLiteral("expects ancestors, descendants or tree, then TREE and OUT.pdf"));
    ChartKind kind = ChartKind::CompleteTree;
    if (!kindOf(operands[0], kind))
        return usage(QStringLiteral("unknown chart '%1' (ancestors, descendants or tree)").arg(operands[0]));
    if (kind == ChartKind::CompleteTree && (personId > 0 || generations > 0))
        return usage(QStringLiteral("--person and --generations are for ancestors and descendants"));
    if (const QString why = checkWallChartOptions(o, operands[2]); !why.isEmpty()) return usage(why);
    if (!acceptOutputFile("chart", operands[1], operands[2], {QStringLiteral("pdf"), QStringLiteral("svg")})) return 1;

    CommandTree& tree = commandTree();
    ItemStore& store = tree.store;
    if (!loadTreeFile("chart", operands[1], store, tree.prompts, dates)) return 1;
    if (store.empty()) return fail("chart", QStringLiteral("%1 has no items to print").arg(operands[1]));
    const PersonItem* person = store.firstItem();
    if (personId > 0 && !(person = store.findItemById(personId)))
        return fail("chart", QStringLiteral("no item has the Id %1").arg(personId));
    const PersonChart chart = personChart(store, kind, person, generations);
    printOut(describeChart(chart) + QLatin1Char('\n'));
    return writeWallChart("chart", chart.drawing, o, operands[2]);
}

}  // namespace kinloom::cli
