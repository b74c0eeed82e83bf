// Helpers for the unit tests: a line table from literal rows, scripted console input, a
// scratch directory, and stdout capture.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "import/logbook.h"

// An export of these rows (each gets an LF), its dives counted from row 1.
Logbook setTable(const std::vector<std::string>& rows);

// Feeds the console reader from this text until the next call.
void setConsoleInput(const std::string& text);

// Runs the test in a fresh empty directory, removed afterwards.
class ScratchDir {
   public:
    ScratchDir();
    ~ScratchDir();
    std::string path;

   private:
    std::string previous;
};

void writeFile(const std::string& name, const std::string& bytes);
std::string readFile(const std::string& name);
bool fileExists(const std::string& name);
std::vector<std::string> listDir(const std::string& dir = ".");
