// File names on Windows: the typed bytes are converted to UTF-16 and used with the wide
// functions, since narrow fopen would read them in the ANSI code page, not the console's.
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"

namespace {

bool namesInUtf8 = false;

// The wide name for a typed one, in the code page the user typed it in.
bool wideName(const char* name, std::wstring* wide) {
    return fileNameToWide(name, fileNameCodePage(), wide);
}

// Names such as CON, NUL or COM1 name devices, with any extension; reading the keyboard or a
// serial line as an export would wait for ever, so only files on a disk count.
bool isDiskFile(FILE* file) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return GetFileType(handle) == FILE_TYPE_DISK;
}

}  // namespace

unsigned fileNameCodePage() {
    if (namesInUtf8) return CP_UTF8;
    DWORD mode;
    if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) return GetConsoleCP();
    return GetACP();
}

bool fileNameToWide(const char* name, unsigned codePage, std::wstring* wide) {
    wide->clear();
    if (*name == '\0') return true;
    // The length includes the terminating zero, so the result carries one too.
    int len = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, name, -1, nullptr, 0);
    if (len <= 0) return false;
    wide->resize(len);
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, name, -1, &(*wide)[0], len) != len) {
        wide->clear();
        return false;
    }
    wide->resize(len - 1);
    return true;
}

FILE* fileOpen(const char* name, const char* mode) {
    std::wstring wname;
    if (!wideName(name, &wname)) return nullptr;
    std::wstring wmode(mode, mode + strlen(mode));  // "rb", "wb": plain ASCII
    FILE* file = _wfopen(wname.c_str(), wmode.c_str());
    if (file && !isDiskFile(file)) {
        fclose(file);
        return nullptr;
    }
    return file;
}

bool fileSync(FILE* file) {
    return _commit(_fileno(file)) == 0;
}

bool fileReplace(const char* from, const char* to) {
    std::wstring wfrom;
    std::wstring wto;
    if (!wideName(from, &wfrom) || !wideName(to, &wto)) return false;
    // rename() refuses an existing target here; this replaces it in one step and waits until
    // the move has reached the disk.
    return MoveFileExW(wfrom.c_str(), wto.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool fileExists(const char* name) {
    std::wstring wname;
    return wideName(name, &wname) && GetFileAttributesW(wname.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool fileRemove(const char* name) {
    std::wstring wname;
    return wideName(name, &wname) && _wremove(wname.c_str()) == 0;
}

void fileNamesAreUtf8() {
    namesInUtf8 = true;
}

std::string fileShownName(const std::string& name) {
    std::wstring wide;
    if (!fileNameToWide(name.c_str(), CP_UTF8, &wide) || wide.empty()) return name;
    DWORD mode;
    UINT codePage = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) ? GetConsoleOutputCP()
                                                                           : GetACP();
    // A character the code page lacks shows as '?'; the file is still found by its real name.
    int len = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (len <= 1) return name;
    std::string shown(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(codePage, 0, wide.c_str(), -1, &shown[0], len, nullptr, nullptr);
    shown.resize(static_cast<size_t>(len - 1));
    return shown;
}
