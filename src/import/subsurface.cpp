// Reads Subsurface's own XML: the attributes of <dive>, <cylinder>, <divecomputer>, <sample>
// and gas-change <event>s carry everything the converter needs.
#include "import/subsurface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool is(const LogParse& p, const char* name) {
    return p.path.back() == name;
}

bool parentIs(const LogParse& p, const char* name) {
    return p.path.size() >= 2 && p.path[p.path.size() - 2] == name;
}

// Subsurface writes air as no oxygen at all (or 0 %).
double oxygenOrAir(double o2) {
    return o2 > 0 ? o2 : kAirOxygen;
}

void startDive(SubsurfaceReader* r, LogParse* p, const char** attrs) {
    r->inDive = true;
    r->diveLevel = p->path.size();
    r->dive = LogDive();
    r->computers.clear();
    r->current = r->direct = -1;
    r->cylinders = 0;
    r->keys = GasKeys();
    const char* date = attribute(attrs, "date");
    const char* time = attribute(attrs, "time");
    if (date) {
        std::string text = date;
        if (time) text += std::string("T") + time;
        LocalTime t;
        if (!parseDateTime(text, &t)) {
            failValue(p, "dive", "kein Datum", text);
            return;
        }
        r->dive.startMinute = t.hasTime ? t.minute : -1;
        r->dive.utcOffset = t.hasTime ? t.offset : kNoOffset;
        r->dive.date = t.date;
        r->dive.time = t.time;
    }
    const char* duration = attribute(attrs, "duration");
    if (duration && !parseDuration(duration, &r->dive.durationSeconds)) {
        failValue(p, "dive", "keine Dauer", duration);
    }
}

// A cylinder's share: "32%" or "32" in percent, a bare number of at most 1 ("0.32") a fraction.
bool readShare(const char* text, double* percent) {
    double v = 0;
    if (parseNumber(text, &v) && v >= 0 && v <= 1) {
        *percent = v * 100;
        return true;
    }
    return parsePercent(text, percent);
}

void readCylinder(SubsurfaceReader* r, LogParse* p, const char** attrs) {
    // Diluent and oxygen cylinders belong to a rebreather's loop.
    const char* use = attribute(attrs, "use");
    if (isWord(use, "diluent") || isWord(use, "oxygen")) r->dive.kind = kRebreather;
    const char* o2 = attribute(attrs, "o2");
    const char* he = attribute(attrs, "he");
    LogGas gas{kAirOxygen, 0};
    if (o2 && !readShare(o2, &gas.o2)) return failValue(p, "cylinder", "kein Gasanteil", o2);
    if (he && !readShare(he, &gas.he)) return failValue(p, "cylinder", "kein Gasanteil", he);
    gas.o2 = oxygenOrAir(gas.o2);
    if (gas.o2 < 5 || gas.o2 + gas.he > 100.5) {
        return failValue(p, "cylinder", "unter 5 % O2 oder ueber 100 %", o2 ? o2 : "");
    }
    if (!withinLimit(p, r->dive.gases.size(), kMaxLogMixes, "Flaschen in einem Tauchgang")) return;
    r->dive.gases.push_back(gas);
    r->cylinders++;
}

// A time that may be negative ("-0:30 min"), so that such a sample refuses its dive.
bool readTime(const char* text, double* seconds) {
    const char* t = text;
    while (*t == ' ' || *t == '\t')
        ++t;
    if (*t != '-') return parseDuration(text, seconds);
    if (!parseDuration(t + 1, seconds)) return false;
    *seconds = -*seconds;
    return true;
}

// The computer that a sample or event in the element now open belongs to.
SubsurfaceComputer& computerOf(SubsurfaceReader* r, bool direct) {
    if (!direct) return r->computers[static_cast<size_t>(r->current)];
    if (r->direct < 0) {
        r->computers.emplace_back();
        r->direct = static_cast<int>(r->computers.size() - 1);
    }
    return r->computers[static_cast<size_t>(r->direct)];
}

void readSample(SubsurfaceComputer& c, LogParse* p, const char** attrs) {
    const char* time = attribute(attrs, "time");
    const char* depth = attribute(attrs, "depth");
    double seconds = 0;
    if (!time) return;
    if (!readTime(time, &seconds)) return failValue(p, "sample", "keine Zeit", time);
    if (depth) {
        if (!parseDepth(depth, &c.lastDepth)) return failValue(p, "sample", "keine Tiefe", depth);
        c.hasDepth = true;
    }
    // A sample without a depth keeps the one before, as Subsurface writes only changes.
    if (c.hasDepth) c.samples.push_back(LogSample{seconds, c.lastDepth});
}

// A gas change names a cylinder, or in older files packs O2 + 65536 x He into its value.
void readEvent(SubsurfaceReader* r, SubsurfaceComputer& c, LogParse* p, const char** attrs) {
    const char* name = attribute(attrs, "name");
    if (!name || std::strcmp(name, "gaschange") != 0) return;
    const char* time = attribute(attrs, "time");
    double seconds = 0;
    if (!time || !parseDuration(time, &seconds)) {
        return failValue(p, "event", "keine Zeit", time ? time : "");
    }
    const char* cylinder = attribute(attrs, "cylinder");
    const char* value = attribute(attrs, "value");
    double number = 0;
    if (cylinder) {
        if (!parseNumber(cylinder, &number) || number < 0 || number >= r->cylinders ||
            number != std::floor(number)) {
            return failValue(p, "event", "ein Verweis auf keine Flasche", cylinder);
        }
        c.raw.push_back(RawSwitch{seconds, static_cast<int>(number)});
    } else if (value) {
        if (!parseNumber(value, &number) || number < 0 || number > 100 * 65536.0 + 100 ||
            number != std::floor(number)) {
            return failValue(p, "event", "kein Gasgemisch", value);
        }
        long packed = static_cast<long>(number);
        LogGas gas{static_cast<double>(packed % 65536), static_cast<double>(packed / 65536)};
        gas.o2 = oxygenOrAir(gas.o2);
        if (gas.o2 < 5 || gas.o2 > 100 || gas.o2 + gas.he > 100)
            return failValue(p, "event", "kein Gasgemisch", value);
        c.raw.push_back(RawSwitch{seconds, gasIndex(&r->dive, gas, &r->keys)});
    }
}

