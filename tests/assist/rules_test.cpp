// The assisted mode's rules: MOD and suggested switch, timed minutes, logged intervals, picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/minutes.h"
#include "assist/picture.h"
#include "assist/scan.h"
#include "assist/timing.h"
#include "import/fields.h"
#include "import/logbook.h"
#include "testutil.h"

namespace {

// Two dives: the first with these samples, the second a copy; dates and times per dive.
Logbook divesWith(const std::vector<std::string>& samples, const std::string& dates = "x,x",
                  const std::string& downs = "x,x", const std::string& ups = "x,x") {
    std::vector<std::string> rows(23, "r,,");
    rows[1] = "Nr,1,2";
    rows[2] = "Datum," + dates;
    rows[10] = "Ab," + downs;
    rows[11] = "Auf," + ups;
    for (const std::string& s : samples)
        rows.push_back("s," + s + "," + s);
    return setTable(rows);
}

DiveRecord record(int count, int rate, int mix2 = 50, int switchSample = -1) {
    return DiveRecord{32, mix2, switchSample, 0, rate, count};
}

TEST(Gas, ModIsExactAtItsDepth) {
    EXPECT_EQ(modTenths(50), 220);
    EXPECT_EQ(modTenths(32), 400);
    EXPECT_EQ(modTenths(36), 344);  // 34.44 m, shown rounded down
    EXPECT_TRUE(withinMod(220, 50));
    EXPECT_FALSE(withinMod(221, 50));
    EXPECT_TRUE(withinMod(344, 36));
    EXPECT_FALSE(withinMod(345, 36));
    EXPECT_FALSE(gasKnown(0));
    EXPECT_FALSE(gasKnown(101));
    EXPECT_TRUE(gasKnown(100));
}

TEST(Gas, SuggestionIsTheFirstSampleWithinTheModAfterTheDeepest) {
    // A stop right at the MOD of 50 % after the deepest point.
    Logbook lb = divesWith({"0.0", "10.0", "30.0", "25.0", "22.0", "22.0", "6.0"});
    EXPECT_EQ(sampleTenths(lb, record(7, 20), 4), 220);
    EXPECT_EQ(suggestedSwitch(lb, record(7, 20)), 4);
    // Of two equally deep samples the first counts; sample 0 never does.
    lb = divesWith({"40.0", "30.0", "20.0", "30.0", "10.0"});
    EXPECT_EQ(deepestSample(lb, record(5, 20), 1), 1);
    EXPECT_EQ(suggestedSwitch(lb, record(5, 20)), 2);
    // Never shallow enough again, or too few samples: no suggestion.
    lb = divesWith({"0.0", "30.0", "25.0"});
    EXPECT_EQ(suggestedSwitch(lb, record(3, 20)), -1);
    EXPECT_EQ(suggestedSwitch(lb, record(1, 20)), -1);
    EXPECT_EQ(deepestSample(lb, record(3, 20), 3), -1);
}

TEST(Timing, TypedTimesAndSamples) {
    EXPECT_EQ(sampleAfterStep(750, 20), 38);  // 12:30 at 20 s
    EXPECT_EQ(sampleAfterStep(760, 20), 39);
    EXPECT_EQ(firstSampleFrom(760, 20), 38);  // a time on a sample is that sample
    EXPECT_EQ(firstSampleFrom(761, 20), 39);
    EXPECT_EQ(firstSampleFrom(0, 20), 0);
}

// The assisted entry and --wechsel: the first sample at or after the time, within the dive.
TEST(Timing, TypedSwitchIsTheFirstSampleFromTheTime) {
    DiveRecord r = record(90, 20);              // samples 0 to 89, the last at 29:40
    EXPECT_EQ(typedSwitchSample(1060, r), 53);  // the time the suggestion shows for sample 53
    EXPECT_EQ(sampleSeconds(53, r), 1060);
    EXPECT_EQ(typedSwitchSample(1041, r), 53);
    EXPECT_EQ(typedSwitchSample(1040, r), 52);
    EXPECT_EQ(typedSwitchSample(0, r), 0);
    EXPECT_EQ(typedSwitchSample(1780, r), 89);
    EXPECT_EQ(typedSwitchSample(1781, r), -1);  // after the last sample
    EXPECT_EQ(typedSwitchSample(-1, r), -1);
    EXPECT_EQ(typedSwitchSample(0, record(90, 0)), -1);
    EXPECT_EQ(typedSwitchSample(0, record(0, 20)), -1);
    EXPECT_EQ(typedSwitchSample(30, record(2, 30)), 1);  // at 30 s as well
}

// The count the suggestion shows must be the minutes the writer puts on mix2.
TEST(Timing, MinutesOnMix2AsTheWriterWritesThem) {
    Logbook lb = divesWith(std::vector<std::string>(91, "1.0"));
    for (int rate : {1, 10, 20, 29, 30, 31, 45, 60, 61, 3600}) {
        for (int count : {0, 1, 2, 3, 30, 91}) {
            for (int k : {-1, 0, 1, 2, 3, 17, 29, 30, 53, 89, 90, 91}) {
                Dive dive = exportDive(lb, record(count, rate, 50, k));
                long long written = 0;
                for (const DiveMinute& m : allMinutes(dive))
                    written += m.nitrogen == 50;
                long long shown = k < 0 ? 0 : minutesAfterSwitch(dive, 0);
                EXPECT_EQ(shown, written) << rate << " " << count << " " << k;
            }
        }
    }
    EXPECT_EQ(minutesAfterSwitch(exportDive(lb, record(90, 20, 50, 53)), 0), 12);
}

TEST(Interval, FromSurfacingToTheNextDescent) {
    Logbook lb = divesWith({"1.0"}, "1.8.26,01.08.2026", "9:00,12:00", "9:30,12:10");
    EXPECT_EQ(loggedInterval(lb, 1), 150);
    // A night dive that surfaces after midnight; the next one on the following day.
    lb = divesWith({"1.0"}, "14.06.2026,15.06.2026", "23:30,10:05", "00:20,10:35");
    EXPECT_EQ(loggedInterval(lb, 1), 9 * 60 + 45);
    // Across a month's and a leap year's end.
    lb = divesWith({"1.0"}, "28.2.2028,1.3.2028", "10:00,10:00", "11:00,10:00");
    EXPECT_EQ(loggedInterval(lb, 1), 47 * 60);
    lb = divesWith({"1.0"}, "29.2.2000,1.3.2000", "10:00,10:00", "11:00,10:00");
    EXPECT_EQ(loggedInterval(lb, 1), 23 * 60);
    // Unreadable values or a next dive before this one ended give no interval.
    for (const char* dates : {"x,1.8.26", "32.1.26,1.8.26", "1.8.2026,1.8.202", "1.8.26,",
                              "31.4.26,1.5.26", "29.2.2027,1.3.2027", "29.2.2100,1.3.2100"}) {
        lb = divesWith({"1.0"}, dates, "9:00,12:00", "9:30,12:10");
        EXPECT_EQ(loggedInterval(lb, 1), -1) << dates;
    }
    lb = divesWith({"1.0"}, "1.8.26,1.8.26", "9:00,9:10", "9:30,9:40");
    EXPECT_EQ(loggedInterval(lb, 1), -1);
    lb = divesWith({"1.0"}, "1.8.26,1.8.26", "9:00,12:0", "9:30,12:10");
    EXPECT_EQ(loggedInterval(lb, 1), -1);
    lb = divesWith({"1.0"}, "1.8.26,1.8.26", "9:00,24:00", "9:30,12:10");  // no such hour
    EXPECT_EQ(loggedInterval(lb, 1), -1);
}

// Two-digit years before 70 are this century's; every part of a date or time out of its range,
// a wrong separator or anything after the value gives no interval.
TEST(Interval, DatesAndTimesAtTheirLimits) {
    Logbook lb = divesWith({"1.0"}, "31.12.99,1.1.00", "9:00,12:00", "9:30,12:10");
    EXPECT_EQ(loggedInterval(lb, 1), 1440 - 9 * 60 - 30 + 12 * 60);
    lb = divesWith({"1.0"}, "31.12.69,1.1.70", "9:00,12:00", "9:30,12:10");
    EXPECT_EQ(loggedInterval(lb, 1), -1);  // 2069, then 1970
    for (const char* dates :
         {"1-8-26,1.8.26", "1.8-26,1.8.26", "0.8.26,1.8.26", "1.0.26,1.8.26", "1.13.26,1.8.26",
          "1.8.26x,1.8.26", "1.8.26,1.8.", "1.8.26,1.8.26.1"}) {
        lb = divesWith({"1.0"}, dates, "9:00,12:00", "9:30,12:10");
        EXPECT_EQ(loggedInterval(lb, 1), -1) << dates;
    }
    for (const char* ups : {"9:60,12:10", "930,12:10", "9:30x,12:10", "-9:30,12:10", ",12:10"}) {
        lb = divesWith({"1.0"}, "1.8.26,1.8.26", "9:00,12:00", ups);
        EXPECT_EQ(loggedInterval(lb, 1), -1) << ups;
    }
    lb = divesWith({"1.0"}, "1.8.26,1.8.26", "9:00,x", "9:30,12:10");
    EXPECT_EQ(loggedInterval(lb, 1), -1);
}

std::vector<std::string> picture(const Logbook& lb, const DiveRecord& r, int mark) {
    return divePicture(lb, r, scanDive(lb, r), mark);
}

TEST(Picture, FitsTheConsoleAndShowsModAndSwitch) {
    std::vector<std::string> samples;
    for (int s = 0; s < 400; s++)
        samples.push_back(std::to_string(s < 200 ? s / 5 : (400 - s) / 8) + ".0");
    Logbook lb = divesWith(samples);
    std::vector<std::string> lines = picture(lb, record(400, 20), 250);
    ASSERT_LE(lines.size(), 12u);
    std::string all;
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 72u) << line;
        all += line + "\n";
    }
    EXPECT_NE(all.find("-----"), std::string::npos);
    EXPECT_NE(all.find('W'), std::string::npos);
    EXPECT_NE(all.find("133"), std::string::npos) << all;  // the last minute on the axis
    // An absurd depth still fits.
    lb = divesWith({"0.0", "99999999.9", "0.0"});
    for (const std::string& line : picture(lb, record(3, 20), 1))
        EXPECT_LE(line.size(), 72u) << line;
    EXPECT_TRUE(picture(lb, record(1, 20), -1).empty());
    EXPECT_TRUE(picture(lb, record(3, 0), -1).empty());
}

