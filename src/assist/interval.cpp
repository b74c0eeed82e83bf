// Reading dates and times of day out of the export's fields.
#include "assist/interval.h"

#include <string>

#include "import/fields.h"
#include "import/logbook.h"
#include "import/numbers.h"

namespace {

// Reads 1 to `most` digits at `at`; -1 when there is none.
int number(const std::string& text, size_t* at, size_t most) {
    long long value;
    size_t digits = readDigits(text.data() + *at, text.size() - *at, most, 9999, &value);
    *at += digits;
    return digits > 0 ? static_cast<int>(value) : -1;
}

bool separator(const std::string& text, size_t* at, char c) {
    if (*at >= text.size() || text[*at] != c) return false;
    (*at)++;
    return true;
}

// D.M.YY or D.M.YYYY as days since 1970; -1 when it is no such date (none before 1970 is).
long long dateOf(const std::string& text) {
    size_t at = 0;
    int day = number(text, &at, 2);
    if (day < 1 || day > 31 || !separator(text, &at, '.')) return -1;
    int month = number(text, &at, 2);
    if (month < 1 || month > 12 || !separator(text, &at, '.')) return -1;
    size_t yearAt = at;
    int year = number(text, &at, 4);
    size_t digits = at - yearAt;
    if (year < 0 || at != text.size() || (digits != 2 && digits != 4)) return -1;
    if (digits == 2) year += year < 70 ? 2000 : 1900;
    // 31.4. or 29.2.2027 would count on into the next month: no such date.
    if (day > daysInMonth(year, month)) return -1;
    return daysFromCivil(year, month, day);
}

// H:MM as minutes of the day; -1 when it is no such time.
int timeOf(const std::string& text) {
    size_t at = 0;
    int hours = number(text, &at, 2);
    if (hours < 0 || hours > 23 || !separator(text, &at, ':')) return -1;
    size_t minutesAt = at;
    int minutes = number(text, &at, 2);
    if (minutes < 0 || minutes > 59 || at - minutesAt != 2 || at != text.size()) return -1;
    return hours * 60 + minutes;
}

}  // namespace

long long loggedInterval(const Logbook& lb, int d) {
    long long day = dateOf(fieldText(lb, d, kDateRow));
    long long nextDay = dateOf(fieldText(lb, d + 1, kDateRow));
    int down = timeOf(fieldText(lb, d, kDescentRow));
    int up = timeOf(fieldText(lb, d, kSurfacingRow));
    int nextDown = timeOf(fieldText(lb, d + 1, kDescentRow));
    if (day < 0 || nextDay < 0 || down < 0 || up < 0 || nextDown < 0) return -1;
    long long surfaced = day * 1440 + up + (up < down ? 1440 : 0);
    long long interval = nextDay * 1440 + nextDown - surfaced;
    return interval >= 0 ? interval : -1;
}
