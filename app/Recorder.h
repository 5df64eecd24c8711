#pragma once
// The frame loop's journal keeper. While the loop runs it stands between the game and the input
// devices and clock: at each frame's start it takes the devices' input (or a journal's, when one is
// played back) and the clock's value, serves them to the game for the whole frame and keeps them in
// the journal of the scene being played, which starts afresh with each scene. In a stage, holding
// Backspace (pad 0's left shoulder) takes time back: each frame held goes back three frames' worth of
// the time that passed, by playing the stage's journal again from its start; on release play goes on
// from there and the journal is cut at that frame. The journal goes to the replays folder when a goal
// is reached, and whenever F8 is pressed.
#include <ctime>
#include <memory>
#include <string>

#include "app/GamePad.h"
#include "app/Journal.h"
#include "app/JournalInput.h"
#include "app/LogicClock.h"
#include "scenes/StageRewind.h"

class GameScene;
class InputScript;

class Recorder {
public:
    static constexpr int kRewindSpeed = 3;  // frames taken back per frame of time held

    static Recorder& GetInstance();

    // The loop's start and end: the devices and clock installed now go under the recorder's own.
    void Start(HWND window);
    void Stop();
    bool Active() const { return input != nullptr; }

    // Plays a journal back instead of the devices (set before Start; the script must outlive the
    // run). With leaveOnEsc, Esc on the real keyboard ends the run.
    void PlayBack(const InputScript* script, bool leaveOnEsc);

    // The frame loop, first thing in each frame, with the time it paces the frame from.
    void BeginFrame(uint32_t paceNow);
    // A scene has just been initialised: its journal starts.
    void SceneStarted(int scene, int stage);

    // --- the stage's rewind ---
    bool Rewinding() const { return rewinding; }
    // Whether the stage can be taken back from the next frame on.
    void AllowRewind(bool allowed) { rewindAllowed = allowed; }
    // One frame held: the stage goes back and is played again up to the new frame.
    void StepBack(GameScene& scene);
    // Plays the stage's journal again up to frame (what a step does; the benchmark times it).
    void RewindTo(GameScene& scene, int frame);
    int RewindFrame() const { return rewindAt; }
    // A stage frame's logic has run and the stage can be taken back to it: a snapshot when one is due.
    void StageFrameDone(const GameScene& scene);
    int StageSnapshots() const { return stageStart.Snapshots(); }

    // While held (a paused game) the game's clock keeps its value; afterwards it goes on from there.
    void HoldClock(bool on) { clockHeld = on; }

    // --- keeping journals ---
    const Journal& GetJournal() const { return journal; }
    // Where replays go (created when needed); empty: nowhere.
    std::string replaysFolder;
    // The journal so far into the replays folder, named by the date, time and place; the path, or empty
    // (no folder, or a journal being played back).
    std::string SaveReplay();

private:
    std::unique_ptr<JournalInput> input;
    std::unique_ptr<LogicClock> clock;
    platform::InputSource* devices = nullptr;
    platform::Clock* devicesClock = nullptr;
    HWND window = nullptr;
    const InputScript* playback = nullptr;
    bool leaveOnEsc = false;
    uint32_t escPressesSeen = 0;  // the real keyboard's Esc presses counted by the last frame
    int frame = 0;             // main-loop frames begun
    bool inFrame = false;      // a frame has begun: a scene starting now starts inside it
    FrameInput sample;         // this frame's input
    bool padConnected = false;
    GamePad padsBefore;        // the pads' records before this frame read them
    Journal journal;
    StageRewind stageStart;
    bool rewindAllowed = false;
    bool rewinding = false;
    int rewindAt = 0;          // the frame the rewind has reached
    uint32_t lastStepPace = 0;
    uint32_t framePace = 0;    // the time this frame began at, as the loop paces it
    bool f8Held = false;
    bool clockHeld = false;
};

// The start a journal's header asks for: the scene and stage the loop starts in, the fade, the player's
// shared values, pad 0's records before the first frame, and the progress the run reads (and keeps,
// without writing it) instead of the saved one.
void ApplyJournalStart(const JournalHeader& header);
// Whether this game can play a journal of that header's scene and stage; false with a message if not.
bool IsPlayableJournal(const JournalHeader& header, std::string& error);
// "veldorin_YYYY-MM-DD_HH-MM-SS_PLACE.txt"
std::string ReplayName(const std::tm& when, const std::string& place);
