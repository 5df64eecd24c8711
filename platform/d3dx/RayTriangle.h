#pragma once
// The one ray-triangle test every ray query runs (Moller-Trumbore, both sides). The brute-force scan
// and the ray tree both call this very function, so a face yields the same bits either way.
#include "platform/math/D3DXMath.h"

namespace platform {

inline D3DXVECTOR3 RayCross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float RayDot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// True when the ray meets the face at or after its origin; (u, v) are the barycentrics of the hit,
// t its distance in multiples of the direction.
inline bool RayTriangle(const D3DXVECTOR3& p0, const D3DXVECTOR3& p1, const D3DXVECTOR3& p2,
                        const D3DXVECTOR3& rayPos, const D3DXVECTOR3& rayDir, float& u, float& v, float& t) {
    const D3DXVECTOR3 e1 = p1 - p0, e2 = p2 - p0;
    const D3DXVECTOR3 p = RayCross(rayDir, e2);
    const float det = RayDot(e1, p);
    if (det == 0.0f) return false;  // ray parallel to the face, or a degenerate face
    const float inv = 1.0f / det;
    const D3DXVECTOR3 s = rayPos - p0;
    const float a = RayDot(s, p) * inv;
    if (a < 0.0f || a > 1.0f) return false;
    const D3DXVECTOR3 q = RayCross(s, e1);
    const float b = RayDot(rayDir, q) * inv;
    if (b < 0.0f || a + b > 1.0f) return false;
    const float dist = RayDot(e2, q) * inv;
    if (dist < 0.0f) return false;
    u = a;
    v = b;
    t = dist;
    return true;
}

}  // namespace platform
