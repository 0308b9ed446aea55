#include "layout/ui/ancestor_tree_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kinloom {

AncestorTreeDialog::AncestorTreeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Create Tree"));
    setObjectName(QStringLiteral("CreateTreeDlg"));

    label1 = new QLabel(QStringLiteral("Number of generations:"), this);
    edit1 = new QSpinBox(this);
    edit1->setObjectName(QStringLiteral("Edit1"));
    // One character: the arrows go from 0 to 9, and the tree command refuses what it cannot build.
    edit1->setRange(0, 9);
    edit1->setValue(5);
    edit1->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    edit1->setMinimumWidth(48);
    label1->setBuddy(edit1);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    connect(okButton, &QPushButton::clicked, this, [this] {
        result = true;
        accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        result = false;
        reject();
    });

    auto* row = new QHBoxLayout;
    row->addWidget(label1);
    row->addWidget(edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border
}

void AncestorTreeDialog::showEvent(QShowEvent* event) {
    result = false;
    QDialog::showEvent(event);
    edit1->setFocus();
    edit1->selectAll();
}

std::optional<QString> AncestorTreeDialog::ask() {
    exec();
    if (!result) return std::nullopt;
    return edit1->text();
}

}  // namespace kinloom
