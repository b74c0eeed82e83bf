// Rounding, digits and the calendar, each in one place.
#include "import/numbers.h"

bool allDigits(const std::string& text) {
    long long ignored;
    return !text.empty() &&
           readDigits(text.data(), text.size(), text.size(), 0, &ignored) == text.size();
}

bool decimalText(const std::string& text) {
    size_t point = text.find('.');
    if (point == std::string::npos) return allDigits(text);
    std::string digits = text.substr(0, point) + text.substr(point + 1);
    return allDigits(digits);
}

size_t readDigits(const char* s, size_t n, size_t most, long long bound, long long* value) {
    size_t i = 0;
    *value = 0;
    for (; i < n && i < most && s[i] >= '0' && s[i] <= '9'; i++) {
        long long next = *value * 10 + (s[i] - '0');
        *value = *value > bound / 10 || next > bound ? bound : next;
    }
    return i;
}

long long daysFromCivil(long year, long month, long day) {
    year -= month <= 2;
    long era = (year >= 0 ? year : year - 399) / 400;
    long yoe = year - era * 400;
    long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<long long>(era) * 146097 + doe - 719468;
}

int daysInMonth(long year, long month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}
