// The name, choice, gas-switch and interval prompts.
#include "dialogue/prompts.h"

#include <climits>
#include <cstdio>
#include <string>

#include "assist/clock.h"
#include "assist/minutes.h"
#include "assist/timing.h"
#include "import/dive.h"
#include "import/layout.h"
#include "platform/console.h"

namespace {

// 'j', 'J' and 'Y' are 'y', 'N' is 'n'.
char sameKey(char c) {
    if (c == 'j' || c == 'J' || c == 'Y') return 'y';
    return c == 'N' ? 'n' : c;
}

}  // namespace

bool meansNoSwitch(const std::string& answer) {
    if (!answer.empty() && answer[0] == '-') return true;
    std::string word;
    for (char c : answer)
        word.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return word == "nein" || word == "kein" || word == "keiner" || word == "keinen";
}

bool askBaseName(std::string* base) {
    for (;;) {
        printf("Bitte den Dateinamen ohne Erweiterung %s angeben: ", ".csv");
        if (!consoleReadWord(base)) return false;
        if (base->size() <= static_cast<size_t>(kMaxBaseName)) return true;
        printf("\nERROR: Der Dateiname darf hoechstens %d Zeichen lang sein.\n", kMaxBaseName);
        consoleDiscard();
    }
}

int askChoice(char first, char second) {
    for (;;) {
        consoleDiscard();
        printf(" %c oder %c ?: ", first, second);
        int c = consoleReadChar();
        if (c == EOF) return kNoAnswer;
        char auswahl = sameKey(static_cast<char>(c));
        if (auswahl == first) return 0;
        if (auswahl == second) return 1;
    }
}

bool readAnswer(std::string* answer) {
    consoleDiscard();
    std::string rest;
    if (!consolePeekLine(&rest)) return false;
    *answer = trimmedAnswer(rest);
    return true;
}

void printSwitch(const Logbook& lb, const DiveRecord& r, int sample) {
    DiveRecord with = r;
    with.switchSample = sample;
    long long minute = switchMinute(exportDive(lb, with), 0);
    long long shown = sampleSeconds(sample, r);
    printf(" Gaswechsel bei %s Minuten (ab Sample %d, ", clockText(shown).c_str(), sample);
    if (minute > 0) {
        printf("im Profil ab Minute %lld) vermerkt.\n", minute);
    } else {
        printf("im Profil keine Minute mit Mix2) vermerkt.\n");
    }
}

bool askGasSwitch(const Logbook& lb, const DiveRecord& r, int* sample) {
    *sample = -1;
    if (r.sampleRate <= 0) return true;  // the review never asks then; no division by zero
    long long longest = static_cast<long long>(r.sampleCount) * r.sampleRate;
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty()) continue;  // no answer: the entry goes on waiting
        // Any dash, "-0:30" too, means no switch: a negative time must never put the deco gas
        // on from the start.
        if (meansNoSwitch(answer)) {
            printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
            return true;
        }
        long long seconds;
        if (parseClock(answer, &seconds) && seconds <= longest) {
            *sample = clampToInt(sampleAfterStep(seconds, r.sampleRate));
            printSwitch(lb, r, *sample);
            return true;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return false;
}

bool readInterval(DiveRecord& r) {
    consoleDiscard();
    printf(" Oberflaechenpause in Stunden:Minuten eingeben: ");
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty()) continue;  // no answer, as at every time entry
        long long minutes;
        if (parseClock(answer, &minutes)) {
            r.surfaceInterval = clampToInt(minutes);
            return true;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return false;
}

int reportInputEnded() {
    printf("\nERROR: Die Eingabe ist vorzeitig zu Ende.\n");
    fflush(stdout);
    return kNoAnswer;
}

int clampToInt(long long value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
