// The one minute rule on both formats, the series a log proposes, and --tauchgaenge lists.
#include "assist/minutes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "assist/series.h"
#include "testutil.h"

namespace {

LogDive diveOf(std::vector<LogSample> samples, std::vector<LogGas> gases = {{21, 0}},
               std::vector<LogSwitch> switches = {}, int firstGas = 0) {
    LogDive d;
    d.samples = std::move(samples);
    d.gases = std::move(gases);
    d.switches = std::move(switches);
    d.firstGas = firstGas;
    return d;
}

std::vector<DiveMinute> minutesOf(const LogDive& d) {
    return allMinutes(logDive(d, 1));
}

// One dive of an export: these depth fields from row 23 on.
struct Export {
    Logbook lb;
    DiveRecord r;
};

Export exportOf(const std::vector<std::string>& fields, int rate, int mix2 = -1, int at = -1) {
    std::vector<std::string> rows(23, "r,");
    rows[1] = "Nr,1";
    for (const std::string& f : fields)
        rows.push_back("s," + f);
    return Export{setTable(rows),
                  DiveRecord{32, mix2, at, 0, rate, static_cast<int>(fields.size())}};
}

std::vector<DiveMinute> minutesOf(const Export& e) {
    return allMinutes(exportDive(e.lb, e.r));
}

std::vector<int> depths(const std::vector<DiveMinute>& m) {
    std::vector<int> out;
    for (const DiveMinute& x : m)
        out.push_back(x.depth);
    return out;
}

std::vector<int> nitrogen(const std::vector<DiveMinute>& m) {
    std::vector<int> out;
    for (const DiveMinute& x : m)
        out.push_back(x.nitrogen);
    return out;
}

// Sample by sample, as a diver would read the rule off the log.
int deepestInMinute(const std::vector<int>& depth, int rate, long long i) {
    int deepest = -1;
    for (size_t k = 0; k < depth.size(); k++) {
        long long t = static_cast<long long>(k) * rate;
        if (t >= 60 * (i - 1) && t <= 60 * i) deepest = std::max(deepest, depth[k]);
    }
    for (size_t k = 1; deepest < 0 && k < depth.size(); k++) {
        if (static_cast<long long>(k) * rate > 60 * i) deepest = std::max(depth[k - 1], depth[k]);
    }
    return deepest;
}

TEST(ExportMinutes, EveryRateTakesTheDeepestSampleOfTheMinute) {
    for (int rate : {10, 20, 30, 60, 90, 150}) {
        for (int shape = 0; shape < 3; shape++) {
            std::vector<int> depth;
            std::vector<std::string> fields;
            for (int k = 0; k < 31; k++) {
                depth.push_back(shape == 0 ? k : shape == 1 ? 30 - k : (k * 7) % 11);
                fields.push_back(std::to_string(depth.back()) + ".0");
            }
            std::vector<int> got = depths(minutesOf(exportOf(fields, rate)));
            ASSERT_EQ(static_cast<long long>(got.size()), (30LL * rate + 30) / 60) << rate;
            for (long long i = 1; i <= static_cast<long long>(got.size()); i++) {
                EXPECT_EQ(got[i - 1], deepestInMinute(depth, rate, i))
                    << rate << " s, shape " << shape << ", minute " << i;
            }
        }
    }
}

TEST(ExportMinutes, ThirtySecondsKeepsAnEvenSample) {
    // 40.4 m at sample 8 (4:00) among 25 m: every second sample would drop it.
    std::vector<std::string> f(20, "25.0");
    f[8] = "40.4";
    f[0] = f[19] = "0.0";
    std::vector<int> got = depths(minutesOf(exportOf(f, 30)));
    ASSERT_EQ(got.size(), 10u);
    EXPECT_EQ(got[3], 40);  // samples 6, 7, 8
    EXPECT_EQ(got[4], 40);  // samples 8, 9, 10
    EXPECT_EQ(got[2], 25);
    EXPECT_EQ(got[0], 25);  // samples 0, 1, 2
}

TEST(ExportMinutes, WholeNumbersAreMetres) {
    EXPECT_EQ(depths(minutesOf(exportOf({"25", "18.4", "18.45", "12.5", "0"}, 60))),
              (std::vector<int>{25, 18, 18, 13}));
    EXPECT_EQ(depths(minutesOf(exportOf({"0", "18.45", "12.5", "0"}, 60)))[2], 13);
}

TEST(ExportMinutes, RicherGasFromTheMinuteAfterTheSwitch) {
    // A switch at 11:10 (sample 67 at 10 s): minute 12 still has Mix1 in it.
    Export e = exportOf(std::vector<std::string>(121, "20.0"), 10, 50, 67);
    std::vector<int> n = nitrogen(minutesOf(e));
    ASSERT_EQ(n.size(), 20u);
    EXPECT_EQ(n[11], 68);
    EXPECT_EQ(n[12], 50);
    EXPECT_EQ(switchMinute(exportDive(e.lb, e.r), 0), 13);
    EXPECT_EQ(minutesAfterSwitch(exportDive(e.lb, e.r), 0), 8);
    EXPECT_EQ(ascentMinute(exportDive(e.lb, e.r)).nitrogen, 50);
    // On a minute's start the switch counts from that minute; past the last none is on Mix2.
    e.r.switchSample = 66;
    EXPECT_EQ(switchMinute(exportDive(e.lb, e.r), 0), 12);
    e.r.switchSample = 120;
    EXPECT_EQ(switchMinute(exportDive(e.lb, e.r), 0), 0);
    // Air is the planner's 78 %; a dive without a minute keeps its 79 on the ascent line.
    e = exportOf({"5.0"}, 20);
    e.r.mix1 = 21;
    EXPECT_TRUE(minutesOf(e).empty());
    EXPECT_EQ(ascentMinute(exportDive(e.lb, e.r)).nitrogen, 79);
    e = exportOf({"5.0", "5.0", "5.0", "5.0"}, 20);
    e.r.mix1 = 21;
    EXPECT_EQ(nitrogen(minutesOf(e)), (std::vector<int>{78}));
    EXPECT_EQ(ascentMinute(exportDive(e.lb, e.r)).nitrogen, 78);
}

TEST(LogMinutes, DeepestOfSamplesAndInterpolatedEnds) {
    // A sample right on a minute's end belongs to both minutes it bounds; halves round up.
    EXPECT_EQ(depths(minutesOf(diveOf({{0, 0}, {60, 10}, {120, 0}}))), (std::vector<int>{10, 10}));
    EXPECT_EQ(depths(minutesOf(diveOf({{0, 0}, {60, 12.5}, {100, 0.5}}))),
              (std::vector<int>{13, 13}));
    // 0 to 12 m in 40 s and back to 0 at 100 s: minute 2 starts on the way up, interpolated.
    EXPECT_EQ(depths(minutesOf(diveOf({{0, 0}, {40, 12}, {100, 0}, {110, 0}}))),
              (std::vector<int>{12, 8}));
    // In file order 0, 60, 60, 59, 100: ordered stably; the greatest time sets the count.
    LogDive d = diveOf({{0, 0}, {60, 1}, {60, 0.5}, {59, 1}, {130, 0.5}, {100, 0.4}});
    EXPECT_EQ(depths(minutesOf(d)), (std::vector<int>{1, 1, 1}));
}

TEST(LogMinutes, LateFirstSampleAndGapsHoldTheDeeperEnd) {
    // First sample at 3:00 at 30 m: the diver was at 0 m at 0 s, and 30 m from minute 1.
    Dive late = logDive(diveOf({{180, 30}, {240, 30}, {300, 0}}), 1);
    EXPECT_EQ(depths(allMinutes(late)), (std::vector<int>{30, 30, 30, 30, 30}));
    ASSERT_EQ(heldGaps(late).size(), 1u);
    EXPECT_EQ(heldGaps(late)[0].from, 0);
    EXPECT_EQ(heldGaps(late)[0].to, 180);
    EXPECT_EQ(heldGaps(late)[0].depth, 30);
    // 29 minutes without a sample between 40 m and 5 m: 40 m over the whole gap.
    Dive gap = logDive(diveOf({{0, 0}, {60, 40}, {1800, 5}, {1860, 0}}), 1);
    std::vector<int> got = depths(allMinutes(gap));
    ASSERT_EQ(got.size(), 31u);
    for (size_t i = 1; i < 30; i++)
        EXPECT_EQ(got[i], 40) << i;
    EXPECT_EQ(got[30], 5);
    EXPECT_EQ(heldGaps(gap).size(), 1u);
    // 60 s apart is no gap: interpolated.
    EXPECT_TRUE(heldGaps(logDive(diveOf({{0, 0}, {60, 40}, {120, 0}}), 1)).empty());
    EXPECT_EQ(depths(minutesOf(diveOf({{0, 0}, {61, 40}, {70, 0}}))), (std::vector<int>{40, 40}));
}

TEST(LogMinutes, ADeepEndIsHeldAndBroughtUp) {
    LogDive d = diveOf({{0, 0}, {60, 30}, {600, 30}});
    // Without a later duration the ascent starts at the last sample: 3 minutes at 10 m/min.
    std::vector<int> got = depths(minutesOf(d));
    EXPECT_EQ(got, (std::vector<int>{30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 20, 10}));
    DeepEnd end = deepEnd(logDive(d, 1));
    EXPECT_TRUE(end.added);
    EXPECT_EQ(end.heldUntil, 600);
    EXPECT_EQ(end.ascentSeconds, 180);
    // A logged duration of 15:00 holds 30 m until then.
    d.durationSeconds = 900;
    got = depths(minutesOf(d));
    ASSERT_EQ(got.size(), 18u);
    EXPECT_EQ(got[15], 30);
    EXPECT_EQ(got[16], 20);
    EXPECT_EQ(got[17], 10);
    // A metre or less is the surface: nothing added; a little more is brought up.
    EXPECT_FALSE(deepEnd(logDive(diveOf({{0, 0}, {60, 1}}), 1)).added);
    EXPECT_EQ(depths(minutesOf(diveOf({{0, 0}, {60, 1.5}}))), (std::vector<int>{2, 2}));
}

TEST(LogMinutes, GasWithMoreInertGasInTheMinute) {
    std::vector<LogGas> gases = {{21, 0}, {50, 0}, {18, 45}, {22, 0}};
    std::vector<LogSample> flat = {{0, 1}, {300, 1}};
    // A richer gas counts from the first minute that starts at or after the switch.
    EXPECT_EQ(nitrogen(minutesOf(diveOf(flat, gases, {{120, 1}}))),
              (std::vector<int>{78, 78, 50, 50, 50}));
    EXPECT_EQ(nitrogen(minutesOf(diveOf(flat, gases, {{121, 1}}))),
              (std::vector<int>{78, 78, 78, 50, 50}));
    // A leaner one from the minute it falls into: EAN50 to air at 1:01 is air from minute 2.
    std::vector<DiveMinute> leaner = minutesOf(diveOf(flat, gases, {{61, 0}}, 1));
    EXPECT_EQ(nitrogen(leaner), (std::vector<int>{50, 78, 78, 78, 78}));
    EXPECT_EQ(switchMinute(logDive(diveOf(flat, gases, {{61, 0}}, 1), 1), 0), 2);
    // On a minute's start it belongs to that minute alone.
    EXPECT_EQ(nitrogen(minutesOf(diveOf(flat, gases, {{120, 0}}, 1))),
              (std::vector<int>{50, 50, 78, 78, 78}));
    // Trimix against air: more inert gas, with its helium. Switches are put in time order.
    std::vector<DiveMinute> trimix = minutesOf(diveOf(flat, gases, {{200, 0}, {60, 1}}, 2));
    EXPECT_EQ(nitrogen(trimix), (std::vector<int>{37, 50, 50, 78, 78}));
    EXPECT_EQ(trimix[0].helium, 45);
    EXPECT_EQ(trimix[4].helium, 0);
    // Equal inert gas: the later one, here trimix 22/38 after air (78 % either way).
    std::vector<DiveMinute> tie = minutesOf(diveOf(flat, {{21, 0}, {22, 38}}, {{30, 1}}));
    EXPECT_EQ(tie[0].helium, 38);
    EXPECT_EQ(tie[0].nitrogen, 40);
    // A gas the dive lacks reads as air.
    EXPECT_EQ(nitrogen(minutesOf(diveOf(flat, gases, {{30, 3}}, 1))),
              (std::vector<int>{78, 78, 78, 78, 78}));
    EXPECT_EQ(nitrogen(minutesOf(diveOf(flat, gases, {{60, 7}}, -3)))[2], 78);
    // The ascent line has the last minute's gas; a switch after the last minute has none.
    EXPECT_EQ(ascentMinute(logDive(diveOf(flat, gases, {{299, 1}}), 1)).nitrogen, 78);
    EXPECT_EQ(switchMinute(logDive(diveOf(flat, gases, {{300, 1}}), 1), 0), 0);
}

TEST(LogMinutes, GasColumns) {
    EXPECT_EQ(gasColumns({21, 0}).nitrogen, 78);
    EXPECT_EQ(gasColumns({20.9, 0}).nitrogen, 78);
    EXPECT_EQ(gasColumns({32, 0}).nitrogen, 68);
    EXPECT_EQ(gasColumns({21, 35}).nitrogen, 44);  // trimix 21/35 is no air
    EXPECT_EQ(gasColumns({21, 35}).helium, 35);
    EXPECT_EQ(gasColumns({18.5, 44.5}).nitrogen, 37);
    EXPECT_EQ(gasColumns({18.5, 44.5}).helium, 45);
    EXPECT_EQ(gasColumns({100, 0}).nitrogen, 0);
    EXPECT_EQ(gasColumns({80, 50}).nitrogen, 0);  // clamped, never negative
}

TEST(LogMinutes, NoMinutesForNothingOrAbsurdTimes) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(minutesOf(diveOf({})).empty());
    EXPECT_TRUE(minutesOf(diveOf({{0, 0.5}, {0, 0.6}})).empty());
    EXPECT_TRUE(minutesOf(diveOf({{0, 0.5}, {-60, 0.6}})).empty());
    EXPECT_TRUE(minutesOf(diveOf({{0, 0.5}, {6e6 + 1, 0.6}})).empty());
    EXPECT_EQ(minutesOf(diveOf({{0, 0.5}, {6e6, 0.6}})).size(), 100000u);
    // A switch at no real time is left out.
    EXPECT_EQ(nitrogen(minutesOf(diveOf({{0, 0.5}, {90, 0.3}}, {{21, 0}, {50, 0}}, {{nan, 1}}))),
              (std::vector<int>{78, 78}));
    // Depths beyond any int, negative or not a number are clamped; no ascent from beyond.
    EXPECT_EQ(depths(minutesOf(diveOf({{0, 1e300}, {60, 1e300}}))),
              (std::vector<int>{std::numeric_limits<int>::max()}));
    EXPECT_EQ(depths(minutesOf(diveOf({{0, -3}, {60, -0.2}}))), (std::vector<int>{0}));
    EXPECT_EQ(depths(minutesOf(diveOf({{0, nan}, {60, nan}}))), (std::vector<int>{0}));
}

