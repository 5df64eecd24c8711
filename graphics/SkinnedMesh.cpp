#include "graphics/SkinnedMesh.h"

#include <cstring>

#include "platform/d3dx/XFile.h"
#include "platform/sys/Win32.h"

using MyLib::MY_CONTAINER;
using MyLib::MY_FRAME;

SkinnedMesh::SkinnedMesh() { D3DXMatrixIdentity(&world); }

SkinnedMesh::~SkinnedMesh() {
    Release();
    delete drawParams;
}

HRESULT SkinnedMesh::Load(IDirect3DDevice9* dev, const std::string& path, SharedTextures* shared) {
    Release();
    device = dev;
    D3DXFRAME* root = nullptr;
    allocator.shared = shared;
    const HRESULT loaded = D3DXLoadMeshHierarchyFromXA(path.c_str(), D3DXMESH_MANAGED, device, &allocator, nullptr,
                                                       &root, &controller);
    allocator.shared = nullptr;
    if (FAILED(loaded)) {
        MessageBoxA(nullptr, "Xファイルの読み込みに失敗しました", path.c_str(), MB_OK);
        return E_FAIL;
    }
    rootFrame = static_cast<MY_FRAME*>(root);
    for (UINT i = 0; i < controller->GetNumAnimationSets(); ++i) {
        AnimationEntry entry;
        controller->GetAnimationSet(i, &entry.set);
        animations.push_back(entry);
    }
    allFrames.clear();
    containers.clear();
    CollectFrames(rootFrame);
    FindBones();
    containerCount = static_cast<int>(containers.size());
    return D3D_OK;
}

void SkinnedMesh::CollectFrames(MY_FRAME* frame) {
    if (!frame) return;
    allFrames.push_back(frame);
    if (frame->pMeshContainer) containers.push_back(static_cast<MY_CONTAINER*>(frame->pMeshContainer));
    CollectFrames(static_cast<MY_FRAME*>(frame->pFrameFirstChild));
    CollectFrames(static_cast<MY_FRAME*>(frame->pFrameSibling));
}

// A frame is a bone when any container's skin names it. (Each skin marks only its own bones, so a
// second container skinned to a single bone does not unmark the bones of the first.)
void SkinnedMesh::FindBones() {
    for (MY_CONTAINER* c : containers) {
        if (!c->pSkinInfo) continue;
        for (MY_FRAME* frame : allFrames)
            for (DWORD b = 0; b < c->pSkinInfo->GetNumBones(); ++b)
                if (std::strcmp(frame->Name, c->pSkinInfo->GetBoneName(b)) == 0) {
                    frame->boneIndex = static_cast<int>(b);
                    frame->boneOffset = *c->pSkinInfo->GetBoneOffsetMatrix(b);
                }
        for (DWORD b = 0; b < c->pSkinInfo->GetNumBones(); ++b) {
            MY_FRAME* found = nullptr;
            for (MY_FRAME* frame : allFrames)
                if (std::strcmp(frame->Name, c->pSkinInfo->GetBoneName(b)) == 0) found = frame;
            c->boneFrames.push_back(found);
        }
    }
}

void SkinnedMesh::ChangeAnimation(int index) {
    if (index < 0 || index >= static_cast<int>(animations.size())) return;
    framesSinceChange = 0;
    animations[current].enable = TRUE;
    animations[index].enable = TRUE;
    const D3DXTRACK_DESC outgoing = animations[current].TrackDesc();
    controller->SetTrackAnimationSet(1, animations[current].set);
    controller->SetTrackDesc(1, &outgoing);
    controller->SetTrackAnimationSet(0, animations[index].set);
    controller->SetTrackEnable(0, TRUE);
    controller->SetTrackEnable(1, TRUE);
    animations[current].weight = 0;
    animations[index].weight = 0;
    // The outgoing animation fades out from where it stands; the incoming one starts from its beginning.
    animations[index].position = 0;
    previous = current;
    current = index;
}

SkinnedMesh::Playback SkinnedMesh::SavePlayback() const {
    Playback kept{animations, framesSinceChange, current, previous, world, {}};
    if (controller) kept.controller = controller->SavePlayback();
    return kept;
}

