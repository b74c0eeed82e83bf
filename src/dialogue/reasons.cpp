// One text per reason for both --ja and --pruefen, so that a refusal and a finding never say
// different things about the same export.
#include "dialogue/reasons.h"

#include <cstdio>

#include "assist/gas.h"
#include "assist/minutes.h"
#include "assist/timing.h"
#include "import/dive.h"
#include "import/fields.h"
#include "import/layout.h"
#include "platform/textfile.h"
#include "program.h"

namespace {

constexpr size_t kRunsShown = 5;  // an export ragged all through still gives a short report

const char* commasWord(int commas) {
    return commas == 1 ? "Komma" : "Kommas";
}

// The two names lead to one file: as given, or through a link or another spelling of the path.
bool sameProfile(const std::string& a, const std::string& b) {
    return a == b || textSameFile(a.c_str(), b.c_str());
}

// The MOD findings --ja refuses: each gas as the dive is written, Mix1 throughout or up to a
// switch given with --wechsel, and Mix2 from there.
std::vector<std::string> unattendedModReasons(const Logbook& lb, const DiveRecord& r,
                                              const std::vector<GivenSwitch>& switches) {
    std::vector<std::string> texts;
    DiveRecord written = r;
    if (!gasKnown(written.mix1)) written.mix1 = kAirOxygen;
    for (const GivenSwitch& given : switches) {
        // A switch that does not fit the dive refuses the export on its own.
        if (given.dive == r.number && given.seconds != kNoSwitchGiven && gasKnown(r.mix2)) {
            written.switchSample = typedSwitchSample(given.seconds, r);
        }
    }
    Dive dive = exportDive(lb, written);
    std::vector<int> deepest = deepestOnEachGas(dive);
    for (size_t g = 0; g < deepest.size(); g++) {
        const DiveGas& gas = dive.gases[g];
        if (deepest[g] < 0 || gasWithinMod(gas, deepest[g])) continue;
        texts.push_back(g == 0 ? modReason(mixName(1, written.mix1), deepest[g], gasModTenths(gas))
                               : switchModReason(deepest[g], gasModTenths(gas)));
    }
    return texts;
}

// "ERROR: Tauchgang 2: "
std::string diveLead(int d) {
    return "ERROR: Tauchgang " + std::to_string(d) + ": ";
}

// A given switch that does not fit the export; its line.
int printSwitchProblem(const std::vector<DiveRecord>& dives, const GivenSwitch& given) {
    int count = static_cast<int>(dives.size());
    switch (givenSwitchProblem(dives, given)) {
        case kSwitchFits:
            return 0;
        case kSwitchNoSuchDive:
            printf("ERROR: --wechsel %d: Der Export hat %d %s.\n", given.dive, count,
                   count == 1 ? "Tauchgang" : "Tauchgaenge");
            return 1;
        case kSwitchOneGas:
            printf("ERROR: --wechsel %d: Tauchgang %d hat kein Mix2, also keinen Gaswechsel.\n",
                   given.dive, given.dive);
            return 1;
        case kSwitchAfterDive:
            break;
    }
    const DiveRecord& r = dives[given.dive - 1];
    long long end = sampleSeconds(r.sampleCount - 1LL, r);
    printf(
        "ERROR: --wechsel %d=%lld:%02lld: Die letzte Probe von Tauchgang %d liegt bei "
        "%lld:%02lld.\n",
        given.dive, given.seconds / 60, given.seconds % 60, given.dive, end / 60, end % 60);
    return 1;
}

}  // namespace

int printRaggedRows(const Logbook& lb, const std::string& lead) {
    int dives = lb.dives;
    std::vector<RowRun> runs = raggedRuns(lb);
    int printed = 0;
    long long more = 0;
    for (size_t i = 0; i < runs.size(); i++) {
        const RowRun& run = runs[i];
        if (i >= kRunsShown) {
            more += run.last - run.first + 1;
            continue;
        }
        // Lines counted from 1, as an editor shows them.
        if (run.first == run.last) {
            printf("%sZeile %d hat %d %s statt %d; Werte koennen verrutschen.\n", lead.c_str(),
                   run.first + 1, run.commas, commasWord(run.commas), dives);
        } else {
            printf("%sZeilen %d bis %d haben %d %s statt %d; Werte koennen verrutschen.\n",
                   lead.c_str(), run.first + 1, run.last + 1, run.commas, commasWord(run.commas),
                   dives);
        }
        printed++;
    }
    if (more > 0) {
        printf("%sWeitere %lld Zeilen haben nicht %d %s.\n", lead.c_str(), more, dives,
               commasWord(dives));
        printed++;
    }
    return printed;
}

