#pragma once

namespace kinloom {

class ItemStore;

// After a file's links are resolved: every item whose Id is not positive or repeats an earlier
// item's Id gets a fresh Id above lastId, so that the next save links the same items again (links
// to a repeated Id went to its first item). Items with unique positive Ids keep theirs. Returns
// how many items were renumbered.
int giveFreshIdsToRepeats(ItemStore& store);

}  // namespace kinloom
