// The one digit reader and the calendar.
#include "import/numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Numbers, DigitsStopAtTheirCountAndBound) {
    long long v;
    std::string text = "0123x";
    EXPECT_EQ(readDigits(text.data(), text.size(), 10, 1000, &v), 4u);
    EXPECT_EQ(v, 123);
    EXPECT_EQ(readDigits(text.data(), text.size(), 2, 1000, &v), 2u);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(readDigits(text.data(), text.size(), 10, 100, &v), 4u);  // 123 stops at 100
    EXPECT_EQ(v, 100);
    std::string huge(40, '9');
    EXPECT_EQ(readDigits(huge.data(), huge.size(), 99, 1000000000000LL, &v), 40u);
    EXPECT_EQ(v, 1000000000000LL);
    EXPECT_EQ(readDigits("x1", 2, 9, 10, &v), 0u);
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(allDigits("007"));
    EXPECT_FALSE(allDigits(""));
    EXPECT_FALSE(allDigits("20 "));
    EXPECT_EQ(roundHalfUp(12.5, 100), 13);
    EXPECT_EQ(roundHalfUp(12.49, 100), 12);
    EXPECT_EQ(roundHalfUp(-3, 100), 0);
    EXPECT_EQ(roundHalfUp(1e300, 100), 100);
}

TEST(Numbers, Calendar) {
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(daysFromCivil(2026, 3, 1) - daysFromCivil(2026, 2, 28), 1);
    EXPECT_EQ(daysFromCivil(2024, 3, 1) - daysFromCivil(2024, 2, 28), 2);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2026, 4), 30);
    EXPECT_EQ(daysInMonth(2026, 12), 31);
}

}  // namespace
