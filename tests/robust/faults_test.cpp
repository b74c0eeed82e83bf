// Fault injection: each file operation of a whole run fails in turn, alone and together with
// every later one. The run must say so, end with the right code, keep an earlier profile byte
// for byte and leave neither a partial nor a temporary file behind.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "support/runflow.h"
#include "test_seams.h"
#include "testutil.h"

namespace {

std::vector<TextOp> seen;  // the operations of the current run, in order
size_t failAt = 0;         // 1-based; 0 lets everything pass
bool failLater = false;    // every operation after failAt fails too

bool countAndFail(TextOp op, size_t) {
    seen.push_back(op);
    return failAt > 0 && (seen.size() == failAt || (failLater && seen.size() > failAt));
}

// Fails only the n-th operation of one kind.
TextOp onlyKind;
size_t onlyAt = 0;
size_t ofKind = 0;
bool failNthOfKind(TextOp op, size_t) {
    return op == onlyKind && ++ofKind == onlyAt;
}

void failOnly(TextOp kind, size_t n) {
    onlyKind = kind;
    onlyAt = n;
    ofKind = 0;
    textSetFaultHook(failNthOfKind);
}

// Written by hand; any bytes do, as long as a replaced file would show.
const char kEarlier[] = "Depth\tt.delta\tt.total\tN2%\tHe%\r\n0\t1\t1\t79\t0\r\n# END OF PROFILE #";
// Dive 1: keep the interval; dive 2: switch at 12:30, new interval; then overwrite, then Enter.
const char kInput[] = "logbuch\ny\n17:40\nn\n1:75\ny\n\n";

const char kSaved[] = "Datei logbuch.vdp wurde gespeichert";
const char kLoaded[] = "\nDatei logbuch.csv wurde geladen\n";
const char kNamePrompt[] = "Bitte den Dateinamen ohne Erweiterung .csv angeben: ";

struct Outcome {
    std::string out;
    int code;
    bool written;  // the new profile is in place; otherwise the earlier state is
};

// What a failing operation means depends on whose it is, which the order tells.
// Only the export is ever opened for reading: the profile's existence is looked up, not opened.
enum Role { kExportOpen, kExportRead, kExportClose, kCreate, kWriting };

std::vector<Role> rolesOf(const std::vector<TextOp>& ops) {
    std::vector<Role> roles;
    for (TextOp op : ops) {
        switch (op) {
            case kOpOpen:
                roles.push_back(kExportOpen);
                break;
            case kOpRead:
            case kOpRewind:
                roles.push_back(kExportRead);
                break;
            case kOpCloseIn:
                roles.push_back(kExportClose);
                break;
            case kOpCreate:
                roles.push_back(kCreate);
                break;
            default:
                roles.push_back(kWriting);
                break;
        }
    }
    return roles;
}

void replaceOnce(std::string* s, const std::string& from, const std::string& to) {
    size_t at = s->find(from);
    ASSERT_NE(at, std::string::npos) << from;
    s->replace(at, from.size(), to);
}

Outcome expected(Role role, bool later, const std::string& clean) {
    const std::string openFailed = "\nFehler beim Oeffnen der Datei logbuch.vdp\n";
    std::string out = clean;
    std::string head = clean.substr(0, clean.find(kNamePrompt) + strlen(kNamePrompt));
    switch (role) {
        case kExportOpen:
            return {head + "\nFehler beim Oeffnen der Datei logbuch.csv\n", -1, 0};
        case kExportRead:
            return {head + "\nFehler beim Lesen der Datei logbuch.csv\n", -1, 0};
        case kExportClose:
            // Loading counts all the same; with every later operation failing, so does the
            // profile's creation.
            replaceOnce(&out, kLoaded,
                        std::string(kLoaded) + "Datei logbuch.csv konnte nicht geschlossen werden");
            break;
        case kCreate:
            later = true;
            break;
        case kWriting:
            replaceOnce(&out, kSaved,
                        "\nERROR: Datei logbuch.vdp konnte nicht geschrieben werden\n");
            return {out, -1, false};
    }
    if (!later) return {out, 0, true};
    replaceOnce(&out, kSaved, openFailed);
    return {out, -1, false};
}

class FileFaults : public ::testing::Test {
   protected:
    void SetUp() override {
        exportData = readFile(CSV2VDP_SOURCE_DIR "/examples/logbuch.csv");
        ASSERT_FALSE(exportData.empty());
    }
    void TearDown() override { textSetFaultHook(nullptr); }

    // One run in a directory of its own; checks the files it leaves and returns the outcome.
    Outcome run(bool withEarlier, size_t n, bool later, const std::string& profile) {
        ScratchDir dir;
        writeFile("logbuch.csv", exportData);
        if (withEarlier) writeFile("logbuch.vdp", kEarlier);
        seen.clear();
        failAt = n;
        failLater = later;
        textSetFaultHook(countAndFail);
        Outcome got;
        got.code = runFlow(kInput, &got.out);
        textSetFaultHook(nullptr);
        std::string left = readFile("logbuch.vdp");
        got.written = left == profile;
        if (!got.written) {
            EXPECT_EQ(left, withEarlier ? kEarlier : "") << "a partial profile was left";
        }
        std::vector<std::string> files = {"logbuch.csv"};
        if (withEarlier || got.written) files.push_back("logbuch.vdp");
        EXPECT_EQ(listDir(), files) << "a temporary file was left";
        EXPECT_EQ(readFile("logbuch.csv"), exportData);
        return got;
    }

