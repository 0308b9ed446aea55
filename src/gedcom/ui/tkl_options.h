#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace kinloom {

struct AppState;

// "Environment Options": the tree font, the display character set and the four switches. The
// switches are read when the dialog is made (at start-up) and written whenever it closes.
class Tkl_options : public QDialog {
    Q_OBJECT
public:
    explicit Tkl_options(AppState& state, QWidget* parent = nullptr);

    // Selects the entry at a list position (1..19; none for any other number) and applies it.
    void Change_charset(int position);

    QTabWidget* PageControl1;
    QLabel* Label1;
    QPushButton* Button3;   // "Change"
    QComboBox* ComboBox2;   // "International Charset"
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
    QPushButton* Button1;   // "Close"

signals:
    // "Change" under "Tree Font": the main window runs its tree-font command.
    void treeFontRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormCreate();
    void FormActivate();  // the font sample
    void FormCloseQuery();
    AppState& state_;
};

}  // namespace kinloom
