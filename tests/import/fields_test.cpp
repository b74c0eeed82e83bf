// The field readers on the awkward fields an export can hold.
#include "import/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>

#include "import/logbook.h"
#include "support/samples.h"
#include "testutil.h"

namespace {

// A three-dive table whose row 5 is the row under test.
Logbook tableWithRow(const std::string& row) {
    return setTable({"a,b,c,d", "Nr,1,2,3", "x", "x", "x", row});
}

TEST(GetInt, ReadsEachDiveFromTheRightEnd) {
    Logbook lb = tableWithRow("Mix1,21,32,-");
    EXPECT_EQ(getInt(lb, 1, 5), 21);
    EXPECT_EQ(getInt(lb, 2, 5), 32);
    EXPECT_EQ(getInt(lb, 3, 5), -1);
    // A stray comma shifts the right-end rule by one dive.
    lb = tableWithRow("Mix1,21,32,-,");
    EXPECT_EQ(getInt(lb, 3, 5), 0);
    EXPECT_EQ(getInt(lb, 1, 5), 32);
    // Too few commas: the leading field is read, then nothing.
    lb = tableWithRow("Mix1,21");
    EXPECT_EQ(getInt(lb, 1, 5), 0);
    EXPECT_EQ(getInt(lb, 2, 5), 1);
    EXPECT_EQ(getInt(lb, 3, 5), 21);
}

TEST(GetInt, BlanksDashesAndOtherBytes) {
    const struct {
        const char* field;
        int value;
    } cases[] = {{"50%", 50}, {"1.5", 15}, {"--", -1}, {"", 0},    {"21 ", 20},
                 {"-5", -1},  {" 21", -1}, {"5-", 4},  {"007", 7}, {"1\r", 1}};
    for (const auto& c : cases) {
        Logbook lb = tableWithRow(std::string("n,1,2,") + c.field);
        EXPECT_EQ(getInt(lb, 3, 5), c.value) << "field '" << c.field << "'";
    }
}

TEST(GetInt, ClampsInsteadOfOverflowing) {
    Logbook lb = tableWithRow("n,1,2,2147483647");
    EXPECT_EQ(getInt(lb, 3, 5), INT_MAX);
    lb = tableWithRow("n,1,2,2147483648");
    EXPECT_EQ(getInt(lb, 3, 5), INT_MAX);
    lb = tableWithRow("n,1,2,99999999999999999999999999999999999999999999");
    EXPECT_EQ(getInt(lb, 3, 5), INT_MAX);
    // A dash still resets, and digits to its left still add at their own place.
    lb = tableWithRow("n,1,2,7-99");
    EXPECT_EQ(getInt(lb, 3, 5), 699);
    lb = tableWithRow("n,1,2,7-99999999999999999999");
    EXPECT_EQ(getInt(lb, 3, 5), INT_MAX);
}

TEST(GetDepth, RightmostDigitIsTenths) {
    const struct {
        const char* field;
        double depth;
    } cases[] = {{"10.5", 10.50001}, {"0.0", 0.00001}, {"12.3", 12.30001},
                 {"123", 12.30001},  {"12", 1.20001},  {"", 0.00001}};
    for (const auto& c : cases) {
        Logbook lb = tableWithRow(std::string("n,1,2,") + c.field);
        EXPECT_NEAR(getDepth(lb, 3, 5), c.depth, 1e-6) << "field '" << c.field << "'";
    }
}

TEST(GetDepth, HugeFieldsStayNumbers) {
    // The weight overflows long before the field ends; no NaN may come out of it.
    Logbook lb = tableWithRow("n,1,2,1" + std::string(60, '0'));
    EXPECT_FALSE(std::isnan(getDepth(lb, 3, 5)));
    lb = tableWithRow("n,1,2," + std::string(60, '9'));
    EXPECT_FALSE(std::isnan(getDepth(lb, 3, 5)));
}

TEST(GetMinutes, HoursAndMinutes) {
    const struct {
        const char* field;
        int minutes;
    } cases[] = {{"1:30", 90}, {"0:45", 45}, {"12:05", 725}, {"45", 45},
                 {"-", 0},     {"", 0},      {"2:00", 120},  {"1:2:3", 183}};
    for (const auto& c : cases) {
        Logbook lb = tableWithRow(std::string("n,1,2,") + c.field);
        EXPECT_EQ(getMinutes(lb, 3, 5), c.minutes) << "field '" << c.field << "'";
    }
    EXPECT_EQ(getMinutes(tableWithRow("n,1,2,99999999999:00"), 3, 5), INT_MAX);
}

TEST(CountSamples, CountsFieldsThatBeginWithADigit) {
    std::vector<std::string> rows(23, "n,a,b");
    rows.push_back("1,0.0,0.0");
    rows.push_back("2,3.1,");
    rows.push_back("3,5.4,2.0");
    rows.push_back("4,-,x");
    rows.push_back("5");
    Logbook lb = setTable(rows);
    EXPECT_EQ(countSamples(lb, 1), 3);
    EXPECT_EQ(countSamples(lb, 2), 2);
}

TEST(CountSamples, FieldBeyondTheRowEnd) {
    // The second dive's comma is the row's last byte: there is no field to look at.
    std::vector<std::string> rows(23, "n,a,b");
    rows.push_back(std::string(117, 'x') + ",");
    Logbook lb = setTable(rows);
    lb.rows[23][kRowSize - 2] = ',';
    lb.rows[23][kRowSize - 1] = ',';
    EXPECT_EQ(countSamples(lb, 2), 0);
}

// Rows that put commas, zeros and field ends at every place within the 120 bytes, so that the
// word-at-a-time walks meet each alignment. Deterministic: the engine's raw output only.
std::vector<Row> awkwardRows(int count) {
    const char bytes[] = ",,,,,0123456789.-: x\r";
    std::mt19937 engine(6);
    std::vector<Row> rows;
    for (int n = 0; n < count; n++) {
        Row row{};
        int length = static_cast<int>(engine() % kRowSize);
        for (int i = 0; i < length; i++)
            row[i] = bytes[engine() % (sizeof bytes - 1)];
        if (engine() % 8 == 0) row[engine() % kRowSize] = 0;    // a zero inside the text
        if (engine() % 8 == 0) row[engine() % kRowSize] = ',';  // a comma after the text
        rows.push_back(row);
    }
    return rows;
}

// Dive fields by the right-end rule, byte by byte: with the counter at k, a comma lowers it,
// and the bytes seen while it is 0 are the field. Commas are left out; no reader looks at them.
std::string rightFieldByRule(const Row& row, int k) {
    std::string field;
    int counter = k;
    for (int i = kRowSize - 1; i >= 0; i--) {
        if (row[i] == ',') counter--;
        if (counter == 0 && row[i] != ',') field.insert(field.begin(), row[i]);
    }
    return field;
}

TEST(RightEndReaders, FindTheSameFieldAsTheRuleOnAwkwardRows) {
    std::vector<Row> rows = awkwardRows(1500);
    for (int dives = 1; dives <= 12; dives += 5) {
        for (const Row& row : rows) {
            // Row 0 is the row under test; row 1 holds its field alone, as the last dive's.
            Logbook lb;
            lb.rows.assign(2, Row{});
            lb.rows[0] = row;
            lb.dives = dives;
            for (int d = 1; d <= dives; d++) {
                std::string alone = std::string(dives, ',') + rightFieldByRule(row, dives - d);
                if (alone.size() > static_cast<size_t>(kRowSize)) continue;
                lb.rows[1] = Row{};
                std::copy(alone.begin(), alone.end(), lb.rows[1].begin());
                std::string shown(row.data(), kRowSize);
                EXPECT_EQ(getInt(lb, d, 0), getInt(lb, dives, 1))
                    << "dive " << d << " of '" << shown << "'";
                EXPECT_EQ(getDepth(lb, d, 0), getDepth(lb, dives, 1))
                    << "dive " << d << " of '" << shown << "'";
                EXPECT_EQ(getMinutes(lb, d, 0), getMinutes(lb, dives, 1))
                    << "dive " << d << " of '" << shown << "'";
            }
        }
    }
}

TEST(CountAllSamples, AgreesWithCountSamplesOnAwkwardRows) {
    std::vector<std::string> rows(23, "n,a,b,c,d");
    for (const char* text : {"1,0.0,0.0,1.1,2.2", "2,3.1,", "3,5.4,2.0", "4,-,x,,7", "5", "",
                             ",,,,", ",1,2,3,4,5,6", "7,,,,9", "8, 1,2 ,-3,4", "12,a1,1a"}) {
        rows.push_back(text);
    }
    Logbook lb = setTable(rows);
    // A field that is the row's last byte, and a digit behind a zero byte.
    Row& edge = lb.rows.emplace_back();
    std::fill(edge.begin(), edge.end(), 'x');
    edge[kRowSize - 2] = ',';
    edge[kRowSize - 1] = '5';
    Row& zero = lb.rows.emplace_back();
    std::copy_n("9,1\0,2,3", 8, zero.begin());
    std::vector<Row> random = awkwardRows(300);
    lb.rows.insert(lb.rows.end(), random.begin(), random.end());

    std::vector<int> counts(lb.dives);
    countAllSamples(lb, counts.data());
    for (int d = 1; d <= lb.dives; d++)
        EXPECT_EQ(counts[d - 1], countSamples(lb, d)) << "dive " << d;
    lb.rows.resize(23 + 3);  // the first three sample rows alone, counted by hand
    countAllSamples(lb, counts.data());
    EXPECT_EQ(counts, (std::vector<int>{3, 2, 1, 1}));
}

}  // namespace