namespace {

// A text built by snprintf; every reason is short.
template <typename... Args>
std::string textOf(const char* format, Args... args) {
    char text[320];
    snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace

void printReason(const std::string& lead, const std::string& text) {
    printf("%s%s\n", lead.c_str(), text.c_str());
}

std::string rateReason(const Logbook& lb, const DiveRecord& r) {
    int d = r.number;
    if (rateUsable(lb, d)) return std::string();
    const char* how =
        numberField(lb, d, kRateRow) == kFieldNotPlain ? "ist keine reine Zahl" : "ungueltig";
    return textOf("Samplingrate '%s' %s;\nder Tauchgang wird mit %d s je Probe geschrieben.",
                  fieldBytes(lb, d, kRateRow).c_str(), how, kFallbackRate);
}

std::string sampleCountReason(const DiveRecord& r) {
    if (!tooFewSamples(r)) return std::string();
    return textOf("%s aufgezeichnet; ein Profil braucht mindestens 2.",
                  r.sampleCount == 1 ? "Nur 1 Probe" : "Keine Probe");
}

std::string recordingReason(const Logbook& lb, const DiveRecord& r) {
    if (!recordingDisagrees(lb, r)) return std::string();
    long long seconds = recordedSeconds(r);
    return textOf("%d %s zu %d s ergeben %lld:%02lld Minuten,\ndie Tauchzeit ist '%s' min.",
                  r.sampleCount, r.sampleCount == 1 ? "Probe" : "Proben", r.sampleRate,
                  seconds / 60, seconds % 60, fieldText(lb, r.number, kDiveTimeRow).c_str());
}

std::string gasReason(const DiveRecord& r) {
    if (!mix2NotRicher(r)) return std::string();
    return textOf("%s nicht reicher als %s:\nWerte wohl von einem anderen Tauchgang.",
                  mixName(2, r.mix2).c_str(),
                  mixName(1, gasKnown(r.mix1) ? r.mix1 : kAirOxygen).c_str());
}

std::string maxDepthReason(int deepestTenths, int field) {
    return textOf("Tiefste Probe %s m, 'Max. Tiefe' im Export %s m:\nmehr als 3 m Unterschied.",
                  metresText(deepestTenths).c_str(), metresText(field).c_str());
}

std::string modReason(const std::string& gas, int tenths, int modTenths) {
    return textOf("%s bei %s m tiefer als seine MOD (%s m):\npO2 ueber 1.6 bar.", gas.c_str(),
                  metresText(tenths).c_str(), metresText(modTenths).c_str());
}

std::string switchModReason(int tenths, int modTenths) {
    return textOf("Nach dem Gaswechsel geht es bis %s m tief,\ntiefer als die MOD von Mix2 (%s m).",
                  metresText(tenths).c_str(), metresText(modTenths).c_str());
}

std::string lengthReason(long long lines) {
    return textOf("Profil mit %lld Minuten zu lang fuer VD\n(Grenze: %lld Minuten).", lines,
                  kProfileMinuteLimit - 1);
}

std::string endlessReason(long long lines) {
    return textOf("Profil mit %lld Minuten:\nmehr als %lld Minuten sind kein Tauchgang.", lines,
                  kMostProfileMinutes);
}

std::string mixName(int mix, int oxygen) {
    return textOf("Mix%d(%d%%O2)", mix, oxygen);
}

std::vector<std::string> diveReasons(const Logbook& lb, const DiveRecord& r, const DiveScan& scan) {
    std::vector<std::string> reasons;
    for (const std::string& text : {rateReason(lb, r), recordingReason(lb, r), gasReason(r)}) {
        if (!text.empty()) reasons.push_back(text);
    }
    int field = maxDepthOff(lb, r, scan.deepestTenths);
    if (field >= 0) reasons.push_back(maxDepthReason(scan.deepestTenths, field));
    return reasons;
}

int printTakenProfile(const FileNames& names, const std::string& lead,
                      const std::vector<FileNames>& earlier) {
    for (const FileNames& files : earlier) {
        if (!sameProfile(files.profilePath, names.profilePath)) continue;
        printf("%sDas Profil %s gehoert in diesem Aufruf schon zu %s.\n", lead.c_str(),
               names.profileShown.c_str(), files.exportShown.c_str());
        return 1;
    }
    return 0;
}

void printRefused(const FileNames& names) {
    printf("ERROR: %s wird abgelehnt, %s wird nicht geschrieben.\n", names.exportShown.c_str(),
           names.profileShown.c_str());
}

bool refuseInEveryDoor(const Logbook& lb, const std::vector<DiveRecord>& dives) {
    int reasons = printRaggedRows(lb, "ERROR: ");
    long long lines = profileLines(exportDives(lb, dives));
    if (lines > kMostProfileMinutes) {
        printReason("ERROR: ", endlessReason(lines));
        reasons++;
    }
    if (reasons == 0) return false;
    printRefused(lb.names);
    return true;
}

bool refuseUnattended(const Logbook& lb, const std::vector<DiveRecord>& dives,
                      const std::vector<DiveScan>& scans, const std::vector<FileNames>& written,
                      const std::vector<GivenSwitch>& switches) {
    int reasons = printTakenProfile(lb.names, "ERROR: ", written);
    for (size_t i = 0; i < dives.size(); i++) {
        const DiveRecord& r = dives[i];
        std::string lead = diveLead(r.number);
        std::vector<std::string> texts = diveReasons(lb, r, scans[i]);
        // Too few samples stands right after the rate, as --pruefen names them.
        std::string few = sampleCountReason(r);
        size_t at = rateReason(lb, r).empty() ? 0 : 1;
        if (!few.empty()) texts.insert(texts.begin() + static_cast<long>(at), few);
        for (const std::string& text : unattendedModReasons(lb, r, switches))
            texts.push_back(text);
        for (const std::string& text : texts)
            printReason(lead, text);
        reasons += static_cast<int>(texts.size());
    }
    long long lines;
    int d = diveReachingLimit(lb, dives, &lines);
    if (d > 0) {
        printReason(diveLead(d), lengthReason(lines));
        reasons++;
    }
    for (const GivenSwitch& given : switches)
        reasons += printSwitchProblem(dives, given);
    if (reasons == 0) return false;
    printRefused(lb.names);
    return true;
}
