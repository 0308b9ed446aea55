#include "cli_support.h"
#include "commands.h"

#include "canvas/tree_font.h"
#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/registry.h"
#include "platform/save_file.h"
#include "reports/chart_file.h"
#include "reports/poster.h"

#include <climits>
#include <cstdio>
#include <unistd.h>

namespace kinloom::cli {

namespace {
const char kPrintHelp[] =
    "usage: kinloom-cli print [OPTIONS] TREE OUT.pdf|OUT.svg\n"
    "\n"
    "Prints a tree file (.kl3, .kl2 or .kl) as a poster of N x N pages into a PDF file, as the\n"
    "print window's \"&Print\" does on a printer of that paper and resolution, or at a readable\n"
    "size on as many pages as that needs. A PDF page has no unprintable margin. The tree font is the\n"
    "one stored in the settings. OUT.svg is one large page as an SVG drawing.\n"
    "\n"
    "  --pages N                      pages per side, 1 to 8 (default 1)\n"
    "  --box-width MM                 boxes this wide on paper, 5 to 500 mm, on as many pages as needed\n"
    "  --text-size PT                 the tree font at this size on paper, 2 to 72 points, likewise\n"
    "  --one-page                     the whole chart on one page of its own size (8-point text unless\n"
    "                                 --box-width or --text-size says otherwise)\n"
    "  --paper A0|..|A5|Letter|Legal|Tabloid|WxHmm   (default A4; WxHmm e.g. 914x1500mm)\n"
    "  --orientation landscape|portrait   (default landscape)\n"
    "  --overlap MM                   a strip of MM repeated on the neighbouring page, 0 to 50\n"
    "  --labels                       \"row 2, column 3\" in each page's margin\n"
    "  --cut-marks                    cut marks at the corners of each page's printed part\n"
    "  --leave-out-empty              print no page on which no box and no line falls\n"
    "  --thickness T                  line thickness, 1 to 5 (default 1)\n"
    "  --selected ID,ID,...           print only the items with these Ids\n"
    "  --dpi D                        resolution, 72 to 1200 (default 300)\n"
    "  --no-date-standardization      copy the dates of a .kl2 file as they are\n";

struct PrintOptions {
    PosterSettings poster;
    ChartPaper paper;
    QList<int> selected;
    bool dates = true;
    bool pagesGiven = false;
};

bool intIn(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

bool numberIn(const QString& text, double low, double high, double& out) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !(v >= low && v <= high)) return false;
    out = v;
    return true;
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
        } else if (a == QLatin1String("--one-page")) {
            o.poster.onePage = true;
        } else if (a == QLatin1String("--labels")) {
            o.poster.pageLabels = true;
        } else if (a == QLatin1String("--cut-marks")) {
            o.poster.cutMarks = true;
        } else if (a == QLatin1String("--leave-out-empty")) {
            o.poster.leaveOutEmptyPages = true;
        } else if (takeValue(args, i, QStringLiteral("--pages"), v)) {
            if (!intIn(v, 1, 8, o.poster.pagesPerSide)) return usage(QStringLiteral("--pages needs a number from 1 to 8"));
            o.pagesGiven = true;
        } else if (takeValue(args, i, QStringLiteral("--box-width"), v)) {
            if (!numberIn(v, 5, 500, o.poster.boxWidthMm))
                return usage(QStringLiteral("--box-width needs millimetres from 5 to 500"));
            o.poster.scale = ChartScale::BoxWidth;
        } else if (takeValue(args, i, QStringLiteral("--text-size"), v)) {
            if (!numberIn(v, 2, 72, o.poster.textSizePt)) return usage(QStringLiteral("--text-size needs points from 2 to 72"));
            o.poster.scale = ChartScale::TextSize;
        } else if (takeValue(args, i, QStringLiteral("--overlap"), v)) {
            if (!numberIn(v, 0, 50, o.poster.overlapMm)) return usage(QStringLiteral("--overlap needs millimetres from 0 to 50"));
        } else if (takeValue(args, i, QStringLiteral("--thickness"), v)) {
            if (!intIn(v, 1, 5, o.poster.lineThickness)) return usage(QStringLiteral("--thickness needs a number from 1 to 5"));
        } else if (takeValue(args, i, QStringLiteral("--dpi"), v)) {
            if (!intIn(v, 72, 1200, o.paper.dpi)) return usage(QStringLiteral("--dpi needs a number from 72 to 1200"));
        } else if (takeValue(args, i, QStringLiteral("--orientation"), v)) {
            const QString t = v.toLower();
            if (t == QLatin1String("landscape")) o.paper.orientation = QPageLayout::Landscape;
            else if (t == QLatin1String("portrait")) o.paper.orientation = QPageLayout::Portrait;
            else return usage(QStringLiteral("--orientation is landscape or portrait"));
        } else if (takeValue(args, i, QStringLiteral("--paper"), v)) {
            const std::optional<QSizeF> paper = parsePaper(v);
            if (!paper) return usage(QStringLiteral("--paper is %1 (sides of 10 to 100000 mm)").arg(paperChoices()));
            o.paper.millimetres = *paper;
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
    if (o.pagesGiven && o.poster.scale != ChartScale::FitPages)
        return usage(QStringLiteral("--pages cannot go with --box-width or --text-size"));
    if (o.pagesGiven && o.poster.onePage) return usage(QStringLiteral("--pages cannot go with --one-page"));
    if (!acceptOutputFile("print", operands[0], operands[1], {QStringLiteral("pdf"), QStringLiteral("svg")})) return 1;

    ConsolePrompts prompts;
    ItemStore store(&prompts);
    if (!loadTreeFile("print", operands[0], store, prompts, o.dates)) return 1;
    if (store.empty()) return fail("print", QStringLiteral("%1 has no items to print").arg(operands[0]));
    for (const int id : o.selected) {
        PersonItem* item = store.findItemById(id);
        if (!item) return fail("print", QStringLiteral("no item has the Id %1").arg(id));
        store.addToSelection(item);
    }
    const StoredTreeFont font = readStoredTreeFont(*openIniRegistry(defaultRegistryPath()));
    o.poster.fontName = font.name;
    o.poster.fontSize = font.size;
    const DisplayCharset charset(font.charset);
    o.poster.charset = &charset;

    const QSize page = pdfPagePixels(o.paper);
    const bool svg = operands[1].endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    if (svg && o.pagesGiven) return usage(QStringLiteral("--pages cannot go with an SVG file, which is one large page"));
    if (svg) o.poster.onePage = true;
    const PosterLayout layout(store, o.poster, page, o.paper.dpi);
    if (layout.isEmpty()) return fail("print", QStringLiteral("the overlap leaves nothing of a page: choose a smaller one"));
    printOut(describePages(layout) + QLatin1Char('\n'));

    // Written beside the target and renamed over it only when complete.
    SaveFile file(operands[1]);
    // Progress on a terminal, on one line rewritten in place.
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const PageProgress progress = [terminal](int page, int pages) {
        if (terminal && pages > 1) {
            std::fprintf(stderr, "\rpage %d of %d", page, pages);
            if (page == pages) std::fprintf(stderr, "\n");
            std::fflush(stderr);
        }
        return true;
    };
    const QString error = writeChartFile(file, store, o.poster, o.paper, progress);
    if (!error.isEmpty()) return fail("print", QStringLiteral("could not write %1: %2").arg(operands[1], error));
    return 0;
}

}  // namespace kinloom::cli
