// The profile file: one line per minute over all dives, for the decompression planner.
#pragma once

// How the output stage ended.
enum WriteResult {
    kWritten,     // saved
    kDeclined,    // the user kept the existing file
    kNotWritten,  // could not be opened or written; an earlier file is unchanged
    kInputEnded,  // the console input ended at the overwrite question
};

// Asks before replacing an existing profile (dateien.profilePath), then writes it.
WriteResult writeProfile();

// Where putInt writes: one profile line being built.
struct LineBuffer {
    char text[64];
    int len;
};

// Appends the decimal digits of value (0 upward). A negative value is written as "0" and
// reported on the console.
void putInt(int value, LineBuffer* line);
