// Writes one synthetic export and the console answers that convert it, for runs by hand.
//   csv2vdp_gen SEED DIVES SAMPLE_ROWS BASENAME   writes BASENAME.csv, BASENAME.answers (for
//   the classic start) and BASENAME.assisted (for `csv2vdp BASENAME.csv`)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "synth.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: %s SEED DIVES SAMPLE_ROWS BASENAME\n", argv[0]);
        return 2;
    }
    std::string base = argv[4];
    SynthExport e =
        makeSyntheticExport(strtoull(argv[1], nullptr, 10), atoi(argv[2]), atoi(argv[3]), base);
    if (!writeWholeFile(base + ".csv", e.csv) || !writeWholeFile(base + ".answers", e.answers) ||
        !writeWholeFile(base + ".assisted", e.assistedAnswers)) {
        fprintf(stderr, "cannot write %s.csv, .answers or .assisted\n", base.c_str());
        return 1;
    }
    return 0;
}
