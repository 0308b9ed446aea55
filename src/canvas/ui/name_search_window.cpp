#include "canvas/ui/name_search_window.h"

#include "canvas/go_to_lists.h"
#include "document/item_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

namespace {
constexpr int kMinimumWidth = 330;
}

NameSearchWindow::NameSearchWindow(ItemStore& store, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), store_(store) {
    setObjectName(QStringLiteral("nameSearchWindow"));
    setWindowTitle(QStringLiteral("Name Search"));
    setMinimumWidth(kMinimumWidth);
    resize(kMinimumWidth, 400);
    move(50, 80);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);  // the four buttons fit in the minimum width
    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("searchBox"));
    searchBox_->setToolTip(QStringLiteral("Type your search string here"));
    searchBox_->installEventFilter(this);
    layout->addWidget(searchBox_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setToolTip(QStringLiteral("Double-click to go to person"));
    list_->setUniformItemSizes(true);  // keeps filling a hundred thousand lines quick
    list_->installEventFilter(this);
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    const char* names[] = {"refreshButton", "editPersonButton", "goToPersonButton", "closeButton"};
    const char* captions[] = {"&Refresh", "&Edit person", "&Go to person", "&Close"};
    QPushButton* b[4];
    for (int i = 0; i < 4; ++i) {
        b[i] = new QPushButton(QLatin1String(captions[i]), this);
        b[i]->setObjectName(QLatin1String(names[i]));
        buttons->addWidget(b[i]);
    }
    b[2]->setDefault(true);
    layout->addLayout(buttons);
    connect(b[0], &QPushButton::clicked, this, &NameSearchWindow::refresh);
    connect(b[1], &QPushButton::clicked, this, &NameSearchWindow::editSelectedPerson);
    connect(b[2], &QPushButton::clicked, this, &NameSearchWindow::goToPerson);
    connect(b[3], &QPushButton::clicked, this, &NameSearchWindow::closeWindow);
    connect(list_, &QListWidget::itemDoubleClicked, this, &NameSearchWindow::editSelectedPerson);
    connect(searchBox_, &QLineEdit::returnPressed, this, &NameSearchWindow::goToPerson);
    connect(searchBox_, &QLineEdit::textEdited, this, &NameSearchWindow::searchTextEdited);
    timer_.setInterval(400);
    connect(&timer_, &QTimer::timeout, this, &NameSearchWindow::searchTypedText);
}

void NameSearchWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    refresh();
    // The window opens to be typed in: the keys go to the search box, not to the canvas.
    searchBox_->setFocus(Qt::OtherFocusReason);
}

void NameSearchWindow::refresh() {
    lastSearch_.clear();
    searchBox_->clear();
    timer_.start();
    if (hooks_.checkMenu) hooks_.checkMenu(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    names_.fill(store_, charset_);
    showLines(names_.lines());
    filtered_ = false;
    QApplication::restoreOverrideCursor();
}

void NameSearchWindow::showLines(const QStringList& lines) {
    list_->setUpdatesEnabled(false);
    list_->clear();
    list_->addItems(lines);
    list_->setUpdatesEnabled(true);
}

void NameSearchWindow::searchTextEdited(const QString& text) {
    // With the search text gone, the whole list comes back.
    if (!text.isEmpty() || !filtered_) return;
    showLines(names_.lines());
    filtered_ = false;
    lastSearch_.clear();
}

void NameSearchWindow::searchKeyPressed(int qtKey) {
    timer_.stop();
    timer_.setInterval(400);
    if (restartsSearchTimer(qtKey)) timer_.start();
}

void NameSearchWindow::searchTypedText() {
    const QString typed = searchBox_->text();
    if (typed == lastSearch_) return;
    timer_.stop();
    const std::vector<int> rows = names_.findMatches(typed);
    if (rows.empty()) return;
    // The list shows only what the text finds: the lines it begins first, then the persons with a
    // name word it begins.
    QStringList found;
    found.reserve(static_cast<qsizetype>(rows.size()));
    for (int row : rows) found.append(names_.lines().at(row));
    showLines(found);
    filtered_ = true;
    list_->setCurrentRow(0);
    lastSearch_ = typed;
    if (rows.front() != names_.findFirst(typed)) return;  // no line begins with it: nothing to complete
    const QString line = list_->item(0)->text();
    searchBox_->setText(line);
    // The completion is selected, so that the next key replaces it.
    searchBox_->setSelection(static_cast<int>(typed.size()), static_cast<int>(line.size() - typed.size()));
}

void NameSearchWindow::goToPerson() {
    searchBox_->selectAll();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (const QListWidgetItem* item = list_->currentItem(); item && item->isSelected()) {
        selectItemOfListLine(store_, item->text());
        if (hooks_.zoomToCurrent) hooks_.zoomToCurrent();
    }
    QApplication::restoreOverrideCursor();
}

void NameSearchWindow::editSelectedPerson() {
    goToPerson();
    if (hooks_.editCurrent) hooks_.editCurrent();
}

void NameSearchWindow::closeWindow() { close(); }

void NameSearchWindow::closeEvent(QCloseEvent* event) {
    timer_.stop();
    exchangeMenu(false);
    if (hooks_.checkMenu) hooks_.checkMenu(false);
    QWidget::closeEvent(event);
}

void NameSearchWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() < kMinimumWidth) resize(kMinimumWidth, height());
}

void NameSearchWindow::exchangeMenu(bool empty) {
    if (hooks_.useEmptyMenu) hooks_.useEmptyMenu(empty);
}

bool NameSearchWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) exchangeMenu(true);
    if (event->type() == QEvent::WindowDeactivate) exchangeMenu(false);
    return QWidget::event(event);
}

void NameSearchWindow::keyPressEvent(QKeyEvent* event) {
    // "&Close" is the window's cancel button: Esc closes it from any of its controls.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool NameSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    // "&Go to person" is the default button: Enter in the list jumps to the selected line.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            goToPerson();
            return true;
        }
    }
    if (watched == searchBox_) {
        if (event->type() == QEvent::KeyPress) searchKeyPressed(static_cast<QKeyEvent*>(event)->key());
        if (event->type() == QEvent::FocusIn) exchangeMenu(true);
        if (event->type() == QEvent::FocusOut) exchangeMenu(false);
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kinloom
