// Reads UDDF: mixes from gasdefinitions, then each dive of profiledata with its waypoints.
#include "import/uddf.h"

#include <cmath>
#include <cstring>

namespace {

bool is(const LogParse& p, const char* name) {
    return p.path.back() == name;
}

bool parentIs(const LogParse& p, const char* name) {
    return p.path.size() >= 2 && p.path[p.path.size() - 2] == name;
}

// A mix's value: fractions as UDDF has them, or percent as some writers put them.
void readMixValue(LogParse* p, double* value) {
    double v = 0;
    if (!parseNumber(p->text, &v) || v < 0 || v > 100) {
        failValue(p, p->path.back().c_str(), "kein Gasanteil", p->text);
        return;
    }
    *value = v;
}

// The mix read, in percent. A value above 1 means the writer used percent throughout, so a bare
// value of at most 1 is a fraction. Without oxygen the rest of nitrogen and helium is oxygen;
// without nitrogen either, nothing tells the mix. Less than 5 % oxygen, more than 100 % in all,
// or an id given twice: refused, as any guess could be the wrong gas.
void storeMix(UddfReader* r, LogParse* p) {
    double o2 = r->mixO2, he = r->mixHe, n2 = r->mixN2;
    bool percent = o2 > 1 || he > 1 || n2 > 1;
    double scale = percent ? 1 : 100;
    if (o2 < 0 && n2 < 0) return failValue(p, "mix", "ohne O2- und N2-Anteil", r->mixId);
    double n2p = n2 < 0 ? 0 : n2 * scale;
    LogGas gas{o2 < 0 ? 100 - n2p - (he < 0 ? 0 : he * scale) : o2 * scale,
               he < 0 ? 0 : he * scale};
    // Given as oxygen and nitrogen only: what is left is helium.
    if (he < 0 && n2 >= 0 && o2 >= 0) {
        double rest = 100 - gas.o2 - n2p;
        gas.he = rest >= 0.5 ? rest : 0;
    }
    if (gas.o2 < 5 || gas.o2 + gas.he + n2p > 100.5) {
        return failValue(p, "mix", "unter 5 % O2 oder ueber 100 %", r->mixId);
    }
    if (r->mixIds.count(r->mixId) != 0) {
        return failValue(p, "mix", "ein zweites Gasgemisch derselben id", r->mixId);
    }
    if (!withinLimit(p, r->mixes.size(), kMaxLogMixes, "Gasgemische")) return;
    r->mixes.push_back(gas);
    r->mixIds.emplace(r->mixId, static_cast<int>(r->mixes.size() - 1));
}

void startDive(UddfReader* r, const LogParse& p) {
    r->inDive = true;
    r->diveLevel = p.path.size();
    r->dive = LogDive();
    r->raw.clear();
    r->tanks.clear();
    r->lastTime = 0;
}

// The first gas when no switch names one: the tank's mix, and of several tanks the one with
// the least oxygen, the side with more inert gas, said in the dive's note; air without a tank.
int tankGas(UddfReader* r, GasKeys* keys) {
    LogDive& d = r->dive;
    if (r->tanks.empty()) return gasIndex(&d, LogGas{kAirOxygen, 0}, keys);
    int leanest = r->tanks[0];
    bool several = false;
    for (int t : r->tanks) {
        const LogGas& g = r->mixes[static_cast<size_t>(t)];
        const LogGas& best = r->mixes[static_cast<size_t>(leanest)];
        several = several || std::lround(g.o2) != std::lround(best.o2) ||
                  std::lround(g.he) != std::lround(best.he);
        if (g.o2 < best.o2) leanest = t;
    }
    int index = gasIndex(&d, r->mixes[static_cast<size_t>(leanest)], keys);
    if (several) {
        d.note =
            "Mehrere Flaschen, kein Gaswechsel zu Beginn: das Gas mit dem wenigsten\n"
            "Sauerstoff gilt ab Beginn, die sichere Seite.";
    }
    return index;
}

// The dive's gases are those it uses; when no switch names one at its start, its tank's mix
// comes first (air without a tank).
void endDive(UddfReader* r, LogParse* p) {
    LogDive& d = r->dive;
    double first = earliestSample(d);
    bool named = false;
    for (const RawSwitch& s : r->raw)
        named = named || s.seconds <= first;
    GasKeys keys;
    int startGas = named ? 0 : tankGas(r, &keys);
    std::vector<RawSwitch> switches;
    switches.reserve(r->raw.size());
    for (const RawSwitch& s : r->raw) {
        switches.push_back(RawSwitch{s.seconds, gasIndex(&d, r->mixes[s.gas], &keys)});
    }
    finishDive(&d, startGas, std::move(switches));
    p->dives.push_back(std::move(d));
    r->inDive = false;
}

void endWaypoint(UddfReader* r) {
    if (r->wpHasTime) r->lastTime = r->wpTime;
    if (r->wpHasTime && r->wpHasDepth) r->dive.samples.push_back(LogSample{r->wpTime, r->wpDepth});
    if (r->wpMix >= 0) r->raw.push_back(RawSwitch{r->lastTime, r->wpMix});
}

// A number of the dive; "what" names what it should have been.
// The mix an element's ref names into *mix; false once a ref to no mix has failed the file.
bool mixOf(LogParse* p, UddfReader* r, const char** attrs, const char* element, int* mix) {
    const char* ref = attribute(attrs, "ref");
    auto found = r->mixIds.find(ref ? ref : "");
    if (found == r->mixIds.end()) {
        failValue(p, element, "ein Verweis auf kein Gasgemisch", ref ? ref : "");
        return false;
    }
    *mix = found->second;
    return true;
}

bool readNumber(LogParse* p, double* value, bool mayBeNegative) {
    double v = 0;
    if (!parseNumber(p->text, &v) || (!mayBeNegative && v < 0)) {
        failValue(p, p->path.back().c_str(), "keine Zahl", p->text);
        return false;
    }
    *value = v;
    return true;
}

}  // namespace

