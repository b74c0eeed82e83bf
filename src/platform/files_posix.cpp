// File names on systems whose file names are plain bytes: used exactly as typed. Also the
// guards of the process: standard streams, file size limit and interrupts while writing.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "platform/files.h"

struct FileTemp {
    std::string target;  // the final target, links followed
    std::string temp;
};

namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit on a path's links
// SIGPIPE too: a console piped into a reader that has quit (`csv2vdp --ja x | head -1`) must
// not leave the temporary file behind.
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr int kGuardedSignals = sizeof kSignals / sizeof kSignals[0];
struct sigaction savedActions[kGuardedSignals];

// The temporary file being written, which the handler removes: its path is copied into a
// buffer that is never freed, and only then is the flag set, with the signals blocked, so that
// the handler reads nothing but a flag and a finished path.
constexpr size_t kGuardedPathMax = 4096;  // the kernel's PATH_MAX: longer paths fail anyway
char guardedPath[kGuardedPathMax];
volatile sig_atomic_t guarded = 0;
// Neither is read by the handler.
const FileTemp* guardOwner = nullptr;
bool handlerInstalled = false;

void removeAndDie(int sig) {
    if (guarded) unlink(guardedPath);
    // The guarded signals are blocked while this runs, so a second one cannot end the process
    // before the file is gone; the raised one ends it with its usual status on return.
    signal(sig, SIG_DFL);
    raise(sig);
}

void blockSignals(bool block, sigset_t* old) {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kSignals)
        sigaddset(&set, sig);
    sigprocmask(block ? SIG_BLOCK : SIG_SETMASK, block ? &set : old, block ? old : nullptr);
}

// Installs the handler; the signals must be blocked. Does not yet set the flag: see record.
void guard() {
    if (handlerInstalled) return;  // for an earlier temporary file still open
    handlerInstalled = true;
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = removeAndDie;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals)
        sigaddset(&action.sa_mask, sig);
    for (int i = 0; i < kGuardedSignals; i++) {
        // A signal ignored from the start (nohup, a background job) stays ignored.
        sigaction(kSignals[i], nullptr, &savedActions[i]);
        if (savedActions[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
}

// Hands the created file to the handler; the signals must be blocked.
void record(const FileTemp* temp) {
    guarded = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    memcpy(guardedPath, temp->temp.c_str(), temp->temp.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    guarded = 1;
    guardOwner = temp;
}

// Only the newest temporary file is guarded: an older one finished later leaves it alone.
// The signals must be blocked.
void unguard(const FileTemp* temp) {
    if (guardOwner == temp) {
        guarded = 0;
        guardOwner = nullptr;
    }
    if (guardOwner || !handlerInstalled) return;
    handlerInstalled = false;
    for (int i = 0; i < kGuardedSignals; i++)
        sigaction(kSignals[i], &savedActions[i], nullptr);
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return path.substr(0, slash + 1);
}

// Follows symbolic links to the path a write in place would reach; that need not exist.
bool finalTarget(const char* name, std::string* target) {
    *target = name;
    for (int hops = 0;; hops++) {
        struct stat st;
        if (lstat(target->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        if (hops == kMaxLinks) return false;
        std::string link(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096, '\0');
        ssize_t n = readlink(target->c_str(), &link[0], link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size()) return false;
        link.resize(static_cast<size_t>(n));
        *target = link[0] == '/' ? link : folderOf(*target) + link;
    }
}

// The owner and permissions a file written in place would have: those of the file it
// replaces, else the default for a new file. Only root may give a file to another owner; for
// anyone else the owner is already right, or the change fails harmlessly.
void takeOver(int fd, const std::string& target) {
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        if (fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Not root, or a file system without owners: the new file stays the user's.
        }
        fchmod(fd, st.st_mode & 07777);
        return;
    }
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

}  // namespace

void fileStartup() {
    // A closed descriptor 0, 1 or 2 would be the next one open() hands out: the profile's
    // temporary file could then receive the console output.
    for (int fd = 0; fd <= 2; fd++) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            int opened = open("/dev/null", O_RDWR);
            if (opened != fd && opened >= 0) close(opened);
        }
    }
    signal(SIGXFSZ, SIG_IGN);
}

FILE* fileOpen(const char* name, const char* mode) {
    return fopen(name, mode);
}

FILE* fileOpenRegular(const char* name) {
    // Without O_NONBLOCK the open of a FIFO waits for a writer that never comes.
    int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags == -1 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, "rb");
    if (!file) close(fd);
    return file;
}

FileKind fileKind(const char* name) {
    struct stat st;
    if (stat(name, &st) == 0) return S_ISREG(st.st_mode) ? kFileRegular : kFileOther;
    return lstat(name, &st) == 0 ? kFileRegular : kFileMissing;
}

bool fileSame(const char* a, const char* b) {
    struct stat sa;
    struct stat sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

FILE* fileTempCreate(const char* name, FileTemp** temp) {
    *temp = nullptr;
    std::string target;
    if (!finalTarget(name, &target)) return nullptr;
    // Writing in place would fail on a file this user may not write.
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0) return nullptr;
    // A name near the 255-byte limit of a file name leaves no room for the suffix: the
    // temporary name keeps only its start.
    size_t slash = target.rfind('/');
    size_t base = slash == std::string::npos ? 0 : slash + 1;
    // The record and the handler come first: once the file exists, nothing can fail before
    // it is guarded, and an interrupt in between finds the signals blocked.
    FileTemp* made = new (std::nothrow) FileTemp;
    if (!made) return nullptr;
    made->target = target;
    made->temp = target.substr(0, base + 200) + ".XXXXXX";
    if (made->temp.size() >= kGuardedPathMax) {
        delete made;
        return nullptr;
    }
    sigset_t old;
    blockSignals(true, &old);
    guard();
    int fd = mkstemp(&made->temp[0]);  // O_CREAT | O_EXCL, mode 0600
    if (fd >= 0) record(made);
    blockSignals(false, &old);
    if (fd < 0) {
        fileTempDone(made, false);
        return nullptr;
    }
    takeOver(fd, target);  // a file system without permissions refuses; no matter
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        fileTempDone(made, true);
        return nullptr;
    }
    *temp = made;
    return file;
}

bool fileSync(FILE* file) {
    return fsync(fileno(file)) == 0;
}

bool fileTempReplace(FileTemp* temp) {
    return rename(temp->temp.c_str(), temp->target.c_str()) == 0;
}

void fileTempDone(FileTemp* temp, bool remove) {
    sigset_t old;
    blockSignals(true, &old);
    if (remove) unlink(temp->temp.c_str());
    unguard(temp);
    blockSignals(false, &old);
    delete temp;
}

bool fileRemove(const char* name) {
    return remove(name) == 0;
}

std::string fileShownName(const std::string& name) {
    return name;
}
