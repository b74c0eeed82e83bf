// Files by the name the user typed: opening, replacing and removing, with the name's bytes
// taken as the console delivered them.
#pragma once

#include <cstdio>
#include <string>

// fopen with a name as typed on the console; null when it cannot be opened.
FILE* fileOpen(const char* name, const char* mode);

// Forces what was written to `file` onto the disk; false when that fails. Done before a
// replace, so that a crash cannot leave an empty file where the old one was.
bool fileSync(FILE* file);

// Puts `from` in place of `to`, replacing an existing `to` without deleting it first.
bool fileReplace(const char* from, const char* to);

// Deletes a file; false when that fails.
bool fileRemove(const char* name);

#ifdef _WIN32
// The code page of the bytes the user types: the console's input code page, or the ANSI code
// page when stdin is not a console (redirected input is taken as the system's own text).
unsigned fileNameCodePage();

// Converts a name's bytes from the given code page to UTF-16 for the wide file functions.
// False when a byte sequence has no meaning in that code page.
bool fileNameToWide(const char* name, unsigned codePage, std::wstring* wide);
#endif
