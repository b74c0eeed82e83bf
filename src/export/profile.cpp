// Writing the profile: header, the minute lines it is given, surface lines, end marker.
#include "export/profile.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "import/dive.h"
#include "platform/textfile.h"
#include "program.h"

namespace {

const char zeile1[30] = "Depth\tt.delta\tt.total\tN2%\tHe%";
const char zeile2[19] = "# END OF PROFILE #";

void flushLines(ProfileWriter* w) {
    if (w->used > 0 && !textWrite(w->out, w->pending, static_cast<size_t>(w->used))) {
        w->failed = true;
    }
    w->used = 0;
}

void putChar(char c, LineBuffer* line) {
    line->text[line->len++] = c;
}

// putInt itself, inline where the writer builds a line: it is the writer's inner loop.
inline void appendInt(int value, LineBuffer* line) {
    if (value < 0) {
        printf("\nERROR: Fehler in putInt()\n");
        value = 0;
    }
    // Most numbers of a line are depths, percents and the step: one or two digits.
    if (value < 10) {
        putChar(static_cast<char>('0' + value), line);
        return;
    }
    if (value < 100) {
        putChar(static_cast<char>('0' + value / 10), line);
        putChar(static_cast<char>('0' + value % 10), line);
        return;
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

// False once a write has failed; nothing more reaches the file then.
bool writeLine(ProfileWriter* w, const DiveMinute& m) {
    LineBuffer line;
    line.len = 0;
    appendInt(m.depth, &line);
    putChar('\t', &line);
    appendInt(1, &line);
    putChar('\t', &line);
    appendInt(w->t > INT_MAX ? INT_MAX : static_cast<int>(w->t), &line);
    w->t++;
    putChar('\t', &line);
    appendInt(m.nitrogen, &line);
    putChar('\t', &line);
    appendInt(m.helium, &line);
    putChar('\r', &line);
    putChar('\n', &line);
    if (w->used + line.len > static_cast<int>(sizeof w->pending)) flushLines(w);
    memcpy(w->pending + w->used, line.text, static_cast<size_t>(line.len));
    w->used += line.len;
    return !w->failed;
}

}  // namespace

void putInt(int value, LineBuffer* line) {
    appendInt(value, line);
}

bool profileStart(ProfileWriter* w, const std::string& path) {
    w->out = textCreate(path.c_str());
    w->t = 1;
    w->used = 0;
    w->failed = false;
    if (!w->out) return false;
    textWriteLine(w->out, zeile1, strlen(zeile1));
    return true;
}

bool profileMinutes(ProfileWriter* w, const DiveMinute* minutes, size_t n) {
    for (size_t k = 0; k < n; k++) {
        if (!writeLine(w, minutes[k])) {
            profileSkip(w, static_cast<long long>(n - k - 1));
            return false;
        }
    }
    return !w->failed;
}

void profileSkip(ProfileWriter* w, long long n) {
    if (n > 0) w->t += n;
}

void profileSurface(ProfileWriter* w, long long minutes) {
    const DiveMinute surface{0, kAirNitrogen, 0};
    for (long long k = 0; k < minutes; k++) {
        if (!writeLine(w, surface)) {
            profileSkip(w, minutes - k - 1);
            return;
        }
    }
}

void profileEndDive(ProfileWriter* w) {
    if (profileTooLong(w->t - 1)) {
        printf("\nERROR: Profil zu lang VD uenterstuetzt maximal 6000 Minuten\n");
    }
}

WriteResult profileFinish(ProfileWriter* w, const char* shown) {
    flushLines(w);
    textWrite(w->out, zeile2, strlen(zeile2));
    if (!textCommit(w->out)) {
        printf("\nERROR: Datei %s konnte nicht geschrieben werden\n", shown);
        return kNotWritten;
    }
    printf("Datei %s wurde gespeichert", shown);
    return kWritten;
}
