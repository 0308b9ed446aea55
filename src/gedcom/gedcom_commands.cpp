#include "gedcom/gedcom_commands.h"

#include "document/item_store.h"
#include "gedcom/gedcom_export.h"
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
                    const std::function<void()>& beforeError, QString* status) {
    QString error;
    GedcomExportCounts counts;
    if (!writeGedcomFile(store, fileName, now.date(), now.time(), &error, &counts)) {
        if (beforeError) beforeError();
        prompts.error(kAppTitle, error);
        return false;
    }
    if (status) *status = gedcomExportStatus(counts.persons, counts.families, fileName);
    return true;
}

QString gedcomExportStatus(int persons, int families, const QString& fileName) {
    const auto count = [](int n, const char* one, const char* many) {
        return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
    };
    return QStringLiteral("GEDCOM export: %1 and %2 written to %3")
        .arg(count(persons, "person", "persons"), count(families, "family", "families"), fileName);
}

bool exportGedcomCommand(ItemStore& store, Prompts& prompts, const QDateTime& now, QString* status) {
    const std::optional<QString> name = askGedcomExportFile(prompts);
    return name && exportGedcomTo(store, *name, now, prompts, {}, status);
}

}  // namespace kinloom
