// The reference sample count, kept beside the tests and benchmarks that use it.
#include "support/samples.h"

#include "import/fields.h"
#include "import/logbook.h"

int countSamples(int d) {
    int count = 0;
    for (int r = 23; r < zeilen; r++) {
        int start = leftFieldStart(tabelle[r].data(), d);
        char c = start >= 0 && start < kRowSize ? tabelle[r][start] : '\0';
        if (c >= '0' && c <= '9') count++;
    }
    return count;
}
