#include "objects/Shove.h"

#include <algorithm>
#include <cmath>

#include "objects/RayProbe.h"

namespace {

constexpr float kRayHeight = 0.7f;  // the height of the walking wall ray
constexpr float kClearance = 0.5f;  // the distance walking keeps from a face
constexpr float kProbeWindow = 5.0f;

// How far the object may go along the level unit direction, at most step: the faces the ray meets keep
// it at the walking clearance, measured square to each face.
float RoomAlong(const CharacterBase& object, const D3DXVECTOR3& direction, float step, const CharacterBase* shover) {
    float room = step;
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_STATUE, KIND_DOOR, KIND_CHEST}, ProbeRange::Window, kProbeWindow);
    probe.Skip(&object);
    for (const ProbeHit& hit : probe.CastAll(object.Position() + D3DXVECTOR3(0, kRayHeight, 0), direction)) {
        const float c = -D3DXVec3Dot(&hit.normal, &direction);
        // A face turned away, or the shover's own, does not stop the shove.
        if (hit.object == shover || c <= 1e-6f || hit.distance >= RayProbe::kMaxDistance) continue;
        room = std::min(room, std::max(hit.distance - kClearance / c, 0.0f));
    }
    return room;
}

}  // namespace

// The shove goes along x, then along z, each part checked by a ray of its own. One ray along a slanted
// shove passes beyond the end of a wall that stands close beside it, and so would let the object creep
// into the clearance of a face it runs almost parallel to.
void ShoveAcrossFloor(CharacterBase& object, D3DXVECTOR3 direction, float step, const CharacterBase* shover) {
    direction.y = 0.0f;
    if (D3DXVec3LengthSq(&direction) == 0.0f) return;
    D3DXVec3Normalize(&direction, &direction);
    for (const D3DXVECTOR3 axis : {D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(0, 0, 1)}) {
        const float part = D3DXVec3Dot(&direction, &axis) * step;
        if (part == 0.0f) continue;
        const D3DXVECTOR3 way = part > 0.0f ? axis : -axis;
        const float room = RoomAlong(object, way, std::fabs(part), shover);
        object.MoveTo(object.Position() + way * room);
    }
}