void uddfStart(UddfReader* r, LogParse* p, const char** attrs) {
    if (is(*p, "mix") && parentIs(*p, "gasdefinitions")) {
        const char* id = attribute(attrs, "id");
        r->mixId = id ? id : "";
        r->mixO2 = r->mixHe = r->mixN2 = -1;
    } else if (is(*p, "dive") && parentIs(*p, "repetitiongroup") && !r->inDive) {
        if (!withinLimit(p, p->dives.size(), kMaxLogDives, "Tauchgaenge")) return;
        startDive(r, *p);
    } else if (!r->inDive) {
        return;
    } else if (is(*p, "waypoint")) {
        r->wpHasTime = r->wpHasDepth = false;
        r->wpMix = -1;
    } else if (is(*p, "switchmix") && parentIs(*p, "waypoint")) {
        int mix;
        if (!mixOf(p, r, attrs, "switchmix", &mix)) return;
        r->wpMix = mix;
    } else if (is(*p, "link") && parentIs(*p, "tankdata")) {
        int mix;
        if (!mixOf(p, r, attrs, "link", &mix)) return;
        r->tanks.push_back(mix);
    } else if (is(*p, "divemode")) {
        const char* type = attribute(attrs, "type");
        if (isWord(type, "closedcircuit") || isWord(type, "semiclosedcircuit")) {
            r->dive.kind = kRebreather;
        } else if (isWord(type, "apnoe") && r->dive.kind == kOpenCircuit) {
            r->dive.kind = kApnoe;
        }
    } else if (is(*p, "infinity") && parentIs(*p, "surfaceintervalbeforedive")) {
        r->dive.intervalBeforeSeconds = -1;
    }
}

void uddfEnd(UddfReader* r, LogParse* p) {
    if (parentIs(*p, "mix") && (is(*p, "o2") || is(*p, "he") || is(*p, "n2"))) {
        char c = p->path.back()[0];
        readMixValue(p, c == 'o' ? &r->mixO2 : c == 'h' ? &r->mixHe : &r->mixN2);
    } else if (is(*p, "mix") && parentIs(*p, "gasdefinitions")) {
        storeMix(r, p);
    } else if (!r->inDive) {
        return;
    } else if (parentIs(*p, "waypoint")) {
        if (is(*p, "divetime")) {
            r->wpHasTime = readNumber(p, &r->wpTime, true);
        } else if (is(*p, "depth")) {
            r->wpHasDepth = readNumber(p, &r->wpDepth, true);
        }
    } else if (is(*p, "waypoint")) {
        endWaypoint(r);
    } else if (is(*p, "datetime") && parentIs(*p, "informationbeforedive")) {
        LocalTime t;
        if (!parseDateTime(p->text, &t)) {
            failValue(p, "datetime", "kein Datum", p->text);
            return;
        }
        r->dive.startMinute = t.hasTime ? t.minute : -1;
        r->dive.utcOffset = t.hasTime ? t.offset : kNoOffset;
        r->dive.date = t.date;
        r->dive.time = t.time;
    } else if (is(*p, "passedtime") && parentIs(*p, "surfaceintervalbeforedive")) {
        // A negative one is read, for the dive's refusal to name it.
        double seconds = 0;
        if (!readNumber(p, &seconds, true)) return;
        r->dive.intervalBeforeSeconds = seconds;
        if (seconds < 0) refuseInterval(&r->dive, seconds);
    } else if (is(*p, "diveduration") && parentIs(*p, "informationafterdive")) {
        readNumber(p, &r->dive.durationSeconds, false);
    } else if (is(*p, "dive") && p->path.size() == r->diveLevel) {
        endDive(r, p);
    }
}
