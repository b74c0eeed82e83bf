// The choice and gas-switch prompts.
#include "dialogue/prompts.h"

#include <climits>
#include <cstdio>
#include <string>

#include "assist/clock.h"
#include "assist/timing.h"
#include "import/divetable.h"
#include "platform/console.h"

static char auswahl;

namespace {
bool inputEnded = false;
}

int askChoice(char first, char second) {
    for (;;) {
        consoleDiscard();
        printf(" %c oder %c ?: ", first, second);
        int c = consoleReadChar();
        if (c == EOF) {
            inputEnded = true;
            return kNoAnswer;
        }
        auswahl = static_cast<char>(c);
        if (auswahl == first) return 0;
        if (auswahl == second) return 1;
    }
}

bool readAnswer(std::string* answer) {
    consoleDiscard();
    std::string rest;
    if (!consolePeekLine(&rest)) {
        inputEnded = true;
        return false;
    }
    *answer = trimmedAnswer(rest);
    return true;
}

void printSwitch(long long shown, int sample) {
    printf(" Gaswechsel bei %lld:%02lld Minuten (ab Sample %d) vermerkt.\n", shown / 60, shown % 60,
           sample);
}

int askGasSwitch(const DiveRecord& r) {
    if (r.sampleRate <= 0) return -1;  // the review never asks then; no division by zero
    long long longest = static_cast<long long>(r.sampleCount) * r.sampleRate;
    std::string answer;
    while (readAnswer(&answer)) {
        if (answer.empty()) continue;  // no answer: the entry goes on waiting
        // Any dash, "-0:30" too, means no switch: a negative time must never put the deco gas
        // on from the start.
        if (answer[0] == '-') {
            printf(" Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n");
            return -1;
        }
        long long seconds;
        if (parseClock(answer, &seconds) && seconds <= longest) {
            int sample = clampToInt(sampleAfterStep(seconds, r.sampleRate));
            printSwitch((static_cast<long long>(sample) - 1) * r.sampleRate, sample);
            return sample;
        }
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    return -1;
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

bool promptInputEnded() {
    return inputEnded;
}

// The answers themselves need no reset: each question sets them before it reads.
void resetPrompts() {
    inputEnded = false;
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
