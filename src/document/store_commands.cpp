#include "document/store_commands.h"

#include "document/item_store.h"
#include "platform/prompts.h"

#include <vector>

namespace kinloom {

bool deletePerson(ItemStore& store, Prompts& prompts) {
    const QString caption = QStringLiteral("Confirm delete");
    if (!store.selectionList().empty()) {
        if (prompts.message(caption, QStringLiteral("Do you really want to delete these items?"),
                            PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
            return false;
        store.modified = true;
        // Copy the list: each deletion also drops the item from the selection.
        const std::vector<PersonItem*> doomed = store.selectionList();
        for (PersonItem* item : doomed) {
            store.currentItem = item;
            store.deleteItem();
        }
        store.clearSelection();
        return true;
    }
    PersonItem* current = store.currentItem;
    if (!current) return false;
    QString question = QStringLiteral("Do you really want to delete this item?");
    if (current->Kind == kKindAlias)
        question = QStringLiteral("Do you really want to delete this and make the alias the original?");
    else if (current->Kind == kKindRef)
        question = QStringLiteral("Do you really want to delete this alias?");
    if (prompts.message(caption, question, PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return false;
    store.modified = true;
    store.deleteItem();
    return true;
}

bool askAboutUnsavedChanges(ItemStore& store, Prompts& prompts, const std::function<void()>& save) {
    if (!store.modified) return true;
    switch (prompts.message(kAppTitle, QStringLiteral("Save changes to your Kinloom file?"),
                            PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::Yes:
        if (save) save();
        return true;
    case PromptAnswer::No: return true;
    default: return false;
    }
}

}  // namespace kinloom
