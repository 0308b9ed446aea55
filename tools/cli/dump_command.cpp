#include "cli_support.h"
#include "commands.h"

#include "document/item_store.h"
#include "platform/charsets.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kinloom::cli {

namespace {

const char kDumpHelp[] =
    "usage: kinloom-cli dump [--no-date-standardization] FILE\n"
    "\n"
    "Prints every item of a tree file in list order (the home item first) as one JSON object per\n"
    "line. FILE is a .kl3, .kl2 or .kl file, chosen by its extension. Texts are the stored bytes\n"
    "read as UTF-8 where valid, else as Windows-1252; links are the Id of the linked item, 0 for\n"
    "none.\n"
    "\n"
    "  --no-date-standardization  copy the dates of a .kl2 file as they are instead of\n"
    "                             autoformatting them\n";

QJsonValue text(std::string_view bytes) { return decodeUtf8OrWindows1252(bytes); }
int idOf(const PersonItem* item) { return item ? item->Id : 0; }

QJsonObject itemJson(const PersonItem& p) {
    QJsonObject o;
    o.insert("Id", p.Id);
    o.insert("FirstName", text(p.FirstName));
    o.insert("LastName", text(p.LastName));
    o.insert("BornDate", text(p.BornDate));
    o.insert("DiedDate", text(p.DiedDate));
    o.insert("Sex", text(p.Sex));
    o.insert("PictureFile", text(p.PictureFile));
    o.insert("NotesFile", text(p.NotesFile));
    o.insert("Kind", text(p.Kind));
    o.insert("BornPlace", text(p.BornPlace));
    o.insert("DiedPlace", text(p.DiedPlace));
    o.insert("BaptizedDate", text(p.BaptizedDate));
    o.insert("BaptizedPlace", text(p.BaptizedPlace));
    o.insert("Occupation", text(p.Occupation));
    o.insert("PictureText", text(p.PictureText));
    o.insert("Source", text(p.Source));
    o.insert("Father", idOf(p.Father));
    o.insert("Mother", idOf(p.Mother));
    QJsonArray spouse, type, date, place;
    for (int i = 1; i <= kMaxSpouses; ++i) {
        spouse.append(idOf(p.Spouse[i]));
        const char t = p.SpouseType[i];
        type.append(t == 0 ? QJsonValue(QString()) : text(std::string_view(&t, 1)));
        date.append(text(p.MarriageDate[i]));
        place.append(text(p.MarriagePlace[i]));
    }
    o.insert("Spouse", spouse);
    o.insert("SpouseType", type);
    o.insert("MarriageDate", date);
    o.insert("MarriagePlace", place);
    o.insert("X", p.X);
    o.insert("Y", p.Y);
    o.insert("Selected", p.Selected);
    o.insert("GedcomId", text(p.GedcomId));
    o.insert("ChildFamilyRef", text(p.ChildFamilyRef));
    o.insert("SpareRef", text(p.SpareRef));
    o.insert("ChildCount", p.ChildCount);
    o.insert("GedcomPos", p.GedcomPos);
    return o;
}

}  // namespace

int runDump(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kDumpHelp));
        return 0;
    }
    QStringList operands;
    bool dates = true;
    if (!parseTreeCommandArgs("dump", args, 1, "one FILE", operands, dates)) return 1;

    auto& [prompts, store] = commandTree();
    if (!loadTreeFile("dump", operands[0], store, prompts, dates)) return 1;
    QByteArray out;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        out += QJsonDocument(itemJson(*p)).toJson(QJsonDocument::Compact);
        out += '\n';
        if (out.size() > (1 << 20)) {
            printOut(out);
            out.clear();
        }
    }
    printOut(out);
    return 0;
}

}  // namespace kinloom::cli
