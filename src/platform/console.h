// src/platform owns the console, files and signals: the only place where Windows and other
// systems differ (#ifdef _WIN32 and the _posix/_win file pairs). It uses no other layer.
//
// Console input through one line-buffered reader with word, character and line reads, and screen
// clearing. Input arrives a line at a time; "discarding" drops the rest of the current line.
#pragma once

#include <cstdio>
#include <string>

// Reads one word as "%s" does: skips blanks and line ends, stops before the next blank.
// Returns false when the input ends before any non-blank character.
bool consoleReadWord(std::string* word);

// Reads the very next character as "%c" does; EOF when the input has ended.
int consoleReadChar();

// The rest of the current line, taking in the next one when it is used up, without consuming
// anything; false when the input has ended.
bool consolePeekLine(std::string* rest);

// Writes out pending output and drops the rest of the current input line.
void consoleDiscard();

// Clears the window, but only on a real terminal: redirected output gets nothing.
void consoleClearScreen();
