// Cost of one idle poll tick and of one drag tick over 10, 100 and 1,000
// windows, and of a drag tick over 100 with the map shown (DragTickWithMap,
// against DragTick/100: at most 1.2 times). The stand-in's share (its call log above all) is in the wall
// time; tools/bench/host.sh separates our own instructions with callgrind.
//
// VESKAL_BENCH_ITERATIONS=n fixes the iteration count, so that a callgrind
// total divides by a known number of calls.
#include <benchmark/benchmark.h>
#include <winsim.h>

#include <cstdlib>

#include "app/loop.h"
#include "app/program.h"
#include "app/startup.h"
#include "app/tray.h"
#include "pan/poll.h"

namespace {

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);

// The program started as WinMain starts it, on a 1024 x 768 desktop with
// `windows` ordinary windows and the default settings.
void StartOn(int64_t windows) {
    sim::Reset();
    program = Program();
    pan = PanState();
    trayIcon = NOTIFYICONDATAA();
    sim::SetModulePath("/nonexistent/veskal.exe");
    sim::AddDesktop({0, 0, 1024, 768});
    for (int64_t i = 0; i < windows; ++i) {
        LONG x = (LONG)(i * 37 % 800), y = (LONG)(i * 23 % 600);
        sim::AddWindow({"TestWindow", "", {x, y, x + 200, y + 150}});
    }
    if (!StartUp(kInstance)) std::abort();
    sim::ClearCalls();
}

void Tick() {
    LoopTick();
}

// Chord up, button up: the tick the program runs 100 times a second all day.
void IdleTick(benchmark::State& state) {
    StartOn(10);
    for (auto _ : state) {
        Tick();
        sim::ClearCalls();  // or the stand-in's log grows without end
    }
}

// Chord and button held, the mouse moving one pixel back and forth: every
// tick is a drag step with a shift pass over all windows, and, with the map
// shown, a drawing of it.
void Drag(benchmark::State& state, bool map) {
    StartOn(state.range(0));
    program.settings.showMap = map;
    sim::SetKey(VK_SHIFT, true);
    sim::SetKey(VK_CONTROL, true);
    sim::SetCursor(500, 400);
    Tick();
    sim::SetKey(VK_LBUTTON, true);
    Tick();
    LONG x = 500;
    for (auto _ : state) {
        x ^= 1;
        sim::SetCursor(x, 400);
        Tick();
        sim::ClearCalls();
    }
    state.SetComplexityN(state.range(0));
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
    } else {
        drag->Complexity(benchmark::oN);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
