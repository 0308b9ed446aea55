// The version 1.5.x (.kl2) reader, then our writer and the .kl3 reader.
#include "document/legacy_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kinloom;
    const QString path = fuzz::writeInput(data, size, "in.kl2");
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    ViewState view;
    // Items read before an error stay, unlinked; they too must save and read back as they are.
    readVersion15File(store, path, view, {800, 600}, prompts, size % 2 == 0);
    fuzz::checkTreeRoundTrip(store);
    return 0;
}
