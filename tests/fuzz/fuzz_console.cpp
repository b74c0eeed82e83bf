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
    std::string input(reinterpret_cast<const char*>(data), size);
    fuzzReport(consoleCase(input, nullptr));
    fuzzReport(assistedConsoleCase(input, nullptr));
    return 0;
}
