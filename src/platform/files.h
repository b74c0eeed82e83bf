// Files by the name the user typed: opening for reading, probing, and replacing a file through
// a temporary one, with the name's bytes taken as the console delivered them.
#pragma once

#include <cstdio>
#include <string>

// Called once at program start: no file the program opens may take the place of a closed
// standard stream, and a file size limit must fail a write, not end the process.
void fileStartup();

// fopen with a name as typed on the console; null when it cannot be opened.
FILE* fileOpen(const char* name, const char* mode);

// Opens a regular file for reading; null for anything else (FIFO, device, directory), which
// is refused without waiting on it.
FILE* fileOpenRegular(const char* name);

// What stands under a name, found without opening it. A symbolic link counts as what it leads
// to; one that leads nowhere counts as a file, since writing through it creates one.
enum FileKind {
    kFileMissing,
    kFileRegular,
    kFileOther,  // a directory, FIFO or device
};
FileKind fileKind(const char* name);

// True when both names lead to one and the same existing file (links followed).
bool fileSame(const char* a, const char* b);

// A temporary file that is to replace the file a name stands for.
struct FileTemp;

// Creates a new file under a unique name beside the file that `name` finally stands for
// (symbolic links followed), never opening an existing one; it gets the permissions of the
// file it replaces. Until fileTempDone, an interrupt of the program removes it. Null when it
// cannot be created, or when the file it would replace may not be written by this user.
FILE* fileTempCreate(const char* name, FileTemp** temp);

// Forces what was written to `file` onto the disk; false when that fails. Done before a
// replace, so that a crash cannot leave an empty file where the old one was.
bool fileSync(FILE* file);

// Puts the (closed) temporary file in place of its target in one step.
bool fileTempReplace(FileTemp* temp);

// Removes the temporary file when `remove` is set, stops guarding it and frees `temp`.
void fileTempDone(FileTemp* temp, bool remove);

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
