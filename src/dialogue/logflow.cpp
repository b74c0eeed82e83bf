// The dialogue for dive logs in XML: choosing, showing, completing and writing their dives.
#include "dialogue/logflow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "assist/checks.h"
#include "assist/clock.h"
#include "assist/gas.h"
#include "assist/logintervals.h"
#include "assist/minutes.h"
#include "assist/series.h"
#include "dialogue/lognames.h"
#include "dialogue/output.h"
#include "dialogue/picturefile.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "dialogue/review.h"
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

// The first gas, then every switch on a line of its own with the profile minute its gas is
// written from; a switch after the last sample says so.
std::string gasesText(const LogDive& from, const Dive& dive) {
    std::string text = gasText(gasOf(from, dive.firstGas)) + " ab Beginn";
    double last = dive.samples.empty() ? 0 : dive.samples.back().seconds;
    for (size_t k = 0; k < dive.switches.size(); k++) {
        const DiveSwitch& w = dive.switches[k];
        long long minute = switchMinute(dive, k);
        std::string where = minute > 0 ? "im Profil ab Minute " + std::to_string(minute)
                                       : "im Profil keine Minute damit";
        if (w.seconds > last) where = "nach der letzten Probe, " + where;
        text += ";\n      " + gasText(gasOf(from, w.gas)) + " ab " + clock(w.seconds) + " (" +
                where + ")";
    }
    return text;
}

// `text` broken before a ", " part that would pass 79 columns, starting at column `first`;
// the lines after the first indented to `indent`.
std::string wrapped(const std::string& text, size_t first, size_t indent) {
    std::string out;
    size_t column = first;
    size_t at = 0;
    while (at < text.size()) {
        size_t next = text.find(", ", at);
        std::string part =
            text.substr(at, next == std::string::npos ? std::string::npos : next - at);
        if (at > 0 && column + 2 + part.size() > 79) {
            out += ",\n" + std::string(indent, ' ');
            column = indent;
        } else if (at > 0) {
            out += ", ";
            column += 2;
        }
        out += part;
        column += part.size();
        at = next == std::string::npos ? text.size() : next + 2;
    }
    return out;
}

