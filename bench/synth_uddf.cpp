// Writes the synthetic UDDF log: pretty-printed as the common writers do, with temperatures
// and tank pressures the reader passes over.
#include "synth_uddf.h"

#include <cmath>
#include <cstdio>

namespace {

// A small generator of our own, so that every platform gives the same bytes.
uint64_t next(uint64_t* state) {
    *state = *state * 6364136223846793005ULL + 1442695040888963407ULL;
    return *state >> 33;
}

void add(std::string* out, const char* format, double a, double b = 0) {
    char line[160];
    int n = std::snprintf(line, sizeof line, format, a, b);
    if (n > 0) out->append(line, static_cast<size_t>(n < 160 ? n : 159));
}

}  // namespace

std::string makeSyntheticUddf(uint64_t seed, int dives, int waypoints) {
    uint64_t state = seed;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.3\">\n"
        "  <gasdefinitions>\n"
        "    <mix id=\"OC1:21/35\"><name>TX21/35</name><o2>0.21</o2><he>0.35</he></mix>\n"
        "    <mix id=\"OC2:50/00\"><name>EAN50</name><o2>0.50</o2><he>0.00</he></mix>\n"
        "    <mix id=\"OC3:99/00\"><name>O2</name><o2>0.99</o2><he>0.00</he></mix>\n"
        "  </gasdefinitions>\n  <profiledata>\n";
    for (int d = 0; d < dives; ++d) {
        out += "    <repetitiongroup>\n      <dive>\n        <informationbeforedive>\n";
        add(&out, "          <datetime>2026-05-%02.0f", 1 + d % 28);
        add(&out, "T%02.0f:%02.0f:00</datetime>\n", 8 + d % 10,
            static_cast<double>(next(&state) % 60));
        out += "        </informationbeforedive>\n        <samples>\n";
        double t = 0;
        for (int w = 0; w < waypoints; ++w) {
            double part = static_cast<double>(w) / waypoints;
            double depth =
                60 * std::sin(3.14159 * part) + static_cast<double>(next(&state) % 100) / 100;
            out += "          <waypoint>\n";
            add(&out, "            <depth>%.2f</depth>\n", depth);
            add(&out, "            <divetime>%.0f</divetime>\n", t);
            if (w == 0) out += "            <switchmix ref=\"OC1:21/35\"/>\n";
            if (w == waypoints * 3 / 4) out += "            <switchmix ref=\"OC2:50/00\"/>\n";
            if (w == waypoints * 9 / 10) out += "            <switchmix ref=\"OC3:99/00\"/>\n";
            add(&out, "            <temperature>%.2f</temperature>\n", 290 + part * 3);
            add(&out, "            <tankpressure>%.0f</tankpressure>\n", 2e7 - part * 1.5e7);
            out += "          </waypoint>\n";
            // Mostly 2 to 10 s on, now and then the same time twice.
            if (next(&state) % 50 != 0) t += static_cast<double>(2 + next(&state) % 9);
        }
        out += "        </samples>\n      </dive>\n    </repetitiongroup>\n";
    }
    out += "  </profiledata>\n</uddf>\n";
    return out;
}
