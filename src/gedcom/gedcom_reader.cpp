#include "gedcom/gedcom_reader.h"

#include "document/item_store.h"
#include "gedcom/scratch_copy.h"

namespace kinloom {

namespace {
bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Record and event tags are told apart by their first four characters, DIV (and DIVF) by three.
bool isTag(std::string_view tag, std::string_view name) {
    return startsWith(tag, name.substr(0, name == "DIV" ? 3 : 4));
}

bool upperStartsWith(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i]) return false;
    }
    return true;
}
}  // namespace

void GedcomIdIndex::add(std::string_view id, PersonItem* item) { ids_.try_emplace(std::string(id), item); }

PersonItem* GedcomIdIndex::find(std::string_view id) const {
    const auto it = ids_.find(id);
    return it == ids_.end() ? nullptr : it->second;
}

GedcomReader::GedcomReader(ItemStore& store, GedcomScratchCopy* scratch)
    : store_(store), scratch_(scratch) {
    reset();
}

void GedcomReader::reset() {
    ids_.clear();
    for (PersonItem* p = store_.firstItem(); p; p = p->Next)
        if (!p->GedcomId.empty()) ids_.add(p->GedcomId.str(), p);
    recordKind_.clear();
    individual_ = nullptr;
    level1Tag_.clear();
    births_ = deaths_ = baptisms_ = 0;
    familyLines_.clear();
    family_ = 0;
    parentFamily_.clear();
    husband_ = wife_ = child_ = nullptr;
    marriageDate_.clear();
    marriagePlace_.clear();
    husbandSlot_ = wifeSlot_ = 0;
    lines_ = individuals_ = families_ = 0;
    skippedLines_ = firstSkippedLine_ = 0;
    refusedMarriages_ = 0;
}

bool GedcomReader::readLine(std::string_view text) {
    ++lines_;
    if (!parseGedcomLine(text, line_)) {
        // One bad line (a note's text that lost its CONT, a line of HTML) costs only itself.
        if (skippedLines_++ == 0) firstSkippedLine_ = lines_;
        return true;
    }
    if (line_.level == 0) individual_ = nullptr;
    int32_t scratchPos = 0;
    if (scratch_) {
        scratchPos = scratch_->append(trimGedcomText(text));
        if (scratchPos < 0) return false;
    }
    switch (line_.level) {
    case 0: level0(scratchPos); break;
    case 1: level1(); break;
    case 2: level2(); break;
    default: break;
    }
    return true;
}

void GedcomReader::level0(int32_t scratchPos) {
    if (line_.tag.empty() || line_.tag.front() != '@') return;
    if (upperStartsWith(line_.value, "INDI")) {
        recordKind_ = "INDI";
        PersonItem* item = store_.createItem();
        if (!item) return;
        individual_ = item;
        births_ = deaths_ = baptisms_ = 0;
        item->X = 0;
        item->Y = 0;
        item->GedcomPos = scratchPos;
        item->GedcomId = line_.tag;
        ids_.add(line_.tag, item);
        ++individuals_;
    } else if (upperStartsWith(line_.value, "FAM")) {
        individual_ = nullptr;
        recordKind_ = "FAM";
        keep(FamilyStep::Start);
        ++families_;
    }
}

void GedcomReader::level1() {
    level1Tag_ = line_.tag;
    const std::string& tag = line_.tag;
    if (recordKind_ == "INDI" && individual_) {
        const std::string_view value = trimGedcomText(line_.value);
        if (tag == "NAME") {
            // Names come in order of preference: a later one (a nickname, a married name, an empty
            // line) never replaces the name already read.
            if (individual_->FirstName.empty() && individual_->LastName.empty()) {
                std::string given, surname;
                splitGedcomName(line_.value, given, surname);
                individual_->FirstName = given;
                individual_->LastName = surname;
            }
        } else if (startsWith(tag, "SEX")) {
            individual_->Sex = value;
        } else if (startsWith(tag, "OCCU")) {
            individual_->Occupation = value;
        } else if (startsWith(tag, "SOUR")) {
            individual_->Source = value;
        } else if (isTag(tag, "BIRT")) {
            ++births_;
        } else if (isTag(tag, "DEAT")) {
            ++deaths_;
        } else if (isTag(tag, "BAPM")) {
            ++baptisms_;
        }
    } else if (recordKind_ == "FAM") {
        if (isTag(tag, "HUSB")) keep(FamilyStep::Husband);
        else if (isTag(tag, "WIFE")) keep(FamilyStep::Wife);
        else if (isTag(tag, "CHIL")) keep(FamilyStep::Child);
        else if (isTag(tag, "DIV")) keep(FamilyStep::Divorce);
    }
}

