// The two fuzzed runs and the checks each must pass. The fuzz targets call them with
// arbitrary data; the unit tests replay the seeds and every earlier finding through them.
#pragma once

#include <string>

// Arbitrary bytes as the export "fuzz.csv", with answers that always get the run to its end.
// Works in the current directory. Returns null when the run ended soundly, else what broke.
// Console output goes to `out` when given, else to stdout.
const char* exportCase(const std::string& data, std::string* out);

// The bundled example export and an earlier profile, with arbitrary bytes as console input.
// consoleCaseSetUp puts the export into the current directory once.
void consoleCaseSetUp();
const char* consoleCase(const std::string& input, std::string* out);

// The same inputs started with the export as argument: the export in the unattended mode (no
// answers read), the console input in the assisted dialogue.
const char* unattendedExportCase(const std::string& data, std::string* out);
const char* assistedConsoleCase(const std::string& input, std::string* out);

// For the fuzz targets: a scratch directory removed at exit, stdout to nowhere.
void fuzzSetUp();

// For the fuzz targets: aborts, which libFuzzer reports as a finding, when `broken` is set.
void fuzzReport(const char* broken);
