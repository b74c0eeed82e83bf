// Fuzz target: arbitrary bytes as the console input through the whole run.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzzcases.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzSetUp();
    consoleCaseSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzReport(consoleCase(std::string(reinterpret_cast<const char*>(data), size), nullptr));
    return 0;
}
