#pragma once
#include "reports/poster.h"
#include "reports/ui/printer_dialogs.h"

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;

namespace kinloom {

struct AppState;
class MainWindow;
class PrintWindow;
struct CommandContext;

// Tools > Print Screen: the main window's client area (below the menu bar) on one page, taken
// with the toolbar hidden. Lives on the main window; tests replace its print dialog.
class ScreenPrinter : public QObject {
    Q_OBJECT
public:
    explicit ScreenPrinter(MainWindow& window);
    ~ScreenPrinter() override;
    void setPrinterDialogs(PrinterDialogs dialogs) { dialogs_ = std::move(dialogs); }
    QPrinter& printer() { return *printer_; }

public slots:
    void printScreen();

private:
    MainWindow& window_;
    PrinterDialogs dialogs_;
    std::unique_ptr<QPrinter> printer_;
};

// The tree font, its size and character set as they are now, as the print windows take them.
std::function<PosterSettings()> currentTreeFont(AppState& state);

// Makes the print window and the screen printer and brings on File > "&Print tree", its toolbar
// button and Tools > "&Print Screen". The main window owns what is made here.
PrintWindow* installPrinting(MainWindow& window);

void openPrintWindow(CommandContext& c);
void printScreen(CommandContext& c);

}  // namespace kinloom
