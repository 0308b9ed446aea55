#include "reports/ui/print_window.h"

#include "document/item_store.h"
#include "platform/prompts.h"
#include "platform/save_file.h"
#include "reports/chart_file.h"
#include "reports/poster_preview.h"
#include "reports/ui/chart_choices.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kinloom {

namespace {

constexpr QSize kPreviewSize(320, 240);

// The hourglass for the length of a scope.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

PrintWindow::PrintWindow(ItemStore& store, Prompts& prompts, std::function<PosterSettings()> treeFont,
                         std::function<void()> changeTreeFont, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      store_(store), prompts_(prompts), treeFont_(std::move(treeFont)), changeTreeFont_(std::move(changeTreeFont)),
      dialogs_(qtPrinterDialogs()), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("printWindow"));
    setWindowTitle(QStringLiteral("Print Tree"));
    setModal(false);
    buildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

PrintWindow::~PrintWindow() = default;

void PrintWindow::buildControls() {
    auto* orientation = new QGroupBox(QStringLiteral(" Orientation "), this);
    landscapeButton = new QRadioButton(QStringLiteral("Landscape"), orientation);
    portraitButton = new QRadioButton(QStringLiteral("Portrait"), orientation);
    landscapeButton->setChecked(true);
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(landscapeButton);
    orientationLayout->addWidget(portraitButton);

    selectedOnlyBox = new QCheckBox(QStringLiteral("Print selected items only"), this);

    auto* size = new QGroupBox(QStringLiteral(" Size "), this);
    auto* sizeLayout = new QGridLayout(size);
    auto* sizeGroup = new QButtonGroup(this);
    for (int n = 1; n <= 8; ++n) {
        const QString caption = n == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 x %1 pages (%2)").arg(n).arg(n * n);
        auto* b = new QRadioButton(caption, size);
        sizeGroup->addButton(b, n);
        sizeLayout->addWidget(b, (n - 1) % 4, (n - 1) / 4);
        sizeButtons[n - 1] = b;
    }
    sizeButtons[0]->setChecked(true);

    auto* thickness = new QGroupBox(QStringLiteral(" Line thickness "), this);
    thicknessBox = new QComboBox(thickness);
    for (int t = 1; t <= 5; ++t) thicknessBox->addItem(QString::number(t));
    sampleLine = new QFrame(thickness);
    sampleLine->setFrameShape(QFrame::NoFrame);
    sampleLine->setAutoFillBackground(true);
    QPalette black = sampleLine->palette();
    black.setColor(QPalette::Window, Qt::black);
    sampleLine->setPalette(black);
    sampleLine->setFixedSize(80, 1);
    auto* thicknessLayout = new QHBoxLayout(thickness);
    thicknessLayout->addWidget(thicknessBox);
    thicknessLayout->addWidget(sampleLine, 0, Qt::AlignVCenter);
    connect(thicknessBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { sampleLine->setFixedHeight(index + 1); });

    treeFontButton = new QPushButton(QStringLiteral("Tree font:"), this);
    fontNameEdit = new QLineEdit(this);
    fontNameEdit->setReadOnly(true);
    fontSizeEdit = new QLineEdit(this);
    fontSizeEdit->setReadOnly(true);
    fontSizeEdit->setMaximumWidth(40);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(treeFontButton);
    fontRow->addWidget(fontNameEdit);
    fontRow->addWidget(fontSizeEdit);

    setupButton = new QPushButton(QStringLiteral("&Setup"), this);

    chartChoices = new ChartChoices(this);
    pageCountLabel = new QLabel(this);

    auto* preview = new QGroupBox(QStringLiteral("Preview"), this);
    previewImage = new QLabel(preview);
    previewImage->setFixedSize(kPreviewSize);
    QImage blank(kPreviewSize, QImage::Format_RGB32);
    blank.fill(palette().color(QPalette::Button));
    previewImage->setPixmap(QPixmap::fromImage(blank));
    previewButton = new QPushButton(QStringLiteral("Click here for preview"), preview);
    previewPageBox = new QSpinBox(preview);
    previewPageBox->setRange(0, 1);
    previewPageBox->setPrefix(QStringLiteral("Page "));
    previewPageBox->setSpecialValueText(QStringLiteral("All pages"));
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(previewImage);
    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(previewButton);
    previewRow->addWidget(previewPageBox);
    previewLayout->addLayout(previewRow);

    printButton = new QPushButton(QStringLiteral("&Print"), this);
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    printButton->setAutoDefault(false);
    closeButton->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(orientation);
    left->addWidget(selectedOnlyBox);
    left->addWidget(size);
    left->addWidget(thickness);
    left->addLayout(fontRow);
    left->addWidget(setupButton, 0, Qt::AlignLeft);
    auto* middle = new QVBoxLayout;
    choicesColumn = middle;
    middle->addWidget(chartChoices);
    middle->addWidget(pageCountLabel);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(preview);
    right->addStretch();
    right->addWidget(printButton);
    right->addWidget(closeButton);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(middle);
    main->addLayout(right);

    connect(chartChoices, &ChartChoices::changed, this, &PrintWindow::showPageCount);
    connect(sizeGroup, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) chartChoices->readableButton->setChecked(false);
        showPageCount();
    });
    connect(chartChoices->readableButton, &QRadioButton::toggled, this, [this, sizeGroup](bool on) {
        // The readable size and the n x n sizes exclude each other.
        sizeGroup->setExclusive(!on);
        if (on)
            for (QRadioButton* b : sizeButtons) b->setChecked(false);
        sizeGroup->setExclusive(true);
        if (!on && !sizeGroup->checkedButton()) sizeButtons[0]->setChecked(true);
    });
    connect(landscapeButton, &QRadioButton::toggled, this, &PrintWindow::showPageCount);
    connect(selectedOnlyBox, &QCheckBox::toggled, this, &PrintWindow::showPageCount);
    connect(previewPageBox, &QSpinBox::valueChanged, this, &PrintWindow::showPreview);

    connect(setupButton, &QPushButton::clicked, this, &PrintWindow::pageSetup);
    connect(treeFontButton, &QPushButton::clicked, this, &PrintWindow::chooseTreeFont);
    connect(previewButton, &QPushButton::clicked, this, &PrintWindow::showPreview);
    connect(printButton, &QPushButton::clicked, this, &PrintWindow::printTree);
    connect(closeButton, &QPushButton::clicked, this, &PrintWindow::close);
}

