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
    std::string input(reinterpret_cast<const char*>(data), size);
    fuzzReport(exportCase(input, nullptr));
    fuzzReport(unattendedExportCase(input, nullptr));
    return 0;
}
