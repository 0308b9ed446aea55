#include "gedcom/gedcom_import.h"

#include "document/item_store.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/line_source.h"
#include "gedcom/scratch_copy.h"
#include "platform/prompts.h"
#include "platform/rounding.h"

#include <algorithm>

namespace kinloom {

QString gedcomImportFailedMessage() { return QStringLiteral("GEDCOM import failed"); }

QString gedcomImportFailedStatus(int line) {
    return QStringLiteral("GEDCOM import failed - file possibly corrupted (reached line %1)").arg(line);
}

QString gedcomImportStatus(const GedcomImportResult& result, const QString& fileName) {
    if (!result.ok) return gedcomImportFailedStatus(result.lines);
    const auto count = [](int n, const char* one, const char* many) {
        return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
    };
    QString status = QStringLiteral("GEDCOM import: %1 and %2 read from %3")
                         .arg(count(result.individuals, "individual", "individuals"),
                              count(result.families, "family", "families"), fileName);
    if (result.skippedLines > 0) status += QStringLiteral("; ") + skippedLinesMessage(result.skippedLines, result.firstSkippedLine);
    return status;
}

QString skippedLinesMessage(int count, int firstLine) {
    if (count == 1) return QStringLiteral("1 line could not be read and was skipped (line %1)").arg(firstLine);
    return QStringLiteral("%1 lines could not be read and were skipped (the first is line %2)").arg(count).arg(firstLine);
}

QString refusedMarriagesMessage(int count) {
    // One line, so that kinloom-cli prints it as one.
    return QStringLiteral("Error: Could not create marriage. This version only supports %1 marriages. ").arg(kMaxSpouses) +
           (count == 1 ? QStringLiteral("1 marriage could not be created.")
                       : QStringLiteral("%1 marriages could not be created.").arg(count));
}

namespace {
int percentOf(int64_t done, int64_t total) {
    if (total <= 0) return 100;
    const int64_t p = roundHalfEven(static_cast<double>(done) * 100.0 / static_cast<double>(total));
    return static_cast<int>(std::clamp<int64_t>(p, 0, 100));
}
}  // namespace

GedcomImportResult readGedcomFile(ItemStore& store, const QString& fileName, GedcomImportUser& user,
                                  Prompts& prompts) {
    GedcomImportResult result;
    user.status(QStringLiteral("Importing file..."));

    GedcomScratchCopy scratch;
    user.fileChosen(fileName);
    GedcomReader reader(store, &scratch);
    GedcomLineSource source;
    bool ok = source.open(fileName);
    int percent = -1, individuals = 0, families = 0;
    if (ok) user.progress(0);
    // Programs write some 150 to 300 bytes per individual.
    reader.expectIndividuals(static_cast<size_t>(source.size() / 200));
    while (ok && !source.atEnd()) {
        user.keepAlive();
        std::string_view line;
        if (!source.readLine(line)) {
            ok = false;
            break;
        }
        const int now = percentOf(source.bytesRead(), source.size());
        if (now != percent) user.progress(percent = now);
        ok = reader.readLine(line);
        if (reader.individualCount() != individuals) user.individualsRead(individuals = reader.individualCount());
        if (reader.familyCount() != families) user.familiesRead(families = reader.familyCount());
    }
    source.close();
    // Also after a failure: the families read so far are linked, as the individuals stay.
    reader.finish();
    result.refusedMarriages = reader.refusedMarriages();

    result.ok = ok;
    result.lines = reader.lineCount();
    result.skippedLines = reader.skippedLines();
    result.firstSkippedLine = reader.firstSkippedLine();
    result.individuals = reader.individualCount();
    result.families = reader.familyCount();
    if (!ok) {
        user.readingFailed();
        user.beep();
    }
    if (result.refusedMarriages > 0) prompts.error(kAppTitle, refusedMarriagesMessage(result.refusedMarriages));
    if (!ok) {
        prompts.error(kAppTitle, gedcomImportFailedMessage());
        user.status(gedcomImportFailedStatus(result.lines));
    }
    return result;
}

void arrangeImportedTree(ItemStore& store, ViewState& view, WindowSize window, ArrangeStyle style) {
    // Without the menu commands' question; the home item is centred at 100 %.
    arrangeWholeTree(store, view, window, style);
    store.currentItem = store.firstItem();
}

GedcomImportResult importGedcomFile(ItemStore& store, ViewState& view, WindowSize window,
                                    const QString& fileName, GedcomImportUser& user, Prompts& prompts,
                                    ArrangeStyle style) {
    GedcomImportResult result = readGedcomFile(store, fileName, user, prompts);
    if (!result.ok) return result;
    user.status(QStringLiteral("Please wait while arranging items..."));
    user.keepAlive();
    arrangeImportedTree(store, view, window, style);
    user.status(QStringLiteral("Done."));
    user.beep();
    if (result.skippedLines > 0)
        prompts.message(kAppTitle, skippedLinesMessage(result.skippedLines, result.firstSkippedLine), PromptButtons::Ok,
                        PromptIcon::Warning);
    return result;
}

}  // namespace kinloom
