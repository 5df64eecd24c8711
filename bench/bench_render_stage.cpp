// Rendered frames of the game scene on the OpenGL device at 800 x 600 (2048 x 2048 shadow map, three-
// target scene pass, edge filter, 2D, present), the same frame the game loop draws:
//   BM_RenderStage2Frame  the second stage ("Mapdata2") as the player first sees it
//   BM_RenderFloorFrame   the same scene and passes with the object list emptied: what the passes
//                         cost with nothing to draw
// Each run times 300 frames by the wall clock (llvmpipe renders on threads of its own) from the start
// of the draw to the end of the present, with the device drained at both ends; the objects' update
// runs between frames, untimed. The reported time is the mean; the counter "median_ms" is the median
// frame. Needs an X display: `xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bin/veldorin_bench
// --benchmark_filter=Render`; without one the benchmarks report an error and skip.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "app/SceneId.h"
#include "app/SceneMgr.h"
#include "bench/BenchRenderer.h"
#include "tests/support/ToonTestScene.h"

namespace {

constexpr int kFrames = 300;
constexpr int kWarmUpFrames = 5;  // the first frames compile the effect programs

void RenderGameFrames(benchmark::State& state, bool withObjects) {
    HWND window = nullptr;
    if (!StartBenchRenderer(state, window)) return;
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    Application::GetInstance().stageSelect = 1;
    {
        SceneMgr scenes;
        scenes.Start(SCENE_GAME);
        if (!withObjects) ClearObjects();
        auto frame = [&] {
            scenes.Update();
            device->Finish();
            const auto start = std::chrono::steady_clock::now();
            scenes.Draw();
            device->Present(nullptr, nullptr, nullptr, nullptr);
            device->Finish();
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        for (int i = 0; i < kWarmUpFrames; ++i) frame();
        std::vector<double> seconds;
        for (auto _ : state) {
            const double s = frame();
            state.SetIterationTime(s);
            seconds.push_back(s);
        }
        std::sort(seconds.begin(), seconds.end());
        if (!seconds.empty()) state.counters["median_ms"] = seconds[seconds.size() / 2] * 1000.0;
    }
    Application::GetInstance().stageSelect = 0;
    testscene::StopRenderer(window);
}

void BM_RenderStage2Frame(benchmark::State& state) { RenderGameFrames(state, true); }
BENCHMARK(BM_RenderStage2Frame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFrames);

void BM_RenderFloorFrame(benchmark::State& state) { RenderGameFrames(state, false); }
BENCHMARK(BM_RenderFloorFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFrames);

}  // namespace
