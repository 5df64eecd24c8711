#include "explore/ObjectBounds.h"

#include "graphics/Mesh.h"
#include "objects/CharacterBase.h"

bool ObjectBounds::Local(CharacterBase& object, Aabb& out) {
    Mesh* mesh = object.GetColMesh();
    if (!mesh || !mesh->mesh || mesh->mesh->GetNumVertices() == 0) return false;
    auto known = local.find(mesh->mesh);
    if (known == local.end()) {
        const std::vector<MeshVertex>& vertices = mesh->mesh->Vertices();
        Aabb box = Aabb::Around(vertices.front().position);
        for (const MeshVertex& vertex : vertices) box.Grow(vertex.position);
        known = local.emplace(mesh->mesh, box).first;
    }
    out = known->second;
    return true;
}

bool ObjectBounds::Of(CharacterBase& object, Aabb& out) {
    Aabb own;
    if (!Local(object, own)) return false;
    const D3DXMATRIX placement = object.scaleMat * object.rotMat * object.transMat;
    for (int corner = 0; corner < 8; ++corner) {
        const D3DXVECTOR3 local(corner & 1 ? own.hi.x : own.lo.x, corner & 2 ? own.hi.y : own.lo.y,
                                corner & 4 ? own.hi.z : own.lo.z);
        D3DXVECTOR3 world;
        D3DXVec3TransformCoord(&world, &local, &placement);
        if (corner == 0) out = Aabb::Around(world);
        else out.Grow(world);
    }
    return true;
}
