#include "objects/ShotEmitter.h"

#include <algorithm>
#include <string>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "objects/ColdShot.h"
#include "sound/SoundManager.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;
constexpr float kSpinStep = 20.0f;
constexpr float kCrystalTilt = -1.308975f;  // -75 degrees about x
constexpr float kShotDrop = 0.005f;
// The body ray: from chest height (as high as the player's wall probe) straight along the facing, a
// little past the half unit the player keeps from what it leans on.
constexpr float kBodyDrop = 0.9f;
constexpr float kBodyReach = 1.0f;

}  // namespace

void ShotEmitter::Init() {
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    for (int n = 0; n < kMeshCount; ++n)
        meshes[n] = MeshManager::GetInstance().GetMesh(device, "data/xfile/bullet/frozen" + std::to_string(n) + ".x");
    D3DXMatrixIdentity(&rotation);
    for (D3DXMATRIX& m : transforms) D3DXMatrixIdentity(&m);
}

void ShotEmitter::Update() {
    if (active != 1) {
        charge = 0.0f;
        return;
    }
    charge = std::min(charge + kChargeStep, 1.0f);
    if (charge > kChargedAbove) {
        if (++fireCounter > kFireInterval) {
            fireCounter = 0;
            Fire();
        }
        SoundManager::GetInstance().Play(kFireSound, SoundManager::kEffectVolume);
    }
    PlaceCrystals();
}

void ShotEmitter::PlaceCrystals() {
    D3DXMATRIX scale, translation, tilt, spinA, spinB;
    D3DXMatrixScaling(&scale, charge, charge, charge);
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    spin += kSpinStep;
    if (spin > 360.0f) spin -= 360.0f;
    D3DXMatrixRotationX(&tilt, kCrystalTilt);
    D3DXMatrixRotationY(&spinA, spin * kDegreesToRadians);
    D3DXMatrixRotationY(&spinB, -0.5f * spin * kDegreesToRadians);
    transforms[0] = scale * spinA * tilt * rotation * translation;
    transforms[1] = scale * spinB * tilt * rotation * translation;
}

D3DXVECTOR3 ShotEmitter::ShotDirection() const {
    const D3DXVECTOR3 aim(aimDirection.x, aimDirection.y - kShotDrop, aimDirection.z);
    D3DXVECTOR3 direction;
    D3DXVec3TransformNormal(&direction, &aim, &rotation);
    D3DXVec3Normalize(&direction, &direction);
    return direction;
}

// A box or statue the player leans on stands below the muzzle's ray, which would pass over it and
// strike what lies behind; the body ray finds it first.
bool ShotEmitter::StrikesLeanedOn(ProbeHit& hit) const {
    const D3DXVECTOR3 ahead(0, 0, 1);
    D3DXVECTOR3 facing;
    D3DXVec3TransformNormal(&facing, &ahead, &rotation);
    facing.y = 0.0f;
    if (D3DXVec3Length(&facing) < 1e-6f) return false;
    D3DXVec3Normalize(&facing, &facing);
    RayProbe probe = ColdShotProbe(ProbeRange::Sphere, kRange);
    const D3DXVECTOR3 body(position.x, position.y - kBodyDrop, position.z);
    if (!probe.CastNearest(body, facing, hit) || hit.distance > kBodyReach) return false;
    return hit.object->kind == KIND_BOX || hit.object->kind == KIND_STATUE;
}

void ShotEmitter::Fire() {
    RayProbe probe = ColdShotProbe(ProbeRange::Sphere, kRange);
    ProbeHit hit;
    const bool found = StrikesLeanedOn(hit) || probe.CastNearest(position, ShotDirection(), hit);
    if (!found || hit.distance > kRange) return;
    StrikeCold(hit);
    SoundManager::GetInstance().Play(kImpactSound, SoundManager::kEffectVolume);
}

void ShotEmitter::Draw() {
    if (active != 1) return;
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    for (int n = 0; n < kMeshCount; ++n) {
        if (!meshes[n]) continue;
        device->SetTransform(D3DTS_WORLD, &transforms[n]);
        meshes[n]->DrawFixed();
    }
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
}
