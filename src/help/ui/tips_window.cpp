#include "help/ui/tips_window.h"

#include "help/tips.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

TipsWindow::TipsWindow(Registry& registry, QWidget* parent) : QDialog(parent), registry_(registry) {
    setObjectName(QStringLiteral("tipsWindow"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Did you know...</b>"), this);
    layout->addWidget(title);
    tipLabel_ = new QLabel(this);
    tipLabel_->setObjectName(QStringLiteral("tipLabel"));
    tipLabel_->setWordWrap(true);
    tipLabel_->setTextFormat(Qt::RichText);
    tipLabel_->setMinimumSize(380, 110);
    tipLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    tipLabel_->setMargin(8);
    layout->addWidget(tipLabel_, 1);
    showAtStartupBox_ = new QCheckBox(QStringLiteral("&Show tips at start-up"), this);
    showAtStartupBox_->setObjectName(QStringLiteral("showAtStartupBox"));
    layout->addWidget(showAtStartupBox_);
    auto* buttons = new QHBoxLayout;
    auto* previousButton = new QPushButton(QStringLiteral("&Previous"), this);
    previousButton->setObjectName(QStringLiteral("previousButton"));
    auto* nextButton = new QPushButton(QStringLiteral("&Next"), this);
    nextButton->setObjectName(QStringLiteral("nextButton"));
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setDefault(true);
    buttons->addWidget(previousButton);
    buttons->addWidget(nextButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(previousButton, &QPushButton::clicked, this, &TipsWindow::previous);
    connect(nextButton, &QPushButton::clicked, this, &TipsWindow::next);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TipsWindow::showAtStartup() {
    if (readTipSettings(registry_).showAtStartup) showNextTip();
}

void TipsWindow::showNextTip() {
    const TipSettings settings = readTipSettings(registry_);
    showAtStartupBox_->setChecked(settings.showAtStartup);
    showTip(settings.next);
    show();
    raise();
    activateWindow();
}

void TipsWindow::next() { showTip(current_ + 1); }

void TipsWindow::previous() { showTip(current_ - 1); }

void TipsWindow::showTip(int index) {
    const int count = static_cast<int>(tipsOfTheDay().size());
    current_ = ((index % count) + count) % count;
    tipLabel_->setText(tipsOfTheDay().at(current_));
}

void TipsWindow::done(int result) {
    // The next opening starts with the tip after the one seen last.
    writeTipSettings(registry_, {showAtStartupBox_->isChecked(), (current_ + 1) % int(tipsOfTheDay().size())});
    QDialog::done(result);
}

}  // namespace kinloom
