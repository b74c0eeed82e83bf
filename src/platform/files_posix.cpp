// File names on systems whose file names are plain bytes: used exactly as typed.
#include <unistd.h>

#include <cstdio>

#include "platform/files.h"

FILE* fileOpen(const char* name, const char* mode) {
    return fopen(name, mode);
}

bool fileSync(FILE* file) {
    return fsync(fileno(file)) == 0;
}

bool fileReplace(const char* from, const char* to) {
    return rename(from, to) == 0;
}

bool fileRemove(const char* name) {
    return remove(name) == 0;
}