// Without a known Mix2 there is no MOD: no line of dashes, and the legend does not name one; a
// mark beyond the last sample is not drawn.
TEST(Picture, NoModWithoutMix2) {
    Logbook lb = divesWith({"0.0", "12.0", "30.0", "12.0", "0.0"});
    std::string all;
    for (const std::string& line : picture(lb, record(5, 20, -1), 5))
        all += line + "\n";
    EXPECT_EQ(all.find("|-"), std::string::npos) << all;
    EXPECT_EQ(all.find("MOD"), std::string::npos) << all;
    EXPECT_EQ(all.find('W'), all.rfind("W Gaswechsel")) << all;
    EXPECT_NE(all.find('*'), std::string::npos) << all;
}

// The MOD's tenths and the minutes' metres read a field alike: whole numbers are metres, other
// fields have the rightmost digit as tenths, and a part of a tenth is the deeper tenth.
TEST(Scan, TenthsAgreeWithTheDepthReader) {
    std::vector<std::string> rows(23, "r,,,");
    rows[1] = "Nr,1,2,3";
    rows.push_back("s,25,18.4,18.45");
    rows.push_back("s,25 ,1.2.34,0.01");
    rows.push_back("s,-5,.5,999999999999");
    Logbook lb = setTable(rows);
    const int want[3][3] = {{250, 184, 185}, {25, 1234, 1}, {5, 5, 2147483647}};
    const double metres[3][3] = {{25, 18.4, 18.45}, {2.5, 123.4, 0.01}, {0.5, 0.5, 999999999999}};
    for (int r = 0; r < 3; r++) {
        for (int d = 1; d <= 3; d++) {
            EXPECT_EQ(readTenths(lb, d, 23 + r), want[r][d - 1]) << r << " " << d;
            EXPECT_NEAR(readDepth(lb, d, 23 + r), metres[r][d - 1], 2e-5) << r << " " << d;
            EXPECT_EQ(readMetres(lb, d, 23 + r),
                      static_cast<int>(std::min(metres[r][d - 1] + 0.5, 2147483647.0)));
        }
    }
}

