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

// True when something stands under the name, even if it cannot be opened.
bool fileExists(const char* name);

// Deletes a file; false when that fails.
bool fileRemove(const char* name);

// How a name is shown on the console: as it is, except on Windows, where a name given in
// UTF-8 is shown in the console's code page.
std::string fileShownName(const std::string& name);

#ifdef _WIN32
// From now on names are UTF-8 (given on the command line), not typed in the console's code page.
void fileNamesAreUtf8();

// The code page of the bytes the user types: the console's input code page, or the ANSI code
// page when stdin is not a console (redirected input is taken as the system's own text).
unsigned fileNameCodePage();

// Converts a name's bytes from the given code page to UTF-16 for the wide file functions.
// False when a byte sequence has no meaning in that code page.
bool fileNameToWide(const char* name, unsigned codePage, std::wstring* wide);
#endif
