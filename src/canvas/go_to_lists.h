#pragma once
#include <QString>
#include <QStringList>

namespace kinloom {

class ItemStore;
class DisplayCharset;
struct PersonItem;

// The contents of the "Go to person" window: a caption and one line per listed item, each ending
// with the item's Id in brackets.
struct GoToList {
    QString caption;
    QStringList lines;
};

GoToList childrenList(const ItemStore& store, const DisplayCharset& charset);   // List of Children
GoToList siblingsList(const ItemStore& store, const DisplayCharset& charset);   // List of Siblings
GoToList spousesList(const ItemStore& store, const DisplayCharset& charset);    // List of Spouses

// The number between the last "[" of a line and its final character; -1 when there is none.
int idOfListLine(const QString& line);
// The jump of "&Go" and of the name search: the first item with the line's Id becomes currentItem.
// Returns false (and changes nothing) when no item has that Id.
bool selectItemOfListLine(ItemStore& store, const QString& line);

}  // namespace kinloom
