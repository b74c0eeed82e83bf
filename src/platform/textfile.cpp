// Text-mode reading and CR LF writing, done by hand so that every platform gets the same bytes.
#include "platform/textfile.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

struct TextIn {
    FILE* file;
    size_t pos;
    size_t len;
    bool ended;   // end of file or a 0x1A byte: nothing more until a rewind
    bool failed;  // a read error
    unsigned char buf[1 << 16];
};

struct TextOut {
    FILE* file;
    std::string target;
    std::string temp;
    bool failed;
};

namespace {

FILE* openFile(const char* name, const char* mode) {
    return fopen(name, mode);
}

bool replaceFile(const char* from, const char* to) {
#ifdef _WIN32
    // rename() refuses an existing target here; this replaces it without deleting it first.
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return rename(from, to) == 0;
#endif
}

bool refill(TextIn* in) {
    in->pos = 0;
    in->len = fread(in->buf, 1, sizeof in->buf, in->file);
    if (in->len == 0 && ferror(in->file)) in->failed = true;
    return in->len > 0;
}

// The byte after a CR decides whether the pair reads as one LF.
int peekRaw(TextIn* in) {
    if (in->pos == in->len && !refill(in)) return EOF;
    return in->buf[in->pos];
}

}  // namespace

TextIn* textOpenRead(const char* name) {
    FILE* file = openFile(name, "rb");
    if (!file) return nullptr;
    TextIn* in = new TextIn;
    in->file = file;
    in->pos = in->len = 0;
    in->ended = in->failed = false;
    return in;
}

int textReadRow(TextIn* in, char* row) {
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
    in->pos = in->len = 0;
    in->ended = in->failed = false;
    clearerr(in->file);
    return fseek(in->file, 0, SEEK_SET) == 0;
}

bool textClose(TextIn* in) {
    bool ok = fclose(in->file) == 0;
    delete in;
    return ok;
}

TextOut* textCreate(const char* name) {
    std::string temp = std::string(name) + ".tmp";
    FILE* file = openFile(temp.c_str(), "wb");
    if (!file) return nullptr;
    setvbuf(file, nullptr, _IOFBF, 1 << 16);
    return new TextOut{file, name, temp, false};
}

bool textWrite(TextOut* out, const char* data, size_t len) {
    if (!out->failed && fwrite(data, 1, len, out->file) != len) out->failed = true;
    return !out->failed;
}

bool textWriteLine(TextOut* out, const char* data, size_t len) {
    return textWrite(out, data, len) && textWrite(out, "\r\n", 2);
}

bool textCommit(TextOut* out) {
    bool ok = !out->failed;
    if (fflush(out->file) != 0) ok = false;
    if (fclose(out->file) != 0) ok = false;
    if (ok && !replaceFile(out->temp.c_str(), out->target.c_str())) ok = false;
    if (!ok) remove(out->temp.c_str());
    delete out;
    return ok;
}
