// Running the whole converter inside a test process: scripted console input, captured output.
#pragma once

#include <string>
#include <vector>

#include "dialogue/mainflow.h"

// Runs mainFlow once from a fresh state with `input` as the console input, and releases what
// the run allocated. Stdout goes to `out` when given, else where it goes now. Returns the
// exit code.
int runFlow(const std::string& input, std::string* out);

// The same for a start with exports as arguments, with questions or unattended (--ja).
int runExports(const std::vector<std::string>& exports, bool unattended, const std::string& input,
               std::string* out);
