// The start of the program: each platform's entry hands over the command line's arguments.
#pragma once

#include <string>
#include <vector>

// Runs the program with the arguments after the program's name, as UTF-8 text on Windows and
// as plain bytes elsewhere; returns the exit code.
int programMain(const std::vector<std::string>& args);
