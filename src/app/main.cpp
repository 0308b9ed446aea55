#include "app/command_line.h"
#include "app/crash_recovery.h"
#include "app/ui/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/welcome_window.h"
#include "platform/registry.h"
#include "platform/ui/qt_prompts.h"

#include <QApplication>

int main(int argc, char** argv) {
    // "--no-welcome" is for scripted runs; every other argument is part of a tree's path, taken
    // before Qt removes the words it reads as its own options.
    const kinloom::CommandLine commandLine = kinloom::parseCommandLine(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinloom 2.0"));

    const std::unique_ptr<kinloom::Registry> registry = kinloom::openIniRegistry(kinloom::defaultRegistryPath());
    kinloom::QtPrompts prompts;
    const auto windows = kinloom::createWindows(*registry, prompts, QApplication::applicationFilePath(),
                                                  commandLine.treeWords);
    prompts.setParent(windows->main.get());
    windows->main->state().recovery.setFolder(kinloom::defaultRecoveryFolder());
    // The welcome window also stays away when the user untied "Show this window at start-up".
    kinloom::startUp(*windows, commandLine.showWelcome && kinloom::WelcomeWindow::wantedAtStart(*registry));
    return app.exec();
}
