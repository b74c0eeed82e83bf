// src/import owns reading files into values: the export's layout, its rows, the field readers
// and the dive model. It uses src/platform only, and never reads the console.
//
// The dive model: the values of each dive that the conversion works on, read once from the
// export and then completed by the review, and the profile minutes a dive turns into.
#pragma once

#include <vector>

#include "import/logbook.h"

// One dive as a value. Its samples stay in the export's rows (a dive may have a million, read
// on demand by readDepth); sample s was taken s * sampleRate seconds into the dive.
struct DiveRecord {
    int mix1;             // oxygen % of the first gas; -1 = not given
    int mix2;             // oxygen % of the decompression gas; -1 = not given
    int switchSample;     // sample from which mix2 is breathed; -1 = no switch
    int surfaceInterval;  // minutes at the surface after the dive
    int sampleRate;       // seconds between profile samples
    int sampleCount;      // profile samples of the dive
    int number = 1;       // the dive's column in the export, from 1
};

// The export's gases carry no helium; the model's minutes do.
constexpr int kExportHelium = 0;

// One line of the profile: a minute at a depth on a gas, whole metres and percents.
struct DiveMinute {
    int depth;
    int nitrogen;
    int helium;
};

// Every dive of the export, in file order, as the export gives it: no switch yet, the rate
// kFallbackRate where rateUsable says no.
std::vector<DiveRecord> fillDiveTable(const Logbook& lb);

// A rate that is no plain number above 0 says nothing of when a sample was taken: such a dive
// is taken as sampled every 30 s, the usual rate, where every second sample is a minute.
constexpr int kFallbackRate = 30;

// Dive d's sampling rate (row 14) is plain digits above 0.
bool rateUsable(const Logbook& lb, int d);

