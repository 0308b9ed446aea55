#pragma once
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QProcessEnvironment>
#include <QString>

namespace kinloom::test {

// The font drawing tests draw with, shipped with the tests (a part of DejaVu Sans) so that no test
// depends on the fonts a machine has: loads it once and gives its family, "Kinloom Test Sans".
inline QString loadTestFont() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(KINLOOM_TEST_DATA_DIR "/fonts/KinloomTestSans.ttf"));
        return id < 0 ? QString() : QFontDatabase::applicationFontFamilies(id).value(0);
    }();
    return family;
}

// For a program a test starts: a fontconfig set-up in `dir` that knows the test font alone, so
// whatever font the program asks for, it draws with that one.
inline void useOnlyTestFont(QProcessEnvironment& env, const QString& dir) {
    QDir().mkpath(dir + QStringLiteral("/fontconfig-cache"));
    QFile conf(dir + QStringLiteral("/fonts.conf"));
    if (!conf.open(QIODevice::WriteOnly)) return;
    conf.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                              "  <dir>%1</dir>\n  <cachedir>%2</cachedir>\n</fontconfig>\n")
                   .arg(QStringLiteral(KINLOOM_TEST_DATA_DIR "/fonts"), dir + QStringLiteral("/fontconfig-cache"))
                   .toUtf8());
    conf.close();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), conf.fileName());
}

}  // namespace kinloom::test
