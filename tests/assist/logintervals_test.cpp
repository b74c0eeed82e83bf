// The interval between two dives of a log: from the file, from the dates, the shorter one.
#include "assist/logintervals.h"

#include <gtest/gtest.h>

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

}  // namespace