// The pass over all dives at once must give what each dive's own pass gives, ragged rows and
// long digit runs included.
TEST(Scan, AllDivesAtOnceAgreeWithEachDive) {
    std::mt19937 engine(12);
    const std::string bytes("0123456789.,- ", 14);
    for (int round = 0; round < 40; round++) {
        std::vector<std::string> rows(23, "r,,,");
        rows[1] = "Nr,1,2,3";
        int count = static_cast<int>(engine() % 150);
        for (int s = 0; s < count; s++) {
            std::string row = "s";
            for (int d = 0; d < 3; d++) {
                int depth = static_cast<int>(engine() % 600);
                row += "," + std::to_string(depth / 10) + "." + std::to_string(depth % 10);
            }
            if (engine() % 10 == 0) {  // now and then a ragged or odd row
                row = "";
                for (int i = static_cast<int>(engine() % 40); i > 0; i--)
                    row += bytes[engine() % bytes.size()];
            }
            rows.push_back(row);
        }
        Logbook lb = setTable(rows);
        std::vector<DiveRecord> dives;
        for (int d = 1; d <= 3; d++) {
            dives.push_back(DiveRecord{32, d == 2 ? 80 : 50, -1, 0, 20,
                                       static_cast<int>(engine() % (count + 1)), d});
        }
        std::vector<DiveScan> all = scanDives(lb, dives);
        for (int d = 0; d < 3; d++) {
            DiveScan one = scanDive(lb, dives[d]);
            EXPECT_EQ(all[d].suggested, one.suggested) << round << " " << d;
            EXPECT_EQ(all[d].deepest, one.deepest);
            EXPECT_EQ(all[d].deepestAfter, one.deepestAfter);
            EXPECT_EQ(all[d].deepestTenths, one.deepestTenths);
            EXPECT_EQ(all[d].columns, one.columns);
        }
    }
}

