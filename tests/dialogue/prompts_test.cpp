// The choice and the gas-switch entry: what they accept, refuse and print.
#include "dialogue/prompts.h"

#include <gtest/gtest.h>

#include <climits>

#include "import/divetable.h"
#include "testutil.h"

namespace {

struct Asked {
    int result;
    std::string out;
};

Asked choice(const std::string& typed) {
    setConsoleInput(typed);
    testing::internal::CaptureStdout();
    int result = askChoice('y', 'n');
    return {result, testing::internal::GetCapturedStdout()};
}

// A dive of 100 samples at 20 s: at most 2000 seconds.
Asked gasSwitch(const std::string& typed, int rate = 20, int count = 100) {
    tgListe.assign(1, DiveRecord{21, 50, -1, 0, rate, count});
    setConsoleInput(typed);
    testing::internal::CaptureStdout();
    int result = askGasSwitch(0);
    return {result, testing::internal::GetCapturedStdout()};
}

const std::string kAsk = " y oder n ?: ";

TEST(AskChoice, OnlyTheFirstCharacterOfALineCounts) {
    Asked a = choice("x\nyes\n");
    EXPECT_EQ(a.result, 0);
    EXPECT_EQ(a.out, kAsk + kAsk);
    EXPECT_EQ(choice("no\n").result, 1);
    Asked refused = choice("xy\nY\n\n n\nn\n");  // 'xy', 'Y', a blank line, ' n'
    EXPECT_EQ(refused.result, 1);
    EXPECT_EQ(refused.out, kAsk + kAsk + kAsk + kAsk + kAsk);
}

TEST(AskChoice, EndOfInput) {
    Asked a = choice("x\n");
    EXPECT_EQ(a.result, kNoAnswer);
    EXPECT_TRUE(promptInputEnded());
}

TEST(AskGasSwitch, TimeBecomesSampleNumber) {
    Asked a = gasSwitch("12:30\n");
    EXPECT_EQ(a.result, 38);
    EXPECT_EQ(a.out, " Gaswechsel bei 12:20 Minuten (ab Sample 38) vermerkt.\n");
    EXPECT_EQ(gasSwitch("33:20\n").result, 101);  // exactly the longest time
    EXPECT_EQ(gasSwitch("0:00\n").result, 1);
    EXPECT_EQ(gasSwitch("abc\n").result, 1);  // nothing scanned: 0:00
}

TEST(AskGasSwitch, RefusesTooLongAndKeepsUnfilledValues) {
    Asked a = gasSwitch("40:00\n40:30\n12\n");
    EXPECT_EQ(a.result, 38);  // '12' keeps the 30 seconds of the refused entry
    EXPECT_EQ(a.out,
              "Ungueltige Eingabe. Bitte erneut versuchen: Ungueltige Eingabe. Bitte erneut "
              "versuchen:  Gaswechsel bei 12:20 Minuten (ab Sample 38) vermerkt.\n");
}

TEST(AskGasSwitch, NegativeTimes) {
    Asked a = gasSwitch("-1:00\n");
    EXPECT_EQ(a.result, -2);
    EXPECT_EQ(a.out, " Gaswechsel bei -1:00 Minuten (ab Sample -2) vermerkt.\n");
    EXPECT_EQ(gasSwitch("-1:20\n").result, -1);
    EXPECT_EQ(gasSwitch("-0:30\n").result, 2);  // the sign belongs to the minutes
    // The lowest time there is still gives a defined sample number.
    EXPECT_EQ(gasSwitch("-2147483648:-2147483648\n", 1).result, INT_MIN);
}

TEST(AskGasSwitch, EndOfInputAfterARefusedTime) {
    Asked a = gasSwitch("99:00\n\n");
    EXPECT_TRUE(promptInputEnded());
    EXPECT_EQ(a.out, "Ungueltige Eingabe. Bitte erneut versuchen: ");
}

}  // namespace
