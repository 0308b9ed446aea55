#pragma once
#include <QGuiApplication>

namespace kinloom::test {

// Fonts need a GUI application; the core tests run under the offscreen platform.
inline void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "kinloom_core_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

}  // namespace kinloom::test
