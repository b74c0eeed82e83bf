// The reference sample count, kept beside the tests and benchmarks that use it.
#include "support/samples.h"

#include "import/fields.h"
#include "import/logbook.h"

int countSamples(const Logbook& lb, int d) {
    int count = 0;
    for (int r = kFirstSampleRow; r < rowCount(lb); r++) {
        int start = leftFieldStart(lb.rows[r].data(), d);
        char c = start >= 0 && start < kRowSize ? lb.rows[r][start] : '\0';
        if (c >= '0' && c <= '9') count++;
    }
    return count;
}
