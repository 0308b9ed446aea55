// The .kl3 tree file reader, then our writer and the reader again.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kinloom;
    const QString path = fuzz::writeInput(data, size, "in.kl3");
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    ViewState view;
    if (readFromFile(store, path, view, {800, 600}, prompts) == ReadStatus::Ok) fuzz::checkTreeRoundTrip(store);
    return 0;
}
