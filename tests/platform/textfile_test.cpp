// Reading rows the way Windows text mode does, and replacing files only when all went well.
#include "platform/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testutil.h"

namespace {

std::vector<std::string> readRows(const std::string& name) {
    std::vector<std::string> rows;
    TextIn* in = textOpenRead(name.c_str());
    if (!in) return rows;
    char row[120];
    int n;
    while ((n = textReadRow(in, row)) > 0)
        rows.emplace_back(row, n);
    textClose(in);
    return rows;
}

TEST(TextReadRow, CrLfSplitAcrossTheReadBuffer) {
    ScratchDir dir;
    // Put a CR LF pair exactly across the 64 KiB boundary of the read buffer.
    std::string line(99, 'a');
    std::string bytes;
    while (bytes.size() + line.size() + 2 < 65536)
        bytes += line + "\r\n";
    bytes += std::string(65536 - bytes.size() - 1, 'b') + "\r\nc\r\r\n";
    writeFile("f.csv", bytes);
    std::vector<std::string> rows = readRows("f.csv");
    ASSERT_GE(rows.size(), 3u);
    std::string joined;
    for (const auto& r : rows)
        joined += r;
    std::string expected;
    for (size_t i = 0; i < bytes.size(); i++) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            expected += bytes[i];
    }
    EXPECT_TRUE(joined == expected);
    EXPECT_EQ(rows.back(), "c\r\n");
}

TEST(TextReadRow, LongLinesComeInPiecesOf119) {
    ScratchDir dir;
    writeFile("f.csv", std::string(130, 'x') + "\n");
    std::vector<std::string> rows = readRows("f.csv");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], std::string(119, 'x'));
    EXPECT_EQ(rows[1], std::string(11, 'x') + "\n");
}

// Lines at and around the row limit, with each line end, as whole lines in the read buffer.
TEST(TextReadRow, WholeLinesAtTheRowLimit) {
    ScratchDir dir;
    std::string x118(118, 'x');
    std::string x119(119, 'x');
    writeFile("f.csv", x118 + "\r\n" + x118 + "\n" + x119 + "\r\n" + x119 + "\n" +
                           "a\rb\r\r\n\r\n\n" + x118 + "\r\r\n");
    std::vector<std::string> expected = {x118 + "\n", x118 + "\n", x119, "\n",        x119, "\n",
                                         "a\rb\r\n",  "\n",        "\n", x118 + "\r", "\n"};
    EXPECT_EQ(readRows("f.csv"), expected);
}

TEST(TextReadRow, EndMarkInsideALineEndsTheInput) {
    ScratchDir dir;
    writeFile("f.csv", std::string("ab\x1A") + "cd\r\nef\n");
    EXPECT_EQ(readRows("f.csv"), std::vector<std::string>{"ab"});
}

TEST(TextReadRow, RewindReadsAgainAfterTheEndMark) {
    ScratchDir dir;
    writeFile("f.csv",
              "a\r\nb\x1A"
              "c\n");
    TextIn* in = textOpenRead("f.csv");
    ASSERT_NE(in, nullptr);
    char row[120];
    EXPECT_EQ(textReadRow(in, row), 2);
    EXPECT_EQ(textReadRow(in, row), 1);
    EXPECT_EQ(textReadRow(in, row), 0);
    EXPECT_EQ(textReadRow(in, row), 0);
    ASSERT_TRUE(textRewind(in));
    EXPECT_EQ(textReadRow(in, row), 2);
    EXPECT_TRUE(textClose(in));
}

TEST(TextOut, ReplacesOnlyOnSuccess) {
    ScratchDir dir;
    writeFile("p.vdp", "old");
    TextOut* out = textCreate("p.vdp");
    ASSERT_NE(out, nullptr);
    textWriteLine(out, "a\tb", 3);
    textWrite(out, "#", 1);
    EXPECT_EQ(readFile("p.vdp"), "old");  // nothing visible before the commit
    ASSERT_TRUE(textCommit(out));
    EXPECT_EQ(readFile("p.vdp"), "a\tb\r\n#");
    EXPECT_EQ(listDir(), std::vector<std::string>{"p.vdp"});
}

TEST(TextOut, FailedReplaceLeavesNothingBehind) {
    ScratchDir dir;
    // A non-empty directory cannot be replaced by a file.
    std::filesystem::create_directories("p.vdp/inside");
    TextOut* out = textCreate("p.vdp");
    ASSERT_NE(out, nullptr);
    textWriteLine(out, "x", 1);
    EXPECT_FALSE(textCommit(out));
    EXPECT_EQ(listDir(), std::vector<std::string>{"p.vdp"});
    EXPECT_TRUE(std::filesystem::is_directory("p.vdp/inside"));
}

TEST(TextOut, UncreatableTemporary) {
    ScratchDir dir;
    EXPECT_EQ(textCreate("missing/p.vdp"), nullptr);
}

// Whatever the user keeps under the names a temporary file might once have had stays.
TEST(TextOut, OldTemporaryNamesAreLeftAlone) {
    ScratchDir dir;
    writeFile("p.vdp.tmp", "mine");
    std::filesystem::create_directory("p.vdp.XXXXXX");
    TextOut* out = textCreate("p.vdp");
    ASSERT_NE(out, nullptr);
    textWrite(out, "new", 3);
    ASSERT_TRUE(textCommit(out));
    EXPECT_EQ(readFile("p.vdp.tmp"), "mine");
    EXPECT_EQ(listDir(), (std::vector<std::string>{"p.vdp", "p.vdp.XXXXXX", "p.vdp.tmp"}));
}

}  // namespace

#ifndef _WIN32
// A profile name of 255 bytes is allowed; its temporary name must still fit the file system.
TEST(TextOut, NameAtTheLimitStillGetsATemporaryFile) {
    ScratchDir dir;
    std::string name = std::string(251, 'a') + ".vdp";
    TextOut* out = textCreate(name.c_str());
    ASSERT_NE(out, nullptr);
    textWriteLine(out, "x", 1);
    EXPECT_TRUE(textCommit(out));
    EXPECT_EQ(readFile(name), "x\r\n");
    EXPECT_EQ(listDir(), std::vector<std::string>{name});
}
#endif
