// Files by typed name: replacing an existing file in one step, and on Windows the conversion of
// typed bytes to the wide names the file functions take.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// Each test works in a fresh current directory, since typed names are relative to it.
struct Scratch {
    fs::path previous;
    fs::path dir;
};

Scratch enterScratch(const char* test) {
    Scratch s{fs::current_path(), fs::temp_directory_path() / "csv2vdp_files_test" / test};
    fs::remove_all(s.dir);
    fs::create_directories(s.dir);
    fs::current_path(s.dir);
    return s;
}

void leaveScratch(const Scratch& s) {
    fs::current_path(s.previous);
    fs::remove_all(s.dir);
}

void writeFile(const char* name, const std::string& text) {
    FILE* f = fileOpen(name, "wb");
    ASSERT_NE(f, nullptr) << name;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

// The whole file, or "<missing>" when it cannot be opened.
std::string readFile(const char* name) {
    FILE* f = fileOpen(name, "rb");
    if (!f) return "<missing>";
    std::string text;
    int c;
    while ((c = getc(f)) != EOF)
        text.push_back(static_cast<char>(c));
    fclose(f);
    return text;
}

TEST(Files, TemporaryFilesAreNewAndUnique) {
    Scratch s = enterScratch("temp");
    writeFile("logbuch.vdp", "old profile");
    FileTemp* first;
    FileTemp* second;
    FILE* a = fileTempCreate("logbuch.vdp", &first);
    FILE* b = fileTempCreate("logbuch.vdp", &second);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 3);
    fputs("first", a);
    fputs("second", b);
    fclose(a);
    fclose(b);
    EXPECT_EQ(readFile("logbuch.vdp"), "old profile");
    EXPECT_TRUE(fileTempReplace(second));
    fileTempDone(second, false);
    fileTempDone(first, true);
    EXPECT_EQ(readFile("logbuch.vdp"), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    leaveScratch(s);
}

TEST(Files, KindsOfNames) {
    Scratch s = enterScratch("kinds");
    writeFile("file.vdp", "x");
    fs::create_directory("dir.vdp");
    EXPECT_EQ(fileKind("file.vdp"), kFileRegular);
    EXPECT_EQ(fileKind("dir.vdp"), kFileOther);
    EXPECT_EQ(fileKind("none.vdp"), kFileMissing);
    EXPECT_EQ(fileOpenRegular("dir.vdp"), nullptr);
    leaveScratch(s);
}

TEST(Files, OpenAndRemoveReportFailure) {
    Scratch s = enterScratch("remove");
    EXPECT_EQ(fileOpen("fehlt.csv", "rb"), nullptr);
    EXPECT_FALSE(fileRemove("fehlt.csv"));
    writeFile("weg.tmp", "x");
    EXPECT_TRUE(fileRemove("weg.tmp"));
    EXPECT_EQ(readFile("weg.tmp"), "<missing>");
    leaveScratch(s);
}

// Writes `text` through a temporary file and puts it in place of `name`.
bool replaceVia(const char* name, const std::string& text) {
    FileTemp* temp;
    FILE* f = fileTempCreate(name, &temp);
    if (!f) return false;
    fwrite(text.data(), 1, text.size(), f);
    bool ok = fclose(f) == 0 && fileTempReplace(temp);
    fileTempDone(temp, !ok);
    return ok;
}

#ifndef _WIN32

// A link's relative target counts from the link's own folder; the link stays a link.
TEST(Files, RelativeLinkInAFolderReplacesItsTarget) {
    Scratch s = enterScratch("relative");
    fs::create_directory("sub");
    writeFile("sub/ziel.vdp", "alt");
    writeFile("ziel.vdp", "nicht dieses");
    fs::create_symlink("ziel.vdp", "sub/p.vdp");
    EXPECT_TRUE(replaceVia("sub/p.vdp", "neu"));
    EXPECT_TRUE(fs::is_symlink("sub/p.vdp"));
    EXPECT_EQ(readFile("sub/ziel.vdp"), "neu");
    EXPECT_EQ(readFile("ziel.vdp"), "nicht dieses");
    EXPECT_TRUE(fileSame("sub/p.vdp", "sub/ziel.vdp"));
    EXPECT_FALSE(fileSame("sub/p.vdp", "ziel.vdp"));
    EXPECT_FALSE(fileSame("fehlt.vdp", "ziel.vdp"));
    leaveScratch(s);
}

// A path longer than any the system takes gets no temporary file. Of two temporary files the
// newer one is guarded: finishing the older leaves its guard alone.
TEST(Files, OverlongPathsAndTwoTemporaryFiles) {
    Scratch s = enterScratch("overlong");
    std::string deep = std::string(250, 'd');
    std::string name;
    for (int i = 0; i < 20; i++)
        name += deep + "/";
    EXPECT_FALSE(replaceVia((name + "p.vdp").c_str(), "neu"));
    FileTemp* older;
    FileTemp* newer;
    FILE* a = fileTempCreate("p.vdp", &older);
    FILE* b = fileTempCreate("p.vdp", &newer);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    fclose(a);
    fileTempDone(older, true);
    fclose(b);
    EXPECT_TRUE(fileTempReplace(newer));
    fileTempDone(newer, false);
    EXPECT_EQ(readFile("p.vdp"), "");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    leaveScratch(s);
}

// Links in a circle lead nowhere a write could reach: no temporary file, nothing made.
TEST(Files, LinksInACircleAreRefused) {
    Scratch s = enterScratch("circle");
    fs::create_symlink("b.vdp", "a.vdp");
    fs::create_symlink("a.vdp", "b.vdp");
    EXPECT_FALSE(replaceVia("a.vdp", "neu"));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);
    leaveScratch(s);
}

