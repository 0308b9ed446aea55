#include "reports/ui/chart_choices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace kinloom {

namespace {

QDoubleSpinBox* numberBox(double low, double high, double value, const QString& suffix, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setDecimals(1);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

ChartChoices::ChartChoices(QWidget* parent) : QWidget(parent) {
    auto* size = new QGroupBox(QStringLiteral(" Readable size "), this);
    readableButton = new QRadioButton(QStringLiteral("As many pages as this size needs:"), size);
    readableButton->setAutoExclusive(false);  // unchecked when an n x n size is chosen
    readableKindBox = new QComboBox(size);
    readableKindBox->addItems({QStringLiteral("Text size"), QStringLiteral("Box width")});
    readableValueBox = numberBox(2, 500, 8, QStringLiteral(" pt"), size);
    onePageBox = new QCheckBox(QStringLiteral("One large page (PDF for a plotter)"), size);
    auto* sizeLayout = new QGridLayout(size);
    sizeLayout->addWidget(readableButton, 0, 0, 1, 2);
    sizeLayout->addWidget(readableKindBox, 1, 0);
    sizeLayout->addWidget(readableValueBox, 1, 1);
    sizeLayout->addWidget(onePageBox, 2, 0, 1, 2);

    auto* paper = new QGroupBox(QStringLiteral(" Paper "), this);
    paperBox = new QComboBox(paper);
    for (const Paper& p : standardPapers()) paperBox->addItem(p.name);
    paperBox->addItem(QStringLiteral("Custom (mm)"));
    paperBox->setCurrentText(QStringLiteral("A4"));
    customWidthBox = numberBox(10, 100000, 914, QStringLiteral(" mm"), paper);
    customHeightBox = numberBox(10, 100000, 1500, QStringLiteral(" mm"), paper);
    auto* paperLayout = new QHBoxLayout(paper);
    paperLayout->addWidget(paperBox);
    paperLayout->addWidget(customWidthBox);
    paperLayout->addWidget(customHeightBox);

    auto* assembly = new QGroupBox(QStringLiteral(" Assembly "), this);
    overlapBox = new QCheckBox(QStringLiteral("Overlap"), assembly);
    overlapValueBox = numberBox(1, 50, kDefaultOverlapMm, QStringLiteral(" mm"), assembly);
    labelsBox = new QCheckBox(QStringLiteral("Page labels"), assembly);
    cutMarksBox = new QCheckBox(QStringLiteral("Cut marks"), assembly);
    leaveOutEmptyBox = new QCheckBox(QStringLiteral("Leave out empty pages"), assembly);
    auto* assemblyLayout = new QGridLayout(assembly);
    assemblyLayout->addWidget(overlapBox, 0, 0);
    assemblyLayout->addWidget(overlapValueBox, 0, 1);
    assemblyLayout->addWidget(labelsBox, 1, 0);
    assemblyLayout->addWidget(cutMarksBox, 1, 1);
    assemblyLayout->addWidget(leaveOutEmptyBox, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(size);
    layout->addWidget(paper);
    layout->addWidget(assembly);

    connect(readableKindBox, &QComboBox::currentIndexChanged, this, [this](int kind) {
        // Each kind keeps a sensible value of its own unit.
        const bool points = kind == 0;
        readableValueBox->setSuffix(points ? QStringLiteral(" pt") : QStringLiteral(" mm"));
        readableValueBox->setRange(points ? 2 : 5, points ? 72 : 500);
        readableValueBox->setValue(points ? 8 : 30);
    });
    for (QCheckBox* b : {onePageBox, overlapBox, labelsBox, cutMarksBox, leaveOutEmptyBox}) connect(b, &QCheckBox::toggled, this, &ChartChoices::changed);
    connect(readableButton, &QRadioButton::toggled, this, &ChartChoices::changed);
    connect(readableKindBox, &QComboBox::currentIndexChanged, this, &ChartChoices::changed);
    connect(paperBox, &QComboBox::currentIndexChanged, this, &ChartChoices::changed);
    for (QDoubleSpinBox* b : {readableValueBox, customWidthBox, customHeightBox, overlapValueBox})
        connect(b, &QDoubleSpinBox::valueChanged, this, &ChartChoices::changed);
    connect(this, &ChartChoices::changed, this, &ChartChoices::enableControls);
    enableControls();
}

void ChartChoices::enableControls() {
    const bool readable = readableButton->isChecked();
    readableKindBox->setEnabled(readable);
    readableValueBox->setEnabled(readable);
    onePageBox->setEnabled(readable);
    const bool custom = paperBox->currentIndex() == static_cast<int>(standardPapers().size());
    customWidthBox->setEnabled(custom);
    customHeightBox->setEnabled(custom);
    const bool pages = !(readable && onePageBox->isChecked());
    overlapBox->setEnabled(pages);
    overlapValueBox->setEnabled(pages && overlapBox->isChecked());
    labelsBox->setEnabled(pages);
    cutMarksBox->setEnabled(pages);
    leaveOutEmptyBox->setEnabled(pages);
}

void ChartChoices::apply(PosterSettings& settings) const {
    if (readableButton->isChecked()) {
        settings.scale = readableKindBox->currentIndex() == 0 ? ChartScale::TextSize : ChartScale::BoxWidth;
        (settings.scale == ChartScale::TextSize ? settings.textSizePt : settings.boxWidthMm) = readableValueBox->value();
        settings.onePage = onePageBox->isChecked();
    }
    settings.overlapMm = overlapBox->isChecked() ? overlapValueBox->value() : 0;
    settings.pageLabels = labelsBox->isChecked();
    settings.cutMarks = cutMarksBox->isChecked();
    settings.leaveOutEmptyPages = leaveOutEmptyBox->isChecked();
}

QSizeF ChartChoices::paperMillimetres() const {
    const int i = paperBox->currentIndex();
    if (i >= 0 && i < static_cast<int>(standardPapers().size())) return standardPapers()[i].millimetres;
    return {customWidthBox->value(), customHeightBox->value()};
}

void ChartChoices::showPaper(QSizeF millimetres) {
    const QSizeF portrait(std::min(millimetres.width(), millimetres.height()), std::max(millimetres.width(), millimetres.height()));
    const auto& papers = standardPapers();
    for (size_t i = 0; i < papers.size(); ++i)
        if (std::abs(papers[i].millimetres.width() - portrait.width()) < 1 &&
            std::abs(papers[i].millimetres.height() - portrait.height()) < 1) {
            paperBox->setCurrentIndex(static_cast<int>(i));
            return;
        }
    customWidthBox->setValue(portrait.width());
    customHeightBox->setValue(portrait.height());
    paperBox->setCurrentIndex(static_cast<int>(papers.size()));
}

}  // namespace kinloom
