#include "app/Recorder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/Application.h"
#include "app/ApplySettings.h"
#include "app/Mouse.h"
#include "app/SceneId.h"
#include "loading/SaveData.h"
#include "objects/Player.h"
#include "scenes/Fade.h"
#include "scenes/GameScene.h"
#include "sound/SoundManager.h"
#include "sim/InputScript.h"

Recorder& Recorder::GetInstance() {
    static Recorder recorder;
    return recorder;
}

void Recorder::Start(HWND hwnd) {
    window = hwnd;
    devices = &platform::GetInputSource();
    devicesClock = &platform::GetClock();
    input = std::make_unique<JournalInput>(*devices, Mouse::GetInstance().GetCentre(), devices->Focused(hwnd));
    input->playingBack = playback != nullptr;
    clock = std::make_unique<LogicClock>(*devicesClock);
    if (playback) clock->Hold(playback->ClockAt(1));
    escPressesSeen = devices->KeyPressCount(VK_ESCAPE);
    platform::SetInputSource(input.get(), devices == &platform::SdlInputSource());
    platform::SetClock(clock.get());
    frame = 0;
    inFrame = false;
    rewinding = rewindAllowed = f8Held = clockHeld = false;
    journal = Journal();
    stageStart = StageRewind();
}

void Recorder::Stop() {
    if (!input) return;
    platform::SetInputSource(devices == &platform::SdlInputSource() ? nullptr : devices);
    platform::SetClock(devicesClock);
    input.reset();
    clock.reset();
    playback = nullptr;
    stageStart = StageRewind();
}

void Recorder::PlayBack(const InputScript* script, bool escLeaves) {
    playback = script;
    leaveOnEsc = escLeaves;
}

void Recorder::BeginFrame(uint32_t paceNow) {
    if (!input) return;
    ++frame;
    framePace = paceNow;
    inFrame = true;
    padsBefore = GamePad::GetInstance();
    if (playback) {
        sample = playback->At(frame);
        padConnected = playback->UsesPad();
        // A tap between two slow frames counts as well as a key held.
        const uint32_t escPresses = devices->KeyPressCount(VK_ESCAPE);
        if (leaveOnEsc && (devices->KeyDown(VK_ESCAPE) || escPresses != escPressesSeen))
            Application::GetInstance().quitRequested = true;
        escPressesSeen = escPresses;
    } else {
        sample = input->Sample(window, padConnected);
    }
    const bool f8 = sample.keys[VK_F8];
    if (f8 && !f8Held) SaveReplay();
    f8Held = f8;
    const bool held = sample.keys[VK_BACK] || (sample.pad.wButtons & XINPUT_GAMEPAD_LEFT_SHOULDER) != 0;
    if (held && (rewinding || (rewindAllowed && stageStart.Captured() && journal.Frames() > 1))) {
        if (!rewinding) {
            rewinding = true;
            rewindAt = journal.Frames();
            lastStepPace = paceNow - 16u;
        }
        return;  // nothing is served or kept: the scene steps back instead
    }
    if (rewinding) {
        // Play goes on from the frame reached, 16 ms after it, and the journal forgets what came after.
        rewinding = false;
        journal.Cut(rewindAt);
        stageStart.Forget(rewindAt);
        clock->Resume(journal.At(rewindAt).clock + 16u, paceNow);
    } else if (playback) {
        clock->Hold(playback->ClockAt(frame));
    } else if (clockHeld) {
        clock->Resume(clock->NowMs(), paceNow);
    } else {
        clock->Latch(paceNow);
    }
    input->Serve(sample, padConnected);
    if (journal.Started()) journal.Append(sample, clock->NowMs(), padConnected);
}

void Recorder::SceneStarted(int scene, int stage) {
    if (!input) return;
    const Fade& fade = Fade::GetInstance();
    const PlayerShared& shared = Player::Shared();
    const PadRecord& pad = padsBefore.Pad(0);
    JournalHeader h;
    h.scene = scene;
    h.stage = stage;
    h.progress = ReadProgress();
    h.clock = clock->NowMs();
    h.startsInFrame = inFrame;
    h.fade = {fade.mode, fade.phase};
    h.fadeValues = {static_cast<float>(fade.alpha), fade.barHeight, fade.barTimer};
    h.shared = {shared.moveSpeed, shared.playerYaw, shared.walkYaw};
    h.sharedCounts = {shared.trailTimer, shared.fireHeld, shared.jumpHeld};
    h.grounds = {shared.lastGround.x, shared.lastGround.y, shared.lastGround.z,
                 shared.walkGround.x, shared.walkGround.y, shared.walkGround.z};
    h.padBefore = {pad.state.Gamepad.wButtons, pad.stickBits, pad.triggerBits};
    const Mouse& mouse = Mouse::GetInstance();
    h.look = {mouse.GetLookPercent(), mouse.IsLookInverted() ? 1 : 0};
    for (int i = 0; i < PlayerKeys::kCount; ++i) h.keys[static_cast<size_t>(i)] = PlayerKeys::Current()[i];
    const SoundManager::Timings timings = SoundManager::GetInstance().SaveTimings();
    for (const SoundManager::Playing& playing : SoundManager::GetInstance().GetPlaying()) {
        const uint32_t start = timings[static_cast<size_t>(playing.slot)].startMs;
        h.sounds.push_back({static_cast<uint32_t>(playing.slot), playing.looping ? 1u : 0u, start});
    }
    journal.Begin(h);
    // Started inside a frame: that frame, already read, is the scene's first.
    if (inFrame) journal.Append(sample, clock->NowMs(), padConnected);
    rewinding = rewindAllowed = false;
    stageStart = StageRewind();
    if (scene == SCENE_GAME) stageStart.Capture(stage, inFrame, *input);
}

