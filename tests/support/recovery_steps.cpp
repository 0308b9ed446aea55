#include "support/recovery_steps.h"

#include "document/tree_record_codec.h"

#include <QString>

namespace kinloom::test {

PersonItem* RecoverySteps::anyItem() {
    const int n = store_.itemCount();
    if (n == 0) return nullptr;
    PersonItem* p = store_.firstItem();
    for (int i = below(n); i > 0; --i) p = p->Next;
    return p;
}

std::string RecoverySteps::next() {
    ++made_;
    const int kind = store_.itemCount() < 3 ? 0 : below(10);
    if (kind == 6) {
        history_.undo();
        return "Undo";
    }
    if (kind == 7) {
        history_.redo();
        return "Redo";
    }
    PersonItem* a = anyItem();
    PersonItem* b = anyItem();
    EditStep step(store_, QString());
    std::string name;
    switch (kind) {
    case 0: {
        store_.pointerX = below(4000);
        store_.pointerY = below(4000);
        PersonItem* p = store_.createItem();
        p->FirstName = "Person " + std::to_string(made_);
        name = "New Person";
        break;
    }
    case 1:
        store_.touch(a);
        a->LastName = "Name " + std::to_string(made_) + std::string(static_cast<size_t>(below(60)), 'x');
        a->BornDate = std::to_string(1700 + below(300));
        a->Sex = below(2) ? "M" : "F";
        name = "Properties";
        break;
    case 2:
        if (a != b) {
            store_.touch(a);
            a->Father = b;
        }
        name = "Link to Father";
        break;
    case 3:
        if (a != b) store_.addMarriage(a, b);
        name = "Link to Spouse";
        break;
    case 4:
        store_.currentItem = a;
        store_.deleteItem();
        name = "Delete";
        break;
    case 5:
        store_.touchPlace(a);
        a->X += below(200) - 100;
        a->Y += below(200) - 100;
        name = "Move 1 item";
        break;
    case 8:
        store_.moveToFront(a);
        store_.touchPlace(b);
        b->Y += 10;
        name = "Make Home";
        break;
    default:
        for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
            store_.touchPlace(p);
            p->X += 5;
        }
        name = "Move all";
        break;
    }
    store_.modified = true;
    step.setLabel(QString::fromStdString(name));
    return name;
}

std::string treeImage(const ItemStore& store) {
    std::string bytes;
    std::array<unsigned char, kTreeRecordSize> record{};
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        PersonItem copy = *p;
        copy.FatherId = p->Father ? p->Father->Id : 0;
        copy.MotherId = p->Mother ? p->Mother->Id : 0;
        for (int i = 1; i <= kMaxSpouses; ++i) copy.SpouseId[i] = p->Spouse[i] ? p->Spouse[i]->Id : 0;
        copy.Selected = false;
        encodeTreeRecord(copy, p->Next == nullptr, record);
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    bytes += "lastId=" + std::to_string(store.lastId);
    return bytes;
}

}  // namespace kinloom::test
