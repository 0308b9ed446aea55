#pragma once
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <cstdint>
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
        arrange(items, collatedOrder(items.size(), [&](size_t i) { return key(items[i]); }));
    }

    // Sorts as sort() does, and in the C locale by the upper-case keys' character codes, as the
    // name search sorts, so that the lists and the search agree on the order.
    template <typename T, typename Key>
    void sortNames(std::vector<T>& items, Key key) const {
        arrange(items, namesOrder(items.size(), [&](size_t i) { return key(items[i]); }));
    }

    // The numbers 0 .. count - 1 of texts in the order sortNames gives them; `text(i)` is text i.
    template <typename Text>
    std::vector<uint32_t> namesOrder(size_t count, Text text) const {
        if (collates()) return collatedOrder(count, text);
        std::vector<QString> keys;
        keys.reserve(count);
        for (size_t i = 0; i < count; ++i) keys.push_back(QString(text(i)).toUpper());
        return stableOrder(keys, [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    }

private:
    template <typename Text>
    std::vector<uint32_t> collatedOrder(size_t count, Text text) const {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(count);
        for (size_t i = 0; i < count; ++i) keys.push_back(collator_->sortKey(text(i)));
        return stableOrder(keys, [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b) < 0; });
    }

    // The numbers of the keys in their order, equal keys keeping theirs. Only numbers move during
    // the sort; the keys stay where they were made and are freed in that order, which for a
    // million keys held on the heap costs a fraction of freeing them shuffled.
    template <typename K, typename Less>
    static std::vector<uint32_t> stableOrder(const std::vector<K>& keys, Less less) {
        std::vector<uint32_t> order(keys.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return less(keys[a], keys[b]); });
        return order;
    }

    template <typename T>
    static void arrange(std::vector<T>& items, const std::vector<uint32_t>& order) {
        std::vector<T> sorted;
        sorted.reserve(items.size());
        for (const uint32_t i : order) sorted.push_back(std::move(items[i]));
        items = std::move(sorted);
    }

    std::optional<QCollator> collator_;
};

}  // namespace kinloom
