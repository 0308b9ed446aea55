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
        entries.push_back({std::move(key), std::move(line)});
    }
    // Upper-case keys keep every group of lines with the same upper-case beginning together, so
    // that the first match can be found by a binary search.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return QString::compare(a.key, b.key) < 0; });
    lines_.clear();
    lines_.reserve(static_cast<qsizetype>(entries.size()));
    keys_.clear();
    keys_.reserve(entries.size());
    for (Entry& e : entries) {
        lines_.append(std::move(e.line));
        keys_.push_back(std::move(e.key));
    }
}

int NameSearchList::findFirst(const QString& typed) const {
    if (typed.isEmpty()) return -1;
    const QString prefix = typed.toUpper();
    const auto it = std::lower_bound(keys_.begin(), keys_.end(), prefix,
                                     [](const QString& key, const QString& p) { return QString::compare(key, p) < 0; });
    if (it == keys_.end() || !it->startsWith(prefix)) return -1;
    return static_cast<int>(it - keys_.begin());
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
