#pragma once
#include <QStringList>

namespace kinloom {

// What the command line asks of the desktop program.
struct CommandLine {
    QStringList treeWords;     // joined with blanks they name the tree to open
    bool showWelcome = true;   // "--no-welcome" skips the welcome window (scripted runs)
};

// Reads the words after the program name straight from argv. Call it before QApplication is made:
// Qt takes its own options ("-reverse", "-style" ...) out of argv, and a tree named
// "My -reverse Tree.kl3" would lose a word.
CommandLine parseCommandLine(int argc, const char* const* argv);

}  // namespace kinloom
