// The GEDCOM reader; the tree it makes goes through our tree file and through our GEDCOM writer
// and reader again.
#include "document/item_store.h"
#include "fuzz_support.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"

namespace {
struct QuietUser : kinloom::GedcomImportUser {};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kinloom;
    const QString path = fuzz::writeInput(data, size, "in.ged");
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    QuietUser user;
    readGedcomFile(store, path, user, prompts);
    fuzz::checkTreeRoundTrip(store);

    int individuals = 0;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) individuals += p->isAlias() ? 0 : 1;
    const QString out = fuzz::scratchDir().filePath(QStringLiteral("out.ged"));
    if (!writeGedcomFile(store, out, QDate(2024, 1, 2), QTime(3, 4))) fuzz::fault("the GEDCOM export failed");
    ItemStore again(&prompts);
    if (!readGedcomFile(again, out, user, prompts).ok) fuzz::fault("our own GEDCOM file was not read");
    if (again.itemCount() != individuals) fuzz::fault("individuals were lost through GEDCOM export and import");
    return 0;
}
