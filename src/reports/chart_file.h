#pragma once
#include "reports/poster.h"

#include <QPageLayout>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace kinloom {

class ItemStore;
class SaveFile;

// The paper a chart file is written for.
struct ChartPaper {
    QSizeF millimetres{210, 297};  // portrait
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    int dpi = 300;
};

// The size in device pixels of a PDF page of that paper, as the PDF writer has it (it rounds the
// paper to whole points): the page a chart file's layout is made for, and so the page count.
QSize pdfPagePixels(const ChartPaper& paper);

// Writes a chart into `file`: an SVG drawing of one large page when its name ends in ".svg" (the
// names as text), else a PDF of the chart's pages. The file is written beside its target and
// renamed over it only when whole, so a full disk or an I/O error leaves the old file as it was.
// Returns the reason of a failure as a sentence, or nothing when the chart was written. `progress`
// hears of each PDF page and may stop the writing: the old file stays, and the reason is
// kChartCancelled.
QString writeChartFile(SaveFile& file, const ItemStore& store, const PosterSettings& settings, const ChartPaper& paper,
                       const PageProgress& progress = {});
// The same for any drawing, a chart of some persons laid out for itself.
QString writeChartFile(SaveFile& file, const ChartDrawing& drawing, const PosterSettings& settings,
                       const ChartPaper& paper, const PageProgress& progress = {});

inline const QString kChartCancelled = QStringLiteral("Printing was cancelled.");

}  // namespace kinloom
