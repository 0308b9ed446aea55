#include "document/shared_person_fields.h"

#include "document/person_item.h"

namespace kinloom {

void copySharedPersonFields(PersonItem& to, const PersonItem& from) {
    to.FirstName = from.FirstName;
    to.LastName = from.LastName;
    to.PictureFile = from.PictureFile;
    to.NotesFile = from.NotesFile;
    to.Sex = from.Sex;
    to.BornDate = from.BornDate;
    to.DiedDate = from.DiedDate;
    to.PictureText = from.PictureText;
    to.DiedPlace = from.DiedPlace;
    to.BornPlace = from.BornPlace;
    to.BaptizedDate = from.BaptizedDate;
    to.BaptizedPlace = from.BaptizedPlace;
    to.Occupation = from.Occupation;
    to.Source = from.Source;
}

}  // namespace kinloom
