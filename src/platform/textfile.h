// Text files: read as the Windows C runtime reads them in text mode, written with CR LF line
// ends, on every platform alike.
#pragma once

#include <cstddef>

struct TextIn;
struct TextOut;

// Opens a regular file for reading; null when it cannot be opened or is something else (a
// FIFO, device or directory).
TextIn* textOpenRead(const char* name);

// textReadRow's result when the file does not fit into memory.
constexpr int kTextNoMemory = -2;

// Reads like fgets into a 120-byte row: at most 119 bytes, stopping after an LF. CR LF reads as
// LF, a lone CR stays, byte 0x1A ends the input. Returns the bytes stored (zeros inside a line
// count), 0 at the end of the input, -1 when reading fails, kTextNoMemory. Stores no
// terminating zero. The first call reads the whole file into memory: every later pass sees
// that one snapshot, whatever happens to the file meanwhile.
int textReadRow(TextIn* in, char* row);

// Starts reading the snapshot from the beginning again; false when that fails.
bool textRewind(TextIn* in);

// Closes and frees; false when closing failed.
bool textClose(TextIn* in);

// What stands under `name`, found without opening it: missing, a file (or a symbolic link
// that leads to one or nowhere) or something else.
enum TextTarget { kTargetMissing, kTargetFile, kTargetOther };
TextTarget textTarget(const char* name);

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
