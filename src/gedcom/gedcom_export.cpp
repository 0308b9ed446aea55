#include "gedcom/gedcom_export.h"

#include "document/item_store.h"
#include "editor/person_save.h"
#include "gedcom/export_lines.h"
#include "platform/file_references.h"
#include "platform/save_file.h"

#include <QDir>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kinloom {

namespace {
// An alias placement stands for its original; others stand for themselves.
PersonItem* original(PersonItem* item) { return item && item->isAlias() ? item->Father : item; }

void line(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n");
}

// A line that carries a field's text: line breaks in it become continuation lines.
void line(std::string& out, std::string_view head, std::string_view text) { appendGedcomLine(out, head, text); }

std::string xref(char letter, int number) { return "@" + std::string(1, letter) + std::to_string(number) + "@"; }

// The words a family event's TYPE gives the relationships that are no marriage.
std::string_view relationshipWord(char type) {
    switch (type) {
    case 'P': return "Partnership";
    case 'F': return "Friend";
    case 'S': return "Single";
    case 'O': return "Other";
    case 'U': return "Unknown";
    default: return {};
    }
}

// The picture's format from its extension, lower case ("jpg" for ".JPEG"); empty when it has none
// that a format could be.
std::string pictureFormat(std::string_view file) {
    const size_t folder = file.find_last_of("/\\");
    if (folder != std::string_view::npos) file.remove_prefix(folder + 1);
    const size_t dot = file.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == file.size()) return {};
    std::string format;
    for (const char c : file.substr(dot + 1)) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(c >= '0' && c <= '9')) return {};
        format.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    if (format == "jpeg") return "jpg";
    if (format == "tiff") return "tif";
    return format;
}

// Men come before persons of unknown sex, who come before women, when a couple is given its roles.
int husbandRank(const PersonItem& p) { return p.Sex == "M" ? 0 : p.Sex == "F" ? 2 : 1; }
}  // namespace

GedcomExporter::GedcomExporter(ItemStore& store, GedcomNotesSource notes)
    : store_(store), notesSource_(std::move(notes)) {}

PersonItem* GedcomExporter::findReferringAlias(PersonItem* item) const {
    const auto it = lastAlias_.find(item);
    return it == lastAlias_.end() ? item : it->second;
}

bool GedcomExporter::takeSlotData(GedcomMarriage& marriage, const PersonItem* husband, const PersonItem* wife) const {
    if (!husband || !wife) return false;
    bool found = false;
    for (int i = 1; i <= kMaxSpouses; ++i) {
        if (husband->Spouse[i] != wife) continue;
        marriage.date = husband->MarriageDate[i].str();
        marriage.place = husband->MarriagePlace[i].str();
        marriage.type = husband->SpouseType[i];
        found = true;
    }
    return found;
}

GedcomMarriage GedcomExporter::marriageOf(const GedcomFamily& family) const {
    GedcomMarriage marriage;
    PersonItem* h = family.husband;
    PersonItem* w = family.wife;
    if (!h || !w) return marriage;
    // The couple's slots may sit on an alias placement of either partner.
    bool found = takeSlotData(marriage, h, w);
    if (!found && h->Kind == kKindAlias) {
        h = findReferringAlias(h);
        found = takeSlotData(marriage, h, w);
    }
    if (!found && w->Kind == kKindAlias) {
        w = findReferringAlias(w);
        found = takeSlotData(marriage, h, w);
    }
    if (!found) found = takeSlotData(marriage, family.husband, w);
    if (found) {
        // Between the two partners' records the longer text wins.
        for (int i = 1; i <= kMaxSpouses; ++i) {
            if (w->Spouse[i] != h) continue;
            if (w->MarriageDate[i].str().size() > marriage.date.size()) marriage.date = w->MarriageDate[i].str();
            if (w->MarriagePlace[i].str().size() > marriage.place.size()) marriage.place = w->MarriagePlace[i].str();
            if (!marriage.type) marriage.type = w->SpouseType[i];
        }
    }
    return marriage;
}

