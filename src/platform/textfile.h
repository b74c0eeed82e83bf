// Text files: read as the Windows C runtime reads them in text mode, written with CR LF line
// ends, on every platform alike.
#pragma once

#include <cstddef>

struct TextIn;
struct TextOut;

// Opens a regular file for reading; null when it cannot be opened or is something else (a
// FIFO, device or directory).
TextIn* textOpenRead(const char* name);

// Reads like fgets into a 120-byte row: at most 119 bytes, stopping after an LF. CR LF reads as
// LF, a lone CR stays, byte 0x1A ends the input. Returns the bytes stored (zeros inside a line
// count), 0 at the end of the input, -1 when reading fails. Stores no terminating zero.
int textReadRow(TextIn* in, char* row);

// Starts a second pass from the beginning; false when that fails. The first pass is read to
// the file's end first, so that the second can be compared with all of it.
bool textRewind(TextIn* in);

// Reads the rest of the second pass and tells whether it saw exactly the bytes of the first:
// a file that changed in between (cut short, grown, rewritten) must not become a profile.
bool textSameAsFirstPass(TextIn* in);

// Closes and frees; false when closing failed.
bool textClose(TextIn* in);

// What stands under `name`, found without opening it: missing, a file (or a symbolic link
// that leads to one or nowhere) or something else.
enum TextTarget { kTargetMissing, kTargetFile, kTargetOther };
TextTarget textTarget(const char* name);

// True when both names lead to one and the same existing file.
bool textSameFile(const char* a, const char* b);

// Opens a new file that replaces `name` only once textCommit succeeds; the data goes to a
// temporary file of a unique name beside the file `name` finally stands for. Null when that
// cannot be created, or when an existing file there may not be written.
TextOut* textCreate(const char* name);

// Writes bytes as they are; after the first failure nothing more is written.
bool textWrite(TextOut* out, const char* data, size_t len);

// Writes bytes followed by CR LF.
bool textWriteLine(TextOut* out, const char* data, size_t len);

// Flushes, closes and puts the file in place of `name`. On any failure, now or in an earlier
// write, the temporary file is removed, an earlier file stays as it was, and it returns false.
// Frees `out` in every case.
bool textCommit(TextOut* out);
