// Fuzz target: arbitrary bytes as the export, through loading, counting, the dive table, the
// summaries and the writer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzzcases.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzReport(exportCase(std::string(reinterpret_cast<const char*>(data), size), nullptr));
    return 0;
}
