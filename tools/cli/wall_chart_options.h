#pragma once
#include "reports/chart_file.h"
#include "reports/poster.h"

#include <QString>
#include <QStringList>

#include <functional>

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

// A whole number from `low` to `high` written as text.
bool wholeNumberIn(const QString& text, int low, int high, int& out);

// The options a command has besides the wall-chart ones: takes the one at args[i] as
// takeWallChartOption does.
using OwnOption = std::function<OptionTaken(const QStringList& args, int& i, QString& error)>;

// Splits the arguments into operands (everything after a lone "--" among them) and options, the
// wall-chart ones into `o` and the others through `own`. Returns why an option is bad or
// unknown, or nothing.
QString parseWallChartArgs(const QStringList& args, WallChartOptions& o, QStringList& operands, const OwnOption& own);

// Whether the options go together for the output file `out`; otherwise the reason.
QString checkWallChartOptions(const WallChartOptions& o, const QString& out);

// Writes a drawing as `command` does: with the tree font stored in the settings, one large page
// for an SVG file, the pages announced on stdout, progress on a terminal. Returns the exit status.
int writeWallChart(const char* command, const ChartDrawing& drawing, WallChartOptions o, const QString& out);

}  // namespace kinloom::cli
