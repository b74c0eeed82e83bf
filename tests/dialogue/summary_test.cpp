// Printing fields from the left, and what is printed for fields that are not there.
#include "dialogue/summary.h"

#include <gtest/gtest.h>

#include "testutil.h"

namespace {

std::string field(const Logbook& lb, int r, int d) {
    testing::internal::CaptureStdout();
    printField(lb, d, r);
    return testing::internal::GetCapturedStdout();
}

TEST(PrintField, FieldsAsTheyStand) {
    Logbook lb =
        setTable({"Computer,A B,C\r", "Nr,1,2", "Datum,01.05.2006,02.05.2006", "Mix1,21,32,-,"});
    EXPECT_EQ(field(lb, 2, 2), "02.05.2006");
    EXPECT_EQ(field(lb, 0, 1), "A B");
    EXPECT_EQ(field(lb, 0, 2), "C\r");  // a CR that reached the row is printed too
    EXPECT_EQ(field(lb, 3, 1), "21");   // left rule, whatever the stray comma does elsewhere
    EXPECT_EQ(field(lb, 3, 3), "-");
}

TEST(PrintField, MissingFieldsAndRows) {
    Logbook lb = setTable({"Computer,A,B", "Nr,1,2", "Datum,01.05.2006"});
    EXPECT_EQ(field(lb, 2, 2), "\nERROR: Tauchgang nicht gefunden\n");
    EXPECT_EQ(field(lb, 3, 1), "\nERROR: zeile>=zeilen\n\nERROR: Tauchgang nicht gefunden\n");
}

}  // namespace
