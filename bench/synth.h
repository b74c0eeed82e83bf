// Synthetic logbook exports for the benchmarks: any number of dives and sample rows, the same
// bytes for the same seed on every machine.
#pragma once

#include <cstdint>
#include <string>

struct SynthExport {
    std::string csv;      // the whole export, CR LF line ends
    std::string answers;  // console input that converts it without a question left open
    // The same for the assisted mode (the export as argument): the time of each suggested gas
    // switch, 'y' where it warns about the MOD, '-' where it has no suggestion.
    std::string assistedAnswers;
    int suggestions;  // gas switches the assisted mode suggests
    int rows;         // rows of the export, header rows included
};

// Builds an export of `dives` dives (1 to 12) and `samples` sample rows (1 upward). The longest
// dive fills every sample row; the others end earlier and leave their field empty below.
// `baseName` is the first line of the answers. A `rate` above 0 gives every dive that sampling
// rate; 0 varies it from dive to dive (1, 2 or 4 s).
SynthExport makeSyntheticExport(uint64_t seed, int dives, int samples, const std::string& baseName,
                                int rate = 0);

// Writes `text` to `path`; false when that fails.
bool writeWholeFile(const std::string& path, const std::string& text);
