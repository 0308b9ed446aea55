#include "app/ui/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/welcome_window.h"
#include "platform/registry.h"
#include "platform/ui/qt_prompts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinloom 2.0"));

    // "--no-welcome" is for scripted runs; every other argument is part of a tree's path.
    QStringList arguments = QApplication::arguments().mid(1);
    const bool noWelcome = arguments.removeAll(QStringLiteral("--no-welcome"));

    const std::unique_ptr<kinloom::Registry> registry = kinloom::openIniRegistry(kinloom::defaultRegistryPath());
    const bool showWelcome = !noWelcome && kinloom::WelcomeWindow::wantedAtStart(*registry);
    kinloom::QtPrompts prompts;
    const auto windows = kinloom::createWindows(*registry, prompts, QApplication::applicationFilePath(), arguments);
    prompts.setParent(windows->main.get());
    kinloom::startUp(*windows, showWelcome);
    return app.exec();
}
