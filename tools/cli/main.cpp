#include "commands.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>
#include <iterator>

namespace kinloom::cli {
// The commands, one file each.
int runDump(const QStringList& args);
int runInfo(const QStringList& args);
int runConvert(const QStringList& args);
int runDate(const QStringList& args);
int runImport(const QStringList& args);
int runExport(const QStringList& args);
int runArrange(const QStringList& args);
int runRender(const QStringList& args);
int runHtml(const QStringList& args);
int runPrint(const QStringList& args);
int runCheck(const QStringList& args);
int runList(const QStringList& args);
int runCollect(const QStringList& args);
int runReport(const QStringList& args);
int runChart(const QStringList& args);
}  // namespace kinloom::cli

namespace {

using kinloom::cli::Command;

const Command kCommands[] = {
    {"dump", "print every item of a tree file as JSON, one line each", kinloom::cli::runDump},
    {"info", "print the counts, LastId and home item of a tree file as JSON", kinloom::cli::runInfo},
    {"convert", "read a .kl3, .kl2, .kl or .ged file and save it as a .kl3 or .ged file", kinloom::cli::runConvert},
    {"date", "print the standardized form of typed dates", kinloom::cli::runDate},
    {"import", "read a GEDCOM file into a new, arranged tree and save it as a .kl3 file", kinloom::cli::runImport},
    {"export", "write a tree file as a GEDCOM file", kinloom::cli::runExport},
    {"arrange", "rearrange all items of a tree file as Auto Arrange Items does, and save it", kinloom::cli::runArrange},
    {"render", "draw a tree file as the canvas shows it into a PNG picture", kinloom::cli::runRender},
    {"html", "write the web pages of a tree file into a folder", kinloom::cli::runHtml},
    {"print", "print a tree file as a poster of N x N pages into a PDF file", kinloom::cli::runPrint},
    {"check", "list the notes files and pictures a tree file names that are missing", kinloom::cli::runCheck},
    {"list", "write the alphabetical list of all individuals of a tree file", kinloom::cli::runList},
    {"collect", "copy all files a tree file names into one folder and save the tree there", kinloom::cli::runCollect},
    {"report", "write a list of surnames, places, sources or missing information, or statistics", kinloom::cli::runReport},
    {"chart", "write a chart of a person's ancestors or descendants, or of the whole tree, into a PDF file", kinloom::cli::runChart},
};

void printUsage(FILE* out) {
    std::fprintf(out, "usage: kinloom-cli COMMAND [ARGS]  (kinloom-cli COMMAND --help for details)\n\ncommands:\n");
    for (const Command& c : kCommands)
        if (c.run) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs fonts and so a GUI application (headless unless a display platform is asked
    // for); the other commands stay on the plain core application.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "html") == 0 ||
                     std::strcmp(argv[1], "print") == 0 || std::strcmp(argv[1], "chart") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(stderr);
        return 1;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printUsage(stdout);
        return 0;
    }
    for (const Command& c : kCommands)
        if (c.run && name == QLatin1String(c.name)) return c.run(args);
    std::fprintf(stderr, "kinloom-cli: unknown command '%s'\n", qPrintable(name));
    printUsage(stderr);
    return 1;
}
