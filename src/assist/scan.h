// One pass over a dive's samples for all that the assisted review shows about its gas switch:
// the suggestion, the MOD check of the suggestion and the picture's columns.
#pragma once

#include <vector>

#include "import/divetable.h"

constexpr int kPictureColumns = 64;

struct DiveScan {
    int deepest;        // deepestSample(d, r, 1)
    int suggested;      // suggestedSwitch(d, r)
    int deepestAfter;   // deepestSample(d, r, suggested); -1 without a suggestion
    int deepestTenths;  // the deepest of all samples, sample 0 included; -1 when there is none
    std::vector<int> columns;  // per picture column its deepest sample in tenths, -1: none
};

// sampleTenths(d, s), found and read faster where the field is a plain depth.
int fieldTenths(int d, int s);

// The picture's column of sample s when `last` (above 0) is the dive's last sample.
int pictureColumn(long long s, long long last);

// Reads every sample of dive d once and remembers the result for rememberedScan. Needs a
// known mix2.
const DiveScan& scanDive(int d, const DiveRecord& r);

// The last scanDive's result when it was made for this dive of this line table with the same
// sample count and mix2, else null. The review scans each dive before it draws the picture
// and checks the MOD, so these need no pass of their own; whoever rewrites the table in
// place in between must scan again.
const DiveScan* rememberedScan(int d, const DiveRecord& r);
