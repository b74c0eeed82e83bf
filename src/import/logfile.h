// Dive logs in XML (UDDF, Subsurface's <divelog>): what the converter takes from them, and the
// reader that streams a file through expat into those values.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct LogSample {
    double seconds;  // since the dive began
    double depth;    // metres
};

struct LogGas {
    double o2;  // percent, 0..100
    double he;  // percent, 0..100
};

struct LogSwitch {
    double seconds;
    int gas;  // index into LogDive::gases
};

enum LogDiveKind { kOpenCircuit, kRebreather, kApnoe };

struct LogDive {
    std::vector<LogSample> samples;   // in file order, times may repeat or step back
    std::vector<LogGas> gases;        // never empty: air when the file names no gas
    int firstGas = 0;                 // in use from time 0
    std::vector<LogSwitch> switches;  // later changes of gas, by time (file order when equal)
    LogDiveKind kind = kOpenCircuit;
    long long startMinute = -1;         // local wall-clock minutes since 1970-01-01; -1 unknown
    double durationSeconds = -1;        // from the file, else the last sample time; -1 unknown
    double intervalBeforeSeconds = -1;  // surface interval the file gives; -1 none
    double greatestDepth = 0;           // metres, the deepest sample
    std::string date;                   // "21.03.2025", empty when unknown
    std::string time;                   // "14:05", empty when unknown
};

struct LogFile {
    bool ok = false;
    std::string error;           // when not ok: one German line beginning "ERROR: ", plain ASCII
    std::vector<LogDive> dives;  // in file order
};

// Reads a UDDF or Subsurface log; the kind is told by the root element, not by the name. The
// file is fed to the parser in 64 KiB pieces, so memory stays near what the dives hold.
// Messages name the file as the console shows it. Never throws; a shortage of memory is an
// error like any other.
LogFile readLogFile(const std::string& path);

// True when the file's first byte, after a UTF-8 byte order mark and blanks, opens an XML tag:
// a log, not a CSV export, whatever its name. False too when it cannot be read.
bool looksLikeXmlLog(const std::string& path);

// The same for bytes in memory; `shownName` stands in the messages.
LogFile readLogBuffer(const char* data, size_t size, const std::string& shownName);
