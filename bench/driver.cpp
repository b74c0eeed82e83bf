// The end-to-end benchmark: for each export size, the built converter converts a synthetic
// export in a fresh temporary directory with scripted answers, started as the classic dialogue
// and in the assisted mode (the export as argument), next to the baseline program; one table
// row reports time, throughput, the ratios to the baseline and to the classic run, and memory.
//   csv2vdp_bench PROGRAM BASELINE [--rows N,N,...] [--dives D] [--repeat R] [--seed S]
//                 [--rate SECONDS]   (every dive at that sampling rate; default: 1, 2 or 4 s)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "synth.h"

namespace {

constexpr int kRowSize = 120;
constexpr const char* kEndMarker = "# END OF PROFILE #";

struct Options {
    std::string program;
    std::string baseline;
    std::vector<int> rows{1000, 10000, 100000, 1000000};
    int dives = 10;
    int repeat = 7;
    uint64_t seed = 1;
    int rate = 0;  // 0: varied from dive to dive
};

struct Run {
    double seconds;  // processor time, user and system
    double wall;
    long maxRssKiB;
    int exitCode;  // -1 when it did not exit normally
};

struct Result {
    int samples;
    int rows;
    double exportBytes;
    double seconds;  // processor time, the best of the repeats
    double wall;     // the best of the repeats
    double baselineSeconds;
    double baselineWall;
    long maxRssKiB;  // highest over the repeats
    long baselineRssKiB;
    double assistedSeconds;  // the assisted mode, the best of the repeats
    double assistedWall;
    long assistedRssKiB;
};

double now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double seconds(const timeval& tv) {
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) * 1e-6;
}

void redirect(const std::string& name, int fd, int flags) {
    int opened = open(name.c_str(), flags, 0644);
    if (opened < 0) _exit(126);
    dup2(opened, fd);
    close(opened);
}

// Runs argv in dir with stdin and stdout from and to the given files, and measures it.
Run runIn(const std::string& dir, const std::vector<std::string>& argv, const std::string& in,
          const std::string& out) {
    double start = now();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        redirect(in, 0, O_RDONLY);
        redirect(out, 1, O_WRONLY | O_CREAT | O_TRUNC);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    Run run{0.0, 0.0, 0, -1};
    if (pid < 0) return run;
    int status = 0;
    rusage usage;
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) return run;
    }
    run.wall = now() - start;
    run.seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.maxRssKiB = usage.ru_maxrss;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

bool readWholeFile(const std::string& path, std::string* text) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return false;
    text->clear();
    char buf[1 << 16];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, file)) > 0)
        text->append(buf, n);
    fclose(file);
    return true;
}

// Lines of a finished profile, the end marker included; 0 when it is missing or unfinished.
long profileLines(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, &text)) return 0;
    size_t marker = strlen(kEndMarker);
    if (text.size() < marker || text.compare(text.size() - marker, marker, kEndMarker) != 0) {
        return 0;
    }
    return static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// The fastest run: on a shared machine the others only add what other work took away.
