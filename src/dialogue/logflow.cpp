// The dialogue for dive logs in XML: choosing, showing, completing and writing their dives.
#include "dialogue/logflow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "assist/clock.h"
#include "assist/logintervals.h"
#include "assist/minutes.h"
#include "assist/series.h"
#include "dialogue/lognames.h"
#include "dialogue/output.h"
#include "dialogue/picturefile.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "dialogue/review.h"
#include "assist/checks.h"
#include "import/dive.h"
#include "import/logfile.h"
#include "program.h"

namespace {

// "12:05" for seconds of a log, cut to whole seconds.
std::string clock(double seconds) {
    return clockText(seconds >= 0 && seconds < 1e12 ? static_cast<long long>(seconds) : 0);
}

// "32 % O2" or "19 % O2, 34 % He", in whole percent as the profile writes them.
std::string gasText(const LogGas& gas) {
    char text[48];
    long long o2 = std::lround(gas.o2 >= 0 && gas.o2 <= 100 ? gas.o2 : 0);
    long long he = std::lround(gas.he >= 0 && gas.he <= 100 ? gas.he : 0);
    if (he > 0) {
        snprintf(text, sizeof text, "%lld %% O2, %lld %% He", o2, he);
    } else {
        snprintf(text, sizeof text, "%lld %% O2", o2);
    }
    return text;
}

const LogGas& gasOf(const LogDive& dive, int index) {
    static const LogGas kAir{kAirOxygen, 0};
    return index >= 0 && static_cast<size_t>(index) < dive.gases.size()
               ? dive.gases[static_cast<size_t>(index)]
               : kAir;
}

// The gases in short for the list: "32 %, 50 % ab 17:00".
std::string shortGases(const LogDive& dive) {
    std::string text = gasText(gasOf(dive, dive.firstGas));
    for (const LogSwitch& w : dive.switches)
        text += ", " + gasText(gasOf(dive, w.gas)) + " ab " + clock(w.seconds);
    return text;
}

// The first gas and every switch with the profile minute its gas is written from.
std::string gasesText(const LogDive& from, const Dive& dive) {
    std::string text = gasText(gasOf(from, dive.firstGas)) + " ab Beginn";
    for (size_t k = 0; k < dive.switches.size(); k++) {
        const DiveSwitch& w = dive.switches[k];
        long long minute = switchMinute(dive, k);
        text += "; " + gasText(gasOf(from, w.gas)) + " ab " + clock(w.seconds) +
                (minute > 0 ? " (im Profil ab Minute " + std::to_string(minute) + ")"
                            : " (im Profil keine Minute damit)");
    }
    return text;
}

// Where the minutes hold a depth the samples do not show: gaps and the deep end.
void printHeld(const Dive& dive) {
    for (const HeldGap& g : heldGaps(dive)) {
        printf(
            "Hinweis: Keine Probe von %s bis %s; das Profil haelt dort die tiefere\n"
            "Tiefe, %.1f m.\n",
            clock(g.from).c_str(), clock(g.to).c_str(), g.depth);
    }
    DeepEnd end = deepEnd(dive);
    if (!end.added) return;
    printf("Hinweis: Die letzte Probe bei %s liegt in %.1f m Tiefe;\n",
           clock(end.lastSeconds).c_str(), end.depth);
    if (end.heldUntil > end.lastSeconds) {
        printf("im Profil bleibt sie bis %s (Dauer laut Datei), dann 10 m/min Aufstieg.\n",
               clock(end.heldUntil).c_str());
    } else {
        printf("im Profil steigt der Taucher von dort mit 10 m/min auf.\n");
    }
}

void printLoggedDive(int number, const LogDive& dive, const Dive& model) {
    printf("\n\nTauchgang Nr. %d vom %s %s\n", number, dive.date.empty() ? "?" : dive.date.c_str(),
           dive.time.empty() ? "?" : dive.time.c_str());
    printf("----------------------------------------\n");
    printf("Dauer: %s min  Groesste Tiefe: %.1f m  Proben: %lld\n",
           dive.durationSeconds >= 0 ? clock(dive.durationSeconds).c_str() : "?",
           dive.greatestDepth, static_cast<long long>(dive.samples.size()));
    printf("Gase: %s\n", gasesText(dive, model).c_str());
    if (!dive.note.empty()) printf("%s\n", dive.note.c_str());
    if (minuteCount(model) > 0) printHeld(model);
}

// Why a dive cannot become a minute profile; empty when it can.
std::string refusal(int number, const LogDive& dive, const Dive& model) {
    std::string name = "ERROR: " + diveName(number, dive);
    if (dive.kind == kRebreather) {
        return name +
               " wurde mit einem Kreislauftauchgeraet\n"
               "getaucht; ein Minutenprofil mit offenen Gasen wuerde ihn falsch darstellen.";
    }
    if (dive.kind == kApnoe) {
        return name +
               " ist ein Apnoe-Tauchgang;\n"
               "ein Minutenprofil mit Atemgas wuerde ihn falsch darstellen.";
    }
    if (!dive.refusal.empty()) return name + " " + dive.refusal;
    if (dive.samples.empty()) return name + " hat keine Tiefenwerte.";
    if (minuteCount(model) == 0) return name + " hat keine brauchbaren Zeiten.";
    return std::string();
}

// What in a log's dive may make its profile wrong: a gas breathed beyond its MOD, a recording
// that ends deep.
std::vector<std::string> logFindings(const LogDive& from, const Dive& dive) {
    std::vector<std::string> texts;
    std::vector<int> deepest = deepestOnEachGas(dive);
    for (size_t g = 0; g < deepest.size(); g++) {
        if (deepest[g] < 0 || gasWithinMod(dive.gases[g], deepest[g])) continue;
        texts.push_back(modReason("Gas " + gasText(gasOf(from, static_cast<int>(g))), deepest[g],
                                  gasModTenths(dive.gases[g])));
    }
    if (endsCutShort(dive)) {
        char text[160];
        snprintf(text, sizeof text,
                 "Die letzte Probe liegt in %.1f m Tiefe, tiefer als jeder Sicherheitsstopp:\n"
                 "die Aufzeichnung wirkt abgeschnitten.",
                 dive.samples.back().depth);
        texts.push_back(text);
    }
    return texts;
}

// The deepest written minute of each dive.
std::vector<int> deepestMinutes(const std::vector<Dive>& dives) {
    std::vector<int> deepest;
    for (const Dive& dive : dives) {
        int most = 0;
        for (const DiveMinute& m : allMinutes(dive))
            most = std::max(most, m.depth);
        deepest.push_back(most);
    }
    return deepest;
}

std::string hoursText(long long minutes) {
    return clockText(minutes) + "h";
}

// Says which interval is written after the dive, from where, and the other one; and how the
// start times were read when only one of the two names its time zone.
void printInterval(int number, const LogDive& dive, const LogInterval& i) {
    bool both = i.fromFile >= 0 && i.fromTimes >= 0 && intervalsDisagree(i.fromFile, i.fromTimes);
    bool fromFile = i.chosen == i.fromFile && i.fromFile >= 0;
    printf("\nOberflaechenpause nach %s: %s\n%s", diveName(number, dive).c_str(),
           hoursText(i.chosen).c_str(), fromFile ? "laut Datei" : "laut Datum und Uhrzeit");
    if (both) {
        printf(", kuerzer als %s %s: die sichere Seite.\n",
               hoursText(fromFile ? i.fromTimes : i.fromFile).c_str(),
               fromFile ? "laut Datum und Uhrzeit" : "laut Datei");
    } else {
        printf(".\n");
    }
    if (i.fromTimes >= 0 && (i.reading == kBothLocal || i.reading == kOneAsUtc)) {
        printf("(Nur einer der beiden nennt seine Zeitzone: %s,\ndie kuerzere Pause.)\n",
               i.reading == kBothLocal ? "beide Zeiten als Ortszeit gelesen"
                                       : "die Zeit ohne sie als UTC gelesen");
    }
}

const char* const kNoInterval =
    "Die Oberflaechenpause nach %s\n"
    "steht weder in der Datei, noch ergibt sie sich aus Datum und Uhrzeit.";

// The dives `list` names, or the last series; false once the refusal is printed.
bool chooseDives(const LogFile& log, const FileNames& names, const std::string& list,
                 std::vector<int>* chosen) {
    if (log.dives.empty()) {
        printf("\nERROR: Die Datei %s enthaelt keine Tauchgaenge.\n", names.exportShown.c_str());
        return false;
    }
    if (list.empty()) {
        *chosen = defaultSeries(log.dives);
        return true;
    }
    DiveChoice choice = parseDiveList(list, static_cast<int>(log.dives.size()));
    if (!choice.ok) {
        printf("\n%s\n", choice.error.c_str());
        return false;
    }
    *chosen = choice.dives;
    return true;
}

// Reads the log and says so; false once the failure is printed.
bool readLog(const FileNames& names, LogFile* log) {
    *log = readLogFile(names.exportPath);
    if (!log->ok) {
        printf("\n%s\n", log->error.c_str());
        return false;
    }
    printf("\nDatei %s wurde geladen\n", names.exportShown.c_str());
    if (log->sorted)
        printf("Die Tauchgaenge sind nach ihrem Beginn geordnet; die Datei listet sie anders.\n");
    return true;
}

// Dives of the file between two chosen ones are left out; their nitrogen is too, and the
// diver must know it.
void printSkipped(const LogFile& log, int number, int next) {
    if (next == number + 1) return;
    const LogDive& first = log.dives[static_cast<size_t>(number)];
    const LogDive& last = log.dives[static_cast<size_t>(next - 2)];
    std::string after = diveName(number, log.dives[static_cast<size_t>(number - 1)]);
    if (next == number + 2) {
        printf(
            "\nHinweis: %s fehlt im Profil; die Pause nach\n"
            "%s schliesst ihn ein, ohne seinen Stickstoff.\n",
            diveName(number + 1, first).c_str(), after.c_str());
    } else {
        printf(
            "\nHinweis: Tauchgaenge %d bis %d fehlen im Profil,\n"
            "vom %s bis %s; die Pause nach %s\n"
            "schliesst sie ein, ohne ihren Stickstoff.\n",
            number + 1, next - 1, first.date.empty() ? "?" : first.date.c_str(),
            last.date.empty() ? "?" : last.date.c_str(), after.c_str());
    }
}

std::string chosenText(const std::vector<int>& chosen) {
    std::string text;
    for (size_t k = 0; k < chosen.size(); k++)
        text += (k == 0 ? "" : ", ") + std::to_string(chosen[k] + 1);
    return text;
}

}  // namespace

