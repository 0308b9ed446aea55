#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "platform/save_file.h"
#include "reports/alphabetical_list.h"
#include "reports/missing_information.h"
#include "reports/name_lists.h"
#include "reports/tree_statistics.h"

#include <QDate>

namespace kinloom::cli {

namespace {
const char kReportHelp[] =
    "usage: kinloom-cli report [--no-date-standardization] [--json] KIND TREE OUT\n"
    "\n"
    "Writes a report of a tree file (.kl3, .kl2 or .kl) to OUT, as the Reports menu does:\n"
    "  surnames          each surname with the number of persons who bear it: \"Berg (2)\"\n"
    "  places            each place of a birth, baptism, death or marriage with its number of events\n"
    "  sources           each source text, followed by the persons who cite it, indented\n"
    "  missing-births    the persons without a birth year\n"
    "  missing-deaths    the persons without a death year, born more than 110 years ago or with a\n"
    "                    death place\n"
    "  missing-surnames  the persons without a surname\n"
    "  statistics        the counts of Reports > Statistics, as \"Label: value\" lines, or with --json\n"
    "                    as a JSON object (OUT.json)\n"
    "The lists are in the stored bytes, sorted as the user's language sorts, case ignored; each line\n"
    "is ended by CR LF. OUT (.txt) is replaced only when all of it was written.\n";

std::vector<std::string> missingLines(const ItemStore& store, MissingField field) {
    std::vector<std::string> lines;
    for (MissingRow& row : missingInformation(store, field, QDate::currentDate().year())) lines.push_back(std::move(row.line));
    return lines;
}

}  // namespace

int runReport(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kReportHelp));
        return 0;
    }
    // --json is this command's own option; the others are the tree commands'.
    QStringList rest = args;
    const qsizetype jsonAt = rest.indexOf(QStringLiteral("--json"));
    const qsizetype endOfOptions = rest.indexOf(QStringLiteral("--"));
    const bool json = jsonAt >= 0 && (endOfOptions < 0 || jsonAt < endOfOptions);
    if (json) rest.removeAt(jsonAt);
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("report", rest, 3, "KIND, TREE and OUT", operands, dates)) return 1;
    const QString kind = operands[0];
    const QStringList kinds{"surnames", "places", "sources", "missing-births", "missing-deaths", "missing-surnames", "statistics"};
    if (!kinds.contains(kind))
        return fail("report", QStringLiteral("unknown report '%1' (one of %2)").arg(kind, kinds.join(QStringLiteral(", "))));
    if (json && kind != QLatin1String("statistics")) return fail("report", QStringLiteral("--json is only for statistics"));
    if (!acceptOutputFile("report", operands[1], operands[2], {json ? QStringLiteral("json") : QStringLiteral("txt")}))
        return 1;

    CommandTree& tree = commandTree();
    if (!loadTreeFile("report", operands[1], tree.store, tree.prompts, dates)) return 1;
    const ItemStore& store = tree.store;
    QString error;
    bool written = false;
    if (kind == QLatin1String("statistics")) {
        const TreeStatistics statistics = treeStatistics(store);
        written = writeFileAtomically(operands[2], json ? statisticsJson(statistics) : statisticsText(statistics).toUtf8(), &error);
    } else {
        std::vector<std::string> lines;
        if (kind == QLatin1String("surnames"))
            lines = countLines(surnameRows(store));
        else if (kind == QLatin1String("places"))
            lines = countLines(placeRows(store));
        else if (kind == QLatin1String("sources"))
            lines = sourceLines(sourceRows(store));
        else if (kind == QLatin1String("missing-births"))
            lines = missingLines(store, MissingField::BirthDate);
        else if (kind == QLatin1String("missing-deaths"))
            lines = missingLines(store, MissingField::DeathDate);
        else
            lines = missingLines(store, MissingField::Surname);
        written = writeAlphabeticalList(lines, operands[2], &error);
    }
    if (!written) return fail("report", QStringLiteral("could not save %1: %2").arg(operands[2], error));
    return 0;
}

}  // namespace kinloom::cli