namespace {
size_t coupleHash(const PersonItem* husband, const PersonItem* wife) {
    const auto h = reinterpret_cast<std::uintptr_t>(husband), w = reinterpret_cast<std::uintptr_t>(wife);
    return static_cast<size_t>((h * 0x9E3779B97F4A7C15ull) ^ (w * 0xC2B2AE3D27D4EB4Full));
}
}  // namespace

size_t GedcomExporter::coupleSlot(const PersonItem* husband, const PersonItem* wife) const {
    const size_t mask = coupleTable_.size() - 1;
    for (size_t slot = (coupleHash(husband, wife) >> 20) & mask;; slot = (slot + 1) & mask) {
        const int entry = coupleTable_[slot];
        if (entry == 0) return slot;
        const GedcomFamily& f = families_[static_cast<size_t>(entry - 1)];
        if (f.husband == husband && f.wife == wife) return slot;
    }
}

void GedcomExporter::growCoupleTable() {
    std::vector<int> old = std::move(coupleTable_);
    coupleTable_.assign(std::max<size_t>(64, old.size() * 2), 0);
    for (const int entry : old)
        if (entry != 0) {
            const GedcomFamily& f = families_[static_cast<size_t>(entry - 1)];
            coupleTable_[coupleSlot(f.husband, f.wife)] = entry;
        }
}

int GedcomExporter::familyNumber(const PersonItem* husband, const PersonItem* wife) const {
    if (coupleTable_.empty()) return 0;
    const int entry = coupleTable_[coupleSlot(husband, wife)];
    return entry == 0 ? 0 : families_[static_cast<size_t>(entry - 1)].number;
}

int GedcomExporter::findOrAddFamily(PersonItem* husband, PersonItem* wife, bool eitherWay) {
    if (!husband && !wife) return -1;
    husband = original(husband);
    wife = original(wife);
    if (!husband && !wife) return -1;  // an alias whose original is gone
    // At most half full, so that a search ends soon.
    if (2 * (families_.size() + 1) > coupleTable_.size()) growCoupleTable();
    const size_t slot = coupleSlot(husband, wife);
    if (coupleTable_[slot] != 0) return coupleTable_[slot] - 1;
    if (eitherWay)
        if (const int other = coupleTable_[coupleSlot(wife, husband)]; other != 0) return other - 1;
    const int number = static_cast<int>(families_.size()) + 1;
    families_.push_back({number, husband, wife});
    coupleTable_[slot] = number;
    if (husband) partners_.emplace_back(husband, number);
    if (wife && wife != husband) partners_.emplace_back(wife, number);
    return number - 1;
}

void GedcomExporter::addCouple(PersonItem* a, PersonItem* b) {
    a = original(a);
    b = original(b);
    if (!a || !b) return;  // an alias whose original is gone
    PersonItem* husband = husbandRank(*b) < husbandRank(*a) ? b : a;
    findOrAddFamily(husband, husband == a ? b : a, true);
}

std::vector<PersonItem*> GedcomExporter::childrenOf(int number) const {
    if (number < 1 || static_cast<size_t>(number) >= childStart_.size()) return {};
    return {children_.begin() + childStart_[static_cast<size_t>(number - 1)],
            children_.begin() + childStart_[static_cast<size_t>(number)]};
}

void GedcomExporter::buildFamilies() {
    families_.clear();
    coupleTable_.clear();
    partners_.clear();
    lastAlias_.clear();
    withNotes_.clear();
    for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
        p->ChildFamilyRef.clear();
        p->SpareRef.clear();
        if (!p->isAlias() && !p->NotesFile.empty()) withNotes_.push_back(p);
        if (p->isAlias() && p->Father) lastAlias_[p->Father] = p;  // the last one wins
    }
    const auto isChild = [](const PersonItem* p) { return !p->isAlias() && (p->Father || p->Mother); };
    // Each child's family index in store order, then the children grouped by family in that order.
    std::vector<int> childFamily;
    for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
        if (isChild(p)) {
            const int family = findOrAddFamily(p->Father, p->Mother);
            childFamily.push_back(family);
            if (family >= 0) p->ChildFamilyRef = xref('F', family + 1);
        }
        for (int i = 1; i <= kMaxSpouses; ++i)
            if (p->Spouse[i]) addCouple(p, p->Spouse[i]);
    }
    childStart_.assign(families_.size() + 1, 0);
    for (const int family : childFamily)
        if (family >= 0) ++childStart_[static_cast<size_t>(family) + 1];
    for (size_t i = 1; i < childStart_.size(); ++i) childStart_[i] += childStart_[i - 1];
    children_.assign(static_cast<size_t>(childStart_.back()), nullptr);
    std::vector<int> next(childStart_.begin(), childStart_.end() - 1);
    size_t k = 0;
    for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
        if (!isChild(p)) continue;
        const int family = childFamily[k++];
        if (family >= 0) children_[static_cast<size_t>(next[static_cast<size_t>(family)]++)] = p;
    }
    // Families were numbered as they were made, so a stable sort keeps each partner's in list order.
    std::stable_sort(partners_.begin(), partners_.end(),
                     [](const auto& a, const auto& b) { return std::less<const PersonItem*>()(a.first, b.first); });
}

