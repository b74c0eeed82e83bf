// Every real log of ../shared/real-logs (other people's files, read where they lie): the counts
// of SOURCES.md, the dive modes it names, and the minutes of every open-circuit dive checked
// against a plain reading of the rules written here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "assist/minutes.h"
#include "assist/series.h"
#include "import/logfile.h"

namespace {

const std::string kDir = std::string(CSV2VDP_SOURCE_DIR) + "/../shared/real-logs/";

struct Listed {
    std::string file;
    int dives, samples, switches;
};

// The rows of SOURCES.md's table of logs: file, ..., dives, samples, switches.
std::vector<Listed> listedLogs() {
    std::vector<Listed> out;
    std::ifstream in(kDir + "SOURCES.md");
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream row(line);
        std::string cell;
        while (std::getline(row, cell, '|')) {
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            cells.push_back(cell);
        }
        if (cells.size() < 8) continue;
        const std::string& f = cells[1];
        bool log =
            f.size() > 5 && (f.rfind(".uddf") == f.size() - 5 || f.rfind(".ssrf") == f.size() - 5 ||
                             f.rfind(".xml") == f.size() - 4);
        if (!log || cells[5].empty() || !std::isdigit(static_cast<unsigned char>(cells[5][0]))) {
            continue;
        }
        out.push_back(Listed{f, std::stoi(cells[5]), std::stoi(cells[6]), std::stoi(cells[7])});
    }
    return out;
}

// Dive modes and dives without samples as SOURCES.md describes them.
struct Marked {
    int rebreather, apnoe, empty;
};
const std::map<std::string, Marked> kMarked = {
    {"submersion-002-ccr-low-sp.ssrf", {1, 0, 0}},
    {"submersion-003-ccr-sp-switch.ssrf", {1, 0, 0}},
    {"submersion-006-ccr-petrel3-cloud.uddf", {1, 0, 0}},
    {"swiftuddf-dive105.uddf", {1, 0, 0}},
    {"subsurface-test-apd-inspiration.uddf", {1, 0, 1}},
    {"subsurface-abitofeverything.ssrf", {2, 0, 0}},
    {"subsurface-test40-42.xml", {2, 0, 0}},
    {"rubyuddf-oceanicplus-10dives.uddf", {0, 3, 0}},
};

// SOURCES.md counts the samples of each dive's first computer; where a later one of a dive
// went deeper, its samples are read instead (our count).
const std::map<std::string, int> kDeepestComputerSamples = {
    {"subsurface-SampleDivesV2.ssrf", 12566},
    {"subsurface-abitofeverything.ssrf", 6451},
};

int halfUp(double x) {
    return static_cast<int>(std::floor(x + 0.5));
}

// The points a diver would draw: 0 m at 0 s before a later first sample, the samples in time
// order, and a last sample deeper than 1 m held to the logged duration and brought up at
// 10 m/min, a point a minute.
std::vector<LogSample> drawn(const LogDive& d) {
    std::vector<LogSample> p = d.samples;
    std::stable_sort(p.begin(), p.end(),
                     [](const LogSample& a, const LogSample& b) { return a.seconds < b.seconds; });
    if (p.front().seconds > 0) p.insert(p.begin(), LogSample{0, 0});
    LogSample last = p.back();
    if (last.depth > 1) {
        double t = std::max(last.seconds, d.durationSeconds);
        if (t > last.seconds) p.push_back({t, last.depth});
        for (double depth = last.depth - 10; depth > 0; depth -= 10)
            p.push_back({t += 60, depth});
        p.push_back({std::max(last.seconds, d.durationSeconds) + last.depth * 6, 0});
    }
    return p;
}

// The depth at x between two points: interpolated, the deeper one across more than 60 s;
// false where a point stands at x or x lies outside them.
bool between(const std::vector<LogSample>& p, double x, double* depth) {
    for (size_t k = 1; k < p.size(); k++) {
        if (p[k - 1].seconds == x || p[k].seconds == x) return false;
        if (p[k - 1].seconds < x && p[k].seconds > x) {
            double gap = p[k].seconds - p[k - 1].seconds;
            *depth = gap > 60 ? std::max(p[k - 1].depth, p[k].depth)
                              : p[k - 1].depth +
                                    (p[k].depth - p[k - 1].depth) * (x - p[k - 1].seconds) / gap;
            return true;
        }
    }
    return false;
}

int inertOf(const LogGas& g) {
    bool air = g.he < 0.5 && g.o2 > 20.8 && g.o2 < 21.2;
    return air ? 78 : halfUp(100 - g.o2 - g.he) + halfUp(g.he);
}

