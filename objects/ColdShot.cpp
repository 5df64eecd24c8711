#include "objects/ColdShot.h"

#include <algorithm>
#include <cmath>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "objects/ColdObject.h"
#include "objects/ObjectList.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;
constexpr float kRadiansToDegrees = 57.2957763671875f;
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kSurfaceLift = 0.01f;
constexpr float kFlatFace = 0.99f;  // |normal.y| from here on: a floor or a ceiling

// Floors and ceilings: the patch lies flat in the face, its top toward the side the face looks to.
D3DXMATRIX FlatAlignment(const D3DXVECTOR3& n) {
    D3DXMATRIX rotation;
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXVECTOR3 axis;
    D3DXVec3Cross(&axis, &up, &n);
    if (D3DXVec3Length(&axis) < 1e-6f) {
        // Exactly horizontal: the tilt axis is undefined. A ceiling turns the patch over about x.
        if (n.y >= 0.0f) D3DXMatrixIdentity(&rotation);
        else D3DXMatrixRotationX(&rotation, D3DX_PI);
        return rotation;
    }
    D3DXVec3Normalize(&axis, &axis);
    D3DXMatrixRotationAxis(&rotation, &axis, std::acos(std::clamp(n.y, -1.0f, 1.0f)));
    return rotation;
}

}  // namespace

RayProbe ColdShotProbe(ProbeRange range, float reach) {
    return RayProbe({KIND_MAP, KIND_BOX, KIND_SWITCH, KIND_STATUE, KIND_GOAL, KIND_ITEM, KIND_DOOR, KIND_COLD},
                    range, reach);
}

D3DXMATRIX SurfaceAlignment(const D3DXVECTOR3& normal) {
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, &normal);
    if (std::fabs(n.y) >= kFlatFace) return FlatAlignment(n);
    // Walls and slopes: tilt about the horizontal axis in the face by the face's elevation.
    D3DXVECTOR3 axis(-n.z, 0.0f, n.x);
    D3DXVec3Normalize(&axis, &axis);
    D3DXMATRIX quarter;
    D3DXMatrixRotationAxis(&quarter, &axis, kQuarterTurn);
    D3DXVECTOR3 r;
    D3DXVec3TransformCoord(&r, &n, &quarter);
    D3DXVec3Normalize(&r, &r);
    D3DXVECTOR3 h(r.x, 0.0f, r.z);
    D3DXVec3Normalize(&h, &h);
    float angle = -std::acos(std::clamp(D3DXVec3Dot(&h, &r), -1.0f, 1.0f)) * kRadiansToDegrees;
    if (normal.y < 0.0f) angle = -angle;
    D3DXMATRIX rotation;
    D3DXMatrixRotationAxis(&rotation, &axis, angle * kDegreesToRadians);
    return rotation;
}

ColdObject* LayIcePatch(const D3DXVECTOR3& point, const D3DXVECTOR3& normal) {
    auto* patch = new ColdObject;
    patch->Reset();
    patch->state = 0;
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, &normal);
    const D3DXVECTOR3 at = point + n * kSurfaceLift;
    D3DXMATRIX translation;
    D3DXMatrixTranslation(&translation, at.x, at.y, at.z);
    patch->SetTransMatrix(translation);
    patch->rotMat = SurfaceAlignment(normal);
    patch->mesh = MeshManager::GetInstance().GetMesh(GraphicsDevice::GetInstance().GetDevice(), "data/xfile/Bullet/ice.x");
    AddObject(patch);
    return patch;
}

ColdStrike StrikeCold(const ProbeHit& hit) {
    const int kind = hit.object->kind;
    if (kind == KIND_BOX || kind == KIND_STATUE || kind == KIND_COLD) {
        // The marker only carries the cold: it is never placed and lives for this call alone.
        ColdObject marker;
        hit.object->OnHit(&marker);
        return kind == KIND_COLD ? ColdStrike::Grew : ColdStrike::Froze;
    }
    ColdObject* patch = LayIcePatch(hit.point, hit.normal);
    if (kind != KIND_MAP) patch->RestOn(*hit.object);
    return ColdStrike::LaidPatch;
}
