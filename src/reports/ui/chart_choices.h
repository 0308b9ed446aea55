#pragma once
#include "reports/poster.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace kinloom {

// The print window's choices beyond the n x n poster: a readable size (box width in millimetres or
// text size in points), one large page, the paper, and the assembly of the pages (overlap, page
// labels, cut marks). Emits changed() whenever a choice changes.
class ChartChoices : public QWidget {
    Q_OBJECT
public:
    explicit ChartChoices(QWidget* parent = nullptr);

    // Sets the chosen size and assembly into settings whose n x n choice is already made.
    void apply(PosterSettings& settings) const;
    // The chosen paper, portrait, in millimetres.
    QSizeF paperMillimetres() const;
    // Shows a paper the printer's own setup chose: one of the list, or its size as a custom paper.
    void showPaper(QSizeF millimetres);

    QRadioButton* readableButton;  // instead of the n x n pages
    QComboBox* readableKindBox;    // "Box width (mm)", "Text size (pt)"
    QDoubleSpinBox* readableValueBox;
    QCheckBox* onePageBox;
    QComboBox* paperBox;  // A0 .. Tabloid, then "Custom (mm)"
    QDoubleSpinBox *customWidthBox, *customHeightBox;
    QCheckBox* overlapBox;
    QDoubleSpinBox* overlapValueBox;
    QCheckBox *labelsBox, *cutMarksBox, *leaveOutEmptyBox;

signals:
    void changed();

private:
    void enableControls();
};

}  // namespace kinloom
