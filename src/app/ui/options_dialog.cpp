#include "app/ui/options_dialog.h"

#include "app/app_state.h"

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
    setObjectName(QStringLiteral("kl_options"));
    setWindowTitle(QStringLiteral("Environment Options"));
    auto* layout = new QVBoxLayout(this);
    pageControl1 = new QTabWidget(this);
    layout->addWidget(pageControl1);

    auto* fonts = new QWidget(pageControl1);
    auto* fontsLayout = new QVBoxLayout(fonts);
    auto* treeFont = new QGroupBox(QStringLiteral("Tree Font"), fonts);
    auto* treeFontLayout = new QHBoxLayout(treeFont);
    label1 = new QLabel(treeFont);
    button3 = new QPushButton(QStringLiteral("Change"), treeFont);
    treeFontLayout->addWidget(label1, 1);
    treeFontLayout->addWidget(button3);
    auto* charset = new QGroupBox(QStringLiteral("International Charset"), fonts);
    auto* charsetLayout = new QVBoxLayout(charset);
    comboBox2 = new QComboBox(charset);
    comboBox2->addItems(DisplayCharset::entryNames());
    comboBox2->setMaxVisibleItems(20);
    charsetLayout->addWidget(comboBox2);
    fontsLayout->addWidget(treeFont);
    fontsLayout->addWidget(charset);
    fontsLayout->addStretch();
    pageControl1->addTab(fonts, QStringLiteral("Fonts"));

    auto* program = new QWidget(pageControl1);
    auto* programLayout = new QVBoxLayout(program);
    auto* general = new QGroupBox(QStringLiteral("General"), program);
    auto* generalLayout = new QVBoxLayout(general);
    checkBox1 = new QCheckBox(QStringLiteral("Autoformat dates according to GEDCOM standard"), general);
    checkBox2 = new QCheckBox(QStringLiteral("Show name tips"), general);
    checkBox3 = new QCheckBox(QStringLiteral("Auto quality check on open"), general);
    checkBox4 = new QCheckBox(QStringLiteral("Auto quality check on save"), general);
    for (QCheckBox* c : {checkBox1, checkBox2, checkBox3, checkBox4}) generalLayout->addWidget(c);
    programLayout->addWidget(general);
    programLayout->addStretch();
    pageControl1->addTab(program, QStringLiteral("Program"));

    button1 = new QPushButton(QStringLiteral("Close"), this);
    button1->setDefault(true);  // Escape closes a dialog anyway: it is the cancel button too
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button1);
    layout->addLayout(buttons);

    connect(button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(button3, &QPushButton::clicked, this, [this] {
        emit treeFontRequested();
        formActivate();
    });
    connect(comboBox2, &QComboBox::activated, this, [this](int index) { changeCharset(index + 1); });

    formCreate();
}

void OptionsDialog::formCreate() {
    state_.options = readProgramOptions(state_.registry);
    checkBox1->setChecked(state_.options.dateStandardization);
    checkBox2->setChecked(state_.options.showNameHints);
    checkBox3->setChecked(state_.options.qualityCheckOnOpen);
    checkBox4->setChecked(state_.options.qualityCheckOnSave);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    pageControl1->setCurrentIndex(0);  // "Fonts" first
    formActivate();
    QDialog::showEvent(event);
}

void OptionsDialog::formActivate() {
    const QString text = state_.screenFontName + QStringLiteral(" (") + QString::number(state_.screenFontSize) +
                         QLatin1Char(')');
    QFont font(state_.screenFontName);
    font.setPixelSize(state_.screenFontSize > 0 ? state_.screenFontSize : kDefaultScreenFontSize);
    label1->setFont(font);
    label1->setText(text);
    label1->setToolTip(text);
}

void OptionsDialog::changeCharset(int position) {
    {
        const QSignalBlocker block(comboBox2);
        const bool listed = position >= 1 && position <= DisplayCharset::kEntryCount;
        comboBox2->setCurrentIndex(listed ? position - 1 : -1);
    }
    applyCharset(state_, position);
}

void OptionsDialog::formCloseQuery() {
    state_.options.dateStandardization = checkBox1->isChecked();
    state_.options.showNameHints = checkBox2->isChecked();
    state_.options.qualityCheckOnOpen = checkBox3->isChecked();
    state_.options.qualityCheckOnSave = checkBox4->isChecked();
    writeProgramOptions(state_.registry, state_.options);
}

void OptionsDialog::done(int result) {
    formCloseQuery();  // every way of closing writes the switches
    QDialog::done(result);
}

}  // namespace kinloom