    void everyOperationFails(bool withEarlier) {
        // A clean run gives the operations and everything the failing runs are measured by.
        std::string clean;
        std::string profile;
        {
            ScratchDir dir;
            writeFile("logbuch.csv", exportData);
            if (withEarlier) writeFile("logbuch.vdp", kEarlier);
            seen.clear();
            failAt = 0;
            textSetFaultHook(countAndFail);
            ASSERT_EQ(runFlow(kInput, &clean), 0);
            textSetFaultHook(nullptr);
            profile = readFile("logbuch.vdp");
        }
        ASSERT_NE(clean.find(kSaved), std::string::npos);
        std::vector<Role> roles = rolesOf(seen);
        ASSERT_GT(roles.size(), 10u);

        for (bool later : {false, true}) {
            size_t n = 1;
            for (;; n++) {
                SCOPED_TRACE(::testing::Message() << "operation " << n << (later ? " on" : ""));
                Outcome got = run(withEarlier, n, later, profile);
                if (seen.size() < n) {
                    // Nothing failed: the run must be the clean one.
                    EXPECT_EQ(got.code, 0);
                    EXPECT_EQ(got.out, clean);
                    EXPECT_TRUE(got.written);
                    break;
                }
                Outcome want = expected(roles[n - 1], later, clean);
                EXPECT_EQ(got.code, want.code);
                EXPECT_EQ(got.out, want.out);
                EXPECT_EQ(got.written, want.written);
            }
            EXPECT_EQ(n, roles.size() + 1);
        }
    }

    std::string exportData;
};

TEST_F(FileFaults, EveryOperationOverAnEarlierProfile) {
    everyOperationFails(true);
}

TEST_F(FileFaults, EveryOperationWithoutAnEarlierProfile) {
    everyOperationFails(false);
}

// The export changes between the two passes over it: cut short, emptied, or one digit changed.
// Its rows would no longer fit together, so it counts as unreadable and nothing is written. The
// same bytes written again are no change.
std::string changedTo;
bool changeAtRewind(TextOp op, size_t) {
    if (op == kOpRewind) writeFile("logbuch.csv", changedTo);
    return false;
}

TEST_F(FileFaults, ExportChangingBetweenThePasses) {
    std::string other = exportData;
    other.replace(other.find("14.6"), 4, "44.6");  // one sample of the first dive
    for (const std::string& changed :
         {std::string(), exportData.substr(0, 500), other, exportData}) {
        ScratchDir dir;
        writeFile("logbuch.csv", exportData);
        changedTo = changed;
        textSetFaultHook(changeAtRewind);
        std::string out;
        int code = runFlow(kInput, &out);
        textSetFaultHook(nullptr);
        if (changed == exportData) {
            EXPECT_EQ(code, 0);
            EXPECT_TRUE(fileExists("logbuch.vdp"));
            continue;
        }
        EXPECT_EQ(code, -1);
        EXPECT_NE(out.find("\nFehler beim Lesen der Datei logbuch.csv\n"), std::string::npos);
        EXPECT_EQ(listDir(), std::vector<std::string>{"logbuch.csv"});
    }
}

// After a failed write an interval of billions of minutes is counted, not walked line by line,
// and the length warning still comes.
TEST_F(FileFaults, FailedWriteSkipsAHugeInterval) {
    std::string rows;
    const char* fields[] = {"C,a,b",
                            "Nr,1,2",
                            "D,x,y",
                            "B,0,0",
                            "4,,",
                            "5,,",
                            "T,9.0,9.0",
                            "A,1,1",
                            "W,1,1",
                            "Z,1,1",
                            "Ab,,",
                            "Au,,",
                            "O,16666:00,0:00",  // 999,960 minutes: just below what is refused
                            "S,0,0",
                            "R,30,30",
                            "M1,21,21",
                            "M2,-,-"};
    for (const char* f : fields)
        rows += std::string(f) + "\n";
    for (int r = 17; r < 23; r++)
        rows += "x,,\n";
    rows += "1,1.0,1.0\n2,5.0,5.0\n3,9.0,9.0\n";
    ScratchDir dir;
    writeFile("big.csv", rows);
    // The header and its line end, then the first few kilobytes of lines, well inside the
    // surface interval.
    failOnly(kOpWrite, 3);
    std::string out;
    auto start = std::chrono::steady_clock::now();
    int code = runFlow("big\ny\ny\n\n", &out);  // the interval, then the planner's limit
    auto took = std::chrono::steady_clock::now() - start;
    textSetFaultHook(nullptr);
    EXPECT_EQ(ofKind, 3u);  // nothing was tried after the failure
    EXPECT_EQ(code, -1);
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_NE(out.find("\nERROR: Profil zu lang VD uenterstuetzt maximal 6000 Minuten\n"
                       "\nERROR: Profil zu lang VD uenterstuetzt maximal 6000 Minuten\n"
                       "\nERROR: Datei big.vdp konnte nicht geschrieben werden\n"),
              std::string::npos);
    EXPECT_EQ(listDir(), std::vector<std::string>{"big.csv"});
}

}  // namespace
