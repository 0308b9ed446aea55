#pragma once
#include <QDialog>

class QListWidget;

namespace kinloom {

class ItemStore;
class Prompts;
class DisplayCharset;
struct PersonItem;

// DeleteSpouseLinkDialog: the modal "Delete Link" dialog that picks the spouse link to delete.
class DeleteSpouseLinkDialog : public QDialog {
    Q_OBJECT
public:
    DeleteSpouseLinkDialog(Prompts& prompts, QWidget* parent = nullptr);
    // Lists the item's spouses, selects the first line and shows the dialog modally.
    void run(ItemStore& store, PersonItem& item, const DisplayCharset& charset);
    // Fills without showing (Run does this first).
    void fill(ItemStore& store, PersonItem& item, const DisplayCharset& charset);
    void confirm();  // "Delete" or a double-click on a line
    QListWidget* list() const { return list_; }

private:
    Prompts& prompts_;
    ItemStore* store_ = nullptr;
    PersonItem* item_ = nullptr;
    QListWidget* list_;
};

}  // namespace kinloom
