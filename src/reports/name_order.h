#pragma once
#include <QLocale>
#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct UCollator;

namespace kinloom {

// The lists of names sort as the user's language does, case ignored, so that "Éclair" comes
// before "Zola" (and "Åse" after "Zola" in Norwegian). In the C locale there is no language to
// follow: each list keeps its order by character codes.
//
// The order is QCollator's, case ignored: ICU collation with the same settings. Each text's sort
// key is made once, as bytes, and the keys are sorted eight bytes at a time, so that a million
// names cost hardly more than ten times a hundred thousand.
class NameOrder {
public:
    explicit NameOrder(const QLocale& locale = QLocale());
    NameOrder(const NameOrder& other) : NameOrder(other.locale_) {}
    NameOrder& operator=(const NameOrder& other);
    ~NameOrder();

    // False in the C locale.
    bool collates() const { return collates_; }

    // Sorts `items` by the text `key` gives each, as the language does; items whose keys collate
    // alike keep their order. Only when collates().
    template <typename T, typename Key>
    void sort(std::vector<T>& items, Key key) const {
        SortKeys keys;
        for (const T& item : items) addCollationKey(key(item), keys);
        arrange(items, orderOf(keys));
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
        SortKeys keys;
        for (size_t i = 0; i < count; ++i) {
            if (collates_) addCollationKey(text(i), keys);
            else addCodeKey(QString(text(i)).toUpper(), keys);
        }
        return orderOf(keys);
    }

private:
    // Byte strings one after the other: key i is bytes[ends[i - 1] .. ends[i]) (from 0 for the
    // first). Keys compare as their bytes do, a shorter key before a longer one it begins.
    struct SortKeys {
        std::string bytes;
        std::vector<uint32_t> ends;
    };
    void addCollationKey(const QString& text, SortKeys& keys) const;
    // The UTF-16 code units, high byte first: bytes compare as QString::compare compares.
    static void addCodeKey(const QString& text, SortKeys& keys);
    // The numbers of the keys in their order, equal keys in theirs.
    static std::vector<uint32_t> orderOf(const SortKeys& keys);

    template <typename T>
    static void arrange(std::vector<T>& items, const std::vector<uint32_t>& order) {
        std::vector<T> sorted;
        sorted.reserve(items.size());
        for (const uint32_t i : order) sorted.push_back(std::move(items[i]));
        items = std::move(sorted);
    }

    QLocale locale_;
    bool collates_ = false;
    UCollator* collator_ = nullptr;  // none when ICU has no collation for the locale: all texts alike
};

}  // namespace kinloom
