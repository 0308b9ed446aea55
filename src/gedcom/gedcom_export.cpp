#include "gedcom/gedcom_export.h"

#include "document/item_store.h"
#include "gedcom/export_lines.h"

#include <QSaveFile>

namespace kinloom {

namespace {
constexpr size_t kMaxDate = 20;
constexpr size_t kMaxPlace = 70;

std::string cut(std::string_view text, size_t n) { return cutText(text, n); }

// An alias placement stands for its original; others stand for themselves.
PersonItem* original(PersonItem* item) { return item && item->isAlias() ? item->Father : item; }

void line(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n");
}

// A line that carries a field's text: line breaks in it become continuation lines.
void line(std::string& out, std::string_view head, std::string_view text) { appendGedcomLine(out, head, text); }

std::string xref(char letter, int number) { return "@" + std::string(1, letter) + std::to_string(number) + "@"; }
}  // namespace

GedcomExporter::GedcomExporter(ItemStore& store) : store_(store) {}

PersonItem* GedcomExporter::findReferringAlias(PersonItem* item) const {
    const auto it = lastAlias_.find(item);
    return it == lastAlias_.end() ? item : it->second;
}

bool GedcomExporter::takeSlotData(GedcomFamily& family, const PersonItem* husband, const PersonItem* wife) {
    if (!husband || !wife) return false;
    bool found = false;
    for (int i = 1; i <= kMaxSpouses; ++i) {
        if (husband->Spouse[i] != wife) continue;
        family.marriageDate = cut(husband->MarriageDate[i], kMaxDate);
        family.marriagePlace = cut(husband->MarriagePlace[i], kMaxPlace);
        found = true;
    }
    return found;
}

GedcomFamily* GedcomExporter::findOrAddFamily(PersonItem* husband, PersonItem* wife) {
    if (!husband && !wife) return nullptr;
    husband = original(husband);
    wife = original(wife);
    if (!husband && !wife) return nullptr;  // an alias whose original is gone
    auto& byWife = byCouple_[husband];
    if (const auto it = byWife.find(wife); it != byWife.end()) return it->second;

    auto family = std::make_unique<GedcomFamily>();
    family->number = static_cast<int>(families_.size()) + 1;
    family->husband = husband;
    family->wife = wife;
    GedcomFamily* f = family.get();
    families_.push_back(std::move(family));
    byWife.emplace(wife, f);
    if (husband) familiesOf_[husband].push_back(f->number);
    if (wife && wife != husband) familiesOf_[wife].push_back(f->number);

    if (husband && wife) {
        // The couple's slots may sit on an alias placement of either partner.
        PersonItem* h = husband;
        PersonItem* w = wife;
        bool found = takeSlotData(*f, h, w);
        if (!found && h->Kind == kKindAlias) {
            h = findReferringAlias(h);
            found = takeSlotData(*f, h, w);
        }
        if (!found && w->Kind == kKindAlias) {
            w = findReferringAlias(w);
            found = takeSlotData(*f, h, w);
        }
        if (!found) found = takeSlotData(*f, husband, w);
        if (found) {
            // Between the two partners' records the longer text wins.
            for (int i = 1; i <= kMaxSpouses; ++i) {
                if (w->Spouse[i] != h) continue;
                if (w->MarriageDate[i].str().size() > f->marriageDate.size())
                    f->marriageDate = cut(w->MarriageDate[i], kMaxDate);
                if (w->MarriagePlace[i].str().size() > f->marriagePlace.size())
                    f->marriagePlace = cut(w->MarriagePlace[i], kMaxPlace);
            }
        }
    }
    return f;
}

bool GedcomExporter::addChildToFamily(GedcomFamily* family, PersonItem* item) {
    if (!family || !item) return false;
    family->children.push_back(item);
    item->ChildFamilyRef = xref('F', family->number);
    return true;
}

void GedcomExporter::buildFamilies() {
    families_.clear();
    byCouple_.clear();
    familiesOf_.clear();
    lastAlias_.clear();
    for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
        p->ChildFamilyRef.clear();
        p->SpareRef.clear();
        if (p->isAlias() && p->Father) lastAlias_[p->Father] = p;  // the last one wins
    }
    for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
        if (!p->isAlias() && (p->Father || p->Mother))
            addChildToFamily(findOrAddFamily(p->Father, p->Mother), p);
        for (int i = 1; i <= kMaxSpouses; ++i) {
            PersonItem* spouse = p->Spouse[i];
            if (!spouse) continue;
            if (p->Sex == "F")
                findOrAddFamily(spouse, p);
            else if (p->Sex == "M")
                findOrAddFamily(p, spouse);
        }
    }
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
    event("1 DEAT", p.DiedDate, p.DiedPlace);
    if (!p.Occupation.empty()) line(out, "1 OCCU ", p.Occupation);
    if (!p.Source.empty()) line(out, "1 SOUR ", p.Source);
    if (const auto it = familiesOf_.find(&p); it != familiesOf_.end())
        for (const int number : it->second) line(out, "1 FAMS ", xref('F', number));
    if (!p.ChildFamilyRef.empty()) line(out, "1 FAMC ", p.ChildFamilyRef);
}

void GedcomExporter::writeFamily(std::string& out, const GedcomFamily& f) const {
    line(out, "0 " + xref('F', f.number) + " FAM");
    if (f.husband) line(out, "1 HUSB ", xref('I', f.husband->Id));
    if (f.wife) line(out, "1 WIFE ", xref('I', f.wife->Id));
    if (!f.marriageDate.empty() || !f.marriagePlace.empty()) {
        line(out, "1 MARR");
        if (!f.marriageDate.empty()) line(out, "2 DATE ", f.marriageDate);
        if (!f.marriagePlace.empty()) line(out, "2 PLAC ", f.marriagePlace);
    }
    for (const PersonItem* child : f.children) line(out, "1 CHIL ", xref('I', child->Id));
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
        for (const auto& f : families_) {
            writeFamily(out, *f);
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
                     GedcomExportCounts* counts) {
    GedcomExporter exporter(store);
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);  // in place only where the folder forbids a temporary file
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = exporter.write(date, time, [&file](std::string_view block) {
            return file.write(block.data(), static_cast<qint64>(block.size())) == static_cast<qint64>(block.size());
        });
    if (ok) ok = file.commit();
    if (ok && counts) *counts = {exporter.personCount(), static_cast<int>(exporter.families().size())};
    if (!ok) {
        if (error) *error = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

}  // namespace kinloom
