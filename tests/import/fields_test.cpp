// The field readers on the awkward fields an export can hold.
#include "import/fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "import/logbook.h"
#include "testutil.h"

namespace {

// A three-dive table whose row 5 is the row under test.
void tableWithRow(const std::string& row) {
    setTable({"a,b,c,d", "Nr,1,2,3", "x", "x", "x", row});
}

TEST(GetInt, ReadsEachDiveFromTheRightEnd) {
    tableWithRow("Mix1,21,32,-");
    EXPECT_EQ(getInt(1, 5), 21);
    EXPECT_EQ(getInt(2, 5), 32);
    EXPECT_EQ(getInt(3, 5), -1);
    // A stray comma shifts the right-end rule by one dive.
    tableWithRow("Mix1,21,32,-,");
    EXPECT_EQ(getInt(3, 5), 0);
    EXPECT_EQ(getInt(1, 5), 32);
    // Too few commas: the leading field is read, then nothing.
    tableWithRow("Mix1,21");
    EXPECT_EQ(getInt(1, 5), 0);
    EXPECT_EQ(getInt(2, 5), 1);
    EXPECT_EQ(getInt(3, 5), 21);
}

TEST(GetInt, BlanksDashesAndOtherBytes) {
    const struct {
        const char* field;
        int value;
    } cases[] = {{"50%", 50}, {"1.5", 15}, {"--", -1}, {"", 0},    {"21 ", 20},
                 {"-5", -1},  {" 21", -1}, {"5-", 4},  {"007", 7}, {"1\r", 1}};
    for (const auto& c : cases) {
        tableWithRow(std::string("n,1,2,") + c.field);
        EXPECT_EQ(getInt(3, 5), c.value) << "field '" << c.field << "'";
    }
}

TEST(GetInt, ClampsInsteadOfOverflowing) {
    tableWithRow("n,1,2,2147483647");
    EXPECT_EQ(getInt(3, 5), INT_MAX);
    tableWithRow("n,1,2,2147483648");
    EXPECT_EQ(getInt(3, 5), INT_MAX);
    tableWithRow("n,1,2,99999999999999999999999999999999999999999999");
    EXPECT_EQ(getInt(3, 5), INT_MAX);
    // A dash still resets, and digits to its left still add at their own place.
    tableWithRow("n,1,2,7-99");
    EXPECT_EQ(getInt(3, 5), 699);
    tableWithRow("n,1,2,7-99999999999999999999");
    EXPECT_EQ(getInt(3, 5), INT_MAX);
}

TEST(GetDepth, RightmostDigitIsTenths) {
    const struct {
        const char* field;
        double depth;
    } cases[] = {{"10.5", 10.50001}, {"0.0", 0.00001}, {"12.3", 12.30001},
                 {"123", 12.30001},  {"12", 1.20001},  {"", 0.00001}};
    for (const auto& c : cases) {
        tableWithRow(std::string("n,1,2,") + c.field);
        EXPECT_NEAR(getDepth(3, 5), c.depth, 1e-6) << "field '" << c.field << "'";
    }
}

TEST(GetDepth, HugeFieldsStayNumbers) {
    // The weight overflows long before the field ends; no NaN may come out of it.
    tableWithRow("n,1,2,1" + std::string(60, '0'));
    EXPECT_FALSE(std::isnan(getDepth(3, 5)));
    tableWithRow("n,1,2," + std::string(60, '9'));
    EXPECT_FALSE(std::isnan(getDepth(3, 5)));
}

TEST(GetMinutes, HoursAndMinutes) {
    const struct {
        const char* field;
        int minutes;
    } cases[] = {{"1:30", 90}, {"0:45", 45}, {"12:05", 725}, {"45", 45},
                 {"-", 0},     {"", 0},      {"2:00", 120},  {"1:2:3", 183}};
    for (const auto& c : cases) {
        tableWithRow(std::string("n,1,2,") + c.field);
        EXPECT_EQ(getMinutes(3, 5), c.minutes) << "field '" << c.field << "'";
    }
    tableWithRow("n,1,2,99999999999:00");
    EXPECT_EQ(getMinutes(3, 5), INT_MAX);
}

TEST(CountSamples, CountsFieldsThatBeginWithADigit) {
    std::vector<std::string> rows(23, "n,a,b");
    rows.push_back("1,0.0,0.0");
    rows.push_back("2,3.1,");
    rows.push_back("3,5.4,2.0");
    rows.push_back("4,-,x");
    rows.push_back("5");
    setTable(rows);
    EXPECT_EQ(countSamples(1), 3);
    EXPECT_EQ(countSamples(2), 2);
}

TEST(CountSamples, FieldBeyondTheRowEnd) {
    // The second dive's comma is the row's last byte: there is no field to look at.
    std::vector<std::string> rows(23, "n,a,b");
    rows.push_back(std::string(117, 'x') + ",");
    setTable(rows);
    tabelle[23][kRowSize - 2] = ',';
    tabelle[23][kRowSize - 1] = ',';
    EXPECT_EQ(countSamples(2), 0);
}

}  // namespace
