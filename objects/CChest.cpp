#include "objects/CChest.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

namespace {
constexpr int kClosed = 0;
constexpr int kOpen = 1;
}  // namespace

void CChest::ReadClassParam(const std::string& key, const std::string& value) {
    if (key == "OpMesh") openMesh = MeshManager::GetInstance().GetMesh(GraphicsDevice::GetInstance().GetDevice(), value);
}

void CChest::Update() { *world = scaleMat * rotMat * transMat; }

void CChest::Draw() {
    MyShader& toon = ShaderManager::GetInstance().toon;
    Mesh* shown = state == kClosed ? mesh : state == kOpen ? openMesh : nullptr;
    if (!shown) return;
    // Either mesh is drawn with the parameters it holds itself.
    toon.SetWorld(world);
    toon.Draw(shown, 0);
}

void CChest::OnHit(CharacterBase* other) {
    if (!other || other->kind != KIND_PLAYER) return;
    state = kOpen;
    SoundManager& sound = SoundManager::GetInstance();
    sound.Play(kOpenSound, SoundManager::kEffectVolume);
    sound.Play(kTreasureSound, SoundManager::kEffectVolume);
}
