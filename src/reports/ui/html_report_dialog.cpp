#include "reports/ui/html_report_dialog.h"

#include "document/item_store.h"
#include "platform/imagecodec.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "reports/html_report.h"
#include "reports/person_box.h"
#include "reports/ui/background_dialog.h"
#include "reports/ui/presentation_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QShowEvent>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace kinloom {

namespace {

// Shows the writer's progress in the dialog and keeps the window painted meanwhile.
class DialogProgress : public HtmlReportProgress {
public:
    DialogProgress(QLabel* label, QProgressBar* bar, Prompts& prompts) : label_(label), bar_(bar), prompts_(prompts) {}
    void status(const QString& text) override {
        label_->setText(text);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void advance(int done, int total) override {
        bar_->setMaximum(total);
        bar_->setValue(done);
    }
    void warning(const QString& text) override { prompts_.error(kAppTitle, text); }

private:
    QLabel* label_;
    QProgressBar* bar_;
    Prompts& prompts_;
};

QString styleSheetFor(ColorRef background, ColorRef text, const QString& wallpaper = {}) {
    QString css = QStringLiteral("background-color: %1; color: %2;").arg(colorFromRef(background).name(), colorFromRef(text).name());
    if (!wallpaper.isEmpty() && !loadImageFile(wallpaper).isNull())
        css += QStringLiteral(" background-image: url(\"%1\");").arg(wallpaper);
    return css;
}

}  // namespace

HtmlReportDialog::HtmlReportDialog(ItemStore& store, Registry& registry, Prompts& prompts, const DisplayCharset* charset,
                                   HtmlReportHooks hooks, QWidget* parent)
    : QDialog(parent), store_(store), registry_(registry), prompts_(prompts), charset_(charset), hooks_(std::move(hooks)),
      settings_(HtmlReportSettings::load(registry)) {
    setWindowTitle(QStringLiteral("Create HTML Presentation"));
    auto* layout = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setTabPosition(QTabWidget::South);
    pages->addTab(makeGenerateTab(), QStringLiteral("Generate HTML"));
    pages->addTab(makeContentTab(), QStringLiteral("Content"));
    pages->addTab(makeDesignTab(), QStringLiteral("Visual design"));
    layout->addWidget(pages);
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton);
    layout->addLayout(bottom);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(pages, &QTabWidget::currentChanged, this, [this] { refreshPreviews(); });
    refreshPreviews();
}

