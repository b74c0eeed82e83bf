// Reads Subsurface's own XML: the attributes of <dive>, <cylinder>, <divecomputer>, <sample>
// and gas-change <event>s carry everything the converter needs.
#include "import/subsurface.h"

#include <cmath>
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
    return o2 > 0 ? o2 : 21;
}

void startDive(SubsurfaceReader* r, LogParse* p, const char** attrs) {
    r->inDive = true;
    r->diveLevel = p->path.size();
    r->dive = LogDive();
    r->computers = 0;
    r->inFirst = false;
    r->cylinders = 0;
    r->raw.clear();
    r->keys = GasKeys();
    r->hasDepth = false;
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
        r->dive.date = t.date;
        r->dive.time = t.time;
    }
    const char* duration = attribute(attrs, "duration");
    if (duration && !parseDuration(duration, &r->dive.durationSeconds)) {
        failValue(p, "dive", "keine Dauer", duration);
    }
}

void readCylinder(SubsurfaceReader* r, LogParse* p, const char** attrs) {
    // Diluent and oxygen cylinders belong to a rebreather's loop.
    const char* use = attribute(attrs, "use");
    if (use && (std::strcmp(use, "diluent") == 0 || std::strcmp(use, "oxygen") == 0)) {
        r->dive.kind = kRebreather;
    }
    const char* o2 = attribute(attrs, "o2");
    const char* he = attribute(attrs, "he");
    LogGas gas{21, 0};
    if (o2 && !parsePercent(o2, &gas.o2)) return failValue(p, "cylinder", "kein Gasanteil", o2);
    if (he && !parsePercent(he, &gas.he)) return failValue(p, "cylinder", "kein Gasanteil", he);
    gas.o2 = oxygenOrAir(gas.o2);
    if (gas.o2 + gas.he > 100.5) return failValue(p, "cylinder", "kein Gasgemisch", o2 ? o2 : "");
    if (!withinLimit(p, r->dive.gases.size(), kMaxLogMixes, "Flaschen in einem Tauchgang")) return;
    r->dive.gases.push_back(gas);
    r->cylinders++;
}

void readSample(SubsurfaceReader* r, LogParse* p, const char** attrs) {
    const char* time = attribute(attrs, "time");
    const char* depth = attribute(attrs, "depth");
    double seconds = 0;
    if (!time) return;
    if (!parseDuration(time, &seconds)) return failValue(p, "sample", "keine Zeit", time);
    if (depth) {
        if (!parseDepth(depth, &r->lastDepth)) return failValue(p, "sample", "keine Tiefe", depth);
        r->hasDepth = true;
    }
    // A sample without a depth keeps the one before, as Subsurface writes only changes.
    if (r->hasDepth) r->dive.samples.push_back(LogSample{seconds, r->lastDepth});
}

// A gas change names a cylinder, or in older files packs O2 + 65536 x He into its value.
void readEvent(SubsurfaceReader* r, LogParse* p, const char** attrs) {
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
        r->raw.push_back(RawSwitch{seconds, static_cast<int>(number)});
    } else if (value) {
        if (!parseNumber(value, &number) || number < 0 || number > 100 * 65536.0 + 100 ||
            number != std::floor(number)) {
            return failValue(p, "event", "kein Gasgemisch", value);
        }
        long packed = static_cast<long>(number);
        LogGas gas{static_cast<double>(packed % 65536), static_cast<double>(packed / 65536)};
        gas.o2 = oxygenOrAir(gas.o2);
        if (gas.o2 > 100 || gas.o2 + gas.he > 100)
            return failValue(p, "event", "kein Gasgemisch", value);
        r->raw.push_back(RawSwitch{seconds, gasIndex(&r->dive, gas, &r->keys)});
    }
}

void endDive(SubsurfaceReader* r, LogParse* p) {
    // Without a cylinder the dive is on air; without a gas change, on its first cylinder.
    if (r->dive.gases.empty()) r->dive.gases.push_back(LogGas{21, 0});
    finishDive(&r->dive, 0, std::move(r->raw));
    r->raw.clear();
    p->dives.push_back(std::move(r->dive));
    r->inDive = false;
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
    bool sampled = dive || (parentIs(*p, "divecomputer") && r->inFirst);
    if (is(*p, "cylinder") && dive) {
        readCylinder(r, p, attrs);
    } else if (is(*p, "divecomputer") && dive) {
        // A rebreather or apnoe mark on any computer of the dive counts: the first one may be
        // a bottom timer that knows nothing of the loop.
        const char* type = attribute(attrs, "dctype");
        if (type && (std::strcmp(type, "CCR") == 0 || std::strcmp(type, "PSCR") == 0)) {
            r->dive.kind = kRebreather;
        } else if (type && std::strcmp(type, "Freedive") == 0 && r->dive.kind == kOpenCircuit) {
            r->dive.kind = kApnoe;
        }
        if (++r->computers != 1) return;
        r->inFirst = true;
    } else if (is(*p, "sample") && sampled) {
        readSample(r, p, attrs);
    } else if (is(*p, "event") && sampled) {
        readEvent(r, p, attrs);
    }
}

void subsurfaceEnd(SubsurfaceReader* r, LogParse* p) {
    if (!r->inDive) return;
    if (is(*p, "divecomputer") && parentIs(*p, "dive")) {
        r->inFirst = false;
    } else if (is(*p, "dive") && p->path.size() == r->diveLevel) {
        endDive(r, p);
    }
}
