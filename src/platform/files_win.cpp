// File names on Windows: the typed bytes are converted to UTF-16 and used with the wide
// functions, since narrow fopen would read them in the ANSI code page, not the console's.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <string>

#include "platform/files.h"

struct FileTemp {
    std::wstring target;  // the final target, links followed
    std::wstring temp;
};

namespace {

bool namesInUtf8 = false;

// The temporary file being written; the control handler, which runs in a thread of its own,
// removes it. A buffer that is never freed, so that the handler cannot read a freed name; the
// lock makes creating the file and recording its name one step for the handler, and keeps it
// from reading a name half written. The file is opened with FILE_SHARE_DELETE, so that it can
// be deleted while still open.
constexpr size_t kGuardedNameMax = 32768;  // the longest path Windows takes
wchar_t guardedName[kGuardedNameMax];
bool guarded = false;  // under guardLock, as guardedName and guardOwner
const FileTemp* guardOwner = nullptr;
SRWLOCK guardLock = SRWLOCK_INIT;

BOOL WINAPI removeOnClose(DWORD) {
    AcquireSRWLockExclusive(&guardLock);
    if (guarded) DeleteFileW(guardedName);
    ReleaseSRWLockExclusive(&guardLock);
    return FALSE;  // the default handler then ends the process as usual
}

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

// The file a symbolic link finally leads to; other names stay as they are. Asked of every
// existing file, since links made outside Windows (on a network share, or under wine) do not
// all show as reparse points. A Windows link that leads nowhere cannot be followed here: it
// is refused rather than replaced by a plain file.
bool finalTarget(std::wstring* target) {
    DWORD attributes = GetFileAttributesW(target->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    HANDLE handle =
        CreateFileW(target->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return !link;
    std::wstring path(MAX_PATH, L'\0');
    DWORD len = GetFinalPathNameByHandleW(handle, &path[0], MAX_PATH, VOLUME_NAME_DOS);
    if (len >= MAX_PATH) {
        path.resize(len + 1);
        len = GetFinalPathNameByHandleW(handle, &path[0], len + 1, VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (len == 0 || len >= path.size()) return !link;
    path.resize(len);
    *target = path;
    return true;
}

// Creates the file under temp's name and hands it to the control handler in one step.
HANDLE createGuarded(const FileTemp* temp) {
    if (temp->temp.size() >= kGuardedNameMax) return INVALID_HANDLE_VALUE;
    AcquireSRWLockExclusive(&guardLock);
    HANDLE handle =
        CreateFileW(temp->temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = GetLastError();
    if (handle != INVALID_HANDLE_VALUE) {
        wmemcpy(guardedName, temp->temp.c_str(), temp->temp.size() + 1);
        guarded = true;
        guardOwner = temp;
    }
    ReleaseSRWLockExclusive(&guardLock);
    SetLastError(error);
    return handle;
}

// A new file beside the target under a name no file has yet (CREATE_NEW never opens one),
// its name in temp->temp.
HANDLE createUnique(FileTemp* temp) {
    unsigned long long seed = GetTickCount64() ^ (GetCurrentProcessId() * 2654435761ULL);
    for (int attempt = 0; attempt < 100; attempt++) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        wchar_t suffix[16];
        swprintf(suffix, 16, L".%06llx", (seed >> 33) & 0xffffff);
        // A name near the 255-character limit leaves no room for the suffix.
        size_t slash = temp->target.find_last_of(L"\\/");
        size_t base = slash == std::wstring::npos ? 0 : slash + 1;
        temp->temp = temp->target.substr(0, base + 200) + suffix;
        HANDLE handle = createGuarded(temp);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
    }
    return INVALID_HANDLE_VALUE;
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

// A standard stream without a handle gets NUL, so that no file opened later can become it.
// There is no signal for an oversized file here.
void fileStartup() {
    for (int fd = 0; fd <= 2; fd++) {
        intptr_t handle = _get_osfhandle(fd);
        if (handle != -1 && handle != -2) continue;
        int nul = _open("NUL", _O_RDWR | _O_BINARY);
        if (nul >= 0 && nul != fd) {
            _dup2(nul, fd);
            _close(nul);
        }
    }
}

FILE* fileOpen(const char* name, const char* mode) {
    std::wstring wname;
    if (!wideName(name, &wname)) return nullptr;
    std::wstring wmode(mode, mode + strlen(mode));  // "rb", "wb": plain ASCII
    return _wfopen(wname.c_str(), wmode.c_str());
}

FILE* fileOpenRegular(const char* name) {
    FILE* file = fileOpen(name, "rb");
    if (file && !isDiskFile(file)) {
        fclose(file);
        return nullptr;
    }
    return file;
}

FileKind fileKind(const char* name) {
    std::wstring wname;
    if (!wideName(name, &wname)) return kFileMissing;
    DWORD attributes = GetFileAttributesW(wname.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return kFileMissing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? kFileOther : kFileRegular;
}

namespace {

// The volume and index that tell a file apart from every other; false when it cannot be opened.
bool identityOf(const char* name, BY_HANDLE_FILE_INFORMATION* info) {
    std::wstring wname;
    if (!wideName(name, &wname)) return false;
    HANDLE handle =
        CreateFileW(wname.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(handle, info) != 0;
    CloseHandle(handle);
    return ok;
}

}  // namespace

bool fileSame(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION ia;
    BY_HANDLE_FILE_INFORMATION ib;
    return identityOf(a, &ia) && identityOf(b, &ib) &&
           ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

FILE* fileTempCreate(const char* name, FileTemp** temp) {
    *temp = nullptr;
    std::wstring target;
    if (!wideName(name, &target) || !finalTarget(&target)) return nullptr;
    DWORD attributes = GetFileAttributesW(target.c_str());
    // Writing in place is refused for a read-only file; MoveFileExW would replace it anyway.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return nullptr;
    }
    // The record and the handler come first: once the file exists, nothing can fail before it
    // is guarded.
    FileTemp* made = new (std::nothrow) FileTemp;
    if (!made) return nullptr;
    made->target = target;
    SetConsoleCtrlHandler(removeOnClose, TRUE);
    HANDLE handle = createUnique(made);
    if (handle == INVALID_HANDLE_VALUE) {
        fileTempDone(made, false);
        return nullptr;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (!file) {
        if (fd >= 0) {
            _close(fd);
        } else {
            CloseHandle(handle);
        }
        fileTempDone(made, true);
        return nullptr;
    }
    *temp = made;
    return file;
}

bool fileSync(FILE* file) {
    return _commit(_fileno(file)) == 0;
}

bool fileTempReplace(FileTemp* temp) {
    // rename() refuses an existing target here; this replaces it in one step and waits until
    // the move has reached the disk.
    return MoveFileExW(temp->temp.c_str(), temp->target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Only the newest temporary file is guarded: an older one finished later leaves it alone.
void fileTempDone(FileTemp* temp, bool remove) {
    AcquireSRWLockExclusive(&guardLock);
    if (remove && !temp->temp.empty()) DeleteFileW(temp->temp.c_str());
    if (guardOwner == temp) {
        guarded = false;
        guardOwner = nullptr;
    }
    ReleaseSRWLockExclusive(&guardLock);
    SetConsoleCtrlHandler(removeOnClose, FALSE);
    delete temp;
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
    UINT codePage =
        GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) ? GetConsoleOutputCP() : GetACP();
    // A character the code page lacks shows as '?'; the file is still found by its real name.
    int len = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (len <= 1) return name;
    std::string shown(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(codePage, 0, wide.c_str(), -1, &shown[0], len, nullptr, nullptr);
    shown.resize(static_cast<size_t>(len - 1));
    return shown;
}
