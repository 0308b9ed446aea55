#pragma once
#include "reports/chart_file.h"
#include "reports/poster.h"

#include <QString>
#include <QStringList>

namespace kinloom::cli {

// The wall-chart options that `print` and `chart` share: the size, the paper, assembly and lines.
struct WallChartOptions {
    PosterSettings poster;
    ChartPaper paper;
    bool pagesGiven = false;
};

// Their lines of a command's --help.
extern const char kWallChartOptionsHelp[];

// Takes the wall-chart option at args[i] into `o`, moving i past its value. NotMine leaves i
// where it was; Bad puts the reason into `error`.
enum class OptionTaken { NotMine, Taken, Bad };
OptionTaken takeWallChartOption(const QStringList& args, int& i, WallChartOptions& o, QString& error);

// Whether the options go together for the output file `out`; otherwise the reason.
QString checkWallChartOptions(const WallChartOptions& o, const QString& out);

// Writes a drawing as `command` does: with the tree font stored in the settings, one large page
// for an SVG file, the pages announced on stdout, progress on a terminal. Returns the exit status.
int writeWallChart(const char* command, const ChartDrawing& drawing, WallChartOptions o, const QString& out);

}  // namespace kinloom::cli
