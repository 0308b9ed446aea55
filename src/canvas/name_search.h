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
    // Every line the typed text finds, as rows of lines(): first the lines that begin with it (as
    // findFirst), then those of the persons with a given name or surname word that each typed word
    // begins, case and accents ignored ("bjorn" finds "Bjørn"); each group in list order, no row
    // twice. Empty for an empty or blank text.
    std::vector<int> findMatches(const QString& typed) const;

private:
    QStringList lines_;
    std::vector<QString> keys_;  // upper-case lines, in list order, for the binary search
    // The folded name words with their rows, sorted by word, so that the words a typed word
    // begins are one range; and each row's words, each after a blank, to check further words.
    std::vector<std::pair<QString, int>> words_;
    std::vector<QString> rowWords_;
};

// A text as the name search compares words: case folded, accents and other marks removed, and the
// letters that have no decomposition spelled as in English ("Bjørn" and "BJORN" both give "bjorn",
// "Æsa" gives "aesa").
QString foldForSearch(const QString& text);
// The words of a name: the runs of letters and digits, folded.
QStringList searchWords(const QString& text);

// Whether a key typed in the search box (a Qt key code) restarts the search timer: letters,
// digits, punctuation, Insert and Delete do; Backspace, Enter, Space, the arrows, the paging keys
// and the modifiers do not.
bool restartsSearchTimer(int qtKey);

}  // namespace kinloom
