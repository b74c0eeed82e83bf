// The minute rule for samples at any times, the series a log proposes, and --tauchgaenge lists.
#include "assist/irregular.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "assist/series.h"

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

TEST(Minutes, DeepestOfSamplesAndInterpolatedEnds) {
    // 0 m at 0 s to 30 m at 90 s: minute 1 ends at 20 m (interpolated), minute 2 holds 30 m;
    // T = 90 s gives two minutes.
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, 0}, {90, 30}}))), (std::vector<int>{20, 30}));
    // A descent sampled only at 0 and 150 s: the minute ends carry it.
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, 0}, {150, 30}, {200, 0}}))),
              (std::vector<int>{12, 24, 30, 12}));
    // Halves round up, just under stays.
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, 12.5}, {60, 12.49}}))), (std::vector<int>{13}));
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, 12.49}, {60, 12.49}}))), (std::vector<int>{12}));
    // A sample right on a minute's end belongs to both minutes it bounds.
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, 0}, {60, 10}, {120, 0}}))),
              (std::vector<int>{10, 10}));
    // Nothing reaches the minutes before a late first sample.
    EXPECT_EQ(depths(irregularMinutes(diveOf({{180, 30}, {200, 30}}))),
              (std::vector<int>{0, 0, 30, 30}));
}

TEST(Minutes, RepeatedAndBackwardTimes) {
    // In file order 0, 60, 60, 59, 100: ordered stably; the greatest time sets the count even
    // when it is not the last sample.
    LogDive d = diveOf({{0, 0}, {60, 10}, {60, 20}, {59, 30}, {130, 5}, {100, 4}});
    EXPECT_EQ(depths(irregularMinutes(d)), (std::vector<int>{30, 20, 5}));
    // The same samples in time order give the same minutes.
    LogDive sorted = diveOf({{0, 0}, {59, 30}, {60, 10}, {60, 20}, {100, 4}, {130, 5}});
    EXPECT_EQ(depths(irregularMinutes(sorted)), depths(irregularMinutes(d)));
}

TEST(Minutes, GasOfTheMinuteStart) {
    std::vector<LogGas> gases = {{21, 0}, {50, 0}, {18, 45}};
    std::vector<LogSample> flat = {{0, 10}, {300, 10}};
    // A switch exactly on 120 s counts from minute 3, one at 121 s from minute 4.
    auto on = irregularMinutes(diveOf(flat, gases, {{120, 1}}));
    EXPECT_EQ(nitrogen(on), (std::vector<int>{78, 78, 50, 50, 50}));
    auto after = irregularMinutes(diveOf(flat, gases, {{121, 1}}));
    EXPECT_EQ(nitrogen(after), (std::vector<int>{78, 78, 78, 50, 50}));
    // Out of order switches are ordered by time; the first gas may be any.
    auto trimix = irregularMinutes(diveOf(flat, gases, {{200, 0}, {60, 1}}, 2));
    EXPECT_EQ(nitrogen(trimix), (std::vector<int>{37, 50, 50, 50, 78}));
    EXPECT_EQ(trimix[0].helium, 45);
    EXPECT_EQ(trimix[4].helium, 0);
    // A gas index the dive does not have reads as air rather than failing.
    EXPECT_EQ(nitrogen(irregularMinutes(diveOf(flat, gases, {{60, 7}}, -3)))[2], 78);
}

TEST(Minutes, GasColumns) {
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

TEST(Minutes, NoMinutesForNothingOrAbsurdTimes) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(irregularMinutes(diveOf({})).empty());
    EXPECT_TRUE(irregularMinutes(diveOf({{0, 5}, {0, 6}})).empty());
    EXPECT_TRUE(irregularMinutes(diveOf({{0, 5}, {-60, 6}})).empty());
    EXPECT_TRUE(irregularMinutes(diveOf({{0, 5}, {6e6 + 1, 6}})).empty());
    EXPECT_TRUE(irregularMinutes(diveOf({{0, 5}, {nan, 6}, {90, 3}})).empty());
    // A switch at no real time is left out.
    EXPECT_EQ(nitrogen(irregularMinutes(diveOf({{0, 5}, {90, 3}}, {{21, 0}, {50, 0}}, {{nan, 1}}))),
              (std::vector<int>{78, 78}));
    EXPECT_TRUE(irregularMinutes(diveOf({{0, 5}, {inf, 6}})).empty());
    EXPECT_EQ(irregularMinutes(diveOf({{0, 5}, {6e6, 6}})).size(), 100000u);
    // Depths beyond any int, negative or not a number are clamped.
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, 1e300}, {60, 1e300}}))),
              (std::vector<int>{std::numeric_limits<int>::max()}));
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, -1e300}, {60, 1e300}, {120, -5}}))).back(),
              std::numeric_limits<int>::max());
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, -3}, {60, -0.2}}))), (std::vector<int>{0}));
    EXPECT_EQ(depths(irregularMinutes(diveOf({{0, nan}, {60, nan}}))), (std::vector<int>{0}));
}

LogDive at(long long startMinute, double seconds) {
    LogDive d;
    d.startMinute = startMinute;
    d.durationSeconds = seconds;
    return d;
}

// The minute the dive's block names for a switch is the first the minutes put on its gas.
TEST(Minutes, SwitchMinuteIsWhereTheGasChanges) {
    for (double at : {0.5, 59.0, 60.0, 60.5, 119.9, 120.0, 1510.0}) {
        LogDive d = diveOf({{0, 10}, {1800, 10}}, {{21, 0}, {50, 0}}, {{at, 1}});
        std::vector<DiveMinute> m = irregularMinutes(d);
        long long first = 1;
        while (first <= static_cast<long long>(m.size()) && m[first - 1].nitrogen != 50)
            first++;
        EXPECT_EQ(switchMinute(at), first) << at;
    }
    EXPECT_EQ(switchMinute(0), 1);
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
