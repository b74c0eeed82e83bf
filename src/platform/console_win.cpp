// Screen clearing in a Windows console window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/console.h"

void consoleClearScreen() {
    fflush(stdout);
    DWORD mode;
    // cls writes a form feed into redirected output; only a real console gets it.
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
    system("cls");
}
