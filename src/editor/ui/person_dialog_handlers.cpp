#include "editor/ui/person_dialog.h"

#include "document/item_store.h"
#include "editor/ui/picture_viewer.h"
#include "platform/imagecodec.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace kinloom {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);

void setBackground(QWidget* w, const QColor& colour) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
}

const QString kPictureFilter = QStringLiteral(
    "All (*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf|"
    "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|GIF Image File (*.gif)|*.gif|"
    "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");

}  // namespace

QString PersonDialog::text(std::string_view bytes) const { return charset_.decode(bytes); }

void PersonDialog::setFieldColour(QWidget* w, bool white) {
    setBackground(w, white ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button));
}

void PersonDialog::standardizeInto(QLineEdit* edit) {
    if (standardize_) edit->setText(standardize_(edit->text()));
}

void PersonDialog::fill(ItemStore& store, PersonItem& copy, PersonItem& edited) {
    store_ = &store;
    copy_ = &copy;
    edited_ = &edited;
    ok_ = false;
    picture_->setToolTip(text(copy.PictureFile));
    edit1_->setText(text(copy.FirstName));
    edit2_->setText(text(copy.LastName));
    searchTextChanged();
    maskEdit1_->setText(text(copy.BornDate));
    // Setting the same name again would not reload: clear first so the change handlers run.
    edit3_->blockSignals(true);
    edit3_->clear();
    edit3_->blockSignals(false);
    edit3_->setText(text(copy.PictureFile));
    if (copy.PictureFile.empty()) edit3Change();
    edit4_->blockSignals(true);
    edit4_->clear();
    edit4_->blockSignals(false);
    edit4_->setText(text(copy.NotesFile));
    if (copy.NotesFile.empty()) edit4Change();
    maskEdit2_->setText(text(copy.DiedDate));
    (copy.Sex == "F" ? female_ : male_)->setChecked(true);
    edit5_->setText(text(copy.BornPlace));
    edit6_->setText(text(copy.DiedPlace));
    edit8_->setText(text(copy.PictureText));
    edit7_->setText(text(copy.Occupation));
    edit9_->setText(text(copy.Source));

    const std::vector<SpouseGridRow> rows = spouseGridRows(copy, charset_);
    grid_->clearContents();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const SpouseGridRow& row = rows[static_cast<size_t>(r)];
        const QString cells[] = {row.spouse.left(201), row.date, row.place, row.type};
        for (int c = 0; c < 4; ++c) grid_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    gridPanel_->setVisible(!rows.empty());
    noSpouses_->setVisible(rows.empty());
    edit10_->clear();
    edit11_->clear();
    edit12_->clear();
    combo_->setCurrentIndex(-1);
    if (!rows.empty()) grid_->setCurrentCell(0, 0);
}

bool PersonDialog::execute(ItemStore& store, PersonItem& copy, PersonItem& edited) {
    fill(store, copy, edited);
    exec();
    // The copy is freed and the item may be deleted once the dialog is closed: keep no hold on
    // either, so that nothing the dialog still receives can reach them.
    store_ = nullptr;
    copy_ = nullptr;
    edited_ = nullptr;
    return ok_;
}

void PersonDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    formActivate();
}

void PersonDialog::formActivate() {
    if (!copy_) return;
    heightButton_->blockSignals(true);
    heightButton_->setChecked(false);
    heightButton_->blockSignals(false);
    panelTop_->show();
    tree_->clear();
    pages_->setCurrentIndex(0);

    const bool editable = !copy_->isAlias();
    for (QWidget* w : std::initializer_list<QWidget*>{edit1_, edit2_, edit5_, edit6_, edit7_, edit8_, edit9_, male_,
                                                      female_, maskEdit1_, maskEdit2_, openNotes_, newNotes_,
                                                      clearNotes_, button6_})
        w->setEnabled(editable);
    button7_->setEnabled(edit8_->isEnabled());
    memo_->setReadOnly(!editable);
    for (QWidget* w : std::initializer_list<QWidget*>{edit1_, edit2_, edit5_, edit6_, edit7_, edit8_, edit9_,
                                                      maskEdit1_, maskEdit2_, memo_})
        setFieldColour(w, editable);
    if (editable)
        edit1_->setFocus();
    else
        okButton_->setFocus();
    if (edit3_->text().isEmpty()) {
        edit8_->setEnabled(false);
        setFieldColour(edit8_, false);
        button7_->setEnabled(false);
    }
    if (edit4_->text().isEmpty()) {
        memo_->setReadOnly(true);
        setFieldColour(memo_, false);
        clearNotes_->setEnabled(false);
    }
}

void PersonDialog::searchTextChanged() {
    const QString caption = edit1_->text() + QLatin1Char(' ') + edit2_->text();
    setWindowTitle(caption == QLatin1String(" ") ? QStringLiteral("Person") : caption);
}

void PersonDialog::radioButtonClick() {
    image1_->setVisible(male_->isChecked());
    image2_->setVisible(!male_->isChecked());
}

