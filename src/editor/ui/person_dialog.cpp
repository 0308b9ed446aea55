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
    setObjectName(QStringLiteral("Person"));
    setWindowTitle(QStringLiteral("Person"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(611, 407);
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    auto* basic = new QWidget;
    basic->setObjectName(QStringLiteral("TabSheet1"));
    auto* spouses = new QWidget;
    spouses->setObjectName(QStringLiteral("TabSheet3"));
    auto* details = new QWidget;
    details->setObjectName(QStringLiteral("TabSheet2"));
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
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &PersonDialog::button1Click);
    connect(cancelButton_, &QPushButton::clicked, this, &PersonDialog::button2Click);

    viewer_ = new PictureViewer(this);
}

PersonDialog::~PersonDialog() = default;

void PersonDialog::buildBasicPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    panelTop_ = new QWidget(page);
    panelTop_->setObjectName(QStringLiteral("Panel_top"));
    auto* top = new QHBoxLayout(panelTop_);
    top->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    edit1_ = makeEdit(panelTop_, "Edit1", 100);
    edit2_ = makeEdit(panelTop_, "Edit2", 100);
    maskEdit1_ = makeEdit(panelTop_, "MaskEdit1", 35);
    edit5_ = makeEdit(panelTop_, "Edit5", 100);
    maskEdit2_ = makeEdit(panelTop_, "MaskEdit2", 35);
    edit6_ = makeEdit(panelTop_, "Edit6", 100);
    edit7_ = makeEdit(panelTop_, "Edit7", 100);
    edit9_ = makeEdit(panelTop_, "Edit9", 100);
    edit8_ = makeEdit(panelTop_, "Edit8", 246);
    edit3_ = makeEdit(panelTop_, "Edit3", 100);
    edit4_ = makeEdit(panelTop_, "Edit4", 100);
    edit3_->hide();
    edit4_->hide();
    auto label = [this](const char* text) { return new QLabel(QLatin1String(text), panelTop_); };
    grid->addWidget(label("First Name(s)"), 0, 0);
    grid->addWidget(edit1_, 0, 1, 1, 3);
    grid->addWidget(label("Last Name(s)"), 1, 0);
    grid->addWidget(edit2_, 1, 1, 1, 3);
    grid->addWidget(label("Born"), 2, 0);
    grid->addWidget(label("Date"), 2, 1);
    grid->addWidget(maskEdit1_, 2, 2);
    grid->addWidget(label("Where"), 2, 3);
    grid->addWidget(edit5_, 2, 4);
    grid->addWidget(label("Died"), 3, 0);
    grid->addWidget(label("Date"), 3, 1);
    grid->addWidget(maskEdit2_, 3, 2);
    grid->addWidget(label("Where"), 3, 3);
    grid->addWidget(edit6_, 3, 4);
    grid->addWidget(label("Occupation"), 4, 0);
    grid->addWidget(edit7_, 4, 1, 1, 4);
    grid->addWidget(label("Source"), 5, 0);
    grid->addWidget(edit9_, 5, 1, 1, 4);
    grid->addWidget(label("Picture description:"), 6, 0);
    grid->addWidget(edit8_, 6, 1, 1, 4);

    auto* gender = new QGroupBox(QStringLiteral("Gender"), panelTop_);
    gender->setObjectName(QStringLiteral("GroupBox1"));
    auto* genderLayout = new QHBoxLayout(gender);
    auto* radios = new QVBoxLayout;
    male_ = new QRadioButton(QStringLiteral("Male"), gender);
    male_->setObjectName(QStringLiteral("RadioButton1"));
    female_ = new QRadioButton(QStringLiteral("Female"), gender);
    female_->setObjectName(QStringLiteral("RadioButton2"));
    male_->setChecked(true);
    radios->addWidget(male_);
    radios->addWidget(female_);
    genderLayout->addLayout(radios);
    image1_ = new QLabel(gender);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(genderIcon(true));
    image2_ = new QLabel(gender);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setPixmap(genderIcon(false));
    image2_->hide();
    image1_->setFixedSize(48, 48);
    image2_->setFixedSize(48, 48);
    gender->setMinimumHeight(78);
    genderLayout->setContentsMargins(6, 2, 6, 2);
    genderLayout->addWidget(image1_);
    genderLayout->addWidget(image2_);
    grid->addWidget(gender, 0, 4, 2, 1);
    top->addLayout(grid, 1);

    panel1_ = new QFrame(panelTop_);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFrameShape(QFrame::StyledPanel);
    panel1_->setAutoFillBackground(true);
    panel1_->setFixedWidth(130);
    auto* pictureLayout = new QVBoxLayout(panel1_);
    pictureLayout->setContentsMargins(2, 2, 2, 2);
    panel1Caption_ = new QLabel(QStringLiteral("Picture"), panel1_);
    panel1Caption_->setAlignment(Qt::AlignCenter);
    picture_ = new PictureBox(panel1_);
    picture_->setObjectName(QStringLiteral("AdvImage1"));
    picture_->setMinimumHeight(110);
    auto* pictureStack = new QGridLayout;
    pictureStack->addWidget(panel1Caption_, 0, 0);
    pictureStack->addWidget(picture_, 0, 0);
    pictureLayout->addLayout(pictureStack, 1);
    button6_ = new QPushButton(QStringLiteral("Open &picture"), panel1_);
    button6_->setObjectName(QStringLiteral("Button6"));
    button7_ = new QPushButton(QStringLiteral("&Clear"), panel1_);
    button7_->setObjectName(QStringLiteral("Button7"));
    pictureLayout->addWidget(button6_);
    pictureLayout->addWidget(button7_);
    top->addWidget(panel1_);
    layout->addWidget(panelTop_);

    panel5_ = new QWidget(page);
    panel5_->setObjectName(QStringLiteral("Panel5"));
    auto* notes = new QVBoxLayout(panel5_);
    notes->setContentsMargins(0, 0, 0, 0);
    auto* notesBar = new QHBoxLayout;
    notesBar->addWidget(new QLabel(QStringLiteral("Person Notes:"), panel5_));
    notesBar->addStretch();
    openNotes_ = makeSpeedButton(panel5_, "SpeedButton1", QStringLiteral("&Open"), QStringLiteral("Open a text file"));
    newNotes_ = makeSpeedButton(panel5_, "SpeedButton2", QStringLiteral("&New"), QStringLiteral("Create a new text file"));
    clearNotes_ = makeSpeedButton(panel5_, "SpeedButton3", QStringLiteral("C&lear"), QStringLiteral("Do not use text file"));
    heightButton_ = makeSpeedButton(panel5_, "HeightButton", QStringLiteral("\u2195"), QStringLiteral("Maximize / Restore "));
    heightButton_->setCheckable(true);
    for (QToolButton* b : {openNotes_, newNotes_, clearNotes_, heightButton_}) notesBar->addWidget(b);
    notes->addLayout(notesBar);
    memo_ = new QPlainTextEdit(panel5_);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setAutoFillBackground(true);
    notes->addWidget(memo_, 1);
    layout->addWidget(panel5_, 1);

    connect(edit1_, &QLineEdit::textChanged, this, &PersonDialog::searchTextChanged);
    connect(edit2_, &QLineEdit::textChanged, this, &PersonDialog::searchTextChanged);
    connect(edit3_, &QLineEdit::textChanged, this, &PersonDialog::edit3Change);
    connect(edit4_, &QLineEdit::textChanged, this, &PersonDialog::edit4Change);
    connect(maskEdit1_, &QLineEdit::editingFinished, this, [this] { standardizeInto(maskEdit1_); });
    connect(maskEdit2_, &QLineEdit::editingFinished, this, [this] { standardizeInto(maskEdit2_); });
    connect(male_, &QRadioButton::toggled, this, &PersonDialog::radioButtonClick);
    connect(button6_, &QPushButton::clicked, this, &PersonDialog::button6Click);
    connect(button7_, &QPushButton::clicked, this, &PersonDialog::button7Click);
    connect(picture_, &PictureBox::clicked, this, &PersonDialog::advImage1Click);
    connect(openNotes_, &QToolButton::clicked, this, &PersonDialog::button4Click);
    connect(newNotes_, &QToolButton::clicked, this, &PersonDialog::button3Click);
    connect(clearNotes_, &QToolButton::clicked, this, &PersonDialog::button5Click);
    connect(heightButton_, &QToolButton::toggled, this, &PersonDialog::heightButtonClick);
}

