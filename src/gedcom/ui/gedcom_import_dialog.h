#pragma once
#include "document/view_state.h"
#include "gedcom/gedcom_import.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kinloom {

class ItemStore;
class Prompts;

// The GEDCOM import dialog: shown with a file chosen beforehand (importFile), it reads it into the
// (empty) store with progress and counters, arranges the tree and tells how it went. OK stays
// disabled, and the dialog cannot be closed, while a file is read; the window keeps answering
// meanwhile. The file is asked for before the dialog shows, so that it never covers the file dialog.
class GedcomImportDialog : public QDialog, private GedcomImportUser {
    Q_OBJECT
public:
    GedcomImportDialog(ItemStore& store, ViewState& view, std::function<WindowSize()> windowSize,
                  Prompts& prompts, QWidget* parent = nullptr);

    // Shows the dialog and imports the file into the empty store; returns when the user confirms.
    void importFile(const QString& fileName);
    // The file the next showing reads (importFile without the modal loop).
    void prepare(const QString& fileName);
    // Performs the import of the chosen file (run when the dialog is shown).
    void startImport();
    // How the last import went, and its file.
    const GedcomImportResult& lastResult() const { return result_; }
    const QString& lastFile() const { return file_; }
    void confirm() { accept(); }
    // Escape and the close button do nothing while a file is read.
    void reject() override;
    bool reading() const { return reading_; }

    QLabel* fileNameLabel = nullptr;  // the file's name
    QProgressBar* progressBar = nullptr;
    QLabel* individualsCountLabel = nullptr;  // individuals read
    QLabel* familiesCountLabel = nullptr;  // families read
    QLabel* resultLabel = nullptr;       // status line
    QPushButton* okButton = nullptr;
    // How the tree is arranged once read; unset, as a family chart.
    std::function<ArrangeStyle()> arrangement;

signals:
    // Emitted once the dialog's own import run has finished, well or not, or was cancelled.
    void importFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fileChosen(const QString& fileName) override;
    void progress(int percent) override;
    void individualsRead(int count) override;
    void familiesRead(int count) override;
    void status(const QString& text) override;
    void keepAlive() override;
    void readingFailed() override;
    void beep() override;
    void showCounters();
    void endReading();

    ItemStore& store_;
    ViewState& view_;
    std::function<WindowSize()> windowSize_;
    Prompts& prompts_;
    QString file_;
    bool pending_ = false;  // file_ waits to be read
    GedcomImportResult result_;
    bool reading_ = false;
    bool busyCursor_ = false;
    int individuals_ = 0;
    int families_ = 0;
    QElapsedTimer sinceEvents_;
};

}  // namespace kinloom
