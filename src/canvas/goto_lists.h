#pragma once
#include <QString>
#include <QStringList>

namespace kinloom {

class TItemStore;
class DisplayCharset;
struct TPersonItem;

// The contents of the "Go to person" window: a caption and one line per listed item, each ending
// with the item's Id in brackets.
struct GotoList {
    QString caption;
    QStringList lines;
};

GotoList ChildrenList(const TItemStore& store, const DisplayCharset& charset);   // Child1Click
GotoList SiblingsList(const TItemStore& store, const DisplayCharset& charset);   // ListofSiblings1Click
GotoList SpousesList(const TItemStore& store, const DisplayCharset& charset);    // Spouse1Click

// The number between the last "[" of a line and its final character; -1 when there is none.
int IdOfListLine(const QString& line);
// The jump of "&Go" and of the name search: the first item with the line's Id becomes CurrentItem.
// Returns false (and changes nothing) when no item has that Id.
bool SelectItemOfListLine(TItemStore& store, const QString& line);

}  // namespace kinloom
