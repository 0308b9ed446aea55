#pragma once
#include "canvas/goto_lists.h"

#include <QWidget>

#include <functional>

class QListWidget;

namespace kinloom {

class TItemStore;

// TGOTOwnd: the "Go to person" tool window that lists children, siblings or spouses. Not modal;
// it stays open for further jumps.
class TGOTOwnd : public QWidget {
    Q_OBJECT
public:
    // `zoomToCurrent` centres CurrentItem at 100 % and repaints (the "Zoom to Item" command).
    TGOTOwnd(TItemStore& store, std::function<void()> zoomToCurrent, QWidget* parent = nullptr);
    void ShowList(const GotoList& list);
    void GoClick();  // "&Go" or a double-click on a line
    QListWidget* list() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TItemStore& store_;
    std::function<void()> zoomToCurrent_;
    QListWidget* list_;
};

}  // namespace kinloom
