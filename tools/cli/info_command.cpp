#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace kinloom::cli {

namespace {
const char kInfoHelp[] =
    "usage: kinloom-cli info [--no-date-standardization] FILE\n"
    "\n"
    "Prints one JSON object about a tree file (.kl3, .kl2 or .kl): \"items\" (every item),\n"
    "\"persons\" (items that are not aliases and have a name), \"LastId\" (the highest item\n"
    "number) and \"home\" (the Id of the home item, 0 when the tree is empty).\n"
    "\n"
    "  --no-date-standardization  copy the dates of a .kl2 file as they are\n";
}  // namespace

int RunInfo(const QStringList& args) {
    if (WantsHelp(args)) {
        PrintOut(QByteArray(kInfoHelp));
        return 0;
    }
    const ParsedArgs parsed = SplitArgs(args);
    bool dates = true;
    for (const QString& o : parsed.options) {
        if (o == QLatin1String("--no-date-standardization"))
            dates = false;
        else
            return Fail("info", QStringLiteral("unknown option %1 (see kinloom-cli info --help)").arg(o));
    }
    if (parsed.operands.size() != 1)
        return Fail("info", QStringLiteral("expects one FILE (see kinloom-cli info --help)"));

    ConsolePrompts prompts;
    TItemStore store(&prompts);
    if (!LoadTreeFile("info", parsed.operands[0], store, prompts, dates)) return 1;
    QJsonObject o;
    o.insert("items", store.ItemCount());
    o.insert("persons", store.PersonCount());
    o.insert("LastId", store.LastId);
    o.insert("home", store.FirstItem() ? store.FirstItem()->Id : 0);
    PrintOut(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
    return 0;
}

}  // namespace kinloom::cli