LogDive at(long long startMinute, double seconds) {
    LogDive d;
    d.startMinute = startMinute;
    d.durationSeconds = seconds;
    return d;
}

TEST(Series, DivesWithin48HoursOfTheNext) {
    constexpr long long kDay = 1440;
    std::vector<LogDive> log = {at(0, 3600), at(kDay, 3600), at(6 * kDay, 3000),
                                at(6 * kDay + 120, 2400), at(7 * kDay, 1800)};
    EXPECT_EQ(defaultSeries(log), (std::vector<int>{2, 3, 4}));
    // 48 hours from the end exactly: a new series; a minute less: the same one.
    std::vector<LogDive> edge = {at(0, 3600), at(60 + 48 * 60, 600)};
    EXPECT_EQ(defaultSeries(edge), (std::vector<int>{1}));
    edge[1].startMinute -= 1;
    EXPECT_EQ(defaultSeries(edge), (std::vector<int>{0, 1}));
    // Where the times cannot part them, the dives stay together: an unknown start or duration,
    // a log listed newest first, an overlap.
    EXPECT_EQ(defaultSeries({at(-1, 600), at(100, 600)}), (std::vector<int>{0, 1}));
    EXPECT_EQ(defaultSeries({at(0, -1), at(100, 600)}), (std::vector<int>{0, 1}));
    EXPECT_EQ(defaultSeries({at(5000, 600), at(100, 600)}), (std::vector<int>{0, 1}));
    EXPECT_EQ(defaultSeries({at(0, 4000), at(60, 600)}), (std::vector<int>{0, 1}));
    // Only a known gap of 48 hours parts them.
    EXPECT_EQ(defaultSeries({at(0, 600), at(10 * kDay, 600), at(-1, 600)}),
              (std::vector<int>{1, 2}));
    EXPECT_TRUE(defaultSeries({}).empty());
}

