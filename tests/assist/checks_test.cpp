// The check rules: gas fields, recording against dive time, and the profile's length counted
// as the writer counts it.
#include "assist/checks.h"

#include <gtest/gtest.h>

#include "assist/gas.h"
#include "assist/timing.h"
#include "dialogue/check.h"
#include "dialogue/mainflow.h"
#include "dialogue/names.h"
#include "dialogue/reasons.h"
#include "import/dive.h"
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

DiveRecord dive(int count, int rate, int interval = 0, int number = 1) {
    return DiveRecord{21, -1, -1, interval, rate, count, number};
}

// The checks every door makes on the dive model.
TEST(Checks, GasesBreathedDeeperThanTheirMod) {
    // Exactly at the MOD is within it: 22.0 m on EAN50, 40.0 m on EAN32.
    EXPECT_TRUE(gasWithinMod({50, 0}, 220));
    EXPECT_FALSE(gasWithinMod({50, 0}, 221));
    EXPECT_TRUE(gasWithinMod({32, 0}, 400));
    EXPECT_EQ(gasModTenths({50, 0}), 220);
    // Each sample counts on the gas in use at its time, the switch's own sample on the new one.
    std::vector<std::string> rows(23, "r,");
    rows[1] = "Nr,1";
    rows[6] = "Max,30.0";
    for (const char* depth : {"0.0", "30.0", "21.0", "25.5", "3.0"})
        rows.push_back(std::string("s,") + depth);
    Logbook lb = setTable(rows);
    DiveRecord r{32, 50, 3, 0, 20, 5, 1};
    std::vector<int> deepest = deepestOnEachGas(exportDive(lb, r));
    EXPECT_EQ(deepest, (std::vector<int>{300, 255}));
    r.switchSample = 4;
    EXPECT_EQ(deepestOnEachGas(exportDive(lb, r)), (std::vector<int>{300, 30}));
    r.switchSample = -1;
    EXPECT_EQ(deepestOnEachGas(exportDive(lb, r)), (std::vector<int>{300}));
    // The export's maximum depth: 3 m off is still the same dive, more is not.
    EXPECT_EQ(maxDepthOff(lb, r, 300), -1);
    EXPECT_EQ(maxDepthOff(lb, r, 270), -1);
    EXPECT_EQ(maxDepthOff(lb, r, 269), 300);
    EXPECT_EQ(maxDepthOff(lb, r, 331), 300);
    EXPECT_EQ(maxDepthOff(lb, r, -1), -1);
    rows[6] = "Max,30m";  // no depth: not compared
    EXPECT_EQ(maxDepthOff(setTable(rows), r, 100), -1);
    // A log ending below 6 m is cut short; at a safety stop it is not.
    LogDive log;
    log.samples = {{0, 0}, {600, 6}};
    EXPECT_FALSE(endsCutShort(logDive(log, 1)));
    log.samples.back().depth = 6.1;
    EXPECT_TRUE(endsCutShort(logDive(log, 1)));
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
    EXPECT_FALSE(recordingDisagrees(lb, dive(56, 30, 0, 2)));     // 28:00
    EXPECT_TRUE(recordingDisagrees(lb, dive(55, 30, 0, 2)));      // 27:30
    EXPECT_TRUE(recordingDisagrees(lb, dive(1 << 30, 1 << 30)));  // no overflow
}

TEST(Checks, RaggedRowsHeadAndSamplesInRuns) {
    std::vector<std::string> rows(23, "r,,");
    rows[1] = "Nr,1,2";
    rows[16] = "Mix2,50";  // a head row one comma short
    for (const char* sample : {"1,0.0,0.0", "2,3.0,", "3,3.0", "4,2.0", "5,1.0,,", "6,0.0,0.0"})
        rows.push_back(sample);
    rows.push_back("");  // blank lines at the end hold no value
    rows.push_back("\r");
    Logbook lb = setTable(rows);
    std::vector<RowRun> runs = raggedRuns(lb);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].first, 16);
    EXPECT_EQ(runs[0].last, 16);
    EXPECT_EQ(runs[0].commas, 1);
    EXPECT_EQ(runs[1].first, 25);  // "3,3.0" and "4,2.0"
    EXPECT_EQ(runs[1].last, 26);
    EXPECT_EQ(runs[1].commas, 1);
    EXPECT_EQ(runs[2].first, 27);
    EXPECT_EQ(runs[2].commas, 3);
    // A blank line among the samples shifts every sample after it.
    rows.insert(rows.begin() + 24, "");
    rows[16] = "Mix2,50,-";
    rows[26] = "3,3.0,";
    rows[27] = "4,2.0,";
    rows[28] = "5,1.0,";
    lb = setTable(rows);
    runs = raggedRuns(lb);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, 24);
    EXPECT_EQ(runs[0].commas, 0);
}

