// One rendered frame of the test stage on the OpenGL device at 800 x 600: the shadow pass, the scene
// pass into three targets, the ice patch and the edge filter, then the present. Needs an X display:
// run it under `xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bin/veldorin_bench`; without one the
// benchmark reports an error and skips.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/BenchRenderer.h"
#include "tests/support/ToonTestScene.h"

namespace {

void BM_ToonSceneFrame(benchmark::State& state) {
    HWND window = nullptr;
    if (!StartBenchRenderer(state, window)) return;
    testscene::BuildScene();
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    // The first frames compile the effect programs.
    for (int i = 0; i < 3; ++i) {
        testscene::DrawFrame();
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    for (auto _ : state) {
        testscene::DrawFrame();
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    testscene::StopRenderer(window);
}
BENCHMARK(BM_ToonSceneFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