void PersonDialog::edit3Change() {
    const QString name = edit3_->text();
    if (!name.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        panel1Caption_->setText(QStringLiteral("Picture not found"));
        setBackground(panel1_, kGrey);
        picture_->setPicture(loadImageFile(name));  // a null image when it cannot be shown
        QApplication::restoreOverrideCursor();
    } else {
        setBackground(panel1_, kSilver);
        panel1Caption_->setText(QStringLiteral("Picture"));
        picture_->setPicture(QImage());
        picture_->setToolTip(QString());
    }
    button7_->setEnabled(!name.isEmpty());
    edit8_->setEnabled(button7_->isEnabled());
    setFieldColour(edit8_, edit8_->isEnabled());
}

void PersonDialog::button6Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open picture");
    request.filter = kPictureFilter;
    request.defaultExtension = QStringLiteral("jpg");
    request.fileName = edit3_->text();
    if (const auto chosen = prompts_.openFileName(request)) {
        edit3_->setText(*chosen);
        picture_->setToolTip(*chosen);
    }
}

void PersonDialog::button7Click() { edit3_->clear(); }

void PersonDialog::advImage1Click() {
    if (edit3_->text().isEmpty()) return;
    viewer_->showPicture(edit3_->text());
}

void PersonDialog::edit4Change() {
    const QString name = edit4_->text();
    memo_->clear();
    notesUnreadable_ = false;
    if (!name.isEmpty()) {
        memo_->setEnabled(true);
        memo_->setReadOnly(false);
        setBackground(memo_, Qt::white);
        if (const auto notes = readNotesFile(name, charset_)) {
            memo_->setPlainText(*notes);
        } else {
            notesUnreadable_ = notesFileUnreadable(name);
            memo_->setReadOnly(true);
            setBackground(memo_, kSilver);
        }
    } else {
        memo_->setEnabled(false);
        memo_->setReadOnly(true);
        setBackground(memo_, kSilver);
    }
    clearNotes_->setEnabled(!memo_->isReadOnly());
}

void PersonDialog::saveMemoIfSafe() {
    if (edit4_->text().isEmpty() || notesUnreadable_) return;
    writeNotesFile(edit4_->text(), memo_->toPlainText(), charset_);  // a failure is ignored here
}

void PersonDialog::button3Click() {
    FileDialogRequest request;
    request.title = kCreateNewTextFile;
    request.filter = kTextFileFilter;
    request.defaultExtension = QStringLiteral("txt");
    request.fileName = proposeNotesFileName(edit1_->text(), edit2_->text());
    request.promptOverwrite = true;
    const auto chosen = prompts_.saveFileName(request);
    if (!chosen) return;
    saveMemoIfSafe();
    memo_->clear();
    writeNotesFile(*chosen, QString(), charset_);
    edit4_->setText(*chosen);
}

void PersonDialog::button4Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open existing text file");
    request.filter = kTextFileFilter;
    request.defaultExtension = QStringLiteral("txt");
    request.fileName = edit4_->text();
    const auto chosen = prompts_.openFileName(request);
    if (!chosen) return;
    saveMemoIfSafe();
    edit4_->setText(*chosen);
}

void PersonDialog::button5Click() {
    saveMemoIfSafe();
    edit4_->clear();
}

void PersonDialog::heightButtonClick() { panelTop_->setVisible(!heightButton_->isChecked()); }

void PersonDialog::selectSpouseCell(int row) {
    auto cell = [this, row](int c) {
        const QTableWidgetItem* item = grid_->item(row, c);
        return item ? item->text() : QString();
    };
    if (row < 0) return;
    edit10_->setText(cell(0));
    edit11_->setText(cell(1));
    edit12_->setText(cell(2));
    const QString type = cell(3).left(1);
    int index = -1;
    for (int i = 0; i < combo_->count() && !type.isEmpty(); ++i)
        if (combo_->itemText(i).startsWith(type)) index = i;
    combo_->setCurrentIndex(index);
}

void PersonDialog::button1Click() {
    if (!copy_ || !store_) return;
    ok_ = true;
    PersonFormValues v;
    v.firstName = edit1_->text();
    v.lastName = edit2_->text();
    v.bornDate = maskEdit1_->text();
    v.bornPlace = edit5_->text();
    v.diedDate = maskEdit2_->text();
    v.diedPlace = edit6_->text();
    v.occupation = edit7_->text();
    v.source = edit9_->text();
    v.pictureFile = edit3_->text();
    v.pictureText = edit8_->text();
    v.notesFile = edit4_->text();
    v.notesText = memo_->toPlainText();
    v.notesUnreadable = notesUnreadable_;
    v.gender = male_->isChecked() ? Gender::Male : female_->isChecked() ? Gender::Female : Gender::None;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        auto cell = [this, r](int c) { return grid_->item(r, c) ? grid_->item(r, c)->text() : QString(); };
        v.spouses.push_back({cell(0), cell(1), cell(2), cell(3)});
    }
    if (!saveIt(*store_, *copy_, *edited_, v, prompts_, charset_)) {
        ok_ = false;  // the notes could not be saved anywhere: stay open
        return;
    }
    accept();
}

void PersonDialog::button2Click() {
    ok_ = false;
    reject();
}

}  // namespace kinloom
