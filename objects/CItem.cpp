#include "objects/CItem.h"

#include "objects/ObjectFields.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

namespace {
constexpr float kDegreesToRadians = 0.017453f;
}  // namespace

void CItem::Update() {
    spin += kSpinStep;
    if (spin > kFullTurn) spin -= kFullTurn;
    D3DXMATRIX turn;
    D3DXMatrixRotationY(&turn, spin * kDegreesToRadians);
    *world = turn * transMat;
}

void CItem::Draw() {
    CharacterBase::Draw();
    if (!mesh) return;
    // The outline shell uses the world the draw just set.
    ShaderManager::GetInstance().toon.DrawOutline(mesh, D3DXVECTOR4(0.0f, 1.0f, 1.0f, 1.0f), kOutlineSize);
}

void CItem::OnHit(CharacterBase* other) {
    if (!other || other->kind != KIND_PLAYER) return;
    SoundManager::GetInstance().Play(kTakenSound, SoundManager::kEffectVolume);
    dead = 1;
}

void CItem::DumpFields(ObjectFields& out) const { out.Float("spin", spin); }
