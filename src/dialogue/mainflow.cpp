// The main flows: banner, loading, dive table, review, output and the final wait.
#include "dialogue/mainflow.h"

#include <cstdio>

#include "assist/scan.h"
#include "dialogue/assisted.h"
#include "dialogue/logflow.h"
#include "dialogue/names.h"
#include "dialogue/output.h"
#include "dialogue/picturefile.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "dialogue/review.h"
#include "dialogue/tripflow.h"
#include "import/dive.h"
#include "import/divetable.h"
#include "import/logfile.h"
#include "platform/console.h"
#include "platform/files.h"
#include "program.h"

namespace {

void printBanner() {
    printf("\n**************************************************************************\n");
    printf("* Konvertierungssoftware von Cressi PC-Logbook nach Visual Decompression *\n");
    printf("*                                                                        *\n");
    printf("* csv2vdp: Logbuch-Export (.csv) zu Tauchprofil (.vdp)  Version " CSV2VDP_VERSION
           " beta *\n");
    printf("**************************************************************************\n\n");
    printf("Hinweis: Bitte die beiliegende Info.txt lesen.\n\n");
}

// Waits for the user to press Enter, or for the end of redirected input.
int waitAndEnd(int code) {
    consoleDiscard();
    consoleReadChar();
    return code;
}

// Exports without dives are refused in every door: a profile of nothing would only replace a
// good one. The usual cause is a spreadsheet that saved it again with semicolons.
bool hasDives(const Logbook& lb) {
    if (lb.dives > 0) return true;
    printf(
        "\nERROR: Die Datei %s enthaelt keine Tauchgaenge.\n"
        "Sie wurde wohl mit einer Tabellenkalkulation neu gespeichert (Semikolons\n"
        "statt Kommas). Bitte erneut aus dem Logbuch-Programm exportieren.\n",
        lb.names.exportShown.c_str());
    return false;
}

// An export too short for the rows the dive table reads.
bool hasEnoughRows(const Logbook& lb) {
    int zeilen = rowCount(lb);
    if (zeilen >= 2 && (zeilen >= kMinRows || countDives(lb) == 0)) return true;
    printf("\nERROR: Die Datei %s hat nur %d Zeilen, es werden mindestens %d benoetigt.\n",
           lb.names.exportShown.c_str(), zeilen, kMinRows);
    return false;
}

// How one export's conversion ended.
enum Outcome {
    kConverted,    // written, or the user kept the earlier profile
    kNotUsable,    // the export could not be used; its message is out
    kFailed,       // the profile could not be written
    kGone,         // the console input ended
    kDeclinedRun,  // 'n' after a WARNUNG: nothing is written, the run ends
};

// What a flow decided for every export it converts.
struct Conversion {
    Door door;
    const std::vector<GivenSwitch>* switches;
    const std::vector<FileNames>* written;  // --ja: the profiles this run has written
    bool picture;                           // NAME.svg beside a written profile
};

Outcome declined() {
    printf(" Es wird kein Profil geschrieben.\n");
    return kDeclinedRun;
}

// Everything after loading, up to and including the output stage.
Outcome convert(const Logbook& lb, const Conversion& how, bool clear) {
    std::vector<DiveRecord> dives = fillDiveTable(lb);
    if (refuseInEveryDoor(lb, dives)) return kNotUsable;
    std::vector<DiveScan> scans = scanDives(lb, dives);
    bool unattended = how.door == kUnattendedDoor;
    if (unattended && refuseUnattended(lb, dives, scans, *how.written, *how.switches)) {
        return kNotUsable;
    }
    if (clear) consoleClearScreen();
    if (lb.dives == 1) {
        printf("%d Tauchgang ist in der importierten Datei vorhanden.", lb.dives);
    } else {
        printf("%d Tauchgaenge sind in der importierten Datei vorhanden.", lb.dives);
    }
    switch (reviewDives(lb, dives, how.door, *how.switches, scans)) {
        case kReviewEnded:
            return kGone;
        case kReviewDeclined:
            return declined();
        case kReviewed:
            break;
    }
    std::vector<Dive> model = exportDives(lb, dives);
    std::vector<int> deepest;
    for (const DiveScan& scan : scans)
        deepest.push_back(scan.deepestMinute);
    switch (checkProfile(lb.names, model, deepest, !unattended)) {
        case kProfileInputEnded:
            return kGone;
        case kProfileDeclined:
            return declined();
        case kProfileRefused:
            return kNotUsable;
        case kProfileFine:
            break;
    }
    printf("\n\n\n%s wird nun erstellt .....\n", lb.names.profileShown.c_str());
    WriteResult written = writeProfile(lb.names, model, unattended);
    if (written == kInputEnded) return kGone;
    if (written == kWritten && how.picture) writePicture(lb.names, model, exportNotes(lb, model));
    return written == kNotWritten ? kFailed : kConverted;
}

// How a log's flow ended, as for an export.
Outcome fromLog(LogOutcome outcome) {
    switch (outcome) {
        case kLogConverted:
            return kConverted;
        case kLogDeclined:
            return declined();
        case kLogNotUsable:
            return kNotUsable;
        case kLogFailed:
            return kFailed;
        case kLogGone:
            break;
    }
    return kGone;
}

}  // namespace

