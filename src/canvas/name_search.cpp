#include "canvas/name_search.h"

#include "document/item_store.h"
#include "platform/charsets.h"

#include <Qt>

#include <algorithm>
#include <numeric>

namespace kinloom {

void NameSearchList::fill(ItemStore& store, const DisplayCharset& cs) {
    store.renumberIds();
    struct Entry {
        QString key;
        QString line;
        QStringList words;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(store.itemCount()));
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p->isAlias()) continue;
        QString line = cs.decode(p->LastName) + QLatin1Char(' ') + cs.decode(p->FirstName) + QStringLiteral(" (") +
                       cs.decode(p->BornDate) + QStringLiteral(" - ") + cs.decode(p->DiedDate) +
                       QStringLiteral(") [") + QString::number(p->Id) + QLatin1Char(']');
        line = line.trimmed();
        QString key = line.toUpper();
        entries.push_back({std::move(key), std::move(line), searchWords(cs.decode(p->LastName) + QLatin1Char(' ') + cs.decode(p->FirstName))});
    }
    // Upper-case keys keep every group of lines with the same upper-case beginning together, so
    // that the first match can be found by a binary search.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return QString::compare(a.key, b.key) < 0; });
    lines_.clear();
    lines_.reserve(static_cast<qsizetype>(entries.size()));
    keys_.clear();
    keys_.reserve(entries.size());
    words_.clear();
    rowWords_.clear();
    rowWords_.reserve(entries.size());
    for (Entry& e : entries) {
        const int row = static_cast<int>(keys_.size());
        QString joined;
        for (QString& w : e.words) {
            joined += QLatin1Char(' ') + w;
            words_.emplace_back(std::move(w), row);
        }
        rowWords_.push_back(std::move(joined));
        lines_.append(std::move(e.line));
        keys_.push_back(std::move(e.key));
    }
    std::sort(words_.begin(), words_.end());
}

int NameSearchList::findFirst(const QString& typed) const {
    if (typed.isEmpty()) return -1;
    const QString prefix = typed.toUpper();
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), prefix,
                                     [](const QString& key, const QString& p) { return QString::compare(key, p) < 0; });
    if (it == keys_.end() || !it->startsWith(prefix)) return -1;
    return static_cast<int>(it - keys_.begin());
}

std::vector<int> NameSearchList::findMatches(const QString& typed) const {
    std::vector<int> rows;
    const QStringList typedWords = searchWords(typed);
    if (typedWords.isEmpty()) return rows;
    // The lines that begin with the typed text are one range of the upper-case keys.
    const int first = findFirst(typed);
    std::vector<bool> taken;
    if (first >= 0) {
        const QString prefix = typed.toUpper();
        for (int row = first; row < static_cast<int>(keys_.size()) && keys_[static_cast<size_t>(row)].startsWith(prefix); ++row)
            rows.push_back(row);
        taken.assign(keys_.size(), false);
        for (int row : rows) taken[static_cast<size_t>(row)] = true;
    }
    // The first typed word picks the candidates from the word index; the others must begin a
    // word of the same person.
    const QString& word = typedWords.front();
    std::vector<int> found;
    auto it = std::lower_bound(words_.begin(), words_.end(), word,
                               [](const std::pair<QString, int>& entry, const QString& w) { return entry.first < w; });
    for (; it != words_.end() && it->first.startsWith(word); ++it) found.push_back(it->second);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    for (int row : found) {
        if (!taken.empty() && taken[static_cast<size_t>(row)]) continue;
        const QString& names = rowWords_[static_cast<size_t>(row)];
        bool all = true;
        for (qsizetype i = 1; i < typedWords.size() && all; ++i)
            all = names.contains(QLatin1Char(' ') + typedWords[i]);
        if (all) rows.push_back(row);
    }
    return rows;
}

QString foldForSearch(const QString& text) {
    const QString decomposed = text.toCaseFolded().normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isMark()) continue;
        switch (c.unicode()) {
        case 0x00F8: folded += QLatin1Char('o'); break;         // ø
        case 0x00E6: folded += QLatin1String("ae"); break;      // æ
        case 0x0153: folded += QLatin1String("oe"); break;      // œ
        case 0x00DF: folded += QLatin1String("ss"); break;      // ß
        case 0x00FE: folded += QLatin1String("th"); break;      // þ
        case 0x00F0: case 0x0111: folded += QLatin1Char('d'); break;  // ð, đ
        case 0x0142: folded += QLatin1Char('l'); break;         // ł
        case 0x0131: folded += QLatin1Char('i'); break;         // dotless i
        default: folded += c;
        }
    }
    return folded;
}

QStringList searchWords(const QString& text) {
    QStringList words;
    QString word;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c.isMark()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.append(foldForSearch(word));
            word.clear();
        }
    }
    if (!word.isEmpty()) words.append(foldForSearch(word));
    return words;
}

bool restartsSearchTimer(int key) {
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_Pause:
    case Qt::Key_Clear:
        return false;
    default:
        return true;
    }
}

}  // namespace kinloom
