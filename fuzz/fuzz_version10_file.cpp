// The version 1.0 (.kl) reader, then our writer and the .kl3 reader.
#include "document/legacy_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return kinloom::fuzz::readOlderFile(data, size, "in.kl", kinloom::readVersion10File);
}
