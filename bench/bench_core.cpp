// SPDX-License-Identifier: GPL-3.0-or-later

// Costs of the calculations every edit of a string or fret view runs.
#include <benchmark/benchmark.h>

#include "frets/TemperamentFit.h"
#include "pitch/FrequencyRecord.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"
#include "sound/ToneImage.h"
#include "strings/StringRecord.h"

using namespace vorn;

static void BM_NoteFrequency(benchmark::State& state) {
    FrequencyRecord table;
    table.Compute(0.25, 440);
    int n = 0;
    for (auto _ : state) {
        NoteValue note{n & 127, static_cast<uint8_t>((n & 1) ? acc_sharp : acc_flat), 1};
        benchmark::DoNotOptimize(table.NoteFrequency(note));
        ++n;
    }
}
BENCHMARK(BM_NoteFrequency);

static void BM_PitchTableCompute(benchmark::State& state) {
    FrequencyRecord table;
    for (auto _ : state) {
        table.Compute(1.0 / 6.05, 415);
        benchmark::DoNotOptimize(table.Base);
    }
}
BENCHMARK(BM_PitchTableCompute);

// What one redraw of the fret view costs: prepare the record and both distances of every fret.
static void BM_PrepareWithAllDistances(benchmark::State& state) {
    const double fifth = TemperedFifth(0.25);
    for (auto _ : state) {
        FretRecord r;
        r.Length = 60;
        r.OpenNote = NoteValue{60, 0, 0};
        r.Prepare();
        double sum = 0;
        for (int fret = 1; fret <= 14; ++fret)
            sum += FretDistance(r.Length, MainCents(r, fifth, fret)) +
                   FretDistance(r.Length, AltCents(r, fifth, fret));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PrepareWithAllDistances);

static StringSettings defaultSettings() {
    return {};
}

static void BM_RecalculateMaterial(benchmark::State& state) {
    const StringSettings settings = defaultSettings();
    StringRecord row;
    row.Frequency = 392;
    row.Length = 60;
    row.TensionN = 34.3f;
    row.AltChoice = "Nylgut";
    for (auto _ : state) {
        Recalculate(row, rm_diameter, false, settings);
        benchmark::DoNotOptimize(row.GutDiameter);
    }
}
BENCHMARK(BM_RecalculateMaterial);

static void BM_RecalculateCatalogue(benchmark::State& state) {
    const StringSettings settings = defaultSettings();
    StringRecord row;
    row.Frequency = 49;
    row.Length = 70;
    row.TensionN = 29.4f;
    row.AltChoice = state.range(0) == 0 ? "Savarez" : "Kuerschner";
    for (auto _ : state) {
        Recalculate(row, rm_diameter, false, settings);
        benchmark::DoNotOptimize(row.AltLabel);
    }
}
BENCHMARK(BM_RecalculateCatalogue)->Arg(0)->Arg(1);

// Worst case: a string heavier than every row searches the whole catalogue.
static void BM_CatalogueLabel(benchmark::State& state) {
    TCatalogues catalogues;
    const int kind = static_cast<int>(state.range(0));
    const float tension = static_cast<float>(state.range(1));
    for (auto _ : state) {
        uint8_t index = 0;
        benchmark::DoNotOptimize(catalogues.CatalogueLabel(kind, index, 40, 70, tension));
    }
}
BENCHMARK(BM_CatalogueLabel)
    ->ArgsProduct({{mk_savarez, mk_pyramid, mk_kuerschner, mk_aquila}, {30, 5000}});

// What every press of a play button costs before the sound starts: a fresh one-second image.
static void BM_BuildToneImage(benchmark::State& state) {
    int32_t hz = 440;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildToneImage(hz, 60));
        hz = hz == 440 ? 392 : 440;
    }
}
BENCHMARK(BM_BuildToneImage)->Unit(benchmark::kMicrosecond);

// The temperament fit over all eleven frets, as the fit dialog runs it on every keystroke:
// it should stay well under 5 ms.
static void BM_FitTemperamentElevenFrets(benchmark::State& state) {
    const double fifth = TemperedFifth(0.2);
    FretRecord r;
    r.Length = 67;
    r.Prepare();
    FitInput in;
    in.Length = 67;
    for (int fret = 1; fret <= 11; ++fret)
        in.Distances[fret - 1] =
            FretDistance(67, MainCents(r, fifth, fret)) + 0.01 * (fret % 3 - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(FitTemperament(in));
}
BENCHMARK(BM_FitTemperamentElevenFrets)->Unit(benchmark::kMillisecond);
