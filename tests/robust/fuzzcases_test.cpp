// Replays the fuzz targets' seeds (the transcript cases) and every earlier finding through the
// same runs and checks, so that the ordinary and the sanitizer builds cover them too.
#include "fuzz/fuzzcases.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "testutil.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// A run ends within seconds whatever the input, even when the profile would be huge.
constexpr std::chrono::seconds kSlow(5);

// The files below `dir` whose name ends in `suffix`, or every file when suffix is empty.
std::vector<std::string> filesBelow(const std::string& dir, const std::string& suffix) {
    std::vector<std::string> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().string();
        if (!it->is_regular_file(error)) continue;
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            found.push_back(name);
        }
    }
    return found;
}

const std::string kTests = CSV2VDP_SOURCE_DIR "/tests";

TEST(FuzzCases, ExportsOfTheTranscriptsAndEarlierFindings) {
    std::vector<std::string> inputs = filesBelow(kTests + "/e2e/cases", ".csv");
    std::vector<std::string> assisted = filesBelow(kTests + "/e2e/assisted", ".csv");
    inputs.insert(inputs.end(), assisted.begin(), assisted.end());
    std::vector<std::string> found = filesBelow(kTests + "/fuzz/regressions/export", "");
    inputs.insert(inputs.end(), found.begin(), found.end());
    ASSERT_FALSE(found.empty());
    ScratchDir dir;
    for (const std::string& name : inputs) {
        std::string out;
        Clock::time_point start = Clock::now();
        const char* broken = exportCase(readFile(name), &out);
        EXPECT_EQ(broken, nullptr) << name << ": " << broken;
        broken = unattendedExportCase(readFile(name), &out);
        EXPECT_EQ(broken, nullptr) << name << " (unattended): " << broken;
        EXPECT_LT(Clock::now() - start, kSlow) << name;
    }
}

TEST(FuzzCases, ConsoleInputsOfTheTranscriptsAndEarlierFindings) {
    std::vector<std::string> inputs = filesBelow(kTests + "/e2e/cases", "/stdin");
    std::vector<std::string> assisted = filesBelow(kTests + "/e2e/assisted", "/stdin");
    inputs.insert(inputs.end(), assisted.begin(), assisted.end());
    std::vector<std::string> found = filesBelow(kTests + "/fuzz/regressions/console", "");
    inputs.insert(inputs.end(), found.begin(), found.end());
    ASSERT_FALSE(found.empty());
    ScratchDir dir;
    consoleCaseSetUp();
    for (const std::string& name : inputs) {
        std::string out;
        Clock::time_point start = Clock::now();
        const char* broken = consoleCase(readFile(name), &out);
        EXPECT_EQ(broken, nullptr) << name << ": " << broken;
        broken = assistedConsoleCase(readFile(name), &out);
        EXPECT_EQ(broken, nullptr) << name << " (assisted): " << broken;
        EXPECT_LT(Clock::now() - start, kSlow) << name;
    }
}

}  // namespace