// The rules read plainly, minute by minute over all points and switches.
void checkMinutes(const LogDive& d, const std::string& where) {
    std::vector<DiveMinute> got = allMinutes(logDive(d, 1));
    std::vector<LogSample> p = drawn(d);
    size_t minutes = static_cast<size_t>(std::ceil(p.back().seconds / 60));
    ASSERT_EQ(got.size(), minutes) << where;
    for (size_t i = 0; i < minutes; ++i) {
        double a = 60.0 * static_cast<double>(i), b = a + 60;
        double depth = -1e9;
        double x = 0;
        for (const LogSample& s : p) {
            if (s.seconds >= a && s.seconds <= b) depth = std::max(depth, s.depth);
        }
        if (between(p, a, &x)) depth = std::max(depth, x);
        if (between(p, b, &x)) depth = std::max(depth, x);
        int want = depth == -1e9 ? 0 : std::max(0, halfUp(depth));
        EXPECT_EQ(got[i].depth, want) << where << " minute " << i + 1;

        // Every gas breathed in [a, b): the one in use at a and every switch before b.
        std::vector<LogSwitch> w = d.switches;
        std::stable_sort(w.begin(), w.end(), [](const LogSwitch& l, const LogSwitch& r) {
            return l.seconds < r.seconds;
        });
        int gas = d.firstGas;
        std::vector<int> breathed;
        for (const LogSwitch& s : w) {
            if (s.seconds <= a) gas = s.gas;
        }
        breathed.push_back(gas);
        for (const LogSwitch& s : w) {
            if (s.seconds > a && s.seconds < b) breathed.push_back(s.gas);
        }
        const LogGas* chosen = nullptr;
        for (int g : breathed) {
            const LogGas& here = d.gases.at(static_cast<size_t>(g));
            if (!chosen || inertOf(here) >= inertOf(*chosen)) chosen = &here;
        }
        EXPECT_EQ(got[i].nitrogen + got[i].helium, inertOf(*chosen))
            << where << " minute " << i + 1;
        EXPECT_EQ(got[i].helium, halfUp(chosen->he)) << where << " minute " << i + 1;
    }
}

TEST(RealLogs, ReadAsSourcesListsThem) {
    std::vector<Listed> logs = listedLogs();
    if (logs.empty()) GTEST_SKIP() << "no real logs at " << kDir;
    int rebreather = 0, apnoe = 0, empty = 0;
    for (const Listed& l : logs) {
        LogFile f = readLogFile(kDir + l.file);
        ASSERT_TRUE(f.ok) << l.file << ": " << f.error;
        EXPECT_EQ(static_cast<int>(f.dives.size()), l.dives) << l.file;
        int samples = 0, switches = 0;
        Marked marked{0, 0, 0};
        for (size_t i = 0; i < f.dives.size(); ++i) {
            const LogDive& d = f.dives[i];
            samples += static_cast<int>(d.samples.size());
            switches += static_cast<int>(d.switches.size());
            ASSERT_FALSE(d.gases.empty());
            marked.rebreather += d.kind == kRebreather;
            marked.apnoe += d.kind == kApnoe;
            marked.empty += d.samples.empty();
            if (d.kind == kOpenCircuit && !d.samples.empty()) {
                checkMinutes(d, l.file + " dive " + std::to_string(i + 1));
            }
        }
        auto deeper = kDeepestComputerSamples.find(l.file);
        EXPECT_EQ(samples, deeper == kDeepestComputerSamples.end() ? l.samples : deeper->second)
            << l.file;
        EXPECT_EQ(switches, l.switches) << l.file;
        auto it = kMarked.find(l.file);
        Marked want = it == kMarked.end() ? Marked{0, 0, 0} : it->second;
        EXPECT_EQ(marked.rebreather, want.rebreather) << l.file;
        EXPECT_EQ(marked.apnoe, want.apnoe) << l.file;
        EXPECT_EQ(marked.empty, want.empty) << l.file;
        rebreather += marked.rebreather;
        apnoe += marked.apnoe;
        empty += marked.empty;
    }
    // SOURCES.md's totals: 27 logs, 9 CCR dives, 3 apnoe dives, 1 without samples.
    EXPECT_EQ(logs.size(), 27u);
    EXPECT_EQ(rebreather, 9);
    EXPECT_EQ(apnoe, 3);
    EXPECT_EQ(empty, 1);
}

// Stored newest first: read oldest first, said once, and the last series is the last dive
// alone, not two years of dives.
TEST(RealLogs, NewestFirstFileReadOldestFirst) {
    LogFile f = readLogFile(kDir + "rubyuddf-oceanicplus-10dives.uddf");
    if (!f.ok && listedLogs().empty()) GTEST_SKIP() << "no real logs at " << kDir;
    ASSERT_TRUE(f.ok) << f.error;
    EXPECT_TRUE(f.sorted);
    ASSERT_EQ(f.dives.size(), 10u);
    EXPECT_EQ(f.dives.front().date, "31.10.2023");
    EXPECT_EQ(f.dives.front().time, "13:43");
    EXPECT_EQ(f.dives.back().date, "02.07.2025");
    for (size_t i = 1; i < f.dives.size(); ++i)
        EXPECT_LE(f.dives[i - 1].startMinute, f.dives[i].startMinute) << i;
    EXPECT_EQ(defaultSeries(f.dives), std::vector<int>{9});
}

}  // namespace
