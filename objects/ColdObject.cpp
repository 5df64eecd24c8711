#include "objects/ColdObject.h"

#include <algorithm>
#include <random>

#include "graphics/TextureManager.h"
#include "objects/Billboard.h"
#include "objects/ObjectList.h"
#include "objects/RayProbe.h"
#include "objects/ObjectFields.h"
#include "platform/sys/Win32.h"
#include "shaders/ShaderManager.h"

namespace {

constexpr float kCloudDrift = 0.005f;  // units per frame along a cloud's velocity
constexpr int kFadingCloudStep = 3;    // the clouds thin faster while the patch itself fades
constexpr float kSupportMoved = 0.001f;  // a support farther than this from its place has moved

}  // namespace

ColdObject::ColdObject() {
    kind = KIND_COLD;
    D3DXMatrixScaling(&scaleMat, kStartSize, kStartSize, kStartSize);
    for (D3DXMATRIX& m : cloudMatrices) D3DXMatrixIdentity(&m);
    cloudTexture = TextureManager::GetInstance().GetTexture("data/Texture/cloud.bmp");
}

void ColdObject::RestOn(const CharacterBase& support) {
    supportKind = support.kind;
    supportAt = WorldPosition(support);
}

// Objects are not followed by pointer (they may be gone); the support is whichever object of its kind
// still stands at its place.
bool ColdObject::SupportStays() const {
    if (supportKind == KIND_MAP) return true;
    bool stays = false;
    ForEachOfKind(supportKind, [&](CharacterBase* object) {
        const D3DXVECTOR3 d = WorldPosition(*object) - supportAt;
        if (!object->dead && D3DXVec3Length(&d) <= kSupportMoved) stays = true;
    });
    return stays;
}

void ColdObject::Update() {
    if (!SupportStays()) {
        dead = 1;
        return;
    }
    if (state == 0) {
        ++age;
        if (age > kLifeFrames) {
            drawParams->alpha -= kFadeStep;
            if (drawParams->alpha <= 0.0f) {
                drawParams->alpha = 0.0f;
                dead = 1;
            }
        }
        if (size < kGrownSize) size += kGrowStep;
        size = std::min(size, kMaxSize);
        D3DXMatrixScaling(&scaleMat, size, 1.0f, size);
    }
    drawParams->castShadow = 0;
    *world = scaleMat * rotMat * transMat;
}

void ColdObject::OnHit(CharacterBase* other) {
    if (!other || other->kind != KIND_COLD) return;
    size += kHitGrowth;
    age = 0;
}

void ColdObject::DrawAlpha() {
    DrawWith(ShaderManager::GetInstance().ice, 3);
    DrawParticle();
}

// New clouds at the patch, each nudged by up to one unit and given a drift of its own. The generator
// is seeded from the platform clock, so a run with a simulated clock repeats exactly.
void ColdObject::SpawnClouds() {
    for (int i = 0; i < kCloudCount; ++i) {
        std::minstd_rand random(timeGetTime() + static_cast<DWORD>(i));
        const float dx = static_cast<float>(random() % 2), dz = static_cast<float>(random() % 2);
        D3DXMATRIX offset;
        D3DXMatrixTranslation(&offset, dx, 0.0f, dz);
        cloudMatrices[i] = offset * transMat;
        const float vx = static_cast<float>(static_cast<int>(random() % 3) - 1);
        const float vz = static_cast<float>(static_cast<int>(random() % 3) - 1);
        cloudVelocity[i] = D3DXVECTOR3(vx, 0.0f, vz);
    }
    cloudAlpha = 0;
    cloudMode = 1;
}

void ColdObject::AdvanceClouds() {
    if (cloudMode == 0) {
        SpawnClouds();
        return;
    }
    if (cloudMode == 1) {
        if (++cloudAlpha > kCloudPeakAlpha) {
            cloudAlpha = kCloudPeakAlpha;
            cloudMode = 2;
        }
    } else {
        cloudAlpha -= drawParams->alpha < 1.0f ? kFadingCloudStep : 1;
        if (cloudAlpha < 0) {
            cloudAlpha = 0;
            cloudMode = 0;
        }
    }
    for (int i = 0; i < kCloudCount; ++i) {
        cloudMatrices[i]._41 += cloudVelocity[i].x * kCloudDrift;
        cloudMatrices[i]._42 += cloudVelocity[i].y * kCloudDrift;
        cloudMatrices[i]._43 += cloudVelocity[i].z * kCloudDrift;
    }
}

void ColdObject::DrawParticle() {
    if (state != 0) return;
    AdvanceClouds();
    BeginAdditiveSquares();
    for (const D3DXMATRIX& cloud : cloudMatrices) DrawFacingSquare(cloud, cloudTexture, cloudAlpha);
    EndAdditiveSquares();
}

void ColdObject::DumpFields(ObjectFields& out) const {
    out.Float("size", size);
    out.Int("age", age);
    out.Float("alpha", drawParams->alpha);
}
