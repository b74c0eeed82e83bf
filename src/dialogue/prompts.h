// The two reusable questions: a choice between two characters and the gas-switch time.
#pragma once

// Returned by askChoice, and reported by promptInputEnded, once the console input has ended.
constexpr int kNoAnswer = -1;

// 0 when the user typed `first`, 1 for `second`; asks until one of them comes.
// kNoAnswer when the input ends.
int askChoice(char first, char second);

// Asks for minutes:seconds within the dive's recorded time and returns the sample number from
// which the second gas is breathed. Check promptInputEnded() afterwards.
int askGasSwitch(int index);

// True once a question could not be answered because the console input had ended.
bool promptInputEnded();

// Says that the input ended early; the run then ends with kNoAnswer (-1).
int reportInputEnded();

// Forgets that an earlier run's input ended; see resetRun.
void resetPrompts();

// 64-bit results stored in 32-bit places saturate instead of wrapping.
int clampToInt(long long value);
