// The console reader: scanf-like reads over a line-buffered input.
#include "platform/console.h"

#include <gtest/gtest.h>

#include <climits>

#include "testutil.h"

namespace {

TEST(ConsoleScanTime, FillsFromTheLeftAndKeepsTheRest) {
    int a = 7, b = 8;
    setConsoleInput("12:30\n12\nabc\n-0:30\n+3: 4\n");
    EXPECT_EQ(consoleScanTime(&a, &b), 2);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 30);
    consoleDiscard();
    a = b = 9;
    EXPECT_EQ(consoleScanTime(&a, &b), 1);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 9);
    consoleDiscard();
    EXPECT_EQ(consoleScanTime(&a, &b), 0);
    EXPECT_EQ(a, 12);
    consoleDiscard();
    EXPECT_EQ(consoleScanTime(&a, &b), 2);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 30);
    consoleDiscard();
    EXPECT_EQ(consoleScanTime(&a, &b), 2);  // blanks may precede the second number
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
}

TEST(ConsoleScanTime, SkipsBlankLinesAndClamps) {
    int a = 0, b = 0;
    setConsoleInput("\n   \n\t5:7\n99999999999:-99999999999\n");
    EXPECT_EQ(consoleScanTime(&a, &b), 2);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 7);
    consoleDiscard();
    EXPECT_EQ(consoleScanTime(&a, &b), 2);
    EXPECT_EQ(a, INT_MAX);
    EXPECT_EQ(b, INT_MIN);
}

TEST(ConsoleScanTime, EndOfInput) {
    int a = 1, b = 2;
    setConsoleInput(" \n \n");
    EXPECT_EQ(consoleScanTime(&a, &b), EOF);
    setConsoleInput("4:");
    EXPECT_EQ(consoleScanTime(&a, &b), 1);  // something was typed: not the end of input
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 2);
}

TEST(ConsoleRead, WordsCharactersAndDiscarding) {
    std::string word;
    setConsoleInput("  name rest\r\ny\n\nxy\nlast");
    ASSERT_TRUE(consoleReadWord(&word));
    EXPECT_EQ(word, "name");
    consoleDiscard();
    EXPECT_EQ(consoleReadChar(), 'y');
    EXPECT_EQ(consoleReadChar(), '\n');  // a CR before the LF is dropped
    consoleDiscard();                    // nothing left of that line: drops nothing
    EXPECT_EQ(consoleReadChar(), '\n');
    EXPECT_EQ(consoleReadChar(), 'x');
    consoleDiscard();
    ASSERT_TRUE(consoleReadWord(&word));
    EXPECT_EQ(word, "last");
    EXPECT_EQ(consoleReadChar(), EOF);
    EXPECT_FALSE(consoleReadWord(&word));
}

}  // namespace
