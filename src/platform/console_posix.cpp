// Screen clearing on terminals that understand ANSI sequences.
#include <unistd.h>

#include <cstdio>

#include "platform/console.h"

void consoleClearScreen() {
    fflush(stdout);
    if (!isatty(fileno(stdout))) return;
    // Home, clear the window, then the scrollback so the banner is really gone.
    fputs("\033[H\033[2J\033[3J", stdout);
    fflush(stdout);
}