double deepest(const SubsurfaceComputer& c) {
    double d = 0;
    for (const LogSample& s : c.samples)
        d = std::max(d, s.depth);
    return d;
}

double lasting(const SubsurfaceComputer& c) {
    double t = 0;
    for (const LogSample& s : c.samples)
        t = std::max(t, s.seconds);
    return t;
}

// The deepest computer; of equal depth the longer recording, then the first.
size_t chooseComputer(const std::vector<SubsurfaceComputer>& computers) {
    size_t best = 0;
    for (size_t i = 1; i < computers.size(); ++i) {
        double d = deepest(computers[i]), bd = deepest(computers[best]);
        if (d > bd || (d == bd && lasting(computers[i]) > lasting(computers[best]))) best = i;
    }
    return best;
}

// "  2. Perdix: 35.0 m, 30:00 min": one line of the note.
std::string computerLine(size_t i, const SubsurfaceComputer& c) {
    double depth = deepest(c), seconds = lasting(c);
    long long whole = seconds >= 0 && seconds < 6e9 ? static_cast<long long>(seconds) : 0;
    char text[160];
    std::snprintf(
        text, sizeof text,
        depth < 10000 ? "  %d. %s: %.1f m, %lld:%02lld min" : "  %d. %s: %.3g m, %lld:%02lld min",
        static_cast<int>(i + 1), c.model.empty() ? "(ohne Namen)" : c.model.c_str(), depth,
        whole / 60, whole % 60);
    return text;
}

// Says which computer was used and what each of them recorded.
std::string computersNote(const std::vector<SubsurfaceComputer>& computers, size_t chosen) {
    std::string note = std::to_string(computers.size()) +
                       " Tauchcomputer; verwendet wird der tiefste (bei gleicher Tiefe der "
                       "laengere):";
    for (size_t i = 0; i < computers.size(); ++i)
        note += "\n" + computerLine(i, computers[i]) + (i == chosen ? " (verwendet)" : "");
    return note;
}

void endDive(SubsurfaceReader* r, LogParse* p) {
    LogDive& d = r->dive;
    std::vector<RawSwitch> raw;
    if (!r->computers.empty()) {
        size_t chosen = chooseComputer(r->computers);
        if (r->computers.size() > 1) d.note = computersNote(r->computers, chosen);
        d.samples = std::move(r->computers[chosen].samples);
        raw = std::move(r->computers[chosen].raw);
    }
    r->computers.clear();
    // Without a cylinder the dive is on air until its first gas change; without a gas change,
    // on its first cylinder.
    int start = r->cylinders > 0 ? 0 : gasIndex(&d, LogGas{kAirOxygen, 0}, &r->keys);
    finishDive(&d, start, std::move(raw));
    p->dives.push_back(std::move(d));
    r->inDive = false;
}

// The model as the note shows it: plain ASCII, at most 40 characters.
std::string modelName(const char* model) {
    std::string out;
    for (const char* c = model; c && *c && out.size() < 40; ++c)
        out += *c >= 0x20 && *c < 0x7f ? *c : '?';
    return out;
}

}  // namespace

void subsurfaceStart(SubsurfaceReader* r, LogParse* p, const char** attrs) {
    if (is(*p, "dive")) {
        if (!r->inDive && withinLimit(p, p->dives.size(), kMaxLogDives, "Tauchgaenge")) {
            startDive(r, p, attrs);
        }
        return;
    }
    if (!r->inDive) return;
    bool dive = parentIs(*p, "dive");
    bool inComputer = parentIs(*p, "divecomputer") && r->current >= 0;
    if (is(*p, "cylinder") && dive) {
        readCylinder(r, p, attrs);
    } else if (is(*p, "divecomputer") && dive) {
        // A rebreather or apnoe mark on any computer of the dive counts: one may be a bottom
        // timer that knows nothing of the loop.
        const char* type = attribute(attrs, "dctype");
        if (isWord(type, "CCR") || isWord(type, "PSCR")) {
            r->dive.kind = kRebreather;
        } else if (isWord(type, "Freedive") && r->dive.kind == kOpenCircuit) {
            r->dive.kind = kApnoe;
        }
        if (!withinLimit(p, r->computers.size(), kMaxLogMixes, "Tauchcomputer")) return;
        r->computers.emplace_back();
        r->computers.back().model = modelName(attribute(attrs, "model"));
        r->current = static_cast<int>(r->computers.size() - 1);
    } else if (is(*p, "sample") && (dive || inComputer)) {
        readSample(computerOf(r, dive), p, attrs);
    } else if (is(*p, "event") && (dive || inComputer)) {
        readEvent(r, computerOf(r, dive), p, attrs);
    }
}

void subsurfaceEnd(SubsurfaceReader* r, LogParse* p) {
    if (!r->inDive) return;
    if (is(*p, "divecomputer") && parentIs(*p, "dive")) {
        r->current = -1;
    } else if (is(*p, "dive") && p->path.size() == r->diveLevel) {
        endDive(r, p);
    }
}
