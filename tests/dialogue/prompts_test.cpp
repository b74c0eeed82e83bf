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
    bool ended = false;  // the input ended before an answer
};

Asked choice(const std::string& typed) {
    setConsoleInput(typed);
    testing::internal::CaptureStdout();
    int result = askChoice('y', 'n');
    return {result, testing::internal::GetCapturedStdout()};
}

// A dive of 100 samples at 20 s: at most 2000 seconds.
Asked gasSwitch(const std::string& typed, int rate = 20, int count = 100) {
    setConsoleInput(typed);
    testing::internal::CaptureStdout();
    int sample;
    Logbook lb;  // no depth is read: the confirmation needs the dive's times and gases only
    bool answered = askGasSwitch(lb, DiveRecord{21, 50, -1, 0, rate, count}, &sample);
    return {sample, testing::internal::GetCapturedStdout(), !answered};
}

const std::string kAsk = " y oder n ?: ";

TEST(AskChoice, OnlyTheFirstCharacterOfALineCounts) {
    Asked a = choice("x\nyes\n");
    EXPECT_EQ(a.result, 0);
    EXPECT_EQ(a.out, kAsk + kAsk);
    EXPECT_EQ(choice("no\n").result, 1);
    Asked refused = choice("xy\nx\n\n n\nn\n");  // 'xy', 'x', a blank line, ' n'
    EXPECT_EQ(refused.result, 1);
    EXPECT_EQ(refused.out, kAsk + kAsk + kAsk + kAsk + kAsk);
    // German and shifted keys count too.
    for (const char* yes : {"j\n", "J\n", "Y\n"})
        EXPECT_EQ(choice(yes).result, 0) << yes;
    EXPECT_EQ(choice("N\n").result, 1);
}

TEST(AskChoice, EndOfInput) {
    Asked a = choice("x\n");
    EXPECT_EQ(a.result, kNoAnswer);
}

const std::string kRefused = "Ungueltige Eingabe. Bitte erneut versuchen: ";
const std::string kNoSwitch = " Kein Gaswechsel: Mix1 fuer den ganzen Tauchgang.\n";

TEST(AskGasSwitch, TimeBecomesSampleNumber) {
    Asked a = gasSwitch("12:30\n");
    EXPECT_EQ(a.result, 38);
    // The sample's own time, and the first minute that starts after it.
    EXPECT_EQ(a.out,
              " Gaswechsel bei 12:40 Minuten (ab Sample 38, im Profil ab Minute 14) vermerkt.\n");
    // Past the dive's last minute (33) no minute is on Mix2.
    EXPECT_EQ(gasSwitch("32:00\n").out,
              " Gaswechsel bei 32:20 Minuten (ab Sample 97, im Profil keine Minute mit Mix2) "
              "vermerkt.\n");
    EXPECT_EQ(gasSwitch("33:20\n").result, 101);  // exactly the longest time
    EXPECT_EQ(gasSwitch("0:00\n").result, 1);
    EXPECT_EQ(gasSwitch(" \t12:30 \r\n").result, 38);  // blanks at either end dropped
    EXPECT_EQ(gasSwitch("\n  \n0:75\n").result, 4);    // empty lines are no answer; 75 s carry
}

TEST(AskGasSwitch, RefusesWhatIsNoTimeAndCarriesNothingOver) {
    for (const char* typed : {"neinn", "3:20abc", "3.20", "abc", "y", "12 :30", "1:", ":30"}) {
        Asked a = gasSwitch(std::string(typed) + "\n3:20\n");
        EXPECT_EQ(a.result, 11) << typed;
        EXPECT_EQ(
            a.out,
            kRefused +
                " Gaswechsel bei 3:40 Minuten (ab Sample 11, im Profil ab Minute 5) vermerkt.\n")
            << typed;
    }
    // '12' alone is 12:00, whatever seconds a refused entry held.
    Asked a = gasSwitch("40:00\n40:30\n12\n");
    EXPECT_EQ(a.result, 37);
    EXPECT_EQ(
        a.out,
        kRefused + kRefused +
            " Gaswechsel bei 12:20 Minuten (ab Sample 37, im Profil ab Minute 14) vermerkt.\n");
}

TEST(AskGasSwitch, ADashMeansNoSwitch) {
    for (const char* typed : {"-", "-1:00", "-1:20", "-0:30", " - ", "-abc", "nein", "KEIN", "Keiner",
                              "keinen"}) {
        Asked a = gasSwitch(std::string(typed) + "\n");
        EXPECT_EQ(a.result, -1) << typed;
        EXPECT_EQ(a.out, kNoSwitch) << typed;
        EXPECT_FALSE(a.ended);
    }
    // Huge numbers clamp and are refused as too long, never wrap to a switch at the start.
    EXPECT_EQ(gasSwitch("99999999999999999999:99\n1:00\n", 1, INT_MAX).result, 61);
}

TEST(AskGasSwitch, EndOfInputAfterARefusedTime) {
    Asked a = gasSwitch("99:00\n\n");
    EXPECT_TRUE(a.ended);
    EXPECT_EQ(a.out, "Ungueltige Eingabe. Bitte erneut versuchen: ");
}

TEST(AskBaseName, BlankLinesAreNoAnswerAndLongNamesAreRefused) {
    const std::string prompt = "Bitte den Dateinamen ohne Erweiterung .csv angeben: ";
    std::string base;
    setConsoleInput("\n  \n logbuch extra\n");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(askBaseName(&base));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), prompt);
    EXPECT_EQ(base, "logbuch");  // a name ends at the first blank

    setConsoleInput(std::string(31, 'n') + " rest\n" + std::string(30, 'n') + "\n");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(askBaseName(&base));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              prompt + "\nERROR: Der Dateiname darf hoechstens 30 Zeichen lang sein.\n" + prompt);
    EXPECT_EQ(base, std::string(30, 'n'));

    setConsoleInput(" \n\n");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(askBaseName(&base));
    testing::internal::GetCapturedStdout();
}

Asked interval(const std::string& typed) {
    DiveRecord r{21, -1, -1, 90, 20, 100};
    setConsoleInput(typed);
    testing::internal::CaptureStdout();
    bool read = readInterval(r);
    std::string out = testing::internal::GetCapturedStdout();
    return {read ? r.surfaceInterval : -99, out};
}

TEST(ReadInterval, HoursAndMinutesOnly) {
    const std::string ask = " Oberflaechenpause in Stunden:Minuten eingeben: ";
    EXPECT_EQ(interval("1:75\n").result, 135);
    EXPECT_EQ(interval("\n 2 \n").result, 120);  // hours alone, after an empty line
    Asked a = interval("abc\n1h45\n-1:30\n0:45\n");
    EXPECT_EQ(a.result, 45);
    EXPECT_EQ(a.out, ask + kRefused + kRefused + kRefused);
    EXPECT_EQ(interval("abc\n").result, -99);  // the input ended
}

}  // namespace
