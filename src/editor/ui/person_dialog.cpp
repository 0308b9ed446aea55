#include "editor/ui/person_dialog.h"

#include "editor/ui/picture_viewer.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kinloom {

void PictureBox::setPicture(const QImage& image) {
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (image_.isNull()) return;
    QPainter painter(this);
    const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
}

namespace {

QLineEdit* makeEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    edit->setFont(font);
    return edit;
}

constexpr int kVisibleCharacters = 30;

void showAtLeast(QLineEdit* edit, int characters) {
    const QFontMetrics metrics(edit->font());
    // The widest of the average and the common letters, so that real names and places fit too.
    const int perCharacter = std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char('n')));
    edit->setMinimumWidth(edit->minimumSizeHint().width() + perCharacter * characters);
}

QPixmap genderIcon(bool male) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(male ? QColor(0, 0, 160) : QColor(170, 0, 90), 4));
    p.drawEllipse(QRect(8, male ? 16 : 6, 24, 24));
    if (male) {
        p.drawLine(28, 20, 42, 6);
        p.drawLine(32, 6, 42, 6);
        p.drawLine(42, 6, 42, 16);
    } else {
        p.drawLine(20, 30, 20, 46);
        p.drawLine(13, 39, 27, 39);
    }
    return pixmap;
}

QToolButton* makeSpeedButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    return b;
}

}  // namespace

