#include "help/ui/keyword_search_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

KeywordSearchDialog::KeywordSearchDialog(std::vector<ManualKeyword> keywords, QWidget* parent)
    : QDialog(parent), keywords_(std::move(keywords)) {
    setObjectName(QStringLiteral("keywordSearchDialog"));
    setWindowTitle(QStringLiteral("Keyword Search"));
    resize(380, 460);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Type the words you are looking for:"), this);
    layout->addWidget(label);
    filterBox_ = new QLineEdit(this);
    filterBox_->setObjectName(QStringLiteral("filterBox"));
    label->setBuddy(filterBox_);  // shows the "&" as Alt+T, which moves to the filter
    filterBox_->setClearButtonEnabled(true);
    layout->addWidget(filterBox_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("keywordList"));
    layout->addWidget(list_, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* show = buttons->addButton(QStringLiteral("&Show"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);

    connect(filterBox_, &QLineEdit::textChanged, this, &KeywordSearchDialog::refill);
    connect(list_, &QListWidget::itemActivated, this, &KeywordSearchDialog::openCurrent);
    connect(show, &QPushButton::clicked, this, &KeywordSearchDialog::openCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the filter shows the first match, Down moves into the list.
    connect(filterBox_, &QLineEdit::returnPressed, this, &KeywordSearchDialog::openCurrent);
    refill();
}

void KeywordSearchDialog::reset() {
    filterBox_->clear();
    refill();
    filterBox_->setFocus();
}

void KeywordSearchDialog::refill() {
    list_->clear();
    for (const ManualKeyword& k : filterManualKeywords(keywords_, filterBox_->text())) {
        auto* item = new QListWidgetItem(k.keyword, list_);
        item->setData(Qt::UserRole, k.target);
    }
    if (list_->count() > 0) list_->setCurrentRow(0);
}

void KeywordSearchDialog::openCurrent() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return;
    emit topicChosen(item->data(Qt::UserRole).toString());
    accept();
}

}  // namespace kinloom
