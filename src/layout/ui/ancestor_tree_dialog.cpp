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
    setObjectName(QStringLiteral("ancestorTreeDialog"));

    generationsLabel = new QLabel(QStringLiteral("Number of generations:"), this);
    generationsBox = new QSpinBox(this);
    generationsBox->setObjectName(QStringLiteral("generationsBox"));
    // One character: the arrows go from 0 to 9, and the tree command refuses what it cannot build.
    generationsBox->setRange(0, 9);
    generationsBox->setValue(5);
    generationsBox->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    generationsBox->setMinimumWidth(48);
    generationsLabel->setBuddy(generationsBox);

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
    row->addWidget(generationsLabel);
    row->addWidget(generationsBox);
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
    generationsBox->setFocus();
    generationsBox->selectAll();
}

std::optional<QString> AncestorTreeDialog::ask() {
    exec();
    if (!result) return std::nullopt;
    return generationsBox->text();
}

}  // namespace kinloom
