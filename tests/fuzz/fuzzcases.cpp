// The fuzzed runs: inputs, a bound on the profile's size, and what every run must leave.
#include "fuzz/fuzzcases.h"

#include <cstdio>
#include <cstdlib>

#include "support/runflow.h"
#include "test_seams.h"
#include "testutil.h"

namespace {

// Some 9000 lines, half as many again as the planner takes; a longer profile takes the
// full-disk path, so that an interval of billions of minutes costs no more than a short one.
constexpr size_t kMaxBytes = 128 * 1024;

// Written by hand; any profile does.
const char kEarlier[] = "Depth\tt.delta\tt.total\tN2%\tHe%\r\n0\t1\t1\t79\t0\r\n# END OF PROFILE #";

std::string exportData;
size_t written = 0;

bool boundWrites(TextOp op, size_t bytes) {
    if (op != kOpWrite) return false;
    written += bytes;
    return written > kMaxBytes;
}

int boundedRun(const std::string& input, std::string* out) {
    written = 0;
    textSetFaultHook(boundWrites);
    int code = runFlow(input, out);
    textSetFaultHook(nullptr);
    return code;
}

int boundedExports(bool unattended, const std::string& input, std::string* out) {
    written = 0;
    textSetFaultHook(boundWrites);
    int code = runExports({unattended ? "fuzz.csv" : "logbuch"}, unattended, input, out);
    textSetFaultHook(nullptr);
    return code;
}

// Nothing but the export, its profile and the profile's picture may be left in the directory.
bool strayFile(const char* name) {
    for (const std::string& file : listDir()) {
        if (file != name + std::string(".csv") && file != name + std::string(".vdp") &&
            file != name + std::string(".svg")) {
            return true;
        }
    }
    return false;
}

// A picture only beside a profile this run wrote (`wrote`), and then a whole one.
const char* pictureProblem(const char* name, bool wrote) {
    std::string path = name + std::string(".svg");
    if (!fileExists(path.c_str())) return nullptr;
    std::string svg = readFile(path.c_str());
    remove(path.c_str());
    if (!wrote) return "picture without a profile written";
    bool whole = svg.compare(0, 5, "<?xml") == 0 && svg.size() > 7 &&
                 svg.compare(svg.size() - 7, 7, "</svg>\n") == 0;
    return whole ? nullptr : "picture cut short";
}

// Digits without a leading zero, then `end`; returns where the next field starts, or npos.
size_t number(const std::string& s, size_t at, char end, long long* value) {
    size_t i = at;
    *value = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        *value = *value * 10 + (s[i] - '0');
        if (*value > 2147483647) return std::string::npos;
        i++;
    }
    if (i == at || (i - at > 1 && s[at] == '0')) return std::string::npos;
    if (i >= s.size() || s[i] != end) return std::string::npos;
    return i + 1;
}

// The header, lines of five numbers whose running minute counts 1, 2, 3 ... with CR LF ends,
// t.delta 1 and helium 0, then the end marker.
bool isProfile(const std::string& data) {
    const std::string header = "Depth\tt.delta\tt.total\tN2%\tHe%\r\n";
    if (data.compare(0, header.size(), header) != 0) return false;
    size_t at = header.size();
    long long minute = 1;
    while (at < data.size() && data[at] != '#') {
        long long value;
        at = number(data, at, '\t', &value);
        if (at != std::string::npos) at = number(data, at, '\t', &value);
        if (at == std::string::npos || value != 1) return false;
        at = number(data, at, '\t', &value);
        if (at == std::string::npos || value != minute++) return false;
        at = number(data, at, '\t', &value);
        if (at != std::string::npos) at = number(data, at, '\r', &value);
        if (at == std::string::npos || value != 0) return false;
        if (at >= data.size() || data[at] != '\n') return false;
        at++;
    }
    return data.compare(at, std::string::npos, "# END OF PROFILE #") == 0;
}

