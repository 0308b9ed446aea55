#include "canvas/ui/canvas_popup_menu.h"

#include "canvas/popup_state.h"

namespace kinloom {

namespace {
QAction* add(QMenu* menu, const QString& caption, const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(caption);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        // The main window owns the shortcuts; here they are only shown beside the captions.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    return action;
}

void applyEntry(QAction* action, const PopupEntryState& state) {
    action->setVisible(state.visible);
    action->setEnabled(state.enabled);
    if (!state.caption.isEmpty()) action->setText(state.caption);
}
}  // namespace

CanvasPopupMenu::CanvasPopupMenu(QWidget* parent) : QMenu(parent) {
    newItem = add(this, QStringLiteral("&New Item"), QKeySequence(Qt::CTRL | Qt::Key_N));
    editProperties = add(this, QStringLiteral("Edit &Properties"), QKeySequence(Qt::Key_Return));
    deleteItem = add(this, QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete));
    moveUp = add(this, QStringLiteral("Move Up"));
    moveDown = add(this, QStringLiteral("Move Down"));
    moveLeft = add(this, QStringLiteral("Move Left"));
    moveRight = add(this, QStringLiteral("Move Right"));
    for (QAction* hidden : {moveUp, moveDown, moveLeft, moveRight}) hidden->setVisible(false);
    addSeparator();
    linkToFather = add(this, QStringLiteral("Link to &Father"), QKeySequence(Qt::Key_F));
    linkToMother = add(this, QStringLiteral("Link to &Mother"), QKeySequence(Qt::Key_M));
    linkToSpouse = add(this, QStringLiteral("&Link to Spouse"), QKeySequence(Qt::Key_L));
    deleteLinkMenu = addMenu(QStringLiteral("D&elete Link"));
    deleteLinkFather = add(deleteLinkMenu, QStringLiteral("to &Father"), QKeySequence(Qt::CTRL | Qt::Key_F));
    deleteLinkMother = add(deleteLinkMenu, QStringLiteral("to &Mother"), QKeySequence(Qt::CTRL | Qt::Key_M));
    deleteLinkSpouse = add(deleteLinkMenu, QStringLiteral("to &Spouse"), QKeySequence(Qt::CTRL | Qt::Key_L));
    addSeparator();
    goToMenu = addMenu(QStringLiteral("&Go to "));
    goToFatherEntry = add(goToMenu, QStringLiteral("&Father"));
    goToMotherEntry = add(goToMenu, QStringLiteral("&Mother"));
    goToMenu->addSeparator();
    listOfSpouses = add(goToMenu, QStringLiteral("List of &Spouses"));
    listOfSiblings = add(goToMenu, QStringLiteral("List of S&iblings"));
    listOfChildren = add(goToMenu, QStringLiteral("List of &Children"));
    goToMenu->addSeparator();
    goToAliasEntry = add(goToMenu, QStringLiteral("&Alias"), QKeySequence(Qt::CTRL | Qt::Key_G));
    goToMenu->addSeparator();
    goToHomeEntry = add(goToMenu, QStringLiteral("&Home"), QKeySequence(Qt::Key_Home));
    zoomMenu = addMenu(QStringLiteral("&Zoom"));
    zoomToItem = add(zoomMenu, QStringLiteral("&Zoom to Item"), QKeySequence(Qt::Key_Z));
    zoomIn = add(zoomMenu, QStringLiteral("Zoom &In"), QKeySequence(Qt::Key_I));
    zoomOut = add(zoomMenu, QStringLiteral("Zoom &Out"), QKeySequence(Qt::Key_O));
    zoomToArea = add(zoomMenu, QStringLiteral("Zoom to &Area"));
    zoomToArea->setCheckable(true);
    zoomMenu->addSeparator();
    fitWholeTree = add(zoomMenu, QStringLiteral("Fit &Whole Tree"), QKeySequence(Qt::Key_W));
    fitSelection = add(zoomMenu, QStringLiteral("Fit &Selection"));
    alignMenu = addMenu(QStringLiteral("Align &Items"));
    alignTop = add(alignMenu, QStringLiteral("&Top"));
    alignBottom = add(alignMenu, QStringLiteral("&Bottom"));
    alignMenu->addSeparator();
    alignLeft = add(alignMenu, QStringLiteral("&Left"));
    alignRight = add(alignMenu, QStringLiteral("&Right"));
    addSeparator();
    makeAliasAction = add(this, QStringLiteral("Make &Alias"), QKeySequence(Qt::CTRL | Qt::Key_A));
    makeThisAliasAction = add(this, QStringLiteral("Make &This an Alias"), QKeySequence(Qt::CTRL | Qt::Key_T));
    makeThisHome = add(this, QStringLiteral("Make This &Home"), QKeySequence(Qt::CTRL | Qt::Key_Home));
}

void CanvasPopupMenu::apply(const PopupMenuState& s) {
    applyEntry(newItem, s.newItem);
    applyEntry(editProperties, s.editProperties);
    applyEntry(deleteItem, s.deleteItem);
    applyEntry(linkToFather, s.linkToFather);
    applyEntry(linkToMother, s.linkToMother);
    applyEntry(linkToSpouse, s.linkToSpouse);
    deleteLinkMenu->setEnabled(s.deleteLink.enabled);
    const std::pair<QAction*, const PopupEntryState*> subs[] = {
        {deleteLinkFather, &s.deleteLinkFather}, {deleteLinkMother, &s.deleteLinkMother}, {deleteLinkSpouse, &s.deleteLinkSpouse}};
    for (const auto& [action, state] : subs) {
        action->setVisible(state->visible);
        if (s.deleteLinkSubEnabledApplies) action->setEnabled(state->enabled);
    }
    applyEntry(goToFatherEntry, s.goToFatherEntry);
    applyEntry(goToMotherEntry, s.goToMotherEntry);
    applyEntry(listOfSpouses, s.listOfSpouses);
    applyEntry(listOfSiblings, s.listOfSiblings);
    applyEntry(listOfChildren, s.listOfChildren);
    applyEntry(goToAliasEntry, s.goToAliasEntry);
    applyEntry(zoomToItem, s.zoomToItem);
    alignMenu->setEnabled(s.alignItems.enabled);
    applyEntry(makeAliasAction, s.makeAliasAction);
    applyEntry(makeThisAliasAction, s.makeThisAliasAction);
}

}  // namespace kinloom
