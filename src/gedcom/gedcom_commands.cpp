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
                    const std::function<void()>& beforeError) {
    QString error;
    if (!writeGedcomFile(store, fileName, now.date(), now.time(), &error)) {
        if (beforeError) beforeError();
        prompts.error(kAppTitle, error);
        return false;
    }
    store.modified = false;
    return true;
}

bool exportGedcomCommand(ItemStore& store, Prompts& prompts, const QDateTime& now) {
    const std::optional<QString> name = askGedcomExportFile(prompts);
    return name && exportGedcomTo(store, *name, now, prompts);
}

}  // namespace kinloom
