// The game's CPU cost on stage 2 (The Statue Hall), run whole on the headless platform as the runner
// runs it: one update pass with more and more ice patches on the floor, a whole frame (update, every
// draw built and submitted to the headless device, present) with the heap allocations it makes, and
// the load of the stage's resource lists and placement.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>

#include "loading/ObjectPlacement.h"
#include "loading/ResourceLoader.h"
#include "objects/ColdObject.h"
#include "scenes/GameScene.h"
#include "tests/support/AllocationCount.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/IcePatches.h"

namespace {

constexpr int kStage2 = 1;
constexpr int kSettleFrames = 120;     // the player lands, the statue turns, new patches grow
constexpr int kRefreshPeriod = 1024;   // frames between two refreshes of the patches (outside the measure)

using Clock = std::chrono::steady_clock;

// Patches last a minute of frames; a long measure keeps them young so the stage stays as laid.
void RefreshPatches() {
    for (CharacterBase* object : GetObjectList())
        if (object->kind == KIND_COLD) static_cast<ColdObject*>(object)->age = 0;
}

// Stage 2 started in the headless game, settled, with the patches laid and grown.
struct Stage2 {
    explicit Stage2(int patches) : game(VELDORIN_GAME_DIR, SCENE_GAME, kStage2) {
        if (!game.Started()) return;
        for (int i = 0; i < kSettleFrames; ++i) game.Frame();
        laid = LayIcePatches(patches);
        for (int i = 0; i < kSettleFrames; ++i) game.Frame();
    }
    HeadlessGame game;
    int laid = 0;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// This thread's CPU time: other processes on a busy machine do not count against the update.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One update pass (the devices, every object's update, the dead removed, the camera, the fade), in
// CPU time of the game's thread. The draws still run after it, untimed, so that every frame is the
// game's own.
void BM_Stage2Update(benchmark::State& state) {
    Stage2 stage(static_cast<int>(state.range(0)));
    if (!stage.game.Started()) return state.SkipWithError("stage 2 did not start");
    int64_t frames = 0;
    for (auto _ : state) {
        if (++frames % kRefreshPeriod == 0) RefreshPatches();
        const double start = ThreadCpuSeconds();
        stage.game.Update();
        state.SetIterationTime(ThreadCpuSeconds() - start);
        stage.game.Draw();
        stage.game.EndFrame();
    }
    state.counters["patches"] = stage.laid;
    state.counters["objects"] = static_cast<double>(GetObjectList().size());
}
// A fixed count of frames: the timed part is a small share of each, so a time budget would run long.
BENCHMARK(BM_Stage2Update)->Arg(0)->Arg(100)->Arg(300)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The game's CPU time for a whole frame (read the CPU column): update, every draw built and submitted
// through the headless device, present. Counts the heap allocations of the measured frames
// (refreshes excluded).
void BM_Stage2Frame(benchmark::State& state) {
    Stage2 stage(static_cast<int>(state.range(0)));
    if (!stage.game.Started()) return state.SkipWithError("stage 2 did not start");
    int64_t frames = 0;
    allocations::Start();
    for (auto _ : state) {
        if (++frames % kRefreshPeriod == 0) {
            allocations::Pause();
            RefreshPatches();
            allocations::Resume();
        }
        stage.game.Frame();
    }
    const uint64_t allocated = allocations::Stop();
    state.counters["patches"] = stage.laid;
    if (allocations::Countable())
        state.counters["allocs_per_frame"] = static_cast<double>(allocated) / static_cast<double>(frames ? frames : 1);
}
BENCHMARK(BM_Stage2Frame)->Arg(300)->Unit(benchmark::kMicrosecond);

// The load on entering stage 2: the game's common list, the stage's map list and its placement, from
// cold caches, paced in lock step as the runner paces it (no loading-screen sleeps).
void BM_Stage2Load(benchmark::State& state) {
    for (auto _ : state) {
        HeadlessGame game(VELDORIN_GAME_DIR, SCENE_CONTINUE);
        if (!game.Started()) return state.SkipWithError("the game did not start");
        const auto start = Clock::now();
        ResourceLoader::GetInstance().Load("Data/txt/Game.txt");
        ResourceLoader::GetInstance().Load(GameScene::MapList(kStage2));
        ObjectPlacement(GameScene::Placement(kStage2));
        state.SetIterationTime(Seconds(Clock::now() - start));
        state.counters["objects"] = static_cast<double>(GetObjectList().size());
    }
}
BENCHMARK(BM_Stage2Load)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
