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

namespace {

// " (aus tag2.ssrf)" where the list joins several files, else nothing.
std::string fromFile(const JoinedDives& joined, int index) {
    if (joined.files.size() < 2) return "";
    int file = joined.file[static_cast<size_t>(index)];
    return " (aus " + joined.files[static_cast<size_t>(file)] + ")";
}

}  // namespace

std::string diveName(const JoinedDives& joined, int index) {
    return diveName(index + 1, joined.dives[static_cast<size_t>(index)]) + fromFile(joined, index);
}

std::string diveWhen(const JoinedDives& joined, int index) {
    return diveWhen(index + 1, joined.dives[static_cast<size_t>(index)]) + fromFile(joined, index);
}

int printClashes(const JoinedDives& joined, const std::vector<int>& chosen, const char* lead,
                 std::vector<bool>* clashed) {
    std::vector<DiveClash> clashes = findClashes(joined.dives, chosen);
    clashed->assign(joined.dives.size(), false);
    for (const DiveClash& c : clashes) {
        (*clashed)[static_cast<size_t>(c.later)] = true;
        printf(c.sameStart ? "%s%s beginnt in derselben Minute wie\n%s;\n"
                           : "%s%s beginnt, bevor\n%s endet;\n",
               lead, diveWhen(joined, c.later).c_str(), diveWhen(joined, c.earlier).c_str());
        printf("beide zugleich kann niemand getaucht haben; mit --tauchgaenge einen weglassen.\n");
    }
    return static_cast<int>(clashes.size());
}
