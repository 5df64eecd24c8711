// The steady-state frame makes no heap allocation: once a stage has run a while, a frame (update,
// every draw through the headless device, present, and the runner's dump of it) reuses the storage of
// the frames before. Checked on the hub, on stage 1 and on stage 2 strewn with ice patches.
#include <gtest/gtest.h>

#include <string>

#include "sim/FrameDump.h"
#include "tests/support/AllocationCount.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/IcePatches.h"

namespace {

struct SteadyCase {
    const char* name;
    int scene, stage, patches;
};

TEST(FrameAllocations, SteadyFramesOfEveryStageAllocateNothing) {
    if (!allocations::Countable()) GTEST_SKIP() << "the sanitizer owns operator new here";
    constexpr int kWarmUp = 150, kCounted = 60;
    const SteadyCase cases[] = {
        {"hub", SCENE_TITLE, 0, 0},
        {"stage 1", SCENE_GAME, 0, 0},
        {"stage 2 with ice", SCENE_GAME, 1, 80},
    };
    for (const SteadyCase& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessGame game(VELDORIN_GAME_DIR, c.scene, c.stage);
        ASSERT_TRUE(game.Started());
        std::string dump;
        int frame = 0;
        auto step = [&] {
            game.Frame();
            DumpFrame(++frame, Application::GetInstance(), dump);
        };
        for (int i = 0; i < kWarmUp; ++i) step();
        EXPECT_EQ(LayIcePatches(c.patches), c.patches);
        for (int i = 0; i < kWarmUp; ++i) step();
        const size_t objects = GetObjectList().size();
        allocations::Start();
        for (int i = 0; i < kCounted; ++i) step();
        const uint64_t allocated = allocations::Stop();
        EXPECT_EQ(allocated, 0u) << "over " << kCounted << " frames";
        // The frames were the game's own: the stage is still there, every object dumped.
        EXPECT_EQ(GetObjectList().size(), objects);
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