LogOutcome convertLog(const FileNames& names, const std::string& list, bool unattended,
                      bool picture) {
    LogFile log;
    std::vector<int> chosen;
    if (!readLog(names, &log) || !chooseDives(log, names, list, &chosen)) return kLogNotUsable;
    printf("%lld Tauchgaenge sind in der Datei vorhanden; umgewandelt werden: %s\n",
           static_cast<long long>(log.dives.size()), chosenText(chosen).c_str());
    std::vector<Dive> dives;
    std::vector<bool> clashed;
    printClashes(log, chosen, "\nERROR: ", &clashed);
    bool refused = std::find(clashed.begin(), clashed.end(), true) != clashed.end();
    for (size_t k = 0; k < chosen.size(); k++) {
        int number = chosen[k] + 1;
        const LogDive& dive = log.dives[static_cast<size_t>(chosen[k])];
        Dive written = logDive(dive, number);
        printLoggedDive(number, dive, written);
        std::string why = refusal(number, dive, written);
        if (!why.empty()) {
            printf("%s\n", why.c_str());
            refused = true;
        }
        for (const std::string& text : why.empty() ? logFindings(dive, written)
                                                   : std::vector<std::string>()) {
            if (unattended) {
                printReason("ERROR: Tauchgang " + std::to_string(number) + ": ", text);
                refused = true;
                continue;
            }
            ReviewResult anyway = warnAndAsk(text);
            if (anyway == kReviewEnded) return kLogGone;
            if (anyway == kReviewDeclined) return kLogDeclined;
        }
        if (k + 1 < chosen.size()) {
            const LogDive& next = log.dives[static_cast<size_t>(chosen[k + 1])];
            LogInterval i = intervalBetween(dive, next, chosen[k + 1] == chosen[k] + 1);
            printSkipped(log, number, chosen[k + 1] + 1);
            if (clashed[static_cast<size_t>(chosen[k + 1])]) {
                // Refused above: no interval between them to tell.
            } else if (i.chosen >= 0) {
                printInterval(number, dive, i);
                written.intervalAfter = i.chosen;
            } else if (unattended) {
                printf("\nERROR: ");
                printf(kNoInterval, diveName(number, dive).c_str());
                printf("\n");
                refused = true;
            } else if (!refused) {
                printf("\n");
                printf(kNoInterval, diveName(number, dive).c_str());
                printf("\n");
                DiveRecord entry{};
                if (!readInterval(entry)) return kLogGone;
                written.intervalAfter = entry.surfaceInterval;
                printf(" Oberflaechenpause zum naechsten Tauchgang: %s\n",
                       hoursText(written.intervalAfter).c_str());
            }
        }
        dives.push_back(std::move(written));
    }
    // As for an export: --ja writes no profile the planner would not take.
    long long lines = profileLines(dives);
    if (unattended && !refused && profileTooLong(lines)) {
        printf("\n");
        printReason("ERROR: ", lengthReason(lines));
        refused = true;
    }
    if (refused) {
        printf("\nDie Datei %s wird nicht umgewandelt; es wird nichts geschrieben.\n",
               names.exportShown.c_str());
        return kLogNotUsable;
    }
    switch (checkProfile(names, dives, deepestMinutes(dives), !unattended)) {
        case kProfileInputEnded:
            return kLogGone;
        case kProfileDeclined:
            return kLogDeclined;
        case kProfileRefused:
            return kLogNotUsable;
        case kProfileFine:
            break;
    }
    printf("\n\n\n%s wird nun erstellt .....\n", names.profileShown.c_str());
    WriteResult written = writeProfile(names, dives, unattended);
    if (written == kInputEnded) return kLogGone;
    if (written == kWritten && picture) writePicture(names, dives, logNotes(log, chosen, dives));
    return written == kNotWritten ? kLogFailed : kLogConverted;
}

