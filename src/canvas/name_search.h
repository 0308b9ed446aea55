#pragma once
#include <QString>
#include <QStringList>

#include <vector>

namespace kinloom {

class ItemStore;
class DisplayCharset;

// The name search's list: every item that is not an alias, as "LastName FirstName (born - died)
// [Id]", sorted alphabetically without regard to case. Filling renumbers every item's Id to its
// position in the store, aliases included, so that the Ids in brackets are 1..n.
class NameSearchList {
public:
    void fill(ItemStore& store, const DisplayCharset& charset);
    const QStringList& lines() const { return lines_; }
    // The first line whose beginning equals the typed text, compared in upper case; -1 for none
    // (and for an empty text).
    int findFirst(const QString& typed) const;

private:
    QStringList lines_;
    std::vector<QString> keys_;  // upper-case lines, in list order, for the binary search
};

// Whether a key typed in the search box (a Qt key code) restarts the search timer: letters,
// digits, punctuation, Insert and Delete do; Backspace, Enter, Space, the arrows, the paging keys
// and the modifiers do not.
bool restartsSearchTimer(int qtKey);

}  // namespace kinloom
