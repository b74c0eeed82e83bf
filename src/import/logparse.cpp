// Values of the XML logs (numbers, times, depths, percents, dates) and the completion of a
// dive's gas switches, shared by the UDDF and the Subsurface reader.
#include "import/logparse.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "import/numbers.h"

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text between leading and trailing blanks.
void trim(const std::string& text, size_t* begin, size_t* end) {
    *begin = 0;
    *end = text.size();
    while (*begin < *end && blank(text[*begin]))
        ++*begin;
    while (*end > *begin && blank(text[*end - 1]))
        --*end;
}

// A finite number filling exactly [first, last).
bool numberIn(const char* first, const char* last, double* value) {
    if (first < last && *first == '+') ++first;
    if (first == last) return false;
    double v = 0;
    std::from_chars_result r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

// Splits "number unit" into the two, the unit with blanks around it removed.
bool numberAndUnit(const std::string& text, double* value, std::string* unit) {
    size_t b, e;
    trim(text, &b, &e);
    size_t n = b;
    while (n < e && (std::isdigit(static_cast<unsigned char>(text[n])) || text[n] == '.' ||
                     text[n] == '-' || text[n] == '+' || text[n] == 'e' || text[n] == 'E')) {
        ++n;
    }
    if (!numberIn(text.data() + b, text.data() + n, value)) return false;
    while (n < e && blank(text[n]))
        ++n;
    unit->assign(text, n, e - n);
    return true;
}

// Digits only, at most `most` of them, at least one.
bool digits(const char* s, size_t n, size_t most, long* value) {
    long long v;
    if (n == 0 || n > most || readDigits(s, n, most, 1000000000LL, &v) != n) return false;
    *value = static_cast<long>(v);
    return true;
}

// Plain ASCII, at most 40 characters: the text as a message may quote it.
std::string quoted(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (out.size() >= 40) {
            out += "...";
            break;
        }
        out += c >= 0x20 && c < 0x7f ? c : '?';
    }
    return out;
}

// Two gases of the dive by whole percents: two cylinders of one mix are no switch.
bool sameGas(const LogDive& dive, int a, int b) {
    if (a == b) return true;
    size_t n = dive.gases.size();
    if (a < 0 || b < 0 || static_cast<size_t>(a) >= n || static_cast<size_t>(b) >= n) return false;
    const LogGas& x = dive.gases[static_cast<size_t>(a)];
    const LogGas& y = dive.gases[static_cast<size_t>(b)];
    return std::lround(x.o2) == std::lround(y.o2) && std::lround(x.he) == std::lround(y.he);
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "-30.0 s", "412.5 m": a number as a message quotes it; a huge one in short.
std::string amount(double value, const char* unit) {
    char text[64];
    bool small = value > -1e6 && value < 1e6;
    std::snprintf(text, sizeof text, small ? "%.1f %s" : "%.3g %s", value, unit);
    return text;
}

// The start compared when ordering: minutes since 1970, UTC where `utc` is set.
long long orderKey(const LogDive& d, bool utc) {
    return utc ? d.startMinute - d.utcOffset : d.startMinute;
}

}  // namespace

bool isWord(const char* value, const char* word) {
    if (!value) return false;
    size_t n = std::strlen(value);
    size_t b = 0;
    while (b < n && blank(value[b]))
        ++b;
    while (n > b && blank(value[n - 1]))
        --n;
    size_t w = std::strlen(word);
    if (n - b != w) return false;
    for (size_t i = 0; i < w; ++i) {
        if (lowerAscii(value[b + i]) != lowerAscii(word[i])) return false;
    }
    return true;
}

void refuseImplausible(LogDive* dive) {
    if (!dive->refusal.empty()) return;
    for (const LogSample& s : dive->samples) {
        if (s.seconds < 0) {
            dive->refusal =
                "hat eine Probe vor seinem Beginn:\nbei " + amount(s.seconds, "s") + ".";
            return;
        }
        if (s.depth < -1 || s.depth > 350) {
            dive->refusal = "hat eine unmoegliche Tiefe:\n" + amount(s.depth, "m") + " bei " +
                            amount(s.seconds, "s") + " (erlaubt sind -1 bis 350 m).";
            return;
        }
    }
}

void refuseInterval(LogDive* dive, double seconds) {
    dive->intervalBeforeSeconds = -1;
    dive->refusal =
        "nennt eine negative Oberflaechenpause\nvor sich (" + amount(seconds, "s") + ").";
}

