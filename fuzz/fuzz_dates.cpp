// Date standardisation, on stored bytes and on typed text.
#include "document/date_standardization.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kinloom;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const bool on : {true, false}) {
        const std::string stored = standardizeDate(bytes, DateOptions{on});
        if (!on && stored != bytes) __builtin_trap();  // switched off, a date stays as typed
        standardizeDate(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())), DateOptions{on});
    }
    return 0;
}
