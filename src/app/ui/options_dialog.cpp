#include "app/ui/options_dialog.h"

#include "app/app_state.h"
#include "layout/arrange_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kinloom {

OptionsDialog::OptionsDialog(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowTitle(QStringLiteral("Environment Options"));
    auto* layout = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    layout->addWidget(pages);

    auto* fonts = new QWidget(pages);
    auto* fontsLayout = new QVBoxLayout(fonts);
    auto* treeFont = new QGroupBox(QStringLiteral("Tree Font"), fonts);
    auto* treeFontLayout = new QHBoxLayout(treeFont);
    fontSampleLabel = new QLabel(treeFont);
    treeFontButton = new QPushButton(QStringLiteral("Change"), treeFont);
    treeFontLayout->addWidget(fontSampleLabel, 1);
    treeFontLayout->addWidget(treeFontButton);
    auto* charset = new QGroupBox(QStringLiteral("International Charset"), fonts);
    auto* charsetLayout = new QVBoxLayout(charset);
    charsetBox = new QComboBox(charset);
    charsetBox->addItems(DisplayCharset::entryNames());
    charsetBox->setMaxVisibleItems(20);
    charsetLayout->addWidget(charsetBox);
    fontsLayout->addWidget(treeFont);
    fontsLayout->addWidget(charset);
    fontsLayout->addStretch();
    pages->addTab(fonts, QStringLiteral("Fonts"));

    auto* program = new QWidget(pages);
    auto* programLayout = new QVBoxLayout(program);
    auto* general = new QGroupBox(QStringLiteral("General"), program);
    auto* generalLayout = new QVBoxLayout(general);
    dateStandardizationBox = new QCheckBox(QStringLiteral("Autoformat dates according to GEDCOM standard"), general);
    nameHintsBox = new QCheckBox(QStringLiteral("Show name tips"), general);
    qualityCheckOnOpenBox = new QCheckBox(QStringLiteral("Auto quality check on open"), general);
    qualityCheckOnSaveBox = new QCheckBox(QStringLiteral("Auto quality check on save"), general);
    for (QCheckBox* c : {dateStandardizationBox, nameHintsBox, qualityCheckOnOpenBox, qualityCheckOnSaveBox}) generalLayout->addWidget(c);
    programLayout->addWidget(general);
    auto* import = new QGroupBox(QStringLiteral("GEDCOM import"), program);
    auto* importLayout = new QHBoxLayout(import);
    auto* importLabel = new QLabel(QStringLiteral("Arrange imported trees as"), import);
    importArrangementBox = new QComboBox(import);
    importArrangementBox->addItems({arrangeStyleName(ArrangeStyle::FamilyChart), arrangeStyleName(ArrangeStyle::GenerationRows)});
    importLabel->setBuddy(importArrangementBox);
    importLayout->addWidget(importLabel);
    importLayout->addWidget(importArrangementBox, 1);
    programLayout->addWidget(import);
    programLayout->addStretch();
    pages->addTab(program, QStringLiteral("Program"));

    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setDefault(true);  // Escape closes a dialog anyway: it is the cancel button too
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(treeFontButton, &QPushButton::clicked, this, [this] {
        emit treeFontRequested();
        showFontSample();
    });
    connect(charsetBox, &QComboBox::activated, this, [this](int index) { changeCharset(index + 1); });

    loadSettings();
}

void OptionsDialog::loadSettings() {
    state_.options = readProgramOptions(state_.registry);
    dateStandardizationBox->setChecked(state_.options.dateStandardization);
    nameHintsBox->setChecked(state_.options.showNameHints);
    qualityCheckOnOpenBox->setChecked(state_.options.qualityCheckOnOpen);
    qualityCheckOnSaveBox->setChecked(state_.options.qualityCheckOnSave);
    importArrangementBox->setCurrentIndex(readImportArrangement(state_.registry) == ArrangeStyle::FamilyChart ? 0 : 1);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    pages->setCurrentIndex(0);  // "Fonts" first
    showFontSample();
    QDialog::showEvent(event);
}

void OptionsDialog::showFontSample() {
    const QString text = state_.screenFontName + QStringLiteral(" (") + QString::number(state_.screenFontSize) +
                         QLatin1Char(')');
    QFont font(state_.screenFontName);
    font.setPixelSize(state_.screenFontSize > 0 ? state_.screenFontSize : kDefaultScreenFontSize);
    fontSampleLabel->setFont(font);
    fontSampleLabel->setText(text);
    fontSampleLabel->setToolTip(text);
}

void OptionsDialog::changeCharset(int position) {
    {
        const QSignalBlocker block(charsetBox);
        const bool listed = position >= 1 && position <= DisplayCharset::kEntryCount;
        charsetBox->setCurrentIndex(listed ? position - 1 : -1);
    }
    applyCharset(state_, position);
}

void OptionsDialog::writeSettings() {
    state_.options.dateStandardization = dateStandardizationBox->isChecked();
    state_.options.showNameHints = nameHintsBox->isChecked();
    state_.options.qualityCheckOnOpen = qualityCheckOnOpenBox->isChecked();
    state_.options.qualityCheckOnSave = qualityCheckOnSaveBox->isChecked();
    writeProgramOptions(state_.registry, state_.options);
    writeImportArrangement(state_.registry,
                           importArrangementBox->currentIndex() == 1 ? ArrangeStyle::GenerationRows : ArrangeStyle::FamilyChart);
}

void OptionsDialog::done(int result) {
    writeSettings();  // every way of closing writes the switches
    QDialog::done(result);
}

}  // namespace kinloom