// The single pass must agree with the passes it saves.
TEST(Scan, OnePassAgreesWithThePassesItSaves) {
    std::mt19937 engine(11);
    for (int round = 0; round < 300; round++) {
        std::vector<std::string> samples;
        int count = static_cast<int>(engine() % 200);
        int depth = 0;
        for (int s = 0; s < count; s++) {
            depth = std::max(0, std::min(600, depth + static_cast<int>(engine() % 81) - 40));
            samples.push_back(std::to_string(depth / 10) + "." + std::to_string(depth % 10));
        }
        Logbook lb = divesWith(samples);
        DiveRecord r = record(count, 20, round % 3 == 0 ? 80 : 50);
        DiveScan scan = scanDive(lb, r);
        int expected = -1;
        int deepest = deepestSample(lb, r, 1);
        for (int s = deepest + 1; deepest >= 0 && s < count && expected < 0; s++) {
            if (withinMod(sampleTenths(lb, r, s), r.mix2)) expected = s;
        }
        ASSERT_EQ(scan.suggested, expected) << round;
        EXPECT_EQ(scan.deepest, deepest);
        if (expected >= 0) {
            EXPECT_EQ(scan.deepestAfter, deepestSample(lb, r, expected));
        }
    }
    // No second gas, no suggestion.
    EXPECT_EQ(scanDive(divesWith({"0.0", "9.0", "3.0"}), record(3, 20, -1)).suggested, -1);
}

}  // namespace
