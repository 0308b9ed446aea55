#pragma once
#include "canvas/go_to_lists.h"

#include <QWidget>

#include <functional>

class QListWidget;

namespace kinloom {

class ItemStore;

// GoToWindow: the "Go to person" tool window that lists children, siblings or spouses. Not modal;
// it stays open for further jumps.
class GoToWindow : public QWidget {
    Q_OBJECT
public:
    // `zoomToCurrent` centres currentItem at 100 % and repaints (the "Zoom to Item" command).
    GoToWindow(ItemStore& store, std::function<void()> zoomToCurrent, QWidget* parent = nullptr);
    void showList(const GoToList& list);
    void go();  // "&Go" or a double-click on a line
    QListWidget* list() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ItemStore& store_;
    std::function<void()> zoomToCurrent_;
    QListWidget* list_;
};

}  // namespace kinloom
