// Test helpers shared by the unit tests.
#include "testutil.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "import/logbook.h"
#include "platform/console.h"
#include "test_seams.h"

namespace fs = std::filesystem;

Logbook setTable(const std::vector<std::string>& rows) {
    Logbook lb;
    lb.rows.assign(rows.size(), Row{});
    for (size_t i = 0; i < rows.size(); i++) {
        std::string text = rows[i] + "\n";
        memcpy(lb.rows[i].data(), text.data(), std::min(text.size(), size_t{kRowSize - 1}));
    }
    lb.dives = rows.size() >= 2 ? countDives(lb) : 0;
    return lb;
}

void setConsoleInput(const std::string& text) {
    static FILE* current = nullptr;
    if (current) fclose(current);
    current = tmpfile();
    fwrite(text.data(), 1, text.size(), current);
    rewind(current);
    consoleSetInput(current);
}

ScratchDir::ScratchDir() {
    previous = fs::current_path().string();
    std::random_device random;
    fs::path dir;
    do {
        dir = fs::temp_directory_path() / ("csv2vdp_test_" + std::to_string(random()));
    } while (!fs::create_directory(dir));
    path = dir.string();
    fs::current_path(dir);
}

ScratchDir::~ScratchDir() {
    fs::current_path(previous);
    fs::remove_all(path);
}

void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool fileExists(const std::string& name) {
    return fs::exists(name);
}

std::vector<std::string> listDir(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
