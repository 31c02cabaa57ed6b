// SPDX-License-Identifier: MIT
// vantrel-bench-logic: the game's logic on the host without a display, per operation, each
// beside a baseline of the plain work it is built on. Takes Google Benchmark's options.
#include "game/flying.h"
#include "game/hints.h"
#include "game/results.h"
#include "headless_game.h"
#include "model/aircraft_movement.h"
#include "model/format_by_pattern.h"
#include "model/navigation.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// Flies an octagon 60 units across from the middle of the map, turning right every fifth
// step, so that the aircraft never leaves the map however long the benchmark runs.
class Octagon {
public:
    explicit Octagon(SearchState& s) : s_(s) {
        s_.aircraftX = 100;
        s_.aircraftY = 100;
        s_.heading = 0;
    }
    void beforeStep() {
        if (++steps_ % 5 == 0) s_.heading = turnedRight(s_.heading);
    }

private:
    SearchState& s_;
    int steps_ = 0;
};

void stepAircraftBench(benchmark::State& state) {
    bench::HeadlessGame g;
    Octagon route(g.game.search);
    while (state.KeepRunning()) {
        route.beforeStep();
        stepAircraft(g.game);
    }
    state.SetItemsProcessed(state.iterations());
}

// Baseline: the movement alone, without the readouts and instruments a step brings up to date.
void moveOneStepBench(benchmark::State& state) {
    bench::HeadlessGame g;
    Octagon route(g.game.search);
    while (state.KeepRunning()) {
        route.beforeStep();
        moveOneStep(g.game.search);
        benchmark::DoNotOptimize(g.game.search.aircraftX);
    }
    state.SetItemsProcessed(state.iterations());
}

void giveHintBench(benchmark::State& state) {
    bench::HeadlessGame g;
    // From the third hint on, every hint has the same, longest wording.
    while (state.KeepRunning())
        giveHint(g.game);
}

void hintTextBench(benchmark::State& state) {
    bench::HeadlessGame g;
    g.game.search.hintCount = 3;
    while (state.KeepRunning())
        benchmark::DoNotOptimize(hintText(g.game.search));
}

void resultsTextBench(benchmark::State& state) {
    bench::HeadlessGame g;
    g.game.search.distanceFlown = 42.5f;
    g.game.search.firstSignalDistance = 12.25f;
    const int showBearing = int(state.range(0));
    while (state.KeepRunning())
        benchmark::DoNotOptimize(resultsText(g.game.search, showBearing));
}

void showResultsBench(benchmark::State& state) {
    bench::HeadlessGame g;
    g.game.search.distanceFlown = 42.5f;
    while (state.KeepRunning())
        showResults(g.game);
}

constexpr std::array patterns{"###.#", "##0.0", "000", "###", "###,###", "##0.#", "###0.0"};

std::vector<double> someValues() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-500, 5000);
    std::vector<double> values(1024);
    for (auto& v : values)
        v = value(random);
    return values;
}

void formatByPatternBench(benchmark::State& state) {
    const auto values = someValues();
    const char* pattern = patterns[std::size_t(state.range(0))];
    std::size_t i = 0;
    while (state.KeepRunning())
        benchmark::DoNotOptimize(formatByPattern(values[i++ & 1023], pattern));
    state.SetLabel(pattern);
}

// Baseline: the C library writing a number with one decimal into a string.
void snprintfBench(benchmark::State& state) {
    const auto values = someValues();
    std::size_t i = 0;
    while (state.KeepRunning()) {
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%.1f", values[i++ & 1023]);
        benchmark::DoNotOptimize(std::string(text, std::size_t(n)));
    }
}

struct Leg {
    std::int16_t fromX, fromY, toX, toY;
};

std::vector<Leg> someLegs() {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> unit(0, 200);
    std::vector<Leg> legs(1024);
    for (auto& l : legs)
        l = {std::int16_t(unit(random)), std::int16_t(unit(random)), std::int16_t(unit(random)),
             std::int16_t(unit(random))};
    return legs;
}

void distanceAndBearingBench(benchmark::State& state) {
    const auto legs = someLegs();
    std::size_t i = 0;
    while (state.KeepRunning()) {
        const Leg& l = legs[i++ & 1023];
        benchmark::DoNotOptimize(distanceAndBearing(l.fromX, l.fromY, l.toX, l.toY, 4));
    }
}

// Baseline: the two library calls any distance and bearing needs.
void hypotAtan2Bench(benchmark::State& state) {
    const auto legs = someLegs();
    std::size_t i = 0;
    while (state.KeepRunning()) {
        const Leg& l = legs[i++ & 1023];
        const float dx = float(l.toX - l.fromX), dy = float(l.toY - l.fromY);
        benchmark::DoNotOptimize(std::hypot(dx, dy) / 4);
        benchmark::DoNotOptimize(std::atan2(dx, -dy));
    }
}

// Prints the table as usual and, at the end, the step against its goal.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            if (run.run_name.function_name == "stepAircraft" && !run.error_occurred)
                stepNs_ = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (stepNs_ < 0) return;
        std::printf("stepAircraft: %.3f us per step (goal: under 2 us): %s\n", stepNs_ / 1000,
                    stepNs_ < 2000 ? "met" : "MISSED");
    }

private:
    double stepNs_ = -1;
};

} // namespace

int main(int argc, char** argv) {
    using benchmark::RegisterBenchmark;
    RegisterBenchmark("stepAircraft", stepAircraftBench);
    RegisterBenchmark("baseline:moveOneStep", moveOneStepBench);
    RegisterBenchmark("giveHint", giveHintBench);
    RegisterBenchmark("hintText", hintTextBench);
    RegisterBenchmark("resultsText", resultsTextBench)->ArgName("showBearing")->Arg(0)->Arg(1);
    RegisterBenchmark("showResults", showResultsBench);
    RegisterBenchmark("formatByPattern", formatByPatternBench)
        ->ArgName("pattern")
        ->DenseRange(0, int(patterns.size()) - 1);
    RegisterBenchmark("baseline:snprintf%.1f", snprintfBench);
    RegisterBenchmark("distanceAndBearing", distanceAndBearingBench);
    RegisterBenchmark("baseline:hypot+atan2", hypotAtan2Bench);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
