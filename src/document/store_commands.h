#pragma once
#include <functional>

namespace kinloom {

class ItemStore;
class Prompts;

// The delete command with its confirmations. Returns true when something was deleted and the
// canvas needs a repaint.
bool deletePerson(ItemStore& store, Prompts& prompts);

// Asks whether to save unsaved changes. True when the caller may go on and discard the document;
// Yes runs `save` and goes on whatever its outcome.
bool askAboutUnsavedChanges(ItemStore& store, Prompts& prompts, const std::function<void()>& save);

}  // namespace kinloom