void PersonDialog::buildSpousesPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    noSpouses_ = new QLabel(QStringLiteral("No spouses linked to this item"), page);
    noSpouses_->setObjectName(QStringLiteral("Label17"));
    noSpouses_->setAlignment(Qt::AlignCenter);
    layout->addWidget(noSpouses_);
    gridPanel_ = new QWidget(page);
    gridPanel_->setObjectName(QStringLiteral("Panel6"));
    auto* panel = new QVBoxLayout(gridPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    grid_ = new QTableWidget(0, 4, gridPanel_);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
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
    edit10_ = makeEdit(gridPanel_, "Edit10", 201);
    edit10_->setReadOnly(true);
    edit10_->setEnabled(false);
    combo_ = new QComboBox(gridPanel_);
    combo_->setObjectName(QStringLiteral("ComboBox1"));
    for (const QString& type : relationshipTypes()) combo_->addItem(type);
    edit11_ = makeEdit(gridPanel_, "Edit11", 35);
    edit12_ = makeEdit(gridPanel_, "Edit12", 100);
    editor->addWidget(new QLabel(QStringLiteral("Name:"), gridPanel_), 0, 0);
    editor->addWidget(edit10_, 0, 1);
    editor->addWidget(new QLabel(QStringLiteral("Type of relationship:"), gridPanel_), 0, 2);
    editor->addWidget(combo_, 0, 3);
    editor->addWidget(new QLabel(QStringLiteral("Date:"), gridPanel_), 1, 0);
    editor->addWidget(edit11_, 1, 1);
    editor->addWidget(new QLabel(QStringLiteral("Place:"), gridPanel_), 1, 2);
    editor->addWidget(edit12_, 1, 3);
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
    connect(edit11_, &QLineEdit::textEdited, this, [writeColumn](const QString& t) { writeColumn(1, t); });
    connect(edit12_, &QLineEdit::textEdited, this, [writeColumn](const QString& t) { writeColumn(2, t); });
    connect(edit11_, &QLineEdit::editingFinished, this, [this, writeColumn] {
        standardizeInto(edit11_);
        writeColumn(1, edit11_->text());
    });
    connect(combo_, &QComboBox::activated, this,
            [this, writeColumn](int index) { writeColumn(3, combo_->itemText(index).left(1)); });
}

void PersonDialog::buildDetailsPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    tree_ = new QTreeWidget(page);
    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(tree_, 1);
    auto* notice = new QLabel(QStringLiteral("This feature is still under construction. Look for updates on the "
                                             "Kinloom home page (Help menu)."),
                              page);
    notice->setWordWrap(true);
    layout->addWidget(notice);
    auto* buttons = new QHBoxLayout;
    const char* names[] = {"Button8", "Button10", "Button11"};
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