QWidget* HtmlReportDialog::makeGenerateTab() {
    auto* tab = new QWidget(this);
    auto* grid = new QGridLayout(tab);
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders_->setRootPath(QString());
    folderView = new QTreeView(tab);
    folderView->setModel(folders_);
    for (int c = 1; c < folders_->columnCount(); ++c) folderView->hideColumn(c);
    folderView->setHeaderHidden(true);
    setOutputFolder(QDir::homePath());
    grid->addWidget(new QLabel(QStringLiteral("Output Directory:"), tab), 0, 0);
    grid->addWidget(folderView, 1, 0, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Diskspace required, except for additional graphics/text:"), tab), 0, 1);
    sizeLabel = new QLabel(tab);
    grid->addWidget(sizeLabel, 1, 1);
    generateButton = new QPushButton(QStringLiteral("&Generate!"), tab);
    generateButton->setDefault(true);
    newFolderButton = new QPushButton(QStringLiteral("&New Folder"), tab);
    qualityCheckButton = new QPushButton(QStringLiteral("&Quality Check"), tab);
    grid->addWidget(generateButton, 2, 1);
    grid->addWidget(newFolderButton, 3, 1);
    grid->addWidget(qualityCheckButton, 4, 1);
    processLabel = new QLabel(tab);
    progressBar = new QProgressBar(tab);
    progressBar->setMaximum(100);
    grid->addWidget(processLabel, 5, 0, 1, 2);
    grid->addWidget(progressBar, 6, 0, 1, 2);
    connect(generateButton, &QPushButton::clicked, this, &HtmlReportDialog::generate);
    connect(newFolderButton, &QPushButton::clicked, this, &HtmlReportDialog::newFolder);
    connect(qualityCheckButton, &QPushButton::clicked, this, &HtmlReportDialog::runQualityCheck);
    return tab;
}

QWidget* HtmlReportDialog::makeContentTab() {
    auto* tab = new QWidget(this);
    auto* box = new QVBoxLayout(tab);
    box->addWidget(new QLabel(QStringLiteral("Charset (international settings):"), tab));
    charsetBox = new QComboBox(tab);
    charsetBox->setEditable(true);  // a charset may be typed
    charsetBox->addItems(htmlCharsetEntries());
    charsetBox->setCurrentText(settings_.charset);
    box->addWidget(charsetBox);
    framesBox = new QCheckBox(QStringLiteral("Use HTML frames"), tab);
    siblingsBox = new QCheckBox(QStringLiteral("Show siblings"), tab);
    framesBox->setChecked(settings_.useFrames);
    siblingsBox->setChecked(settings_.useSiblings);
    box->addWidget(framesBox);
    box->addWidget(siblingsBox);
    box->addStretch();
    return tab;
}

QWidget* HtmlReportDialog::makeDesignTab() {
    auto* tab = new QWidget(this);
    auto* grid = new QGridLayout(tab);
    pagePreview = new QLabel(tab);
    pagePreview->setObjectName(QStringLiteral("pagePreview"));
    pagePreview->setMinimumSize(220, 140);
    auto* texts = new QVBoxLayout(pagePreview);
    textSample = new QLabel(QStringLiteral("Normal text"), pagePreview);
    linkSample = new QLabel(QStringLiteral("Hyperlink"), pagePreview);
    visitedSample = new QLabel(QStringLiteral("Visited hyperlink"), pagePreview);
    activeSample = new QLabel(QStringLiteral("Active hyperlink"), pagePreview);
    for (QLabel* l : {textSample, linkSample, visitedSample, activeSample}) {
        texts->addWidget(l);
        l->installEventFilter(this);
        l->setCursor(Qt::PointingHandCursor);
    }
    pagePreview->installEventFilter(this);
    grid->addWidget(pagePreview, 0, 0, 2, 1);

    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    linksHeader = new QLabel(QStringLiteral("l i n k s"), tab);
    linksHeader->setAlignment(Qt::AlignCenter);
    linksBody = new QLabel(QStringLiteral("Hyperlink\nVisited hyperlink\nActive hyperlink"), tab);
    linksBody->setMinimumHeight(60);
    for (QLabel* l : {linksHeader, linksBody}) {
        links->addWidget(l);
        l->installEventFilter(this);
        l->setCursor(Qt::PointingHandCursor);
    }
    grid->addLayout(links, 0, 1);

    grid->addWidget(new QLabel(QStringLiteral("Item settings:"), tab), 2, 0);
    boxPreview = new QLabel(tab);
    boxPreview->setFixedSize(kBoxImageWidth, kBoxImageHeight);
    grid->addWidget(boxPreview, 3, 0);
    auto* buttons = new QHBoxLayout;
    fontButton = new QPushButton(QStringLiteral("Font"), tab);
    frameColorButton = new QPushButton(QStringLiteral("Frame color"), tab);
    boxColorButton = new QPushButton(QStringLiteral("Box color"), tab);
    for (QPushButton* b : {fontButton, frameColorButton, boxColorButton}) buttons->addWidget(b);
    grid->addLayout(buttons, 3, 1);
    connect(fontButton, &QPushButton::clicked, this, &HtmlReportDialog::chooseBoxFont);
    connect(frameColorButton, &QPushButton::clicked, this, &HtmlReportDialog::chooseFrameColor);
    connect(boxColorButton, &QPushButton::clicked, this, &HtmlReportDialog::chooseBoxColor);
    return tab;
}

QString HtmlReportDialog::outputFolder() const { return folders_->filePath(folderView->currentIndex()); }

void HtmlReportDialog::setOutputFolder(const QString& folder) {
    const QModelIndex index = folders_->index(folder);
    folderView->setCurrentIndex(index);
    folderView->scrollTo(index);
}

void HtmlReportDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const int persons = hooks_.personCount ? hooks_.personCount() : store_.personCount();
    sizeLabel->setText(sizeEstimateText(persons));
    qualityCheckButton->setEnabled(qualityCheckAvailable_ && static_cast<bool>(hooks_.qualityCheck));
    pages->setEnabled(true);
    processLabel->clear();
    pages->setCurrentIndex(0);
    progressBar->setValue(0);
    refreshPreviews();
}

