#include "gedcom/ui/gedcom_menu_commands.h"

#include "document/item_store.h"
#include "gedcom/gedcom_commands.h"
#include "gedcom/ui/gedcom_import_dialog.h"

#include <QApplication>
#include <QDateTime>

namespace kinloom {

void runGedcomImportCommand(ItemStore& store, GedcomImportDialog& dialog, const std::function<void()>& newCommand,
                            bool& paintEnabled, const std::function<void()>& repaint) {
    if (newCommand) newCommand();
    if (!store.empty()) return;  // the user kept the tree
    paintEnabled = false;
    dialog.exec();
    paintEnabled = true;
    if (repaint) repaint();
}

void runGedcomExportCommand(ItemStore& store, Prompts& prompts, const std::function<void()>& repaint) {
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
    exportGedcomTo(store, *name, QDateTime::currentDateTime(), prompts, endBusy);
    if (repaint) repaint();
    endBusy();
}

}  // namespace kinloom
