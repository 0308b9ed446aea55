#pragma once
#include "layout/family_graph.h"

#include <cstdint>
#include <vector>

namespace kinloom {

// The charts of Reports > Charts.
enum class ChartKind { Ancestors, Descendants, CompleteTree };

// The persons a chart shows and the links among them. A person placed twice is one person: an
// alias item stands for its original, whose parents, children (also those linked to the alias) and
// partners (also the alias's) it has.
struct ChartSelection {
    std::vector<int32_t> items;  // indexes into the tree's graph, originals only, ascending
    FamilyGraph graph;           // the links among them, numbered as in `items`; no aliases
    int generations = 0;         // the rows of parents and children the chart spans
};

// The person-level links of the whole tree, worked out once so that several charts of one tree
// need not do it again.
class PersonLinks {
public:
    explicit PersonLinks(const FamilyGraph& tree);

    // The original an item stands for (the item itself unless it is an alias of another).
    int32_t personOf(int32_t item) const { return person_[item]; }
    // Generations counts the given person as the first: 1 is the person alone, 2 adds its parents
    // (or children); 0 takes every generation there is. A person outside the tree gives nothing.
    // Ancestors: the person and its forefathers. Descendants: the person, its children and theirs,
    // each with the partners they had children with or were married to.
    ChartSelection ancestors(int32_t item, int generations) const;
    ChartSelection descendants(int32_t item, int generations) const;
    ChartSelection completeTree() const;
    ChartSelection select(ChartKind kind, int32_t item, int generations) const;

private:
    // Persons reached from `start` by the links `next` gives, up to `generations` rows (0: all);
    // marks each with its row. Each person is taken once, so a circle of links ends.
    template <typename Next>
    std::vector<int32_t> walk(int32_t start, int generations, Next next, int& reached) const;
    ChartSelection subgraph(std::vector<int32_t> persons, int generations) const;

    const FamilyGraph& tree_;
    std::vector<int32_t> person_;  // item -> its original
    std::vector<int32_t> father_, mother_;  // person -> person or -1
    std::vector<uint32_t> partnerStart_, childStart_;
    std::vector<int32_t> partners_, children_;  // persons, each once
};

}  // namespace kinloom
