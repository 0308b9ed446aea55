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

int runInfo(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kInfoHelp));
        return 0;
    }
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("info", args, 1, "one FILE", operands, dates)) return 1;

    auto& [prompts, store] = commandTree();
    if (!loadTreeFile("info", operands[0], store, prompts, dates)) return 1;
    QJsonObject o;
    o.insert("items", store.itemCount());
    o.insert("persons", store.personCount());
    o.insert("LastId", store.lastId);
    o.insert("home", store.firstItem() ? store.firstItem()->Id : 0);
    printOut(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
    return 0;
}

}  // namespace kinloom::cli
