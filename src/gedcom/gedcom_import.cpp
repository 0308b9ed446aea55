#include "gedcom/gedcom_import.h"

#include "document/item_store.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/line_source.h"
#include "gedcom/scratch_copy.h"
#include "layout/auto_arrange.h"
#include "platform/prompts.h"
#include "platform/rounding.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>

namespace kinloom {

QString GedcomImportFailedMessage() { return QStringLiteral("GEDCOM import failed"); }

QString GedcomImportFailedStatus(int line) {
    return QStringLiteral("GEDCOM import failed - file possibly corrupted (reached line %1)").arg(line);
}

namespace {
int percentOf(int64_t done, int64_t total) {
    if (total <= 0) return 100;
    const int64_t p = RoundHalfEven(static_cast<double>(done) * 100.0 / static_cast<double>(total));
    return static_cast<int>(std::clamp<int64_t>(p, 0, 100));
}
}  // namespace

GedcomImportResult ReadGedcomFile(TItemStore& store, const QString& fileName, GedcomImportUser& user,
                                  Prompts& prompts, const QString& scratchFolder) {
    GedcomImportResult result;
    user.Status(QStringLiteral("Importing file..."));

    // The scratch copy goes to a folder of our own: the current folder may be anything.
    QTemporaryDir ownFolder;
    const QString folder = scratchFolder.isEmpty() ? ownFolder.path() : scratchFolder;
    const QString scratchName = QDir(folder).filePath(QStringLiteral("temp.klc"));
    GedcomScratchCopy scratch;
    if ((scratchFolder.isEmpty() && !ownFolder.isValid()) || !scratch.Create(scratchName))
        prompts.Error(kAppTitle, QStringLiteral("Could not create output file: ") + scratchName);

    user.FileChosen(fileName);
    TGedcomReader reader(store, &scratch);
    GedcomLineSource source;
    bool ok = source.Open(fileName);
    int percent = -1, individuals = 0, families = 0;
    if (ok) user.Progress(0);
    // Programs write some 150 to 300 bytes per individual.
    reader.ExpectIndividuals(static_cast<size_t>(source.Size() / 200));
    while (ok && !source.AtEnd()) {
        user.KeepAlive();
        std::string_view line;
        if (!source.ReadLine(line)) {
            ok = false;
            break;
        }
        const int now = percentOf(source.BytesRead(), source.Size());
        if (now != percent) user.Progress(percent = now);
        ok = reader.ReadLine(line);
        if (reader.IndividualCount() != individuals) user.IndividualsRead(individuals = reader.IndividualCount());
        if (reader.FamilyCount() != families) user.FamiliesRead(families = reader.FamilyCount());
    }
    source.Close();
    scratch.Close();

    result.ok = ok;
    result.lines = reader.LineCount();
    result.individuals = reader.IndividualCount();
    result.families = reader.FamilyCount();
    if (!ok) {
        user.ReadingFailed();
        user.Beep();
        prompts.Error(kAppTitle, GedcomImportFailedMessage());
        user.Status(GedcomImportFailedStatus(result.lines));
    }
    return result;
}

void ArrangeImportedTree(TItemStore& store, ViewState& view, WindowSize window) {
    // Auto arrange without its question; it makes the new home item current and zooms to it.
    ArrangeAllItems(store, view, window);
    store.CurrentItem = store.FirstItem();
}

GedcomImportResult ImportGedcomFile(TItemStore& store, ViewState& view, WindowSize window,
                                    const QString& fileName, GedcomImportUser& user, Prompts& prompts,
                                    const QString& scratchFolder) {
    GedcomImportResult result = ReadGedcomFile(store, fileName, user, prompts, scratchFolder);
    if (!result.ok) return result;
    user.Status(QStringLiteral("Please wait while arranging items..."));
    user.KeepAlive();
    ArrangeImportedTree(store, view, window);
    user.Status(QStringLiteral("Done."));
    user.Beep();
    return result;
}

}  // namespace kinloom
