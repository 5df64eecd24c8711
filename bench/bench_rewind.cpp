// One step of the stage's rewind five minutes into stage 2: the stage put back as its latest snapshot
// before the frame asked for, and its journal played again from there, without drawing or sound, up
// to three frames before the last. The journal is five minutes of seeded play, played through the
// frame loop's recorder as the runner plays a journal.
#include <benchmark/benchmark.h>

#include <time.h>

#include <string>

#include "app/Recorder.h"
#include "scenes/GameScene.h"
#include "sim/InputScript.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/SeededPlay.h"

namespace {

constexpr int kStage2 = 1;
constexpr int kFrames = 5 * 60 * 62;  // five minutes at 62 frames a second

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_RewindStepStage2(benchmark::State& state) {
    HeadlessGame game(VELDORIN_GAME_DIR, SCENE_CONTINUE);
    if (!game.Started()) return state.SkipWithError("the game did not start");
    InputScript script;
    std::string error;
    if (!script.Parse(SeededPlay(7, 1, kFrames), error)) return state.SkipWithError(error.c_str());
    Recorder& recorder = Recorder::GetInstance();
    recorder.replaysFolder.clear();
    recorder.PlayBack(&script, false);
    recorder.Start(nullptr);
    Application& app = Application::GetInstance();
    app.stageSelect = kStage2;
    app.nextScene = SCENE_GAME;
    for (int f = 0; f < kFrames; ++f) {
        recorder.BeginFrame(platform::GetClock().PaceMs());
        game.Frame();
    }
    auto* scene = dynamic_cast<GameScene*>(game.Scene());
    if (!scene || recorder.GetJournal().Frames() != kFrames) {
        recorder.Stop();
        return state.SkipWithError("stage 2 did not play five minutes");
    }
    const int objects = static_cast<int>(GetObjectList().size());
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        recorder.RewindTo(*scene, kFrames - Recorder::kRewindSpeed);
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
    int patches = 0;
    for (CharacterBase* object : GetObjectList()) patches += object->kind == KIND_COLD ? 1 : 0;
    state.counters["frames"] = kFrames - Recorder::kRewindSpeed;
    state.counters["objects"] = objects;
    state.counters["patches"] = patches;
    state.counters["snapshots"] = recorder.StageSnapshots();
    recorder.Stop();
}
BENCHMARK(BM_RewindStepStage2)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
