// Loading exports into the line table: line ends, long lines, the name prompt.
#include "import/logbook.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testutil.h"

namespace {

struct Loaded {
    int result;
    std::string out;
};

Loaded load(const std::string& typed) {
    setConsoleInput(typed);
    testing::internal::CaptureStdout();
    int result = loadLogbook();
    return {result, testing::internal::GetCapturedStdout()};
}

std::string rowText(int r) {
    return std::string(tabelle[r].data(), kRowSize);
}

std::string padded(const std::string& text) {
    std::string row(kRowSize, '\0');
    memcpy(&row[0], text.data(), text.size());
    return row;
}

const char* const kPrompt = "Bitte den Dateinamen ohne Erweiterung .csv angeben: ";

TEST(LoadLogbook, CrLfAndLfGiveTheSameRows) {
    ScratchDir dir;
    writeFile("lf.csv", "Computer,A,B\nNr,1,2\n1,0.0,3.5\n");
    writeFile("crlf.csv", "Computer,A,B\r\nNr,1,2\r\n1,0.0,3.5\r\n");
    Loaded lf = load("lf\n");
    ASSERT_EQ(lf.result, 0);
    std::vector<Row> first = tabelle;
    Loaded crlf = load("crlf\n");
    ASSERT_EQ(crlf.result, 0);
    EXPECT_EQ(zeilen, 3);
    EXPECT_TRUE(first == tabelle);
    EXPECT_EQ(rowText(1), padded("Nr,1,2\n"));
    EXPECT_EQ(crlf.out, std::string(kPrompt) + "\nDatei crlf.csv wurde geladen\n");
}

TEST(LoadLogbook, TextModeBytes) {
    ScratchDir dir;
    // A lone CR stays, a zero byte is kept in its row, 0x1A ends the file.
    writeFile("t.csv", std::string("a\rb\nx\0y\nlast\x1Ahidden\n", 21));
    ASSERT_EQ(load("t\n").result, 0);
    ASSERT_EQ(zeilen, 3);
    EXPECT_EQ(rowText(0), padded("a\rb\n"));
    EXPECT_EQ(rowText(1), padded(std::string("x\0y\n", 4)));
    EXPECT_EQ(rowText(2), padded("last"));
}

TEST(LoadLogbook, LastLineWithoutLineEnd) {
    ScratchDir dir;
    writeFile("t.csv", "a,b\nNr,1");
    ASSERT_EQ(load("t\n").result, 0);
    ASSERT_EQ(zeilen, 2);
    EXPECT_EQ(rowText(1), padded("Nr,1"));
    writeFile("empty.csv", "");
    ASSERT_EQ(load("empty\n").result, 0);
    EXPECT_EQ(zeilen, 0);
}

TEST(LoadLogbook, LinesAtTheRowLimit) {
    ScratchDir dir;
    std::string longest(118, 'x');
    writeFile("ok.csv", "a\n" + longest + "\n" + longest + "y");  // 119 bytes, no line end
    Loaded ok = load("ok\n");
    ASSERT_EQ(ok.result, 0);
    EXPECT_EQ(zeilen, 3);
    EXPECT_EQ(rowText(2), padded(longest + "y"));

    writeFile("long.csv", "a\r\nb\r\n" + longest + "y\r\nc\r\n");
    Loaded refused = load("long\n");
    EXPECT_EQ(refused.result, kLoadFailed);
    EXPECT_EQ(refused.out,
              std::string(kPrompt) +
                  "\nERROR: Zeile 3 der Datei long.csv ist laenger als 118 Zeichen.\n");

    writeFile("tail.csv", "a\n" + longest + "yz");  // a last line of 120 bytes
    EXPECT_EQ(load("tail\n").result, kLoadFailed);
}

TEST(LoadLogbook, MissingFile) {
    ScratchDir dir;
    writeFile("logbuch.csv", "a\nb,1\n");
    Loaded missing = load("logbuch.csv\n");
    EXPECT_EQ(missing.result, kLoadFailed);
    EXPECT_EQ(missing.out,
              std::string(kPrompt) + "\nFehler beim Oeffnen der Datei logbuch.csv.csv\n");
}

TEST(LoadLogbook, NamePrompt) {
    ScratchDir dir;
    writeFile("logbuch.csv", "a\nb,1\n");
    // Blank lines are no answer; a name ends at the first blank.
    Loaded cut = load("\n  \n logbuch extra\n");
    EXPECT_EQ(cut.result, 0);
    EXPECT_STREQ(basisname, "logbuch");
    EXPECT_EQ(cut.out, std::string(kPrompt) + "\nDatei logbuch.csv wurde geladen\n");

    std::string name31(31, 'n');
    Loaded again = load(name31 + " rest\nlogbuch\n");
    EXPECT_EQ(again.result, 0);
    EXPECT_EQ(again.out, std::string(kPrompt) +
                             "\nERROR: Der Dateiname darf hoechstens 30 Zeichen lang sein.\n" +
                             kPrompt + "\nDatei logbuch.csv wurde geladen\n");

    std::string name30(30, 'n');
    writeFile(name30 + ".csv", "a\nb\n");
    EXPECT_EQ(load(name30 + "\n").result, 0);

    EXPECT_EQ(load(" \n\n").result, kLoadInputEnded);
}

TEST(CountDives, CommasAnywhereInRowOne) {
    setTable({"a", "Tauchgangsnummer,12,13,14"});
    EXPECT_EQ(countDives(), 3);
    setTable({"a", "Nr,1\",\"2"});
    EXPECT_EQ(countDives(), 2);
    setTable({"a", "Nr"});
    EXPECT_EQ(countDives(), 0);
}

}  // namespace
