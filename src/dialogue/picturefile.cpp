// The picture's notes from the minute rule and the checks, and writing NAME.svg.
#include "dialogue/picturefile.h"

#include <algorithm>
#include <cstdio>

#include "assist/checks.h"
#include "assist/gas.h"
#include "assist/interval.h"
#include "assist/logintervals.h"
#include "assist/minutes.h"
#include "assist/trip.h"
#include "import/fields.h"
#include "import/layout.h"
#include "platform/files.h"
#include "platform/textfile.h"

namespace {

std::string metres(double depth) {
    return pictureNumber(depth);
}

// The deepest sample breathed on each gas (depth -1: none), each sample on the gas in use at
// its time, as deepestOnEachGas counts them; the deepest of all and the last time into *p.
std::vector<DiveSample> deepestSamples(const Dive& dive, PictureDive* p) {
    std::vector<DiveSample> deepest(dive.gases.size(), DiveSample{0, -1});
    size_t next = 0;
    int gas = dive.firstGas;
    long long n = diveSampleCount(dive);
    for (long long k = 0; k < n; k++) {
        DiveSample s = diveSample(dive, k);
        if (s.depth > p->deepest.depth) p->deepest = s;
        p->lastSeconds = std::max(p->lastSeconds, s.seconds);
        while (next < dive.switches.size() && dive.switches[next].seconds <= s.seconds)
            gas = dive.switches[next++].gas;
        if (gas < 0 || static_cast<size_t>(gas) >= deepest.size()) continue;
        DiveSample& d = deepest[static_cast<size_t>(gas)];
        if (s.depth > d.depth) d = s;
    }
    return deepest;
}

void addWarnings(const Dive& dive, PictureDive* p) {
    std::vector<DiveSample> where = deepestSamples(dive, p);
    // The exact tenths of the checks take another pass: only for a gas near its MOD.
    bool nearMod = false;
    for (size_t g = 0; g < where.size(); g++) {
        nearMod = nearMod ||
                  (where[g].depth >= 0 && where[g].depth * 10 + 2 > gasModTenths(dive.gases[g]));
    }
    std::vector<int> tenths = nearMod ? deepestOnEachGas(dive) : std::vector<int>();
    for (size_t g = 0; g < tenths.size() && g < where.size(); g++) {
        if (tenths[g] < 0 || gasWithinMod(dive.gases[g], tenths[g])) continue;
        p->warnings.push_back({where[g].seconds, where[g].depth,
                               pictureGasName(gasColumns(dive.gases[g])) + " bei " +
                                   metres(tenths[g] / 10.0) + " m tiefer als seine MOD (" +
                                   metres(gasModTenths(dive.gases[g]) / 10.0) + " m)"});
    }
    if (endsCutShort(dive)) {
        const DiveSample& last = dive.samples.back();
        p->warnings.push_back({last.seconds, last.depth,
                               "die letzte Probe liegt in " + metres(last.depth) +
                                   " m Tiefe: die Aufzeichnung wirkt abgeschnitten"});
    }
}

void addGases(const Dive& dive, PictureDive* p) {
    std::vector<int> breathed{dive.firstGas};
    for (size_t k = 0; k < dive.switches.size(); k++) {
        const DiveSwitch& w = dive.switches[k];
        DiveMinute gas = gasColumns(diveGas(dive, w.gas));
        p->switches.push_back({w.seconds, switchMinute(dive, k), gas});
        breathed.push_back(w.gas);
    }
    for (size_t k = 0; k < breathed.size(); k++) {
        bool seen = false;
        for (size_t j = 0; j < k; j++)
            seen = seen || breathed[j] == breathed[k];
        DiveGas gas = diveGas(dive, breathed[k]);
        if (!seen) p->mods.push_back({gasColumns(gas), gasModTenths(gas)});
    }
}

std::string dateAndTime(const std::string& date, const std::string& time) {
    if (date.empty()) return time;
    return time.empty() ? date : date + " " + time;
}

}  // namespace

