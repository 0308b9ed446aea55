#pragma once
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace kinloom {

// The lists of names sort as the user's language does, case ignored, so that "Éclair" comes
// before "Zola" (and "Åse" after "Zola" in Norwegian). In the C locale there is no language to
// follow: each list keeps its order by character codes.
class NameOrder {
public:
    explicit NameOrder(const QLocale& locale = QLocale());

    // False in the C locale.
    bool collates() const { return collator_.has_value(); }

    // Sorts `items` by the text `key` gives each, as the language does; items whose keys collate
    // alike keep their order. Only when collates().
    template <typename T, typename Key>
    void sort(std::vector<T>& items, Key key) const {
        std::vector<std::pair<QCollatorSortKey, size_t>> keys;
        keys.reserve(items.size());
        for (size_t i = 0; i < items.size(); ++i) keys.emplace_back(collator_->sortKey(key(items[i])), i);
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
        std::vector<T> sorted;
        sorted.reserve(items.size());
        for (const auto& k : keys) sorted.push_back(std::move(items[k.second]));
        items = std::move(sorted);
    }

    // Sorts as sort() does, and in the C locale by the upper-case keys' character codes, as the
    // name search sorts, so that the lists and the search agree on the order.
    template <typename T, typename Key>
    void sortNames(std::vector<T>& items, Key key) const {
        if (collates()) {
            sort(items, key);
            return;
        }
        std::vector<std::pair<QString, size_t>> keys;
        keys.reserve(items.size());
        for (size_t i = 0; i < items.size(); ++i) keys.emplace_back(QString(key(items[i])).toUpper(), i);
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return QString::compare(a.first, b.first) < 0; });
        std::vector<T> sorted;
        sorted.reserve(items.size());
        for (const auto& k : keys) sorted.push_back(std::move(items[k.second]));
        items = std::move(sorted);
    }

private:
    std::optional<QCollator> collator_;
};

}  // namespace kinloom
