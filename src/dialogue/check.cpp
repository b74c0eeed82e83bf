// Printing the findings of --pruefen, dive by dive, and a closing line per export.
#include "dialogue/check.h"

#include <cstdio>

#include "assist/checks.h"
#include "assist/gas.h"
#include "assist/scan.h"
#include "dialogue/logflow.h"
#include "dialogue/mainflow.h"
#include "dialogue/names.h"
#include "dialogue/reasons.h"
#include "dialogue/summary.h"
#include "dialogue/tripflow.h"
#include "import/divetable.h"
#include "import/fields.h"
#include "import/layout.h"
#include "import/logbook.h"

namespace {

const char kLead[] = "Befund: ";

// A field the readers take in their own way: the text and what they make of it.
void printNotPlain(const Logbook& lb, const char* name, int d, int row, int value) {
    printf("Befund: %s '%s' ist keine reine Zahl und wird als %d gelesen.\n", name,
           fieldBytes(lb, d, row).c_str(), value);
}

int mixFinding(const Logbook& lb, int d, int row, int value) {
    const char* name = row == kMix1Row ? "Mix1" : "Mix2";
    switch (mixField(lb, d, row, value)) {
        case kMixEmpty:
            printf("Befund: %s ist leer.\n", name);
            return 1;
        case kMixNotPlain:
            printNotPlain(lb, name, d, row, value);
            return 1;
        case kMixOutOfRange:
            printf("Befund: %s '%s' ist kein Anteil von 1 bis 100 %%.\n", name,
                   fieldText(lb, d, row).c_str());
            return 1;
        default:
            return 0;
    }
}

// Findings about dive d alone, with its scan; the count.
int diveFindings(const Logbook& lb, const DiveRecord& r, const DiveScan& scan) {
    int d = r.number;
    int found = mixFinding(lb, d, kMix1Row, r.mix1) + mixFinding(lb, d, kMix2Row, r.mix2);
    std::vector<std::string> texts = {rateReason(lb, r), sampleCountReason(r),
                                      recordingReason(lb, r), gasReason(r)};
    // No switch is known here: the first gas counts for the whole dive.
    if (mix1BeyondMod(r, scan.deepestTenths)) {
        texts.push_back(modReason(mixName(1, r.mix1), scan.deepestTenths, modTenths(r.mix1)));
    }
    int field = maxDepthOff(lb, r, scan.deepestTenths);
    if (field >= 0) texts.push_back(maxDepthReason(scan.deepestTenths, field));
    for (const std::string& text : texts) {
        if (text.empty()) continue;
        printReason(kLead, text);
        found++;
    }
    if (gasKnown(r.mix2) && scan.suggested < 0) {
        printf("Befund: Zwei Gase, aber kein Vorschlag fuer den Gaswechsel moeglich.\n");
        found++;
    } else if (gasKnown(r.mix2) && !withinMod(sampleTenths(lb, r, scan.deepestAfter), r.mix2)) {
        printf(
            "Befund: Nach dem vorgeschlagenen Gaswechsel geht es tiefer als die MOD von "
            "Mix2.\n");
        found++;
    }
    long long logged = d < lb.dives ? disagreeingInterval(lb, r) : -1;
    if (logged >= 0) {
        printf("Befund: Oberflaechenpause %d:%02dh, laut Datum und Uhrzeit %lld:%02lldh.\n",
               r.surfaceInterval / 60, r.surfaceInterval % 60, logged / 60, logged % 60);
        found++;
    }
    return found;
}

// The findings of the loaded export, every dive read in one pass; the count. `earlier`: the
// usable exports checked before.
int exportFindings(const Logbook& lb, const std::vector<FileNames>& earlier) {
    int found =
        printRaggedRows(lb, "\nBefund: ") + printTakenProfile(lb.names, "\nBefund: ", earlier);
    std::vector<DiveRecord> dives = fillDiveTable(lb);
    std::vector<DiveScan> scans = scanDives(lb, dives);
    long long lines;
    int longAt = diveReachingLimit(lb, dives, &lines);
    for (size_t i = 0; i < dives.size(); i++) {
        printDive(lb, dives[i]);
        found += diveFindings(lb, dives[i], scans[i]);
        // Once, where the writer would warn first.
        if (dives[i].number == longAt) {
            printReason(kLead, lengthReason(lines));
            found++;
        }
    }
    return found;
}

void printClosing(const std::string& shown, int found) {
    if (found == 0) {
        printf("\nPruefung von %s: kein Befund.\n", shown.c_str());
    } else {
        printf("\nPruefung von %s: %d Befund%s.\n", shown.c_str(), found, found == 1 ? "" : "e");
    }
}

// --profil: the logs checked as one joined list.
int checkJoined(const std::vector<std::string>& logs, const std::string& profile,
                const std::string& diveList) {
    std::string shown;
    int found = checkTrip(logs, profile, diveList, &shown);
    if (found < 0) {
        printf("\nPruefung von %s: nicht verwendbar.\n", shown.c_str());
    } else {
        printClosing(shown, found);
    }
    fflush(stdout);
    return found < 0 ? -1 : found > 0 ? 1 : 0;
}

}  // namespace

int checkExports(const std::vector<std::string>& exports, const std::string& diveList,
                 const std::string& profile) {
    if (!profile.empty()) return checkJoined(exports, profile, diveList);
    bool unusable = false;
    bool findings = false;
    std::vector<FileNames> earlier;
    for (const std::string& given : exports) {
        Logbook lb;
        FileNames names = namesFromArgument(given);
        int found = -1;
        if (isNoFile(names)) {
            found = -1;
        } else if (isLogFile(names)) {
            JoinedDives joined;
            found = readLogs({names}, &joined) ? checkLog(names, joined, diveList, earlier) : -1;
        } else if (noDiveListFor(names, diveList) && loadUsable(names, &lb)) {
            found = exportFindings(lb, earlier);
        }
        if (found < 0) {
            printf("\nPruefung von %s: nicht verwendbar.\n", names.exportShown.c_str());
            unusable = true;
            continue;
        }
        earlier.push_back(names);
        printClosing(names.exportShown, found);
        findings = findings || found > 0;
    }
    fflush(stdout);
    return unusable ? -1 : findings ? 1 : 0;
}
