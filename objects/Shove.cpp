#include "objects/Shove.h"

#include <algorithm>

#include "objects/RayProbe.h"

namespace {

constexpr float kRayHeight = 0.7f;  // the height of the walking wall ray
constexpr float kClearance = 0.5f;  // the distance walking keeps from a face
constexpr float kProbeWindow = 5.0f;

}  // namespace

void ShoveAcrossFloor(CharacterBase& object, D3DXVECTOR3 direction, float step, const CharacterBase* shover) {
    direction.y = 0.0f;
    if (D3DXVec3LengthSq(&direction) == 0.0f) return;
    D3DXVec3Normalize(&direction, &direction);
    const D3DXVECTOR3 from = object.Position();
    float room = step;
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_STATUE, KIND_DOOR, KIND_CHEST}, ProbeRange::Window, kProbeWindow);
    probe.Skip(&object);
    for (const ProbeHit& hit : probe.CastAll(from + D3DXVECTOR3(0, kRayHeight, 0), direction)) {
        const float c = -D3DXVec3Dot(&hit.normal, &direction);
        // A face turned away, or the shover's own, does not stop the shove.
        if (hit.object == shover || c <= 1e-6f || hit.distance >= RayProbe::kMaxDistance) continue;
        room = std::min(room, std::max(hit.distance - kClearance / c, 0.0f));
    }
    object.MoveTo(from + direction * room);
}
