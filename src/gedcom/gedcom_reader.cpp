#include "gedcom/gedcom_reader.h"

#include "document/item_store.h"
#include "gedcom/scratch_copy.h"

#include <algorithm>

namespace kinloom {

namespace {
bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Record and event tags are told apart by their first four characters, DIV (and DIVF) by three.
bool isTag(std::string_view tag, std::string_view name) {
    return startsWith(tag, name.substr(0, name == "DIV" ? 3 : 4));
}

template <auto Field>
void setField(PersonItem& item, std::string_view value) {
    item.*Field = value;
}

void setName(PersonItem& item, std::string_view value) {
    std::string given, surname;
    splitGedcomName(value, given, surname);
    item.FirstName = given;
    item.LastName = surname;
}

// The relationship types that a family event's TYPE names, as the export writes them.
char relationshipLetter(std::string_view type) {
    static constexpr std::pair<std::string_view, char> kTypes[] = {
        {"PARTNERSHIP", 'P'}, {"FRIEND", 'F'}, {"SINGLE", 'S'}, {"OTHER", 'O'}, {"UNKNOWN", 'U'}};
    for (const auto& [name, letter] : kTypes) {
        if (type.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i)
            same = (type[i] >= 'a' && type[i] <= 'z' ? type[i] - 'a' + 'A' : type[i]) == name[i];
        if (same) return letter;
    }
    return 0;
}

// A joined value never grows past this; no item field holds more than 247 bytes.
constexpr size_t kMaxJoined = 1024;

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
    births_ = deaths_ = baptisms_ = pictures_ = 0;
    firstPicture_ = relationshipEvent_ = false;
    continuedLevel_ = -1;
    continued_.clear();
    familyLines_.clear();
    family_ = 0;
    familyById_.clear();
    familyByItem_.clear();
    childFamily_ = 0;
    husband_ = wife_ = child_ = nullptr;
    marriageDate_.clear();
    marriagePlace_.clear();
    husbandSlot_ = wifeSlot_ = 0;
    married_ = false;
    relationship_ = 'M';
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
    text_ = text;
    if (continuedLevel_ >= 0) {
        if (line_.level == continuedLevel_ + 1 && (line_.tag == "CONC" || line_.tag == "CONT")) {
            continueValue();
            return true;
        }
        continuedLevel_ = -1;
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
        births_ = deaths_ = baptisms_ = pictures_ = 0;
        item->X = 0;
        item->Y = 0;
        item->GedcomPos = scratchPos;
        item->GedcomId = line_.tag;
        ids_.add(line_.tag, item);
        ++individuals_;
    } else if (upperStartsWith(line_.value, "FAM")) {
        individual_ = nullptr;
        recordKind_ = "FAM";
        keep(FamilyStep::Start, {});
        ++families_;
    }
}

void GedcomReader::store(FieldSetter set, std::string_view value, const char* lineBreak) {
    set(*individual_, value);
    expectContinuation(set, lineBreak);
}

void GedcomReader::expectContinuation(FieldSetter set, const char* lineBreak) {
    continuedLevel_ = line_.level;
    continued_.assign(rawGedcomValue(text_));
    continuedSet_ = set;
    lineBreak_ = lineBreak;
}

void GedcomReader::continueValue() {
    // CONC goes on without a separator, CONT after a line break.
    if (continued_.size() < kMaxJoined) {
        if (line_.tag == "CONT") continued_.append(lineBreak_);
        continued_.append(rawGedcomValue(text_).substr(0, kMaxJoined - continued_.size()));
    }
    const std::string_view joined = trimGedcomText(continued_);
    if (continuedSet_) {
        if (individual_) continuedSet_(*individual_, joined);
    } else if (!familyLines_.empty()) {
        // The continued value is the last one kept.
        familyLines_.replaceLastValue(joined);
    }
}

void GedcomReader::level1() {
    level1Tag_ = line_.tag;
    firstPicture_ = relationshipEvent_ = false;
    const std::string& tag = line_.tag;
    if (recordKind_ == "INDI" && individual_) {
        const std::string_view value = trimGedcomText(line_.value);
        if (tag == "NAME") {
            // Names come in order of preference: a later one (a nickname, a married name, an empty
            // line) never replaces the name already read.
            if (individual_->FirstName.empty() && individual_->LastName.empty()) store(setName, line_.value);
        } else if (startsWith(tag, "SEX")) {
            individual_->Sex = value;
        } else if (startsWith(tag, "OCCU")) {
            store(setField<&PersonItem::Occupation>, value);
        } else if (startsWith(tag, "SOUR")) {
            store(setField<&PersonItem::Source>, value);
        } else if (isTag(tag, "OBJE")) {
            // A link to an object record ("1 OBJE @M1@") holds no file of its own.
            if (value.empty()) firstPicture_ = ++pictures_ == 1;
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
        else if (isTag(tag, "DIV")) keep(FamilyStep::Divorce, {});
    }
}

void GedcomReader::level2() {
    const std::string& event = level1Tag_;
    const std::string& tag = line_.tag;
    if (recordKind_ == "INDI" && individual_) {
        if (firstPicture_) {
            // The picture and its description come from the first object; a description keeps
            // its line breaks.
            if (tag == "FILE") store(setField<&PersonItem::PictureFile>, line_.value);
            else if (tag == "TITL") store(setField<&PersonItem::PictureText>, line_.value, "\r\n");
            return;
        }
        const bool date = tag == "DATE";
        const bool place = tag == "PLAC";
        if (!date && !place) return;
        // A second event of a kind is an alternative; the first one is the preferred.
        if (isTag(event, "BIRT")) {
            if (births_ > 1) return;
            store(date ? setField<&PersonItem::BornDate> : setField<&PersonItem::BornPlace>, line_.value);
        } else if (isTag(event, "DEAT")) {
            if (deaths_ > 1) return;
            store(date ? setField<&PersonItem::DiedDate> : setField<&PersonItem::DiedPlace>, line_.value);
        } else if (isTag(event, "BAPM")) {
            if (baptisms_ > 1) return;
            store(date ? setField<&PersonItem::BaptizedDate> : setField<&PersonItem::BaptizedPlace>, line_.value);
        }
    } else if (recordKind_ == "FAM") {
        const bool date = tag == "DATE", place = tag == "PLAC";
        if (isTag(event, "MARR")) {
            if (date || place) keep(date ? FamilyStep::Date : FamilyStep::Place);
            else keep(FamilyStep::Detail, {});
        } else if (isTag(event, "DIV")) {
            // The marriage's own date and place win over the divorce's.
            if (date || place) keep(date ? FamilyStep::DivorceDate : FamilyStep::DivorcePlace);
            else keep(FamilyStep::Detail, {});
        } else if (isTag(event, "EVEN")) {
            // Other family events are not relationships; only their TYPE tells.
            if (tag == "TYPE") {
                const char letter = relationshipLetter(trimGedcomText(line_.value));
                relationshipEvent_ = letter != 0;
                if (relationshipEvent_) keep(FamilyStep::Type, std::string_view(&letter, 1));
                return;
            }
            if (!relationshipEvent_ || !(date || place)) return;
            keep(date ? FamilyStep::Date : FamilyStep::Place);
        } else {
            return;
        }
        if (date || place) expectContinuation(nullptr, " ");
    }
}

void GedcomReader::finish() {
    familyById_.reserve(static_cast<size_t>(store_.lastId) + 1);
    familyLines_.forEach([this](uint8_t step, std::string_view value) { link(static_cast<FamilyStep>(step), value); });
    familyLines_.clear();
    familyById_ = {};
    familyByItem_ = {};
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
    married_ = true;
    if (relationship_ != 'M') markRelationship();
}

void GedcomReader::markRelationship() {
    if (husband_ && husbandSlot_ >= 1) husband_->SpouseType[husbandSlot_] = relationship_;
    if (wife_ && wifeSlot_ >= 1) wife_->SpouseType[wifeSlot_] = relationship_;
}

void GedcomReader::setChildsParents(PersonItem* father, PersonItem* mother) {
    // A child named by several families keeps the parents of the first one.
    if (!child_ || childFamily_ != family_) return;
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

int GedcomReader::firstFamilyNaming(const PersonItem* child) {
    const int32_t id = child->Id;
    if (id > 0 && static_cast<size_t>(id) < 4 * static_cast<size_t>(individuals_) + 1024) {
        const auto at = static_cast<size_t>(id);
        if (at >= familyById_.size()) familyById_.resize(std::max(at + 1, 2 * familyById_.size()));
        ChildFamily& slot = familyById_[at];
        if (!slot.child) slot = {child, family_};
        if (slot.child == child) return slot.family;
    }
    return familyByItem_.try_emplace(child, family_).first->second;
}

void GedcomReader::link(FamilyStep step, std::string_view value) {
    switch (step) {
    case FamilyStep::Start:
        ++family_;
        husband_ = wife_ = child_ = nullptr;
        husbandSlot_ = wifeSlot_ = 0;
        married_ = false;
        relationship_ = 'M';
        marriageDate_.clear();
        marriagePlace_.clear();
        break;
    case FamilyStep::Husband:
        husband_ = findItemByGedcomId(value);
        if (husband_) {
            if (wife_) marry();
            setChildsParents(husband_, nullptr);
        }
        break;
    case FamilyStep::Wife:
        wife_ = findItemByGedcomId(value);
        if (wife_) {
            if (husband_) marry();
            setChildsParents(nullptr, wife_);
        }
        break;
    case FamilyStep::Child:
        child_ = findItemByGedcomId(value);
        if (child_) {
            childFamily_ = firstFamilyNaming(child_);
            setChildsParents(husband_, wife_);
        }
        break;
    case FamilyStep::Divorce:
    case FamilyStep::Type:
        // The family's one marriage takes the type, now or when both partners are known.
        relationship_ = step == FamilyStep::Divorce ? 'D' : value.front();
        if (married_) markRelationship();
        break;
    case FamilyStep::DivorceDate:
    case FamilyStep::DivorcePlace: {
        std::string& kept = step == FamilyStep::DivorceDate ? marriageDate_ : marriagePlace_;
        if (kept.empty()) kept = value;
        storeMarriageData();
        break;
    }
    case FamilyStep::Date:
        marriageDate_ = value;
        storeMarriageData();
        break;
    case FamilyStep::Place:
        marriagePlace_ = value;
        storeMarriageData();
        break;
    case FamilyStep::Detail:
        storeMarriageData();
        break;
    }
}

}  // namespace kinloom
