// The dive table: the few values per dive that the conversion needs, read once.
#pragma once

#include <vector>

struct DiveRecord {
    int mix1;             // oxygen % of the first gas; -1 = not given
    int mix2;             // oxygen % of the decompression gas; -1 = not given
    int switchSample;     // sample from which mix2 is breathed; -1 = no switch
    int surfaceInterval;  // minutes at the surface after the dive
    int sampleRate;       // seconds between profile samples
    int sampleCount;      // profile samples of the dive
};

extern std::vector<DiveRecord> tgListe;

// Fills every record of tgListe (one per dive, already allocated) from the line table.
void fillDiveTable();
