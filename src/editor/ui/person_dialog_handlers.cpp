#include "editor/ui/person_dialog.h"

#include "document/item_store.h"
#include "editor/ui/picture_viewer.h"
#include "platform/file_references.h"
#include "platform/imagecodec.h"
#include "platform/prompts.h"

#include <algorithm>

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

QString PersonDialog::referencedPath(const QString& name) const {
    return FileReferences(treeFolder_ ? treeFolder_() : QString()).path(name);
}

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
    firstNameEdit_->setText(text(copy.FirstName));
    lastNameEdit_->setText(text(copy.LastName));
    nameChanged();
    bornDateEdit_->setText(text(copy.BornDate));
    // Setting the same name again would not reload: clear first so the change handlers run.
    pictureFileEdit_->blockSignals(true);
    pictureFileEdit_->clear();
    pictureFileEdit_->blockSignals(false);
    pictureFileEdit_->setText(text(copy.PictureFile));
    if (copy.PictureFile.empty()) pictureFileChanged();
    notesFileEdit_->blockSignals(true);
    notesFileEdit_->clear();
    notesFileEdit_->blockSignals(false);
    notesFileEdit_->setText(text(copy.NotesFile));
    if (copy.NotesFile.empty()) notesFileChanged();
    diedDateEdit_->setText(text(copy.DiedDate));
    // Anything but M and F ("?", empty, GEDCOM's U) is unknown, and OK keeps it as it is.
    (copy.Sex == "M" ? male_ : copy.Sex == "F" ? female_ : unknown_)->setChecked(true);
    bornPlaceEdit_->setText(text(copy.BornPlace));
    diedPlaceEdit_->setText(text(copy.DiedPlace));
    // 246 characters limit typing only: a longer description that was loaded is kept whole.
    const QString pictureText = text(copy.PictureText);
    pictureTextEdit_->setMaxLength(std::max<int>(kPictureTextTyping, pictureText.size()));
    pictureTextEdit_->setText(pictureText);
    occupationEdit_->setText(text(copy.Occupation));
    sourceEdit_->setText(text(copy.Source));

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
    spouseNameEdit_->clear();
    marriageDateEdit_->clear();
    marriagePlaceEdit_->clear();
    relationshipBox_->setCurrentIndex(-1);
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
    prepareControls();
}

void PersonDialog::prepareControls() {
    if (!copy_) return;
    heightButton_->blockSignals(true);
    heightButton_->setChecked(false);
    heightButton_->blockSignals(false);
    panelTop_->show();
    tree_->clear();
    pages_->setCurrentIndex(0);

    const bool editable = !copy_->isAlias();
    for (QWidget* w : std::initializer_list<QWidget*>{firstNameEdit_, lastNameEdit_, bornPlaceEdit_, diedPlaceEdit_, occupationEdit_, pictureTextEdit_, sourceEdit_, male_,
                                                      female_, unknown_, bornDateEdit_, diedDateEdit_, openNotes_,
                                                      newNotes_, clearNotes_, openPictureButton_})
        w->setEnabled(editable);
    clearPictureButton_->setEnabled(pictureTextEdit_->isEnabled());
    memo_->setReadOnly(!editable);
    for (QWidget* w : std::initializer_list<QWidget*>{firstNameEdit_, lastNameEdit_, bornPlaceEdit_, diedPlaceEdit_, occupationEdit_, pictureTextEdit_, sourceEdit_,
                                                      bornDateEdit_, diedDateEdit_, memo_})
        setFieldColour(w, editable);
    if (editable)
        firstNameEdit_->setFocus();
    else
        okButton_->setFocus();
    if (pictureFileEdit_->text().isEmpty()) {
        pictureTextEdit_->setEnabled(false);
        setFieldColour(pictureTextEdit_, false);
        clearPictureButton_->setEnabled(false);
    }
    if (notesFileEdit_->text().isEmpty()) {
        memo_->setReadOnly(true);
        setFieldColour(memo_, false);
        clearNotes_->setEnabled(false);
    }
}

void PersonDialog::nameChanged() {
    const QString caption = firstNameEdit_->text() + QLatin1Char(' ') + lastNameEdit_->text();
    setWindowTitle(caption == QLatin1String(" ") ? QStringLiteral("Person") : caption);
}

void PersonDialog::genderChanged() {
    maleIcon_->setVisible(male_->isChecked());
    femaleIcon_->setVisible(female_->isChecked());
}

void PersonDialog::pictureFileChanged() {
    const QString name = pictureFileEdit_->text();
    if (!name.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        picturePanelCaption_->setText(QStringLiteral("Picture not found"));
        setBackground(picturePanel_, kGrey);
        picture_->setPicture(loadImageFile(referencedPath(name)));  // a null image when it cannot be shown
        QApplication::restoreOverrideCursor();
    } else {
        setBackground(picturePanel_, kSilver);
        picturePanelCaption_->setText(QStringLiteral("Picture"));
        picture_->setPicture(QImage());
        picture_->setToolTip(QString());
    }
    clearPictureButton_->setEnabled(!name.isEmpty());
    pictureTextEdit_->setEnabled(clearPictureButton_->isEnabled());
    setFieldColour(pictureTextEdit_, pictureTextEdit_->isEnabled());
}