PersonDialog::PersonDialog(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setObjectName(QStringLiteral("personDialog"));
    setWindowTitle(QStringLiteral("Person"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // 611 x 407 at the least, larger where the fonts need it (the layout's minimum holds).
    resize(611, 407);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    auto* basic = new QWidget;
    basic->setObjectName(QStringLiteral("basicPage"));
    auto* spouses = new QWidget;
    spouses->setObjectName(QStringLiteral("spousesPage"));
    auto* details = new QWidget;
    details->setObjectName(QStringLiteral("detailsPage"));
    pages_->addTab(basic, QStringLiteral("Basic information"));
    pages_->addTab(spouses, QStringLiteral("Spouses"));
    pages_->addTab(details, QStringLiteral("Detailed information"));
    buildBasicPage(basic);
    buildSpousesPage(spouses);
    buildDetailsPage(details);
    layout->addWidget(pages_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &PersonDialog::okClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &PersonDialog::cancelClicked);

    viewer_ = new PictureViewer(this);
}

PersonDialog::~PersonDialog() = default;

void PersonDialog::buildBasicPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    panelTop_ = new QWidget(page);
    panelTop_->setObjectName(QStringLiteral("topPanel"));
    auto* top = new QHBoxLayout(panelTop_);
    top->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    firstNameEdit_ = makeEdit(panelTop_, "firstNameEdit", 100);
    lastNameEdit_ = makeEdit(panelTop_, "lastNameEdit", 100);
    bornDateEdit_ = makeEdit(panelTop_, "bornDateEdit", 35);
    bornPlaceEdit_ = makeEdit(panelTop_, "bornPlaceEdit", 100);
    diedDateEdit_ = makeEdit(panelTop_, "diedDateEdit", 35);
    diedPlaceEdit_ = makeEdit(panelTop_, "diedPlaceEdit", 100);
    occupationEdit_ = makeEdit(panelTop_, "occupationEdit", 100);
    sourceEdit_ = makeEdit(panelTop_, "sourceEdit", 100);
    pictureTextEdit_ = makeEdit(panelTop_, "pictureTextEdit", kPictureTextTyping);
    pictureFileEdit_ = makeEdit(panelTop_, "pictureFileEdit", 100);
    notesFileEdit_ = makeEdit(panelTop_, "notesFileEdit", 100);
    pictureFileEdit_->hide();
    notesFileEdit_->hide();
    // Every field shows at least 30 characters, whatever the fonts: the dialog grows to fit
    // rather than letting its fields overlap.
    for (QLineEdit* edit : {firstNameEdit_, lastNameEdit_, bornDateEdit_, bornPlaceEdit_, diedDateEdit_,
                            diedPlaceEdit_, occupationEdit_, sourceEdit_, pictureTextEdit_})
        showAtLeast(edit, kVisibleCharacters);
    auto label = [this](const char* text) { return new QLabel(QLatin1String(text), panelTop_); };
    // Columns: row caption, "Date", date field, "Where", place field; the other fields span 1 to 4.
    grid->addWidget(label("First Name(s)"), 0, 0);
    grid->addWidget(firstNameEdit_, 0, 1, 1, 4);
    grid->addWidget(label("Last Name(s)"), 1, 0);
    grid->addWidget(lastNameEdit_, 1, 1, 1, 4);
    grid->addWidget(label("Born"), 3, 0);
    grid->addWidget(label("Date"), 3, 1);
    grid->addWidget(bornDateEdit_, 3, 2);
    grid->addWidget(label("Where"), 3, 3);
    grid->addWidget(bornPlaceEdit_, 3, 4);
    grid->addWidget(label("Died"), 4, 0);
    grid->addWidget(label("Date"), 4, 1);
    grid->addWidget(diedDateEdit_, 4, 2);
    grid->addWidget(label("Where"), 4, 3);
    grid->addWidget(diedPlaceEdit_, 4, 4);
    grid->addWidget(label("Occupation"), 5, 0);
    grid->addWidget(occupationEdit_, 5, 1, 1, 4);
    grid->addWidget(label("Source"), 6, 0);
    grid->addWidget(sourceEdit_, 6, 1, 1, 4);
    grid->addWidget(label("Picture description:"), 7, 0);
    grid->addWidget(pictureTextEdit_, 7, 1, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 2);

    auto* gender = new QGroupBox(QStringLiteral("Gender"), panelTop_);
    gender->setObjectName(QStringLiteral("genderBox"));
    auto* genderLayout = new QHBoxLayout(gender);
    male_ = new QRadioButton(QStringLiteral("Male"), gender);
    male_->setObjectName(QStringLiteral("maleButton"));
    female_ = new QRadioButton(QStringLiteral("Female"), gender);
    female_->setObjectName(QStringLiteral("femaleButton"));
    unknown_ = new QRadioButton(QStringLiteral("Unknown"), gender);
    unknown_->setObjectName(QStringLiteral("unknownButton"));
    male_->setChecked(true);
    genderLayout->addWidget(male_);
    genderLayout->addWidget(female_);
    genderLayout->addWidget(unknown_);
    genderLayout->addStretch();
    maleIcon_ = new QLabel(gender);
    maleIcon_->setObjectName(QStringLiteral("maleIcon"));
    maleIcon_->setPixmap(genderIcon(true));
    femaleIcon_ = new QLabel(gender);
    femaleIcon_->setObjectName(QStringLiteral("femaleIcon"));
    femaleIcon_->setPixmap(genderIcon(false));
    femaleIcon_->hide();
    maleIcon_->setFixedSize(48, 48);
    femaleIcon_->setFixedSize(48, 48);
    // Unknown shows neither icon; the row keeps its height.
    QSizePolicy keep = maleIcon_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    maleIcon_->setSizePolicy(keep);
    genderLayout->setContentsMargins(6, 2, 6, 2);
    genderLayout->addWidget(maleIcon_);
    genderLayout->addWidget(femaleIcon_);
    grid->addWidget(gender, 2, 0, 1, 5);
    top->addLayout(grid, 1);

    picturePanel_ = new QFrame(panelTop_);
    picturePanel_->setObjectName(QStringLiteral("picturePanel"));
    picturePanel_->setFrameShape(QFrame::StyledPanel);
    picturePanel_->setAutoFillBackground(true);
    auto* pictureLayout = new QVBoxLayout(picturePanel_);
    pictureLayout->setContentsMargins(2, 2, 2, 2);
    picturePanelCaption_ = new QLabel(QStringLiteral("Picture"), picturePanel_);
    picturePanelCaption_->setAlignment(Qt::AlignCenter);
    picture_ = new PictureBox(picturePanel_);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setMinimumHeight(110);
    auto* pictureStack = new QGridLayout;
    pictureStack->addWidget(picturePanelCaption_, 0, 0);
    pictureStack->addWidget(picture_, 0, 0);
    pictureLayout->addLayout(pictureStack, 1);
    openPictureButton_ = new QPushButton(QStringLiteral("Open &picture"), picturePanel_);
    openPictureButton_->setObjectName(QStringLiteral("openPictureButton"));
    clearPictureButton_ = new QPushButton(QStringLiteral("&Clear"), picturePanel_);
    clearPictureButton_->setObjectName(QStringLiteral("clearPictureButton"));
    pictureLayout->addWidget(openPictureButton_);
    pictureLayout->addWidget(clearPictureButton_);
    // As wide as its buttons need with the desktop's font, 130 at the least.
    picturePanel_->setFixedWidth(std::max(130, picturePanel_->sizeHint().width()));
    top->addWidget(picturePanel_);
    layout->addWidget(panelTop_);

    notesPanel_ = new QWidget(page);
    notesPanel_->setObjectName(QStringLiteral("notesPanel"));
    auto* notes = new QVBoxLayout(notesPanel_);
    notes->setContentsMargins(0, 0, 0, 0);
    auto* notesBar = new QHBoxLayout;
    notesBar->addWidget(new QLabel(QStringLiteral("Person Notes:"), notesPanel_));
    notesBar->addStretch();
    openNotes_ = makeSpeedButton(notesPanel_, "openNotesButton", QStringLiteral("&Open"), QStringLiteral("Open a text file"));
    newNotes_ = makeSpeedButton(notesPanel_, "newNotesButton", QStringLiteral("&New"), QStringLiteral("Create a new text file"));
    clearNotes_ = makeSpeedButton(notesPanel_, "clearNotesButton", QStringLiteral("C&lear"), QStringLiteral("Do not use text file"));
    heightButton_ = makeSpeedButton(notesPanel_, "notesHeightButton", QStringLiteral("\u2195"), QStringLiteral("Maximize / Restore "));
    heightButton_->setCheckable(true);
    for (QToolButton* b : {openNotes_, newNotes_, clearNotes_, heightButton_}) notesBar->addWidget(b);
    notes->addLayout(notesBar);
    memo_ = new QPlainTextEdit(notesPanel_);
    memo_->setObjectName(QStringLiteral("notes"));
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setAutoFillBackground(true);
    notes->addWidget(memo_, 1);
    layout->addWidget(notesPanel_, 1);

    connect(firstNameEdit_, &QLineEdit::textChanged, this, &PersonDialog::nameChanged);
    connect(lastNameEdit_, &QLineEdit::textChanged, this, &PersonDialog::nameChanged);
    connect(pictureFileEdit_, &QLineEdit::textChanged, this, &PersonDialog::pictureFileChanged);
    connect(notesFileEdit_, &QLineEdit::textChanged, this, &PersonDialog::notesFileChanged);
    connect(bornDateEdit_, &QLineEdit::editingFinished, this, [this] { standardizeInto(bornDateEdit_); });
    connect(diedDateEdit_, &QLineEdit::editingFinished, this, [this] { standardizeInto(diedDateEdit_); });
    for (QRadioButton* b : {male_, female_, unknown_}) connect(b, &QRadioButton::toggled, this, &PersonDialog::genderChanged);
    connect(openPictureButton_, &QPushButton::clicked, this, &PersonDialog::openPicture);
    connect(clearPictureButton_, &QPushButton::clicked, this, &PersonDialog::clearPicture);
    connect(picture_, &PictureBox::clicked, this, &PersonDialog::viewPicture);
    connect(openNotes_, &QToolButton::clicked, this, &PersonDialog::openNotesFile);
    connect(newNotes_, &QToolButton::clicked, this, &PersonDialog::newNotesFile);
    connect(clearNotes_, &QToolButton::clicked, this, &PersonDialog::clearNotesFile);
    connect(heightButton_, &QToolButton::toggled, this, &PersonDialog::toggleNotesHeight);
}

void PersonDialog::buildSpousesPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    noSpouses_ = new QLabel(QStringLiteral("No spouses linked to this item"), page);
    noSpouses_->setObjectName(QStringLiteral("noSpousesLabel"));
    noSpouses_->setAlignment(Qt::AlignCenter);
    layout->addWidget(noSpouses_);
    gridPanel_ = new QWidget(page);
    gridPanel_->setObjectName(QStringLiteral("spousesPanel"));
    auto* panel = new QVBoxLayout(gridPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    grid_ = new QTableWidget(0, 4, gridPanel_);
    grid_->setObjectName(QStringLiteral("spousesGrid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Spouse"), QStringLiteral("Date"), QStringLiteral("Where"),
                                      QStringLiteral("Type")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const int widths[] = {282, 101, 168, 42};
    for (int c = 0; c < 4; ++c) grid_->setColumnWidth(c, widths[c]);
    panel->addWidget(grid_, 1);
    auto* editor = new QGridLayout;
    spouseNameEdit_ = makeEdit(gridPanel_, "spouseNameEdit", 201);
    spouseNameEdit_->setReadOnly(true);
    spouseNameEdit_->setEnabled(false);
    relationshipBox_ = new QComboBox(gridPanel_);
    relationshipBox_->setObjectName(QStringLiteral("relationshipBox"));
    for (const QString& type : relationshipTypes()) relationshipBox_->addItem(type);
    marriageDateEdit_ = makeEdit(gridPanel_, "marriageDateEdit", 35);
    marriagePlaceEdit_ = makeEdit(gridPanel_, "marriagePlaceEdit", 100);
    editor->addWidget(new QLabel(QStringLiteral("Name:"), gridPanel_), 0, 0);
    editor->addWidget(spouseNameEdit_, 0, 1);
    editor->addWidget(new QLabel(QStringLiteral("Type of relationship:"), gridPanel_), 0, 2);
    editor->addWidget(relationshipBox_, 0, 3);
    editor->addWidget(new QLabel(QStringLiteral("Date:"), gridPanel_), 1, 0);
    editor->addWidget(marriageDateEdit_, 1, 1);
    editor->addWidget(new QLabel(QStringLiteral("Place:"), gridPanel_), 1, 2);
    editor->addWidget(marriagePlaceEdit_, 1, 3);
    panel->addLayout(editor);
    layout->addWidget(gridPanel_, 1);

    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { selectSpouseCell(row); });
    auto writeColumn = [this](int column, const QString& value) {
        const int row = grid_->currentRow();
        if (row < 0) return;
        if (!grid_->item(row, column)) grid_->setItem(row, column, new QTableWidgetItem);
        grid_->item(row, column)->setText(value);
    };
    // textEdited fires only for the user's typing, i.e. while the field has the focus.
    connect(marriageDateEdit_, &QLineEdit::textEdited, this, [writeColumn](const QString& t) { writeColumn(1, t); });
    connect(marriagePlaceEdit_, &QLineEdit::textEdited, this, [writeColumn](const QString& t) { writeColumn(2, t); });
    connect(marriageDateEdit_, &QLineEdit::editingFinished, this, [this, writeColumn] {
        standardizeInto(marriageDateEdit_);
        writeColumn(1, marriageDateEdit_->text());
    });
    connect(relationshipBox_, &QComboBox::activated, this,
            [this, writeColumn](int index) { writeColumn(3, relationshipBox_->itemText(index).left(1)); });
}

void PersonDialog::buildDetailsPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    tree_ = new QTreeWidget(page);
    tree_->setObjectName(QStringLiteral("detailsTree"));
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(tree_, 1);
    auto* notice = new QLabel(QStringLiteral("This feature is still under construction. Look for updates on the "
                                             "Kinloom home page (Help menu)."),
                              page);
    notice->setWordWrap(true);
    layout->addWidget(notice);
    auto* buttons = new QHBoxLayout;
    const char* names[] = {"newDetailButton", "editDetailButton", "deleteDetailButton"};
    const char* captions[] = {"&New", "&Edit", "&Delete"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QLatin1String(captions[i]), page);
        b->setObjectName(QLatin1String(names[i]));
        b->setEnabled(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
}

}  // namespace kinloom
