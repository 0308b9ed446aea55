#include "document/gedcom_tag_store.h"

namespace kinloom {

namespace {

// Labels are shown exactly as they stand here, "Abbrevation" included.
constexpr std::array<TagRow, kTagRowCount> kRows = {{
    {"ABBR", "Abbrevation", ""},
    {"ADDR", "Address", ""},
    {"ADR1", "Address1", ""},
    {"ADR2", "Address2", ""},
    {"ADOP", "Adopted", "Event"},
    {"AFN", "Ancestral file record number", ""},
    {"AGE", "Age", ""},
    {"AGNC", "Agency", "Attribute"},
    {"ALIA", "Alias", "Attribute"},
    {"ANCI", "Ancestors interest", ""},
    {"ANUL", "Marriage annulment", "Family"},
    {"ASSO", "Associates", ""},
    {"AUTH", "Author", ""},
    {"BAPL", "Baptised (LDS)", "Event"},
    {"BAPM", "Baptised", "Event"},
    {"BARM", "Bar Mitzvah", "Event"},
    {"BASM", "Bat Mitzvah", "Event"},
    {"BIRT", "Born", "Event"},
    {"BLES", "Blessed", "Event"},
    {"BLOB", "Binary object", ""},
    {"BURI", "Buried", "Event"},
    {"CALN", "Call number", ""},
    {"CAST", "Caste", "Attribute"},
    {"CAUS", "Cause", ""},
    {"CENS", "Census", "Family"},
    {"CEME", "Cemetery", "Attribute"},
    {"CHAN", "Change", "Event"},
    {"CHAR", "Character", ""},
    {"CHIL", "Child", ""},
    {"CHR", "Christened", "Event"},
    {"CHRA", "Christened (Adult)", "Event"},
    {"CITY", "City", ""},
    {"CONC", "Concatenation", ""},
    {"CONF", "Confirmed", "Event"},
    {"CONL", "Confirmed (LDS)", "Event"},
    {"CONT", "Continued", ""},
    {"COPR", "Copyright", ""},
    {"CORP", "Corporate", ""},
    {"CREM", "Cremated", "Event"},
    {"CTRY", "Country", ""},
    {"DATA", "Data", ""},
    {"DATE", "Date", ""},
    {"DEAT", "Died", "Event"},
    {"DESC", "Descendants", ""},
    {"DESI", "Descendants interest", ""},
    {"DEST", "Destination", ""},
    {"DIV", "Divorced", "Family"},
    {"DIVF", "Divorce filed", "Family"},
    {"DSCR", "Physical description", "Attribute"},
    {"EDUC", "Education", "Attribute"},
    {"EMIG", "Emigrated", "Event"},
    {"ENDL", "Endowment (LDS)", ""},
    {"ENGA", "Engagement", ""},
    {"EVEN", "An event", "Event"},
    {"FAM", "Family", ""},
    {"FAMC", "Family child", ""},
    {"FAMF", "Family file", ""},
    {"FAMS", "Family spouse", ""},
    {"FCOM", "First communion", "Event"},
    {"FILE", "File", ""},
    {"FORM", "Format", ""},
    {"GEDC", "Gedcom", ""},
    {"GIVN", "Given name", ""},
    {"GRAD", "Graduated", "Event"},
    {"HEAD", "Header", ""},
    {"HUSB", "Husband", ""},
    {"IDNO", "Identification number", "Attribute"},
    {"IMAGE", "A picture", ""},
    {"IMMI", "Immigrated", "Event"},
    {"INDI", "Individual", ""},
    {"LANG", "Language", ""},
    {"LEGA", "Legatee", ""},
    {"MARB", "Marriage Bann", "Family"},
    {"MARC", "Marriage Contract", "Family"},
    {"MARL", "Marriage Licence", "Family"},
    {"MARR", "Married", "Family"},
    {"MARS", "Marriage Settlement", "Family"},
    {"MEDI", "Media", ""},
    {"NAME", "Name", ""},
    {"NAMR", "Religious name", ""},
    {"NATI", "Nationality", "Attribute"},
    {"NATU", "Naturalised", "Event"},
    {"NCHI", "Children count", ""},
    {"NICK", "Nickname", ""},
    {"NMR", "Marriage count", ""},
    {"NOTE", "Note", ""},
    {"NPFX", "Name prefix", ""},
    {"NSFX", "Name suffix", ""},
    {"PEDI", "Pedigree", ""},
    {"OBJE", "Object", ""},
    {"OCCU", "Occupation", "Attribute"},
    {"ORDI", "Ordinance", "Event"},
    {"ORDN", "Ordination", "Event"},
    {"PAGE", "Page", ""},
    {"PEDI", "Pedigree", ""},
    {"PHON", "Phone", ""},
    {"POST", "Postal code", ""},
    {"PROB", "Probate", "Event"},
    {"PROP", "Property", "Attribute"},
    {"PUBL", "Publication", ""},
    {"QUAY", "Quality of data", ""},
    {"REFN", "Reference", ""},
    {"RELA", "Relationship", ""},
    {"RELI", "Religion", "Attribute"},
    {"REPO", "Repository", ""},
    {"RESI", "Residence", "Attribute"},
    {"RESN", "Restriction", ""},
    {"RETI", "Retired", "Event"},
    {"RFN", "Rec file number", ""},
    {"RIN", "Rec ID number", ""},
    {"ROLE", "Role", ""},
    {"SEX", "Gender", ""},
    {"SIGN", "Signature information", ""},
    {"SLGC", "Sealing - Child", ""},
    {"SLGS", "Sealing - Spouse", ""},
    {"SOUR", "Source", ""},
    {"SPFX", "Surname prefix", ""},
    {"SSN", "Social Security Number", "Attribute"},
    {"STAE", "State", ""},
    {"STAT", "Status", ""},
    {"SUBM", "Submitter", ""},
    {"SUBN", "Submission", ""},
    {"SURN", "Surname", ""},
    {"TEMP", "Temple", ""},
    {"TEXT", "Text", ""},
    {"TITL", "Title", "Attribute"},
    {"TRLR", "Trailer", ""},
    {"TYPE", "Type", ""},
    {"VERS", "Version", ""},
    {"VIDEO", "A video", ""},
    {"WIFE", "Wife", ""},
    {"WILL", "Will signed", "Event"},
}};

}  // namespace

const std::array<TagRow, kTagRowCount>& GedcomTagStore::rows() { return kRows; }

QString GedcomTagStore::tagToLabel(const QString& tag) {
    if (tag == QLatin1String("DATE")) return QStringLiteral("Date");
    if (tag == QLatin1String("PLAC")) return QStringLiteral("Place");
    if (tag == QLatin1String("SEX")) return QStringLiteral("Gender");
    if (tag == QLatin1String("SOUR")) return QStringLiteral("Source");
    if (tag == QLatin1String("CONC") || tag == QLatin1String("CONT")) return QString();
    QString label = tag;
    // No early exit: the last row whose tag begins the given one wins ("CHRA" over "CHR").
    for (const TagRow& row : kRows)
        if (tag.startsWith(QLatin1String(row.tag))) label = QLatin1String(row.label);
    return label;
}

QString GedcomTagStore::tagToCategory(const QString& tag) {
    QString category;
    for (const TagRow& row : kRows)
        if (tag == QLatin1String(row.tag)) category = QLatin1String(row.category);
    return category;
}

int GedcomTagStore::labelToIndex(const QString& label) {
    int index = 0;
    for (int i = 0; i < kTagRowCount; ++i)
        if (label == QLatin1String(kRows[i].label)) index = i + 1;
    return index;
}

QString GedcomTagStore::labelToTag(const QString& label) {
    QString tag = QStringLiteral("_UNKNOWN");
    for (const TagRow& row : kRows)
        if (label == QLatin1String(row.label)) tag = QLatin1String(row.tag);
    return tag;
}

GedcomTag* GedcomTagStore::insertTag(GedcomTag*, int, const QString&, const QString&) { return nullptr; }
GedcomTag* GedcomTagStore::createTag(PersonItem*, int, const QString&, const QString&) { return nullptr; }
GedcomTag* GedcomTagStore::deleteTag(GedcomTag*) { return nullptr; }
bool GedcomTagStore::deleteItemTags(PersonItem*) { return true; }
bool GedcomTagStore::clearTags() { return true; }

}  // namespace kinloom
