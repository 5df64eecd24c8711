#pragma once
// An animated model: the frame hierarchy of a .x file, its mesh containers, its animation controller
// and one entry per animation set. Each update advances the animation by a fixed step, cross-fades
// from the previous animation and recomputes the bone matrices in world space; the draws skin the
// vertices on the CPU first. Shared by every user of the same file, animation state included.
#include <map>
#include <string>
#include <vector>

#include "graphics/AnimationEntry.h"
#include "graphics/DrawParams.h"
#include "graphics/MyHierarchy.h"

class SkinnedMesh {
public:
    std::vector<MyLib::MY_FRAME*> allFrames;         // depth first: frame, its children, its siblings
    std::vector<MyLib::MY_CONTAINER*> containers;    // in the same order
    std::map<MyLib::MY_FRAME*, D3DXMATRIX> boneMatrices;  // boneOffset x combined, per bone frame
    MyLib::MY_FRAME* rootFrame = nullptr;
    ID3DXAnimationController* controller = nullptr;
    MyLib::MY_HIERARCHY allocator;
    std::vector<AnimationEntry> animations;
    int framesSinceChange = 0;
    float timeStep = 0.0125f;  // seconds of animation per update
    int current = 0;
    int previous = 0;
    D3DXMATRIX world;
    DrawParams* drawParams = new DrawParams();
    int containerCount = 0;  // the draws draw containers 0 .. containerCount - 1

    SkinnedMesh();
    SkinnedMesh(const SkinnedMesh&) = delete;
    SkinnedMesh& operator=(const SkinnedMesh&) = delete;
    ~SkinnedMesh();

    // A file that fails to load shows a message box and leaves this record empty. `shared`: as for
    // Mesh::Load.
    HRESULT Load(IDirect3DDevice9* device, const std::string& path, SharedTextures* shared = nullptr);
    void Update(const D3DXMATRIX& newWorld);
    // While set, Update moves the animation on but leaves the bones' matrices (only drawing reads them)
    // as they were: a stage played again unseen poses its figures on the last frame alone.
    static bool& PosesHeld();

    // Where the animation stands (the entries, the cross-fade, the controller's tracks), to play on
    // from the same point later; the bones follow at the next update.
    struct Playback {
        std::vector<AnimationEntry> animations;
        int framesSinceChange = 0;
        int current = 0;
        int previous = 0;
        D3DXMATRIX world;
        ID3DXAnimationController::Playback controller;
    };
    Playback SavePlayback() const;
    void RestorePlayback(const Playback& playback);
    void ChangeAnimation(int index);
    // Skins the containers' vertices with the bones' current matrices, once per pose: the shadow and
    // scene passes of a frame share the result.
    void SkinVertices();
    void Release();

private:
    void CollectFrames(MyLib::MY_FRAME* frame);
    void FindBones();
    void UpdateFrame(MyLib::MY_FRAME* frame, const D3DXMATRIX& parent);

    IDirect3DDevice9* device = nullptr;  // not owned
    std::vector<D3DXMATRIX> skinMatrices;  // scratch for SkinVertices
    bool skinnedPose = false;  // the working meshes hold the bones' current pose
};
