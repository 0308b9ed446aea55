#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/registry.h"
#include "reports/poster.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <climits>

namespace kinloom::cli {

namespace {
const char kPrintHelp[] =
    "usage: kinloom-cli print [OPTIONS] TREE OUT.pdf\n"
    "\n"
    "Prints a tree file (.kl3, .kl2 or .kl) as a poster of N x N pages into a PDF file, as the\n"
    "print window's \"&Print\" does on a printer of that paper and resolution. A PDF page has no\n"
    "unprintable margin. The tree font is the one stored in the settings.\n"
    "\n"
    "  --pages N                      pages per side, 1 to 8 (default 1)\n"
    "  --orientation landscape|portrait   (default landscape)\n"
    "  --thickness T                  line thickness, 1 to 5 (default 1)\n"
    "  --selected ID,ID,...           print only the items with these Ids\n"
    "  --paper A4|Letter              (default A4)\n"
    "  --dpi D                        resolution, 72 to 1200 (default 300)\n"
    "  --no-date-standardization      copy the dates of a .kl2 file as they are\n";

struct PrintOptions {
    PosterSettings poster;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int dpi = 300;
    QList<int> selected;
    bool dates = true;
};

bool intIn(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

// The tree font and display character set as the program stored them last.
void readStoredFont(PosterSettings& poster, int& charsetEntry) {
    const std::unique_ptr<Registry> registry = openIniRegistry(defaultRegistryPath());
    bool ok = false;
    poster.fontName = registry->readString(kSettingsKey, QStringLiteral("ScreenFontName"), poster.fontName);
    const int size = registry->readString(kSettingsKey, QStringLiteral("ScreenFontSize"), QStringLiteral("16")).toInt(&ok);
    if (ok) {
        poster.fontSize = size;
    } else {
        poster.fontName = QStringLiteral("Times New Roman");
        poster.fontSize = 16;
    }
    charsetEntry = registry->readString(kSettingsKey, QStringLiteral("ScreenCharset"), QStringLiteral("15")).toInt(&ok);
    if (!ok) charsetEntry = DisplayCharset::kSystemDefault;
}
}  // namespace

int runPrint(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kPrintHelp));
        return 0;
    }
    const auto usage = [](const QString& what) {
        return fail("print", what + QStringLiteral(" (see kinloom-cli print --help)"));
    };
    PrintOptions o;
    QStringList operands;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString v;
        if (a == QLatin1String("--")) {
            operands += args.mid(i + 1);
            break;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            operands << a;
        } else if (a == QLatin1String("--no-date-standardization")) {
            o.dates = false;
        } else if (takeValue(args, i, QStringLiteral("--pages"), v)) {
            if (!intIn(v, 1, 8, o.poster.pagesPerSide)) return usage(QStringLiteral("--pages needs a number from 1 to 8"));
        } else if (takeValue(args, i, QStringLiteral("--thickness"), v)) {
            if (!intIn(v, 1, 5, o.poster.lineThickness)) return usage(QStringLiteral("--thickness needs a number from 1 to 5"));
        } else if (takeValue(args, i, QStringLiteral("--dpi"), v)) {
            if (!intIn(v, 72, 1200, o.dpi)) return usage(QStringLiteral("--dpi needs a number from 72 to 1200"));
        } else if (takeValue(args, i, QStringLiteral("--orientation"), v)) {
            const QString t = v.toLower();
            if (t == QLatin1String("landscape")) o.orientation = QPageLayout::Landscape;
            else if (t == QLatin1String("portrait")) o.orientation = QPageLayout::Portrait;
            else return usage(QStringLiteral("--orientation is landscape or portrait"));
        } else if (takeValue(args, i, QStringLiteral("--paper"), v)) {
            const QString t = v.toLower();
            if (t == QLatin1String("a4")) o.paper = QPageSize::A4;
            else if (t == QLatin1String("letter")) o.paper = QPageSize::Letter;
            else return usage(QStringLiteral("--paper is A4 or Letter"));
        } else if (takeValue(args, i, QStringLiteral("--selected"), v)) {
            o.poster.selectedOnly = true;
            for (const QString& id : v.split(QLatin1Char(','))) {
                int n = 0;
                if (!intIn(id, 1, INT_MAX, n)) return usage(QStringLiteral("--selected needs Ids (whole numbers above 0) separated by commas"));
                o.selected << n;
            }
        } else {
            return usage(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (operands.size() != 2) return usage(QStringLiteral("expects TREE and OUT.pdf"));
    if (!acceptOutputFile("print", operands[0], operands[1], {QStringLiteral("pdf")})) return 1;

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("print", operands[0], store, prompts, o.dates)) return 1;
    if (store.empty()) return fail("print", QStringLiteral("%1 has no items to print").arg(operands[0]));
    for (const int id : o.selected) {
        PersonItem* item = store.findItemById(id);
        if (!item) return fail("print", QStringLiteral("no item has the Id %1").arg(id));
        store.addToSelection(item);
    }
    int charsetEntry = DisplayCharset::kSystemDefault;
    readStoredFont(o.poster, charsetEntry);
    const DisplayCharset charset(charsetEntry);
    o.poster.charset = &charset;

    // Written beside the target and renamed over it only when complete.
    QSaveFile file(operands[1]);
    if (!file.open(QIODevice::WriteOnly))
        return fail("print", QStringLiteral("could not write %1: %2").arg(operands[1], file.errorString()));
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Kinloom 2.0"));
        pdf.setResolution(o.dpi);
        pdf.setPageLayout(QPageLayout(QPageSize(o.paper), o.orientation, QMarginsF(0, 0, 0, 0)));
        if (!printPoster(pdf, store, o.poster)) {
            file.cancelWriting();
            return fail("print", QStringLiteral("could not write %1").arg(operands[1]));
        }
    }
    if (!file.commit())
        return fail("print", QStringLiteral("could not write %1: %2").arg(operands[1], file.errorString()));
    return 0;
}

}  // namespace kinloom::cli