// "1 Tauchgang" or "3 Tauchgaenge".
std::string divesWord(size_t n) {
    return std::to_string(n) + (n == 1 ? " Tauchgang" : " Tauchgaenge");
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

void printLoggedDive(const JoinedDives& joined, int index, const Dive& model) {
    const LogDive& dive = joined.dives[static_cast<size_t>(index)];
    printf("\n\nTauchgang Nr. %d vom %s %s\n", index + 1,
           dive.date.empty() ? "?" : dive.date.c_str(),
           dive.time.empty() ? "?" : dive.time.c_str());
    printf("----------------------------------------\n");
    if (joined.files.size() > 1) {
        size_t k = static_cast<size_t>(index);
        printf("Aus %s, dort Tauchgang %d\n",
               joined.files[static_cast<size_t>(joined.file[k])].c_str(), joined.place[k] + 1);
    }
    printf("Dauer: %s min  Groesste Tiefe: %.1f m  Proben: %lld\n",
           dive.durationSeconds >= 0 ? clock(dive.durationSeconds).c_str() : "?",
           dive.greatestDepth, static_cast<long long>(dive.samples.size()));
    printf("Gase: %s\n", gasesText(dive, model).c_str());
    if (!dive.note.empty()) printf("%s\n", dive.note.c_str());
    if (minuteCount(model) > 0) printHeld(model);
}

// Why a dive cannot become a minute profile; empty when it can.
std::string refusal(const std::string& diveName, const LogDive& dive, const Dive& model) {
    std::string name = "ERROR: " + diveName;
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
                 "Letzte Probe in %.1f m, tiefer als jeder Sicherheitsstopp:\n"
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
void printInterval(const std::string& diveName, const LogInterval& i) {
    bool both = i.fromFile >= 0 && i.fromTimes >= 0 && intervalsDisagree(i.fromFile, i.fromTimes);
    bool fromFile = i.chosen == i.fromFile && i.fromFile >= 0;
    printf("\nOberflaechenpause nach %s: %s\n%s", diveName.c_str(), hoursText(i.chosen).c_str(),
           fromFile ? "laut Datei" : "laut Datum und Uhrzeit");
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
bool chooseDives(const JoinedDives& joined, const std::string& list, std::vector<int>* chosen) {
    if (list.empty()) {
        *chosen = defaultSeries(joined.dives);
        return true;
    }
    DiveChoice choice = parseDiveList(list, static_cast<int>(joined.dives.size()));
    if (!choice.ok) {
        printf("\n%s\n", choice.error.c_str());
        return false;
    }
    *chosen = choice.dives;
    return true;
}

// Reads the log and says so; false once the failure is printed. A log without dives is refused:
// it gives no profile, and in a trip the diver meant another file.
bool readLog(const FileNames& names, LogFile* log) {
    *log = readLogFile(names.exportPath);
    if (!log->ok) {
        printf("\n%s\n", log->error.c_str());
        return false;
    }
    printf("\nDatei %s wurde geladen\n", names.exportShown.c_str());
    if (log->sorted)
        printf("Die Tauchgaenge sind nach ihrem Beginn geordnet; die Datei listet sie anders.\n");
    if (!log->dives.empty()) return true;
    printf("\nERROR: Die Datei %s enthaelt keine Tauchgaenge.\n", names.exportShown.c_str());
    return false;
}

// Dives of the file between two chosen ones are left out; their nitrogen is too, and the
// diver must know it.
void printSkipped(const JoinedDives& joined, int number, int next) {
    if (next == number + 1) return;
    const LogDive& first = joined.dives[static_cast<size_t>(number)];
    const LogDive& last = joined.dives[static_cast<size_t>(next - 2)];
    std::string after = diveName(joined, number - 1);
    if (next == number + 2) {
        printf(
            "\nHinweis: %s fehlt im Profil;\n"
            "die Pause nach %s\nschliesst ihn ein, ohne seinen Stickstoff.\n",
            diveName(joined, number).c_str(), after.c_str());
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

// Where the dives were found: "in der Datei" or "in den 3 Dateien".
std::string whereText(const JoinedDives& joined) {
    if (joined.files.size() < 2) return "in der Datei";
    return "in den " + std::to_string(joined.files.size()) + " Dateien";
}

void printNotConverted(const FileNames& names, const JoinedDives& joined) {
    if (joined.files.size() < 2) {
        printf("\nDie Datei %s wird nicht umgewandelt; es wird nichts geschrieben.\n",
               names.exportShown.c_str());
    } else {
        printf("\nDie %lld Dateien werden nicht umgewandelt; %s wird nicht geschrieben.\n",
               static_cast<long long>(joined.files.size()), names.profileShown.c_str());
    }
}

// For a trip: which file each dive of the list comes from.
void printFileNumbers(const JoinedDives& joined) {
    if (joined.files.size() < 2) return;
    for (size_t f = 0; f < joined.files.size(); f++) {
        std::vector<int> from;
        for (size_t k = 0; k < joined.dives.size(); k++) {
            if (joined.file[k] == static_cast<int>(f)) from.push_back(static_cast<int>(k));
        }
        printf("Aus %s: %s\n", joined.files[f].c_str(), chosenText(from).c_str());
    }
}

}  // namespace

bool readLogs(const std::vector<FileNames>& files, JoinedDives* joined) {
    std::vector<LogFile> logs(files.size());
    std::vector<std::string> shown;
    for (size_t f = 0; f < files.size(); f++) {
        if (!readLog(files[f], &logs[f])) return false;
        shown.push_back(files[f].exportShown);
    }
    *joined = joinLogs(logs, shown);
    return true;
}

LogOutcome convertLog(const FileNames& names, const JoinedDives& joined, const std::string& list,
                      bool unattended, bool picture) {
    std::vector<int> chosen;
    if (!chooseDives(joined, list, &chosen)) return kLogNotUsable;
    printf("%s %s vorhanden; umgewandelt %s: %s\n",
           (divesWord(joined.dives.size()) + (joined.dives.size() == 1 ? " ist" : " sind")).c_str(),
           whereText(joined).c_str(), chosen.size() == 1 ? "wird" : "werden",
           chosenText(chosen).c_str());
    std::vector<Dive> dives;
    std::vector<bool> clashed;
    printClashes(joined, chosen, "\nERROR: ", &clashed);
    bool refused = std::find(clashed.begin(), clashed.end(), true) != clashed.end();
    for (size_t k = 0; k < chosen.size(); k++) {
        int number = chosen[k] + 1;
        const LogDive& dive = joined.dives[static_cast<size_t>(chosen[k])];
        std::string name = diveName(joined, chosen[k]);
        Dive written = logDive(dive, number);
        printLoggedDive(joined, chosen[k], written);
        std::string why = refusal(name, dive, written);
        if (!why.empty()) {
            printf("%s\n", why.c_str());
            refused = true;
        }
        for (const std::string& text :
             why.empty() ? logFindings(dive, written) : std::vector<std::string>()) {
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
            const LogDive& next = joined.dives[static_cast<size_t>(chosen[k + 1])];
            LogInterval i =
                intervalBetween(dive, next, followsInFile(joined, chosen[k], chosen[k + 1]));
            printSkipped(joined, number, chosen[k + 1] + 1);
            if (clashed[static_cast<size_t>(chosen[k + 1])]) {
                // Refused above: no interval between them to tell.
            } else if (i.chosen >= 0) {
                printInterval(name, i);
                written.intervalAfter = i.chosen;
            } else if (unattended) {
                printf("\nERROR: ");
                printf(kNoInterval, name.c_str());
                printf("\n");
                refused = true;
            } else if (!refused) {
                printf("\n");
                printf(kNoInterval, name.c_str());
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
        printNotConverted(names, joined);
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
    if (written == kWritten && picture) writePicture(names, dives, logNotes(joined, chosen, dives));
    return written == kNotWritten ? kLogFailed : kLogConverted;
}

int checkLog(const FileNames& names, const JoinedDives& joined, const std::string& list,
             const std::vector<FileNames>& earlier) {
    std::vector<int> chosen;
    if (!chooseDives(joined, list, &chosen)) return -1;
    std::vector<int> series = defaultSeries(joined.dives);
    printf("%s; * = die letzte Serie, die ohne --tauchgaenge umgewandelt wird\n\n",
           divesWord(joined.dives.size()).c_str());
    printf("   Nr.  Datum       Zeit   Dauer     Tiefe  Gase\n");
    for (size_t k = 0; k < joined.dives.size(); k++) {
        const LogDive& dive = joined.dives[k];
        bool inSeries = false;
        for (int s : series)
            inSeries = inSeries || static_cast<size_t>(s) == k;
        printf("%c %4lld  %-10s  %-5s  %7s  %6.1f m  %s\n", inSeries ? '*' : ' ',
               static_cast<long long>(k + 1), dive.date.empty() ? "?" : dive.date.c_str(),
               dive.time.empty() ? "?" : dive.time.c_str(),
               dive.durationSeconds >= 0 ? clock(dive.durationSeconds).c_str() : "?",
               dive.greatestDepth, wrapped(shortGases(dive), 46, 46).c_str());
    }
    printFileNumbers(joined);
    int found = printTakenProfile(names, "Befund: ", earlier);
    std::vector<bool> clashed;
    found += printClashes(joined, chosen, "Befund: ", &clashed);
    std::vector<Dive> dives;
    for (size_t k = 0; k < chosen.size(); k++) {
        int number = chosen[k] + 1;
        const LogDive& dive = joined.dives[static_cast<size_t>(chosen[k])];
        std::string name = diveName(joined, chosen[k]);
        dives.push_back(logDive(dive, number));
        std::string why = refusal(name, dive, dives.back());
        if (!why.empty()) {
            printf("Befund: %s\n", why.c_str() + 7);  // without its "ERROR: "
            found++;
        }
        for (const std::string& text :
             why.empty() ? logFindings(dive, dives.back()) : std::vector<std::string>()) {
            printReason("Befund: Tauchgang " + std::to_string(number) + ": ", text);
            found++;
        }
        if (k + 1 == chosen.size()) continue;
        const LogDive& next = joined.dives[static_cast<size_t>(chosen[k + 1])];
        LogInterval i =
            intervalBetween(dive, next, followsInFile(joined, chosen[k], chosen[k + 1]));
        dives.back().intervalAfter = i.chosen;
        if (clashed[static_cast<size_t>(chosen[k + 1])]) continue;
        if (i.chosen < 0) {
            printf("Befund: ");
            printf(kNoInterval, name.c_str());
            printf("\n");
            found++;
        } else if (i.fromFile >= 0 && i.fromTimes >= 0 &&
                   intervalsDisagree(i.fromFile, i.fromTimes)) {
            printf(
                "Befund: Oberflaechenpause nach %s\nlaut Datei %s, laut Datum und "
                "Uhrzeit %s.\n",
                name.c_str(), hoursText(i.fromFile).c_str(), hoursText(i.fromTimes).c_str());
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
