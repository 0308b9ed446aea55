#pragma once
#include <QString>

#include <optional>
#include <vector>

namespace kinloom {

class ItemStore;
class Prompts;
class DisplayCharset;
struct PersonItem;

// One data row of the person dialog's spouse grid: name, date, place and the type letter as text.
struct SpouseGridRow {
    QString spouse;
    QString date;
    QString place;
    QString type;
};

// The rows for each filled spouse slot of the edit copy, in slot order.
std::vector<SpouseGridRow> spouseGridRows(const PersonItem& copy, const DisplayCharset& charset);

// The seven relationship types offered, and the letter stored for each (the first letter).
const std::vector<QString>& relationshipTypes();

// The picture description: typing stops at 246 characters, the field holds 247 bytes.
inline constexpr int kPictureTextTyping = 246;
inline constexpr int kPictureTextCapacity = 247;

// What the person dialog holds when OK is pressed.
// Unknown keeps the item's Sex as it was ("?", empty or whatever an import stored).
enum class Gender { Unknown, Male, Female };
struct PersonFormValues {
    QString firstName, lastName;
    QString bornDate, bornPlace, diedDate, diedPlace;
    QString occupation, source;
    QString pictureFile, pictureText;
    QString notesFile, notesText;
    QString notesPath;  // where notesFile leads (relative to the tree, Windows spellings found); empty: notesFile
    // The notes file existed but could not be read when the dialog showed it: its text is not in
    // the memo, so saving the memo over it would lose the user's notes.
    bool notesUnreadable = false;
    // The memo's text was edited since the notes file was loaded; untouched notes are not written.
    bool notesChanged = false;
    Gender gender = Gender::Male;
    std::vector<SpouseGridRow> spouses;  // the grid's data rows
};

// Writes the dialog's values into the edit copy. The notes file goes first, so that a memo that
// cannot be saved anywhere stops the save (false) before anything else changes and the dialog
// stays open; then the names, dates, places and picture, the relationships (on both sides, so the
// partners change too), the died fields and sex, and the first alias of an original. `edited` is
// the real item the copy was made from.
bool saveIt(ItemStore& store, PersonItem& copy, PersonItem& edited, PersonFormValues& values,
            Prompts& prompts, const DisplayCharset& charset);

// The name proposed for a new notes file: names with everything below "A" but the blank turned
// into underscores, double underscores merged, one trailing underscore dropped, trimmed, ".txt".
QString proposeNotesFileName(const QString& firstNames, const QString& lastNames);

// Notes files larger than this are not read (nor written over).
inline constexpr qint64 kMaxNotesFileSize = 16 * 1024 * 1024;
// Reads a notes file as text; nullopt when it cannot be read or is not a regular file of at most
// kMaxNotesFileSize bytes.
std::optional<QString> readNotesFile(const QString& path, const DisplayCharset& charset);
// Writes the memo text into a notes file; false when it cannot be written.
bool writeNotesFile(const QString& path, const QString& text, const DisplayCharset& charset);
// A notes file that exists on disk but cannot be read as a file.
bool notesFileUnreadable(const QString& path);

// The exact warning of a failed notes save and the title of the save dialog that follows.
QString notesSaveFailedText(const QString& fileName);
inline const QString kCreateNewTextFile = QStringLiteral("Create new text file");
inline const QString kTextFileFilter = QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*");

}  // namespace kinloom
