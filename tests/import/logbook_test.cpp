// Loading exports into rows: line ends, long lines, missing files.
#include "import/logbook.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testutil.h"

namespace {

struct Loaded {
    int result;
    std::string out;
    Logbook lb;
};

// Loads "<base>.csv" as the classic start names it.
Loaded load(const std::string& base) {
    Loaded loaded;
    testing::internal::CaptureStdout();
    loaded.result = loadLogbook(namesFromBase(base), &loaded.lb);
    loaded.out = testing::internal::GetCapturedStdout();
    return loaded;
}

std::string rowText(const Loaded& loaded, int r) {
    return std::string(loaded.lb.rows[r].data(), kRowSize);
}

std::string padded(const std::string& text) {
    std::string row(kRowSize, '\0');
    memcpy(&row[0], text.data(), text.size());
    return row;
}

TEST(LoadLogbook, CrLfAndLfGiveTheSameRows) {
    ScratchDir dir;
    writeFile("lf.csv", "Computer,A,B\nNr,1,2\n1,0.0,3.5\n");
    writeFile("crlf.csv", "Computer,A,B\r\nNr,1,2\r\n1,0.0,3.5\r\n");
    Loaded lf = load("lf");
    ASSERT_EQ(lf.result, 0);
    Loaded crlf = load("crlf");
    ASSERT_EQ(crlf.result, 0);
    EXPECT_EQ(rowCount(crlf.lb), 3);
    EXPECT_TRUE(lf.lb.rows == crlf.lb.rows);
    EXPECT_EQ(rowText(crlf, 1), padded("Nr,1,2\n"));
    EXPECT_EQ(crlf.out, "\nDatei crlf.csv wurde geladen\n");
    EXPECT_EQ(crlf.lb.names.profilePath, "crlf.vdp");
}

TEST(LoadLogbook, TextModeBytes) {
    ScratchDir dir;
    // A lone CR stays, a zero byte is kept in its row, 0x1A ends the file.
    writeFile("t.csv", std::string("a\rb\nx\0y\nlast\x1Ahidden\n", 21));
    Loaded t = load("t");
    ASSERT_EQ(t.result, 0);
    ASSERT_EQ(rowCount(t.lb), 3);
    EXPECT_EQ(rowText(t, 0), padded("a\rb\n"));
    EXPECT_EQ(rowText(t, 1), padded(std::string("x\0y\n", 4)));
    EXPECT_EQ(rowText(t, 2), padded("last"));
}

TEST(LoadLogbook, LastLineWithoutLineEnd) {
    ScratchDir dir;
    writeFile("t.csv", "a,b\nNr,1");
    Loaded t = load("t");
    ASSERT_EQ(t.result, 0);
    ASSERT_EQ(rowCount(t.lb), 2);
    EXPECT_EQ(rowText(t, 1), padded("Nr,1"));
    writeFile("empty.csv", "");
    Loaded empty = load("empty");
    ASSERT_EQ(empty.result, 0);
    EXPECT_EQ(rowCount(empty.lb), 0);
}

TEST(LoadLogbook, LinesAtTheRowLimit) {
    ScratchDir dir;
    std::string longest(118, 'x');
    writeFile("ok.csv", "a\n" + longest + "\n" + longest + "y");  // 119 bytes, no line end
    Loaded ok = load("ok");
    ASSERT_EQ(ok.result, 0);
    EXPECT_EQ(rowCount(ok.lb), 3);
    EXPECT_EQ(rowText(ok, 2), padded(longest + "y"));

    writeFile("long.csv", "a\r\nb\r\n" + longest + "y\r\nc\r\n");
    Loaded refused = load("long");
    EXPECT_EQ(refused.result, kLoadFailed);
    EXPECT_EQ(refused.out, "\nERROR: Zeile 3 der Datei long.csv ist laenger als 118 Zeichen.\n");

    writeFile("tail.csv", "a\n" + longest + "yz");  // a last line of 120 bytes
    EXPECT_EQ(load("tail").result, kLoadFailed);
}

TEST(LoadLogbook, MissingFile) {
    ScratchDir dir;
    writeFile("logbuch.csv", "a\nb,1\n");
    Loaded missing = load("logbuch.csv");
    EXPECT_EQ(missing.result, kLoadFailed);
    EXPECT_EQ(missing.out, "\nFehler beim Oeffnen der Datei logbuch.csv.csv\n");
}

TEST(CountDives, CommasAnywhereInRowOne) {
    EXPECT_EQ(countDives(setTable({"a", "Tauchgangsnummer,12,13,14"})), 3);
    EXPECT_EQ(countDives(setTable({"a", "Nr,1\",\"2"})), 2);
    EXPECT_EQ(countDives(setTable({"a", "Nr"})), 0);
}

}  // namespace
