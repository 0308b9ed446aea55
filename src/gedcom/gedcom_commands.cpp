#include "gedcom/gedcom_commands.h"

#include "document/item_store.h"
#include "gedcom/gedcom_export.h"
#include "platform/prompts.h"

namespace kinloom {

std::optional<QString> AskGedcomFileToImport(Prompts& prompts) {
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("Gedcom files (*.ged)|*.ged|Text files (*.txt)|*.txt|All files (*.*)|*.*");
    request.defaultExtension = QStringLiteral("ged");
    return prompts.OpenFileName(request);
}

bool ExportGedcomCommand(TItemStore& store, Prompts& prompts, const QDateTime& now) {
    FileDialogRequest request;
    request.title = QStringLiteral("Export to GEDCOM format");
    request.filter = QStringLiteral("GEDCOM files|*.ged");
    request.defaultExtension = QStringLiteral("ged");
    request.promptOverwrite = true;
    const std::optional<QString> name = prompts.SaveFileName(request);
    if (!name) return false;
    QString error;
    if (!WriteGedcomFile(store, *name, now.date(), now.time(), &error)) {
        prompts.Error(kAppTitle, error);
        return false;
    }
    store.Modified = false;
    return true;
}

}  // namespace kinloom
