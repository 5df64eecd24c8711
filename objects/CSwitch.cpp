#include "objects/CSwitch.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "loading/TextData.h"
#include "objects/ObjectFields.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

void CSwitch::Init(std::vector<std::string> params) {
    CharacterBase::Init(std::move(params));
    home = transMat;
}

void CSwitch::ReadClassParam(const std::string& key, const std::string& value) {
    if (key == "BaseMesh") baseMesh = MeshManager::GetInstance().GetMesh(GraphicsDevice::GetInstance().GetDevice(), value);
    else if (key == "State") state = ParseIntLenient(value);
}

void CSwitch::OnHit(CharacterBase* other) {
    if (other && (other->kind == KIND_PLAYER || other->kind == KIND_BOX)) pressed = 1;
}

void CSwitch::Update() {
    depth += pressed == 1 ? kSinkStep : -kRiseStep;
    if (depth < 0.0f) {
        fullyPressed = 0;
        depth = 0.0f;
    }
    if (depth > kFullDepth) {
        // The click sounds once each time the plate arrives at the bottom.
        if (fullyPressed == 0) SoundManager::GetInstance().Play(kFullSound, SoundManager::kEffectVolume);
        fullyPressed = 1;
        depth = kFullDepth;
    } else {
        fullyPressed = 0;
    }
    if (state == 0) pressed = 0;
    transMat = home;
    transMat._42 -= depth;
    *world = rotMat * transMat;
}

void CSwitch::Draw() {
    MyShader& toon = ShaderManager::GetInstance().toon;
    // The plate keeps the parameters its mesh holds.
    toon.SetWorld(world);
    toon.Draw(mesh, 0);
    if (!baseMesh) return;
    const D3DXMATRIX base = BaseWorld();
    toon.SetWorld(&base);
    toon.Draw(baseMesh, 0);
}

void CSwitch::DrawShadow() {
    CharacterBase::DrawShadow();
    if (!baseMesh) return;
    CShadowMapShader& shadow = ShaderManager::GetInstance().shadowMap;
    const D3DXMATRIX base = BaseWorld();
    shadow.SetWorld(&base);
    shadow.Draw(baseMesh, 0);
}

void CSwitch::SetTransMatrix(D3DXMATRIX m) {
    transMat = m;
    home = m;
}

void CSwitch::DumpFields(ObjectFields& out) const {
    out.Float("depth", depth);
    out.Int("fullyPressed", fullyPressed);
}
