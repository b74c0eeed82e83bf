// The field readers. getInt, getDepth and getMinutes find the field from the row's right end
// and read it right to left; the sample count and the summary find it from the left.
#include "import/fields.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "import/logbook.h"
#include "import/numbers.h"

namespace {

struct Field {
    int begin;  // first byte
    int end;    // one past the last byte
};

// The right-end walk looks at a row eight bytes at a time where it can: most of a row is the
// zeros after the text, and most of the rest lies in dives to the right of the one wanted.
constexpr int kWord = 8;
static_assert(kRowSize % kWord == 0, "rows are walked in whole words");

uint64_t loadWord(const char* bytes) {
    uint64_t word;
    memcpy(&word, bytes, kWord);
    return word;
}

// The same eight bytes with the first as the lowest, so that where a bit stands tells the byte on
// any machine.
uint64_t littleWord(const char* bytes) {
    uint64_t word = loadWord(bytes);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

// The commas in a word: the exact zero-byte test applied to word XOR ",,,,,,,,", leaving the
// high bit of each comma byte; the multiply adds those bits up in the top byte.
int commasIn(uint64_t word) {
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    uint64_t x = word ^ 0x2C2C2C2C2C2C2C2Cull;
    uint64_t highBits = ~(((x & low7) + low7) | x | low7);
    return static_cast<int>(((highBits >> 7) * 0x0101010101010101ull) >> 56);
}

// Dive d's field is everything between the (k+1)-th and the k-th comma from the right end,
// k being the number of dives after d. With fewer than k commas the field is empty. The last
// dive's field may stop short of byte 119, but only zeros, which every reader ignores, lie
// between.
Field rightField(const Logbook& lb, int d, int r) {
    const char* row = lb.rows[r].data();
    int k = lb.dives - d;
    if (k < 0) return {0, 0};
    int i = kRowSize;
    while (i > 0 && loadWord(row + i - kWord) == 0)
        i -= kWord;
    int commas = 0;
    while (i > 0) {
        int inWord = commasIn(loadWord(row + i - kWord));
        if (commas + inWord >= k) break;
        commas += inWord;
        i -= kWord;
    }
    // The k-th comma, if there is one, lies in the eight bytes below i.
    int end = i;
    for (i--; commas < k; i--) {
        if (i < 0) return {0, 0};
        if (row[i] == ',') commas++;
        end = i;
    }
    int begin = end;
    while (begin > 0 && row[begin - 1] != ',')
        begin--;
    return {begin, end};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// digit * 10^place, clamped: anything past 32 bits ends up clamped by addClamped anyway.
int64_t placeValue(int digit, int place) {
    int64_t value = digit;
    for (int i = 0; i < place && value <= INT_MAX; i++)
        value *= 10;
    return value;
}

int addClamped(int value, int64_t add) {
    int64_t sum = value + add;
    return sum > INT_MAX ? INT_MAX : static_cast<int>(sum);
}

}  // namespace

int getInt(const Logbook& lb, int d, int r) {
    Field f = rightField(lb, d, r);
    const char* row = lb.rows[r].data();
    int value = 0;
    int place = 0;
    for (int i = f.end - 1; i >= f.begin; i--) {
        char c = row[i];
        if (isDigit(c)) {
            if (c != '0') value = addClamped(value, placeValue(c - '0', place));
            place++;
        } else if (c == ' ' || c == '-') {
            value = -1;
        }
    }
    return value;
}

namespace {

// getDepth's reading of the bytes [begin, end): the rightmost digit is tenths, whatever stands
// between the digits. Single precision on purpose: depths round to whole metres as they always
// have.
double impliedTenths(const char* row, int begin, int end) {
    float value = 0.0f;
    float weight = 0.1f;
    for (int i = end - 1; i >= begin; i--) {
        char c = row[i];
        if (!isDigit(c)) continue;
        // A zero adds nothing, so an overflowed weight never meets 0 * inf.
        if (c != '0') value += static_cast<float>(c - '0') * weight;
        weight *= 10.0f;
    }
    return static_cast<double>(value) + 0.00001;
}

}  // namespace

double getDepth(const Logbook& lb, int d, int r) {
    Field f = rightField(lb, d, r);
    return impliedTenths(lb.rows[r].data(), f.begin, f.end);
}

namespace {

// A field of digits with at most one decimal point: its digits as one whole number while at most
// 18 of them fit, and how many stand after the point. Returns how many digits there are; -1 for
// any other field (no digit, a second point or any other byte).
int plainDigits(const char* row, int begin, int end, uint64_t* whole, int* decimals) {
    uint64_t value = 0;
    int count = 0;
    int point = -1;  // digits before the point; -1 without one
    for (int i = begin; i < end; i++) {
        unsigned digit = static_cast<unsigned char>(row[i]) - '0';
        if (digit <= 9) {
            if (count < 18) value = value * 10 + digit;
            count++;
        } else if (row[i] == '.' && point < 0) {
            point = count;
        } else if (row[i] != '\0' && row[i] != '\n') {
            return -1;
        }
    }
    *whole = value;
    *decimals = point < 0 ? 0 : count - point;
    return count > 0 ? count : -1;
}

uint64_t tenTo(int n) {
    uint64_t p = 1;
    for (int i = 0; i < n; i++)
        p *= 10;
    return p;
}

int clamped(uint64_t value) {
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// All digits of the bytes [begin, end) as one number, for more than a whole number holds.
double allDigits(const char* row, int begin, int end) {
    double value = 0;
    for (int i = begin; i < end; i++) {
        if (isDigit(row[i])) value = value * 10 + (row[i] - '0');
    }
    return value;
}

// Tenths of the bytes [begin, end): a plain decimal as it stands, a part of a tenth counting as a
// whole one; any other field's digits as getDepth takes them, the rightmost being tenths.
int fieldTenths(const char* row, int begin, int end) {
    uint64_t whole;
    int decimals;
    int count = plainDigits(row, begin, end, &whole, &decimals);
    if (count < 0 || count > 18) {
        double tenths = allDigits(row, begin, end);
        if (count > 0) tenths = std::ceil(tenths * 10 / std::pow(10.0, decimals));
        return tenths >= INT_MAX ? INT_MAX : static_cast<int>(tenths);
    }
    if (decimals <= 1) return clamped(whole * tenTo(1 - decimals));
    uint64_t part = tenTo(decimals - 1);
    return clamped((whole + part - 1) / part);
}

}  // namespace

namespace {

double fieldDepth(const char* row, int begin, int end) {
    uint64_t whole;
    int decimals;
    int count = plainDigits(row, begin, end, &whole, &decimals);
    if (count < 0) return impliedTenths(row, begin, end);
    double digits = count > 18 ? allDigits(row, begin, end) : static_cast<double>(whole);
    return digits / std::pow(10.0, decimals);
}

int fieldMetres(const char* row, int begin, int end) {
    uint64_t whole;
    int decimals;
    int count = plainDigits(row, begin, end, &whole, &decimals);
    if (count < 0 || count > 18) return roundHalfUp(fieldDepth(row, begin, end), INT_MAX);
    // Whole numbers: no floating-point step for the writer's usual depths.
    switch (decimals) {
        case 0:
            return clamped(whole);
        case 1:
            return clamped((whole + 5) / 10);
        case 2:
            return clamped((whole + 50) / 100);
        default:
            return clamped((whole + tenTo(decimals) / 2) / tenTo(decimals));
    }
}

}  // namespace

double readDepth(const Logbook& lb, int d, int r) {
    Field f = rightField(lb, d, r);
    return fieldDepth(lb.rows[r].data(), f.begin, f.end);
}

int readMetres(const Logbook& lb, int d, int r) {
    Field f = rightField(lb, d, r);
    return fieldMetres(lb.rows[r].data(), f.begin, f.end);
}

void readSample(const Logbook& lb, int d, int r, int* tenths, int* metres) {
    Field f = rightField(lb, d, r);
    sampleBetween(lb, r, f.begin, f.end, tenths, metres);
}

void sampleBetween(const Logbook& lb, int r, int begin, int end, int* tenths, int* metres) {
    const char* row = lb.rows[r].data();
    *tenths = fieldTenths(row, begin, end);
    *metres = fieldMetres(row, begin, end);
}

int readTenths(const Logbook& lb, int d, int r) {
    Field f = rightField(lb, d, r);
    return fieldTenths(lb.rows[r].data(), f.begin, f.end);
}

int getMinutes(const Logbook& lb, int d, int r) {
    Field f = rightField(lb, d, r);
    const char* row = lb.rows[r].data();
    int total = 0;
    int place = 0;
    int factor = 1;  // 60 once the colon has switched to the hours
    for (int i = f.end - 1; i >= f.begin; i--) {
        char c = row[i];
        if (isDigit(c)) {
            if (c != '0') total = addClamped(total, placeValue(c - '0', place) * factor);
            place++;
        } else if (c == ':') {
            factor = 60;
            place = 0;
        }
    }
    return total;
}

int leftFieldStart(const char* row, int d) {
    int commas = 0;
    for (int i = 0; i < kRowSize; i++) {
        if (row[i] == ',' && ++commas == d) return i + 1;
    }
    return -1;
}

void countAllSamples(const Logbook& lb, int* counts) {
    for (int d = 0; d < lb.dives; d++)
        counts[d] = 0;
    for (int r = kFirstSampleRow; r < rowCount(lb); r++) {
        const char* row = lb.rows[r].data();
        int d = 0;
        for (int i = 0; i < kRowSize - 1 && d < lb.dives; i++) {
            if (row[i] != ',') continue;
            if (isDigit(row[i + 1])) counts[d]++;
            d++;
        }
    }
}

// The field as the summary prints it, blanks at either end left out.
std::string fieldBytes(const Logbook& lb, int d, int r) {
    if (r >= rowCount(lb)) return std::string();
    const char* row = lb.rows[r].data();
    int start = leftFieldStart(row, d);
    std::string text;
    for (int i = start;
         start >= 0 && i < kRowSize && row[i] != ',' && row[i] != '\n' && row[i] != '\0'; i++)
        text.push_back(row[i]);
    return text;
}

std::string fieldText(const Logbook& lb, int d, int r) {
    std::string text = fieldBytes(lb, d, r);
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool fieldBounds(const Logbook& lb, int r, int* bounds) {
    const char* row = lb.rows[r].data();
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    int found = 0;
    int textEnd = 0;  // one past the last byte that is not zero
    for (int w = 0; w < kRowSize; w += kWord) {
        uint64_t word = littleWord(row + w);
        if (word == 0) continue;
        textEnd = w + kWord - __builtin_clzll(word) / 8;
        // The high bit of every comma byte, as commasIn finds them; the lowest first.
        uint64_t x = word ^ 0x2C2C2C2C2C2C2C2Cull;
        for (uint64_t commas = ~(((x & low7) + low7) | x | low7); commas != 0;
             commas &= commas - 1) {
            if (found == lb.dives) return false;
            bounds[found++] = w + __builtin_ctzll(commas) / 8 + 1;
        }
    }
    if (found != lb.dives) return false;
    // The last field runs to the end of the text: only zeros, which no reader counts, follow.
    bounds[found] = std::max(textEnd, found > 0 ? bounds[found - 1] : 0) + 1;
    return true;
}
