#include "reports/chart_file.h"

#include "platform/save_file.h"
#include "reports/poster.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace kinloom {

namespace {

// Hands what a PDF or SVG writer writes to a save file; the first failure stops all further
// writing, and the writer goes on into nothing until it finishes.
class SaveFileDevice : public QIODevice {
public:
    explicit SaveFileDevice(SaveFile& file) : file_(file) { open(QIODevice::WriteOnly); }
    bool failed() const { return failed_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failed_) return -1;
        if (!file_.write(data, size)) {
            failed_ = true;
            return -1;
        }
        return size;
    }

private:
    SaveFile& file_;
    bool failed_ = false;
};

bool writeSvg(QIODevice& device, const ChartDrawing& drawing, const PosterSettings& settings, int dpi) {
    PosterSettings one = settings;
    one.onePage = true;
    const PosterLayout layout(drawing, one, QSize(1, 1), dpi);
    if (layout.isEmpty()) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setResolution(dpi);
    svg.setSize(layout.pageSize());
    svg.setViewBox(QRect(QPoint(0, 0), layout.pageSize()));
    svg.setTitle(QStringLiteral("Family tree"));
    svg.setDescription(kPosterHeader);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.fillRect(QRect(QPoint(0, 0), layout.pageSize()), Qt::white);
    layout.drawPage(painter, 0);
    return painter.end();
}

bool setUpPdf(QPdfWriter& pdf, const ChartPaper& paper) {
    pdf.setCreator(QStringLiteral("Kinloom 2.0"));
    pdf.setResolution(paper.dpi);
    return pdf.setPageLayout(
        QPageLayout(QPageSize(paper.millimetres, QPageSize::Millimeter), paper.orientation, QMarginsF(0, 0, 0, 0)));
}

bool writePdf(QIODevice& device, const ChartDrawing& drawing, const PosterSettings& settings, const ChartPaper& paper,
              const PageProgress& progress) {
    QPdfWriter pdf(&device);
    return setUpPdf(pdf, paper) && printPoster(pdf, drawing, settings, progress);
}

}  // namespace

QSize pdfPagePixels(const ChartPaper& paper) {
    QBuffer nowhere;
    QPdfWriter pdf(&nowhere);
    setUpPdf(pdf, paper);
    return {pdf.width(), pdf.height()};
}

QString writeChartFile(SaveFile& file, const ItemStore& store, const PosterSettings& settings, const ChartPaper& paper,
                       const PageProgress& progress) {
    return writeChartFile(file, drawingOfStore(store, settings.selectedOnly), settings, paper, progress);
}

QString writeChartFile(SaveFile& file, const ChartDrawing& drawing, const PosterSettings& settings,
                       const ChartPaper& paper, const PageProgress& progress) {
    if (!file.open()) return file.errorString();
    bool drawn = false, cancelled = false;
    const PageProgress watched = [&](int page, int pages) {
        cancelled = progress && !progress(page, pages);
        return !cancelled;
    };
    SaveFileDevice device(file);
    if (file.fileName().endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        drawn = writeSvg(device, drawing, settings, paper.dpi);
    else
        drawn = writePdf(device, drawing, settings, paper, watched);
    if (device.failed()) return file.errorString();
    if (cancelled) {
        file.cancel();
        return kChartCancelled;
    }
    if (!drawn) {
        file.cancel();
        return QStringLiteral("The chart could not be drawn.");
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace kinloom
