// Rendered frames of the game scene on the OpenGL device at 800 x 600 (2048 x 2048 shadow map, three-
// target scene pass, edge filter, 2D, present), the same frame the game loop draws:
//   BM_RenderStage2Frame  the second stage ("Mapdata2") as the player first sees it
//   BM_RenderFloorFrame   the same scene and passes with the object list emptied: what the passes
//                         cost with nothing to draw
//   BM_RenderStage2FlatFrame  stage 2 again with the toon effect's pixels written flat (one colour,
//                         the depth, a fixed normal): every draw, target and pass as before, no shading.
//                         What drawing the stage costs before any of its pixel work, so the bound of
//                         what cutting that work could give
//   BM_RenderPlace/P/Q/O      place P (0 hub, 1 stage 1, 2 stage 2) in picture Q (0 full, 1 light), with
//                         its objects (O 1) or without them, its floor (O 0); the counters give the draws
//                         per frame of each pass asked for and submitted after culling
// The three above draw the full picture. Each run times 300 frames (BM_RenderPlace 100) by the wall clock (llvmpipe renders on threads of its own) from the start
// of the draw to the end of the present, with the device drained at both ends; the objects' update
// runs between frames, untimed. The reported time is the mean; the counter "median_ms" is the median
// frame. Needs an X display: `xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bin/veldorin_bench
// --benchmark_filter=Render`; without one the benchmarks report an error and skip.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/SceneId.h"
#include "app/SceneMgr.h"
#include "bench/BenchRenderer.h"
#include "graphics/DrawCulling.h"
#include "platform/Platform.h"
#include "tests/support/ToonTestScene.h"

namespace {

constexpr int kFrames = 300;
constexpr int kWarmUpFrames = 5;  // the first frames compile the effect programs

namespace fs = std::filesystem;

// A content tree beside the built one that links every file but the toon effect, whose shading is
// replaced by flat writes. Empty when the effect no longer has the function this rewrites.
std::string FlatToonContent() {
    const fs::path game = VELDORIN_GAME_DIR;
    const fs::path flat = fs::temp_directory_path() / "veldorin_bench_flat";
    std::stringstream text;
    text << std::ifstream(game / "Shader/MyShader.fx").rdbuf();
    std::string effect = text.str();
    const std::string shade = "void ShadeToon(bool lit) {\n";
    const size_t at = effect.find(shade);
    if (at == std::string::npos) return {};
    effect.insert(at + shade.size(),
                  "    outColor0 = vec4(Diffuse.rgb, 1.0);\n    outColor1 = vec4(vViewZ, 0.0, 0.0, 1.0);\n"
                  "    outColor2 = vec4(0.5, 0.5, 1.0, 1.0);\n    return;\n");
    fs::remove_all(flat);
    fs::create_directories(flat / "Shader");
    for (const fs::directory_entry& entry : fs::directory_iterator(game)) {
        if (entry.path().filename() != "Shader") fs::create_directory_symlink(entry.path(), flat / entry.path().filename());
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(game / "Shader")) {
        if (entry.path().filename() != "MyShader.fx") fs::create_symlink(entry.path(), flat / "Shader" / entry.path().filename());
    }
    std::ofstream(flat / "Shader/MyShader.fx") << effect;
    return flat.string();
}

// What a run draws: the scene and stage, and the picture.
struct Shown {
    int scene = SCENE_GAME;
    int stage = 1;
    platform::PictureQuality picture = platform::PictureQuality::Full;
};

void CountDraws(benchmark::State& state, size_t frames) {
    if (!frames) return;
    for (int pass = 0; pass < kDrawPassCount; ++pass) {
        const DrawCount& count = DrawCulling::Counts()[pass];
        const std::string name = DrawPassName(static_cast<DrawPass>(pass));
        state.counters[name + "_asked"] = static_cast<double>(count.asked) / static_cast<double>(frames);
        state.counters[name + "_submitted"] = static_cast<double>(count.submitted) / static_cast<double>(frames);
    }
}

void RenderGameFrames(benchmark::State& state, bool withObjects, const std::string& gameDir = VELDORIN_GAME_DIR,
                      Shown shown = Shown{}) {
    HWND window = nullptr;
    if (!StartBenchRenderer(state, window, gameDir)) return;
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    Application::GetInstance().stageSelect = shown.stage;
    platform::GetSettings().picture = shown.picture;
    {
        SceneMgr scenes;
        scenes.Start(shown.scene);
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
        DrawCulling::Reset();
        std::vector<double> seconds;
        for (auto _ : state) {
            const double s = frame();
            state.SetIterationTime(s);
            seconds.push_back(s);
        }
        std::sort(seconds.begin(), seconds.end());
        if (!seconds.empty()) state.counters["median_ms"] = seconds[seconds.size() / 2] * 1000.0;
        CountDraws(state, seconds.size());
    }
    Application::GetInstance().stageSelect = 0;
    platform::GetSettings().picture = platform::PictureQuality::Auto;
    testscene::StopRenderer(window);
}

void BM_RenderStage2Frame(benchmark::State& state) { RenderGameFrames(state, true); }
BENCHMARK(BM_RenderStage2Frame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFrames);

void BM_RenderFloorFrame(benchmark::State& state) { RenderGameFrames(state, false); }
BENCHMARK(BM_RenderFloorFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFrames);

void BM_RenderStage2FlatFrame(benchmark::State& state) {
    const std::string flat = FlatToonContent();
    if (flat.empty()) {
        state.SkipWithError("the toon effect has no ShadeToon to flatten");
        return;
    }
    RenderGameFrames(state, true, flat);
    fs::remove_all(flat);
}
BENCHMARK(BM_RenderStage2FlatFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFrames);

void BM_RenderPlace(benchmark::State& state) {
    Shown shown;
    const int place = static_cast<int>(state.range(0));
    shown.scene = place == 0 ? SCENE_TITLE : SCENE_GAME;
    shown.stage = place == 2 ? 1 : 0;
    shown.picture = state.range(1) ? platform::PictureQuality::Light : platform::PictureQuality::Full;
    RenderGameFrames(state, state.range(2) != 0, VELDORIN_GAME_DIR, shown);
}
BENCHMARK(BM_RenderPlace)
    ->ArgsProduct({{0, 1, 2}, {0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(100);

}  // namespace