std::string buildAnswers() {
    // Every question takes one of these within four lines: a choice 'y' or 'n', a time 0:00
    // (never too late) or 1:30, an 'n' bringing the interval entry. Enough for 119 dives.
    std::string answers = "fuzz\n";
    for (int i = 0; i < 300; i++)
        answers += "y\n0:00\nn\n1:30\n";
    return answers;
}

}  // namespace

const char* exportCase(const std::string& data, std::string* out) {
    static const std::string answers = buildAnswers();
    writeFile("fuzz.csv", data);
    remove("fuzz.vdp");
    int code = boundedRun(answers, out);
    if (code != 0 && code != -1 && code != 1) return "exit code";
    if (strayFile("fuzz")) return "temporary file left";
    // The classic dialogue draws no picture.
    if (const char* problem = pictureProblem("fuzz", false)) return problem;
    if (code == -1 || code == 1) {
        return fileExists("fuzz.vdp") ? "profile written by a failed run" : nullptr;
    }
    return isProfile(readFile("fuzz.vdp")) ? nullptr : "profile malformed";
}

void consoleCaseSetUp() {
    exportData = readFile(CSV2VDP_SOURCE_DIR "/examples/logbuch.csv");
    if (exportData.empty()) fuzzReport("examples/logbuch.csv not found");
    writeFile("logbuch.csv", exportData);
}

const char* consoleCase(const std::string& input, std::string* out) {
    writeFile("logbuch.vdp", kEarlier);
    int code = boundedRun(input, out);
    std::string profile = readFile("logbuch.vdp");
    if (code != 0 && code != -1 && code != 1) return "exit code";
    if (strayFile("logbuch")) return "temporary file left";
    if (const char* problem = pictureProblem("logbuch", false)) return problem;
    if (readFile("logbuch.csv") != exportData) return "export changed";
    // -1 a failed run, 1 a run the diver ended at a WARNUNG: neither touches the profile.
    if (code == -1 || code == 1)
        return profile == kEarlier ? nullptr : "earlier profile changed by a failed run";
    return profile == kEarlier || isProfile(profile) ? nullptr : "profile malformed";
}

const char* unattendedExportCase(const std::string& data, std::string* out) {
    writeFile("fuzz.csv", data);
    remove("fuzz.vdp");
    int code = boundedExports(true, "", out);
    if (code != 0 && code != -1) return "exit code";
    if (strayFile("fuzz")) return "temporary file left";
    if (const char* problem = pictureProblem("fuzz", code == 0)) return problem;
    if (code == -1) return fileExists("fuzz.vdp") ? "profile written by a failed run" : nullptr;
    return isProfile(readFile("fuzz.vdp")) ? nullptr : "profile malformed";
}

const char* assistedConsoleCase(const std::string& input, std::string* out) {
    writeFile("logbuch.vdp", kEarlier);
    int code = boundedExports(false, input, out);
    std::string profile = readFile("logbuch.vdp");
    if (code != 0 && code != -1 && code != 1) return "exit code";
    if (strayFile("logbuch")) return "temporary file left";
    // A kept profile (0, unchanged) has no picture either.
    bool wrote = code == 0 && profile != kEarlier;
    if (const char* problem = pictureProblem("logbuch", wrote)) return problem;
    if (readFile("logbuch.csv") != exportData) return "export changed";
    // -1 a failed run, 1 a run the diver ended at a WARNUNG: neither touches the profile.
    if (code == -1 || code == 1)
        return profile == kEarlier ? nullptr : "earlier profile changed by a failed run";
    return profile == kEarlier || isProfile(profile) ? nullptr : "profile malformed";
}

namespace {

ScratchDir* scratch = nullptr;

void removeScratch() {
    delete scratch;
}

}  // namespace

void fuzzSetUp() {
    scratch = new ScratchDir;
    atexit(removeScratch);
    if (!freopen("/dev/null", "w", stdout)) abort();
}

void fuzzReport(const char* broken) {
    if (!broken) return;
    fprintf(stderr, "broken: %s\n", broken);
    abort();
}
