#pragma once
#include <QDialog>

class QListWidget;

namespace kinloom {

class TItemStore;
class Prompts;
class DisplayCharset;
struct TPersonItem;

// TDeleteMarriageForm: the modal "Delete Link" dialog that picks the spouse link to delete.
class TDeleteMarriageForm : public QDialog {
    Q_OBJECT
public:
    TDeleteMarriageForm(Prompts& prompts, QWidget* parent = nullptr);
    // Lists the item's spouses, selects the first line and shows the dialog modally.
    void Run(TItemStore& store, TPersonItem& item, const DisplayCharset& charset);
    // Fills without showing (Run does this first).
    void Fill(TItemStore& store, TPersonItem& item, const DisplayCharset& charset);
    void OKClick();  // "Delete" or a double-click on a line
    QListWidget* list() const { return list_; }

private:
    Prompts& prompts_;
    TItemStore* store_ = nullptr;
    TPersonItem* item_ = nullptr;
    QListWidget* list_;
};

}  // namespace kinloom
