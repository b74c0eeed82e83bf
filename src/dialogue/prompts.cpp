// The choice and gas-switch prompts.
#include "dialogue/prompts.h"

#include <climits>
#include <cstdio>

#include "import/divetable.h"
#include "platform/console.h"

static char auswahl;
static int m1;
static int s1;

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

int askGasSwitch(int index) {
    const DiveRecord& r = tgListe[index];
    if (r.sampleRate <= 0) return -1;  // the review never asks then; no division by zero
    long long longest = static_cast<long long>(r.sampleCount) * r.sampleRate;
    m1 = 0;
    s1 = 0;
    long long seconds;
    for (;;) {
        consoleDiscard();
        if (consoleScanTime(&m1, &s1) == EOF) {
            inputEnded = true;
            return -1;
        }
        seconds = static_cast<long long>(m1) * 60 + s1;
        if (seconds <= longest) break;
        printf("Ungueltige Eingabe. Bitte erneut versuchen: ");
    }
    int sample = clampToInt(seconds / r.sampleRate + 1);
    long long shown = (static_cast<long long>(sample) - 1) * r.sampleRate;
    printf(" Gaswechsel bei %lld:%02lld Minuten (ab Sample %d) vermerkt.\n", shown / 60, shown % 60,
           sample);
    return sample;
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
