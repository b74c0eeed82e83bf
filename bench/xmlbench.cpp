// The XML log benchmark: reading a synthetic UDDF log and turning every dive into minutes,
// against expat alone parsing the same file with handlers that only count, in the same run.
//   csv2vdp_xmlbench [--dives D] [--waypoints W] [--repeat R] [--seed S] [--file LOG]
// Prints both times (the best of the repeats) and their ratio; the goal is at most 2. With
// --file it times that log instead of a generated one (for the memory check of a huge file
// under /usr/bin/time -v).
#include <expat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assist/minutes.h"
#include "import/logfile.h"
#include "synth.h"
#include "synth_uddf.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Counts {
    long elements = 0;
    long textBytes = 0;
};

void XMLCALL countStart(void* data, const XML_Char*, const XML_Char**) {
    static_cast<Counts*>(data)->elements++;
}
void XMLCALL countEnd(void*, const XML_Char*) {}
void XMLCALL countText(void* data, const XML_Char*, int len) {
    static_cast<Counts*>(data)->textBytes += len;
}

// expat over the file in the reader's 64 KiB pieces, counting elements; -1 on failure.
long expatOnly(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    XML_Parser p = XML_ParserCreate(nullptr);
    Counts counts;
    XML_SetUserData(p, &counts);
    XML_SetElementHandler(p, countStart, countEnd);
    XML_SetCharacterDataHandler(p, countText);
    bool ok = true;
    for (;;) {
        void* buffer = XML_GetBuffer(p, 64 * 1024);
        size_t len = buffer ? std::fread(buffer, 1, 64 * 1024, f) : 0;
        bool last = len < 64 * 1024;
        if (!buffer || XML_ParseBuffer(p, static_cast<int>(len), last) != XML_STATUS_OK) {
            ok = false;
            break;
        }
        if (last) break;
    }
    XML_ParserFree(p);
    std::fclose(f);
    return ok ? counts.elements : -1;
}

// The reader and the minute rule over every dive; the number of minutes, -1 on failure.
long readerAndMinutes(const std::string& path) {
    LogFile log = readLogFile(path);
    if (!log.ok) {
        std::fprintf(stderr, "%s\n", log.error.c_str());
        return -1;
    }
    long minutes = 0;
    for (const LogDive& d : log.dives)
        minutes += static_cast<long>(allMinutes(logDive(d, 1)).size());
    return minutes;
}

template <typename F>
double best(int repeat, F run, long* result) {
    double fastest = 1e300;
    for (int r = 0; r < repeat; ++r) {
        Clock::time_point start = Clock::now();
        *result = run();
        fastest = std::min(fastest, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return fastest;
}

}  // namespace

int main(int argc, char** argv) {
    int dives = 10, waypoints = 10000, repeat = 5;
    unsigned long long seed = 1;
    std::string given;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        const char* value = argv[i + 1];
        if (option == "--dives") {
            dives = std::atoi(value);
        } else if (option == "--waypoints") {
            waypoints = std::atoi(value);
        } else if (option == "--repeat") {
            repeat = std::atoi(value);
        } else if (option == "--seed") {
            seed = std::strtoull(value, nullptr, 10);
        } else if (option == "--file") {
            given = value;
        } else {
            dives = 0;  // the usage below
        }
    }
    if (dives < 1 || waypoints < 2 || repeat < 1) {
        std::fprintf(stderr,
                     "usage: %s [--dives D] [--waypoints W] [--repeat R] [--seed S] [--file LOG]\n",
                     argv[0]);
        return 2;
    }
    char dir[] = "/tmp/csv2vdp-xmlbench-XXXXXX";
    std::string path = given;
    std::string log;
    if (given.empty()) {
        if (!mkdtemp(dir)) return 1;
        path = std::string(dir) + "/log.uddf";
        log = makeSyntheticUddf(seed, dives, waypoints);
        if (!writeWholeFile(path, log)) return 1;
    }

    long elements = 0, minutes = 0;
    // One untimed pass of each, so that both find the file in the page cache.
    expatOnly(path);
    readerAndMinutes(path);
    double parse = best(
        repeat, [&] { return expatOnly(path); }, &elements);
    double convert = best(
        repeat, [&] { return readerAndMinutes(path); }, &minutes);
    if (given.empty()) {
        std::remove(path.c_str());
        rmdir(dir);
    }
    if (elements < 0 || minutes < 0) return 1;
    if (given.empty()) {
        std::printf("UDDF log: %d dives x %d waypoints, %.1f MB, ", dives, waypoints,
                    static_cast<double>(log.size()) / 1e6);
    } else {
        std::printf("%s: ", given.c_str());
    }
    std::printf("%ld elements, %ld minutes\n", elements, minutes);
    std::printf("expat alone (counting):    %8.1f ms\n", parse * 1e3);
    std::printf("readLogFile + allMinutes:     %8.1f ms\n", convert * 1e3);
    std::printf("ratio: %.2f (goal: at most 2)\n", convert / parse);
    return 0;
}
