#include "canvas/goto_lists.h"

#include "document/item_store.h"
#include "platform/charsets.h"

namespace kinloom {

namespace {

QString Line(const TPersonItem& p, const DisplayCharset& cs, const char* dash) {
    return cs.decode(p.FirstName) + QLatin1Char(' ') + cs.decode(p.LastName) + QStringLiteral(" (") +
           cs.decode(p.BornDate) + QLatin1String(dash) + cs.decode(p.DiedDate) + QStringLiteral(") [") +
           QString::number(p.Id) + QLatin1Char(']');
}

QString Names(const TPersonItem& p, const DisplayCharset& cs) {
    return cs.decode(p.FirstName) + QLatin1Char(' ') + cs.decode(p.LastName);
}

}  // namespace

GotoList ChildrenList(const TItemStore& store, const DisplayCharset& cs) {
    GotoList list;
    const TPersonItem* current = store.CurrentItem;
    if (!current) return list;
    // The person's second placement: its last alias, or its original when it is an alias itself.
    const TPersonItem* other = nullptr;
    for (const TPersonItem* p = store.FirstItem(); p; p = p->Next) {
        if (!p->isAlias() && (p->Father == current || p->Mother == current)) list.lines << Line(*p, cs, "-");
        if (p->isAlias() && p->Father == current) other = p;
    }
    if (current->isAlias()) other = current->Father;
    if (other)
        for (const TPersonItem* p = store.FirstItem(); p; p = p->Next)
            if (!p->isAlias() && (p->Father == other || p->Mother == other)) list.lines << Line(*p, cs, "-");
    list.caption = QStringLiteral("Children of ") + Names(*current, cs);
    return list;
}

GotoList SiblingsList(const TItemStore& store, const DisplayCharset& cs) {
    GotoList list;
    const TPersonItem* person = store.CurrentItem;
    if (!person) return list;
    if (person->isAlias() && person->Father) person = person->Father;
    for (const TPersonItem* p = store.FirstItem(); p; p = p->Next) {
        if (p == person || p->isAlias()) continue;
        if ((person->Father && p->Father == person->Father) || (person->Mother && p->Mother == person->Mother))
            list.lines << Line(*p, cs, " - ");
    }
    list.caption = QStringLiteral("Siblings of ") + Names(*person, cs);
    return list;
}

GotoList SpousesList(const TItemStore& store, const DisplayCharset& cs) {
    GotoList list;
    const TPersonItem* current = store.CurrentItem;
    if (!current) return list;
    for (int i = 1; i <= kMaxSpouses; ++i)
        if (current->Spouse[i]) list.lines << Line(*current->Spouse[i], cs, "-");
    list.caption = QStringLiteral("Spouses of ") + Names(*current, cs);
    return list;
}

int IdOfListLine(const QString& line) {
    const qsizetype open = line.lastIndexOf(QLatin1Char('['));
    if (open < 0 || line.size() - open - 2 <= 0) return -1;
    bool ok = false;
    const int id = line.mid(open + 1, line.size() - open - 2).toInt(&ok);
    return ok ? id : -1;
}

bool SelectItemOfListLine(TItemStore& store, const QString& line) {
    TPersonItem* item = store.FindItemById(IdOfListLine(line));
    if (!item) return false;
    store.CurrentItem = item;
    return true;
}

}  // namespace kinloom
