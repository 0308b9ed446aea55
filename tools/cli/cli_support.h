#pragma once
#include "document/item_store.h"
#include "layout/arrange_style.h"
#include "platform/console_prompts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kinloom::cli {

// Helpers shared by the commands: argument checks, output, and reading any tree file.

// True when the arguments ask for the command's help (--help or -h anywhere before "--").
bool wantsHelp(const QStringList& args);

// An option with a value at args[i], given as "--name value" (i moves to the value) or
// "--name=value". False when args[i] is another option or the value is missing.
bool takeValue(const QStringList& args, int& i, const QString& name, QString& value);
// Prints a text on stdout (UTF-8) as it is.
void printOut(const QByteArray& bytes);
void printOut(const QString& text);
// Prints "kinloom-cli COMMAND: message" on stderr and returns the failure status 1.
int fail(const char* command, const QString& message);

// Splits the arguments into options (starting with "--", up to a lone "--") and operands.
struct ParsedArgs {
    QStringList options;
    QStringList operands;
};
ParsedArgs splitArgs(const QStringList& args);

// Takes "--name chart|rows" (or "--name=...") out of the arguments (before a lone "--") into
// `style`; false, after telling why on stderr, when its value is missing or another word.
bool takeArrangeStyle(const char* command, QStringList& args, const QString& name, ArrangeStyle& style);

// The arguments of the commands that read a tree file: the one option --no-date-standardization
// and exactly `operandCount` operands, named in `operandNames` ("one FILE", "IN and OUT") when
// they are wrong. Returns true when they are good; otherwise tells why on stderr.
bool parseTreeCommandArgs(const char* command, const QStringList& args, int operandCount,
                          const char* operandNames, QStringList& operands, bool& dateStandardization);

// Whether a command may write its output to `out`: not when it is the input file itself (by any
// name or link), nor when its extension is none of `extensions` ("kl3", "ged", "png"...; case
// ignored). Tells why on stderr.
bool acceptOutputFile(const char* command, const QString& in, const QString& out, const QStringList& extensions);

// The tree a command works on, with the prompts that report for it. It is never freed: the process
// ends right after the command, and the system takes back a large tree's memory at once, far
// quicker than freeing it item by item. It stays reachable to the end, so leak checkers do not
// count it.
struct CommandTree {
    ConsolePrompts prompts;
    ItemStore store{&prompts};
};
CommandTree& commandTree();

// Reads a .kl3, .kl2 or .kl file (chosen by its extension, case ignored) into the store. The
// reader's own messages go through `prompts`; false when the file was not read whole (an unknown
// extension is reported here).
bool loadTreeFile(const char* command, const QString& path, ItemStore& store, ConsolePrompts& prompts,
                  bool dateStandardization);

}  // namespace kinloom::cli
