#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace kinloom {

struct AppState;

// "Environment Options": the tree font, the display character set, the four switches and how the
// GEDCOM import arranges a tree. The switches and the arrangement are read when the dialog is made
// (at start-up) and written whenever it closes.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(AppState& state, QWidget* parent = nullptr);

    // Selects the entry at a list position (1..19; none for any other number) and applies it.
    void changeCharset(int position);

    QTabWidget* pages;
    QLabel* fontSampleLabel;
    QPushButton* treeFontButton;   // "Change"
    QComboBox* charsetBox;   // "International Charset"
    QCheckBox *dateStandardizationBox, *nameHintsBox, *qualityCheckOnOpenBox, *qualityCheckOnSaveBox;
    QComboBox* importArrangementBox;  // "Family chart" or "Generation rows"
    QPushButton* closeButton;

signals:
    // "Change" under "Tree Font": the main window runs its tree-font command.
    void treeFontRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void loadSettings();
    void showFontSample();  // the font sample
    void writeSettings();
    AppState& state_;
};

}  // namespace kinloom
