// Joining the dives of several logs into one list in time order.
#include "assist/trip.h"

#include <algorithm>
#include <climits>

namespace {

struct Entry {
    long long key;  // minutes since 1970, UTC or as written
    int file;
    int place;
};

}  // namespace

JoinedDives joinLogs(const std::vector<LogFile>& logs, const std::vector<std::string>& shown) {
    bool utc = true;
    for (const LogFile& log : logs) {
        for (const LogDive& d : log.dives)
            utc = utc && (d.startMinute < 0 || d.utcOffset != kNoOffset);
    }
    std::vector<Entry> entries;
    long long before = LLONG_MIN;  // an unknown start stays behind the dive before it
    for (size_t f = 0; f < logs.size(); f++) {
        for (size_t k = 0; k < logs[f].dives.size(); k++) {
            const LogDive& d = logs[f].dives[k];
            if (d.startMinute >= 0) before = utc ? d.startMinute - d.utcOffset : d.startMinute;
            entries.push_back(Entry{before, static_cast<int>(f), static_cast<int>(k)});
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    JoinedDives joined;
    joined.files = shown;
    for (const Entry& e : entries) {
        joined.dives.push_back(
            logs[static_cast<size_t>(e.file)].dives[static_cast<size_t>(e.place)]);
        joined.file.push_back(e.file);
        joined.place.push_back(e.place);
    }
    return joined;
}

bool followsInFile(const JoinedDives& joined, int earlier, int later) {
    if (earlier < 0 || later < 0 || static_cast<size_t>(later) >= joined.dives.size()) return false;
    size_t a = static_cast<size_t>(earlier), b = static_cast<size_t>(later);
    return later == earlier + 1 && joined.file[a] == joined.file[b] &&
           joined.place[b] == joined.place[a] + 1;
}
