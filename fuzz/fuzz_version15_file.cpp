// The version 1.5.x (.kl2) reader, then our writer and the .kl3 reader.
#include "document/legacy_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return kinloom::fuzz::readOlderFile(data, size, "in.kl2", kinloom::readVersion15File);
}
