// Asking before a profile is replaced, and feeding the writer dive by dive.
#include "dialogue/output.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "assist/clock.h"
#include "assist/minutes.h"
#include "dialogue/prompts.h"
#include "dialogue/reasons.h"
#include "dialogue/review.h"
#include "platform/textfile.h"
#include "program.h"

namespace {

// What the overwrite question decided.
enum Overwrite {
    kAskedGoOn,        // nothing there, or the user said yes
    kAskedKeep,        // the user kept the existing file
    kAskedRefused,     // a directory, FIFO, device or the export stands there; message is out
    kAskedInputEnded,  // the console input ended
};

// Asks before an existing file is replaced. The name is only looked at, never opened: opening
// a FIFO would wait for ever. Only a file can be replaced.
Overwrite askOverwrite(const FileNames& names, bool replace) {
    const char* path = names.profilePath.c_str();
    const char* dateiname = names.profileShown.c_str();
    TextTarget target = textTarget(path);
    if (target == kTargetMissing) return kAskedGoOn;
    // Nor is the export itself replaced, should the profile's name be a link to it: it may be
    // the diver's only copy.
    if (target == kTargetOther ||
        (target == kTargetFile && textSameFile(path, names.exportPath.c_str()))) {
        printf("\nFehler beim Oeffnen der Datei %s\n", dateiname);
        return kAskedRefused;
    }
    if (replace) {
        // --ja replaces it: the decision is printed, nothing is read.
        printf("Die vorhandene Datei %s wird ersetzt.\n", dateiname);
        return kAskedGoOn;
    }
    printf(" Soll die Datei ueberschrieben werden?");
    int choice = askChoice('y', 'n');
    if (choice == kNoAnswer) return kAskedInputEnded;
    return choice == 0 ? kAskedGoOn : kAskedKeep;
}

// One dive's minute lines, a thousand at a time, and its ascent line.
void writeDive(ProfileWriter* w, const Dive& dive) {
    DiveMinute chunk[1024];
    long long count = minuteCount(dive);
    for (long long first = 1; first <= count; first += 1024) {
        long long n = diveMinutes(dive, first, chunk, 1024);
        if (!profileMinutes(w, chunk, static_cast<size_t>(n))) {
            // A huge sampling rate can ask for billions of minutes: only the count runs on.
            profileSkip(w, count - (first + n - 1));
            break;
        }
    }
    DiveMinute ascent = ascentMinute(dive);
    profileMinutes(w, &ascent, 1);
}

// Asks before an existing profile is replaced and starts the new one; kWritten when writing
// may go on.
WriteResult startProfile(ProfileWriter* w, const FileNames& names, bool replace) {
    switch (askOverwrite(names, replace)) {
        case kAskedGoOn:
            break;
        case kAskedKeep:
            return kDeclined;
        case kAskedRefused:
            return kNotWritten;
        case kAskedInputEnded:
            return kInputEnded;
    }
    if (profileStart(w, names.profilePath)) return kWritten;
    printf("\nFehler beim Oeffnen der Datei %s\n", names.profileShown.c_str());
    return kNotWritten;
}

// A gas of the overview: "Luft", "32%O2", "18/45" (oxygen/helium).
std::string gasName(const DiveMinute& gas) {
    if (gas.helium == 0 && gas.nitrogen == kAirNitrogen) return "Luft";
    int oxygen = 100 - gas.nitrogen - gas.helium;
    if (gas.helium > 0) return std::to_string(oxygen) + "/" + std::to_string(gas.helium);
    return std::to_string(oxygen) + "%O2";
}

// One dive's line of the overview, wrapped before a part that would pass 79 columns.
void printOverviewLine(const Dive& dive, int deepest, bool last) {
    std::vector<std::string> parts;
    parts.push_back("Tauchgang " + std::to_string(dive.number) + ": " +
                    std::to_string(minuteCount(dive)) + " min, tiefste Minute " +
                    std::to_string(deepest) + " m");
    for (const GasMinutes& g : minutesOnEachGas(dive))
        parts.push_back(std::to_string(g.minutes) + " min " + gasName(g.gas));
    if (!last) parts.push_back("Pause " + clockText(std::max(0LL, dive.intervalAfter)) + "h");
    std::string line;
    for (size_t k = 0; k < parts.size(); k++) {
        std::string piece = (k == 0 ? "" : ", ") + parts[k];
        if (k > 0 && line.size() + piece.size() > 79) {
            printf("%s,\n", line.c_str());
            line = "  " + parts[k];
        } else {
            line += piece;
        }
    }
    printf("%s\n", line.c_str());
}

}  // namespace

ProfileCheck checkProfile(const FileNames& names, const std::vector<Dive>& dives,
                          const std::vector<int>& deepest, bool asking) {
    printf("\n\nIm Profil:\n");
    for (size_t i = 0; i < dives.size(); i++)
        printOverviewLine(dives[i], deepest[i], i + 1 == dives.size());
    printf("\n");
    long long lines = profileLines(dives);
    if (lines > kMostProfileMinutes) {
        printReason("ERROR: ", endlessReason(lines));
        printRefused(names);
        return kProfileRefused;
    }
    if (!asking || !profileTooLong(lines)) return kProfileFine;
    switch (warnAndAsk(lengthReason(lines))) {
        case kReviewed:
            return kProfileFine;
        case kReviewDeclined:
            return kProfileDeclined;
        case kReviewEnded:
            break;
    }
    return kProfileInputEnded;
}

WriteResult writeProfile(const FileNames& names, const std::vector<Dive>& dives, bool replace) {
    ProfileWriter w;
    WriteResult started = startProfile(&w, names, replace);
    if (started != kWritten) return started;
    for (size_t i = 0; i < dives.size(); i++) {
        writeDive(&w, dives[i]);
        if (i + 1 < dives.size()) profileSurface(&w, dives[i].intervalAfter);
        profileEndDive(&w);
    }
    return profileFinish(&w, names.profileShown.c_str());
}
