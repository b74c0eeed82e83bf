// The run from the banner to the final wait.
#pragma once

// Runs the whole conversion once; returns the exit code: 0 after a completed run, -1 when
// the export could not be used, the profile not written or the console input ended early.
int mainFlow();

// Clears the console window so that only the dialogue about the dives stays in view.
void clearScreen();
