#include "document/store_commands.h"

#include "document/item_store.h"
#include "platform/prompts.h"

#include <vector>

namespace kinloom {

bool Slettperson1Click(TItemStore& store, Prompts& prompts) {
    const QString caption = QStringLiteral("Confirm delete");
    if (!store.SelectionList().empty()) {
        if (prompts.Message(caption, QStringLiteral("Do you really want to delete these items?"),
                            PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
            return false;
        store.Modified = true;
        // Copy the list: each deletion also drops the item from the selection.
        const std::vector<TPersonItem*> doomed = store.SelectionList();
        for (TPersonItem* item : doomed) {
            store.CurrentItem = item;
            store.DeleteItem();
        }
        store.ClearSelection();
        return true;
    }
    TPersonItem* current = store.CurrentItem;
    if (!current) return false;
    QString question = QStringLiteral("Do you really want to delete this item?");
    if (current->Kind == kKindAlias)
        question = QStringLiteral("Do you really want to delete this and make the alias the original?");
    else if (current->Kind == kKindRef)
        question = QStringLiteral("Do you really want to delete this alias?");
    if (prompts.Message(caption, question, PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return false;
    store.Modified = true;
    store.DeleteItem();
    return true;
}

bool CheckModified(TItemStore& store, Prompts& prompts, const std::function<void()>& save) {
    if (!store.Modified) return true;
    switch (prompts.Message(kAppTitle, QStringLiteral("Save changes to your Kinloom file?"),
                            PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::Yes:
        if (save) save();
        return true;
    case PromptAnswer::No: return true;
    default: return false;
    }
}

}  // namespace kinloom
