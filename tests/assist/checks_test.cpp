// The check rules: gas fields, recording against dive time, and the profile's length counted
// as the writer counts it.
#include "assist/checks.h"

#include <gtest/gtest.h>

#include "assist/timing.h"
#include "dialogue/check.h"
#include "dialogue/mainflow.h"
#include "import/divetable.h"
#include "import/logbook.h"
#include "testutil.h"

namespace {

// Rows 0 to 22 with the given dive time (row 9) and gas rows, two dives.
Logbook table(const std::string& time, const std::string& mix1, const std::string& mix2) {
    std::vector<std::string> rows(23, "r,,");
    rows[1] = "Nr,1,2";
    rows[9] = "Zeit," + time;
    rows[15] = "Mix1," + mix1;
    rows[16] = "Mix2," + mix2;
    return setTable(rows);
}

DiveRecord dive(int count, int rate, int number = 1) {
    return DiveRecord{21, -1, -1, 0, rate, count, number};
}

TEST(Checks, GasFields) {
    Logbook lb = table("0,0", "32, ", "-,abc");
    EXPECT_EQ(mixField(lb, 1, 15, 32), kMixUsable);
    EXPECT_EQ(mixField(lb, 2, 15, -1), kMixNotPlain);  // a blank reads as -1 but is no dash
    EXPECT_EQ(mixField(lb, 1, 16, -1), kMixNotGiven);
    EXPECT_EQ(mixField(lb, 2, 16, 0), kMixNotPlain);
    // A blank or dash after the digits changes what the readers make of them: 31, not 32.
    lb = table("0,0", "32 ,32-", ",50");
    EXPECT_EQ(mixField(lb, 1, 15, 31), kMixNotPlain);
    EXPECT_EQ(mixField(lb, 2, 15, 31), kMixNotPlain);
    EXPECT_EQ(mixField(lb, 1, 16, 0), kMixEmpty);
    lb = table("0,0", "0,101", "100,1");
    EXPECT_EQ(mixField(lb, 2, 15, 101), kMixOutOfRange);
    EXPECT_EQ(mixField(lb, 1, 16, 100), kMixUsable);
}

TEST(Checks, RecordingAgainstDiveTimeToleratesTwoMinutes) {
    Logbook lb = table("30,30", "21,21", "-,-");
    EXPECT_FALSE(recordingDisagrees(lb, dive(90, 20)));           // 30:00
    EXPECT_FALSE(recordingDisagrees(lb, dive(96, 20)));           // 32:00
    EXPECT_TRUE(recordingDisagrees(lb, dive(97, 20)));            // 32:20
    EXPECT_FALSE(recordingDisagrees(lb, dive(56, 30, 2)));        // 28:00
    EXPECT_TRUE(recordingDisagrees(lb, dive(55, 30, 2)));         // 27:30
    EXPECT_TRUE(recordingDisagrees(lb, dive(1 << 30, 1 << 30)));  // no overflow
}

TEST(Checks, MinutesAsTheWriterWalksThem) {
    for (int rate : {1, 10, 20, 29, 30, 31, 45, 60, 61, 3600}) {
        for (int count : {0, 1, 2, 3, 4, 7, 30, 91}) {
            for (bool timed : {true, false}) {
                DiveRecord r = dive(count, rate);
                long long walked = 0;
                while (profileMinute(r, walked + 1, timed).exists)
                    walked++;
                EXPECT_EQ(minutesOf(r, timed), walked) << rate << " " << count << timed;
            }
        }
    }
}

// The writer's warning and the check's finding flip at the same interval: dive 1 has 3 minutes
// and its ascent line, then the interval; dive 2, without samples, only its ascent line.
TEST(Checks, LengthFindingWhereTheWriterWarns) {
    ScratchDir dir;
    for (int interval : {5993, 5994, 5995}) {
        std::vector<std::string> rows(23, "x,0,0");
        rows[0] = "C,A,A";
        rows[1] = "Nr,1,2";
        rows[9] = "T,3,0";
        rows[12] = "P,99:" + std::to_string(interval - 5940) + ",0:00";
        rows[14] = "R,60,60";
        rows[15] = "M,21,21";
        rows[16] = "M,-,-";
        std::string text;
        for (const std::string& row : rows)
            text += row + "\n";
        writeFile("grenze.csv", text + "1,0.0,\n2,5.0,\n3,5.0,\n4,0.0,\n");
        testing::internal::CaptureStdout();
        int checked = checkExports({"grenze"});
        exportsFlow({"grenze"}, true);
        std::string out = testing::internal::GetCapturedStdout();
        bool warned = out.find("Profil zu lang") != std::string::npos;
        EXPECT_EQ(out.find("Befund: Profil mit") != std::string::npos, warned) << out;
        EXPECT_EQ(warned, interval >= 5994) << interval;
        EXPECT_EQ(checked, warned ? 1 : 0);
    }
}

}  // namespace
