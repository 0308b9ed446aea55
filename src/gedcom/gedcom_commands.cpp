#include "gedcom/gedcom_commands.h"

#include "document/item_store.h"
#include "platform/prompts.h"

namespace kinloom {

std::optional<QString> askGedcomFileToImport(Prompts& prompts) {
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("Gedcom files (*.ged)|*.ged|Text files (*.txt)|*.txt|All files (*.*)|*.*");
    request.defaultExtension = QStringLiteral("ged");
    return prompts.openFileName(request);
}

std::optional<QString> askGedcomExportFile(Prompts& prompts) {
    FileDialogRequest request;
    request.title = QStringLiteral("Export to GEDCOM format");
    request.filter = QStringLiteral("GEDCOM files|*.ged");
    request.defaultExtension = QStringLiteral("ged");
    request.promptOverwrite = true;
    return prompts.saveFileName(request);
}

bool exportGedcomTo(ItemStore& store, const QString& fileName, const QDateTime& now, Prompts& prompts,
                    const std::function<void()>& beforeError, QString* status, const GedcomNotesSource& notes) {
    QString error;
    GedcomExportCounts counts;
    if (!writeGedcomFile(store, fileName, now.date(), now.time(), &error, &counts, notes)) {
        if (beforeError) beforeError();
        prompts.error(kAppTitle, error);
        return false;
    }
    if (status) *status = gedcomExportStatus(counts, fileName);
    return true;
}

QString gedcomExportStatus(const GedcomExportCounts& counts, const QString& fileName) {
    const auto count = [](int n, const char* one, const char* many) {
        return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
    };
    QString status = QStringLiteral("GEDCOM export: %1 and %2 written to %3")
                         .arg(count(counts.persons, "person", "persons"),
                              count(counts.families, "family", "families"), fileName);
    if (counts.unreadableNotes > 0)
        status += QStringLiteral(" (%1 could not be read)")
                      .arg(count(counts.unreadableNotes, "notes file", "notes files"));
    return status;
}

bool exportGedcomCommand(ItemStore& store, Prompts& prompts, const QDateTime& now, QString* status,
                         const GedcomNotesSource& notes) {
    const std::optional<QString> name = askGedcomExportFile(prompts);
    return name && exportGedcomTo(store, *name, now, prompts, {}, status, notes);
}

}  // namespace kinloom
