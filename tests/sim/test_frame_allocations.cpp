// The steady-state frame makes no heap allocation: once a stage has run a while, a frame (update,
// every draw through the headless device, present, and the runner's dump of it) reuses the storage of
// the frames before. Checked on the hub started with every launcher open (after their first sweep,
// re-armed by the hub every frame), on stage 1 and on stage 2 strewn with ice patches, each in a
// scratch tree of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loading/SaveData.h"
#include "objects/CLauncher.h"
#include "objects/ObjectList.h"
#include "scenes/TitleScene.h"
#include "sim/FrameDump.h"
#include "tests/support/AllocationCount.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/IcePatches.h"
#include "tests/support/Ran.h"
#include "tests/support/TestCourtyard.h"

namespace {

struct SteadyCase {
    const char* name;
    int scene, stage, patches, warmUp;
    const char* save;
};

std::vector<float> LauncherYaws() {
    std::vector<float> yaws;
    ForEachOfKind(KIND_LAUNCHER,
                  [&](CharacterBase* launcher) { yaws.push_back(static_cast<CLauncher*>(launcher)->angle.y); });
    return yaws;
}

TEST(FrameAllocations, SteadyFramesOfEveryStageAllocateNothing) {
    if (!allocations::Countable()) GTEST_SKIP() << "the sanitizer owns operator new here";
    constexpr int kCounted = 60;
    const SteadyCase cases[] = {
        {"hub", SCENE_TITLE, 0, 0, 250, "3\n"},
        {"stage 1", SCENE_GAME, 0, 0, 150, nullptr},
        {"stage 2 with ice", SCENE_GAME, 1, 80, 150, nullptr},
    };
    for (const SteadyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchContent tree("allocations");
        if (c.save) tree.Write(kSaveFile) << c.save;
        HeadlessGame game(tree.root.string(), c.scene, c.stage);
        ASSERT_TRUE(game.Started());
        if (auto* title = dynamic_cast<TitleScene*>(game.Scene())) title->started = 1;  // as a click does
        std::string dump;
        int frame = 0;
        auto step = [&] {
            game.Frame();
            DumpFrame(++frame, Application::GetInstance(), dump);
        };
        for (int i = 0; i < c.warmUp; ++i) step();
        EXPECT_EQ(LayIcePatches(c.patches), c.patches);
        for (int i = 0; i < c.warmUp; ++i) step();
        const size_t objects = GetObjectList().size();
        const std::vector<float> yawsBefore = LauncherYaws();
        allocations::Start();
        for (int i = 0; i < kCounted; ++i) step();
        const uint64_t allocated = allocations::Stop();
        EXPECT_EQ(allocated, 0u) << "over " << kCounted << " frames";
        // The frames were the game's own: the stage is still there, every object dumped.
        EXPECT_EQ(GetObjectList().size(), objects);
        if (c.scene == SCENE_TITLE) {
            // The hub was entered, its launchers swept and laid ice, and the hub switched them on again
            // every counted frame: each turned on.
            EXPECT_TRUE(static_cast<TitleScene*>(game.Scene())->entered);
            Ran patches, turned;
            ForEachOfKind(KIND_COLD, [&](CharacterBase*) { patches(); });
            EXPECT_RAN(patches);
            const std::vector<float> yawsAfter = LauncherYaws();
            for (size_t i = 0; i < yawsAfter.size(); ++i) turned.If(yawsAfter[i] != yawsBefore[i]);
            EXPECT_RAN(turned, 3);
        }
        EXPECT_NE(dump.find("\"frame\":" + std::to_string(frame) + ",\"scene\":" + std::to_string(c.scene)),
                  std::string::npos);
        EXPECT_NE(dump.find("{\"i\":" + std::to_string(objects - 1) + ","), std::string::npos);
    }
}

// Where the counter test's allocations go, so that the compiler cannot drop a new paired with its delete.
void* volatile kept = nullptr;

template <typename T>
void NewAndDelete() {
    kept = new T();
    delete static_cast<T*>(kept);
}

// The counter itself: counts only between Start and Stop and not while paused, every form of new.
TEST(FrameAllocations, CounterCountsOnlyWhileStarted) {
    if (!allocations::Countable()) GTEST_SKIP() << "the sanitizer owns operator new here";
    struct alignas(64) Wide {
        char bytes[64];
    };
    NewAndDelete<int>();
    allocations::Start();
    NewAndDelete<int>();
    kept = new char[40];
    delete[] static_cast<char*>(kept);
    NewAndDelete<Wide>();
    allocations::Pause();
    NewAndDelete<int>();
    allocations::Resume();
    std::string grown(100, 'x');
    kept = grown.data();
    EXPECT_EQ(allocations::Stop(), 4u);
    NewAndDelete<int>();
    allocations::Start();
    EXPECT_EQ(allocations::Stop(), 0u);
}

}  // namespace
