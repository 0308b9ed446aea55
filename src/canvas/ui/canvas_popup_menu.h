#pragma once
#include <QMenu>

namespace kinloom {

struct PopupMenuState;

// The canvas popup menu with every entry. The canvas widget connects the zoom entries and the
// hidden scroll entries; the editing commands connect the rest (New Item among them: its command
// ends in CanvasInteraction::beginPlacingNewItem's state) through these members.
class CanvasPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit CanvasPopupMenu(QWidget* parent = nullptr);

    // Shows and enables the entries as the state says (run when the menu opens).
    void apply(const PopupMenuState& state);

    QAction* newItem;
    QAction* editProperties;
    QAction* deleteItem;
    QAction* moveUp;
    QAction* moveDown;
    QAction* moveLeft;
    QAction* moveRight;
    QAction* linkToFather;
    QAction* linkToMother;
    QAction* linkToSpouse;
    QMenu* deleteLinkMenu;
    QAction* deleteLinkFather;
    QAction* deleteLinkMother;
    QAction* deleteLinkSpouse;
    QMenu* goToMenu;
    QAction* goToFatherEntry;
    QAction* goToMotherEntry;
    QAction* listOfSpouses;
    QAction* listOfSiblings;
    QAction* listOfChildren;
    QAction* goToAliasEntry;
    QAction* goToHomeEntry;
    QMenu* zoomMenu;
    QAction* zoomToItem;
    QAction* zoomIn;
    QAction* zoomOut;
    QAction* zoomToArea;
    QAction* fitWholeTree;
    QAction* fitSelection;
    QMenu* alignMenu;
    QAction* alignTop;
    QAction* alignBottom;
    QAction* alignLeft;
    QAction* alignRight;
    QAction* makeAliasAction;
    QAction* makeThisAliasAction;
    QAction* makeThisHome;
};

}  // namespace kinloom
