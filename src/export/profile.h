// src/export owns the profile file. It uses src/import (the model) and src/platform only, and
// asks nothing.
//
// The profile file: one line per minute over all dives, for the decompression planner. The
// writer writes the minutes it is given; it knows nothing of rows, modes or questions.
#pragma once

#include <cstddef>
#include <string>

#include "import/divetable.h"

struct TextOut;

// How writing a profile ended.
enum WriteResult {
    kWritten,     // saved
    kDeclined,    // the user kept the existing file (decided above the writer)
    kNotWritten,  // could not be opened or written; an earlier file is unchanged
    kInputEnded,  // the console input ended at the overwrite question
};

// A profile being written: the running minute and the lines not yet handed on (one write per
// few hundred short lines rather than one per line).
struct ProfileWriter {
    TextOut* out;
    long long t;  // running minute of the next line
    char pending[1 << 12];
    int used;
    bool failed;  // a write failed: nothing more reaches the file, only t counts on
};

// Starts the profile `path` with its header line; it replaces an earlier file only once
// profileFinish succeeds. False (nothing created) when the file cannot be made.
bool profileStart(ProfileWriter* w, const std::string& path);

// Writes the minutes as lines, t counting on; false once any write has failed.
bool profileMinutes(ProfileWriter* w, const DiveMinute* minutes, size_t n);

// Counts n minutes on without writing them: after a failed write, a dive or interval of
// billions of minutes must not take as long as writing them.
void profileSkip(ProfileWriter* w, long long n);

// Writes `minutes` surface lines (0 m, nitrogen 78); none for 0 or less.
void profileSurface(ProfileWriter* w, long long minutes);

// Ends a dive: prints the planner's length warning once the running minute has reached its
// limit.
void profileEndDive(ProfileWriter* w);

// Writes the end marker and puts the file in place; prints "Datei ... wurde gespeichert" or
// the failure with `shown`, the name messages show.
WriteResult profileFinish(ProfileWriter* w, const char* shown);

// Where putInt writes: one profile line being built.
struct LineBuffer {
    char text[64];
    int len;
};

// Appends the decimal digits of value (0 upward). A negative value is written as "0" and
// reported on the console.
void putInt(int value, LineBuffer* line);
