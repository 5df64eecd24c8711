// The explorer: fixed seeds over every place hold every rule, the regression cases replay clean, and
// faults planted into a running stage are caught by the rule they break.
#include <gtest/gtest.h>


#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "explore/Explorer.h"
#include "explore/Run.h"
#include "explore/ScratchTree.h"
#include "objects/CIceBox.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "tests/support/Sanitizers.h"

namespace {

namespace fs = std::filesystem;

struct Seeds {
    const char* place;
    uint32_t first;
    int runs;
};

class ExplorerPlaces : public testing::TestWithParam<Seeds> {};

// Under the sanitizers, where a frame costs several times as much, the first two runs of each place's
// seeds play: the same frames as the first two of the release build's six.
#if defined(VELDORIN_ASAN)
constexpr int kMostRuns = 2;
#else
constexpr int kMostRuns = 6;
#endif

// Runs of a fixed length from fixed seeds: the same frames every time, about a minute a place.
TEST_P(ExplorerPlaces, FixedSeedsBreakNoRule) {
    ExploreOptions options;
    options.place = GetParam().place;
    options.seed = GetParam().first;
    options.runs = std::min(GetParam().runs, kMostRuns);
    options.frames = 8000;
    std::ostringstream log;
    const ExploreSummary summary = Explorer(options, log).Explore();
    EXPECT_EQ(summary.runs, options.runs);
    EXPECT_GT(summary.frames, 0);
    EXPECT_TRUE(summary.found.empty()) << log.str();
}

INSTANTIATE_TEST_SUITE_P(Explorer, ExplorerPlaces,
                         testing::Values(Seeds{"hub", 1000, 6}, Seeds{"stage1", 2000, 6}, Seeds{"stage2", 3000, 6}),
                         [](const testing::TestParamInfo<Seeds>& info) { return std::string(info.param.place); });

// Every case once found and since fixed plays its frames again without breaking a rule.
TEST(Explorer, RegressionCasesReplayClean) {
    ExploreOptions options;
    std::ostringstream log;
    Explorer explorer(options, log);
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VELDORIN_SOURCE_DIR) / "tests/explorer/regressions")) {
        CaseFile result;
        std::string error;
        ASSERT_TRUE(explorer.Replay(entry.path().string(), result, error)) << error;
        CaseFile header;
        ASSERT_TRUE(CaseFile::Read(entry.path().string(), header, error));
        EXPECT_EQ(result.frames, header.frames) << entry.path();
        EXPECT_EQ(result.rule, "") << entry.path() << ": " << result.detail;
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

// A fault planted at a frame of a quiet run (nothing pressed), and the rule that must catch it then.
struct Plant {
    const char* place;
    std::optional<int> progress;
    std::function<void(const fs::path& root)> plant;
    const char* rule;
};

CharacterBase& First(int kind) { return *FirstOfKind(kind); }
// The first wood or stone box (props share the boxes' kind).
CharacterBase& FirstBox() {
    for (CharacterBase* object : GetObjectList())
        if (dynamic_cast<CIceBox*>(object)) return *object;
    return *FirstOfKind(KIND_BOX);
}
void Lift(int kind, const D3DXVECTOR3& by) { First(kind).MoveTo(First(kind).Position() + by); }

TEST(Explorer, PlantedFaultsBreakTheirRules) {
    const Plant plants[] = {
        {"stage1", 1, [](const fs::path&) { First(KIND_PLAYER).transMat._41 = NAN; },
         "not-finite"},
        {"stage1", 1, [](const fs::path&) { Lift(KIND_PLAYER, {0, 20, 0}); }, "player-above-walls"},
        // Without ground under it the player hovers at the last ground it had: that goes down too.
        {"stage1", 1, [](const fs::path&) { Lift(KIND_PLAYER, {0, -20, 0}); Player::Shared().lastGround.y -= 30; },
         "player-fell-through"},
        {"hub", 1, [](const fs::path&) { Lift(KIND_PLAYER, {100, 0, 0}); }, "player-outside"},
        // Stage 1's doors slide into the wall at +x: the box is set into that wall, then into the door.
        {"stage1", 1, [](const fs::path&) { FirstBox().MoveTo(First(KIND_DOOR).Position() + D3DXVECTOR3(2, 0, 0)); },
         "object-in-map"},
        {"stage2", 1, [](const fs::path&) { FirstBox().MoveTo(First(KIND_DOOR).Position()); }, "object-in-object"},
        {"stage2", 1, [](const fs::path&) { First(KIND_PLAYER).MoveTo(First(KIND_STATUE).Position() + D3DXVECTOR3(0, 0, 3)); },
         "gate-statue"},
        {"stage1", 1, [](const fs::path&) { First(KIND_PLAYER).MoveTo(First(KIND_DOOR).Position() + D3DXVECTOR3(0, 0, 3)); },
         "gate-door"},
        {"hub", 3, [](const fs::path& root) { std::ofstream(root / "save.dat") << "1\n"; }, "progress-decreased"},
    };
    ScratchTree tree(VELDORIN_BUILT_GAME_DIR);
    for (const Plant& plant : plants) {
        InputRecord record;
        const RunResult run = PlayRun(tree, *FindPlace(plant.place), plant.progress, 200, [&](int frame) {
            if (frame == 170) plant.plant(tree.Root());
            return FrameInput{};
        }, record);
        EXPECT_TRUE(run.broke) << plant.rule;
        EXPECT_EQ(run.violation.rule, plant.rule) << run.violation.detail;
        EXPECT_GE(run.frames, 169) << plant.rule << ": broken before the plant: " << run.violation.detail;
    }
}

}  // namespace
