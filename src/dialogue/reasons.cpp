// One text per reason for both --ja and --pruefen, so that a refusal and a finding never say
// different things about the same export.
#include "dialogue/reasons.h"

#include <cstdio>

#include "assist/gas.h"
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

int printRateReason(const Logbook& lb, const std::string& lead, const DiveRecord& r) {
    int d = r.number;
    if (rateUsable(lb, d)) return 0;
    if (numberField(lb, d, kRateRow) == kFieldNotPlain) {
        printf("%sSamplingrate '%s' ist keine reine Zahl und wird als %d gelesen.\n", lead.c_str(),
               fieldBytes(lb, d, kRateRow).c_str(), r.sampleRate);
    } else {
        printf("%sSamplingrate '%s' ungueltig.\n", lead.c_str(),
               fieldBytes(lb, d, kRateRow).c_str());
    }
    return 1;
}

int printSampleReasons(const Logbook& lb, const std::string& lead, const DiveRecord& r) {
    int printed = 0;
    if (tooFewSamples(r)) {
        printf("%s%s aufgezeichnet; ein Profil braucht mindestens 2.\n", lead.c_str(),
               r.sampleCount == 1 ? "Nur 1 Probe" : "Keine Probe");
        printed++;
    }
    if (r.sampleRate > 0 && recordingDisagrees(lb, r)) {
        long long seconds = recordedSeconds(r);
        printf("%s%d %s zu %d s ergeben %lld:%02lld Minuten, die Tauchzeit ist '%s' min.\n",
               lead.c_str(), r.sampleCount, r.sampleCount == 1 ? "Probe" : "Proben", r.sampleRate,
               seconds / 60, seconds % 60, fieldText(lb, r.number, kDiveTimeRow).c_str());
        printed++;
    }
    return printed;
}

int printGasReason(const std::string& lead, const DiveRecord& r) {
    if (!mix2NotRicher(r)) return 0;
    printf(
        "%sMix2(%d%%O2) nicht reicher als Mix1(%d%%O2): Werte wohl von einem anderen Tauchgang.\n",
        lead.c_str(), r.mix2, gasKnown(r.mix1) ? r.mix1 : kAirOxygen);
    return 1;
}

int printLengthReason(const std::string& lead, long long lines) {
    printf("%sProfil mit %lld Minuten zu lang fuer VD (Grenze: %lld Minuten).\n", lead.c_str(),
           lines, kProfileMinuteLimit - 1);
    return 1;
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

bool refuseUnattended(const Logbook& lb, const std::vector<DiveRecord>& dives,
                      const std::vector<FileNames>& written,
                      const std::vector<GivenSwitch>& switches) {
    int reasons = printRaggedRows(lb, "ERROR: ") + printTakenProfile(lb.names, "ERROR: ", written);
    for (const DiveRecord& r : dives) {
        std::string lead = diveLead(r.number);
        reasons += printRateReason(lb, lead, r) + printSampleReasons(lb, lead, r);
        reasons += printGasReason(lead, r);
    }
    long long lines;
    int d = diveReachingLimit(lb, dives, &lines);
    if (d > 0) reasons += printLengthReason(diveLead(d), lines);
    for (const GivenSwitch& given : switches)
        reasons += printSwitchProblem(dives, given);
    if (reasons == 0) return false;
    printRefused(lb.names);
    return true;
}
