#include "wall_chart_options.h"

#include "cli_support.h"

#include "canvas/tree_font.h"
#include "platform/charsets.h"
#include "platform/registry.h"
#include "platform/save_file.h"

#include <cstdio>
#include <unistd.h>

namespace kinloom::cli {

const char kWallChartOptionsHelp[] =
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
    "  --dpi D                        resolution, 72 to 1200 (default 300)\n";

bool wholeNumberIn(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

namespace {

bool numberIn(const QString& text, double low, double high, double& out) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !(v >= low && v <= high)) return false;
    out = v;
    return true;
}

bool isSvg(const QString& out) { return out.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive); }

}  // namespace

OptionTaken takeWallChartOption(const QStringList& args, int& i, WallChartOptions& o, QString& error) {
    const QString& a = args[i];
    const auto bad = [&error](const QString& why) {
        error = why;
        return OptionTaken::Bad;
    };
    QString v;
    if (a == QLatin1String("--one-page")) {
        o.poster.onePage = true;
    } else if (a == QLatin1String("--labels")) {
        o.poster.pageLabels = true;
    } else if (a == QLatin1String("--cut-marks")) {
        o.poster.cutMarks = true;
    } else if (a == QLatin1String("--leave-out-empty")) {
        o.poster.leaveOutEmptyPages = true;
    } else if (takeValue(args, i, QStringLiteral("--pages"), v)) {
        if (!wholeNumberIn(v, 1, 8, o.poster.pagesPerSide)) return bad(QStringLiteral("--pages needs a number from 1 to 8"));
        o.pagesGiven = true;
    } else if (takeValue(args, i, QStringLiteral("--box-width"), v)) {
        if (!numberIn(v, 5, 500, o.poster.boxWidthMm)) return bad(QStringLiteral("--box-width needs millimetres from 5 to 500"));
        o.poster.scale = ChartScale::BoxWidth;
    } else if (takeValue(args, i, QStringLiteral("--text-size"), v)) {
        if (!numberIn(v, 2, 72, o.poster.textSizePt)) return bad(QStringLiteral("--text-size needs points from 2 to 72"));
        o.poster.scale = ChartScale::TextSize;
    } else if (takeValue(args, i, QStringLiteral("--overlap"), v)) {
        if (!numberIn(v, 0, 50, o.poster.overlapMm)) return bad(QStringLiteral("--overlap needs millimetres from 0 to 50"));
    } else if (takeValue(args, i, QStringLiteral("--thickness"), v)) {
        if (!wholeNumberIn(v, 1, 5, o.poster.lineThickness)) return bad(QStringLiteral("--thickness needs a number from 1 to 5"));
    } else if (takeValue(args, i, QStringLiteral("--dpi"), v)) {
        if (!wholeNumberIn(v, 72, 1200, o.paper.dpi)) return bad(QStringLiteral("--dpi needs a number from 72 to 1200"));
    } else if (takeValue(args, i, QStringLiteral("--orientation"), v)) {
        const QString t = v.toLower();
        if (t == QLatin1String("landscape"))
            o.paper.orientation = QPageLayout::Landscape;
        else if (t == QLatin1String("portrait"))
            o.paper.orientation = QPageLayout::Portrait;
        else
            return bad(QStringLiteral("--orientation is landscape or portrait"));
    } else if (takeValue(args, i, QStringLiteral("--paper"), v)) {
        const std::optional<QSizeF> paper = parsePaper(v);
        if (!paper) return bad(QStringLiteral("--paper is %1 (sides of 10 to 100000 mm)").arg(paperChoices()));
        o.paper.millimetres = *paper;
    } else {
        return OptionTaken::NotMine;
    }
    return OptionTaken::Taken;
}

QString parseWallChartArgs(const QStringList& args, WallChartOptions& o, QStringList& operands, const OwnOption& own) {
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
        QString error;
        OptionTaken taken = takeWallChartOption(args, i, o, error);
        if (taken == OptionTaken::NotMine && own) taken = own(args, i, error);
        if (taken == OptionTaken::Bad) return error;
        if (taken == OptionTaken::NotMine) return QStringLiteral("unknown option %1").arg(a);
    }
    return {};
}

QString checkWallChartOptions(const WallChartOptions& o, const QString& out) {
    if (o.pagesGiven && o.poster.scale != ChartScale::FitPages)
        return QStringLiteral("--pages cannot go with --box-width or --text-size");
    if (o.pagesGiven && o.poster.onePage) return QStringLiteral("--pages cannot go with --one-page");
    if (o.pagesGiven && isSvg(out)) return QStringLiteral("--pages cannot go with an SVG file, which is one large page");
    return {};
}

int writeWallChart(const char* command, const ChartDrawing& drawing, WallChartOptions o, const QString& out) {
    const StoredTreeFont font = readStoredTreeFont(*openIniRegistry(defaultRegistryPath()));
    o.poster.fontName = font.name;
    o.poster.fontSize = font.size;
    const DisplayCharset charset(font.charset);
    o.poster.charset = &charset;
    if (isSvg(out)) o.poster.onePage = true;

    const PosterLayout layout(drawing, o.poster, pdfPagePixels(o.paper), o.paper.dpi);
    if (layout.isEmpty()) return fail(command, QStringLiteral("the overlap leaves nothing of a page: choose a smaller one"));
    printOut(describePages(layout) + QLatin1Char('\n'));

    // Written beside the target and renamed over it only when complete.
    SaveFile file(out);
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
    const QString error = writeChartFile(file, drawing, o.poster, o.paper, progress);
    if (!error.isEmpty()) return fail(command, QStringLiteral("could not write %1: %2").arg(out, error));
    return 0;
}

}  // namespace kinloom::cli
