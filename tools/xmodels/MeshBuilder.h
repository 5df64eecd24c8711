#pragma once
// Builds an XMesh from simple solids (boxes, tapered cylinders, ellipsoids, height-field patches).
// Every triangle is wound clockwise seen from the side its normal points to, as Direct3D draws front
// faces. Each vertex takes the current material and, for skinned meshes, the current bone.
#include <map>
#include <string>

#include "tools/xmodels/XWriter.h"

namespace xmodels {

struct BuildVertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    D3DXVECTOR2 uv;
};

class MeshBuilder {
public:
    explicit MeshBuilder(std::string name) { mesh.name = std::move(name); }

    // --- state for what follows ---
    uint32_t AddMaterial(const XMaterial& material);
    void UseMaterial(uint32_t material) { currentMaterial = material; }
    void UseBone(const std::string& bone) { currentBone = bone; }
    // Positions and normals of later solids go through this rotation + translation.
    void SetPlacement(const D3DXMATRIX& placement) { this->placement = placement; }

    // --- solids ---
    void AddTriangle(const BuildVertex& a, const BuildVertex& b, const BuildVertex& c);
    void AddQuad(const BuildVertex& a, const BuildVertex& b, const BuildVertex& c, const BuildVertex& d);
    void AddBox(const D3DXVECTOR3& center, const D3DXVECTOR3& half, float uvScale = 1.0f);
    // Along +y from base; radii per end as (x, z); capped at both ends.
    void AddCylinder(const D3DXVECTOR3& base, float height, D3DXVECTOR2 bottomRadius, D3DXVECTOR2 topRadius,
                     int segments);
    // bumps > 0 roughens the surface by a deterministic pattern (ice, rock).
    void AddEllipsoid(const D3DXVECTOR3& center, const D3DXVECTOR3& radius, int rings, int segments,
                      float bumps = 0.0f);

    // Skin offsets: mesh space to each bone's space in the bind pose.
    void SetBindPose(const std::map<std::string, D3DXMATRIX>& boneWorld) { bindPose = boneWorld; }
    XMesh Build() const;

private:
    uint32_t AddVertex(const BuildVertex& v);

    XMesh mesh;
    uint32_t currentMaterial = 0;
    std::string currentBone;
    std::vector<std::string> vertexBones;
    D3DXMATRIX placement = Identity();
    std::map<std::string, D3DXMATRIX> bindPose;
};

}  // namespace xmodels
