// In-process runs of the converter for the fault injection and fuzz tests.
#include "support/runflow.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "dialogue/mainflow.h"
#include "platform/console.h"
#include "test_seams.h"

namespace {

std::string slurp(FILE* f) {
    std::string data;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    return data;
}

std::vector<std::string> exportsGiven;
bool unattendedGiven = false;

int classicFlow() {
    return mainFlow();
}

int exportsGivenFlow() {
    return exportsFlow(exportsGiven, unattendedGiven);
}

// Stdout is redirected at the descriptor, so that output printed through any path lands here.
int runCaptured(int (*flow)(), FILE* in, std::string* out) {
    fflush(stdout);
    FILE* sink = tmpfile();
    int saved = dup(fileno(stdout));
    if (!sink || saved < 0 || dup2(fileno(sink), fileno(stdout)) < 0) abort();
    consoleSetInput(in);
    int code = flow();
    fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    rewind(sink);
    *out = slurp(sink);
    fclose(sink);
    return code;
}

int runWith(int (*flow)(), const std::string& input, std::string* out) {
    // fmemopen wants a buffer of at least one byte; the stream still ends after `size` bytes.
    std::vector<char> buf(input.begin(), input.end());
    buf.push_back('\0');
    FILE* in = fmemopen(buf.data(), input.size(), "r");
    if (!in) in = fopen("/dev/null", "r");
    if (!in) abort();
    int code;
    if (out) {
        code = runCaptured(flow, in, out);
    } else {
        consoleSetInput(in);
        code = flow();
        fflush(stdout);
    }
    consoleSetInput(nullptr);  // the console forgets the stream before it is closed
    fclose(in);
    return code;
}

}  // namespace

int runFlow(const std::string& input, std::string* out) {
    return runWith(classicFlow, input, out);
}

int runExports(const std::vector<std::string>& exports, bool unattended, const std::string& input,
               std::string* out) {
    exportsGiven = exports;
    unattendedGiven = unattended;
    return runWith(exportsGivenFlow, input, out);
}
