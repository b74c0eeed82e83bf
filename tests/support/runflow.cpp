// In-process runs of the converter for the fault, hang and fuzz tests.
#include "support/runflow.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "dialogue/mainflow.h"
#include "platform/console.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(FILE* f) {
    std::string data;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    return data;
}

// Stdout is redirected at the descriptor, so that output printed through any path lands here.
int runCaptured(FILE* in, std::string* out) {
    fflush(stdout);
    FILE* sink = tmpfile();
    int saved = dup(fileno(stdout));
    if (!sink || saved < 0 || dup2(fileno(sink), fileno(stdout)) < 0) abort();
    consoleSetInput(in);
    int code = mainFlow();
    fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    rewind(sink);
    *out = slurp(sink);
    fclose(sink);
    return code;
}

}  // namespace

int runFlow(const std::string& input, std::string* out) {
    resetRun();
    // fmemopen wants a buffer of at least one byte; the stream still ends after `size` bytes.
    std::vector<char> buf(input.begin(), input.end());
    buf.push_back('\0');
    FILE* in = fmemopen(buf.data(), input.size(), "r");
    if (!in) in = fopen("/dev/null", "r");
    if (!in) abort();
    int code;
    if (out) {
        code = runCaptured(in, out);
    } else {
        consoleSetInput(in);
        code = mainFlow();
        fflush(stdout);
    }
    fclose(in);
    resetRun();  // every allocation of the run is undone, so leak checks see a balanced run
    return code;
}

std::string enterScratchDir() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "csv2vdp-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()) || chdir(name.data()) != 0) abort();
    return name.data();
}

void leaveScratchDir(const std::string& dir) {
    std::error_code error;
    fs::current_path(fs::path(dir).parent_path(), error);
    fs::remove_all(dir, error);
}

std::string readFile(const std::string& name) {
    FILE* f = fopen(name.c_str(), "rb");
    if (!f) return "";
    std::string data = slurp(f);
    fclose(f);
    return data;
}

void writeFile(const std::string& name, const std::string& data) {
    FILE* f = fopen(name.c_str(), "wb");
    if (!f || fwrite(data.data(), 1, data.size(), f) != data.size() || fclose(f) != 0) abort();
}

std::string listDir() {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& e : fs::directory_iterator(".", error)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& n : names)
        joined += (joined.empty() ? "" : " ") + n;
    return joined;
}
