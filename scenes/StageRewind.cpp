#include "scenes/StageRewind.h"

#include "app/Application.h"
#include "app/Journal.h"
#include "app/LogicClock.h"
#include "app/SceneId.h"
#include "graphics/SkinnedMesh.h"
#include "loading/ObjectPlacement.h"
#include "objects/ObjectList.h"
#include "scenes/EscLatch.h"
#include "scenes/GameScene.h"
#include "scenes/StageView.h"

void StageRewind::Capture(int stageNumber, bool devicesWereRead, JournalInput& input) {
    stage = stageNumber;
    devicesDone = devicesWereRead;
    mouse = Mouse::GetInstance();
    pads = GamePad::GetInstance();
    fade.emplace(Fade::GetInstance());
    if (const Camera* now = Application::GetInstance().camera) camera.emplace(*now);
    shared = Player::Shared();
    keys = PlayerKeys::Current();
    escHeld = EscLatch::Held();
    restartHeld = RestartLatch::Held();
    sounds = SoundManager::GetInstance().SaveTimings();
    served = input.State();
    keyQueries = platform::KeyQueryCounts();
}

void StageRewind::Restore(JournalInput& input) const {
    Mouse::GetInstance() = mouse;
    GamePad::GetInstance() = pads;
    Fade::GetInstance() = *fade;
    Application& app = Application::GetInstance();
    if (app.camera && camera) *app.camera = *camera;
    app.nextScene = SCENE_NONE;
    Player::Shared() = shared;
    PlayerKeys::Current() = keys;
    EscLatch::Held() = escHeld;
    RestartLatch::Held() = restartHeld;
    SoundManager::GetInstance().RestoreTimings(sounds);
    input.State() = served;
    platform::KeyQueryCounts() = keyQueries;
}

void StageRewind::Resimulate(GameScene& scene, const Journal& journal, int frames, JournalInput& input,
                             LogicClock& clock) const {
    if (!Captured() || journal.Frames() < 1) return;
    SoundManager& sound = SoundManager::GetInstance();
    sound.SetSilent(true);
    clock.Hold(journal.At(1).clock);
    ClearObjects();
    ObjectPlacement(GameScene::Placement(stage));
    Restore(input);
    scene.ResetForRewind();
    const int last = std::min(frames, journal.Frames());
    for (int f = 1; f <= last; ++f) {
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