PosterSettings PrintWindow::posterSettings() const {
    PosterSettings s = treeFont_ ? treeFont_() : PosterSettings{};
    for (int n = 1; n <= 8; ++n)
        if (sizeButtons[n - 1]->isChecked()) s.pagesPerSide = n;
    s.lineThickness = thicknessBox->currentIndex() + 1;
    s.selectedOnly = selectedOnlyBox->isChecked();
    chartChoices->apply(s);
    return s;
}

void PrintWindow::openWindow() {
    show();
    raise();
    activateWindow();
}

void PrintWindow::showEvent(QShowEvent* event) {
    backFromModal_ = false;
    showTreeFont();
    QDialog::showEvent(event);
    // Shown already active (as offscreen and some window managers do): no activation follows.
    if (isActiveWindow()) activated();
}

void PrintWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        // Coming back from a dialog this window opened is no new activation.
        if (modalDepth_ > 0 || backFromModal_)
            backFromModal_ = false;
        else
            activated();
    } else if (modalDepth_ == 0) {
        backFromModal_ = false;
    }
}

// Every activation checks "Print selected items only" exactly when items are selected, and
// allows it only then; printing needs items.
void PrintWindow::activated() {
    const bool anySelected = !store_.selectionList().empty();
    selectedOnlyBox->setChecked(anySelected);
    selectedOnlyBox->setEnabled(anySelected);
    printButton->setEnabled(canPrint());
    showTreeFont();
    showPageCount();
    (printButton->isEnabled() ? printButton : closeButton)->setFocus();
}

void PrintWindow::showTreeFont() {
    const PosterSettings font = treeFont_ ? treeFont_() : PosterSettings{};
    fontNameEdit->setText(font.fontName);
    fontSizeEdit->setText(QString::number(font.fontSize));
}

