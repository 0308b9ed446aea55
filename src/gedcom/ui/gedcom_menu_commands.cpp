#include "gedcom/ui/gedcom_menu_commands.h"

#include "document/item_store.h"
#include "gedcom/gedcom_commands.h"
#include "gedcom/ui/gedcom_import_dialog.h"

#include <QApplication>
#include <QDateTime>

namespace kinloom {

void runGedcomImportCommand(GedcomImportDialog& dialog,
                            const std::function<std::optional<QString>()>& chooseAndClear, bool& paintEnabled,
                            const std::function<void()>& repaint, const std::function<void(const QString&)>& setStatus) {
    const std::optional<QString> file = chooseAndClear ? chooseAndClear() : std::nullopt;
    if (file) importGedcomWithDialog(dialog, *file, paintEnabled, repaint, setStatus);
}

void importGedcomWithDialog(GedcomImportDialog& dialog, const QString& fileName, bool& paintEnabled,
                            const std::function<void()>& repaint, const std::function<void(const QString&)>& setStatus) {
    paintEnabled = false;
    dialog.importFile(fileName);
    paintEnabled = true;
    if (repaint) repaint();
    if (setStatus) setStatus(gedcomImportStatus(dialog.lastResult(), fileName));
}

void runGedcomExportCommand(ItemStore& store, Prompts& prompts, const std::function<void()>& repaint,
                            const std::function<void(const QString&)>& setStatus, const GedcomNotesSource& notes) {
    const std::optional<QString> name = askGedcomExportFile(prompts);
    if (!name) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool busy = true;
    const auto endBusy = [&busy] {
        if (busy) QApplication::restoreOverrideCursor();
        busy = false;
    };
    // The clock is read here, at the command, and handed to the writer. A write error is shown
    // with the normal cursor.
    QString status;
    const bool written = exportGedcomTo(store, *name, QDateTime::currentDateTime(), prompts, endBusy, &status, notes);
    if (repaint) repaint();
    endBusy();
    if (written && setStatus) setStatus(status);
}

}  // namespace kinloom
