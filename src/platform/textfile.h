// Text files: read as the Windows C runtime reads them in text mode, written with CR LF line
// ends, on every platform alike.
#pragma once

#include <cstddef>

struct TextIn;
struct TextOut;

// Opens a file for reading; null when it cannot be opened.
TextIn* textOpenRead(const char* name);

// Reads like fgets into a 120-byte row: at most 119 bytes, stopping after an LF. CR LF reads as
// LF, a lone CR stays, byte 0x1A ends the input. Returns the bytes stored (zeros inside a line
// count), 0 at the end of the input, -1 when reading fails. Stores no terminating zero.
int textReadRow(TextIn* in, char* row);

// Starts reading from the beginning again; false when that fails.
bool textRewind(TextIn* in);

// Closes and frees; false when closing failed.
bool textClose(TextIn* in);

// True when something stands under `name`, even if it cannot be read.
bool textExists(const char* name);

// Opens a new file that replaces `name` only once textCommit succeeds; the data goes to a
// temporary file beside it first. Null when that cannot be opened.
TextOut* textCreate(const char* name);

// Writes bytes as they are; after the first failure nothing more is written.
bool textWrite(TextOut* out, const char* data, size_t len);

// Writes bytes followed by CR LF.
bool textWriteLine(TextOut* out, const char* data, size_t len);

// Flushes, closes and puts the file in place of `name`. On any failure, now or in an earlier
// write, the temporary file is removed, an earlier file stays as it was, and it returns false.
// Frees `out` in every case.
bool textCommit(TextOut* out);

// Test seam, never set by the program: every file operation asks the hook first, with the
// bytes of a write, and a hook that returns true makes that operation fail as the system would.
enum TextOp {
    kOpOpen,      // opening a file for reading
    kOpRead,      // one read from it
    kOpRewind,    // going back to its start
    kOpCloseIn,   // closing it
    kOpCreate,    // opening the temporary file for writing
    kOpWrite,     // one write
    kOpFlush,     // writing out what is buffered
    kOpSync,      // forcing it onto the disk
    kOpCloseOut,  // closing the temporary file
    kOpReplace,   // putting it in place of the target
};
using TextFaultHook = bool (*)(TextOp op, size_t bytes);
void textSetFaultHook(TextFaultHook hook);