void GedcomReader::level2() {
    const std::string& event = level1Tag_;
    const std::string& tag = line_.tag;
    if (recordKind_ == "INDI" && individual_) {
        PersonItem& p = *individual_;
        const bool date = tag == "DATE";
        const bool place = tag == "PLAC";
        if (!date && !place) return;
        // A second event of a kind is an alternative; the first one is the preferred.
        if (isTag(event, "BIRT")) {
            if (births_ > 1) return;
            if (date) p.BornDate = line_.value; else p.BornPlace = line_.value;
        } else if (isTag(event, "DEAT")) {
            if (deaths_ > 1) return;
            if (date) p.DiedDate = line_.value; else p.DiedPlace = line_.value;
        } else if (isTag(event, "BAPM")) {
            if (baptisms_ > 1) return;
            if (date) p.BaptizedDate = line_.value; else p.BaptizedPlace = line_.value;
        }
    } else if (recordKind_ == "FAM" && (isTag(event, "MARR") || isTag(event, "DIV"))) {
        keep(tag == "DATE" ? FamilyStep::Date : tag == "PLAC" ? FamilyStep::Place : FamilyStep::Detail);
    }
}

void GedcomReader::finish() {
    for (const FamilyLine& line : familyLines_) link(line);
    familyLines_.clear();
    familyLines_.shrink_to_fit();
}

void GedcomReader::marry() {
    // A refused marriage is counted here and reported once when the import ends.
    Prompts* reporter = store_.reporter();
    store_.setReporter(nullptr);
    const int made = store_.addMarriage(husband_, wife_);
    store_.setReporter(reporter);
    if (made == 1) {
        husbandSlot_ = store_.marriageSlot[1];
        wifeSlot_ = store_.marriageSlot[2];
    } else {
        husbandSlot_ = wifeSlot_ = 0;
        ++refusedMarriages_;
    }
}

void GedcomReader::setChildsParents(PersonItem* father, PersonItem* mother) {
    // A child named by several families keeps the parents of the first one.
    if (!child_ || parentFamily_.at(child_) != family_) return;
    if (father) child_->Father = father;
    if (mother) child_->Mother = mother;
}

void GedcomReader::storeMarriageData() {
    // The data belongs to the last marriage made in this family, a divorce's included.
    if (husband_ && husbandSlot_ >= 1) {
        husband_->MarriageDate[husbandSlot_] = marriageDate_;
        husband_->MarriagePlace[husbandSlot_] = marriagePlace_;
    }
    if (wife_ && wifeSlot_ >= 1) {
        wife_->MarriageDate[wifeSlot_] = marriageDate_;
        wife_->MarriagePlace[wifeSlot_] = marriagePlace_;
    }
}

void GedcomReader::link(const FamilyLine& line) {
    switch (line.step) {
    case FamilyStep::Start:
        ++family_;
        husband_ = wife_ = child_ = nullptr;
        husbandSlot_ = wifeSlot_ = 0;
        marriageDate_.clear();
        marriagePlace_.clear();
        break;
    case FamilyStep::Husband:
        husband_ = findItemByGedcomId(line.value);
        if (husband_) {
            if (wife_) marry();
            setChildsParents(husband_, nullptr);
        }
        break;
    case FamilyStep::Wife:
        wife_ = findItemByGedcomId(line.value);
        if (wife_) {
            if (husband_) marry();
            setChildsParents(nullptr, wife_);
        }
        break;
    case FamilyStep::Child:
        child_ = findItemByGedcomId(line.value);
        if (child_) {
            parentFamily_.try_emplace(child_, family_);
            setChildsParents(husband_, wife_);
        }
        break;
    case FamilyStep::Divorce:
        if (husband_ && wife_) {
            marry();
            if (husbandSlot_ > 0) husband_->SpouseType[husbandSlot_] = 'D';
            if (wifeSlot_ > 0) wife_->SpouseType[wifeSlot_] = 'D';
        }
        break;
    case FamilyStep::Date:
        marriageDate_ = line.value;
        storeMarriageData();
        break;
    case FamilyStep::Place:
        marriagePlace_ = line.value;
        storeMarriageData();
        break;
    case FamilyStep::Detail:
        storeMarriageData();
        break;
    }
}

}  // namespace kinloom
