// Writes one synthetic UDDF log, for runs by hand (the memory check of a 200 MB file).
//   csv2vdp_gen_uddf SEED DIVES WAYPOINTS FILE
#include <cstdio>
#include <cstdlib>
#include <string>

#include "synth.h"
#include "synth_uddf.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SEED DIVES WAYPOINTS FILE\n", argv[0]);
        return 2;
    }
    std::string log = makeSyntheticUddf(std::strtoull(argv[1], nullptr, 10), std::atoi(argv[2]),
                                        std::atoi(argv[3]));
    if (!writeWholeFile(argv[4], log)) {
        std::fprintf(stderr, "cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