// An export ragged all through is named in five runs and a count of the rest.
TEST(Checks, RaggedRowsReportStaysShort) {
    std::vector<std::string> rows(23, "r,,");
    rows[1] = "Nr,1,2";
    for (int s = 0; s < 14; s++)
        rows.push_back(s % 2 == 0 ? "1,1.0,1.0" : "2,1.0");  // every second row one short
    Logbook lb = setTable(rows);
    testing::internal::CaptureStdout();
    int printed = printRaggedRows(lb, "Befund: ");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, 6);
    EXPECT_NE(out.find("Befund: Zeile 25 hat 1 Komma statt 2;"), std::string::npos) << out;
    EXPECT_NE(out.find("Befund: Zeile 33 hat 1 Komma statt 2;"), std::string::npos) << out;
    EXPECT_EQ(out.find("Zeile 35 "), std::string::npos) << out;
    EXPECT_NE(out.find("Befund: Weitere 2 Zeilen haben nicht 2 Kommas.\n"), std::string::npos)
        << out;
}

// Dive 1 surfaces at 10:00 and dive 2 goes down at 12:00 by the dates and times: 120 minutes.
Logbook twoDives(const std::string& interval, const std::string& dates = "1.8.26,1.8.26") {
    std::vector<std::string> rows(23, "r,,");
    rows[1] = "Nr,1,2";
    rows[2] = "Datum," + dates;
    rows[10] = "Ab,9:00,12:00";
    rows[11] = "Auf,10:00,13:00";
    rows[12] = "Pause," + interval + ",0:00";
    return setTable(rows);
}

TEST(Checks, UnattendedTakesTheShorterInterval) {
    Logbook lb = twoDives("3:00,");
    EXPECT_EQ(disagreeingInterval(lb, dive(0, 20, 180)), 120);
    EXPECT_EQ(intervalToWrite(lb, dive(0, 20, 180)), 120);
    EXPECT_EQ(intervalToWrite(lb, dive(0, 20, 90)), 90);  // the export's is the shorter
    // Within a minute they agree, and the export's stands.
    EXPECT_EQ(disagreeingInterval(lb, dive(0, 20, 121)), -1);
    EXPECT_EQ(intervalToWrite(lb, dive(0, 20, 121)), 121);
    EXPECT_EQ(disagreeingInterval(lb, dive(0, 20, 122)), 120);
    EXPECT_EQ(intervalToWrite(lb, dive(0, 20, 118)), 118);
}

TEST(Checks, ReasonsToDoubtADive) {
    Logbook lb = table("30,30", "21,50", "-,32");
    EXPECT_TRUE(tooFewSamples(dive(0, 20)));
    EXPECT_TRUE(tooFewSamples(dive(1, 20)));
    EXPECT_FALSE(tooFewSamples(dive(2, 20)));
    DiveRecord gases{50, 32, -1, 0, 20, 90};
    EXPECT_TRUE(mix2NotRicher(gases));
    gases.mix2 = 50;
    EXPECT_TRUE(mix2NotRicher(gases));
    gases.mix2 = 51;
    EXPECT_FALSE(mix2NotRicher(gases));
    gases.mix1 = -1;  // air
    gases.mix2 = 21;
    EXPECT_TRUE(mix2NotRicher(gases));
    gases.mix2 = 22;
    EXPECT_FALSE(mix2NotRicher(gases));
    gases.mix2 = -1;
    EXPECT_FALSE(mix2NotRicher(gases));
    // pO2 1.6 bar: 32 % to 40.0 m.
    DiveRecord nitrox{32, -1, -1, 0, 20, 90};
    EXPECT_FALSE(mix1BeyondMod(nitrox, 400));
    EXPECT_TRUE(mix1BeyondMod(nitrox, 401));
    EXPECT_FALSE(mix1BeyondMod(nitrox, -1));
    nitrox.mix1 = 0;
    EXPECT_FALSE(mix1BeyondMod(nitrox, 4000));
}

TEST(Checks, RateMustBePlainDigitsAboveZero) {
    std::vector<std::string> rows(23, "r,,,,,");
    rows[1] = "Nr,1,2,3,4,5";
    rows[14] = "Rate,20,0,-,,20 ";
    Logbook lb = setTable(rows);
    EXPECT_TRUE(rateUsable(lb, 1));
    for (int d = 2; d <= 5; d++)
        EXPECT_FALSE(rateUsable(lb, d)) << d;
    // Such a dive is taken as sampled every 30 s.
    std::vector<DiveRecord> dives = fillDiveTable(lb);
    EXPECT_EQ(dives[0].sampleRate, 20);
    EXPECT_EQ(dives[4].sampleRate, kFallbackRate);
}

