// File names on systems whose file names are plain bytes: used exactly as typed.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

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

bool fileExists(const char* name) {
    struct stat st;
    return stat(name, &st) == 0;
}

bool fileRemove(const char* name) {
    return remove(name) == 0;
}

std::string fileShownName(const std::string& name) {
    return name;
}
