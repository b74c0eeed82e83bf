// The line-buffered console reader shared by every platform.
#include "platform/console.h"

#include <climits>
#include <cstdint>

#include "test_seams.h"

namespace {

constexpr size_t kLongestLine = 4096;    // no answer needs more; the rest of a line is dropped
constexpr size_t kLongestRun = 1 << 20;  // this much without a line end is no typed input

// The process has one console input, so its reader's place in it is state of the platform's,
// like the signal state: every question reads on where the last one stopped.
FILE* source = nullptr;  // null means stdin; stdin is not a constant expression
std::string line;        // the line last taken in, with its LF unless the input ended
size_t pos = 0;
bool runOn = false;  // the input ran on without a line end: it counts as ended

FILE* input() {
    return source ? source : stdin;
}

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Takes in the next line; the prompt must be visible before we block. Input such as
// /dev/zero, endless bytes without a line end, ends the input instead of growing the line.
bool fetchLine() {
    fflush(stdout);
    line.clear();
    pos = 0;
    if (runOn) return false;
    size_t length = 0;
    int c;
    while ((c = getc(input())) != EOF) {
        if (c != '\n' && ++length > kLongestRun) {
            runOn = true;
            line.clear();
            return false;
        }
        if (line.size() < kLongestLine || c == '\n') line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    size_t n = line.size();
    if (n >= 2 && line[n - 1] == '\n' && line[n - 2] == '\r') line.erase(n - 2, 1);
    return !line.empty();
}

int peekChar() {
    if (pos >= line.size() && !fetchLine()) return EOF;
    return static_cast<unsigned char>(line[pos]);
}

int skipBlanks() {
    int c;
    while ((c = peekChar()) != EOF && isBlank(c))
        pos++;
    return c;
}

}  // namespace

bool consoleReadWord(std::string* word) {
    word->clear();
    int c = skipBlanks();
    if (c == EOF) return false;
    while ((c = peekChar()) != EOF && !isBlank(c)) {
        word->push_back(static_cast<char>(c));
        pos++;
    }
    return true;
}

int consoleReadChar() {
    int c = peekChar();
    if (c != EOF) pos++;
    return c;
}

bool consolePeekLine(std::string* rest) {
    if (peekChar() == EOF) return false;
    rest->assign(line, pos, std::string::npos);
    return true;
}

void consoleDiscard() {
    fflush(stdout);
    pos = line.size();
}

void consoleSetInput(FILE* in) {
    source = in;
    line.clear();
    pos = 0;
    runOn = false;
}
