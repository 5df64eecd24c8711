#include "graphics/MeshBox.h"

#include <algorithm>

#include "platform/d3dx/MeshTypes.h"

namespace {

// (x, y, z, 1) times a row-vector matrix.
D3DXVECTOR4 Transform(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
    return D3DXVECTOR4(v.x * m._11 + v.y * m._21 + v.z * m._31 + m._41, v.x * m._12 + v.y * m._22 + v.z * m._32 + m._42,
                       v.x * m._13 + v.y * m._23 + v.z * m._33 + m._43, v.x * m._14 + v.y * m._24 + v.z * m._34 + m._44);
}

}  // namespace

void MeshBox::Extend(const D3DXVECTOR3& p) {
    if (empty) min = max = p;
    empty = false;
    min = D3DXVECTOR3(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
    max = D3DXVECTOR3(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
}

MeshBox MeshBox::Around(const std::vector<MeshVertex>& vertices) {
    MeshBox box;
    for (const MeshVertex& v : vertices) box.Extend(v.position);
    return box;
}

D3DXVECTOR3 MeshBox::Corner(int i) const {
    return D3DXVECTOR3(i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z);
}

MeshBox MeshBox::Carried(const D3DXMATRIX& m, float margin) const {
    if (empty) return *this;
    MeshBox out;
    for (int i = 0; i < 8; ++i) {
        const D3DXVECTOR4 p = Transform(Corner(i), m);
        // An affine world keeps w at 1; anything else is brought back to a point.
        const float w = p.w != 0.0f ? p.w : 1.0f;
        out.Extend(D3DXVECTOR3(p.x / w, p.y / w, p.z / w));
    }
    const D3DXVECTOR3 grow(margin, margin, margin);
    out.min -= grow;
    out.max += grow;
    return out;
}

bool BoxOutsideClip(const MeshBox& box, const D3DXMATRIX& toClip) {
    if (box.empty) return false;
    // One bit per plane, kept while every corner so far is outside that plane.
    unsigned outside = 0x3F;
    for (int i = 0; i < 8 && outside; ++i) {
        const D3DXVECTOR4 p = Transform(box.Corner(i), toClip);
        unsigned here = 0;
        if (p.x < -p.w) here |= 1;
        if (p.x > p.w) here |= 2;
        if (p.y < -p.w) here |= 4;
        if (p.y > p.w) here |= 8;
        if (p.z < 0.0f) here |= 16;
        if (p.z > p.w) here |= 32;
        outside &= here;
    }
    return outside != 0;
}
