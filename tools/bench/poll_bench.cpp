// The core's cost: one idle tick, and one drag tick (the engine's step, the
// shift pass's plan and its bookkeeping) over 10, 100 and 1,000 windows, with and without
// the map's layout (DragTickWithMap against DragTick/100: at most 1.2
// times). The system's share is not here: tools/bench/wine.sh measures the
// real program under Wine.
//
// VESKAL_BENCH_ITERATIONS=n fixes the iteration count, so that a callgrind
// total divides by a known number of calls.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "pan/engine.h"
#include "pan/map.h"
#include "pan/passes.h"

namespace {

const Rect32 kScreen = {0, 0, 1024, 768};

struct Desk {
    Settings settings;
    ChordKeys chord = MakeChord(settings.activationKeys);
    PanState pan = {};
    std::vector<WindowInfo> windows;
    std::vector<Move> moves;
    std::vector<Rect32> placed;
    Placements placements;
    MapPicture picture;
};

// `count` ordinary windows, the view at the centre of a 3 x 3 plane.
void Fill(Desk& d, int64_t count) {
    d.pan.halfExtent = {1024, 768};
    for (int64_t i = 0; i < count; ++i) {
        int32_t x = (int32_t)(i * 37 % 800), y = (int32_t)(i * 23 % 600);
        d.windows.push_back({(WindowId)(i + 100), true, false, "Notepad", {x, y, x + 200, y + 150}});
    }
}

// Chord up, button up: the tick of every key change and safety wake-up.
void IdleTick(benchmark::State& state) {
    Desk d;
    PollInput in = {};
    for (auto _ : state) benchmark::DoNotOptimize(PollTick(d.pan, d.settings, d.chord, true, in));
}

// Chord and button held, the mouse moving one pixel back and forth.
void Drag(benchmark::State& state, bool map) {
    Desk d;
    Fill(d, state.range(0));
    PollInput in = {};
    in.down.set(16).set(17).set(1);
    in.cursorKnown = true;
    in.cursor = {500, 400};
    PollTick(d.pan, d.settings, d.chord, true, in);
    for (auto _ : state) {
        in.cursor.x ^= 1;
        PanActions act = PollTick(d.pan, d.settings, d.chord, true, in);
        PlanShift(act.step, d.windows, {1, 2, 3, 0}, d.moves, d.placed, d.placements);
        RecordMoves(d.placements, d.windows, d.moves);
        for (size_t i = 0; i < d.windows.size(); ++i) d.windows[i].rect = d.placed[i];  // every move taken
        if (map) LayOutMap({kScreen, kScreen, 2, 2, 4, d.pan.offset}, d.placed, {}, d.picture);
        benchmark::DoNotOptimize(d.moves.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void DragTick(benchmark::State& state) {
    Drag(state, false);
}

void DragTickWithMap(benchmark::State& state) {
    Drag(state, true);
}

}  // namespace

int main(int argc, char** argv) {
    auto* idle = benchmark::RegisterBenchmark("IdleTick", IdleTick);
    auto* drag = benchmark::RegisterBenchmark("DragTick", DragTick)->Arg(10)->Arg(100)->Arg(1000);
    auto* map = benchmark::RegisterBenchmark("DragTickWithMap", DragTickWithMap)->Arg(100);
    const char* fixed = std::getenv("VESKAL_BENCH_ITERATIONS");
    benchmark::IterationCount n = fixed ? std::strtoll(fixed, nullptr, 10) : 0;
    if (n > 0) {
        idle->Iterations(n);
        drag->Iterations(n);
        map->Iterations(n);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
