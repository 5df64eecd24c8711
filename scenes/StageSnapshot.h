#pragma once
// A stage as it stood at the end of one frame's logic: a copy of every object, the animated models'
// playback, what the frame loop and the scene carry (a restart's fade, the pause menu). Putting it back
// makes the world exactly what it was, so a rewind plays on from the nearest snapshot instead of
// from the stage's start.
#include <optional>
#include <utility>
#include <vector>

#include "graphics/SkinnedMesh.h"
#include "objects/ObjectList.h"
#include "scenes/GameScene.h"
#include "scenes/LoopState.h"

class StageSnapshot {
public:
    // The running stage after `frame` frames; nothing when an object cannot be copied.
    static std::optional<StageSnapshot> Take(int frame, const GameScene& scene, JournalInput& input);
    // The stage becomes the snapshot's again; the snapshot stays as it is, to be put back again.
    void PutBack(GameScene& scene, JournalInput& input) const;
    int Frame() const { return frame; }

private:
    int frame = 0;
    std::optional<GameScene::Carried> carried;
    ObjectCopies objects;
    std::vector<std::pair<SkinnedMesh*, SkinnedMesh::Playback>> models;
    LoopState loop;
};
