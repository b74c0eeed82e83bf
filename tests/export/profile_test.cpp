// The profile writer's digits, and the output stage's lines for dives given as values.
#include "export/profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "dialogue/output.h"
#include "import/divetable.h"
#include "import/logbook.h"
#include "testutil.h"

namespace {

std::string digits(int value, std::string* out = nullptr) {
    LineBuffer line;
    line.len = 0;
    testing::internal::CaptureStdout();
    putInt(value, &line);
    std::string printed = testing::internal::GetCapturedStdout();
    if (out) *out = printed;
    return std::string(line.text, line.len);
}

TEST(PutInt, EveryDigit) {
    EXPECT_EQ(digits(0), "0");
    EXPECT_EQ(digits(78), "78");
    EXPECT_EQ(digits(6000), "6000");
    EXPECT_EQ(digits(10000), "10000");
    EXPECT_EQ(digits(10234), "10234");
    EXPECT_EQ(digits(INT_MAX), "2147483647");
    std::string printed;
    EXPECT_EQ(digits(-7, &printed), "0");
    EXPECT_EQ(printed, "\nERROR: Fehler in putInt()\n");
    EXPECT_EQ(digits(INT_MIN, &printed), "0");
    EXPECT_EQ(printed, "\nERROR: Fehler in putInt()\n");
}

// An export and its dives as the review left them.
struct Reviewed {
    Logbook lb;
    std::vector<DiveRecord> dives;
};

// Writes the profile of these dives as p.vdp into the scratch directory and returns it.
std::string profileOf(Reviewed& e, std::string* console = nullptr) {
    e.lb.names = namesFromBase("p");
    for (size_t i = 0; i < e.dives.size(); i++)
        e.dives[i].number = static_cast<int>(i) + 1;
    std::remove("p.vdp");
    testing::internal::CaptureStdout();
    WriteResult result = writeProfile(e.lb.names, exportDives(e.lb, e.dives), false);
    std::string printed = testing::internal::GetCapturedStdout();
    if (console) *console = printed;
    EXPECT_EQ(result, kWritten);
    return readFile("p.vdp");
}

// One dive column with these depth samples from row 23 on.
Reviewed oneDive(const std::vector<std::string>& depths, DiveRecord record) {
    std::vector<std::string> rows(23, "x,");
    rows[1] = "Nr,1";
    for (const auto& d : depths)
        rows.push_back("s," + d);
    record.sampleCount = static_cast<int>(depths.size());
    return {setTable(rows), {record}};
}

const std::string kHeader = "Depth\tt.delta\tt.total\tN2%\tHe%\r\n";
const std::string kEnd = "# END OF PROFILE #";

TEST(WriteProfile, AtThirtySecondsAMinuteIsTheDeepestOfThreeSamples) {
    ScratchDir dir;
    Reviewed e = oneDive({"0.0", "3.2", "6.5", "10.0", "4.1"}, {21, -1, -1, 0, 30, 0});
    std::string console;
    EXPECT_EQ(profileOf(e, &console),
              kHeader + "7\t1\t1\t78\t0\r\n10\t1\t2\t78\t0\r\n0\t1\t3\t78\t0\r\n" + kEnd);
    EXPECT_EQ(console, "Datei p.vdp wurde gespeichert");
    EXPECT_EQ(listDir(), std::vector<std::string>{"p.vdp"});
}

TEST(WriteProfile, DecoGasFromTheFirstMinuteAfterTheSwitch) {
    ScratchDir dir;
    std::vector<std::string> depths(9, "10.0");
    // Sample 6 is 3:00: minute 4 starts there and is on Mix2, and so is the ascent line.
    Reviewed e = oneDive(depths, {32, 50, 6, 0, 30, 0});
    EXPECT_EQ(profileOf(e), kHeader + "10\t1\t1\t68\t0\r\n10\t1\t2\t68\t0\r\n10\t1\t3\t68\t0\r\n" +
                                "10\t1\t4\t50\t0\r\n0\t1\t5\t50\t0\r\n" + kEnd);
    // Sample 7 is 3:30: minute 4 is still partly on Mix1, so is every minute and the ascent.
    e = oneDive(depths, {32, 50, 7, 0, 30, 0});
    EXPECT_EQ(profileOf(e), kHeader + "10\t1\t1\t68\t0\r\n10\t1\t2\t68\t0\r\n10\t1\t3\t68\t0\r\n" +
                                "10\t1\t4\t68\t0\r\n0\t1\t5\t68\t0\r\n" + kEnd);
}

TEST(WriteProfile, DivesWithoutSampleLines) {
    ScratchDir dir;
    // Air stays 21 in a dive without sample lines; the surface lines are always 78.
    std::vector<std::string> rows(23, "x,,");
    rows[1] = "Nr,1,2";
    rows.push_back("1,0.0,0.0");
    Reviewed e{setTable(rows),
               {DiveRecord{21, 21, -1, 2, 30, 1}, DiveRecord{21, 21, -1, 2, 30, 0}}};
    EXPECT_EQ(profileOf(e), kHeader + "0\t1\t1\t79\t0\r\n0\t1\t2\t78\t0\r\n0\t1\t3\t78\t0\r\n" +
                                "0\t1\t4\t79\t0\r\n" + kEnd);
}

TEST(WriteProfile, NoDives) {
    ScratchDir dir;
    Reviewed e{setTable({"x", "Nr"}), {}};
    std::string console;
    EXPECT_EQ(profileOf(e, &console), kHeader + kEnd);
    EXPECT_EQ(console, "Datei p.vdp wurde gespeichert");
}

TEST(WriteProfile, OddValuesStayDefined) {
    ScratchDir dir;
    // A depth beyond any integer, an oxygen share above 100 and an empty first gas: the
    // columns stay within 0 to 100, and of the two gases the one with more nitrogen counts.
    Reviewed e = oneDive({"0", std::string(60, '9'), "0", "5.0"}, {0, 150, 3, 0, 30, 0});
    std::string console;
    EXPECT_EQ(
        profileOf(e, &console),
        kHeader + "2147483647\t1\t1\t100\t0\r\n5\t1\t2\t100\t0\r\n0\t1\t3\t100\t0\r\n" + kEnd);
    EXPECT_EQ(console, "Datei p.vdp wurde gespeichert");
}

}  // namespace

namespace {

TEST(WriteProfile, WarnsOnceTheMinuteCounterReaches6000) {
    ScratchDir dir;
    std::vector<std::string> rows(23, "x,,");
    rows[1] = "Nr,1,2";
    // 1 ascent line and 5997 surface lines, then one more ascent line: 5999 data lines.
    DiveRecord dive{21, -1, -1, 5997, 30, 0};
    Reviewed e{setTable(rows), {dive, dive}};
    std::string console;
    profileOf(e, &console);
    EXPECT_EQ(console,
              "\nERROR: Profil zu lang VD uenterstuetzt maximal 6000 Minuten\n"
              "Datei p.vdp wurde gespeichert");
    e.dives[0].surfaceInterval = 5996;
    profileOf(e, &console);
    EXPECT_EQ(console, "Datei p.vdp wurde gespeichert");
}

}  // namespace
