// The interval between two dives of a log: from the file, from the dates, the shorter one.
#include "assist/logintervals.h"

#include <gtest/gtest.h>

#include "assist/series.h"

namespace {

// A dive that starts at `startMinute` and lasts `seconds`, with the file's interval before it.
LogDive dive(long long startMinute, double seconds, double intervalBefore = -1) {
    LogDive d;
    d.startMinute = startMinute;
    d.durationSeconds = seconds;
    d.intervalBeforeSeconds = intervalBefore;
    return d;
}

TEST(LogIntervals, TheShorterWhereFileAndDatesDisagree) {
    // 9:00 for 28 minutes, the next at 12:00: 152 minutes by the dates.
    LogDive first = dive(540, 28 * 60);
    LogInterval i = intervalBetween(first, dive(720, 60, 162 * 60), true);
    EXPECT_EQ(i.fromFile, 162);
    EXPECT_EQ(i.fromTimes, 152);
    EXPECT_EQ(i.chosen, 152);
    EXPECT_EQ(intervalBetween(first, dive(720, 60, 142 * 60), true).chosen, 142);
    // Within a minute they agree, and the file's stands.
    EXPECT_EQ(intervalBetween(first, dive(720, 60, 153 * 60), true).chosen, 153);
    // Parts of a minute are cut: a shorter pause is the safe side.
    EXPECT_EQ(intervalBetween(first, dive(720, 60, 9000 + 59.9), true).fromFile, 150);
    EXPECT_EQ(intervalBetween(dive(540, 28 * 60 + 30), dive(720, 60), true).fromTimes, 151);
}

TEST(LogIntervals, OnlyWhatIsKnown) {
    LogDive first = dive(540, 28 * 60);
    // The file names the pause before its dive: it counts only after the dive right before.
    LogInterval apart = intervalBetween(first, dive(720, 60, 100 * 60), false);
    EXPECT_EQ(apart.fromFile, -1);
    EXPECT_EQ(apart.chosen, 152);
    // No dates: the file's alone; neither: none.
    EXPECT_EQ(intervalBetween(dive(-1, 60), dive(-1, 60, 3600), true).chosen, 60);
    EXPECT_EQ(intervalBetween(dive(-1, 60), dive(-1, 60), true).chosen, -1);
    // The next dive begins before this one ended, or no duration: no interval from the dates.
    EXPECT_EQ(intervalBetween(dive(540, 3 * 3600), dive(600, 60), true).fromTimes, -1);
    EXPECT_EQ(intervalBetween(dive(540, -1), dive(600, 60), true).fromTimes, -1);
    EXPECT_TRUE(intervalsDisagree(10, 12));
    EXPECT_FALSE(intervalsDisagree(10, 11));
    EXPECT_FALSE(intervalsDisagree(11, 10));
}

LogDive zoned(long long startMinute, double seconds, int offset) {
    LogDive d = dive(startMinute, seconds);
    d.utcOffset = offset;
    return d;
}

TEST(LogIntervals, OffsetsAppliedWhenBothNameOne) {
    // 08:00 UTC for 35 minutes, then 12:00 at +02:00, which is 10:00 UTC: 1:25 h, not 3:25 h.
    LogInterval i = intervalBetween(zoned(480, 35 * 60, 0), zoned(720, 60, 120), true);
    EXPECT_EQ(i.fromTimes, 85);
    EXPECT_EQ(i.reading, kOffsetsApplied);
    // 08:00 at -01:00 is 09:00 UTC.
    EXPECT_EQ(intervalBetween(zoned(480, 35 * 60, -60), zoned(720, 60, 120), true).fromTimes, 25);
    EXPECT_EQ(intervalBetween(dive(480, 35 * 60), dive(720, 60), true).reading, kWallClock);
}

TEST(LogIntervals, OnlyOneOffsetTakesTheShorterReading) {
    // The later dive names +02:00: read as UTC the first one began at 10:00 local, 1:25 h.
    LogInterval i = intervalBetween(dive(480, 35 * 60), zoned(720, 60, 120), true);
    EXPECT_EQ(i.fromTimes, 85);
    EXPECT_EQ(i.reading, kOneAsUtc);
    // West of UTC that reading is the longer one: both as written.
    i = intervalBetween(dive(480, 35 * 60), zoned(720, 60, -300), true);
    EXPECT_EQ(i.fromTimes, 205);
    EXPECT_EQ(i.reading, kBothLocal);
    // The earlier dive names it: its start in UTC moves the other way.
    i = intervalBetween(zoned(480, 35 * 60, -120), dive(720, 60), true);
    EXPECT_EQ(i.fromTimes, 85);
    EXPECT_EQ(i.reading, kOneAsUtc);
    i = intervalBetween(zoned(480, 35 * 60, 0), dive(720, 60), true);
    EXPECT_EQ(i.fromTimes, 205);
    EXPECT_EQ(i.reading, kBothLocal);
    long long gap = 0;
    TimeReading reading;
    EXPECT_FALSE(startGap(dive(-1, 60), zoned(720, 60, 0), &gap, &reading));
}

TEST(LogClashes, OverlapAndSameMinuteNamedBoth) {
    std::vector<LogDive> d = {dive(540, 40 * 60), dive(560, 30 * 60), dive(700, 600),
                              dive(700, 600),     dive(-1, 60),       dive(800, 60)};
    std::vector<DiveClash> c = findClashes(d, {0, 1, 2, 3, 4, 5});
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].earlier, 0);
    EXPECT_EQ(c[0].later, 1);
    EXPECT_FALSE(c[0].sameStart);
    EXPECT_EQ(c[1].earlier, 2);
    EXPECT_EQ(c[1].later, 3);
    EXPECT_TRUE(c[1].sameStart);
    // Without durations only the same minute tells the same dive twice.
    std::vector<DiveClash> twice =
        findClashes({dive(700, -1), dive(700, -1), dive(701, -1)}, {0, 1, 2});
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_TRUE(twice[0].sameStart);
    // Leaving one out clears it; a dive right at the end of the one before is no overlap.
    EXPECT_TRUE(findClashes(d, {0, 2, 5}).empty());
    EXPECT_TRUE(findClashes({dive(540, 60 * 20), dive(560, 60)}, {0, 1}).empty());
    // A long dive against one two dives later: the dive that ends last is the one compared.
    std::vector<DiveClash> far =
        findClashes({dive(0, 300 * 60), dive(60, 600), dive(200, 60)}, {0, 1, 2});
    ASSERT_EQ(far.size(), 2u);
    EXPECT_EQ(far[1].earlier, 0);
    EXPECT_EQ(far[1].later, 2);
    // Offsets count: 09:00 at +02:00 and 07:30 UTC overlap when the first lasts 40 minutes.
    EXPECT_EQ(findClashes({zoned(540, 40 * 60, 120), zoned(450, 60, 0)}, {0, 1}).size(), 1u);
}

TEST(LogSeries, GapsReadWithOffsets) {
    // 47 hours apart by the wall clock, 49 in UTC: the series ends there.
    std::vector<LogDive> d = {zoned(0, 0, 120), zoned(47 * 60, 60, 0)};
    EXPECT_EQ(defaultSeries(d), std::vector<int>{1});
    d[0].utcOffset = kNoOffset;
    d[1].utcOffset = kNoOffset;
    EXPECT_EQ(defaultSeries(d), (std::vector<int>{0, 1}));
}

}  // namespace
