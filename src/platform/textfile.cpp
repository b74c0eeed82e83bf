// Text-mode reading and CR LF writing, done by hand so that every platform gets the same bytes.
#include "platform/textfile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "test_seams.h"

struct TextIn {
    FILE* file;
    size_t pos;
    size_t len;
    bool ended;   // end of file or a 0x1A byte: nothing more until a rewind
    bool failed;  // a read error
    // What a pass has read of the file's bytes, and what the first pass read of all of them:
    // the second pass must read the same, else the rows would not fit together.
    uint64_t hash;
    unsigned long long bytes;
    uint64_t firstHash;
    unsigned long long firstBytes;
    unsigned char buf[1 << 16];
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

// A word at a time: the file's bytes pass through here twice, and fread fills the whole buffer
// but at the end, so both passes cut the file into the same pieces.
void mix(TextIn* in, const unsigned char* data, size_t len) {
    const uint64_t prime = 0x100000001B3ull;
    uint64_t h = in->hash;
    size_t i = 0;
    for (; i + 8 <= len; i += 8) {
        uint64_t word;
        memcpy(&word, data + i, 8);
        h = (h ^ word) * prime;
        h ^= h >> 29;
    }
    for (; i < len; i++)
        h = (h ^ data[i]) * prime;
    in->hash = h;
    in->bytes += len;
}

bool refill(TextIn* in) {
    in->pos = 0;
    if (injected(kOpRead)) {
        in->len = 0;
        in->failed = true;
        return false;
    }
    in->len = fread(in->buf, 1, sizeof in->buf, in->file);
    if (in->len == 0 && ferror(in->file)) in->failed = true;
    mix(in, in->buf, in->len);
    return in->len > 0;
}

// Reads what is left of the file, so that a pass has seen all of it.
void drain(TextIn* in) {
    while (!in->failed && refill(in)) {
    }
}

// The byte after a CR decides whether the pair reads as one LF.
int peekRaw(TextIn* in) {
    if (in->pos == in->len && !refill(in)) return EOF;
    return in->buf[in->pos];
}

// The common case in one go: a whole line, LF or CR LF, that fits a row and is already in the
// buffer, with no 0x1A in it. Returns the bytes stored, or 0 to leave it to the byte loop.
// A CR inside the line is not followed by the first LF, so it stays as it is there too.
int readWholeLine(TextIn* in, char* row) {
    const unsigned char* at = in->buf + in->pos;
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
    in->ended = in->failed = false;
    in->hash = in->firstHash = 0xCBF29CE484222325ull;
    in->bytes = in->firstBytes = 0;
    return in;
}

int textReadRow(TextIn* in, char* row) {
    if (!in->ended && !in->failed) {
        int whole = readWholeLine(in, row);
        if (whole > 0) return whole;
    }
    int n = 0;
    while (n < 119 && !in->ended) {
        if (in->pos == in->len && !refill(in)) {
            in->ended = true;
            break;
        }
        unsigned char c = in->buf[in->pos++];
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
    return in->failed ? -1 : n;
}

bool textRewind(TextIn* in) {
    drain(in);
    in->firstHash = in->hash;
    in->firstBytes = in->bytes;
    in->hash = 0xCBF29CE484222325ull;
    in->bytes = 0;
    in->pos = in->len = 0;
    in->ended = false;
    bool failed = in->failed;
    in->failed = false;
    clearerr(in->file);
    if (failed || injected(kOpRewind)) return false;
    return fseek(in->file, 0, SEEK_SET) == 0;
}

bool textSameAsFirstPass(TextIn* in) {
    drain(in);
    return !in->failed && in->hash == in->firstHash && in->bytes == in->firstBytes;
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

bool textSameFile(const char* a, const char* b) {
    return fileSame(a, b);
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
