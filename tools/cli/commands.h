#pragma once
#include <QStringList>

namespace kinloom::cli {

// A kinloom-cli command: gets the arguments after its name, returns the exit status.
struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args);
};

// Each command lives in its own file and is listed once in main.cpp.
// int runDump(const QStringList& args);  ... declared next to the table in main.cpp.

}  // namespace kinloom::cli
