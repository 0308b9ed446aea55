#pragma once
#include "canvas/program_version.h"
#include "platform/run_together.h"
#include "reports/html_settings.h"

#include <QLocale>
#include <QString>

namespace kinloom {

class ItemStore;
class DisplayCharset;

inline const QString kHtmlExportFailed = QStringLiteral(
    "An error occured while exporting to HTML. Please check that you have enough disk space available and try again.");
inline const QString kGifConversionFailed = QStringLiteral("Could not convert picture to GIF format");

// What the page writer tells whoever runs it: the dialog shows it, kinloom-cli prints it.
class HtmlReportProgress {
public:
    virtual ~HtmlReportProgress() = default;
    // "Generating files for Ann Lee...", "Creating index...", "Done."
    virtual void status(const QString& text) { (void)text; }
    // One more item of `total` is done (alias items included).
    virtual void advance(int done, int total) { (void)done; (void)total; }
    // A problem that does not stop the run.
    virtual void warning(const QString& text) { (void)text; }
};

struct HtmlReportJob {
    HtmlReportSettings settings;
    QString outputFolder;             // written into; never made the current folder
    QString treeFolder;               // pictures and notes files are relative to it
    int personCount = 0;              // the persons counter as the canvas counts it
    const DisplayCharset* charset = nullptr;  // how stored texts read; null: System Default
    QString version = kVersionLabel;
    QLocale locale;                   // the name index sorts in its language (by codes in the C locale)
    ThreadStarter startThread;        // how worker threads start; empty: std::thread (tests refuse threads)
};

struct HtmlReportResult {
    bool ok = false;
    QString error;  // which file could not be written, and why
    int pages = 0;
};

// Writes the web pages of the whole tree into the output folder: blank.gif, arrow.gif, a box image
// and a page per person, the picture copies, the background-image copies, the index and, with
// frames, the frame set. Stops at the first file that cannot be written; files written stay.
HtmlReportResult writeHtmlReport(const ItemStore& store, const HtmlReportJob& job, HtmlReportProgress& progress);

}  // namespace kinloom
