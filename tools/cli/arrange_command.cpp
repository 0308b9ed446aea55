#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "document/tree_file.h"
#include "layout/arrange_style.h"

namespace kinloom::cli {

namespace {
const char kArrangeHelp[] =
    "usage: kinloom-cli arrange [--style rows|chart] IN OUT\n"
    "\n"
    "Reads the tree file IN (.kl3, .kl2 or .kl, chosen by its extension), rearranges all its\n"
    "items without asking, and saves the result as the tree file OUT, whose name must end in kl3.\n"
    "--style rows (the default) arranges as Tools > Auto Arrange Items does: the item with the\n"
    "deepest pedigree becomes the home item. --style chart arranges as Tools > Arrange as Family\n"
    "Chart does: the home item stays. A tree without items is refused with \"No items to\n"
    "rearrange.\". OUT is replaced only when all of it was written; on any failure nothing is\n"
    "written.\n";
}  // namespace

int runArrange(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kArrangeHelp));
        return 0;
    }
    QStringList rest = args;
    ArrangeStyle style = ArrangeStyle::GenerationRows;  // as before the family chart, so that scripts keep their result
    if (!takeArrangeStyle("arrange", rest, QStringLiteral("--style"), style)) return 1;
    const ParsedArgs parsed = splitArgs(rest);
    if (!parsed.options.isEmpty())
        return fail("arrange",
                    QStringLiteral("unknown option %1 (see kinloom-cli arrange --help)").arg(parsed.options.first()));
    if (parsed.operands.size() != 2)
        return fail("arrange", QStringLiteral("expects IN and OUT (see kinloom-cli arrange --help)"));

    if (!acceptOutputFile("arrange", parsed.operands[0], parsed.operands[1], {QStringLiteral("kl3")})) return 1;
    auto& [prompts, store] = commandTree();
    if (!loadTreeFile("arrange", parsed.operands[0], store, prompts, true)) return 1;
    // The menu command's own refusal: an empty tree is not rewritten.
    if (store.empty()) return fail("arrange", QStringLiteral("No items to rearrange."));
    ViewState view;
    arrangeWholeTree(store, view, WindowSize{}, style);
    return saveToFile(store, parsed.operands[1], prompts) ? 0 : 1;
}

}  // namespace kinloom::cli
