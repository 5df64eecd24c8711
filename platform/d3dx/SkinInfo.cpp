#include "platform/d3dx/SkinInfo.h"


#include "platform/d3dx/MeshTypes.h"

namespace {

// Bone matrices are affine: no division by w, and inlined for the per-vertex loop.
inline D3DXVECTOR3 Point(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
    return {v.x * m._11 + v.y * m._21 + v.z * m._31 + m._41, v.x * m._12 + v.y * m._22 + v.z * m._32 + m._42,
            v.x * m._13 + v.y * m._23 + v.z * m._33 + m._43};
}
inline D3DXVECTOR3 Direction(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
    return {v.x * m._11 + v.y * m._21 + v.z * m._31, v.x * m._12 + v.y * m._22 + v.z * m._32,
            v.x * m._13 + v.y * m._23 + v.z * m._33};
}

}  // namespace

ID3DXSkinInfo::ID3DXSkinInfo(DWORD vertexCount_, std::vector<SkinBone> bones_)
    : vertexCount(vertexCount_), bones(std::move(bones_)) {
    // Influences past the end of the vertex list would write outside the mesh: drop them here once.
    for (SkinBone& bone : bones) {
        size_t kept = 0;
        for (size_t i = 0; i < bone.vertices.size() && i < bone.weights.size(); ++i) {
            if (bone.vertices[i] >= vertexCount) continue;
            bone.vertices[kept] = bone.vertices[i];
            bone.weights[kept] = bone.weights[i];
            ++kept;
        }
        bone.vertices.resize(kept);
        bone.weights.resize(kept);
    }
}

const char* ID3DXSkinInfo::GetBoneName(DWORD bone) const {
    return bone < bones.size() ? bones[bone].name.c_str() : nullptr;
}

D3DXMATRIX* ID3DXSkinInfo::GetBoneOffsetMatrix(DWORD bone) {
    return bone < bones.size() ? &bones[bone].offset : nullptr;
}

DWORD ID3DXSkinInfo::GetNumBoneInfluences(DWORD bone) const {
    return bone < bones.size() ? static_cast<DWORD>(bones[bone].vertices.size()) : 0;
}

HRESULT ID3DXSkinInfo::UpdateSkinnedMesh(const D3DXMATRIX* transforms, const D3DXMATRIX* invTransposes,
                                         const void* src, void* dst) const {
    if (!transforms || !src || !dst) return D3DERR_INVALIDCALL;
    const MeshVertex* in = static_cast<const MeshVertex*>(src);
    MeshVertex* out = static_cast<MeshVertex*>(dst);
    std::vector<float>& total = weightTotals;
    total.assign(vertexCount, 0.0f);
    for (DWORD i = 0; i < vertexCount; ++i) {
        out[i].position = D3DXVECTOR3();
        out[i].normal = D3DXVECTOR3();
        out[i].u = in[i].u;
        out[i].v = in[i].v;
    }
    for (size_t b = 0; b < bones.size(); ++b) {
        const D3DXMATRIX& m = transforms[b];
        const D3DXMATRIX& n = invTransposes ? invTransposes[b] : transforms[b];
        const SkinBone& bone = bones[b];
        for (size_t k = 0; k < bone.vertices.size(); ++k) {
            const DWORD i = bone.vertices[k];
            const float w = bone.weights[k];
            out[i].position += Point(in[i].position, m) * w;
            out[i].normal += Direction(in[i].normal, n) * w;
            total[i] += w;
        }
    }
    for (DWORD i = 0; i < vertexCount; ++i)
        if (total[i] == 0.0f) out[i] = in[i];
    return D3D_OK;
}
