#include "document/legacy_file.h"

#include "document/centre_home.h"
#include "document/fresh_ids.h"
#include "document/item_store.h"
#include "document/record_bytes.h"
#include "document/date_standardization.h"

#include <QFile>

#include <vector>

namespace kinloom {

namespace {

// Offsets of the version 1.5.x record; version 1.0 shares them up to the father's number.
namespace v15 {
constexpr size_t FirstName = 0, LastName = 101, BornDate = 202, DiedDate = 213, Sex = 224;
constexpr size_t PictureFile = 226, NotesFile = 327, Kind = 428, X = 448, Y = 452, Id = 464;
constexpr size_t MotherId = 468, FatherId = 472, BornPlace = 477, DiedPlace = 578;
constexpr size_t MarriagePlace = 679, BaptizedDate = 780, BaptizedPlace = 791, SpouseId = 896;
constexpr size_t MarriageDate = 900, Occupation = 911, PictureText = 1012, Source = 1268;
}  // namespace v15

enum class Version { V15, V10 };

// Copies the fields that both versions share; dates as given by `date`.
template <typename dateFn>
void readCommonFields(const RecordReader& in, PersonItem& p, dateFn date) {
    in.read(v15::FirstName, p.FirstName);
    in.read(v15::LastName, p.LastName);
    p.BornDate = date(in.text(v15::BornDate, 10));
    p.DiedDate = date(in.text(v15::DiedDate, 10));
    in.read(v15::Sex, p.Sex);
    in.read(v15::PictureFile, p.PictureFile);
    in.read(v15::NotesFile, p.NotesFile);
    in.read(v15::Kind, p.Kind);
    // A tree file knows no other kinds: a damaged one is read as an ordinary item, so that the
    // tree saves as a file that opens again.
    if (p.Kind != kKindAlias && p.Kind != kKindRef) p.Kind.clear();
    p.X = in.int32(v15::X);
    p.Y = in.int32(v15::Y);
    p.Id = in.int32(v15::Id);
    p.MotherId = in.int32(v15::MotherId);
    p.FatherId = in.int32(v15::FatherId);
}

bool readLegacy(Version version, ItemStore& store, const QString& fileName, ViewState& view,
                WindowSize window, Prompts& prompts, bool dateStandardization) {
    const size_t recordSize = version == Version::V15 ? kVersion15RecordSize : kVersion10RecordSize;
    const auto fail = [&] {
        // Ids were overwritten after the items were appended: the Id index must be rebuilt.
        store.idsChanged();
        giveFreshIdsToRepeats(store);
        prompts.error(kAppTitle, QStringLiteral("There was an error opening the file"));
        return false;
    };
    store.clearMemory();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return fail();

    const DateOptions options{dateStandardization};
    const auto autoformat = [&](std::string_view text) { return standardizeDate(text, options); };
    const auto asIs = [](std::string_view text) { return std::string(text); };

    std::vector<unsigned char> record(recordSize);
    while (!file.atEnd()) {
        // Every record gets its item before it is read, so a failed read leaves an empty item.
        PersonItem* p = store.createItem();
        if (!p) return fail();
        if (file.read(reinterpret_cast<char*>(record.data()), static_cast<qint64>(recordSize)) !=
            static_cast<qint64>(recordSize))
            return fail();
        const RecordReader in(record);
        if (version == Version::V15) {
            readCommonFields(in, *p, autoformat);
            in.read(v15::BornPlace, p->BornPlace);
            in.read(v15::DiedPlace, p->DiedPlace);
            in.read(v15::MarriagePlace, p->MarriagePlace[1]);
            p->BaptizedDate = autoformat(in.text(v15::BaptizedDate, 10));
            in.read(v15::BaptizedPlace, p->BaptizedPlace);
            p->SpouseId[1] = in.int32(v15::SpouseId);
            p->MarriageDate[1] = autoformat(in.text(v15::MarriageDate, 10));
            in.read(v15::Occupation, p->Occupation);
            p->PictureText = in.text(v15::PictureText, 255);  // cut to 247 characters
            in.read(v15::Source, p->Source);
        } else {
            readCommonFields(in, *p, asIs);
        }
        p->Selected = false;
        p->Father = p->Mother = nullptr;
        if (p->Id > store.lastId) store.lastId = p->Id;
    }
    file.close();
    view.zoom = 100;

    store.idsChanged();
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        p->Father = store.findItemById(p->FatherId);
        p->Mother = store.findItemById(p->MotherId);
        if (version == Version::V15) p->Spouse[1] = store.findItemById(p->SpouseId[1]);
    }
    giveFreshIdsToRepeats(store);
    store.currentItem = nullptr;
    centreHomeItem(store, view, window);
    return true;
}

LegacyImportResult import(Version version, ItemStore& store, const QString& fileName, ViewState& view,
                          WindowSize window, Prompts& prompts, bool dateStandardization) {
    LegacyImportResult result;
    result.complete = readLegacy(version, store, fileName, view, window, prompts, dateStandardization);
    store.modified = false;
    return result;
}

}  // namespace

bool readVersion15File(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                      Prompts& prompts, bool dateStandardization) {
    return readLegacy(Version::V15, store, fileName, view, window, prompts, dateStandardization);
}

bool readVersion10File(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                    Prompts& prompts, bool dateStandardization) {
    return readLegacy(Version::V10, store, fileName, view, window, prompts, dateStandardization);
}

FileDialogRequest version15OpenDialog() {
    FileDialogRequest r;
    r.title = QStringLiteral("Import from version 1.5.x");
    r.filter = QStringLiteral("Kinloom version 1.5.x (*.kl2)|*.kl2");
    r.defaultExtension = QStringLiteral("kl");
    return r;
}

FileDialogRequest version10OpenDialog() {
    FileDialogRequest r;
    r.title = QStringLiteral("Import from version 1.0");
    r.filter = QStringLiteral("Kinloom version 1.0 (*.kl)|*.kl");
    r.defaultExtension = QStringLiteral("kl");
    return r;
}

LegacyImportResult importVersion15(ItemStore& store, const QString& fileName, ViewState& view,
                                   WindowSize window, Prompts& prompts, bool dateStandardization) {
    return import(Version::V15, store, fileName, view, window, prompts, dateStandardization);
}

LegacyImportResult importVersion10(ItemStore& store, const QString& fileName, ViewState& view,
                                   WindowSize window, Prompts& prompts, bool dateStandardization) {
    return import(Version::V10, store, fileName, view, window, prompts, dateStandardization);
}

}  // namespace kinloom
