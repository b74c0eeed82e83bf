// Writing the profile: header, one line per minute of each dive, ascent and surface lines.
#include "export/profile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "assist/timing.h"
#include "dialogue/mainflow.h"
#include "dialogue/prompts.h"
#include "import/divetable.h"
#include "import/fields.h"
#include "import/logbook.h"
#include "platform/textfile.h"

namespace {

constexpr int kSampleRowBase = 23;  // sample s of a dive stands in row 23 + s
constexpr int kMaxMinutes = 6000;   // the planner takes no longer profile
constexpr int kSurfaceNitrogen = 78;

const char zeile1[30] = "Depth\tt.delta\tt.total\tN2%\tHe%";
const char zeile2[19] = "# END OF PROFILE #";

struct Writer {
    TextOut* out;
    long long t;  // running minute of the next line
    // Lines not yet handed on: one write per few hundred short lines rather than one per line.
    char pending[1 << 12];
    int used;
    bool failed;  // a write failed: nothing more reaches the file
};

void flushLines(Writer* w) {
    if (w->used > 0 && !textWrite(w->out, w->pending, static_cast<size_t>(w->used))) {
        w->failed = true;
    }
    w->used = 0;
}

void putChar(char c, LineBuffer* line) {
    line->text[line->len++] = c;
}

// Depths round to whole metres; the clamp keeps the conversion defined for any field.
int roundDepth(double depth) {
    double rounded = depth + 0.5;
    if (!(rounded >= 0.0)) return 0;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rounded);
}

// False once a write has failed; nothing more reaches the file then.
bool writeLine(Writer* w, int depth, int nitrogen) {
    LineBuffer line;
    line.len = 0;
    putInt(depth, &line);
    putChar('\t', &line);
    putInt(1, &line);
    putChar('\t', &line);
    putInt(w->t > INT_MAX ? INT_MAX : static_cast<int>(w->t), &line);
    w->t++;
    putChar('\t', &line);
    putInt(nitrogen, &line);
    putChar('\t', &line);
    putInt(0, &line);
    putChar('\r', &line);
    putChar('\n', &line);
    if (w->used + line.len > static_cast<int>(sizeof w->pending)) flushLines(w);
    memcpy(w->pending + w->used, line.text, static_cast<size_t>(line.len));
    w->used += line.len;
    return !w->failed;
}

int nitrogenOf(const DiveRecord& r, bool secondGas) {
    return 100 - (secondGas ? r.mix2 : r.mix1);
}

void writeDive(Writer* w, int d) {
    DiveRecord& r = tgListe[d - 1];
    // Every dive keeps its own time wherever the sampling rate allows it.
    bool timed = timedMinutes(r);
    long long minutes = minutesOf(r, timed);
    long long i = 1;
    for (; i <= minutes; i++) {
        ProfileMinute m = profileMinute(r, i, timed);
        int depth = roundDepth(getDepth(d, kSampleRowBase + m.lower));
        for (int s = m.lower + 1; s <= m.upper; s++)
            depth = std::max(depth, roundDepth(getDepth(d, kSampleRowBase + s)));
        // The planner's air is 22 % oxygen; a dive without sample lines keeps its 21.
        if (r.mix1 == 21) r.mix1 = 22;
        if (r.mix2 == 21) r.mix2 = 22;
        if (!writeLine(w, depth, nitrogenOf(r, m.secondGas))) {
            // A huge sampling rate can ask for billions of minutes; as with the surface
            // interval, after a failed write only the count runs on.
            w->t += minutes - i;
            i = minutes + 1;
            break;
        }
    }
    // The ascent line takes the gas of the first minute the recording no longer reaches.
    writeLine(w, 0, nitrogenOf(r, profileMinute(r, i, timed).secondGas));
    if (d != tauchgaenge) {
        // An interval can ask for billions of lines; after a failed write only the count runs
        // on, so that the length warning still comes as for a written profile.
        for (int k = 0; k < r.surfaceInterval; k++) {
            if (!writeLine(w, 0, kSurfaceNitrogen)) {
                w->t += r.surfaceInterval - k - 1;
                break;
            }
        }
    }
    if (w->t >= kMaxMinutes) {
        printf("\nERROR: Profil zu lang VD uenterstuetzt maximal 6000 Minuten\n");
    }
}

// What the overwrite question decided.
enum Overwrite {
    kAskedGoOn,        // nothing there, or the user said yes
    kAskedKeep,        // the user kept the existing file
    kAskedRefused,     // a directory, FIFO, device or the export stands there; message is out
    kAskedInputEnded,  // the console input ended
};

// Asks before an existing file is replaced. The name is only looked at, never opened: opening
// a FIFO would wait for ever. Only a file can be replaced.
Overwrite askOverwrite(const char* path, const char* dateiname) {
    TextTarget target = textTarget(path);
    if (target == kTargetMissing) return kAskedGoOn;
    // Nor is the export itself replaced, should the profile's name be a link to it: it may be
    // the diver's only copy.
    if (target == kTargetOther ||
        (target == kTargetFile && textSameFile(path, dateien.exportPath.c_str()))) {
        printf("\nFehler beim Oeffnen der Datei %s\n", dateiname);
        return kAskedRefused;
    }
    if (runMode == kUnattended) {
        // --ja replaces it: the decision is printed, nothing is read.
        printf("Die vorhandene Datei %s wird ersetzt.\n", dateiname);
        return kAskedGoOn;
    }
    printf(" Soll die Datei ueberschrieben werden?");
    int choice = askChoice('y', 'n');
    if (choice == kNoAnswer) return kAskedInputEnded;
    return choice == 0 ? kAskedGoOn : kAskedKeep;
}

}  // namespace

void putInt(int value, LineBuffer* line) {
    if (value < 0) {
        printf("\nERROR: Fehler in putInt()\n");
        value = 0;
    }
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        putChar(digits[--n], line);
}

WriteResult writeProfile() {
    const char* dateiname = dateien.profileShown.c_str();
    switch (askOverwrite(dateien.profilePath.c_str(), dateiname)) {
        case kAskedGoOn:
            break;
        case kAskedKeep:
            return kDeclined;
        case kAskedRefused:
            return kNotWritten;
        case kAskedInputEnded:
            return kInputEnded;
    }
    Writer w{textCreate(dateien.profilePath.c_str()), 1, {}, 0, false};
    if (!w.out) {
        printf("\nFehler beim Oeffnen der Datei %s\n", dateiname);
        return kNotWritten;
    }
    textWriteLine(w.out, zeile1, strlen(zeile1));
    for (int d = 1; d <= tauchgaenge; d++)
        writeDive(&w, d);
    flushLines(&w);
    textWrite(w.out, zeile2, strlen(zeile2));
    if (!textCommit(w.out)) {
        printf("\nERROR: Datei %s konnte nicht geschrieben werden\n", dateiname);
        return kNotWritten;
    }
    printf("Datei %s wurde gespeichert", dateiname);
    return kWritten;
}
