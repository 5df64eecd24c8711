#include "scenes/LoopState.h"

#include "app/Application.h"
#include "app/SceneId.h"
#include "scenes/EscLatch.h"

void LoopState::Capture(JournalInput& input) {
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

void LoopState::Restore(JournalInput& input) const {
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
