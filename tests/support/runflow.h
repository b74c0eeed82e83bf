// Running the whole converter inside a test process: scripted console input, captured output,
// a scratch directory to work in, and small file helpers.
#pragma once

#include <string>

// Runs mainFlow once from a fresh state with `input` as the console input. Stdout goes to
// `out` when given, else where it goes now. Returns the exit code.
int runFlow(const std::string& input, std::string* out);

// Makes a fresh directory under the system's temporary one and changes into it; returns its
// path. leaveScratchDir goes back and removes it with everything in it.
std::string enterScratchDir();
void leaveScratchDir(const std::string& dir);

// Whole-file helpers; readFile gives "" for a file that is not there.
std::string readFile(const std::string& name);
void writeFile(const std::string& name, const std::string& data);

// The names in the current directory, sorted, joined with blanks.
std::string listDir();
