// Text-mode reading and CR LF writing, done by hand so that every platform gets the same bytes.
#include "platform/textfile.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "platform/files.h"
#include "test_seams.h"

struct TextIn {
    FILE* file;
    std::string data;  // the whole file, read in one pass
    size_t pos;
    size_t len;
    bool loaded;
    bool ended;   // end of file or a 0x1A byte: nothing more until a rewind
    bool failed;  // a read error
    bool noMemory;
};

struct TextOut {
    FILE* file;
    FileTemp* temp;
    bool failed;
};

namespace {

TextFaultHook faultHook = nullptr;

// Asked before each operation; only tests set a hook.
bool injected(TextOp op, size_t bytes = 0) {
    return faultHook && faultHook(op, bytes);
}

// Reads the whole file once. A second pass over the file itself could see other bytes, should
// the file change meanwhile, and the rows would then no longer fit together.
void load(TextIn* in) {
    in->loaded = true;
    char chunk[1 << 16];
    for (;;) {
        if (injected(kOpRead)) {
            in->failed = true;
            return;
        }
        size_t n = fread(chunk, 1, sizeof chunk, in->file);
        if (n == 0) {
            in->failed = ferror(in->file) != 0;
            break;
        }
        try {
            in->data.append(chunk, n);
        } catch (const std::bad_alloc&) {
            in->noMemory = true;
            return;
        }
    }
    in->len = in->data.size();
}

// The byte after a CR decides whether the pair reads as one LF.
int peekRaw(TextIn* in) {
    if (in->pos == in->len) return EOF;
    return static_cast<unsigned char>(in->data[in->pos]);
}

// The common case in one go: a whole line, LF or CR LF, that fits a row and is already in the
// buffer, with no 0x1A in it. Returns the bytes stored, or 0 to leave it to the byte loop.
// A CR inside the line is not followed by the first LF, so it stays as it is there too.
int readWholeLine(TextIn* in, char* row) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(in->data.data()) + in->pos;
    size_t avail = in->len - in->pos;
    size_t window = avail < 120 ? avail : 120;  // 119 bytes stored, plus the LF of a CR LF
    const void* found = memchr(at, '\n', window);
    if (!found) return 0;
    size_t lf = static_cast<size_t>(static_cast<const unsigned char*>(found) - at);
    bool pair = lf > 0 && at[lf - 1] == '\r';
    size_t stored = pair ? lf : lf + 1;
    if (stored > 119 || memchr(at, 0x1A, lf)) return 0;
    memcpy(row, at, stored - 1);
    row[stored - 1] = '\n';
    in->pos += lf + 1;
    return static_cast<int>(stored);
}

}  // namespace

TextIn* textOpenRead(const char* name) {
    if (injected(kOpOpen)) return nullptr;
    FILE* file = fileOpenRegular(name);
    if (!file) return nullptr;
    TextIn* in = new TextIn;
    in->file = file;
    in->pos = in->len = 0;
    in->loaded = in->ended = in->failed = in->noMemory = false;
    return in;
}

int textReadRow(TextIn* in, char* row) {
    if (!in->loaded) load(in);
    if (in->noMemory) return kTextNoMemory;
    if (in->failed) return -1;
    if (!in->ended) {
        int whole = readWholeLine(in, row);
        if (whole > 0) return whole;
    }
    int n = 0;
    while (n < 119 && !in->ended) {
        if (in->pos == in->len) {
            in->ended = true;
            break;
        }
        unsigned char c = static_cast<unsigned char>(in->data[in->pos++]);
        if (c == 0x1A) {
            in->ended = true;
            break;
        }
        if (c == '\r' && peekRaw(in) == '\n') {
            in->pos++;
            c = '\n';
        }
        row[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    return n;
}

bool textRewind(TextIn* in) {
    in->pos = 0;
    in->ended = false;
    return !injected(kOpRewind);
}

bool textClose(TextIn* in) {
    bool failed = injected(kOpCloseIn);
    bool ok = fclose(in->file) == 0 && !failed;
    delete in;
    return ok;
}

TextTarget textTarget(const char* name) {
    switch (fileKind(name)) {
        case kFileMissing:
            return kTargetMissing;
        case kFileRegular:
            return kTargetFile;
        default:
            return kTargetOther;
    }
}

TextOut* textCreate(const char* name) {
    if (injected(kOpCreate)) return nullptr;
    FileTemp* temp;
    FILE* file = fileTempCreate(name, &temp);
    if (!file) return nullptr;
    setvbuf(file, nullptr, _IOFBF, 1 << 16);
    return new TextOut{file, temp, false};
}

bool textWrite(TextOut* out, const char* data, size_t len) {
    if (out->failed) return false;
    if (injected(kOpWrite, len) || fwrite(data, 1, len, out->file) != len) out->failed = true;
    return !out->failed;
}

bool textWriteLine(TextOut* out, const char* data, size_t len) {
    return textWrite(out, data, len) && textWrite(out, "\r\n", 2);
}

bool textCommit(TextOut* out) {
    bool ok = !out->failed;
    if (injected(kOpFlush) || fflush(out->file) != 0) ok = false;
    if (ok && (injected(kOpSync) || !fileSync(out->file))) ok = false;
    bool closeFailed = injected(kOpCloseOut);  // the file is closed all the same
    if (fclose(out->file) != 0 || closeFailed) ok = false;
    if (ok && (injected(kOpReplace) || !fileTempReplace(out->temp))) ok = false;
    fileTempDone(out->temp, !ok);
    delete out;
    return ok;
}

void textSetFaultHook(TextFaultHook hook) {
    faultHook = hook;
}
