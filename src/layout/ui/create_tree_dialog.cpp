#include "layout/ui/create_tree_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kinloom {

TCreateTreeDlg::TCreateTreeDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Create Tree"));
    setObjectName(QStringLiteral("CreateTreeDlg"));

    Label1 = new QLabel(QStringLiteral("Number of generations:"), this);
    Edit1 = new QSpinBox(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // One character: the arrows go from 0 to 9, and the tree command refuses what it cannot build.
    Edit1->setRange(0, 9);
    Edit1->setValue(5);
    Edit1->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    Edit1->setMinimumWidth(48);
    Label1->setBuddy(Edit1);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        Result = true;
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, [this] {
        Result = false;
        reject();
    });

    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border
}

void TCreateTreeDlg::showEvent(QShowEvent* event) {
    Result = false;
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

std::optional<QString> TCreateTreeDlg::Ask() {
    exec();
    if (!Result) return std::nullopt;
    return Edit1->text();
}

}  // namespace kinloom
