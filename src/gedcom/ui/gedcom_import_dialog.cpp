#include "gedcom/ui/gedcom_import_dialog.h"

#include "document/item_store.h"
#include "gedcom/gedcom_commands.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace kinloom {

namespace {
QString counterText(int n) { return QString::number(n) + QLatin1Char(' '); }
}  // namespace

GedcomImportDialog::GedcomImportDialog(ItemStore& store, ViewState& view, std::function<WindowSize()> windowSize,
                             Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      store_(store), view_(view), windowSize_(std::move(windowSize)), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Gedcom import"));
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("File to import:"), this), 0, 0, 1, 2);
    fileNameLabel = new QLabel(this);
    fileNameLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    fileNameLabel->setMinimumWidth(360);
    fileNameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(fileNameLabel, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Import progress:"), this), 2, 0, 1, 2);
    progressBar = new QProgressBar(this);
    progressBar->setRange(0, 100);
    grid->addWidget(progressBar, 3, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Individuals read:"), this), 4, 0);
    individualsCountLabel = new QLabel(this);
    individualsCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(individualsCountLabel, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Families read:"), this), 5, 0);
    familiesCountLabel = new QLabel(this);
    familiesCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(familiesCountLabel, 5, 1);
    resultLabel = new QLabel(this);
    resultLabel->setAlignment(Qt::AlignCenter);
    QFont bold = resultLabel->font();
    bold.setBold(true);
    resultLabel->setFont(bold);
    resultLabel->setWordWrap(true);
    grid->addWidget(resultLabel, 6, 0, 1, 2);
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setDefault(true);
    grid->addWidget(okButton, 7, 0, 1, 2, Qt::AlignHCenter);
    connect(okButton, &QPushButton::clicked, this, &GedcomImportDialog::confirm);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    individualsCountLabel->setText(counterText(0));
    familiesCountLabel->setText(counterText(0));
}

void GedcomImportDialog::showEvent(QShowEvent* event) {
    // The dialog sits in the middle of the screen, wherever the main window is.
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    // Start once the dialog is on the screen, so that the user sees the progress.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !reading_) startImport();
    });
}

void GedcomImportDialog::reject() {
    if (!reading_) QDialog::reject();  // no closing half way through a file
}

void GedcomImportDialog::prepare(const QString& fileName) {
    file_ = fileName;
    pending_ = true;
    result_ = GedcomImportResult{};
}

void GedcomImportDialog::importFile(const QString& fileName) {
    prepare(fileName);
    exec();
    pending_ = false;
}

void GedcomImportDialog::startImport() {
    fileNameLabel->clear();
    resultLabel->clear();
    individualsCountLabel->setText(counterText(0));
    familiesCountLabel->setText(counterText(0));
    progressBar->setValue(0);
    okButton->setEnabled(true);
    if (!pending_ || !store_.empty()) return;  // only an empty tree takes an import
    pending_ = false;

    okButton->setEnabled(false);
    reading_ = true;
    individuals_ = families_ = 0;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busyCursor_ = true;
    sinceEvents_.start();
    result_ = importGedcomFile(store_, view_, windowSize_ ? windowSize_() : WindowSize{}, file_, *this, prompts_,
                               arrangement ? arrangement() : ArrangeStyle::FamilyChart);
    endReading();
    emit importFinished();
}

void GedcomImportDialog::endReading() {
    if (busyCursor_) QApplication::restoreOverrideCursor();
    busyCursor_ = false;
    reading_ = false;
    okButton->setEnabled(true);
}

// The failure message comes with OK enabled and the arrow cursor back.
void GedcomImportDialog::readingFailed() { endReading(); }

void GedcomImportDialog::fileChosen(const QString& fileName) { fileNameLabel->setText(fileName); }
void GedcomImportDialog::progress(int percent) { progressBar->setValue(percent); }
// Counters change with almost every record: they are shown when the window gets its events.
void GedcomImportDialog::individualsRead(int count) { individuals_ = count; }
void GedcomImportDialog::familiesRead(int count) { families_ = count; }

void GedcomImportDialog::showCounters() {
    individualsCountLabel->setText(counterText(individuals_));
    familiesCountLabel->setText(counterText(families_));
}

void GedcomImportDialog::status(const QString& text) {
    showCounters();
    resultLabel->setText(text);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GedcomImportDialog::keepAlive() {
    // Events every few hundredths of a second keep the window painted and movable without slowing
    // the reading down; the dialog is modal, so no command can touch the tree meanwhile.
    if (sinceEvents_.elapsed() < 30) return;
    sinceEvents_.restart();
    showCounters();
    QApplication::processEvents();
}

void GedcomImportDialog::beep() { QApplication::beep(); }

}  // namespace kinloom
