// The checks after each fuzzed log: what the reader, the series choice and the minute rule
// promise for any input.
#include "fuzz/logcase.h"

#include <cmath>

#include "assist/minutes.h"
#include "assist/series.h"
#include "import/logfile.h"

namespace {

bool plainLine(const std::string& text) {
    if (text.compare(0, 7, "ERROR: ") != 0) return false;
    for (char c : text) {
        if (c < 0x20 || c >= 0x7f) return false;
    }
    return true;
}

// Lines of plain ASCII, as the flow prints a dive's note and refusal.
bool plainLines(const std::string& text) {
    for (char c : text) {
        if ((c < 0x20 && c != '\n') || c >= 0x7f) return false;
    }
    return true;
}

const char* checkDive(const LogDive& d) {
    if (d.gases.empty()) return "a dive without any gas";
    if (!plainLines(d.note) || !plainLines(d.refusal)) return "a note or refusal not plain";
    int gases = static_cast<int>(d.gases.size());
    if (d.firstGas < 0 || d.firstGas >= gases) return "first gas out of range";
    double before = -INFINITY;
    int inUse = d.firstGas;
    for (const LogSwitch& w : d.switches) {
        if (w.gas < 0 || w.gas >= gases) return "switch to a gas out of range";
        if (!(w.seconds >= before)) return "switches out of time order";
        if (w.gas == inUse) return "a switch to the gas in use";
        before = w.seconds;
        inUse = w.gas;
    }
    for (const LogGas& g : d.gases) {
        if (!(g.o2 >= 0 && g.o2 <= 100 && g.he >= 0 && g.he <= 100)) return "gas out of 0..100";
    }
    for (const LogSample& s : d.samples) {
        if (!std::isfinite(s.seconds) || !std::isfinite(s.depth)) return "sample not finite";
    }
    std::vector<DiveMinute> minutes = allMinutes(logDive(d, 1));
    if (minutes.size() > static_cast<size_t>(kMaxDiveMinutes)) return "too many minutes";
    for (const DiveMinute& m : minutes) {
        if (m.depth < 0) return "negative minute depth";
        if (m.nitrogen < 0 || m.nitrogen > 100 || m.helium < 0 || m.helium > 100) {
            return "gas column out of 0..100";
        }
    }
    return nullptr;
}

}  // namespace

const char* logFileCase(const std::string& data) {
    LogFile f = readLogBuffer(data.data(), data.size(), "fuzz.uddf");
    if (!f.ok) return plainLine(f.error) && f.dives.empty() ? nullptr : "a bad error message";
    for (const LogDive& d : f.dives) {
        const char* broken = checkDive(d);
        if (broken) return broken;
    }
    int count = static_cast<int>(f.dives.size());
    std::vector<int> series = defaultSeries(f.dives);
    if (count > 0 && (series.empty() || series.back() != count - 1))
        return "series without the last dive";
    for (size_t i = 1; i < series.size(); ++i) {
        if (series[i] != series[i - 1] + 1) return "series with a gap";
    }
    DiveChoice choice = parseDiveList(data.substr(0, 12), count);
    if (choice.ok) {
        for (int d : choice.dives) {
            if (d < 0 || d >= count) return "list names a dive beyond the file";
        }
    } else if (!plainLine(choice.error)) {
        return "a bad list message";
    }
    return nullptr;
}