void GedcomExporter::readNotes() {
    notes_.clear();
    unreadableNotes_ = 0;
    // Notes files are found as everywhere else, so that trees made on Windows export their notes.
    const FileReferences references(notesSource_.folder);
    for (const PersonItem* p : withNotes_) {
        const QString name = notesSource_.charset.decode(p->NotesFile);
        const std::optional<QString> text = readNotesFile(references.path(name), notesSource_.charset);
        if (!text) ++unreadableNotes_;
        else if (!text->isEmpty()) notes_.emplace(p, text->toStdString());
    }
}

void GedcomExporter::encodeNotesAsStored() {
    // System Default keeps texts that are not UTF-8 as Windows-1252, the first entry of the list.
    const DisplayCharset& own = notesSource_.charset;
    const DisplayCharset stored(own.entry() == DisplayCharset::kSystemDefault ? 1 : own.entry());
    for (auto& [item, text] : notes_)
        if (std::string_view(gedcomCharsetOf(text)) == "UTF-8") text = stored.encode(QString::fromStdString(text), INT_MAX);
}

void GedcomExporter::writeIndividual(std::string& out, const PersonItem& p) const {
    line(out, "0 " + xref('I', p.Id) + " INDI");
    line(out, "1 NAME ", p.FirstName.str() + "/" + p.LastName.str() + "/");
    line(out, "2 GIVN ", p.FirstName);
    line(out, "2 SURN ", p.LastName);
    line(out, "1 SEX ", p.Sex);
    const auto event = [&out](std::string_view tag, std::string_view date, std::string_view place) {
        if (date.empty() && place.empty()) return;
        line(out, tag);
        if (!date.empty()) line(out, "2 DATE ", date);
        if (!place.empty()) line(out, "2 PLAC ", place);
    };
    event("1 BIRT", p.BornDate, p.BornPlace);
    event("1 BAPM", p.BaptizedDate, p.BaptizedPlace);
    event("1 DEAT", p.DiedDate, p.DiedPlace);
    if (!p.Occupation.empty()) line(out, "1 OCCU ", p.Occupation);
    if (!p.Source.empty()) line(out, "1 SOUR ", p.Source);
    if (!p.PictureFile.empty() || !p.PictureText.empty()) {
        line(out, "1 OBJE");
        if (!p.PictureFile.empty()) line(out, "2 FILE ", p.PictureFile);
        const std::string format = pictureFormat(p.PictureFile);
        if (!format.empty()) line(out, "2 FORM ", format);
        if (!p.PictureText.empty()) line(out, "2 TITL ", p.PictureText);
    }
    if (!notes_.empty())
        if (const auto it = notes_.find(&p); it != notes_.end()) line(out, "1 NOTE ", it->second);
    const auto byPartner = [](const std::pair<const PersonItem*, int>& entry, const PersonItem* partner) {
        return std::less<const PersonItem*>()(entry.first, partner);
    };
    for (auto it = std::lower_bound(partners_.begin(), partners_.end(), &p, byPartner);
         it != partners_.end() && it->first == &p; ++it)
        line(out, "1 FAMS ", xref('F', it->second));
    if (!p.ChildFamilyRef.empty()) line(out, "1 FAMC ", p.ChildFamilyRef);
}