void SkinnedMesh::RestorePlayback(const Playback& kept) {
    if (kept.animations.size() != animations.size()) return;
    animations = kept.animations;
    framesSinceChange = kept.framesSinceChange;
    current = kept.current;
    previous = kept.previous;
    world = kept.world;
    if (controller) controller->RestorePlayback(kept.controller);
}

bool& SkinnedMesh::PosesHeld() {
    static bool held = false;
    return held;
}

void SkinnedMesh::Update(const D3DXMATRIX& newWorld) {
    world = newWorld;
    ++framesSinceChange;
    if (controller && !animations.empty()) {
        AnimationEntry& e = animations[current];
        const D3DXTRACK_DESC desc = e.TrackDesc();
        controller->SetTrackAnimationSet(0, e.set);
        controller->SetTrackDesc(0, &desc);
        e.weight += timeStep;
        // The fade ends when the elapsed time reaches the blend time. The small margin keeps the
        // rounding of the summed steps from adding one more update (48 steps of 0.0125 make 0.6).
        const float blend = e.weight / e.blendTime;
        if (blend < 1.0f - 1e-5f) {
            controller->SetTrackWeight(0, blend);
            controller->SetTrackWeight(1, 1.0f - blend);
        } else {
            controller->SetTrackWeight(0, 1.0f);
            controller->SetTrackEnable(1, FALSE);
        }
        controller->AdvanceTime(timeStep, nullptr);
        // The track position is the entry's: playback goes on from here at the next update.
        D3DXTRACK_DESC played;
        controller->GetTrackDesc(0, &played);
        e.position = played.Position;
    }
    if (!PosesHeld()) {
        UpdateFrame(rootFrame, world);
        skinnedPose = false;
    }
}

void SkinnedMesh::UpdateFrame(MY_FRAME* frame, const D3DXMATRIX& parent) {
    for (; frame; frame = static_cast<MY_FRAME*>(frame->pFrameSibling)) {
        frame->combined = frame->TransformationMatrix * parent;
        if (frame->boneIndex != -1) boneMatrices[frame] = frame->boneOffset * frame->combined;
        UpdateFrame(static_cast<MY_FRAME*>(frame->pFrameFirstChild), frame->combined);
    }
}

void SkinnedMesh::SkinVertices() {
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    if (device) device->SetTransform(D3DTS_WORLD, &identity);
    if (skinnedPose) return;
    skinnedPose = true;
    for (MY_CONTAINER* c : containers) {
        if (!c->pSkinInfo) continue;
        skinMatrices.resize(c->boneFrames.size());
        for (size_t b = 0; b < c->boneFrames.size(); ++b) {
            // Each skin's own offset, so that containers bound differently to one bone stay right.
            const MY_FRAME* frame = c->boneFrames[b];
            skinMatrices[b] = frame ? *c->pSkinInfo->GetBoneOffsetMatrix(static_cast<DWORD>(b)) * frame->combined
                                    : identity;
        }
        void* source = nullptr;
        void* destination = nullptr;
        if (SUCCEEDED(c->sourceMesh->LockVertexBuffer(D3DLOCK_READONLY, &source)) &&
            SUCCEEDED(c->MeshData.pMesh->LockVertexBuffer(0, &destination)))
            c->pSkinInfo->UpdateSkinnedMesh(skinMatrices.data(), nullptr, source, destination);
        c->MeshData.pMesh->UnlockVertexBuffer();
        c->sourceMesh->UnlockVertexBuffer();
    }
}

void SkinnedMesh::Release() {
    for (MY_CONTAINER* c : containers) allocator.DestroyMeshContainer(c);
    for (MY_FRAME* frame : allFrames) frame->pMeshContainer = nullptr;
    allocator.DestroyFrame(rootFrame);
    rootFrame = nullptr;
    for (AnimationEntry& entry : animations) SafeRelease(entry.set);
    SafeRelease(controller);
    allFrames.clear();
    containers.clear();
    boneMatrices.clear();
    animations.clear();
    containerCount = 0;
    skinnedPose = false;
}
