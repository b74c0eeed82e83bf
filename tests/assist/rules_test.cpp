// The assisted mode's rules: MOD and suggested switch, timed minutes, logged intervals, picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "assist/gas.h"
#include "assist/interval.h"
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

TEST(Timing, ThirtySecondsIsTheClassicRule) {
    for (int count : {0, 1, 2, 7, 8}) {
        DiveRecord r = record(count, 30, 50, 5);
        for (long long i = 1; i <= 6; i++) {
            ProfileMinute timed = profileMinute(r, i, true);
            ProfileMinute classic = profileMinute(r, i, false);
            EXPECT_EQ(timed.lower, classic.lower);
            EXPECT_EQ(timed.upper, classic.upper);
            EXPECT_EQ(timed.exists, classic.exists) << count << " " << i;
            EXPECT_EQ(timed.secondGas, classic.secondGas);
        }
    }
}

// The minutes that exist, counted one by one; minutesOf must agree.
long long counted(const DiveRecord& r, bool timed) {
    long long i = 1;
    while (profileMinute(r, i, timed).exists)
        i++;
    EXPECT_EQ(i - 1, minutesOf(r, timed)) << r.sampleCount << " at " << r.sampleRate;
    return i - 1;
}

TEST(Timing, OnlyRatesAboveZeroCanBeTimed) {
    EXPECT_FALSE(canBeTimed(record(10, 0)));
    EXPECT_FALSE(canBeTimed(record(10, -1)));
    EXPECT_TRUE(canBeTimed(record(2, 2147483647)));
    EXPECT_EQ(minutesOf(record(3, 2147483647), true), 2 * 2147483647LL / 60);  // no overflow
}

TEST(Timing, MinutesKeepTheDivesOwnTime) {
    // 91 samples 20 s apart are 30 minutes, not the 45 of every second sample.
    EXPECT_EQ(counted(record(91, 20), true), 30);
    EXPECT_EQ(counted(record(91, 20), false), 45);
    // At 60 s, minute i lies between samples i - 1 and i.
    ProfileMinute third = profileMinute(record(11, 60), 3, true);
    EXPECT_EQ(third.lower, 2);
    EXPECT_EQ(third.upper, 3);
    EXPECT_EQ(counted(record(11, 60), true), 10);
    for (int count : {0, 1, 2, 3}) {
        for (int rate : {1, 20, 59, 60, 61, 3600})
            counted(record(count, rate), true);
        counted(record(count, 30), false);
    }
    // Mix2 from the minute whose time reaches the switch sample's: 620 s for sample 31.
    EXPECT_FALSE(profileMinute(record(91, 20, 50, 31), 10, true).secondGas);  // 570 s
    EXPECT_TRUE(profileMinute(record(91, 20, 50, 31), 11, true).secondGas);   // 630 s
    // The ascent line's minute, past the recording, still has its gas.
    ProfileMinute after = profileMinute(record(91, 20, 50, 31), 31, true);
    EXPECT_FALSE(after.exists);
    EXPECT_TRUE(after.secondGas);
}

TEST(Timing, BelowThirtySecondsEverySampleOfTheMinuteCounts) {
    // At 10 s, minute 2 spans samples 6 to 12 (60 to 120 s), both ends included.
    ProfileMinute second = profileMinute(record(30, 10), 2, true);
    EXPECT_EQ(second.lower, 6);
    EXPECT_EQ(second.upper, 12);
    // At 20 s minute 1 is samples 0 to 3; the last minute stops at the last sample.
    ProfileMinute first = profileMinute(record(91, 20), 1, true);
    EXPECT_EQ(first.lower, 0);
    EXPECT_EQ(first.upper, 3);
    EXPECT_EQ(profileMinute(record(5, 20), 2, true).upper, 4);
    // At 45 s the two samples around the minute's middle, as at every rate of 30 s and more.
    ProfileMinute slow = profileMinute(record(20, 45), 2, true);
    EXPECT_EQ(slow.lower, 2);
    EXPECT_EQ(slow.upper, 2);
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
TEST(Timing, MinutesOnMix2AsTheWriterWalksThem) {
    for (int rate : {1, 10, 20, 29, 30, 31, 45, 60, 61, 3600}) {
        for (int count : {0, 1, 2, 3, 30, 91}) {
            for (int k : {-1, 0, 1, 2, 3, 17, 29, 30, 53, 89, 90, 91}) {
                DiveRecord r = record(count, rate, 50, k);
                bool timed = timedMinutes(r);
                long long walked = 0;
                for (long long i = 1; profileMinute(r, i, timed).exists; i++)
                    walked += profileMinute(r, i, timed).secondGas;
                EXPECT_EQ(minutesOnMix2(r, k), walked) << rate << " " << count << " " << k;
            }
        }
    }
    EXPECT_EQ(minutesOnMix2(record(90, 20), 53), 12);  // 12 of the example's 30 minutes
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

// The plain reader must give every field exactly what the float sums of getDepth give.
TEST(Scan, PlainTenthsAgreeWithTheDepthReader) {
    std::vector<std::string> rows(23, "r,,,");
    rows[1] = "Nr,1,2,3";
    // Every plain depth up to 9999.9 m, with leading zeros, and past five digits.
    for (int n = 0; n <= 99999; n++) {
        std::string plain = std::to_string(n / 10) + "." + std::to_string(n % 10);
        rows.push_back("s," + plain + ",0" + plain + "," + std::to_string(n) + "7.5");
    }
    // Anything else: ragged rows, blanks, dashes, zero bytes, CRs, long digit runs.
    std::mt19937 engine(10);
    const std::string bytes("0123456789,,,. -x\r\0", 19);
    for (int i = 0; i < 20000; i++) {
        std::string row(engine() % 118, ' ');
        for (char& c : row)
            c = bytes[engine() % bytes.size()];
        rows.push_back(row);
    }
    Logbook lb = setTable(rows);
    ASSERT_EQ(lb.dives, 3);
    for (int r = 23; r < rowCount(lb); r++) {
        for (int d = 1; d <= lb.dives; d++) {
            int plain = getTenths(lb, d, r);
            double tenths = (getDepth(lb, d, r) - 0.00001) * 10.0 + 0.5;
            if (plain < 0) continue;  // more than five digits: sampleTenths takes the long way
            ASSERT_EQ(plain, static_cast<int>(tenths)) << "row " << r << " dive " << d;
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
