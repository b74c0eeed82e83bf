// Fuzz target: arbitrary bytes as a UDDF or Subsurface log, through the reader, the series
// choice and the minute rule.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/logcase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* broken = logFileCase(std::string(reinterpret_cast<const char*>(data), size));
    if (broken) {
        std::fprintf(stderr, "broken: %s\n", broken);
        std::abort();
    }
    return 0;
}
