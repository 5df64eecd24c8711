#pragma once
// Taking a stage back to an earlier frame of its journal. The stage's start is kept when it begins,
// and while it is played a snapshot of the whole stage is kept every so many frames. A step back puts
// back the latest snapshot before the frame asked for (or builds the stage again from its placement
// file and puts back what the loop carried at its start) and plays the journal's frames from there up
// to the one asked for, without drawing and without sound. The game is deterministic, so the world is
// then exactly what a straight play of those frames gives.
#include <vector>

#include "scenes/LoopState.h"
#include "scenes/StageSnapshot.h"

class GameScene;
class Journal;
class LogicClock;

class StageRewind {
public:
    static constexpr int kFirstInterval = 60;  // frames between snapshots, doubled as they thin out
    static constexpr int kMostSnapshots = 64;

    // At the end of the stage's Initialize. devicesDone: the first frame's devices were already read
    // (the stage started inside that frame).
    void Capture(int stage, bool devicesDone, JournalInput& input);
    bool Captured() const { return start.Captured(); }
    // At the end of each frame's logic, frame being the journal's frame count: a snapshot when one
    // is due. When too many are kept, every other one goes and the interval doubles.
    void Keep(int frame, const GameScene& scene, JournalInput& input);
    // The journal was cut at frame: the snapshots after it belong to a play that is gone.
    void Forget(int after);
    int Snapshots() const { return static_cast<int>(snapshots.size()); }
    // Plays the journal's first frames frames again (1 at least).
    void Resimulate(GameScene& scene, const Journal& journal, int frames, JournalInput& input,
                    LogicClock& clock) const;

private:
    // Back to the latest snapshot before frame; the frame it stands at (0: the stage's start).
    int Restore(GameScene& scene, int frame, JournalInput& input) const;

    int stage = 0;
    bool devicesDone = false;
    LoopState start;
    std::vector<StageSnapshot> snapshots;  // in frame order
    int interval = kFirstInterval;
    bool copyable = true;  // false once an object refused to be copied: the stage rewinds from its start
};
