#include "app/command_line.h"

namespace kinloom {

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("--no-welcome"))
            line.showWelcome = false;
        else
            line.treeWords.append(word);
    }
    return line;
}

}  // namespace kinloom
