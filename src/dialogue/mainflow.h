// The run from the banner to the final wait.
#pragma once

#include <string>
#include <vector>

#include "assist/checks.h"

// How the program was started: without arguments the classic dialogue, which must stay as it
// is; with exports as arguments the assisted dialogue, its unattended form (--ja), or the
// check that writes nothing (--pruefen).
enum RunMode {
    kClassic,
    kAssisted,
    kUnattended,
    kCheck,
};
extern RunMode runMode;

// Runs the whole conversion once; returns the exit code: 0 after a completed run, -1 when
// the export could not be used, the profile not written or the console input ended early.
int mainFlow();

// Converts the exports named on the command line one after the other, in the given mode;
// 0 when every profile was written (or kept at the user's wish), else -1. Unattended, an
// export with a reason to doubt its values is refused, and `switches` are the gas switches
// given with --wechsel.
int exportsFlow(const std::vector<std::string>& exports, RunMode mode,
                const std::vector<GivenSwitch>& switches = {});

// Loads the export named in `dateien` and fills the dive table, refusing an export with too
// few rows or, outside the classic mode, without dives. False once the refusal is printed.
bool useExport();

// Clears the console window so that only the dialogue about the dives stays in view.
void clearScreen();
