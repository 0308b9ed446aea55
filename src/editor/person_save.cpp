#include "editor/person_save.h"

#include "document/item_store.h"
#include "document/shared_person_fields.h"
#include "platform/bounded_read.h"
#include "platform/charsets.h"
#include "platform/prompts.h"
#include "platform/save_file.h"

#include <QFile>
#include <QFileInfo>

#include <climits>

namespace kinloom {

std::vector<SpouseGridRow> spouseGridRows(const PersonItem& copy, const DisplayCharset& cs) {
    std::vector<SpouseGridRow> rows;
    for (int i = 1; i <= kMaxSpouses; ++i) {
        const PersonItem* s = copy.Spouse[i];
        if (!s) continue;
        const char type = copy.SpouseType[i];
        rows.push_back({cs.decode(s->FirstName) + QLatin1Char(' ') + cs.decode(s->LastName),
                        cs.decode(copy.MarriageDate[i]), cs.decode(copy.MarriagePlace[i]),
                        type ? QString(QLatin1Char(type)) : QString()});
    }
    return rows;
}

const std::vector<QString>& relationshipTypes() {
    static const std::vector<QString> types{
        QStringLiteral("Marriage"), QStringLiteral("Partnership"), QStringLiteral("Divorce"),
        QStringLiteral("Friend"),   QStringLiteral("Single"),      QStringLiteral("Other"),
        QStringLiteral("Unknown")};
    return types;
}

QString notesSaveFailedText(const QString& fileName) {
    return QStringLiteral("The memo text file \"") + fileName +
           QStringLiteral("\" could not be saved. Please choose a new location.");
}

std::optional<QString> readNotesFile(const QString& path, const DisplayCharset& cs) {
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxNotesFileSize);
    if (!bytes) return std::nullopt;
    QString text = cs.decode(std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool writeNotesFile(const QString& path, const QString& text, const DisplayCharset& cs) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    QString windowsText = text;
    windowsText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::string bytes = cs.encode(windowsText, INT_MAX);
    return writeFileAtomically(path, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool notesFileUnreadable(const QString& path) {
    // Whatever is there but cannot be shown (a folder, a device, a file too large) must not be
    // replaced by the memo.
    if (path.isEmpty() || !QFileInfo::exists(path)) return false;
    return !readRegularFile(path, kMaxNotesFileSize).has_value();
}

QString proposeNotesFileName(const QString& firstNames, const QString& lastNames) {
    QString name = firstNames + QLatin1Char(' ') + lastNames;
    for (QChar& c : name)
        if (c.unicode() < 'A' && c != QLatin1Char(' ')) c = QLatin1Char('_');
    while (name.contains(QStringLiteral("__"))) name.replace(QStringLiteral("__"), QStringLiteral("_"));
    if (name.endsWith(QLatin1Char('_'))) name.chop(1);
    name = name.trimmed();
    if (name.isEmpty()) name = QStringLiteral("Person");
    return name + QStringLiteral(".txt");
}

namespace {

// The memo goes into its notes file, or, when that fails, wherever the user chooses.
bool saveNotes(PersonFormValues& v, Prompts& prompts, const DisplayCharset& cs) {
    if (v.notesFile.isEmpty()) return true;
    if (v.notesUnreadable) {
        // The memo never held this file's text; writing it would replace the notes with nothing.
        prompts.message(kAppTitle,
                        QStringLiteral("The memo text file \"") + v.notesFile +
                            QStringLiteral("\" could not be read, so it was left unchanged."),
                        PromptButtons::Ok, PromptIcon::Warning);
        return true;
    }
    // Rewriting untouched notes would pass them through the display character set and change
    // their line ends: a UTF-16 or Latin-1 file would come back altered.
    if (!v.notesChanged) return true;
    if (writeNotesFile(v.notesPath.isEmpty() ? v.notesFile : v.notesPath, v.notesText, cs)) return true;
    prompts.message(kAppTitle, notesSaveFailedText(v.notesFile), PromptButtons::Ok, PromptIcon::Warning);
    FileDialogRequest request;
    request.title = kCreateNewTextFile;
    request.filter = kTextFileFilter;
    request.defaultExtension = QStringLiteral("txt");
    request.fileName = QFileInfo(v.notesFile).fileName();
    request.promptOverwrite = true;
    const std::optional<QString> chosen = prompts.saveFileName(request);
    if (!chosen) return true;
    if (!writeNotesFile(*chosen, v.notesText, cs)) {
        prompts.error(kAppTitle, QStringLiteral("Cannot create file \"") + *chosen + QStringLiteral("\"."));
        return false;
    }
    v.notesFile = *chosen;
    return true;
}

void setSlot(PersonItem& item, int slot, const std::string& date, const std::string& place, char type) {
    item.MarriageDate[slot] = date;
    item.MarriagePlace[slot] = place;
    item.SpouseType[slot] = type;
}

// Each grid row goes into its slot of the copy and, where the matching slot on the spouse's side
// can be told apart, into the spouse at once.
void saveRelationships(ItemStore& store, PersonItem& copy, const PersonItem& edited, const PersonFormValues& v,
                       Prompts& prompts, const DisplayCharset& cs) {
    size_t row = 0;
    for (int s = 1; s <= kMaxSpouses && row < v.spouses.size(); ++s) {
        PersonItem* spouse = copy.Spouse[s];
        if (!spouse) continue;
        const SpouseGridRow& r = v.spouses[row++];
        const std::string date = cs.encode(r.date, 35);
        const std::string place = cs.encode(r.place, 100);
        const char type = r.type.isEmpty() ? '\0' : static_cast<char>(r.type.at(0).toLatin1());
        const int back = partnerSlotOf(*spouse, &edited, copy.MarriageDate[s], copy.MarriagePlace[s], copy.SpouseType[s]);
        if (back > 0) store.touch(spouse);
        if (back > 0)
            setSlot(*spouse, back, date, place, type);
        else if (back < 0)
            prompts.message(kAppTitle,
                            QStringLiteral("Relationship could not be updated on both sides because date or "
                                           "place did not match"),
                            PromptButtons::Ok, PromptIcon::Warning);
        setSlot(copy, s, date, place, type);
    }
}

}  // namespace

bool savePersonForm(ItemStore& store, PersonItem& copy, PersonItem& edited, PersonFormValues& v, Prompts& prompts,
            const DisplayCharset& cs) {
    store.modified = true;
    store.touch(&edited);  // the dialog copies `copy` into it when this returns true
    if (!saveNotes(v, prompts, cs)) return false;

    copy.FirstName = cs.encode(v.firstName, 100);
    copy.LastName = cs.encode(v.lastName, 100);
    copy.BornDate = cs.encode(v.bornDate, 35);
    copy.PictureFile = cs.encode(v.pictureFile, 100);
    copy.NotesFile = cs.encode(v.notesFile, 100);
    if (copy.PictureFile.empty())
        copy.PictureText.clear();
    else
        copy.PictureText = cs.encode(v.pictureText, kPictureTextCapacity);
    copy.BornPlace = cs.encode(v.bornPlace, 100);
    copy.Occupation = cs.encode(v.occupation, 100);
    copy.Source = cs.encode(v.source, 100);

    if (!v.spouses.empty()) saveRelationships(store, copy, edited, v, prompts, cs);

    copy.DiedDate = cs.encode(v.diedDate, 35);
    copy.DiedPlace = cs.encode(v.diedPlace, 100);
    if (v.gender != Gender::Unknown) copy.Sex = v.gender == Gender::Male ? "M" : "F";

    if (copy.Kind == kKindAlias) {
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            if (!p->isAlias() || p->Father != &edited) continue;
            store.touch(p);
            copySharedPersonFields(*p, copy);
            break;  // only the first alias follows the original
        }
    }
    return true;
}

}  // namespace kinloom
