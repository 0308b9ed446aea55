#include "document/legacy_file.h"

#include "document/centre_home.h"
#include "document/item_store.h"
#include "document/record_bytes.h"
#include "editor/date_standardization.h"

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
template <typename DateFn>
void ReadCommonFields(const RecordReader& in, TPersonItem& p, DateFn date) {
    in.Read(v15::FirstName, p.FirstName);
    in.Read(v15::LastName, p.LastName);
    p.BornDate = date(in.Text(v15::BornDate, 10));
    p.DiedDate = date(in.Text(v15::DiedDate, 10));
    in.Read(v15::Sex, p.Sex);
    in.Read(v15::PictureFile, p.PictureFile);
    in.Read(v15::NotesFile, p.NotesFile);
    in.Read(v15::Kind, p.Kind);
    p.X = in.Int32(v15::X);
    p.Y = in.Int32(v15::Y);
    p.Id = in.Int32(v15::Id);
    p.MotherId = in.Int32(v15::MotherId);
    p.FatherId = in.Int32(v15::FatherId);
}

bool ReadLegacy(Version version, TItemStore& store, const QString& fileName, ViewState& view,
                WindowSize window, Prompts& prompts, bool dateStandardization) {
    const size_t recordSize = version == Version::V15 ? kVersion15RecordSize : kVersion10RecordSize;
    const auto fail = [&] {
        // Ids were overwritten after the items were appended: the Id index must be rebuilt.
        store.IdsChanged();
        prompts.Error(kAppTitle, QStringLiteral("There was an error opening the file"));
        return false;
    };
    store.ClearMemory();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return fail();

    const DateOptions options{dateStandardization};
    const auto autoformat = [&](std::string_view text) { return StandardizeDate(text, options); };
    const auto asIs = [](std::string_view text) { return std::string(text); };

    std::vector<unsigned char> record(recordSize);
    while (!file.atEnd()) {
        // Every record gets its item before it is read, so a failed read leaves an empty item.
        TPersonItem* p = store.LagNyPerson();
        if (!p) return fail();
        if (file.read(reinterpret_cast<char*>(record.data()), static_cast<qint64>(recordSize)) !=
            static_cast<qint64>(recordSize))
            return fail();
        const RecordReader in(record);
        if (version == Version::V15) {
            ReadCommonFields(in, *p, autoformat);
            in.Read(v15::BornPlace, p->BornPlace);
            in.Read(v15::DiedPlace, p->DiedPlace);
            in.Read(v15::MarriagePlace, p->MarriagePlace[1]);
            p->BaptizedDate = autoformat(in.Text(v15::BaptizedDate, 10));
            in.Read(v15::BaptizedPlace, p->BaptizedPlace);
            p->SpouseId[1] = in.Int32(v15::SpouseId);
            p->MarriageDate[1] = autoformat(in.Text(v15::MarriageDate, 10));
            in.Read(v15::Occupation, p->Occupation);
            p->PictureText = in.Text(v15::PictureText, 255);  // cut to 247 characters
            in.Read(v15::Source, p->Source);
        } else {
            ReadCommonFields(in, *p, asIs);
        }
        p->Selected = false;
        p->Father = p->Mother = nullptr;
        if (p->Id > store.LastId) store.LastId = p->Id;
    }
    file.close();
    view.Zoom = 100;

    store.IdsChanged();
    for (TPersonItem* p = store.FirstItem(); p; p = p->Next) {
        p->Father = store.FindItemById(p->FatherId);
        p->Mother = store.FindItemById(p->MotherId);
        if (version == Version::V15) p->Spouse[1] = store.FindItemById(p->SpouseId[1]);
    }
    store.CurrentItem = nullptr;
    CentreHomeItem(store, view, window);
    return true;
}

LegacyImportResult Import(Version version, TItemStore& store, const QString& fileName, ViewState& view,
                          WindowSize window, Prompts& prompts, bool dateStandardization) {
    LegacyImportResult result;
    result.complete = ReadLegacy(version, store, fileName, view, window, prompts, dateStandardization);
    store.Modified = false;
    return result;
}

}  // namespace

bool ReadfromFilev1_5(TItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                      Prompts& prompts, bool dateStandardization) {
    return ReadLegacy(Version::V15, store, fileName, view, window, prompts, dateStandardization);
}

bool ReadfromFilev1(TItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                    Prompts& prompts, bool dateStandardization) {
    return ReadLegacy(Version::V10, store, fileName, view, window, prompts, dateStandardization);
}

FileDialogRequest Version15OpenDialog() {
    FileDialogRequest r;
    r.title = QStringLiteral("Import from version 1.5.x");
    r.filter = QStringLiteral("Kinloom version 1.5.x (*.kl2)|*.kl2");
    r.defaultExtension = QStringLiteral("kl");
    return r;
}

FileDialogRequest Version10OpenDialog() {
    FileDialogRequest r;
    r.title = QStringLiteral("Import from version 1.0");
    r.filter = QStringLiteral("Kinloom version 1.0 (*.kl)|*.kl");
    r.defaultExtension = QStringLiteral("kl");
    return r;
}

LegacyImportResult ImportVersion15(TItemStore& store, const QString& fileName, ViewState& view,
                                   WindowSize window, Prompts& prompts, bool dateStandardization) {
    return Import(Version::V15, store, fileName, view, window, prompts, dateStandardization);
}

LegacyImportResult ImportVersion10(TItemStore& store, const QString& fileName, ViewState& view,
                                   WindowSize window, Prompts& prompts, bool dateStandardization) {
    return Import(Version::V10, store, fileName, view, window, prompts, dateStandardization);
}

}  // namespace kinloom
