#include "canvas/ui/delete_spouse_link_dialog.h"

#include "canvas/spouse_unlink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

DeleteSpouseLinkDialog::DeleteSpouseLinkDialog(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("deleteSpouseLinkDialog"));
    setWindowTitle(QStringLiteral("Delete Link"));
    setModal(true);
    resize(340, 220);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Delete link to marriage:"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* del = new QPushButton(QStringLiteral("Delete"), this);
    del->setObjectName(QStringLiteral("deleteButton"));
    del->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(del);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(del, &QPushButton::clicked, this, &DeleteSpouseLinkDialog::confirm);
    connect(list_, &QListWidget::itemDoubleClicked, this, &DeleteSpouseLinkDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DeleteSpouseLinkDialog::fill(ItemStore& store, PersonItem& item, const DisplayCharset& charset) {
    store_ = &store;
    item_ = &item;
    list_->clear();
    list_->addItems(spouseUnlinkLines(item, charset));
    if (list_->count() > 0) list_->setCurrentRow(0);
}

void DeleteSpouseLinkDialog::run(ItemStore& store, PersonItem& item, const DisplayCharset& charset) {
    fill(store, item, charset);
    exec();
    // The item may be deleted once the dialog is closed: keep no hold on it.
    store_ = nullptr;
    item_ = nullptr;
}

void DeleteSpouseLinkDialog::confirm() {
    if (!store_ || !item_) return;
    const int rank = list_->currentRow();
    if (rank < 0 || !list_->currentItem()->isSelected()) return;  // no line: the dialog stays open
    deleteSpouseLink(*store_, *item_, rank, prompts_);
    accept();
}

}  // namespace kinloom