double best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// TMPDIR when set: the file system under the runs changes what writing the profile costs.
std::string scratchParent() {
    const char* dir = getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

// How many times `text` holds `what`.
int occurrences(const std::string& text, const char* what) {
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        count++;
    return count;
}

// Answers that went astray show up as a repeated question or as suggestions not taken.
bool assistedAnswersFit(const std::string& console, int suggestions) {
    return occurrences(console, "Ungueltige Eingabe") == 0 &&
           occurrences(console, "Fruehester Gaswechsel:") == suggestions &&
           occurrences(console, " vermerkt.") == suggestions;
}

// One conversion of big.csv in dir: classic with the name asked, or assisted with the export as
// argument. False when it failed, did not write a finished profile or lost its way in the
// answers.
bool convert(const Options& o, const std::string& dir, bool assisted, int suggestions, Run* run,
             long* lines) {
    unlink((dir + "/big.vdp").c_str());  // else the converter asks before replacing it
    std::vector<std::string> argv{o.program};
    if (assisted) argv.push_back("big.csv");
    *run =
        runIn(dir, argv, dir + (assisted ? "/assisted.txt" : "/answers.txt"), dir + "/console.txt");
    *lines = profileLines(dir + "/big.vdp");
    std::string console;
    bool fits = !assisted || (readWholeFile(dir + "/console.txt", &console) &&
                              assistedAnswersFit(console, suggestions));
    return run->exitCode == 0 && *lines != 0 && fits;
}

bool conversionFailed(const char* mode, int samples, const Run& run, const std::string& dir) {
    fprintf(stderr, "the %s conversion of %d sample rows failed (exit %d); see %s\n", mode, samples,
            run.exitCode, dir.c_str());
    return false;
}

bool measure(const Options& o, int samples, Result* result) {
    std::string pattern = scratchParent() + "/csv2vdp-bench-XXXXXX";
    if (!mkdtemp(&pattern[0])) {
        fprintf(stderr, "cannot make a directory under %s\n", scratchParent().c_str());
        return false;
    }
    std::string dir = pattern;
    SynthExport e = makeSyntheticExport(o.seed, o.dives, samples, "big", o.rate);
    bool ok = writeWholeFile(dir + "/big.csv", e.csv) &&
              writeWholeFile(dir + "/answers.txt", e.answers) &&
              writeWholeFile(dir + "/assisted.txt", e.assistedAnswers);
    std::vector<double> times;
    std::vector<double> walls;
    std::vector<double> baseTimes;
    std::vector<double> baseWalls;
    std::vector<double> assistedTimes;
    std::vector<double> assistedWalls;
    result->maxRssKiB = result->baselineRssKiB = result->assistedRssKiB = 0;
    for (int i = 0; ok && i < o.repeat; i++) {
        Run run;
        long lines;
        if (!convert(o, dir, false, 0, &run, &lines)) {
            return conversionFailed("classic", samples, run, dir);
        }
        Run assisted;
        long assistedLines;
        if (!convert(o, dir, true, e.suggestions, &assisted, &assistedLines)) {
            return conversionFailed("assisted", samples, assisted, dir);
        }
        Run base = runIn(dir, {o.baseline, "big.csv", "base.out", std::to_string(lines)},
                         "/dev/null", "/dev/null");
        if (base.exitCode != 0) {
            fprintf(stderr, "the baseline failed on %d sample rows\n", samples);
            return false;
        }
        times.push_back(run.seconds);
        walls.push_back(run.wall);
        baseTimes.push_back(base.seconds);
        baseWalls.push_back(base.wall);
        assistedTimes.push_back(assisted.seconds);
        assistedWalls.push_back(assisted.wall);
        result->maxRssKiB = std::max(result->maxRssKiB, run.maxRssKiB);
        result->assistedRssKiB = std::max(result->assistedRssKiB, assisted.maxRssKiB);
        result->baselineRssKiB = std::max(result->baselineRssKiB, base.maxRssKiB);
    }
    for (const char* name : {"big.csv", "big.vdp", "big.svg", "answers.txt", "assisted.txt",
                             "console.txt", "base.out"}) {
        unlink((dir + "/" + name).c_str());
    }
    rmdir(dir.c_str());
    if (!ok) {
        fprintf(stderr, "cannot write the export of %d sample rows under %s\n", samples,
                scratchParent().c_str());
        return false;
    }
    result->samples = samples;
    result->rows = e.rows;
    result->exportBytes = static_cast<double>(e.csv.size());
    result->seconds = best(times);
    result->wall = best(walls);
    result->baselineSeconds = best(baseTimes);
    result->baselineWall = best(baseWalls);
    result->assistedSeconds = best(assistedTimes);
    result->assistedWall = best(assistedWalls);
    return true;
}

double tableMiB(const Result& r) {
    return static_cast<double>(r.rows) * kRowSize / 1048576.0;
}
double rssMiB(long kib) {
    return static_cast<double>(kib) / 1024.0;
}
double nsPerRow(const Result& r) {
    return r.seconds * 1e9 / r.rows;
}

void printMachine() {
    std::string cpu = "unknown CPU";
    std::string info;
    if (readWholeFile("/proc/cpuinfo", &info)) {
        size_t at = info.find("model name");
        if (at != std::string::npos) {
            size_t colon = info.find(':', at);
            size_t end = info.find('\n', at);
            if (colon != std::string::npos && colon < end)
                cpu = info.substr(colon + 2, end - colon - 2);
        }
    }
    utsname u;
    std::string os = uname(&u) == 0 ? std::string(u.sysname) + " " + u.release : "unknown OS";
    printf("Machine: %s, %ld CPUs, %s\n\n", cpu.c_str(), sysconf(_SC_NPROCESSORS_ONLN), os.c_str());
}

void printRow(const Result& r) {
    printf(
        "| %d | %.2f | %.1f | %.1f | %.0f | %.1f | %.2f | %.1f | %.2f | %.0f | %.1f | %.1f | %.1f "
        "| %.1f |\n",
        r.samples, r.exportBytes / 1e6, r.seconds * 1e3, r.wall * 1e3,
        r.exportBytes / 1e6 / r.seconds, r.baselineSeconds * 1e3, r.seconds / r.baselineSeconds,
        r.assistedSeconds * 1e3, r.assistedSeconds / r.seconds, nsPerRow(r), rssMiB(r.maxRssKiB),
        tableMiB(r), rssMiB(r.maxRssKiB) - tableMiB(r), rssMiB(r.baselineRssKiB));
}

void printTable(const Result& start, const std::vector<Result>& results, int dives, int repeat) {
    printf(
        "Whole conversion, %d dives, best of %d runs. Time is processor time (user + system),\n"
        "which other work on a shared machine disturbs far less than wall time. The first row,\n"
        "the 23 header rows alone, is what starting the process costs. Time, wall, MB/s, ratio,\n"
        "ns/row and memory are the classic run's; \"assisted\" is the export given as argument,\n"
        "with every suggested gas switch taken, and its ratio is to the classic run.\n\n",
        dives, repeat);
    printf(
        "| sample rows | export MB | time ms | wall ms | MB/s | baseline ms | ratio | assisted ms "
        "| assisted ratio | ns/row | peak RSS MiB | table MiB | RSS - table MiB "
        "| baseline RSS MiB |\n");
    printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    printRow(start);
    for (const Result& r : results)
        printRow(r);
    printf("\n");
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

// The targets are set for 1,000,000 sample rows; a shorter ladder is judged at its largest.
// Spread of a per-row figure over the sizes from 10,000 sample rows up, as max / min - 1.
template <typename PerRow>
bool spread(const std::vector<Result>& results, PerRow perRow, double* lo, double* hi) {
    int counted = 0;
    for (const Result& r : results) {
        if (r.samples < 10000) continue;
        double ns = perRow(r);
        *lo = counted ? std::min(*lo, ns) : ns;
        *hi = counted ? std::max(*hi, ns) : ns;
        counted++;
    }
    return counted >= 2;
}

// The targets are set for 1,000,000 sample rows; a shorter ladder is judged at its largest.
// `start` is the run with the header rows alone: what starting the process costs.
void printTargets(const std::vector<Result>& results, const Result& start) {
    const Result& top = results.back();
    double ratio = top.seconds / top.baselineSeconds;
    double over = rssMiB(top.maxRssKiB) - tableMiB(top);
    printf("Targets at %d sample rows:\n", top.samples);
    printf("- time at most 1.5 x baseline: %.2f x, %s\n", ratio, verdict(ratio <= 1.5));
    // The converter syncs the profile to the disk before it replaces the old one; the baseline
    // does not, so wall time also holds the wait for the disk.
    printf("  in wall time: %.2f x\n", top.wall / top.baselineWall);
    printf("- peak memory at most table + 8 MiB: table + %.1f MiB, %s\n", over,
           verdict(over <= 8.0));
    double assisted = top.assistedSeconds / top.seconds;
    printf("- assisted mode at most 1.2 x the classic run: %.2f x, %s\n", assisted,
           verdict(assisted <= 1.2));
    printf("  in wall time: %.2f x; peak memory: table + %.1f MiB\n", top.assistedWall / top.wall,
           rssMiB(top.assistedRssKiB) - tableMiB(top));
    double lo = 0;
    double hi = 0;
    if (!spread(results, nsPerRow, &lo, &hi)) return;
    printf(
        "- time per row constant within 20 %% from 10,000 rows up: %.0f to %.0f ns, "
        "%.0f %% apart, %s\n",
        lo, hi, (hi / lo - 1.0) * 100.0, verdict(hi <= 1.2 * lo));
    auto net = [&start](const Result& r) {
        return (r.seconds - start.seconds) * 1e9 / (r.rows - start.rows);
    };
    auto baseline = [](const Result& r) { return r.baselineSeconds * 1e9 / r.rows; };
    spread(results, net, &lo, &hi);
    printf(
        "  without the %.1f ms that starting the process costs: %.0f to %.0f ns, %.0f %% apart\n",
        start.seconds * 1e3, lo, hi, (hi / lo - 1.0) * 100.0);
    spread(results, baseline, &lo, &hi);
    printf("  the baseline's own time per row: %.0f to %.0f ns, %.0f %% apart\n", lo, hi,
           (hi / lo - 1.0) * 100.0);
}

std::vector<int> parseList(const char* text) {
    std::vector<int> list;
    for (const char* p = text; *p;) {
        char* end;
        long value = strtol(p, &end, 10);
        if (end == p) break;
        list.push_back(static_cast<int>(value));
        p = *end == ',' ? end + 1 : end;
    }
    return list;
}

// The runs change directory, so the programs are named by absolute paths; "" when missing.
std::string absolute(const char* path) {
    char* full = realpath(path, nullptr);
    std::string result = full ? full : "";
    free(full);
    return result;
}

bool parseOptions(int argc, char** argv, Options* o) {
    if (argc < 3) return false;
    o->program = absolute(argv[1]);
    o->baseline = absolute(argv[2]);
    for (int i = 3; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--rows") {
            o->rows = parseList(argv[i + 1]);
        } else if (flag == "--dives") {
            o->dives = atoi(argv[i + 1]);
        } else if (flag == "--repeat") {
            o->repeat = std::max(1, atoi(argv[i + 1]));
        } else if (flag == "--rate") {
            o->rate = std::max(0, atoi(argv[i + 1]));
        } else if (flag == "--seed") {
            o->seed = strtoull(argv[i + 1], nullptr, 10);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !o->program.empty() && !o->baseline.empty() && !o->rows.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, &o)) {
        fprintf(stderr,
                "usage: %s PROGRAM BASELINE [--rows N,N,...] [--dives D] [--repeat R] "
                "[--seed S] [--rate SECONDS]\n",
                argv[0]);
        return 2;
    }
    printMachine();
    Result start;
    if (!measure(o, 0, &start)) return 1;
    std::vector<Result> results;
    for (int samples : o.rows) {
        Result r;
        if (!measure(o, samples, &r)) return 1;
        results.push_back(r);
    }
    printTable(start, results, o.dives, o.repeat);
    printTargets(results, start);
    return 0;
}