void HtmlReportDialog::refreshPreviews() {
    const HtmlReportSettings& s = settings_;
    pagePreview->setStyleSheet(QStringLiteral("QLabel#pagePreview { %1 }").arg(styleSheetFor(s.backgroundColor, s.textColor, s.backgroundImage)));
    const std::pair<QLabel*, ColorRef> samples[] = {
        {textSample, s.textColor}, {linkSample, s.hyperlinkColor}, {visitedSample, s.vlinkColor}, {activeSample, s.alinkColor}};
    for (const auto& [label, color] : samples)
        label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colorFromRef(color).name()));
    linksHeader->setStyleSheet(styleSheetFor(s.linksHeaderBgColor, s.linksHeaderTextColor, s.t1Image));
    linksBody->setStyleSheet(styleSheetFor(s.linksBgColor, s.hyperlinkColor, s.t2Image));
    if (const PersonItem* first = store_.firstItem()) {
        const PersonBoxPainter painter(s.box, charset_);
        boxPreview->setPixmap(QPixmap::fromImage(painter.image(*first)));
    } else {
        boxPreview->clear();
    }
}

bool HtmlReportDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return QDialog::eventFilter(watched, event);
    if (watched == textSample) chooseTextColor(0);
    else if (watched == linkSample) chooseTextColor(1);
    else if (watched == visitedSample) chooseTextColor(2);
    else if (watched == activeSample) chooseTextColor(3);
    else if (watched == pagePreview) chooseBackground(0);
    else if (watched == linksHeader) chooseBackground(1);
    else if (watched == linksBody) chooseBackground(2);
    else return QDialog::eventFilter(watched, event);
    return true;
}

void HtmlReportDialog::chooseTextColor(int which) {
    ColorRef* targets[] = {&settings_.textColor, &settings_.hyperlinkColor, &settings_.vlinkColor, &settings_.alinkColor};
    ColorRef& target = *targets[std::clamp(which, 0, 3)];
    if (const auto c = prompts_.chooseColor(colorFromRef(target))) target = refFromColor(*c);
    refreshPreviews();
}

void HtmlReportDialog::chooseBackground(int part) {
    ColorRef* colors[] = {&settings_.backgroundColor, &settings_.linksHeaderBgColor, &settings_.linksBgColor};
    QString* images[] = {&settings_.backgroundImage, &settings_.t1Image, &settings_.t2Image};
    part = std::clamp(part, 0, 2);
    BackgroundDialog dialog(prompts_, colorFromRef(*colors[part]), *images[part], this);
    if (dialog.exec() == QDialog::Accepted) {
        *colors[part] = refFromColor(dialog.color());
        *images[part] = dialog.wallpaper();
    }
    refreshPreviews();
}

void HtmlReportDialog::chooseBoxFont() {
    QFont initial(settings_.box.fontName, settings_.box.fontSize);
    initial.setBold(settings_.box.bold);
    initial.setItalic(settings_.box.italic);
    initial.setUnderline(settings_.box.underline);
    initial.setStrikeOut(settings_.box.strikeout);
    if (const auto f = prompts_.chooseFont(initial)) {
        settings_.box.fontName = f->family();
        settings_.box.fontSize = f->pointSize() > 0 ? f->pointSize() : settings_.box.fontSize;
        settings_.box.bold = f->bold();
        settings_.box.italic = f->italic();
        settings_.box.underline = f->underline();
        settings_.box.strikeout = f->strikeOut();
    }
    refreshPreviews();
}

