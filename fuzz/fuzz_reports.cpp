// The reports on a tree read from a tree file: the quality check, the alphabetical list written
// and read back, and the web pages of a small tree, which must hold a page and a box image for
// every person and an index.
#include "fuzz_support.h"
#include "reports/alphabetical_list.h"
#include "reports/html_report.h"
#include "reports/quality_check.h"

#include <QDir>
#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);  // the web pages draw text
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kinloom;
    const QString path = fuzz::writeInput(data, size, "in.kl3");
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    ViewState view;
    if (readFromFile(store, path, view, {800, 600}, prompts) != ReadStatus::Ok || !store.firstItem()) return 0;
    const QString folder = fuzz::scratchDir().path();

    const QualityCheckResult check = runQualityCheck(store, folder);
    if (check.rows.size() > 2 * static_cast<size_t>(store.itemCount())) fuzz::fault("more problems than references");

    const std::vector<std::string> lines = alphabeticalListLines(store);
    size_t persons = 0;  // alias boxes are second places of persons listed already
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) persons += p->isAlias() ? 0 : 1;
    if (lines.size() != persons) fuzz::fault("the list has not a line a person");
    const QString list = QDir(folder).filePath(QStringLiteral("list.txt"));
    if (!writeAlphabeticalList(lines, list)) fuzz::fault("the list could not be written");
    QFile written(list);
    if (!written.open(QIODevice::ReadOnly)) fuzz::fault("the list was not written");
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    if (written.readAll().toStdString() != expected) fuzz::fault("the list file differs from its lines");

    if (store.itemCount() > 30) return 0;  // the pages of a few persons tell as much and keep the runs quick
    const QTemporaryDir site(QDir(folder).filePath(QStringLiteral("site-XXXXXX")));
    HtmlReportJob job;
    job.outputFolder = site.path();
    job.treeFolder = folder;
    job.personCount = store.personCount();
    HtmlReportProgress quiet;
    const HtmlReportResult pages = writeHtmlReport(store, job, quiet);
    if (!pages.ok) fuzz::fault("the web pages could not be written");
    const QDir out(site.path());
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;
        const QString n = QString::number(p->Id);
        if (!out.exists(n + QStringLiteral(".html")) || !out.exists(n + QStringLiteral(".gif")))
            fuzz::fault("a person has no page or no box image");
    }
    if (!out.exists(QStringLiteral("index.html")) || !out.exists(QStringLiteral("left.html")))
        fuzz::fault("the index or the frame set is missing");
    return 0;
}
