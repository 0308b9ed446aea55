#include "canvas/ui/canvas_popup_menu.h"

#include "canvas/popup_state.h"

namespace kinloom {

namespace {
QAction* Add(QMenu* menu, const QString& caption, const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(caption);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        // The main window owns the shortcuts; here they are only shown beside the captions.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    return action;
}

void Apply(QAction* action, const PopupEntryState& state) {
    action->setVisible(state.visible);
    action->setEnabled(state.enabled);
    if (!state.caption.isEmpty()) action->setText(state.caption);
}
}  // namespace

CanvasPopupMenu::CanvasPopupMenu(QWidget* parent) : QMenu(parent) {
    NewItem = Add(this, QStringLiteral("&New Item"), QKeySequence(Qt::CTRL | Qt::Key_N));
    EditProperties = Add(this, QStringLiteral("Edit &Properties"), QKeySequence(Qt::Key_Return));
    Delete = Add(this, QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete));
    MoveUp = Add(this, QStringLiteral("Move Up"));
    MoveDown = Add(this, QStringLiteral("Move Down"));
    MoveLeft = Add(this, QStringLiteral("Move Left"));
    MoveRight = Add(this, QStringLiteral("Move Right"));
    for (QAction* hidden : {MoveUp, MoveDown, MoveLeft, MoveRight}) hidden->setVisible(false);
    addSeparator();
    LinkToFather = Add(this, QStringLiteral("Link to &Father"), QKeySequence(Qt::Key_F));
    LinkToMother = Add(this, QStringLiteral("Link to &Mother"), QKeySequence(Qt::Key_M));
    LinkToSpouse = Add(this, QStringLiteral("&Link to Spouse"), QKeySequence(Qt::Key_L));
    DeleteLinkMenu = addMenu(QStringLiteral("D&elete Link"));
    DeleteLinkFather = Add(DeleteLinkMenu, QStringLiteral("to &Father"), QKeySequence(Qt::CTRL | Qt::Key_F));
    DeleteLinkMother = Add(DeleteLinkMenu, QStringLiteral("to &Mother"), QKeySequence(Qt::CTRL | Qt::Key_M));
    DeleteLinkSpouse = Add(DeleteLinkMenu, QStringLiteral("to &Spouse"), QKeySequence(Qt::CTRL | Qt::Key_L));
    addSeparator();
    GotoMenu = addMenu(QStringLiteral("&Go to "));
    GotoFather = Add(GotoMenu, QStringLiteral("&Father"));
    GotoMother = Add(GotoMenu, QStringLiteral("&Mother"));
    GotoMenu->addSeparator();
    ListOfSpouses = Add(GotoMenu, QStringLiteral("List of &Spouses"));
    ListOfSiblings = Add(GotoMenu, QStringLiteral("List of S&iblings"));
    ListOfChildren = Add(GotoMenu, QStringLiteral("List of &Children"));
    GotoMenu->addSeparator();
    GotoAlias = Add(GotoMenu, QStringLiteral("&Alias"), QKeySequence(Qt::CTRL | Qt::Key_G));
    GotoMenu->addSeparator();
    GotoHome = Add(GotoMenu, QStringLiteral("&Home"), QKeySequence(Qt::Key_Home));
    ZoomMenu = addMenu(QStringLiteral("&Zoom"));
    ZoomToItem = Add(ZoomMenu, QStringLiteral("&Zoom to Item"), QKeySequence(Qt::Key_Z));
    ZoomIn = Add(ZoomMenu, QStringLiteral("Zoom &In"), QKeySequence(Qt::Key_I));
    ZoomOut = Add(ZoomMenu, QStringLiteral("Zoom &Out"), QKeySequence(Qt::Key_O));
    ZoomToArea = Add(ZoomMenu, QStringLiteral("Zoom to &Area"));
    ZoomToArea->setCheckable(true);
    AlignMenu = addMenu(QStringLiteral("Align &Items"));
    AlignTop = Add(AlignMenu, QStringLiteral("&Top"));
    AlignBottom = Add(AlignMenu, QStringLiteral("&Bottom"));
    AlignMenu->addSeparator();
    AlignLeft = Add(AlignMenu, QStringLiteral("&Left"));
    AlignRight = Add(AlignMenu, QStringLiteral("&Right"));
    addSeparator();
    MakeAlias = Add(this, QStringLiteral("Make &Alias"), QKeySequence(Qt::CTRL | Qt::Key_A));
    MakeThisAlias = Add(this, QStringLiteral("Make &This an Alias"), QKeySequence(Qt::CTRL | Qt::Key_T));
    MakeThisHome = Add(this, QStringLiteral("Make This &Home"), QKeySequence(Qt::CTRL | Qt::Key_Home));
}

void CanvasPopupMenu::apply(const PopupMenuState& s) {
    Apply(NewItem, s.NewItem);
    Apply(EditProperties, s.EditProperties);
    Apply(Delete, s.Delete);
    Apply(LinkToFather, s.LinkToFather);
    Apply(LinkToMother, s.LinkToMother);
    Apply(LinkToSpouse, s.LinkToSpouse);
    DeleteLinkMenu->setEnabled(s.DeleteLink.enabled);
    const std::pair<QAction*, const PopupEntryState*> subs[] = {
        {DeleteLinkFather, &s.DeleteLinkFather}, {DeleteLinkMother, &s.DeleteLinkMother}, {DeleteLinkSpouse, &s.DeleteLinkSpouse}};
    for (const auto& [action, state] : subs) {
        action->setVisible(state->visible);
        if (s.DeleteLinkSubEnabledApplies) action->setEnabled(state->enabled);
    }
    Apply(GotoFather, s.GotoFather);
    Apply(GotoMother, s.GotoMother);
    Apply(ListOfSpouses, s.ListOfSpouses);
    Apply(ListOfSiblings, s.ListOfSiblings);
    Apply(ListOfChildren, s.ListOfChildren);
    Apply(GotoAlias, s.GotoAlias);
    Apply(ZoomToItem, s.ZoomToItem);
    AlignMenu->setEnabled(s.AlignItems.enabled);
    Apply(MakeAlias, s.MakeAlias);
    Apply(MakeThisAlias, s.MakeThisAlias);
}

}  // namespace kinloom
