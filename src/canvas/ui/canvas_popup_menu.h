#pragma once
#include <QMenu>

namespace kinloom {

struct PopupMenuState;

// The canvas popup menu with every entry. The canvas widget connects the zoom entries and the
// hidden scroll entries; the editing commands connect the rest (New Item among them: its command
// ends in CanvasInteraction::BeginPlacingNewItem's state) through these members.
class CanvasPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit CanvasPopupMenu(QWidget* parent = nullptr);

    // Shows and enables the entries as the state says (run when the menu opens).
    void apply(const PopupMenuState& state);

    QAction* NewItem;
    QAction* EditProperties;
    QAction* Delete;
    QAction* MoveUp;
    QAction* MoveDown;
    QAction* MoveLeft;
    QAction* MoveRight;
    QAction* LinkToFather;
    QAction* LinkToMother;
    QAction* LinkToSpouse;
    QMenu* DeleteLinkMenu;
    QAction* DeleteLinkFather;
    QAction* DeleteLinkMother;
    QAction* DeleteLinkSpouse;
    QMenu* GotoMenu;
    QAction* GotoFather;
    QAction* GotoMother;
    QAction* ListOfSpouses;
    QAction* ListOfSiblings;
    QAction* ListOfChildren;
    QAction* GotoAlias;
    QAction* GotoHome;
    QMenu* ZoomMenu;
    QAction* ZoomToItem;
    QAction* ZoomIn;
    QAction* ZoomOut;
    QAction* ZoomToArea;
    QMenu* AlignMenu;
    QAction* AlignTop;
    QAction* AlignBottom;
    QAction* AlignLeft;
    QAction* AlignRight;
    QAction* MakeAlias;
    QAction* MakeThisAlias;
    QAction* MakeThisHome;
};

}  // namespace kinloom
