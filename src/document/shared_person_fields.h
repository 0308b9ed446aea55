#pragma once

namespace kinloom {

struct PersonItem;

// Copies the person fields that an alias item shares with its original (names, sex, dates and
// places, occupation, source, picture and notes file), and nothing else: position, links, kind
// and Id stay each item's own.
void copySharedPersonFields(PersonItem& to, const PersonItem& from);

}  // namespace kinloom
