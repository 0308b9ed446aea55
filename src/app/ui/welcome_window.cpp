#include "app/ui/welcome_window.h"

#include "app/app_state.h"
#include "platform/registry.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

namespace {
const QString kShowWelcome = QStringLiteral("ShowWelcome");
}

bool WelcomeWindow::wantedAtStart(Registry& registry) { return registry.readYesNo(kSettingsKey, kShowWelcome, true); }

WelcomeWindow::WelcomeWindow(Registry& registry, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("welcome"));
    setWindowTitle(QStringLiteral("Welcome"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<h2>Kinloom ") + kVersionLabel + QStringLiteral("</h2>"), this);
    auto* text = new QLabel(QStringLiteral(
        "Welcome to Kinloom, the family tree designer.\n\n"
        "Place person boxes anywhere on the canvas and link them to fathers, mothers and spouses.\n"
        "Click your right mouse button on the canvas to get a menu of the most common tasks."), this);
    text->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(text);
    showAtStartBox = new QCheckBox(QStringLiteral("Show this window at start-up"), this);
    showAtStartBox->setChecked(wantedAtStart(registry));
    layout->addWidget(showAtStartBox);
    connect(showAtStartBox, &QCheckBox::toggled, this,
            [&registry](bool show) { registry.writeYesNo(kSettingsKey, kShowWelcome, show); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Closing the window in any way confirms it: the main window must not stay disabled.
    connect(this, &QDialog::finished, this, &WelcomeWindow::confirmed);
}

}  // namespace kinloom
