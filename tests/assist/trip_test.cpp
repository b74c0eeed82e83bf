// Joining several logs into one list in time order, and which file interval still belongs.
#include "assist/trip.h"

#include <gtest/gtest.h>

namespace {

LogDive at(long long startMinute, int offset = kNoOffset) {
    LogDive d;
    d.startMinute = startMinute;
    d.utcOffset = offset;
    d.durationSeconds = 600;
    return d;
}

LogFile log(std::vector<LogDive> dives) {
    LogFile f;
    f.ok = true;
    f.dives = std::move(dives);
    return f;
}

// "file:place" of each joined dive, to compare at a glance.
std::string order(const JoinedDives& j) {
    std::string text;
    for (size_t k = 0; k < j.dives.size(); k++)
        text += (k ? " " : "") + std::to_string(j.file[k]) + ":" + std::to_string(j.place[k]);
    return text;
}

TEST(Trip, DivesOfTwoFilesInterleaveByStartAndEqualStartsKeepTheFileOrder) {
    JoinedDives j =
        joinLogs({log({at(100), at(300), at(500)}), log({at(200), at(300)})}, {"a.uddf", "b.ssrf"});
    EXPECT_EQ(order(j), "0:0 1:0 0:1 1:1 0:2");
    EXPECT_EQ(j.files, (std::vector<std::string>{"a.uddf", "b.ssrf"}));
    EXPECT_EQ(j.dives[1].startMinute, 200);
}

TEST(Trip, AnUnknownStartStaysBehindTheDiveBeforeIt) {
    JoinedDives j = joinLogs({log({at(100), at(-1)}), log({at(50), at(150)})}, {"a", "b"});
    EXPECT_EQ(order(j), "1:0 0:0 0:1 1:1");
}

TEST(Trip, OffsetsCountOnlyWhenEveryStartNamesOne) {
    // 10:00 at +02:00 is 08:00 UTC, before 09:00 UTC.
    JoinedDives utc = joinLogs({log({at(600, 120)}), log({at(540, 0)})}, {"a", "b"});
    EXPECT_EQ(order(utc), "0:0 1:0");
    // One start without an offset: all read as written.
    JoinedDives local = joinLogs({log({at(600, 120)}), log({at(540)})}, {"a", "b"});
    EXPECT_EQ(order(local), "1:0 0:0");
}

TEST(Trip, TheFilesOwnIntervalBelongsOnlyToItsNextDive) {
    JoinedDives j = joinLogs({log({at(100), at(300)}), log({at(200)})}, {"a", "b"});
    // a:0, b:0, a:1 - the dive of b lies between the two of a.
    EXPECT_FALSE(followsInFile(j, 0, 1));
    EXPECT_FALSE(followsInFile(j, 1, 2));
    EXPECT_FALSE(followsInFile(j, 0, 2));
    JoinedDives one = joinLogs({log({at(100), at(300), at(400)})}, {"a"});
    EXPECT_TRUE(followsInFile(one, 0, 1));
    EXPECT_FALSE(followsInFile(one, 0, 2));
    EXPECT_FALSE(followsInFile(one, 2, 3));
    // Next to each other in the list, but with a dive of the file left between them.
    one.place[1] = 2;
    EXPECT_FALSE(followsInFile(one, 0, 1));
}

}  // namespace
