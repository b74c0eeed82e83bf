// Writes one synthetic export and the console answers that convert it, for runs by hand.
//   csv2vdp_gen SEED DIVES SAMPLE_ROWS BASENAME [RATE]   writes BASENAME.csv, BASENAME.answers
//   (for the classic start) and BASENAME.assisted (for `csv2vdp BASENAME.csv`); RATE gives every
//   dive that sampling rate
#include <cstdio>
#include <cstdlib>
#include <string>

#include "synth.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        fprintf(stderr, "usage: %s SEED DIVES SAMPLE_ROWS BASENAME [RATE]\n", argv[0]);
        return 2;
    }
    std::string base = argv[4];
    int rate = argc == 6 ? atoi(argv[5]) : 0;
    SynthExport e = makeSyntheticExport(strtoull(argv[1], nullptr, 10), atoi(argv[2]),
                                        atoi(argv[3]), base, rate);
    if (!writeWholeFile(base + ".csv", e.csv) || !writeWholeFile(base + ".answers", e.answers) ||
        !writeWholeFile(base + ".assisted", e.assistedAnswers)) {
        fprintf(stderr, "cannot write %s.csv, .answers or .assisted\n", base.c_str());
        return 1;
    }
    return 0;
}
