#include "canvas/ui/delete_marriage_form.h"

#include "canvas/spouse_unlink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

TDeleteMarriageForm::TDeleteMarriageForm(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("DeleteMarriageForm"));
    setWindowTitle(QStringLiteral("Delete Link"));
    setModal(true);
    resize(340, 220);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Delete link to marriage:"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* del = new QPushButton(QStringLiteral("Delete"), this);
    del->setObjectName(QStringLiteral("OK"));
    del->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    buttons->addWidget(del);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(del, &QPushButton::clicked, this, &TDeleteMarriageForm::OKClick);
    connect(list_, &QListWidget::itemDoubleClicked, this, &TDeleteMarriageForm::OKClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDeleteMarriageForm::Fill(TItemStore& store, TPersonItem& item, const DisplayCharset& charset) {
    store_ = &store;
    item_ = &item;
    list_->clear();
    list_->addItems(SpouseUnlinkLines(item, charset));
    if (list_->count() > 0) list_->setCurrentRow(0);
}

void TDeleteMarriageForm::Run(TItemStore& store, TPersonItem& item, const DisplayCharset& charset) {
    Fill(store, item, charset);
    exec();
    // The item may be deleted once the dialog is closed: keep no hold on it.
    store_ = nullptr;
    item_ = nullptr;
}

void TDeleteMarriageForm::OKClick() {
    if (!store_ || !item_) return;
    const int rank = list_->currentRow();
    if (rank < 0 || !list_->currentItem()->isSelected()) return;  // no line: the dialog stays open
    DeleteSpouseLink(*store_, *item_, rank, prompts_);
    accept();
}

}  // namespace kinloom
