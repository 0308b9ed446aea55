#pragma once
// A small family whose pages the report tests compare whole: parents, four grandparents of whom
// one has a father, a sibling, children with two partners (one of them through an alias of the
// person), a marriage without date and place, a person without names, a picture and a notes file.
#include "document/item_store.h"
#include "platform/imagecodec.h"
#include "platform/save_file.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace kinloom::test {

struct HtmlFamily {
    PersonItem* person = nullptr;
};

inline HtmlFamily buildHtmlFamily(ItemStore& store, const QDir& treeFolder) {
    PersonItem* john = addPerson(store, "John", "Smith");                  // 1
    PersonItem* peter = addPerson(store, "Peter", "Smith");                // 2
    PersonItem* mary = addPerson(store, "Mary", "Brown");                  // 3
    PersonItem* old = addPerson(store, "Old", "Smith");                    // 4
    PersonItem* ase = addPerson(store, "\xC3\x85se", "Smith");             // 5: UTF-8 "Åse"
    PersonItem* carl = addPerson(store, "Carl", "Brown");                  // 6
    PersonItem* eve = addPerson(store, "Eve", "\xC4\x8C" "apek");          // 7: UTF-8 "Čapek"
    PersonItem* adam = addPerson(store, "Adam", "Smith");                  // 8
    PersonItem* sara = addPerson(store, "Sara <Jr>", "Smith");             // 9
    PersonItem* kate = addPerson(store, "Kate", "Lee");                    // 10
    PersonItem* tom = addPerson(store, "Tom", "Smith");                    // 11
    PersonItem* liv = addPerson(store, "Liv", "Smith");                    // 12
    PersonItem* rose = addPerson(store, "Rose", "Hill");                   // 13
    PersonItem* alias = addPerson(store, "John", "Smith");                 // 14
    PersonItem* ida = addPerson(store, "Ida", "Smith");                    // 15
    addPerson(store, "", "");                                              // 16
    john->Father = peter;
    john->Mother = mary;
    john->BornDate = "1 JAN 1900";
    john->BornPlace = "Oslo";
    john->BaptizedPlace = "Oslo Cathedral";
    john->DiedDate = "2 FEB 1970";
    john->Occupation = "Tom & Jerry";
    john->Source = "Church \"A\" <book>";
    john->PictureFile = "john.jpg";
    john->PictureText = "At home";
    john->NotesFile = "john.txt";
    john->Kind = "ALIAS";
    peter->Father = old;
    peter->Mother = ase;
    mary->Father = carl;
    mary->Mother = eve;
    old->Father = adam;
    sara->Father = peter;
    sara->Mother = mary;
    store.addMarriage(john, kate);
    john->MarriageDate[1] = "5 MAY 1925";
    john->MarriagePlace[1] = "Bergen";
    kate->MarriageDate[1] = "5 MAY 1925";
    kate->MarriagePlace[1] = "Bergen";
    tom->Father = john;
    tom->Mother = kate;
    liv->Father = john;
    liv->Mother = kate;
    alias->Kind = "REF";
    alias->Father = john;
    store.addMarriage(alias, rose);
    ida->Father = alias;
    ida->Mother = rose;
    store.currentItem = nullptr;

    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 30));
    writeFileAtomically(treeFolder.filePath("john.jpg"), encodeJpeg(picture));
    QFile notes(treeFolder.filePath("john.txt"));
    if (notes.open(QIODevice::WriteOnly)) notes.write("Line one\r\nTom & <b>\r\n\r\nlast");
    return {john};
}

}  // namespace kinloom::test
