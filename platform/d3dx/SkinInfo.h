#pragma once
// The skin of a mesh in the shape of ID3DXSkinInfo: for each bone its name, its offset matrix (mesh
// space to bone space) and the vertices it moves with their weights.
#include <string>
#include <vector>

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/Unknown.h"

struct SkinBone {
    std::string name;
    D3DXMATRIX offset;
    std::vector<DWORD> vertices;
    std::vector<float> weights;
};

class ID3DXSkinInfo : public Unknown {
public:
    ID3DXSkinInfo(DWORD vertexCount, std::vector<SkinBone> bones);

    DWORD GetNumBones() const { return static_cast<DWORD>(bones.size()); }
    DWORD GetNumVertices() const { return vertexCount; }
    // Null for an index past the last bone.
    const char* GetBoneName(DWORD bone) const;
    D3DXMATRIX* GetBoneOffsetMatrix(DWORD bone);
    DWORD GetNumBoneInfluences(DWORD bone) const;

    // Writes every vertex of dst (layout MeshVertex) as the weighted sum of its source vertex moved by
    // each influencing bone's matrix; normals go through the inverse-transposed matrices when given,
    // otherwise through the bone matrices. Vertices no bone influences are copied unchanged.
    HRESULT UpdateSkinnedMesh(const D3DXMATRIX* boneTransforms, const D3DXMATRIX* boneInvTransposes,
                              const void* src, void* dst) const;

private:
    DWORD vertexCount;
    std::vector<SkinBone> bones;
    // Each vertex's summed weight during UpdateSkinnedMesh, kept with its size from call to call.
    mutable std::vector<float> weightTotals;
};
