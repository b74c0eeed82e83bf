// One pass over a dive's samples for all that the review shows and checks: the suggestion, the
// MOD check of the suggestion, the picture's columns, the deepest sample and deepest minute.
#pragma once

#include <vector>

#include "import/divetable.h"

constexpr int kPictureColumns = 64;

struct DiveScan {
    int deepest;        // deepestSample(d, r, 1)
    int suggested;      // suggestedSwitch(d, r)
    int deepestAfter;   // deepestSample(d, r, suggested); -1 without a suggestion
    int deepestTenths;  // the deepest of all samples, sample 0 included; -1 when there is none
    int deepestMinute;  // metres of the deepest profile minute; 0 when the dive has none
    std::vector<int> columns;  // per picture column its deepest sample in tenths, -1: none
};

// The picture's column of sample s when `last` (above 0) is the dive's last sample.
int pictureColumn(long long s, long long last);

// Reads every sample of dive r once; the suggestion is -1 unless mix2 is known.
DiveScan scanDive(const Logbook& lb, const DiveRecord& r);

// The scans of all the dives (scanDive of each), in one pass over the rows: the assisted
// review of an export with many dives reads each row once, not once per dive. The dives must be
// those of lb, numbered in it.
std::vector<DiveScan> scanDives(const Logbook& lb, const std::vector<DiveRecord>& dives);

// The suggested switch: the first sample after the deepest one (of samples 1 on) that lies
// within the MOD of mix2; -1 when there is none.
int suggestedSwitch(const Logbook& lb, const DiveRecord& r);
