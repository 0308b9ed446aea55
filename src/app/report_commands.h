#pragma once

namespace kinloom {

struct AppState;
struct PaintSettings;

// Reports > Alphabetical list > All individuals: builds the list, asks where to save it, writes it
// and opens it with the desktop's text viewer.
void alphabeticalListCommand(AppState& state);
// Reports > Alphabetical list > Surnames, Places and Sources, saved and opened the same way.
void surnameListCommand(AppState& state);
void placeListCommand(AppState& state);
void sourceListCommand(AppState& state);

// Reports > Save tree as GIF image: asks for a file name and saves the whole tree there as the
// canvas draws it at 100 % (smaller when that picture would be too large). False when nothing was
// saved, after saying why when it failed.
bool saveTreeAsGifCommand(AppState& state, const PaintSettings& settings);

// File > Collect all files: asks for a tree file name, collects every file the tree names into
// its folder, saves the tree there and makes it the open tree.
void collectAllFilesCommand(AppState& state);

}  // namespace kinloom