#endif

#ifdef _WIN32

std::wstring toWide(const char* bytes, unsigned codePage) {
    std::wstring wide;
    EXPECT_TRUE(fileNameToWide(bytes, codePage, &wide)) << bytes;
    return wide;
}

// The same umlauts arrive as different bytes from a console in code page 850 and from
// redirected input in the ANSI code page 1252; both must name the same file.
TEST(FileNames, ConsoleCodePagesGiveTheSameName) {
    EXPECT_EQ(toWide("M\x81ller \x84\x94\x8e\x99\x9a\xe1", 850),
              L"M\u00fcller \u00e4\u00f6\u00c4\u00d6\u00dc\u00df");
    EXPECT_EQ(toWide("M\xfcller \xe4\xf6\xc4\xd6\xdc\xdf", 1252),
              L"M\u00fcller \u00e4\u00f6\u00c4\u00d6\u00dc\u00df");
    // Read in the wrong code page the bytes give another name: the page matters.
    EXPECT_EQ(toWide("\x84", 1252), L"\u201e");
    EXPECT_EQ(toWide("logbuch", 850), L"logbuch");
    EXPECT_EQ(toWide("", 850), L"");
    EXPECT_EQ(toWide("Tauchg\xc3\xa4nge", CP_UTF8), L"Tauchg\u00e4nge");
}

TEST(FileNames, BytesWithoutMeaningAreRefused) {
    std::wstring wide = L"stale";
    EXPECT_FALSE(fileNameToWide("Tauchg\xe4nge", CP_UTF8, &wide));
    EXPECT_EQ(wide, L"");
}

// Typed bytes in the current input code page reach the file with the wide name, for reading,
// writing and replacing alike.
TEST(FileNames, TypedNamesOpenWideNamedFiles) {
    Scratch s = enterScratch("umlauts");
    const wchar_t* wide = L"Tauchg\u00e4nge S\u00fcdsee.csv";
    FILE* f = _wfopen(wide, L"wb");
    ASSERT_NE(f, nullptr);
    fputs("Tauchcomputer,Seehund\n", f);
    fclose(f);

    char typed[64];
    BOOL lossy = FALSE;
    int n =
        WideCharToMultiByte(fileNameCodePage(), 0, wide, -1, typed, sizeof typed, nullptr, &lossy);
    ASSERT_GT(n, 0);
    ASSERT_FALSE(lossy) << "code page " << fileNameCodePage() << " has no umlauts";
    EXPECT_EQ(readFile(typed), "Tauchcomputer,Seehund\n");

    EXPECT_TRUE(replaceVia(typed, "neu"));
    EXPECT_EQ(readFile(typed), "neu");
    EXPECT_TRUE(fs::exists(fs::path(wide)));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    leaveScratch(s);
}

// Writing in place would be refused; so is replacing.
TEST(FileNames, ReadOnlyFileIsNotReplaced) {
    Scratch s = enterScratch("readonly");
    writeFile("p.vdp", "alt");
    ASSERT_TRUE(SetFileAttributesW(L"p.vdp", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(replaceVia("p.vdp", "neu"));
    SetFileAttributesW(L"p.vdp", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile("p.vdp"), "alt");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    leaveScratch(s);
}

#endif

}  // namespace
