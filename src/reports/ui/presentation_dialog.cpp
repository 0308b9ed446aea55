#include "reports/ui/presentation_dialog.h"

#include "platform/prompts.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kinloom {

PresentationDialog::PresentationDialog(QString outputFolder, Prompts& prompts, std::function<bool(const QString&)> open,
                                       QWidget* parent)
    : QDialog(parent), folder_(std::move(outputFolder)), prompts_(prompts), open_(std::move(open)) {
    setWindowTitle(QStringLiteral("Presentation created"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("HTML pages successfully created"), this));
    auto* buttons = new QHBoxLayout;
    viewButton = new QPushButton(QStringLiteral("&View in browser"), this);
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    viewButton->setDefault(true);
    buttons->addWidget(viewButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    viewButton->setFocus();
    connect(viewButton, &QPushButton::clicked, this, &PresentationDialog::viewInBrowser);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void PresentationDialog::viewInBrowser() {
    const QString index = QUrl::fromLocalFile(QDir(folder_).filePath(QStringLiteral("index.html"))).toString();
    if (!open_ || !open_(index)) prompts_.inform(kAppTitle, kNoBrowserMessage);
}

}  // namespace kinloom
