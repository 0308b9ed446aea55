#pragma once
#include "editor/person_save.h"
#include "platform/charsets.h"

#include <QDialog>
#include <QLabel>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QComboBox;
class QToolButton;
class QTreeWidget;
class QFrame;

namespace kinloom {

class ItemStore;
class Prompts;
class PictureViewer;
struct PersonItem;

// The picture control: the picture scaled to fit with its aspect ratio kept, centred; a click or
// double-click asks for the picture viewer.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setPicture(const QImage& image);
    const QImage& picture() const { return image_; }
signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

// PersonDialog: the modal person dialog. It edits a copy of an item; only OK writes the controls back
// into the copy (savePersonForm), and the caller copies it over the real item.
class PersonDialog : public QDialog {
    Q_OBJECT
public:
    PersonDialog(Prompts& prompts, QWidget* parent = nullptr);
    ~PersonDialog() override;

    void setCharset(const DisplayCharset& charset) { charset_ = charset; }
    // Rewrites a typed date when a date field is left (date standardisation); none = unchanged.
    void setDateStandardizer(std::function<QString(const QString&)> f) { standardize_ = std::move(f); }
    // The folder the tree's relative file names are taken in, asked each time a file is opened.
    void setTreeFolder(std::function<QString()> f) { treeFolder_ = std::move(f); }

    // Fills the controls from the copy; `edited` is the real item, the store the whole document.
    void fill(ItemStore& store, PersonItem& copy, PersonItem& edited);
    // Fill, show modally, and tell whether OK was pressed.
    bool execute(ItemStore& store, PersonItem& copy, PersonItem& edited);
    bool okFlag() const { return ok_; }

    // Handlers, public so that the window's controls and tests reach the same code.
    void prepareControls();
    void okClicked();  // OK
    void cancelClicked();  // Cancel
    void nameChanged();
    void pictureFileChanged();
    void notesFileChanged();
    void openPicture();  // open picture
    void clearPicture();  // clear picture
    void viewPicture();
    void openNotesFile();  // notes "&Open"
    void newNotesFile();  // notes "&New"
    void clearNotesFile();  // notes "C&lear"
    void toggleNotesHeight();
    void selectSpouseCell(int row);
    void genderChanged();

    PictureViewer* pictureViewer() const { return viewer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildBasicPage(QWidget* page);
    void buildSpousesPage(QWidget* page);
    void buildDetailsPage(QWidget* page);
    void setFieldColour(QWidget* w, bool white);
    void standardizeInto(QLineEdit* edit);
    // Saves the memo into the current notes file unless that file could not be read.
    void saveMemoIfSafe();
    QString text(std::string_view bytes) const;
    // Where a picture or notes reference leads (see FileReferences).
    QString referencedPath(const QString& name) const;

    Prompts& prompts_;
    DisplayCharset charset_;
    std::function<QString(const QString&)> standardize_;
    std::function<QString()> treeFolder_;
    ItemStore* store_ = nullptr;
    PersonItem* copy_ = nullptr;
    PersonItem* edited_ = nullptr;
    bool ok_ = false;
    bool notesUnreadable_ = false;
    QString loadedNotes_;  // the memo as loaded: notes left as they were are not written back
    QString notesPath_;    // where the notes reference leads: the memo is read from and written there

    QTabWidget* pages_;
    QWidget* panelTop_;
    QWidget* notesPanel_;
    QLineEdit *firstNameEdit_, *lastNameEdit_, *bornDateEdit_, *bornPlaceEdit_, *diedDateEdit_, *diedPlaceEdit_, *occupationEdit_, *sourceEdit_;
    QLineEdit *pictureFileEdit_, *pictureTextEdit_, *notesFileEdit_;
    QRadioButton *male_, *female_, *unknown_;
    QLabel *maleIcon_, *femaleIcon_;
    QFrame* picturePanel_;
    QLabel* picturePanelCaption_;
    PictureBox* picture_;
    QPushButton *openPictureButton_, *clearPictureButton_;
    QPlainTextEdit* memo_;
    QToolButton *openNotes_, *newNotes_, *clearNotes_, *heightButton_;
    QWidget* gridPanel_;
    QLabel* noSpouses_;
    QTableWidget* grid_;
    QLineEdit *spouseNameEdit_, *marriageDateEdit_, *marriagePlaceEdit_;
    QComboBox* relationshipBox_;
    QTreeWidget* tree_;
    QPushButton *okButton_, *cancelButton_;
    PictureViewer* viewer_;
};

}  // namespace kinloom