bool sortByStart(std::vector<LogDive>* dives) {
    bool utc = true;
    for (const LogDive& d : *dives)
        utc = utc && (d.startMinute < 0 || d.utcOffset != kNoOffset);
    std::vector<std::pair<long long, size_t>> keys;
    keys.reserve(dives->size());
    long long before = LLONG_MIN;
    for (size_t i = 0; i < dives->size(); ++i) {
        const LogDive& d = (*dives)[i];
        if (d.startMinute >= 0) before = orderKey(d, utc);
        keys.emplace_back(before, i);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const std::pair<long long, size_t>& a,
                        const std::pair<long long, size_t>& b) { return a.first < b.first; });
    bool moved = false;
    for (size_t i = 0; i < keys.size(); ++i)
        moved = moved || keys[i].second != i;
    if (!moved) return false;
    std::vector<LogDive> ordered;
    ordered.reserve(dives->size());
    for (const auto& k : keys)
        ordered.push_back(std::move((*dives)[k.second]));
    dives->swap(ordered);
    return true;
}

const char* localName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

const char* attribute(const char** attrs, const char* name) {
    for (int i = 0; attrs[i] && attrs[i + 1]; i += 2) {
        if (std::strcmp(localName(attrs[i]), name) == 0) return attrs[i + 1];
    }
    return nullptr;
}

bool parseNumber(const std::string& text, double* value) {
    size_t b, e;
    trim(text, &b, &e);
    return numberIn(text.data() + b, text.data() + e, value);
}

bool parseDuration(const std::string& text, double* seconds) {
    size_t b, e;
    trim(text, &b, &e);
    // The unit: letters at the end.
    size_t u = e;
    while (u > b && std::isalpha(static_cast<unsigned char>(text[u - 1])))
        --u;
    std::string unit(text, u, e - u);
    size_t numEnd = u;
    while (numEnd > b && blank(text[numEnd - 1]))
        --numEnd;
    if (!unit.empty() && unit != "min" && unit != "sec" && unit != "s") return false;
    // Up to three fields separated by colons; only the last may have a fraction.
    double fields[3] = {0, 0, 0};
    int count = 0;
    size_t start = b;
    for (size_t i = b; i <= numEnd; ++i) {
        if (i < numEnd && text[i] != ':') continue;
        if (count == 3) return false;
        const char* first = text.data() + start;
        const char* last = text.data() + i;
        bool isLast = i == numEnd;
        long whole = 0;
        if (isLast) {
            if (!numberIn(first, last, &fields[count]) || fields[count] < 0) return false;
        } else {
            if (!digits(first, static_cast<size_t>(last - first), 9, &whole)) return false;
            fields[count] = static_cast<double>(whole);
        }
        ++count;
        start = i + 1;
    }
    double s = 0;
    if (count == 1) {
        s = unit == "min" ? fields[0] * 60 : fields[0];
    } else if (count == 2) {
        s = fields[0] * 60 + fields[1];
    } else {
        s = fields[0] * 3600 + fields[1] * 60 + fields[2];
    }
    if (!std::isfinite(s)) return false;
    *seconds = s;
    return true;
}

bool parseDepth(const std::string& text, double* metres) {
    double v = 0;
    std::string unit;
    if (!numberAndUnit(text, &v, &unit)) return false;
    if (unit == "ft") {
        v *= 0.3048;
    } else if (!unit.empty() && unit != "m") {
        return false;
    }
    *metres = v;
    return true;
}

bool parsePercent(const std::string& text, double* percent) {
    double v = 0;
    std::string unit;
    if (!numberAndUnit(text, &v, &unit)) return false;
    if ((!unit.empty() && unit != "%") || v < 0 || v > 100) return false;
    *percent = v;
    return true;
}

