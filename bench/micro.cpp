// In-process microbenchmarks of the stages that grow with the export: loading the line table,
// counting every dive's samples, the assisted review's pass over a dive, and writing the profile.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "assist/gas.h"
#include "assist/scan.h"
#include "dialogue/output.h"
#include "export/profile.h"
#include "import/divetable.h"
#include "import/fields.h"
#include "import/logbook.h"
#include "platform/console.h"
#include "support/samples.h"
#include "synth.h"
#include "test_seams.h"

namespace {

constexpr int kDives = 10;
constexpr uint64_t kSeed = 1;

std::string workDir;
std::map<int, long> exportBytes;  // sample rows -> size of the export now in workDir
int loadedSamples = -1;           // the export now in `loaded`
Logbook loaded;
std::vector<DiveRecord> dives;

// Writes big.csv for this many sample rows, unless it is already there.
void prepareExport(int samples) {
    if (exportBytes.count(samples)) return;
    exportBytes.clear();
    loadedSamples = -1;
    SynthExport e = makeSyntheticExport(kSeed, kDives, samples, "big");
    if (!writeWholeFile("big.csv", e.csv)) abort();
    exportBytes[samples] = static_cast<long>(e.csv.size());
}

// Loads big.csv as the program does.
void loadExport() {
    if (loadLogbook(namesFromBase("big"), &loaded) != 0) abort();
    loaded.dives = countDives(loaded);
}

void ensureLoaded(int samples) {
    prepareExport(samples);
    if (loadedSamples == samples) return;
    loadExport();
    loadedSamples = samples;
    dives = fillDiveTable(loaded);
}

void setCounters(benchmark::State& state, int samples) {
    state.SetBytesProcessed(state.iterations() * exportBytes[samples]);
    state.SetItemsProcessed(state.iterations() * (23 + samples));
}

void BM_Load(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    prepareExport(samples);
    for (auto _ : state)
        loadExport();
    loadedSamples = samples;
    dives = fillDiveTable(loaded);
    setCounters(state, samples);
}

// countSamples dive by dive, one pass over the rows each, as the dive table once did.
void BM_CountSamplesPerDive(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    ensureLoaded(samples);
    for (auto _ : state) {
        for (int d = 1; d <= loaded.dives; d++)
            benchmark::DoNotOptimize(countSamples(loaded, d));
    }
    setCounters(state, samples);
}

// Every dive's count in one pass, as the dive table does now.
void BM_CountSamplesOnePass(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    ensureLoaded(samples);
    std::vector<int> counts(loaded.dives);
    for (auto _ : state) {
        countAllSamples(loaded, counts.data());
        benchmark::ClobberMemory();
    }
    setCounters(state, samples);
}

void BM_DiveTable(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    ensureLoaded(samples);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fillDiveTable(loaded));
        benchmark::ClobberMemory();
    }
    setCounters(state, samples);
}

// The writer's reads of the table alone: every second sample of every dive, no output. Set
// against BM_Writer it shows what the ten passes over a table larger than the caches cost.
void BM_ReadDepths(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    ensureLoaded(samples);
    for (auto _ : state) {
        double sum = 0;
        for (const DiveRecord& r : dives) {
            for (int s = 1; s < r.sampleCount; s += 2)
                sum += readDepth(loaded, r.number, kFirstSampleRow + s);
        }
        benchmark::DoNotOptimize(sum);
    }
    setCounters(state, samples);
}

// The assisted review's pass over each dive with a second gas: suggestion, MOD check, picture.
void BM_AssistedScan(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    ensureLoaded(samples);
    for (auto _ : state) {
        for (const DiveRecord& r : dives) {
            if (gasKnown(r.mix2)) benchmark::DoNotOptimize(suggestedSwitch(loaded, r));
        }
    }
    setCounters(state, samples);
}

// The review's answers as the driver gives them: a switch at sample 31 where there are two gases.
void reviewAsScripted() {
    dives = fillDiveTable(loaded);
    for (DiveRecord& r : dives) {
        if (r.mix1 == -1) r.mix1 = 21;
        if (r.mix2 != -1) r.switchSample = 31;
    }
}

void BM_Writer(benchmark::State& state) {
    int samples = static_cast<int>(state.range(0));
    ensureLoaded(samples);
    for (auto _ : state) {
        state.PauseTiming();
        unlink("big.vdp");  // else it asks before replacing the file
        reviewAsScripted();
        state.ResumeTiming();
        if (writeProfile(loaded.names, exportDives(loaded, dives), false) != kWritten) abort();
    }
    setCounters(state, samples);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Load)->Apply(sizes);
BENCHMARK(BM_CountSamplesPerDive)->Apply(sizes);
BENCHMARK(BM_CountSamplesOnePass)->Apply(sizes);
BENCHMARK(BM_DiveTable)->Apply(sizes);
BENCHMARK(BM_ReadDepths)->Apply(sizes);
BENCHMARK(BM_AssistedScan)->Apply(sizes);
BENCHMARK(BM_Writer)->Apply(sizes);

}  // namespace

// The converter prints its dialogue to stdout, so stdout goes to /dev/null and the report to
// the original standard output.
int main(int argc, char** argv) {
    const char* parent = getenv("TMPDIR");
    std::string pattern =
        std::string(parent && *parent ? parent : "/tmp") + "/csv2vdp-micro-XXXXXX";
    if (!mkdtemp(&pattern[0]) || chdir(pattern.c_str()) != 0) return 1;
    workDir = pattern;
    int kept = dup(1);
    if (kept < 0 || !freopen("/dev/null", "w", stdout)) return 1;
    // Appending: opened anew, a redirected output file would otherwise be cut to nothing.
    std::ofstream report("/dev/fd/" + std::to_string(kept), std::ios::app);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_None);
    reporter.SetOutputStream(&report);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    unlink("big.csv");
    unlink("big.vdp");
    return chdir("/") == 0 && rmdir(workDir.c_str()) == 0 ? 0 : 1;
}