TEST(Checks, GivenSwitchMustFitTheExport) {
    Logbook lb = table("30,30", "32,32", "50,-");
    std::vector<DiveRecord> dives = {DiveRecord{32, 50, -1, 0, 20, 90, 1},
                                     DiveRecord{32, -1, -1, 0, 20, 90, 2}};
    EXPECT_EQ(givenSwitchProblem(dives, {1, 1780}), kSwitchFits);
    EXPECT_EQ(givenSwitchProblem(dives, {1, kNoSwitchGiven}), kSwitchFits);
    EXPECT_EQ(givenSwitchProblem(dives, {1, 1781}), kSwitchAfterDive);
    EXPECT_EQ(givenSwitchProblem(dives, {2, 60}), kSwitchOneGas);
    EXPECT_EQ(givenSwitchProblem(dives, {2, kNoSwitchGiven}), kSwitchOneGas);
    EXPECT_EQ(givenSwitchProblem(dives, {3, 60}), kSwitchNoSuchDive);
    EXPECT_EQ(givenSwitchProblem(dives, {0, 60}), kSwitchNoSuchDive);
}

// The profile's length counts the interval --ja writes, the shorter one.
TEST(Checks, LengthWithTheIntervalThatIsWritten) {
    Logbook lb = twoDives("99:59,");
    std::vector<DiveRecord> dives = {dive(2, 60, 5999), dive(2, 60, 0, 2)};
    long long lines;
    EXPECT_EQ(diveReachingLimit(lb, dives, &lines), 0);
    EXPECT_EQ(lines, 1 + 1 + 120 + 1 + 1);  // a minute and the ascent line per dive
    lb = twoDives("99:59,", "x,x");         // no dates: the export's interval
    EXPECT_EQ(diveReachingLimit(lb, dives, &lines), 1);
    EXPECT_EQ(lines, 1 + 1 + 5999);
}

// One unusable export outweighs any finding, whatever the order.
TEST(Checks, UnusableExportWinsTheExitCode) {
    ScratchDir dir;
    writeFile("semikolon.csv", "a;b\nc;d\n");
    testing::internal::CaptureStdout();
    std::string faulty =
        std::string(CSV2VDP_SOURCE_DIR) + "/tests/e2e/assisted/pruefen_faulty/files/fehlerhaft.csv";
    EXPECT_EQ(checkExports({faulty}), 1);
    EXPECT_EQ(checkExports({faulty, "semikolon"}), -1);
    EXPECT_EQ(checkExports({"semikolon", faulty}), -1);
    EXPECT_EQ(checkExports({"semikolon"}), -1);
    testing::internal::GetCapturedStdout();
}

// The profile never takes the export's own name, in any case of the letters.
TEST(Names, ProfileBesideTheExport) {
    EXPECT_EQ(profilePathFor("tg.csv"), "tg.vdp");
    EXPECT_EQ(profilePathFor("a.b/tg"), "a.b/tg.vdp");
    EXPECT_EQ(profilePathFor("tg.vdp"), "tg.vdp.vdp");
    EXPECT_EQ(profilePathFor("TG.VDP"), "TG.VDP.vdp");
    EXPECT_EQ(profilePathFor("tg.txt"), "tg.vdp");
}

// The writer's warning, the check's finding and the refusal of --ja flip at the same interval:
// dive 1 has 3 minutes and its ascent line, then the interval; dive 2, without samples, only
// its ascent line.
TEST(Checks, LengthFindingWhereTheWriterWarns) {
    ScratchDir dir;
    for (int interval : {5993, 5994, 5995}) {
        std::vector<std::string> rows(23, "x,0,0");
        rows[0] = "C,A,A";
        rows[1] = "Nr,1,2";
        rows[6] = "D,5.0,0";
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
        setConsoleInput("y\ny\n");  // the interval, then the planner's limit, asked before writing
        exportsFlow({"grenze"}, false);
        std::string out = testing::internal::GetCapturedStdout();
        bool warned = out.find("Profil zu lang") != std::string::npos;
        EXPECT_EQ(out.find("Befund: Profil mit") != std::string::npos, warned) << out;
        EXPECT_EQ(warned, interval >= 5994) << interval;
        EXPECT_EQ(checked, 1);  // dive 2 without samples is a finding of its own
        // --ja refuses it for dive 2 anyway; the length where the check names it.
        testing::internal::CaptureStdout();
        remove("grenze.vdp");
        int unattended = exportsFlow({"grenze"}, true);
        out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.find("Minuten zu lang fuer VD") != std::string::npos, warned) << out;
        EXPECT_EQ(unattended, -1);
        EXPECT_FALSE(fileExists("grenze.vdp"));
    }
}

}  // namespace
