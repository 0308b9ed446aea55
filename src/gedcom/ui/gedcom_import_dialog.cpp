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

TGedcomImport::TGedcomImport(TItemStore& store, ViewState& view, std::function<WindowSize()> windowSize,
                             Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      store_(store), view_(view), windowSize_(std::move(windowSize)), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Gedcom import"));
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("File to import:"), this), 0, 0, 1, 2);
    StaticText1 = new QLabel(this);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setMinimumWidth(360);
    StaticText1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(StaticText1, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Import progress:"), this), 2, 0, 1, 2);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    grid->addWidget(ProgressBar1, 3, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Individuals read:"), this), 4, 0);
    StaticText2 = new QLabel(this);
    StaticText2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(StaticText2, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Families read:"), this), 5, 0);
    StaticText3 = new QLabel(this);
    StaticText3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(StaticText3, 5, 1);
    Label5 = new QLabel(this);
    Label5->setAlignment(Qt::AlignCenter);
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);
    Label5->setWordWrap(true);
    grid->addWidget(Label5, 6, 0, 1, 2);
    OK = new QPushButton(QStringLiteral("&OK"), this);
    OK->setDefault(true);
    grid->addWidget(OK, 7, 0, 1, 2, Qt::AlignHCenter);
    connect(OK, &QPushButton::clicked, this, &TGedcomImport::OKClick);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    StaticText2->setText(counterText(0));
    StaticText3->setText(counterText(0));
}

void TGedcomImport::showEvent(QShowEvent* event) {
    // The dialog sits in the middle of the screen, wherever the main window is.
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    // Start once the dialog is on the screen, so that the user sees it behind the open dialog.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !reading_) Button1Click();
    });
}

void TGedcomImport::reject() {
    if (!reading_) QDialog::reject();  // no closing half way through a file
}

void TGedcomImport::Button1Click() {
    StaticText1->clear();
    Label5->clear();
    StaticText2->setText(counterText(0));
    StaticText3->setText(counterText(0));
    ProgressBar1->setValue(0);
    OK->setEnabled(true);
    if (!store_.empty()) return;  // only an empty tree takes an import

    OK->setEnabled(false);
    reading_ = true;
    individuals_ = families_ = 0;
    const std::optional<QString> file = AskGedcomFileToImport(prompts_);
    if (file) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busyCursor_ = true;
        sinceEvents_.start();
        ImportGedcomFile(store_, view_, windowSize_ ? windowSize_() : WindowSize{}, *file, *this, prompts_,
                         scratchFolder_);
    }
    endReading();
    emit importFinished();
}

void TGedcomImport::endReading() {
    if (busyCursor_) QApplication::restoreOverrideCursor();
    busyCursor_ = false;
    reading_ = false;
    OK->setEnabled(true);
}

// The failure message comes with OK enabled and the arrow cursor back.
void TGedcomImport::ReadingFailed() { endReading(); }

void TGedcomImport::FileChosen(const QString& fileName) { StaticText1->setText(fileName); }
void TGedcomImport::Progress(int percent) { ProgressBar1->setValue(percent); }
// Counters change with almost every record: they are shown when the window gets its events.
void TGedcomImport::IndividualsRead(int count) { individuals_ = count; }
void TGedcomImport::FamiliesRead(int count) { families_ = count; }

void TGedcomImport::showCounters() {
    StaticText2->setText(counterText(individuals_));
    StaticText3->setText(counterText(families_));
}

void TGedcomImport::Status(const QString& text) {
    showCounters();
    Label5->setText(text);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TGedcomImport::KeepAlive() {
    // Events every few hundredths of a second keep the window painted and movable without slowing
    // the reading down; the dialog is modal, so no command can touch the tree meanwhile.
    if (sinceEvents_.elapsed() < 30) return;
    sinceEvents_.restart();
    showCounters();
    QApplication::processEvents();
}

void TGedcomImport::Beep() { QApplication::beep(); }

}  // namespace kinloom
