// Asking before a profile is replaced, and feeding the writer dive by dive.
#include "dialogue/output.h"

#include <cstdio>

#include "assist/minutes.h"
#include "dialogue/prompts.h"
#include "platform/textfile.h"

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

}  // namespace

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