void PrintWindow::applyOrientation() {
    printer_->setPageSize(QPageSize(chartChoices->paperMillimetres(), QPageSize::Millimeter));
    printer_->setPageOrientation(landscapeButton->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QSize PrintWindow::pagePixels() const {
    if (printer_->outputFormat() != QPrinter::PdfFormat) return {printer_->width(), printer_->height()};
    return pdfPagePixels(pdfPaper());
}

ChartPaper PrintWindow::pdfPaper() const {
    const QPageLayout page = printer_->pageLayout();
    ChartPaper paper;
    paper.millimetres = page.pageSize().size(QPageSize::Millimeter);
    paper.orientation = page.orientation();
    paper.dpi = printer_->resolution();
    return paper;
}

std::shared_ptr<const ChartDrawing> PrintWindow::drawing() const {
    return std::make_shared<const ChartDrawing>(drawingOfStore(store_, selectedOnlyBox->isChecked()));
}

bool PrintWindow::canPrint() const { return !store_.empty(); }

void PrintWindow::showPageCount() {
    applyOrientation();
    const PosterSettings settings = posterSettings();
    const std::shared_ptr<const ChartDrawing> shown = drawing();
    const PosterLayout layout(*shown, settings, pagePixels(), printer_->resolution());
    QString text = describePages(layout);
    if (layout.isEmpty() && !shown->empty()) text = QStringLiteral("The overlap leaves nothing of a page");
    pageCountLabel->setText(text);
    previewPageBox->setMaximum(std::max(1, layout.pageCount()));
}

void PrintWindow::runModal(const std::function<void()>& run) {
    ++modalDepth_;
    run();
    --modalDepth_;
    backFromModal_ = true;
}

void PrintWindow::pageSetup() {
    bool confirmed = false;
    runModal([&] { confirmed = dialogs_.pageSetup && dialogs_.pageSetup(*printer_, this); });
    if (!confirmed) return;
    const bool landscape = printer_->pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? landscapeButton : portraitButton)->setChecked(true);
}

void PrintWindow::chooseTreeFont() {
    if (changeTreeFont_) runModal(changeTreeFont_);
    showTreeFont();
}

void PrintWindow::showPreview() {
    applyOrientation();
    if (!canPrint()) return;
    QImage image;
    {
        const BusyCursor busy;
        const PosterSettings settings = posterSettings();
        const std::shared_ptr<const ChartDrawing> shown = drawing();
        const int page = previewPageBox->value();
        if (page == 0) {
            image = posterPreview(*shown, settings, kPreviewSize, pagePixels(), printer_->resolution(),
                                  palette().color(QPalette::Button));
        } else {
            const PosterLayout layout(*shown, settings, pagePixels(), printer_->resolution());
            image = pagePreview(layout, page - 1, kPreviewSize, palette().color(QPalette::Button));
        }
    }
    if (!image.isNull()) previewImage->setPixmap(QPixmap::fromImage(image));
}

void PrintWindow::printTree() {
    if (!canPrint()) return;
    applyOrientation();
    bool confirmed = false;
    runModal([&] { confirmed = dialogs_.print && dialogs_.print(*printer_, this); });
    if (!confirmed) return;  // nothing printed; the window stays open
    bool printed = false, cancelled = false;
    QString error;
    {
        const BusyCursor busy;
        // Thousands of pages take a while: say how far printing is, and let the user stop it.
        QProgressDialog progressBox(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, 1, this);
        progressBox.setWindowModality(Qt::WindowModal);
        progressBox.setMinimumDuration(1000);
        const PageProgress progress = [&](int page, int pages) {
            progressBox.setMaximum(pages);
            progressBox.setLabelText(QStringLiteral("Printing page %1 of %2").arg(page).arg(pages));
            progressBox.setValue(page - 1);
            cancelled = progressBox.wasCanceled();
            return !cancelled;
        };
        if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
            printed = printToPdfFile(progress, error);
        else
            printed = printPoster(*printer_, *drawing(), posterSettings(), progress);
    }
    if (cancelled) return;  // the window stays open; a PDF file is left as it was
    if (!printed) {
        const QString text = error.isEmpty() ? kPrintFailed : kPrintFailed + QLatin1Char('\n') + error;
        runModal([&] { prompts_.error(kAppTitle, text); });
        return;
    }
    close();
}

// A PDF file is written beside its target and renamed over it only when whole: a full disk
// leaves the file that was there before.
bool PrintWindow::printToPdfFile(const PageProgress& progress, QString& error) {
    SaveFile file(printer_->outputFileName());
    if (saveFileFaults_) saveFileFaults_(file);
    error = writeChartFile(file, *drawing(), posterSettings(), pdfPaper(), progress);
    return error.isEmpty();
}

}  // namespace kinloom
