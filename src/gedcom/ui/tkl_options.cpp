#include "gedcom/ui/tkl_options.h"

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

Tkl_options::Tkl_options(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("kl_options"));
    setWindowTitle(QStringLiteral("Environment Options"));
    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    layout->addWidget(PageControl1);

    auto* fonts = new QWidget(PageControl1);
    auto* fontsLayout = new QVBoxLayout(fonts);
    auto* treeFont = new QGroupBox(QStringLiteral("Tree Font"), fonts);
    auto* treeFontLayout = new QHBoxLayout(treeFont);
    Label1 = new QLabel(treeFont);
    Button3 = new QPushButton(QStringLiteral("Change"), treeFont);
    treeFontLayout->addWidget(Label1, 1);
    treeFontLayout->addWidget(Button3);
    auto* charset = new QGroupBox(QStringLiteral("International Charset"), fonts);
    auto* charsetLayout = new QVBoxLayout(charset);
    ComboBox2 = new QComboBox(charset);
    ComboBox2->addItems(DisplayCharset::EntryNames());
    ComboBox2->setMaxVisibleItems(20);
    charsetLayout->addWidget(ComboBox2);
    fontsLayout->addWidget(treeFont);
    fontsLayout->addWidget(charset);
    fontsLayout->addStretch();
    PageControl1->addTab(fonts, QStringLiteral("Fonts"));

    auto* program = new QWidget(PageControl1);
    auto* programLayout = new QVBoxLayout(program);
    auto* general = new QGroupBox(QStringLiteral("General"), program);
    auto* generalLayout = new QVBoxLayout(general);
    CheckBox1 = new QCheckBox(QStringLiteral("Autoformat dates according to GEDCOM standard"), general);
    CheckBox2 = new QCheckBox(QStringLiteral("Show name tips"), general);
    CheckBox3 = new QCheckBox(QStringLiteral("Auto quality check on open"), general);
    CheckBox4 = new QCheckBox(QStringLiteral("Auto quality check on save"), general);
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4}) generalLayout->addWidget(c);
    programLayout->addWidget(general);
    programLayout->addStretch();
    PageControl1->addTab(program, QStringLiteral("Program"));

    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setDefault(true);  // Escape closes a dialog anyway: it is the cancel button too
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button3, &QPushButton::clicked, this, [this] {
        emit treeFontRequested();
        FormActivate();
    });
    connect(ComboBox2, &QComboBox::activated, this, [this](int index) { Change_charset(index + 1); });

    FormCreate();
}

void Tkl_options::FormCreate() {
    state_.Options = ReadProgramOptions(state_.registry);
    CheckBox1->setChecked(state_.Options.DateStandardization);
    CheckBox2->setChecked(state_.Options.ShowNameHints);
    CheckBox3->setChecked(state_.Options.QualityCheckOnOpen);
    CheckBox4->setChecked(state_.Options.QualityCheckOnSave);
}

void Tkl_options::showEvent(QShowEvent* event) {
    PageControl1->setCurrentIndex(0);  // "Fonts" first
    FormActivate();
    QDialog::showEvent(event);
}

void Tkl_options::FormActivate() {
    const QString text = state_.ScreenFontName + QStringLiteral(" (") + QString::number(state_.ScreenFontSize) +
                         QLatin1Char(')');
    QFont font(state_.ScreenFontName);
    font.setPixelSize(state_.ScreenFontSize > 0 ? state_.ScreenFontSize : kDefaultScreenFontSize);
    Label1->setFont(font);
    Label1->setText(text);
    Label1->setToolTip(text);
}

void Tkl_options::Change_charset(int position) {
    {
        const QSignalBlocker block(ComboBox2);
        const bool listed = position >= 1 && position <= DisplayCharset::kEntryCount;
        ComboBox2->setCurrentIndex(listed ? position - 1 : -1);
    }
    ApplyCharset(state_, position);
}

void Tkl_options::FormCloseQuery() {
    state_.Options.DateStandardization = CheckBox1->isChecked();
    state_.Options.ShowNameHints = CheckBox2->isChecked();
    state_.Options.QualityCheckOnOpen = CheckBox3->isChecked();
    state_.Options.QualityCheckOnSave = CheckBox4->isChecked();
    WriteProgramOptions(state_.registry, state_.Options);
}

void Tkl_options::done(int result) {
    FormCloseQuery();  // every way of closing writes the switches
    QDialog::done(result);
}

}  // namespace kinloom
