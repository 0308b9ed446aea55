#include "reports/ui/printer_dialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace kinloom {

PrinterDialogs qtPrinterDialogs() {
    PrinterDialogs d;
    d.print = [](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    d.pageSetup = [](QPrinter& printer, QWidget* parent) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    return d;
}

}  // namespace kinloom
