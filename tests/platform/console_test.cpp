// The console reader: scanf-like reads over a line-buffered input.
#include "platform/console.h"

#include <gtest/gtest.h>

#include <climits>

#include "testutil.h"

namespace {

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

// Every blank a typed answer may start with is skipped; a run of input without any line end
// ends the input for good, however much follows.
TEST(ConsoleRead, BlanksAndEndlessRuns) {
    std::string word;
    setConsoleInput("\t\v\f\r name\n" + std::string((1 << 20) + 1, 'a') + "\nnoch\n");
    ASSERT_TRUE(consoleReadWord(&word));
    EXPECT_EQ(word, "name");
    EXPECT_FALSE(consoleReadWord(&word));
    EXPECT_FALSE(consoleReadWord(&word));
    EXPECT_EQ(consoleReadChar(), EOF);
}

}  // namespace