void Recorder::StepBack(GameScene& scene) {
    // Three frames back for each frame's worth of time the last step took, so a slow step goes
    // further rather than making the rewind slower.
    const uint32_t elapsed = framePace - lastStepPace;
    lastStepPace = framePace;
    const int frames = static_cast<int>(std::max<uint32_t>(1, (elapsed + 8) / 16)) * kRewindSpeed;
    RewindTo(scene, std::max(1, rewindAt - frames));
}

void Recorder::RewindTo(GameScene& scene, int target) {
    if (!input || journal.Frames() < 1) return;
    rewindAt = std::clamp(target, 1, journal.Frames());
    stageStart.Resimulate(scene, journal, rewindAt, *input, *clock);
}

void Recorder::StageFrameDone(const GameScene& scene) {
    if (input && !rewinding) stageStart.Keep(journal.Frames(), scene, *input);
}

std::string ReplayName(const std::tm& when, const std::string& place) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", when.tm_year + 1900, when.tm_mon + 1,
                  when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    return std::string("veldorin_") + stamp + "_" + place + ".txt";
}

std::string Recorder::SaveReplay() {
    // A replay being watched is kept already.
    if (replaysFolder.empty() || !journal.Started() || playback) return "";
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(replaysFolder, ec);
    const JournalHeader& h = journal.Header();
    const std::string place = h.scene == SCENE_GAME ? "stage" + std::to_string(h.stage + 1)
                              : h.scene == SCENE_TITLE ? "hub" : "scene" + std::to_string(h.scene);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string name = ReplayName(local, place);
    fs::path path = fs::path(replaysFolder) / name;
    for (int n = 2; fs::exists(path, ec); ++n)
        path = fs::path(replaysFolder) / (name.substr(0, name.size() - 4) + "_" + std::to_string(n) + ".txt");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << journal.Write();
    return out.flush() ? path.string() : "";
}

void ApplyJournalStart(const JournalHeader& h) {
    Application& app = Application::GetInstance();
    app.startScene = h.scene;
    app.startStage = h.stage;
    app.startInFirstFrame = h.startsInFrame;
    OverrideProgress(h.progress);
    Fade& fade = Fade::GetInstance();
    fade.mode = h.fade[0];
    fade.phase = h.fade[1];
    fade.alpha = static_cast<int>(h.fadeValues[0]);
    fade.barHeight = h.fadeValues[1];
    fade.barTimer = h.fadeValues[2];
    PlayerShared& shared = Player::Shared();
    shared.moveSpeed = h.shared[0];
    shared.playerYaw = h.shared[1];
    shared.walkYaw = h.shared[2];
    shared.trailTimer = h.sharedCounts[0];
    shared.fireHeld = h.sharedCounts[1];
    shared.jumpHeld = h.sharedCounts[2];
    shared.lastGround = D3DXVECTOR3(h.grounds[0], h.grounds[1], h.grounds[2]);
    shared.walkGround = D3DXVECTOR3(h.grounds[3], h.grounds[4], h.grounds[5]);
    PadRecord& pad = GamePad::GetInstance().Pad(0);
    pad.state.Gamepad.wButtons = static_cast<WORD>(h.padBefore[0]);
    pad.stickBits = static_cast<uint16_t>(h.padBefore[1]);
    pad.triggerBits = static_cast<uint8_t>(h.padBefore[2]);
    // The replay plays as it was played, whatever the viewer's own look and keys.
    Mouse::GetInstance().SetLook(h.look[0], h.look[1] != 0);
    for (int i = 0; i < PlayerKeys::kCount; ++i) PlayerKeys::Current()[i] = h.keys[static_cast<size_t>(i)];
    SettingsStore::GetInstance().SetStoring(false);
    SoundManager::Timings sounds{};
    for (const auto& [slot, looping, start] : h.sounds) sounds[slot] = {true, looping != 0, start, 0};
    SoundManager::GetInstance().RestoreTimings(sounds);
}

bool IsPlayableJournal(const JournalHeader& h, std::string& error) {
    if (h.scene == SCENE_TITLE || (h.scene == SCENE_GAME && *GameScene::MapList(h.stage))) return true;
    error = "the journal is of a place this game does not have (scene " + std::to_string(h.scene) + ", stage " +
            std::to_string(h.stage) + ")";
    return false;
}
