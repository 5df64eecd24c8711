#include "scenes/StageRewind.h"

#include <algorithm>

#include "app/Journal.h"
#include "app/LogicClock.h"
#include "graphics/SkinnedMesh.h"
#include "loading/ObjectPlacement.h"
#include "objects/ObjectList.h"
#include "scenes/GameScene.h"
#include "scenes/StageView.h"

void StageRewind::Capture(int stageNumber, bool devicesWereRead, JournalInput& input) {
    stage = stageNumber;
    devicesDone = devicesWereRead;
    start.Capture(input);
    snapshots.clear();
    interval = kFirstInterval;
    copyable = true;
}

void StageRewind::Keep(int frame, const GameScene& scene, JournalInput& input) {
    if (!Captured() || !copyable || frame % interval != 0) return;
    if (!snapshots.empty() && snapshots.back().Frame() >= frame) return;
    std::optional<StageSnapshot> snapshot = StageSnapshot::Take(frame, scene, input);
    if (!snapshot) {
        copyable = false;
        snapshots.clear();
        return;
    }
    snapshots.push_back(std::move(*snapshot));
    if (static_cast<int>(snapshots.size()) <= kMostSnapshots) return;
    interval *= 2;
    std::erase_if(snapshots, [&](const StageSnapshot& s) { return s.Frame() % interval != 0; });
}

void StageRewind::Forget(int after) {
    std::erase_if(snapshots, [&](const StageSnapshot& s) { return s.Frame() > after; });
}

int StageRewind::Restore(GameScene& scene, int frame, JournalInput& input) const {
    // The latest snapshot strictly before the frame: at least one frame is played, and that last
    // frame poses the figures.
    const auto later = std::lower_bound(snapshots.begin(), snapshots.end(), frame,
                                        [](const StageSnapshot& s, int f) { return s.Frame() < f; });
    if (later != snapshots.begin()) {
        const StageSnapshot& snapshot = *std::prev(later);
        snapshot.PutBack(scene, input);
        return snapshot.Frame();
    }
    ClearObjects();
    ObjectPlacement(GameScene::Placement(stage));
    start.Restore(input);
    scene.ResetForRewind(nullptr);
    return 0;
}

void StageRewind::Resimulate(GameScene& scene, const Journal& journal, int frames, JournalInput& input,
                             LogicClock& clock) const {
    if (!Captured() || journal.Frames() < 1) return;
    SoundManager& sound = SoundManager::GetInstance();
    sound.SetSilent(true);
    const int last = std::clamp(frames, 1, journal.Frames());
    clock.Hold(journal.At(1).clock);
    const int from = Restore(scene, last, input);
    for (int f = from + 1; f <= last; ++f) {
        const JournalFrame& frame = journal.At(f);
        clock.Hold(frame.clock);
        if (f > 1 || !devicesDone) {
            input.Serve(frame.input, frame.padConnected);
            GamePad::GetInstance().Update();
            Mouse::GetInstance().Update();
        }
        SkinnedMesh::PosesHeld() = f < last;
        scene.StepLogic();
        FollowPlayerCamera();
    }
    SkinnedMesh::PosesHeld() = false;
    sound.SetSilent(false);
    sound.FollowRecords();
}
