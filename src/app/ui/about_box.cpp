#include "app/ui/about_box.h"

#include "app/app_state.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kinloom {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Kinloom</h2>"), this));
    auto* version = new QLabel(QStringLiteral("Version ") + kVersionLabel, this);
    version->setObjectName(QStringLiteral("version"));
    layout->addWidget(version);
    layout->addWidget(new QLabel(QStringLiteral("A family tree designer."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

}  // namespace kinloom