void HtmlReportDialog::chooseFrameColor() {
    if (const auto c = prompts_.chooseColor(colorFromRef(settings_.box.frameColor))) settings_.box.frameColor = refFromColor(*c);
    refreshPreviews();
}

void HtmlReportDialog::chooseBoxColor() {
    if (const auto c = prompts_.chooseColor(colorFromRef(settings_.box.boxColor))) settings_.box.boxColor = refFromColor(*c);
    refreshPreviews();
}

void HtmlReportDialog::newFolder() {
    const auto name = prompts_.inputText(QStringLiteral("New folder"), QStringLiteral("Enter the name of the new folder"), QString());
    if (!name || name->trimmed().isEmpty()) return;
    QDir parent(outputFolder());
    if (!parent.mkpath(name->trimmed())) {
        prompts_.error(kAppTitle, QStringLiteral("Could not create the folder %1").arg(QDir::toNativeSeparators(parent.filePath(*name))));
        return;
    }
    setOutputFolder(parent.filePath(name->trimmed()));
}

void HtmlReportDialog::runQualityCheck() {
    if (!hooks_.qualityCheck) return;
    if (hooks_.showQualityCheck) hooks_.showQualityCheck();
    if (hooks_.qualityCheck() == 0) qualityCheckButton->setEnabled(false);
}

void HtmlReportDialog::takeControls() {
    settings_.charset = charsetBox->currentText();
    settings_.useFrames = framesBox->isChecked();
    settings_.useSiblings = siblingsBox->isChecked();
}

void HtmlReportDialog::generate() {
    takeControls();
    if (qualityCheckButton->isEnabled() && hooks_.qualityCheck) {
        processLabel->setText(QStringLiteral("Performing Quality Check..."));
        const int problems = hooks_.qualityCheck();
        processLabel->setText(QStringLiteral("Quality Check Result: %1 error(s)").arg(problems));
        if (problems > 0 && prompts_.message(kAppTitle, QStringLiteral("Quality check failed. Press OK to see the details"),
                                             PromptButtons::OkIgnore, PromptIcon::Error) != PromptAnswer::Ignore) {
            if (hooks_.showQualityCheck) hooks_.showQualityCheck();
            return;
        }
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->depth() < 16 &&
        prompts_.message(kAppTitle,
                         QStringLiteral("It is highly recommended that you set the amount of colors on your screen to 16 bit or higher "
                                        "prior to exporting to HTML. This will give the best results when using pictures."),
                         PromptButtons::OkIgnore, PromptIcon::Information) != PromptAnswer::Ignore)
        return;
    if (store_.empty()) {
        prompts_.message(QStringLiteral("No files created"), QStringLiteral("The genealogy tree is empty"), PromptButtons::Ok,
                         PromptIcon::Information);
        return;
    }
    pages->setEnabled(false);
    if (hooks_.saveTree) hooks_.saveTree();
    HtmlReportJob job;
    job.settings = settings_;
    job.outputFolder = outputFolder();
    job.treeFolder = hooks_.treeFolder ? hooks_.treeFolder() : QString();
    job.personCount = hooks_.personCount ? hooks_.personCount() : store_.personCount();
    job.charset = charset_;
    progressBar->setMaximum(std::max(1, store_.itemCount()));
    DialogProgress progress(processLabel, progressBar, prompts_);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const HtmlReportResult result = writeHtmlReport(store_, job, progress);
    QApplication::restoreOverrideCursor();
    pages->setEnabled(true);
    if (!result.ok) {
        prompts_.error(kAppTitle, kHtmlExportFailed);
        return;
    }
    if (hooks_.showCompleted) {
        hooks_.showCompleted(job.outputFolder);
    } else {
        PresentationDialog completed(job.outputFolder, prompts_,
                                     hooks_.openInBrowser ? hooks_.openInBrowser : std::function<bool(const QString&)>(shellOpen), this);
        completed.exec();
    }
    accept();
}

void HtmlReportDialog::done(int result) {
    takeControls();
    settings_.save(registry_);  // a setting that cannot be stored is not worth a message
    QDialog::done(result);
}

}  // namespace kinloom