bool loadUsable(const FileNames& names, Logbook* lb) {
    if (loadLogbook(names, lb) != 0 || !hasEnoughRows(*lb)) return false;
    lb->dives = countDives(*lb);
    return hasDives(*lb);
}

int mainFlow() {
    printBanner();
    std::string base;
    if (!askBaseName(&base)) return reportInputEnded();
    Logbook lb;
    const std::vector<GivenSwitch> none;
    const std::vector<FileNames> nothing;
    const Conversion classic{kClassicDoor, &none, &nothing, false};
    Outcome outcome =
        loadUsable(namesFromBase(base), &lb) ? convert(lb, classic, true) : kNotUsable;
    if (outcome == kGone) return reportInputEnded();
    if (outcome == kNotUsable) return waitAndEnd(-1);
    printf("\n\nProgramm mit Tastendruck beenden.");
    return waitAndEnd(outcome == kFailed ? -1 : outcome == kDeclinedRun ? 1 : 0);
}

bool isLogFile(const FileNames& names) {
    LogProbe probe = probeLogFile(names.exportPath);
    // An empty file is a CSV export only by its name; any other gets the log's "ist leer".
    return probe == kProbeLog || (probe == kProbeEmpty && !endsWithCsv(names.exportPath));
}

bool isNoFile(const FileNames& names) {
    if (fileKind(names.exportPath.c_str()) != kFileOther) return false;
    printf("\nERROR: %s ist keine Datei, sondern ein Ordner oder ein Geraet.\n",
           names.exportShown.c_str());
    return true;
}

bool noDiveListFor(const FileNames& names, const std::string& diveList) {
    if (diveList.empty()) return true;
    printf(
        "\nERROR: --tauchgaenge gilt nur fuer UDDF- und Subsurface-Dateien;\n"
        "%s ist ein CSV-Export.\n",
        names.exportShown.c_str());
    return false;
}

void printSwitchesRefused(const FileNames& log, const FileNames& profile) {
    printf(
        "\nERROR: --wechsel gilt nur fuer CSV-Exporte; %s nennt seine Gaswechsel\n"
        "selbst.\n",
        log.exportShown.c_str());
    printRefused(profile);
}

namespace {

// One argument of exportsFlow: an export or a log, loaded, checked and converted.
Outcome convertArgument(const FileNames& names, const Conversion& how, const std::string& diveList,
                        bool first) {
    if (isNoFile(names)) return kNotUsable;
    if (isLogFile(names)) {
        if (!how.switches->empty()) {
            printSwitchesRefused(names, names);
            return kNotUsable;
        }
        bool unattended = how.door == kUnattendedDoor;
        if (unattended && printTakenProfile(names, "\nERROR: ", *how.written) > 0) {
            printRefused(names);
            return kNotUsable;
        }
        JoinedDives joined;
        if (!readLogs({names}, &joined)) return kNotUsable;
        return fromLog(convertLog(names, joined, diveList, unattended, how.picture));
    }
    Logbook lb;
    if (!noDiveListFor(names, diveList) || !loadUsable(names, &lb)) {
        return kNotUsable;
    }
    return convert(lb, how, first);
}

}  // namespace

int exportsFlow(const std::vector<std::string>& exports, bool unattended,
                const std::vector<GivenSwitch>& switches, const std::string& diveList,
                const std::string& profile, bool picture) {
    printBanner();
    std::vector<FileNames> written;  // --ja: no export may replace a profile of this run
    const Conversion how{unattended ? kUnattendedDoor : kAssistedDoor, &switches, &written,
                         picture};
    bool allConverted = true;
    bool ended = false;
    bool reachedOutput = false;
    bool first = true;
    // A trip (--profil) is one run over all its logs.
    size_t runs = profile.empty() || exports.empty() ? exports.size() : 1;
    for (size_t run = 0; run < runs; run++) {
        FileNames names = namesFromArgument(exports[run]);
        // Only the first clearing: a later one would wipe what the earlier exports reported.
        Outcome outcome = profile.empty()
                              ? convertArgument(names, how, diveList, first)
                              : fromLog(convertTrip(exports, profile, diveList, unattended,
                                                    !switches.empty(), picture));
        first = false;
        if (outcome == kGone) return reportInputEnded();
        if (outcome != kConverted) allConverted = false;
        if (outcome != kNotUsable) reachedOutput = true;
        if (outcome == kConverted) written.push_back(names);
        // 'n' after a WARNUNG ends the run, whatever exports follow.
        if (outcome == kDeclinedRun) {
            ended = true;
            break;
        }
    }
    int code = ended ? 1 : allConverted ? 0 : -1;
    if (unattended) {
        printf("\n");  // no closing line follows; a shell prompt must not join the last one
        return code;
    }
    // As after a single export: the closing line once the output stage was reached.
    if (reachedOutput) printf("\n\nProgramm mit Tastendruck beenden.");
    return waitAndEnd(code);
}
