// For tests only: the seams through which tests drive the program. The program itself never
// calls them; each is defined beside the state it touches.
#pragma once

#include <cstddef>
#include <cstdio>

// Every file operation of platform/textfile asks the hook first, with the bytes of a write;
// a hook that returns true makes that operation fail as the system would.
enum TextOp {
    kOpOpen,      // opening a file for reading
    kOpRead,      // one read from it
    kOpRewind,    // going back to the start of what was read
    kOpCloseIn,   // closing it
    kOpCreate,    // creating the temporary file for writing
    kOpWrite,     // one write
    kOpFlush,     // writing out what is buffered
    kOpSync,      // forcing it onto the disk
    kOpCloseOut,  // closing the temporary file
    kOpReplace,   // putting it in place of the target
};
using TextFaultHook = bool (*)(TextOp op, size_t bytes);
void textSetFaultHook(TextFaultHook hook);

// The console reads from this stream instead of stdin (null: stdin again), and forgets any
// line taken in so far.
void consoleSetInput(FILE* in);
