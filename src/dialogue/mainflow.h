// The run from the banner to the final wait.
#pragma once

// Runs the whole conversion once; returns the exit code: 0 after a completed run, -1 when
// the export could not be used, the profile not written or the console input ended early.
int mainFlow();

// Forgets everything an earlier run left behind, as a fresh start of the program would. Only
// tests need it: they run the flow many times in one process.
void resetRun();

// Clears the console window so that only the dialogue about the dives stays in view.
void clearScreen();
