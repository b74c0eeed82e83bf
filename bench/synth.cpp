// The synthetic export generator: header rows shaped like a real logbook export, then one
// depth per dive and sample row, each dive a descent, a wandering bottom phase and an ascent.
#include "synth.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kMaxDives = 12;  // 12 dives still fit every row into 118 characters

// splitmix64: tiny, and its output does not depend on the standard library.
struct Rng {
    uint64_t state;
};

uint64_t next(Rng* rng) {
    uint64_t z = (rng->state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A number from lo to hi, both included.
int between(Rng* rng, int lo, int hi) {
    return lo + static_cast<int>(next(rng) % static_cast<uint64_t>(hi - lo + 1));
}

struct Dive {
    int mix1;  // -1: dash
    int mix2;  // -1: dash
    int rate;
    int interval;  // minutes
    int length;    // sample rows with a depth
    int maxDepth;  // tenths of a metre
};

Dive makeDive(Rng* rng, int samples, bool longest, int rate) {
    static const int kMix1[] = {21, 21, 32, 36, -1};
    static const int kMix2[] = {-1, -1, 50, 80};
    // Rates of today's computers: a million sample rows still make a profile of well under the
    // million minutes every door refuses.
    static const int kRates[] = {1, 2, 4};
    Dive d;
    d.mix1 = kMix1[between(rng, 0, 4)];
    d.mix2 = kMix2[between(rng, 0, 3)];
    d.rate = kRates[between(rng, 0, 2)];
    if (rate > 0) d.rate = rate;  // drawn all the same, so that the other values stay as they were
    d.interval = between(rng, 20, 299);
    d.length = longest ? samples : between(rng, (samples + 1) / 2, samples);
    d.maxDepth = between(rng, 100, 450);
    // Within Mix1's MOD, noise included: a dive beyond it asks whether to go on.
    if (d.mix1 == 36) d.maxDepth = std::min(d.maxDepth, 325);
    if (d.mix1 == 32) d.maxDepth = std::min(d.maxDepth, 380);
    return d;
}

// Depth in tenths at sample i (0-based): 10 % down, a noisy bottom, 10 % up.
int depthAt(Rng* rng, const Dive& d, int i) {
    int ramp = d.length / 10 + 1;
    int64_t depth = d.maxDepth;
    if (i < ramp) depth = int64_t{d.maxDepth} * i / ramp;
    if (d.length - 1 - i < ramp) depth = int64_t{d.maxDepth} * (d.length - 1 - i) / ramp;
    depth += between(rng, -15, 15);
    return depth < 0 ? 0 : static_cast<int>(depth);
}

// What the assisted mode will make of a dive with a second gas, followed sample by sample so
// that a million-row export need not be kept as numbers: the deepest sample from sample 1 on
// (the first of equal ones), the first sample after it within the MOD of mix2 (the suggested
// switch) and the deepest sample from the switch on (the MOD check).
struct SwitchWatch {
    int deepest = -1;  // tenths; -1: no sample from 1 on yet
    int suggested = -1;
    int deepestAfter = -1;
    int deepestFromTyped = -1;  // the deepest from the classic answer's sample on
};

// The assisted mode's MOD rule, multiplied out as it does it.
bool withinMod(int tenths, int oxygen) {
    return int64_t{tenths} * oxygen <= 16000 - 100 * int64_t{oxygen};
}

void watch(SwitchWatch* w, int mix2, int i, int tenths, int typedSample) {
    if (i >= typedSample) w->deepestFromTyped = std::max(w->deepestFromTyped, tenths);
    if (i < 1) return;
    if (tenths > w->deepest) {
        *w = SwitchWatch{tenths, -1, -1, w->deepestFromTyped};
    } else if (w->suggested < 0) {
        if (withinMod(tenths, mix2)) {
            w->suggested = i;
            w->deepestAfter = tenths;
        }
    } else if (tenths > w->deepestAfter) {
        w->deepestAfter = tenths;
    }
}

// By hand rather than with snprintf: a million-row export has ten million of these.
void appendTenths(std::string* out, int tenths) {
    *out += std::to_string(tenths / 10);
    *out += '.';
    *out += static_cast<char>('0' + tenths % 10);
}

void appendGas(std::string* out, int mix) {
    if (mix < 0) {
        *out += '-';
    } else {
        *out += std::to_string(mix);
    }
}

// One header row: the label, then what `field` gives for each dive.
template <typename Field>
void headerRow(std::string* csv, const char* label, const std::vector<Dive>& dives, Field field) {
    *csv += label;
    for (size_t j = 0; j < dives.size(); j++) {
        *csv += ',';
        field(csv, dives[j], static_cast<int>(j));
    }
    *csv += "\r\n";
}

void appendText(std::string* out, const char* text) {
    *out += text;
}

void appendClock(std::string* out, int minutes) {
    char text[32];
    snprintf(text, sizeof text, "%02d:%02d", minutes / 60 % 24, minutes % 60);
    *out += text;
}

void writeHeader(std::string* csv, const std::vector<Dive>& dives) {
    using S = std::string;
    headerRow(csv, "Tauchcomputer", dives, [](S* o, const Dive&, int) { appendText(o, "SH 2"); });
    headerRow(csv, "Tauchgangsnummer", dives,
              [](S* o, const Dive&, int j) { *o += std::to_string(101 + j); });
    headerRow(csv, "Datum", dives, [](S* o, const Dive&, int j) {
        char text[32];
        snprintf(text, sizeof text, "%02d.06.26", 1 + j / 3);
        *o += text;
    });
    headerRow(csv, "Bergmodus", dives, [](S* o, const Dive&, int) { appendText(o, "0"); });
    headerRow(csv, "Tauchplatz", dives,
              [](S* o, const Dive&, int j) { appendText(o, j % 2 ? "Wrack" : "Riff"); });
    headerRow(csv, "Einheiten", dives, [](S* o, const Dive&, int) { appendText(o, "m"); });
    headerRow(csv, "Max. Tiefe", dives,
              [](S* o, const Dive& d, int) { appendTenths(o, d.maxDepth); });
    headerRow(csv, "Durchschnittstiefe", dives,
              [](S* o, const Dive& d, int) { appendTenths(o, d.maxDepth * 2 / 3); });
    headerRow(csv, "Wassertemperatur", dives, [](S* o, const Dive&, int) { appendText(o, "16"); });
    headerRow(csv, "Tauchzeit", dives, [](S* o, const Dive& d, int) {
        *o += std::to_string(static_cast<int64_t>(d.length) * d.rate / 60);
    });
    headerRow(csv, "Abtauchzeit", dives,
              [](S* o, const Dive&, int j) { appendClock(o, 480 + 150 * (j % 3)); });
    headerRow(csv, "Auftauchzeit", dives,
              [](S* o, const Dive&, int j) { appendClock(o, 530 + 150 * (j % 3)); });
    headerRow(csv, "Oberflaechenpause", dives, [](S* o, const Dive& d, int) {
        char text[32];
        snprintf(text, sizeof text, "%d:%02d", d.interval / 60, d.interval % 60);
        *o += text;
    });
    headerRow(csv, "Sicherheitsfaktor", dives, [](S* o, const Dive&, int) { appendText(o, "0"); });
    headerRow(csv, "Samplingrate", dives,
              [](S* o, const Dive& d, int) { *o += std::to_string(d.rate); });
    headerRow(csv, "Mix1", dives, [](S* o, const Dive& d, int) { appendGas(o, d.mix1); });
    headerRow(csv, "Mix2", dives, [](S* o, const Dive& d, int) { appendGas(o, d.mix2); });
    const char* warnings[] = {"Dekotauchgang", "Dekostopp verletzt", "PO2 Warnung",
                              "CNS Warnung",   "Tiefenwarnung",      "Aufstieg zu schnell"};
    for (const char* label : warnings) {
        headerRow(csv, label, dives, [](S* o, const Dive&, int) { appendText(o, "nein"); });
    }
}

// The classic answer's switch: 5:00 fits every dive once the export has 1000 sample rows (the
// shortest dive then lasts 500 samples of 1 s or more); smaller exports answer 0:00, which every
// dive accepts. Its sample, as the classic entry takes it.
const char* typedSwitch(int samples) {
    return samples >= 1000 ? "5:00\n" : "0:00\n";
}
int typedSample(int samples, int rate) {
    return (samples >= 1000 ? 300 : 0) / rate + 1;
}

// Answers: the name, a switch time for each dive with two gases and 'y' where the MOD is passed
// after it, "y" to every interval, then 'y' to a profile too long for the planner (or the final
// Enter when it is not) and the final Enter.
std::string makeAnswers(const std::vector<Dive>& dives, const std::vector<SwitchWatch>& watches,
                        int samples, const std::string& base) {
    std::string answers = base + "\n";
    for (size_t j = 0; j < dives.size(); j++) {
        const Dive& d = dives[j];
        if (d.mix1 != -1 && d.mix2 != -1) {
            answers += typedSwitch(samples);
            if (!withinMod(watches[j].deepestFromTyped, d.mix2)) answers += "y\n";
        }
        if (j + 1 != dives.size()) answers += "y\n";
    }
    return answers + "y\n\n";
}

// The assisted mode asks about every dive whose mix2 is a share, and never for the name: the
// suggested switch is typed as the time it shows.
std::string makeAssistedAnswers(const std::vector<Dive>& dives,
                                const std::vector<SwitchWatch>& watches, int* suggestions) {
    std::string answers;
    *suggestions = 0;
    for (size_t j = 0; j < dives.size(); j++) {
        const Dive& d = dives[j];
        const SwitchWatch& w = watches[j];
        if (d.mix2 != -1 && w.suggested < 0) answers += "-\n";
        if (d.mix2 != -1 && w.suggested >= 0) {
            long long seconds = static_cast<long long>(w.suggested) * d.rate;
            char text[32];
            snprintf(text, sizeof text, "%lld:%02lld\n", seconds / 60, seconds % 60);
            answers += text;
            ++*suggestions;
            if (!withinMod(w.deepestAfter, d.mix2)) answers += "y\n";
        }
        if (j + 1 != dives.size()) answers += "y\n";
    }
    return answers + "y\n\n";
}

}  // namespace

SynthExport makeSyntheticExport(uint64_t seed, int dives, int samples, const std::string& baseName,
                                int rate) {
    if (dives < 1) dives = 1;
    if (dives > kMaxDives) dives = kMaxDives;
    if (samples < 0) samples = 0;
    Rng rng{seed};
    std::vector<Dive> list;
    int longest = between(&rng, 0, dives - 1);
    for (int j = 0; j < dives; j++)
        list.push_back(makeDive(&rng, samples, j == longest, rate));

    SynthExport out;
    out.csv.reserve(static_cast<size_t>(samples) * (9 + 5 * dives) + 4096);
    writeHeader(&out.csv, list);
    std::vector<SwitchWatch> watches(list.size());
    for (int i = 0; i < samples; i++) {
        out.csv += std::to_string(i + 1);
        for (size_t j = 0; j < list.size(); j++) {
            const Dive& d = list[j];
            out.csv += ',';
            if (i >= d.length) continue;
            int tenths = depthAt(&rng, d, i);
            appendTenths(&out.csv, tenths);
            if (d.mix2 != -1) watch(&watches[j], d.mix2, i, tenths, typedSample(samples, d.rate));
        }
        out.csv += "\r\n";
    }
    out.answers = makeAnswers(list, watches, samples, baseName);
    out.assistedAnswers = makeAssistedAnswers(list, watches, &out.suggestions);
    out.rows = 23 + samples;
    return out;
}

bool writeWholeFile(const std::string& path, const std::string& text) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && ok;
}