bool parseDateTime(const std::string& text, LocalTime* out) {
    size_t b, e;
    trim(text, &b, &e);
    const char* s = text.data() + b;
    size_t n = e - b;
    long y, mo, d, h = 0, mi = 0, sec = 0;
    int offset = kNoOffset;
    if (n < 10 || s[4] != '-' || s[7] != '-' || !digits(s, 4, 4, &y) || !digits(s + 5, 2, 2, &mo) ||
        !digits(s + 8, 2, 2, &d)) {
        return false;
    }
    if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo)) return false;
    bool hasTime = n > 10;
    if (hasTime) {
        if ((s[10] != 'T' && s[10] != ' ') || n < 16 || s[13] != ':' || !digits(s + 11, 2, 2, &h) ||
            !digits(s + 14, 2, 2, &mi) || h > 23 || mi > 59) {
            return false;
        }
        size_t i = 16;
        if (i < n && s[i] == ':') {
            if (i + 3 > n || !digits(s + i + 1, 2, 2, &sec) || sec > 60) return false;
            i += 3;
            if (i < n && (s[i] == '.' || s[i] == ',')) {
                size_t f = ++i;
                while (i < n && s[i] >= '0' && s[i] <= '9')
                    ++i;
                if (i == f) return false;
            }
        }
        // The offset is kept beside the minutes, which stay the diver's own wall clock as the
        // dive computer showed it; the intervals apply it.
        if (i < n && s[i] == 'Z') {
            offset = 0;
            ++i;
        } else if (i < n && (s[i] == '+' || s[i] == '-')) {
            long oh = 0, om = 0;
            int sign = s[i] == '-' ? -1 : 1;
            if (i + 3 > n || !digits(s + i + 1, 2, 2, &oh)) return false;
            i += 3;
            if (i < n && s[i] == ':') ++i;
            if (i + 2 > n || !digits(s + i, 2, 2, &om) || oh > 23 || om > 59) return false;
            i += 2;
            offset = sign * static_cast<int>(oh * 60 + om);
        }
        if (i != n) return false;
    }
    out->minute = daysFromCivil(y, mo, d) * 1440 + h * 60 + mi;
    out->hasTime = hasTime;
    out->offset = offset;
    char buf[64];  // room for any long the format could be given
    std::snprintf(buf, sizeof buf, "%02ld.%02ld.%04ld", d, mo, y);
    out->date = buf;
    out->time.clear();
    if (hasTime) {
        std::snprintf(buf, sizeof buf, "%02ld:%02ld", h, mi);
        out->time = buf;
    }
    return true;
}

void failValue(LogParse* p, const char* element, const char* what, const std::string& text) {
    if (!p->error.empty()) return;
    size_t b, e;
    trim(text, &b, &e);
    p->error = "ERROR: In " + p->shownName + " ist <" + element + "> in Zeile " +
               std::to_string(p->line) + " " + what + ": '" + quoted(text.substr(b, e - b)) + "'.";
}

bool withinLimit(LogParse* p, size_t count, size_t limit, const char* what) {
    if (count < limit) return true;
    if (p->error.empty()) {
        p->error = "ERROR: " + p->shownName + " enthaelt mehr als " + std::to_string(limit) + " " +
                   what + " (Zeile " + std::to_string(p->line) + ").";
    }
    return false;
}

int gasIndex(LogDive* dive, LogGas gas, GasKeys* keys) {
    auto key = [](const LogGas& g) { return std::lround(g.o2) * 1000 + std::lround(g.he); };
    for (; keys->seen < dive->gases.size(); ++keys->seen) {
        keys->index.emplace(key(dive->gases[keys->seen]), static_cast<int>(keys->seen));
    }
    auto found = keys->index.find(key(gas));
    if (found != keys->index.end()) return found->second;
    dive->gases.push_back(gas);
    return static_cast<int>(dive->gases.size() - 1);
}

double earliestSample(const LogDive& dive) {
    double first = dive.samples.empty() ? 0 : dive.samples.front().seconds;
    for (const LogSample& s : dive.samples)
        first = std::min(first, s.seconds);
    return first;
}

void finishDive(LogDive* dive, int startGas, std::vector<RawSwitch> raw) {
    std::stable_sort(raw.begin(), raw.end(),
                     [](const RawSwitch& a, const RawSwitch& b) { return a.seconds < b.seconds; });
    double first = earliestSample(*dive);
    double last = 0;
    double deepest = 0;
    for (const LogSample& s : dive->samples) {
        last = std::max(last, s.seconds);
        deepest = std::max(deepest, s.depth);
    }
    int gas = startGas;
    dive->switches.clear();
    for (const RawSwitch& r : raw) {
        if (r.seconds <= first) {
            gas = r.gas;
        } else if (!sameGas(*dive, r.gas,
                            dive->switches.empty() ? gas : dive->switches.back().gas)) {
            dive->switches.push_back(LogSwitch{r.seconds, r.gas});
        }
    }
    dive->firstGas = gas;
    dive->greatestDepth = deepest;
    // A dive lasts at least to its last sample, whatever the file says: a shorter duration would
    // lengthen the interval after it.
    if (!dive->samples.empty()) dive->durationSeconds = std::max(dive->durationSeconds, last);
    refuseImplausible(dive);
}
