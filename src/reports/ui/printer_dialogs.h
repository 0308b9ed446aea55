#pragma once
#include <functional>

class QPrinter;
class QWidget;

namespace kinloom {

// The printer's own dialogs: Qt's print dialog (which also prints to a PDF file) and its page
// setup dialog. Each returns true when the user confirmed. Tests put scripted ones in their place.
struct PrinterDialogs {
    std::function<bool(QPrinter&, QWidget* parent)> print;
    std::function<bool(QPrinter&, QWidget* parent)> pageSetup;
};

PrinterDialogs qtPrinterDialogs();

}  // namespace kinloom