TEST(Series, DiveLists) {
    EXPECT_EQ(parseDiveList("3-5", 5).dives, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(parseDiveList("2,4", 4).dives, (std::vector<int>{1, 3}));
    EXPECT_EQ(parseDiveList("1,3-4", 4).dives, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(parseDiveList(" 4 , 1 - 2 ", 4).dives, (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(parseDiveList("1", 1).ok);

    auto error = [](const std::string& list) { return parseDiveList(list, 4).error; };
    EXPECT_EQ(error("0"),
              "ERROR: --tauchgaenge: Tauchgang 0 gibt es nicht, die Zaehlung beginnt "
              "bei 1.");
    EXPECT_EQ(error("0-2"), error("0"));
    EXPECT_EQ(error("4-2"),
              "ERROR: --tauchgaenge: Im Bereich '4-2' steht die groessere Nummer "
              "vorn.");
    EXPECT_EQ(error("1-3,2"), "ERROR: --tauchgaenge: Tauchgang 2 ist doppelt genannt.");
    EXPECT_EQ(error("2,5"),
              "ERROR: --tauchgaenge: Die Datei enthaelt 4 Tauchgaenge, '5' geht "
              "darueber hinaus.");
    EXPECT_EQ(error("3-99999999999999999999"),
              "ERROR: --tauchgaenge: Die Datei enthaelt 4 Tauchgaenge, '3-99999999999999999999' "
              "geht darueber hinaus.");
    std::string notAList = "ERROR: --tauchgaenge: '%' ist keine Liste wie 3-5, 2,4 oder 1,3-4.";
    for (const char* bad : {"", "a", "3-", ",", "1,", "1;2", "-2", "1 2", "1--2", "\xc3\xa4"}) {
        std::string expected = notAList;
        std::string shown = bad;
        for (char& c : shown)
            c = c >= 0x20 && c < 0x7f ? c : '?';
        expected.replace(expected.find('%'), 1, shown);
        EXPECT_EQ(error(bad), expected) << bad;
        EXPECT_FALSE(parseDiveList(bad, 4).ok);
    }
    EXPECT_FALSE(parseDiveList("1", 0).ok);
}

}  // namespace
