#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/registry.h"
#include "reports/html_report.h"
#include "reports/quality_check.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace kinloom::cli {

namespace {
const char kHtmlHelp[] =
    "usage: kinloom-cli html TREE OUTDIR [--frames yes|no] [--siblings yes|no] [--charset TEXT]\n"
    "\n"
    "Writes the web pages of a tree file (.kl3, .kl2 or .kl) into OUTDIR, which is created when\n"
    "missing, as Reports > HTML - Generate web pages does: a page and a GIF box image per person,\n"
    "the picture copies, the name index and, with frames, the frame set index.html. The report\n"
    "settings stored by the program are used (the defaults when none are stored); the options\n"
    "override them. --charset takes a text such as \"English (en): iso-8859-1\" or \"utf-8\".\n"
    "The quality check runs first; its problems are reported on stderr without stopping.\n"
    "Progress is shown on stderr when it is a terminal.\n";

// Progress on one terminal line, rewritten in place.
class TerminalProgress : public HtmlReportProgress {
public:
    void advance(int done, int total) override {
        if (done != total && done % 100 != 0) return;
        std::fprintf(stderr, "\rGenerating files: %d of %d", done, total);
        std::fflush(stderr);
    }
    void status(const QString& text) override {
        if (text.startsWith(QLatin1String("Generating"))) return;
        std::fprintf(stderr, "\n%s", qPrintable(text));
        if (text == QLatin1String("Done.")) std::fprintf(stderr, "\n");
        std::fflush(stderr);
    }
    void warning(const QString& text) override { std::fprintf(stderr, "\n%s\n", qPrintable(text)); }
};

class QuietProgress : public HtmlReportProgress {
public:
    void warning(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

// The quality check the report runs first: missing notes and picture files.
int qualityProblemCount(const ItemStore& store, const QString& treeFolder, const DisplayCharset& charset) {
    return runQualityCheck(store, treeFolder, charset).count;
}

bool yesNo(const QString& value, bool& out) {
    const QString v = value.toLower();
    if (v == QLatin1String("yes")) out = true;
    else if (v == QLatin1String("no")) out = false;
    else return false;
    return true;
}
}  // namespace

int runHtml(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kHtmlHelp));
        return 0;
    }
    const auto usage = [](const QString& what) {
        return fail("html", what + QStringLiteral(" (see kinloom-cli html --help)"));
    };
    std::optional<bool> frames, siblings;
    std::optional<QString> charset;
    QStringList operands;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--")) {
            operands += args.mid(i + 1);
            break;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            operands << a;
            continue;
        }
        QString name = a, value;
        if (const qsizetype eq = a.indexOf(QLatin1Char('=')); eq > 0) {
            name = a.left(eq);
            value = a.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return usage(QStringLiteral("%1 needs a value").arg(a));
        }
        bool flag = false;
        if (name == QLatin1String("--frames") || name == QLatin1String("--siblings")) {
            if (!yesNo(value, flag)) return usage(QStringLiteral("%1 is yes or no").arg(name));
            (name == QLatin1String("--frames") ? frames : siblings) = flag;
        } else if (name == QLatin1String("--charset")) {
            charset = value;
        } else {
            return usage(QStringLiteral("unknown option %1").arg(name));
        }
    }
    if (operands.size() != 2) return usage(QStringLiteral("expects TREE and OUTDIR"));

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("html", operands[0], store, prompts, true)) return 1;
    if (store.empty()) return fail("html", QStringLiteral("The genealogy tree is empty"));

    const std::unique_ptr<Registry> registry = openIniRegistry(defaultRegistryPath());
    const DisplayCharset display(registry->readString(kSettingsKey, QStringLiteral("ScreenCharset"),
                                                      QString::number(DisplayCharset::kSystemDefault)).toInt());
    HtmlReportJob job;
    job.settings = HtmlReportSettings::load(*registry);
    if (frames) job.settings.useFrames = *frames;
    if (siblings) job.settings.useSiblings = *siblings;
    if (charset) job.settings.charset = *charset;
    job.treeFolder = QFileInfo(operands[0]).absolutePath();
    job.outputFolder = QFileInfo(operands[1]).absoluteFilePath();
    job.personCount = store.personCount();
    job.charset = &display;

    std::fprintf(stderr, "Quality Check Result: %d error(s)\n", qualityProblemCount(store, job.treeFolder, display));

    if (!QDir().mkpath(job.outputFolder))
        return fail("html", QStringLiteral("%1\nCould not make the folder %2").arg(kHtmlExportFailed, operands[1]));
    TerminalProgress terminal;
    QuietProgress quiet;
    HtmlReportProgress& progress = isatty(fileno(stderr)) ? static_cast<HtmlReportProgress&>(terminal) : quiet;
    const HtmlReportResult result = writeHtmlReport(store, job, progress);
    if (!result.ok) return fail("html", kHtmlExportFailed + QLatin1Char('\n') + result.error);
    return 0;
}

}  // namespace kinloom::cli