PictureDive pictureNotes(const Dive& dive, const std::string& when,
                         const std::string& pauseSource) {
    PictureDive p;
    p.when = when;
    p.pauseSource = pauseSource;
    // The output stage refused longer profiles before writing.
    long long count = std::min(minuteCount(dive), kMostProfileMinutes);
    p.minutes.resize(static_cast<size_t>(count));
    if (count > 0) {
        long long got = diveMinutes(dive, 1, p.minutes.data(), count);
        p.minutes.resize(static_cast<size_t>(got));
    }
    addGases(dive, &p);
    for (const HeldGap& g : heldGaps(dive))
        p.spans.push_back({g.from, g.to, g.depth, false});
    DeepEnd end = deepEnd(dive);
    if (end.added) {
        p.spans.push_back({end.lastSeconds, end.heldUntil + end.ascentSeconds, end.depth, true});
    }
    addWarnings(dive, &p);
    return p;
}

std::vector<PictureDive> exportNotes(const Logbook& lb, const std::vector<Dive>& dives) {
    std::vector<PictureDive> notes;
    for (size_t i = 0; i < dives.size(); i++) {
        int d = dives[i].number;
        std::string source;
        if (i + 1 < dives.size()) {
            long long written = dives[i].intervalAfter;
            source = written == getMinutes(lb, d, kIntervalRow) ? "laut Export"
                     : written == loggedInterval(lb, d)         ? "laut Datum und Uhrzeit"
                                                                : "eingegeben";
        }
        notes.push_back(pictureNotes(
            dives[i], dateAndTime(fieldText(lb, d, kDateRow), fieldText(lb, d, kDescentRow)),
            source));
    }
    return notes;
}

std::vector<PictureDive> logNotes(const JoinedDives& joined, const std::vector<int>& chosen,
                                  const std::vector<Dive>& dives) {
    std::vector<PictureDive> notes;
    for (size_t k = 0; k < dives.size() && k < chosen.size(); k++) {
        const LogDive& dive = joined.dives[static_cast<size_t>(chosen[k])];
        std::string source;
        if (k + 1 < chosen.size()) {
            const LogDive& next = joined.dives[static_cast<size_t>(chosen[k + 1])];
            LogInterval i =
                intervalBetween(dive, next, followsInFile(joined, chosen[k], chosen[k + 1]));
            bool fromFile = i.chosen == i.fromFile && i.fromFile >= 0;
            source = dives[k].intervalAfter != i.chosen ? "eingegeben"
                     : fromFile                         ? "laut Datei"
                                                        : "laut Datum und Uhrzeit";
        }
        notes.push_back(pictureNotes(dives[k], dateAndTime(dive.date, dive.time), source));
    }
    return notes;
}

std::string picturePath(const std::string& profilePath) {
    size_t n = profilePath.size();
    if (n >= 4 && profilePath.compare(n - 4, 4, ".vdp") == 0) {
        return profilePath.substr(0, n - 4) + ".svg";
    }
    return profilePath + ".svg";
}

bool writePicture(const FileNames& names, const std::vector<Dive>& dives,
                  const std::vector<PictureDive>& notes) {
    std::string path = picturePath(names.profilePath);
    std::string shown = fileShownName(path);
    size_t slash = names.profilePath.find_last_of("/\\");
    std::string heading =
        slash == std::string::npos ? names.profilePath : names.profilePath.substr(slash + 1);
    // Only a file is replaced, and never the export itself.
    TextTarget target = textTarget(path.c_str());
    bool written = target != kTargetOther &&
                   !(target == kTargetFile && textSameFile(path.c_str(), names.exportPath.c_str()));
    TextOut* out = written ? textCreate(path.c_str()) : nullptr;
    if (out) {
        std::string svg = profilePicture(dives, notes, heading);
        textWrite(out, svg.data(), svg.size());
        written = textCommit(out);
    } else {
        written = false;
    }
    if (written) {
        printf("\nBild %s wurde gespeichert", shown.c_str());
    } else {
        printf(
            "\nERROR: Bild %s konnte nicht geschrieben werden;\n"
            "das Profil ist trotzdem gespeichert.",
            shown.c_str());
    }
    return written;
}
