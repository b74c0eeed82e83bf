// Replays the XML-log fuzz seeds and findings, and hostile logs made here, through the checks
// the fuzz target applies.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "fuzz/logcase.h"
#include "testutil.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST(LogCases, SeedsAndFindings) {
    std::string dir = CSV2VDP_SOURCE_DIR "/tests/fuzz/regressions/logfile";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string data = readFile(entry.path().string());
        const char* broken = logFileCase(data);
        EXPECT_EQ(broken, nullptr) << entry.path() << ": " << broken;
        // Every prefix, as a file cut short anywhere.
        for (size_t n = 0; n < data.size(); n += 7) {
            broken = logFileCase(data.substr(0, n));
            EXPECT_EQ(broken, nullptr) << entry.path() << " cut at " << n << ": " << broken;
        }
        ++count;
    }
    EXPECT_GE(count, 3);
}

// Deep nesting, entity expansion and a huge number of tiny elements end quickly in a message
// or a result, never in a crash or a blown-up memory.
TEST(LogCases, HostileLogs) {
    std::string deep = "<uddf>";
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE uddf [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
        "<uddf><profiledata><repetitiongroup><dive><samples><waypoint><depth>&f;</depth>"
        "</waypoint></samples></dive></repetitiongroup></profiledata></uddf>";
    std::string many = "<divelog><dive>";
    for (int i = 0; i < 20000; ++i)
        many += "<cylinder o2='50%'/>";
    for (int i = 0; i < 20000; ++i) {
        many += "<event time='" + std::to_string(i) + " sec' name='gaschange' cylinder='" +
                std::to_string(i % 2) + "'/><sample time='" + std::to_string(i) +
                " sec' depth='1 m'/>";
    }
    many += "</dive></divelog>";
    std::string longDive =
        "<uddf><profiledata><repetitiongroup><dive><samples><waypoint>"
        "<divetime>0</divetime><depth>1</depth></waypoint><waypoint>"
        "<divetime>5999999</divetime><depth>1</depth></waypoint></samples>"
        "</dive></repetitiongroup></profiledata></uddf>";
    // Many mixes, each switched to once; many cylinders, each named by an old gas change.
    std::string mixes = "<uddf><gasdefinitions>";
    for (int i = 0; i < 50000; ++i) {
        mixes += "<mix id=\"" + std::to_string(i) + "\"><o2>" + std::to_string(i % 100) +
                 "</o2><he>0</he></mix>";
    }
    mixes += "</gasdefinitions><profiledata><repetitiongroup><dive><samples>";
    for (int i = 0; i < 50000; ++i) {
        mixes += "<waypoint><divetime>" + std::to_string(i) + "</divetime><depth>3</depth>" +
                 "<switchmix ref=\"" + std::to_string(i) + "\"/></waypoint>";
    }
    mixes += "</samples></dive></repetitiongroup></profiledata></uddf>";
    std::string cylinders = "<divelog><dive>";
    for (int i = 0; i < 50000; ++i)
        cylinders += "<cylinder o2='" + std::to_string(i % 90 + 1) + "%'/>";
    for (int i = 0; i < 50000; ++i) {
        cylinders += "<event time='" + std::to_string(i) + " sec' name='gaschange' value='" +
                     std::to_string(i % 90 + 1 + 65536 * (i % 5)) + "'/>";
    }
    cylinders += "<sample time='1 sec' depth='1 m'/></dive></divelog>";
    for (const std::string& data : {deep, laughs, many, longDive, mixes, cylinders}) {
        Clock::time_point start = Clock::now();
        const char* broken = logFileCase(data);
        EXPECT_EQ(broken, nullptr) << broken;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    }
}

}  // namespace
