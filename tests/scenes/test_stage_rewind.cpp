// Rewinding from the stage's snapshots. Stage 2 is played through the recorder with seeded input past
// the point where the snapshots thin out, then rewound by holding Backspace, then played on with other
// input. Rewound to frames on either side of a snapshot, of the first play and of the play after the
// cut, the stage's whole dump (objects, camera, mouse, fade, sound) is the one that frame showed
// when it was played: the snapshots of the cut-away play are gone, and the number kept stays bounded.
#include <gtest/gtest.h>

#include <map>

#include "app/Recorder.h"
#include "scenes/GameScene.h"
#include "sim/FrameDump.h"
#include "sim/InputScript.h"
#include "tests/support/HeadlessGame.h"
#include "tests/support/Ran.h"
#include "tests/support/SeededPlay.h"
#include "tests/support/TestCourtyard.h"

namespace {

TEST(StageRewind, SnapshotsPutBackTheFramePlayedBeforeAndAfterACut) {
    constexpr int kFirst = 4000, kHeld = 100, kThen = 600;
    ScratchContent tree("snapshots");
    HeadlessGame game(tree.root.string(), SCENE_CONTINUE);
    ASSERT_TRUE(game.Started());
    InputScript script;
    std::string error;
    const std::string text = SeededPlay(3, 1, kFirst) + std::to_string(kFirst + 1) + "-" +
                             std::to_string(kFirst + kHeld) + " REWIND\n" + SeededPlay(4, kFirst + kHeld + 1, kThen);
    ASSERT_TRUE(script.Parse(text, error)) << error;
    Recorder& recorder = Recorder::GetInstance();
    recorder.replaysFolder.clear();
    recorder.PlayBack(&script, false);
    recorder.Start(nullptr);
    Application& app = Application::GetInstance();
    app.stageSelect = 1;
    app.nextScene = SCENE_GAME;
    std::map<int, std::string> played;  // by journal frame; the second play's replace the first's
    int mostSnapshots = 0, cutAt = 0;
    for (int f = 1; f <= kFirst + kHeld + kThen; ++f) {
        recorder.BeginFrame(platform::GetClock().PaceMs());
        game.Frame();
        mostSnapshots = std::max(mostSnapshots, recorder.StageSnapshots());
        if (recorder.Rewinding()) cutAt = recorder.RewindFrame();
        else played[recorder.GetJournal().Frames()] = DumpFrame(0, app);
    }
    auto* scene = dynamic_cast<GameScene*>(game.Scene());
    ASSERT_TRUE(scene);
    EXPECT_LE(mostSnapshots, StageRewind::kMostSnapshots);
    EXPECT_GT(mostSnapshots, StageRewind::kMostSnapshots / 2);
    // Taken back about three frames per frame held, and played on from there.
    ASSERT_NEAR(cutAt, kFirst - 3 * kHeld, 3);
    ASSERT_EQ(recorder.GetJournal().Frames(), cutAt + kThen);
    // A snapshot of the thinned first play stands at every 120th frame.
    const int afterCut = (cutAt / 120 + 1) * 120;
    Ran ran;
    for (const int frame : {59, 60, 61, 1201, 2399, 2400, cutAt - 1, afterCut, afterCut + 1, cutAt + kThen - 1}) {
        SCOPED_TRACE(frame);
        recorder.RewindTo(*scene, frame);
        ASSERT_TRUE(played.count(frame));
        EXPECT_EQ(DumpFrame(0, app), played[frame]);
        ran();
    }
    EXPECT_RAN(ran, 10);
    recorder.Stop();
}

}  // namespace