void GedcomExporter::writeFamily(std::string& out, const GedcomFamily& f) const {
    line(out, "0 " + xref('F', f.number) + " FAM");
    if (f.husband) line(out, "1 HUSB ", xref('I', f.husband->Id));
    if (f.wife) line(out, "1 WIFE ", xref('I', f.wife->Id));
    const GedcomMarriage marriage = marriageOf(f);
    const auto dateAndPlace = [&out, &marriage] {
        if (!marriage.date.empty()) line(out, "2 DATE ", marriage.date);
        if (!marriage.place.empty()) line(out, "2 PLAC ", marriage.place);
    };
    if (const std::string_view word = relationshipWord(marriage.type); !word.empty()) {
        // A relationship that is no marriage is a family event of its own type.
        line(out, "1 EVEN");
        line(out, "2 TYPE ", word);
        dateAndPlace();
    } else {
        if (!marriage.date.empty() || !marriage.place.empty()) {
            line(out, "1 MARR");
            dateAndPlace();
        }
        if (marriage.type == 'D') line(out, "1 DIV");
    }
    const size_t index = static_cast<size_t>(f.number - 1);
    for (int i = childStart_[index]; i < childStart_[index + 1]; ++i)
        line(out, "1 CHIL ", xref('I', children_[static_cast<size_t>(i)]->Id));
}

std::string GedcomExporter::text(QDate date, QTime time) {
    std::string all;
    write(date, time, [&all](std::string_view block) {
        all.append(block);
        return true;
    });
    return all;
}

bool GedcomExporter::write(QDate date, QTime time, const std::function<bool(std::string_view)>& sink) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    constexpr size_t kBlock = 64 * 1024;
    buildFamilies();
    readNotes();
    // The records after the header, handed on in blocks that end at line ends.
    const auto writeRecords = [this](const std::function<bool(std::string_view)>& to) {
        std::string out;
        out.reserve(kBlock + 4096);
        const auto flush = [&](bool force) {
            if (out.size() < kBlock && !(force && !out.empty())) return true;
            const bool ok = to(out);
            out.clear();
            return ok;
        };
        persons_ = 0;
        for (const PersonItem* p = store_.firstItem(); p; p = p->Next) {
            if (!p->isAlias()) {
                writeIndividual(out, *p);
                ++persons_;
            }
            if (!flush(false)) return false;
        }
        for (const GedcomFamily& f : families_) {
            writeFamily(out, f);
            if (!flush(false)) return false;
        }
        line(out, "0 TRLR");
        return flush(true);
    };
    // The header declares what the texts turn out to be, so a first pass reads them without
    // keeping them. Blocks end at line ends, so no character is split between two of them.
    GedcomCharsetTally charset;
    writeRecords([&charset](std::string_view block) {
        charset.add(block);
        return true;
    });
    // Notes are read as UTF-8; a file whose other texts are not stays in their one character set.
    if (std::string_view(charset.charset()) == "ANSI") encodeNotesAsStored();
    std::string head;
    line(head, "0 HEAD");
    line(head, "1 SOUR KINLOOM_2");
    const int month = date.isValid() ? date.month() : 1;
    line(head, "1 DATE " + std::to_string(date.day()) + " " + kMonths[month - 1] + " " +
                   std::to_string(date.year()));
    line(head, "1 TIME " + std::to_string(time.hour()) + ":" + std::to_string(time.minute()));
    line(head, std::string("1 CHAR ") + charset.charset());
    if (!sink(head)) return false;
    return writeRecords(sink);
}

bool writeGedcomFile(ItemStore& store, const QString& fileName, QDate date, QTime time, QString* error,
                     GedcomExportCounts* counts, const GedcomNotesSource& notes) {
    GedcomExporter exporter(store, notes);
    SaveFile file(fileName);
    file.setDirectWriteFallback(true);  // in place only where the folder forbids a temporary file
    const bool ok = file.open() && exporter.write(date, time, [&file](std::string_view block) {
                        return file.write(block.data(), static_cast<qint64>(block.size()));
                    }) && file.commit();
    if (!ok) {
        if (error) *error = file.errorString();
        file.cancel();
        return false;
    }
    if (counts) *counts = {exporter.personCount(), static_cast<int>(exporter.families().size()), exporter.unreadableNotes()};
    return true;
}

}  // namespace kinloom
