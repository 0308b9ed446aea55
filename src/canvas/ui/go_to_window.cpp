#include "canvas/ui/go_to_window.h"

#include "document/item_store.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

GoToWindow::GoToWindow(ItemStore& store, std::function<void()> zoomToCurrent, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), store_(store), zoomToCurrent_(std::move(zoomToCurrent)) {
    setObjectName(QStringLiteral("goToWindow"));
    setWindowTitle(QStringLiteral("Go to person"));
    resize(320, 240);
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* go = new QPushButton(QStringLiteral("&Go"), this);
    go->setObjectName(QStringLiteral("goButton"));
    go->setDefault(true);
    go->setAutoDefault(true);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(go);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(go, &QPushButton::clicked, this, &GoToWindow::go);
    connect(list_, &QListWidget::itemDoubleClicked, this, &GoToWindow::go);
    // Enter in the list is the default button's key. The list's own "activated" is not used: it
    // comes on top of the double-click (a second jump) or, where the desktop asks for it, on a
    // single click.
    list_->installEventFilter(this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void GoToWindow::showList(const GoToList& list) {
    list_->clear();
    list_->addItems(list.lines);
    setWindowTitle(list.caption);
    show();
    raise();
}

bool GoToWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            go();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GoToWindow::go() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    selectItemOfListLine(store_, item->text());
    if (zoomToCurrent_) zoomToCurrent_();
    QApplication::restoreOverrideCursor();
}

}  // namespace kinloom
