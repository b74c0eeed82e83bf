// Drawing a dive: one column per slice of its time, the deepest sample of each slice shown.
#include "assist/picture.h"

#include <algorithm>
#include <cstdio>

#include "assist/gas.h"
#include "assist/scan.h"

namespace {

constexpr int kColumns = kPictureColumns;  // with the 7 characters of the depth scale: 71
constexpr int kRows = 9;  // depth lines; the axis, its minutes and the legend follow

// The picture's line for a depth in tenths, 0 m being the top line.
int lineOf(long long tenths, long long deepest) {
    return static_cast<int>((tenths * (kRows - 1) + deepest / 2) / deepest);
}

}  // namespace

std::vector<std::string> divePicture(const Logbook& lb, const DiveRecord& r, const DiveScan& scan,
                                     int mark) {
    std::vector<std::string> lines;
    if (r.sampleCount < 2 || r.sampleRate <= 0) return lines;
    long long last = r.sampleCount - 1;
    const std::vector<int>& depth = scan.columns;
    // At least a metre, so that a flat line still has a scale.
    long long deepest = std::max(10, scan.deepestTenths);
    bool mod = gasKnown(r.mix2);
    if (mod) deepest = std::max<long long>(deepest, modTenths(r.mix2));
    std::vector<std::string> grid(kRows, std::string(kColumns, ' '));
    if (mod) grid[lineOf(modTenths(r.mix2), deepest)].assign(kColumns, '-');
    for (int c = 0; c < kColumns; c++) {
        if (depth[c] >= 0) grid[lineOf(depth[c], deepest)][c] = '*';
    }
    if (mark >= 0 && mark <= last) {
        grid[lineOf(sampleTenths(lb, r, mark), deepest)][pictureColumn(mark, last)] = 'W';
    }
    char label[32];
    int modLine = mod ? lineOf(modTenths(r.mix2), deepest) : -1;
    for (int i = 0; i < kRows; i++) {
        // The MOD's line names the MOD itself, so that the scale never contradicts it.
        long long tenths = i == modLine ? modTenths(r.mix2) : deepest * i / (kRows - 1);
        // Four digits keep every line within 72 characters, whatever the export holds.
        long long at = std::min<long long>((tenths + (i == modLine ? 0 : 5)) / 10, 9999);
        snprintf(label, sizeof label, "%4lld m|", at);
        lines.push_back(label + grid[i]);
    }
    lines.push_back("      +" + std::string(kColumns, '-'));
    // Minutes at the first, the middle and the last column.
    long long minutes = last * r.sampleRate / 60;
    std::string axis = "   min" + std::string(1 + kColumns, ' ');
    for (int c : {0, kColumns / 2, kColumns - 1}) {
        int len = snprintf(label, sizeof label, "%lld", minutes * c / (kColumns - 1));
        axis.replace(std::min<size_t>(7 + c, axis.size() - len), len, label);
    }
    lines.push_back(axis);
    lines.push_back("      * Tiefe" + std::string(mod ? "   - MOD Mix2" : "") +
                    std::string(mark >= 0 ? "   W Gaswechsel" : ""));
    return lines;
}