void PersonDialog::openPicture() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open picture");
    request.filter = kPictureFilter;
    request.defaultExtension = QStringLiteral("jpg");
    request.fileName = pictureFileEdit_->text();
    if (const auto chosen = prompts_.openFileName(request)) {
        pictureFileEdit_->setText(*chosen);
        picture_->setToolTip(*chosen);
    }
}

void PersonDialog::clearPicture() { pictureFileEdit_->clear(); }

void PersonDialog::viewPicture() {
    if (pictureFileEdit_->text().isEmpty()) return;
    viewer_->showPicture(referencedPath(pictureFileEdit_->text()));
}

void PersonDialog::notesFileChanged() {
    const QString name = notesFileEdit_->text();
    memo_->clear();
    notesUnreadable_ = false;
    notesPath_ = referencedPath(name);
    if (!name.isEmpty()) {
        memo_->setEnabled(true);
        memo_->setReadOnly(false);
        setBackground(memo_, Qt::white);
        if (const auto notes = readNotesFile(notesPath_, charset_)) {
            memo_->setPlainText(*notes);
        } else {
            notesUnreadable_ = notesFileUnreadable(notesPath_);
            memo_->setReadOnly(true);
            setBackground(memo_, kSilver);
        }
    } else {
        memo_->setEnabled(false);
        memo_->setReadOnly(true);
        setBackground(memo_, kSilver);
    }
    clearNotes_->setEnabled(!memo_->isReadOnly());
    loadedNotes_ = memo_->toPlainText();
}

void PersonDialog::saveMemoIfSafe() {
    if (notesFileEdit_->text().isEmpty() || notesUnreadable_ || memo_->toPlainText() == loadedNotes_) return;
    writeNotesFile(notesPath_, memo_->toPlainText(), charset_);  // a failure is ignored here
}

void PersonDialog::newNotesFile() {
    FileDialogRequest request;
    request.title = kCreateNewTextFile;
    request.filter = kTextFileFilter;
    request.defaultExtension = QStringLiteral("txt");
    request.fileName = proposeNotesFileName(firstNameEdit_->text(), lastNameEdit_->text());
    request.promptOverwrite = true;
    const auto chosen = prompts_.saveFileName(request);
    if (!chosen) return;
    saveMemoIfSafe();
    memo_->clear();
    writeNotesFile(*chosen, QString(), charset_);
    notesFileEdit_->setText(*chosen);
}

void PersonDialog::openNotesFile() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open existing text file");
    request.filter = kTextFileFilter;
    request.defaultExtension = QStringLiteral("txt");
    request.fileName = notesFileEdit_->text();
    const auto chosen = prompts_.openFileName(request);
    if (!chosen) return;
    saveMemoIfSafe();
    notesFileEdit_->setText(*chosen);
}

void PersonDialog::clearNotesFile() {
    saveMemoIfSafe();
    notesFileEdit_->clear();
}

void PersonDialog::toggleNotesHeight() { panelTop_->setVisible(!heightButton_->isChecked()); }

void PersonDialog::selectSpouseCell(int row) {
    auto cell = [this, row](int c) {
        const QTableWidgetItem* item = grid_->item(row, c);
        return item ? item->text() : QString();
    };
    if (row < 0) return;
    spouseNameEdit_->setText(cell(0));
    marriageDateEdit_->setText(cell(1));
    marriagePlaceEdit_->setText(cell(2));
    const QString type = cell(3).left(1);
    int index = -1;
    for (int i = 0; i < relationshipBox_->count() && !type.isEmpty(); ++i)
        if (relationshipBox_->itemText(i).startsWith(type)) index = i;
    relationshipBox_->setCurrentIndex(index);
}

void PersonDialog::okClicked() {
    if (!copy_ || !store_) return;
    ok_ = true;
    PersonFormValues v;
    v.firstName = firstNameEdit_->text();
    v.lastName = lastNameEdit_->text();
    v.bornDate = bornDateEdit_->text();
    v.bornPlace = bornPlaceEdit_->text();
    v.diedDate = diedDateEdit_->text();
    v.diedPlace = diedPlaceEdit_->text();
    v.occupation = occupationEdit_->text();
    v.source = sourceEdit_->text();
    v.pictureFile = pictureFileEdit_->text();
    v.pictureText = pictureTextEdit_->text();
    v.notesFile = notesFileEdit_->text();
    v.notesPath = notesPath_;
    v.notesText = memo_->toPlainText();
    v.notesUnreadable = notesUnreadable_;
    v.notesChanged = v.notesText != loadedNotes_;
    v.gender = male_->isChecked() ? Gender::Male : female_->isChecked() ? Gender::Female : Gender::Unknown;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        auto cell = [this, r](int c) { return grid_->item(r, c) ? grid_->item(r, c)->text() : QString(); };
        v.spouses.push_back({cell(0), cell(1), cell(2), cell(3)});
    }
    if (!savePersonForm(*store_, *copy_, *edited_, v, prompts_, charset_)) {
        ok_ = false;  // the notes could not be saved anywhere: stay open
        return;
    }
    accept();
}

void PersonDialog::cancelClicked() {
    ok_ = false;
    reject();
}

}  // namespace kinloom
