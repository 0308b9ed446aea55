#include "gedcom/gedcom_id_index.h"

#include "document/person_item.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace kinloom {
namespace {

// The index against a plain ordered map where the first item added with an id wins.
class ReferenceCheck {
public:
    explicit ReferenceCheck(size_t items) : items_(items) {}
    void add(const std::string& id) {
        PersonItem* item = &items_.at(next_++);
        index_.add(id, item);
        reference_.try_emplace(id, item);
    }
    void expectSame(const std::string& id) const {
        const auto it = reference_.find(id);
        EXPECT_EQ(index_.find(id), it == reference_.end() ? nullptr : it->second) << id;
    }
    GedcomIdIndex& index() { return index_; }

private:
    std::vector<PersonItem> items_;
    size_t next_ = 0;
    GedcomIdIndex index_;
    std::map<std::string, PersonItem*> reference_;
};

TEST(GedcomIdIndex, FindsWhatAPlainMapFindsForIdsOfEveryShape) {
    // Numbered ids of the common shapes, numbers written other ways, other prefixes, no numbers,
    // numbers far past the table, and things that are hardly ids at all.
    const std::vector<std::string> handWritten = {
        "@I1@", "@I01@", "@I001@", "@I0@", "@I00@", "@I10@", "@i1@", "@P1@", "@1@", "@01@", "@I@",
        "@@", "@", "", "I1", "@I1", "I1@", "@I1@X", "@I-1@", "@I 1@", "@F1@", "@I999999999@",
        "@I1000000000@", "@I4294967297@", "@I1@@", "@@1@", "@X@1@", "@I12345678901234567890@",
        "@I0001@", "@I9999@", "@I10000@", "@I010000@"};
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> ids;
        // Each round its own mixture, so that the first id (which sets the table's shape) varies.
        std::uniform_int_distribution<int> kind(0, 7);
        std::uniform_int_distribution<int> small(0, 3000);
        std::uniform_int_distribution<int> pick(0, static_cast<int>(handWritten.size()) - 1);
        for (int i = 0; i < 600; ++i) {
            const int n = small(rng);
            switch (kind(rng)) {
            case 0: ids.push_back("@I" + std::to_string(n) + "@"); break;
            case 1: {
                std::string digits = std::to_string(n);
                ids.push_back("@I" + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits + "@");
                break;
            }
            case 2: ids.push_back("@P" + std::to_string(n) + "@"); break;
            case 3: ids.push_back("@I" + std::to_string(n * 100003) + "@"); break;
            case 4: ids.push_back("@X" + std::to_string(n % 50) + "Y@"); break;
            case 5: ids.push_back("@I0" + std::to_string(n) + "@"); break;
            default: ids.push_back(handWritten[static_cast<size_t>(pick(rng))]); break;
            }
        }
        ReferenceCheck check(ids.size());
        if (round % 2 == 1) check.index().reserve(100);
        for (const std::string& id : ids) check.add(id);
        for (const std::string& id : ids) check.expectSame(id);
        for (const std::string& id : handWritten) check.expectSame(id);
        for (int n = 0; n < 3100; n += 7) {
            check.expectSame("@I" + std::to_string(n) + "@");
            check.expectSame("@I000" + std::to_string(n) + "@");
        }
    }
}

TEST(GedcomIdIndex, ZeroPaddedAndPlainNumbersAreDifferentIds) {
    PersonItem a, b, c, d;
    GedcomIdIndex index;
    index.add("@I0001@", &a);  // the shape: "I", four digits
    index.add("@I1@", &b);
    index.add("@I12345@", &c);
    index.add("@I0001@", &d);  // the first one wins
    EXPECT_EQ(index.find("@I0001@"), &a);
    EXPECT_EQ(index.find("@I1@"), &b);
    EXPECT_EQ(index.find("@I001@"), nullptr);
    EXPECT_EQ(index.find("@I12345@"), &c);
    EXPECT_EQ(index.find("@I012345@"), nullptr);
    index.clear();
    EXPECT_EQ(index.find("@I0001@"), nullptr);
    index.add("@I5@", &a);
    EXPECT_EQ(index.find("@I5@"), &a);
    EXPECT_EQ(index.find("@I05@"), nullptr);
}

}  // namespace
}  // namespace kinloom
