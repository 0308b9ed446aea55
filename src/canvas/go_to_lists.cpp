#include "canvas/go_to_lists.h"

#include "document/item_store.h"
#include "platform/charsets.h"

namespace kinloom {

namespace {

QString line(const PersonItem& p, const DisplayCharset& cs, const char* dash) {
    return cs.decode(p.FirstName) + QLatin1Char(' ') + cs.decode(p.LastName) + QStringLiteral(" (") +
           cs.decode(p.BornDate) + QLatin1String(dash) + cs.decode(p.DiedDate) + QStringLiteral(") [") +
           QString::number(p.Id) + QLatin1Char(']');
}

QString names(const PersonItem& p, const DisplayCharset& cs) {
    return cs.decode(p.FirstName) + QLatin1Char(' ') + cs.decode(p.LastName);
}

}  // namespace

GoToList childrenList(const ItemStore& store, const DisplayCharset& cs) {
    GoToList list;
    const PersonItem* current = store.currentItem;
    if (!current) return list;
    // The person's second placement: its last alias, or its original when it is an alias itself.
    const PersonItem* other = nullptr;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (!p->isAlias() && (p->Father == current || p->Mother == current)) list.lines << line(*p, cs, "-");
        if (p->isAlias() && p->Father == current) other = p;
    }
    if (current->isAlias()) other = current->Father;
    if (other)
        for (const PersonItem* p = store.firstItem(); p; p = p->Next)
            if (!p->isAlias() && (p->Father == other || p->Mother == other)) list.lines << line(*p, cs, "-");
    list.caption = QStringLiteral("Children of ") + names(*current, cs);
    return list;
}

GoToList siblingsList(const ItemStore& store, const DisplayCharset& cs) {
    GoToList list;
    const PersonItem* person = store.currentItem;
    if (!person) return list;
    if (person->isAlias() && person->Father) person = person->Father;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        if (p == person || p->isAlias()) continue;
        if ((person->Father && p->Father == person->Father) || (person->Mother && p->Mother == person->Mother))
            list.lines << line(*p, cs, " - ");
    }
    list.caption = QStringLiteral("Siblings of ") + names(*person, cs);
    return list;
}

GoToList spousesList(const ItemStore& store, const DisplayCharset& cs) {
    GoToList list;
    const PersonItem* current = store.currentItem;
    if (!current) return list;
    for (int i = 1; i <= kMaxSpouses; ++i)
        if (current->Spouse[i]) list.lines << line(*current->Spouse[i], cs, "-");
    list.caption = QStringLiteral("Spouses of ") + names(*current, cs);
    return list;
}

int idOfListLine(const QString& line) {
    const qsizetype open = line.lastIndexOf(QLatin1Char('['));
    if (open < 0 || line.size() - open - 2 <= 0) return -1;
    bool ok = false;
    const int id = line.mid(open + 1, line.size() - open - 2).toInt(&ok);
    return ok ? id : -1;
}

bool selectItemOfListLine(ItemStore& store, const QString& line) {
    PersonItem* item = store.findItemById(idOfListLine(line));
    if (!item) return false;
    store.currentItem = item;
    return true;
}

}  // namespace kinloom
