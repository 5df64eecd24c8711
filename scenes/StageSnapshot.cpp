#include "scenes/StageSnapshot.h"

#include "graphics/MeshManager.h"
#include "scenes/StageView.h"

std::optional<StageSnapshot> StageSnapshot::Take(int frame, const GameScene& scene, JournalInput& input) {
    std::optional<ObjectCopies> copies = CopyObjects(GetObjectList());
    if (!copies) return std::nullopt;
    StageSnapshot snapshot;
    snapshot.frame = frame;
    snapshot.carried.emplace(scene.Carry());
    snapshot.objects = std::move(*copies);
    for (SkinnedMesh* model : MeshManager::GetInstance().SkinnedMeshes())
        snapshot.models.emplace_back(model, model->SavePlayback());
    snapshot.loop.Capture(input);
    return snapshot;
}

void StageSnapshot::PutBack(GameScene& scene, JournalInput& input) const {
    std::vector<CharacterBase*> kept;
    kept.reserve(objects.size());
    for (const auto& object : objects) kept.push_back(object.get());
    std::optional<ObjectCopies> copies = CopyObjects(kept);
    ClearObjects();
    if (copies)
        for (auto& object : *copies) AddObject(object.release());
    for (const auto& [model, playback] : models) model->RestorePlayback(playback);
    loop.Restore(input);
    scene.ResetForRewind(&*carried);
    // Taken before the frame's drawing moved the camera after the player; the drawing does it here.
    FollowPlayerCamera();
}
