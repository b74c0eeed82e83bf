// Names of a log's dives in messages, and the messages about chosen dives that overlap.
#include "dialogue/lognames.h"

#include <cstdio>

#include "assist/logintervals.h"

std::string diveName(int number, const LogDive& dive) {
    return "Tauchgang " + std::to_string(number) +
           (dive.date.empty() ? std::string(" (ohne Datum)") : " vom " + dive.date);
}

std::string diveWhen(int number, const LogDive& dive) {
    return diveName(number, dive) + (dive.time.empty() ? "" : " " + dive.time);
}

int printClashes(const LogFile& log, const std::vector<int>& chosen, const char* lead,
                 std::vector<bool>* clashed) {
    std::vector<DiveClash> clashes = findClashes(log.dives, chosen);
    clashed->assign(log.dives.size(), false);
    for (const DiveClash& c : clashes) {
        const LogDive& a = log.dives[static_cast<size_t>(c.earlier)];
        const LogDive& b = log.dives[static_cast<size_t>(c.later)];
        (*clashed)[static_cast<size_t>(c.later)] = true;
        printf(c.sameStart ? "%s%s beginnt in derselben Minute wie\n%s;\n"
                           : "%s%s beginnt, bevor\n%s endet;\n",
               lead, diveWhen(c.later + 1, b).c_str(), diveWhen(c.earlier + 1, a).c_str());
        printf("beide zugleich kann niemand getaucht haben; mit --tauchgaenge einen weglassen.\n");
    }
    return static_cast<int>(clashes.size());
}