int checkLog(const FileNames& names, const std::string& list,
             const std::vector<FileNames>& earlier) {
    LogFile log;
    std::vector<int> chosen;
    if (!readLog(names, &log) || !chooseDives(log, names, list, &chosen)) return -1;
    std::vector<int> series = defaultSeries(log.dives);
    printf("%lld Tauchgaenge; * = die letzte Serie, die ohne --tauchgaenge umgewandelt wird\n\n",
           static_cast<long long>(log.dives.size()));
    printf("   Nr.  Datum       Zeit   Dauer     Tiefe  Gase\n");
    for (size_t k = 0; k < log.dives.size(); k++) {
        const LogDive& dive = log.dives[k];
        bool inSeries = false;
        for (int s : series)
            inSeries = inSeries || static_cast<size_t>(s) == k;
        printf("%c %4lld  %-10s  %-5s  %7s  %6.1f m  %s\n", inSeries ? '*' : ' ',
               static_cast<long long>(k + 1), dive.date.empty() ? "?" : dive.date.c_str(),
               dive.time.empty() ? "?" : dive.time.c_str(),
               dive.durationSeconds >= 0 ? clock(dive.durationSeconds).c_str() : "?",
               dive.greatestDepth, shortGases(dive).c_str());
    }
    int found = printTakenProfile(names, "Befund: ", earlier);
    std::vector<bool> clashed;
    found += printClashes(log, chosen, "Befund: ", &clashed);
    std::vector<Dive> dives;
    for (size_t k = 0; k < chosen.size(); k++) {
        int number = chosen[k] + 1;
        const LogDive& dive = log.dives[static_cast<size_t>(chosen[k])];
        dives.push_back(logDive(dive, number));
        std::string why = refusal(number, dive, dives.back());
        if (!why.empty()) {
            printf("Befund: %s\n", why.c_str() + 7);  // without its "ERROR: "
            found++;
        }
        for (const std::string& text : why.empty() ? logFindings(dive, dives.back())
                                                   : std::vector<std::string>()) {
            printReason("Befund: Tauchgang " + std::to_string(number) + ": ", text);
            found++;
        }
        if (k + 1 == chosen.size()) continue;
        const LogDive& next = log.dives[static_cast<size_t>(chosen[k + 1])];
        LogInterval i = intervalBetween(dive, next, chosen[k + 1] == chosen[k] + 1);
        dives.back().intervalAfter = i.chosen;
        if (clashed[static_cast<size_t>(chosen[k + 1])]) continue;
        if (i.chosen < 0) {
            printf("Befund: ");
            printf(kNoInterval, diveName(number, dive).c_str());
            printf("\n");
            found++;
        } else if (i.fromFile >= 0 && i.fromTimes >= 0 &&
                   intervalsDisagree(i.fromFile, i.fromTimes)) {
            printf(
                "Befund: Oberflaechenpause nach %s\nlaut Datei %s, laut Datum und "
                "Uhrzeit %s.\n",
                diveName(number, dive).c_str(), hoursText(i.fromFile).c_str(),
                hoursText(i.fromTimes).c_str());
            found++;
        }
    }
    long long lines = profileLines(dives);
    if (profileTooLong(lines)) {
        printReason("Befund: ", lengthReason(lines));
        found++;
    }
    return found;
}
