// The single pass over a dive's samples and the memory of the last one.
#include "assist/scan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "assist/gas.h"
#include "import/logbook.h"

namespace {

constexpr int kSampleRowBase = 23;
// Up to five digits (9999.9 m) the field readers' float sum gives back exactly the digits as
// tenths; the unit test tries every such value. Anything longer goes the long way.
constexpr int kPlainDigits = 5;
constexpr int kWord = 8;
static_assert(kRowSize % kWord == 0, "rows are skipped in whole words");

uint64_t wordAt(const char* row, int end) {
    uint64_t word;
    memcpy(&word, row + end - kWord, kWord);
    return word;
}

// The commas in a word: the exact zero-byte test on word XOR ",,,,,,,,", one high bit per
// comma, added up in the top byte by the multiply.
int commasIn(uint64_t word) {
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    uint64_t x = word ^ 0x2C2C2C2C2C2C2C2Cull;
    uint64_t highBits = ~(((x & low7) + low7) | x | low7);
    return static_cast<int>(((highBits >> 7) * 0x0101010101010101ull) >> 56);
}

// Dive d's field as the field readers find it, after the k-th comma from the row's right end
// (k being the dives after d), read as tenths; only its digits count. -1 when it has more
// than kPlainDigits of them.
int plainTenths(const char* row, int k) {
    // Most of a row is the zeros after its text, and most of the rest lies in the dives to the
    // right: both are passed over a word at a time. Zeros are never commas.
    int i = kRowSize;
    while (i > 0 && wordAt(row, i) == 0)
        i -= kWord;
    int commas = 0;
    for (int inWord; i > 0 && commas + (inWord = commasIn(wordAt(row, i))) < k; i -= kWord)
        commas += inWord;
    for (; commas < k; i--) {
        if (i == 0) return 0;  // fewer commas than dives after d: an empty field
        if (row[i - 1] == ',') commas++;
    }
    int value = 0;
    int digits = 0;
    int place = 1;
    for (int j = i - 1; j >= 0 && row[j] != ','; j--) {
        if (row[j] < '0' || row[j] > '9') continue;
        if (++digits > kPlainDigits) return -1;
        value += (row[j] - '0') * place;
        place *= 10;
    }
    return value;
}

// What a scan depends on besides the dive's fields.
struct ScanKey {
    const Row* table;
    int rows;
    int dives;
    int dive;
    int sampleCount;
    int mix2;
};

bool operator==(const ScanKey& a, const ScanKey& b) {
    return a.table == b.table && a.rows == b.rows && a.dives == b.dives && a.dive == b.dive &&
           a.sampleCount == b.sampleCount && a.mix2 == b.mix2;
}

ScanKey keyOf(int d, const DiveRecord& r) {
    return {tabelle.data(), zeilen, tauchgaenge, d, r.sampleCount, r.mix2};
}

bool remembered = false;
ScanKey lastKey;
DiveScan lastScan;

// Sample s as deepestSample(d, r, 1), suggestedSwitch and deepestSample(d, r, suggested)
// would see it, taken in order: a new deepest point starts the search for the switch anew.
void followSwitch(DiveScan* scan, int* deepestDepth, int* afterDepth, int s, int tenths, int mix2) {
    if (s < 1) return;
    if (tenths > *deepestDepth) {
        scan->deepest = s;
        *deepestDepth = tenths;
        scan->suggested = scan->deepestAfter = -1;
    } else if (scan->suggested < 0) {
        if (!withinMod(tenths, mix2)) return;
        scan->suggested = scan->deepestAfter = s;
        *afterDepth = tenths;
    } else if (tenths > *afterDepth) {
        scan->deepestAfter = s;
        *afterDepth = tenths;
    }
}

// The first sample in picture column c: the least s with s * (kPictureColumns - 1) / last >= c;
// past the last sample for the column after the last.
long long firstSampleOf(int c, long long last) {
    return (c * last + kPictureColumns - 2) / (kPictureColumns - 1);
}

}  // namespace

int fieldTenths(int d, int s) {
    int k = tauchgaenge - d;
    int tenths = k < 0 ? -1 : plainTenths(tabelle[kSampleRowBase + s].data(), k);
    return tenths >= 0 ? tenths : sampleTenths(d, s);
}

int pictureColumn(long long s, long long last) {
    return static_cast<int>(s * (kPictureColumns - 1) / last);
}

const DiveScan& scanDive(int d, const DiveRecord& r) {
    DiveScan& scan = lastScan;
    scan.deepest = scan.suggested = scan.deepestAfter = scan.deepestTenths = -1;
    scan.columns.assign(kPictureColumns, -1);
    long long last = static_cast<long long>(r.sampleCount) - 1;
    int deepestDepth = -1;
    int afterDepth = -1;
    // The column moves on where pictureColumn would say so; no division per sample.
    int column = 0;
    long long nextColumnAt = last > 0 ? firstSampleOf(1, last) : 0;
    for (int s = 0; s < r.sampleCount; s++) {
        int tenths = fieldTenths(d, s);
        scan.deepestTenths = std::max(scan.deepestTenths, tenths);
        if (last > 0) {
            for (; s >= nextColumnAt; nextColumnAt = firstSampleOf(column + 1, last))
                column++;
            scan.columns[column] = std::max(scan.columns[column], tenths);
        }
        followSwitch(&scan, &deepestDepth, &afterDepth, s, tenths, r.mix2);
    }
    lastKey = keyOf(d, r);
    remembered = true;
    return scan;
}

const DiveScan* rememberedScan(int d, const DiveRecord& r) {
    return remembered && lastKey == keyOf(d, r) ? &lastScan : nullptr;
}
